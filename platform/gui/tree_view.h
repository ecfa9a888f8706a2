#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/gui/control.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vostrel::gui {

// A tree of items with pictures. Items are numbered 0, 1, 2, ... in the order added.
class TreeView : public Control {
 public:
  TreeView(QWidget* parent, std::string name);

  // pictures: the bytes of PNG files, indexed from 0; a selected item keeps its picture.
  void SetPictures(std::vector<std::string> pictures);
  // parent_index -1 adds a top-level item; an unknown parent also adds at the top.
  int AddItem(const std::string& text, int picture, int parent_index = -1);
  void Expand(int index);
  void Clear();

  int ItemCount() const { return static_cast<int>(items_.size()); }
  std::string ItemText(int index) const;  // empty for an unknown index
  int ParentIndex(int index) const;       // -1 for a top-level or unknown item
  int SelectedIndex() const;              // -1 when nothing is selected
  // Selects the item as a user would; an unknown index changes nothing.
  void Select(int index);

  // Runs on every change of the selected item: mouse, keyboard or Select.
  std::function<void()> on_selection_changed;

  QTreeWidgetItem* QtItem(int index) const;  // for platform code only; nullptr if unknown

 private:
  TreeView(QTreeWidget* tree, std::string name);
  int IndexOf(const QTreeWidgetItem* item) const;
  void ReportSelection();

  QTreeWidget* tree_;
  std::vector<QTreeWidgetItem*> items_;
  std::vector<std::string> pictures_;
  int reported_ = -1;
  bool clearing_ = false;
};

}  // namespace vostrel::gui
