#include "platform/gui/test_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui::test_driver {
namespace {

using detail::ToQt;

void Activate(QWidget* widget) {
  QWidget* window = widget->window();
  if (!window->isVisible()) window->show();
  if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
}

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint pos,
               Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void Click(QWidget* target, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  Activate(target);
  SendMouse(target, QEvent::MouseButtonPress, button, pos, button);
  SendMouse(target, QEvent::MouseButtonRelease, button, pos, Qt::NoButton);
}

void DoubleClick(QWidget* target, QPoint pos) {
  Click(target, pos);
  SendMouse(target, QEvent::MouseButtonDblClick, Qt::LeftButton, pos, Qt::LeftButton);
  SendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, pos, Qt::NoButton);
}

QAbstractItemView* ViewOf(ListView& list) { return static_cast<QAbstractItemView*>(list.Widget()); }

// A person sees new rows a moment after they are added; a test acts at once.
QPoint RowPoint(ListView& list, int row) {
  list.ShowPendingRows();
  QAbstractItemView* view = ViewOf(list);
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  return view->visualRect(index).center();
}

QPoint BelowRows(ListView& list) {
  list.ShowPendingRows();
  QAbstractItemView* view = ViewOf(list);
  const int rows = view->model()->rowCount();
  int y = 2;
  if (rows > 0) y = view->visualRect(view->model()->index(rows - 1, 0)).bottom() + 3;
  return QPoint(5, std::min(y, view->viewport()->height() - 1));
}

QKeyCombination KeyOf(const std::string& key) {
  const QKeySequence sequence(ToQt(key), QKeySequence::PortableText);
  return sequence.isEmpty() ? QKeyCombination(Qt::Key_unknown) : sequence[0];
}

QSystemTrayIcon::ActivationReason ReasonFor(TrayEvent event) {
  switch (event) {
    case TrayEvent::LeftButtonUp:
      return QSystemTrayIcon::Trigger;
    case TrayEvent::LeftDoubleClick:
      return QSystemTrayIcon::DoubleClick;
    case TrayEvent::RightButtonUp:
    case TrayEvent::ContextKey:
      return QSystemTrayIcon::Context;
  }
  return QSystemTrayIcon::Unknown;
}

}  // namespace

void ClickRow(ListView& list, int row) { Click(ViewOf(list)->viewport(), RowPoint(list, row)); }

void ClickBelowRows(ListView& list) { Click(ViewOf(list)->viewport(), BelowRows(list)); }

void RightClickRow(ListView& list, int row) {
  const QPoint pos = row < 0 ? BelowRows(list) : RowPoint(list, row);
  Click(ViewOf(list)->viewport(), pos, Qt::RightButton);
}

void DoubleClickRow(ListView& list, int row) {
  DoubleClick(ViewOf(list)->viewport(), RowPoint(list, row));
}

void PressKey(Control& control, const std::string& key) {
  if (auto* list = dynamic_cast<ListView*>(&control)) list->ShowPendingRows();
  QWidget* widget = control.Widget();
  Activate(widget);
  const QKeyCombination combination = KeyOf(key);
  QTest::keyClick(widget, combination.key(), combination.keyboardModifiers());
}

void GiveFocus(Control& control) {
  Activate(control.Widget());
  control.Widget()->setFocus(Qt::MouseFocusReason);
}

void TakeFocus(Control& control) { control.Widget()->clearFocus(); }

void ClickButton(Button& button) { Click(button.Widget(), button.Widget()->rect().center()); }

void TypeInto(EditBox& box, const std::string& text) {
  QWidget* widget = box.Widget();
  GiveFocus(box);
  QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(widget, Qt::Key_Delete);
  QTest::keyClicks(widget, ToQt(text));
}

void ClickToolButton(ToolBar& bar, int index) {
  auto* tool_bar = static_cast<QToolBar*>(bar.Widget());
  auto* action = tool_bar->findChild<QAction*>(QStringLiteral("button%1").arg(index));
  if (action == nullptr) return;
  QWidget* button = tool_bar->widgetForAction(action);
  Click(button, button->rect().center());
}

void ClickMenuItem(MenuItem& item) { item.Action()->trigger(); }

void ActivateTray(TrayIcon& tray, TrayEvent event) {
  Q_EMIT tray.QtTrayIcon()->activated(ReasonFor(event));
}

void HoverTray(TrayIcon& tray) {
  // A pointer resting on the icon asks for its tip and nothing else.
  QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
  QApplication::sendEvent(tray.QtTrayIcon(), &tip);
}

void DragSplitter(SplitterBar& bar, int delta, bool cancel_with_escape) {
  QWidget* widget = bar.Widget();
  Activate(widget);
  const QPoint start = widget->rect().center();
  const bool vertical = bar.Orientation() == SplitterOrientation::kVertical;
  const QPoint end = start + (vertical ? QPoint(delta, 0) : QPoint(0, delta));
  SendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, start, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseMove, Qt::NoButton, (start + end) / 2, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseMove, Qt::NoButton, end, Qt::LeftButton);
  if (cancel_with_escape) QTest::keyClick(widget, Qt::Key_Escape);
  SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, end, Qt::NoButton);
}

void ClickAt(Control& control, int x, int y) { Click(control.Widget(), QPoint(x, y)); }

void SelectTreeItemByMouse(TreeView& tree, int index) {
  QTreeWidgetItem* item = tree.QtItem(index);
  if (item == nullptr) return;
  auto* view = static_cast<QTreeWidget*>(tree.Widget());
  view->scrollToItem(item);
  Click(view->viewport(), view->visualItemRect(item).center());
}

void SelectTreeItemByKey(TreeView& tree, const std::string& key) { PressKey(tree, key); }

void ClickLink(HtmlViewer& viewer, const std::string& url) {
  Q_EMIT static_cast<QTextBrowser*>(viewer.Widget())->anchorClicked(QUrl(ToQt(url)));
}

void CloseByCloseBox(Window& window) { window.Widget()->close(); }

bool Grab(Window& window, const std::string& png_path) {
  return window.Widget()->grab().save(ToQt(png_path), "PNG");
}

void RunEventsFor(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (timer.elapsed() < milliseconds);
}

}  // namespace vostrel::gui::test_driver
