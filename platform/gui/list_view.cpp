#include "platform/gui/list_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

// Rows of UTF-8 cells. New rows reach the view in batches, at most
// kAnnounceDelayMs after they were added, and cell changes repaint once: a
// folder of 100 000 mails is listed row by row, with window events let run
// after every row, and the view must not relayout and repaint for each one.
class ListModel : public QAbstractTableModel {
 public:
  static constexpr int kAnnounceDelayMs = 40;

  explicit ListModel(QWidget* viewport) : viewport_(viewport) {
    announce_timer_.setSingleShot(true);
    announce_timer_.setInterval(kAnnounceDelayMs);
    QObject::connect(&announce_timer_, &QTimer::timeout, [this] { AnnouncePendingRows(); });
  }

  // The rows the view knows of; StoredRows() may hold more not yet announced.
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : announced_;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
  }
  int StoredRows() const { return static_cast<int>(rows_.size()); }

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
    rows_.emplace_back();
    if (!announce_timer_.isActive()) announce_timer_.start();
    return StoredRows() - 1;
  }

  bool SetCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= StoredRows() || column < 0 || column >= columnCount()) return false;
    auto& cells = rows_[row];
    if (static_cast<int>(cells.size()) <= column) cells.resize(column + 1);
    cells[column] = text;
    if (row < announced_) ScheduleRepaint();
    return true;
  }

  std::string Cell(int row, int column) const {
    if (row < 0 || row >= StoredRows() || column < 0) return {};
    const auto& cells = rows_[row];
    return column < static_cast<int>(cells.size()) ? cells[column] : std::string();
  }

  void Clear() {
    announce_timer_.stop();
    beginResetModel();
    rows_.clear();
    announced_ = 0;
    endResetModel();
  }

  void AnnouncePendingRows() {
    announce_timer_.stop();
    if (announced_ == StoredRows()) return;
    beginInsertRows({}, announced_, StoredRows() - 1);
    announced_ = StoredRows();
    endInsertRows();
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
  int announced_ = 0;
  QTimer announce_timer_;
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

int ListView::RowCount() const { return model_->StoredRows(); }

void ListView::ShowPendingRows() { model_->AnnouncePendingRows(); }

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
  ShowPendingRows();
  view_->selectionModel()->select(model_->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ListView::SelectAll() {
  if (RowCount() == 0 || ColumnCount() == 0) return;
  ShowPendingRows();
  const QItemSelection all(model_->index(0, 0), model_->index(RowCount() - 1, ColumnCount() - 1));
  view_->selectionModel()->select(all, QItemSelectionModel::Select);
}

void ListView::ClearSelection() { view_->selectionModel()->clearSelection(); }

}  // namespace vostrel::gui
