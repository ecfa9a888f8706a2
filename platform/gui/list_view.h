#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/control.h"

class QTreeView;

namespace vostrel::gui {

class ListModel;
class ListWidget;

// A report-style list: columns with titles, rows of text cells, several rows
// selectable. The rows live in the list's own model, so long lists fill fast.
class ListView : public Control {
 public:
  ListView(QWidget* parent, std::string name);
  ~ListView() override;

  void AddColumn(const std::string& title, int width);
  int ColumnCount() const;
  // Without headers the list shows its rows only (a one-column list of names).
  void SetHeaderVisible(bool visible);

  int AddRow();  // an empty row at the end; returns its index
  void SetCell(int row, int column, const std::string& text);  // unknown cells are ignored
  std::string CellText(int row, int column) const;             // empty for unknown cells
  int RowCount() const;
  // Rows reach the view shortly after they are added; this shows them now.
  void ShowPendingRows();
  void Clear();

  // The lowest-index selected row, or -1.
  int CurrentRow() const;
  std::vector<int> SelectedRows() const;  // ascending
  void SelectRow(int row);                // adds the row to the selection
  void SelectAll();
  void ClearSelection();

  // on_click: a left click anywhere on the list, whether or not it changed the
  // selection (keyboard moves do not click). A click below the rows clears the selection.
  std::function<void()> on_selection_changed;

 private:
  ListView(ListWidget* view, std::string name);

  ListWidget* view_;
  std::unique_ptr<ListModel> model_;
};

}  // namespace vostrel::gui
