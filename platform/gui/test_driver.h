#pragma once

#include <string>

#include "platform/gui/button.h"
#include "platform/gui/control.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/html_viewer.h"
#include "platform/gui/list_view.h"
#include "platform/gui/menu.h"
#include "platform/gui/splitter_bar.h"
#include "platform/gui/tool_bar.h"
#include "platform/gui/tray_icon.h"
#include "platform/gui/tree_view.h"
#include "platform/gui/window.h"

// Acts on the controls as a person would, with real mouse and key events, for
// tests of the program's windows. Each call activates the control's window first.
namespace vostrel::gui::test_driver {

void ClickRow(ListView& list, int row);
void ClickBelowRows(ListView& list);
void RightClickRow(ListView& list, int row);  // -1: the empty area below the rows
void DoubleClickRow(ListView& list, int row);

// key: as "Down", "Escape", "Return", "Ctrl+A"; sent to the control's widget, so
// window accelerators work as they do for the focused control.
void PressKey(Control& control, const std::string& key);
void GiveFocus(Control& control);
void TakeFocus(Control& control);

void ClickButton(Button& button);
// Replaces the box's text by typing, as a user would.
void TypeInto(EditBox& box, const std::string& text);
void ClickToolButton(ToolBar& bar, int index);
// Chooses the item as a click in its open menu would; a disabled item does nothing.
void ClickMenuItem(MenuItem& item);

void ActivateTray(TrayIcon& tray, TrayEvent event);
void HoverTray(TrayIcon& tray);

// Drags the bar by delta pixels (right or down when positive) and releases it,
// or presses Escape before the release when cancel_with_escape is set.
void DragSplitter(SplitterBar& bar, int delta, bool cancel_with_escape = false);
void ClickAt(Control& control, int x, int y);

void SelectTreeItemByMouse(TreeView& tree, int index);
void SelectTreeItemByKey(TreeView& tree, const std::string& key);

void ClickLink(HtmlViewer& viewer, const std::string& url);
void CloseByCloseBox(Window& window);

// Renders the window into a PNG file; false when it cannot be written.
bool Grab(Window& window, const std::string& png_path);
// Lets events run for about this long (posted tasks, deferred closes, repaints).
void RunEventsFor(int milliseconds);

}  // namespace vostrel::gui::test_driver
