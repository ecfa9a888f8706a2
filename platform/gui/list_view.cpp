#include "platform/gui/list_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

// Rows of UTF-8 cells. Cell changes do not signal one by one: the view is
// repainted once when events next run, which keeps filling 100 000 rows fast.
class ListModel : public QAbstractTableModel {
 public:
  explicit ListModel(QWidget* viewport) : viewport_(viewport) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return detail::ToQt(Cell(index.row(), index.column()));
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
      return {};
    }
    return detail::ToQt(titles_[section]);
  }

  void AddColumn(const std::string& title) {
    beginInsertColumns({}, columnCount(), columnCount());
    titles_.push_back(title);
    endInsertColumns();
  }

  int AddRow() {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rows_.emplace_back();
    endInsertRows();
    return row;
  }

  bool SetCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return false;
    auto& cells = rows_[row];
    if (static_cast<int>(cells.size()) <= column) cells.resize(column + 1);
    cells[column] = text;
    ScheduleRepaint();
    return true;
  }

  std::string Cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) return {};
    const auto& cells = rows_[row];
    return column < static_cast<int>(cells.size()) ? cells[column] : std::string();
  }

  void Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
  }

 private:
  void ScheduleRepaint() {
    if (repaint_pending_) return;
    repaint_pending_ = true;
    QTimer::singleShot(0, viewport_, [this] {
      repaint_pending_ = false;
      viewport_->update();
    });
  }

  QWidget* viewport_;
  std::vector<std::string> titles_;
  std::vector<std::vector<std::string>> rows_;
  bool repaint_pending_ = false;
};

class ListWidget : public QTreeView {
 public:
  explicit ListWidget(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    // A press below the rows leaves nothing selected, as a report list does.
    if (!indexAt(event->position().toPoint()).isValid()) {
      clearSelection();
      selectionModel()->clearCurrentIndex();
    }
    QTreeView::mousePressEvent(event);
  }
};

ListView::ListView(QWidget* parent, std::string name)
    : ListView(new ListWidget(parent), std::move(name)) {}

ListView::ListView(ListWidget* view, std::string name)
    : Control(std::move(name), view, view->viewport()),
      view_(view),
      model_(std::make_unique<ListModel>(view->viewport())) {
  view_->setModel(model_.get());
  QObject::connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, [this] {
    if (on_selection_changed) on_selection_changed();
  });
}

ListView::~ListView() { view_->setModel(nullptr); }

void ListView::AddColumn(const std::string& title, int width) {
  model_->AddColumn(title);
  view_->header()->resizeSection(model_->columnCount() - 1, width);
}

int ListView::ColumnCount() const { return model_->columnCount(); }

void ListView::SetHeaderVisible(bool visible) {
  view_->setHeaderHidden(!visible);
  view_->header()->setStretchLastSection(!visible);
}

int ListView::AddRow() {
  if (model_->columnCount() == 0) AddColumn("", Width());
  return model_->AddRow();
}

void ListView::SetCell(int row, int column, const std::string& text) {
  model_->SetCell(row, column, text);
}

std::string ListView::CellText(int row, int column) const { return model_->Cell(row, column); }

int ListView::RowCount() const { return model_->rowCount(); }

void ListView::Clear() { model_->Clear(); }

int ListView::CurrentRow() const {
  int lowest = -1;
  for (const QItemSelectionRange& range : view_->selectionModel()->selection()) {
    if (lowest < 0 || range.top() < lowest) lowest = range.top();
  }
  return lowest;
}

std::vector<int> ListView::SelectedRows() const {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : view_->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void ListView::SelectRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  view_->selectionModel()->select(model_->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ListView::SelectAll() {
  if (RowCount() == 0 || ColumnCount() == 0) return;
  const QItemSelection all(model_->index(0, 0), model_->index(RowCount() - 1, ColumnCount() - 1));
  view_->selectionModel()->select(all, QItemSelectionModel::Select);
}

void ListView::ClearSelection() { view_->selectionModel()->clearSelection(); }

}  // namespace vostrel::gui
