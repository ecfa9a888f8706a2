#include "platform/gui/modal.h"

#include <QEventLoop>
#include <QWidget>

#include "platform/gui/detail/event_filter.h"

namespace vostrel::gui {
namespace {

std::function<void(Window&)>& Hook() {
  static auto* hook = new std::function<void(Window&)>;
  return *hook;
}

void RunHooked(Window& window, const std::function<void(Window&)>& hook) {
  window.Show();
  hook(window);
  window.Close();
}

void RunNested(Window& window) {
  QEventLoop loop;
  QWidget* widget = window.Widget();
  // Watch for the close; the window's own close handling has run by the time it hides.
  detail::EventFilter watcher(nullptr, [&](QObject* watched, QEvent* event) {
    if (watched == widget && event->type() == QEvent::Hide && !window.IsOpen()) loop.quit();
    return false;
  });
  watcher.Watch(widget);
  window.Show();
  if (window.IsOpen()) loop.exec();
}

}  // namespace

void RunModal(Window& window) {
  QWidget* widget = window.Widget();
  widget->setWindowModality(Qt::ApplicationModal);
  // Closing a dialog must never end the program's event loop.
  widget->setAttribute(Qt::WA_QuitOnClose, false);
  // A copy: the hook may replace itself while it runs.
  const std::function<void(Window&)> hook = Hook();
  if (hook) {
    RunHooked(window, hook);
  } else {
    RunNested(window);
  }
}

void SetModalHook(std::function<void(Window&)> hook) { Hook() = std::move(hook); }

void ClearModalHook() { Hook() = nullptr; }

}  // namespace vostrel::gui
