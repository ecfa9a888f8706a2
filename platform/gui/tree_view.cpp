#include "platform/gui/tree_view.h"

#include <QHeaderView>
#include <QIcon>
#include <QTreeWidget>
#include <algorithm>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

TreeView::TreeView(QWidget* parent, std::string name)
    : TreeView(new QTreeWidget(parent), std::move(name)) {}

TreeView::TreeView(QTreeWidget* tree, std::string name)
    : Control(std::move(name), tree, tree->viewport()), tree_(tree) {
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setIconSize(QSize(16, 16));
  // The selection, not the current item, is what changed: a mouse press moves
  // the current item before it selects it.
  QObject::connect(tree_, &QTreeWidget::itemSelectionChanged, [this] { ReportSelection(); });
}

void TreeView::SetPictures(std::vector<std::string> pictures) { pictures_ = std::move(pictures); }

int TreeView::AddItem(const std::string& text, int picture, int parent_index) {
  QTreeWidgetItem* item = nullptr;
  if (parent_index >= 0 && parent_index < ItemCount()) {
    item = new QTreeWidgetItem(items_[parent_index]);
  } else {
    item = new QTreeWidgetItem(tree_);
  }
  item->setText(0, detail::ToQt(text));
  if (picture >= 0 && picture < static_cast<int>(pictures_.size())) {
    item->setIcon(0, QIcon(detail::PixmapFromBytes(pictures_[picture])));
  }
  items_.push_back(item);
  return ItemCount() - 1;
}

void TreeView::Expand(int index) {
  if (index >= 0 && index < ItemCount()) items_[index]->setExpanded(true);
}

void TreeView::Clear() {
  clearing_ = true;
  items_.clear();
  tree_->clear();
  clearing_ = false;
  reported_ = -1;
}

void TreeView::ReportSelection() {
  if (clearing_) return;
  const int selected = SelectedIndex();
  if (selected == reported_) return;
  reported_ = selected;
  if (on_selection_changed) on_selection_changed();
}

std::string TreeView::ItemText(int index) const {
  if (index < 0 || index >= ItemCount()) return {};
  return detail::FromQt(items_[index]->text(0));
}

int TreeView::ParentIndex(int index) const {
  if (index < 0 || index >= ItemCount()) return -1;
  return IndexOf(items_[index]->parent());
}

int TreeView::SelectedIndex() const {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  return selected.isEmpty() ? -1 : IndexOf(selected.front());
}

void TreeView::Select(int index) {
  if (index < 0 || index >= ItemCount()) return;
  tree_->setCurrentItem(items_[index]);
}

QTreeWidgetItem* TreeView::QtItem(int index) const {
  return index >= 0 && index < ItemCount() ? items_[index] : nullptr;
}

int TreeView::IndexOf(const QTreeWidgetItem* item) const {
  if (item == nullptr) return -1;
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

}  // namespace vostrel::gui
