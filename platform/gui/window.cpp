#include "platform/gui/window.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

class WindowWidget : public QMainWindow {
 public:
  explicit WindowWidget(Window* owner) : owner_(owner) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    owner_->HandleClose();
    event->accept();
  }

  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    if (owner_->on_size_changed) owner_->on_size_changed();
  }

 private:
  Window* owner_;
};

Window::Window(const std::string& title, int left, int top, int width, int height)
    : widget_(std::make_unique<WindowWidget>(this)), client_(new QWidget) {
  widget_->setWindowTitle(detail::ToQt(title));
  widget_->setCentralWidget(client_);
  // The designed size is the outer one: the platform window is made now so its
  // frame is known, and the inside gets what the frame leaves.
  widget_->winId();
  widget_->move(left, top);
  Resize(width, height);
}

Window::~Window() {
  // Children first: they hold pointers into the Qt widget tree.
  tray_.reset();
  controls_.clear();
  popup_menus_.clear();
  menu_bar_.reset();
  status_bar_.reset();
  widget_.reset();
}

gui::MenuBar& Window::MenuBar() {
  if (!menu_bar_) menu_bar_ = std::make_unique<gui::MenuBar>(widget_->menuBar(), widget_.get());
  return *menu_bar_;
}

Menu* Window::AddPopupMenu(const std::string& caption) {
  popup_menus_.push_back(std::make_unique<Menu>(caption, widget_.get()));
  return popup_menus_.back().get();
}

gui::StatusBar* Window::AddStatusBar(const std::vector<int>& pane_widths) {
  if (!status_bar_)
    status_bar_ = std::make_unique<gui::StatusBar>(widget_->statusBar(), pane_widths);
  return status_bar_.get();
}

TrayIcon& Window::Tray() {
  if (!tray_) tray_ = std::make_unique<TrayIcon>();
  return *tray_;
}

void Window::Show() {
  const bool loading = !open_;
  open_ = true;
  widget_->show();
  if (loading && on_created) on_created();
}

void Window::Destroy() {
  QTimer::singleShot(0, widget_.get(), [this] { Close(); });
}

void Window::Close() {
  if (open_) widget_->close();
}

void Window::HandleClose() {
  if (!open_) return;
  open_ = false;
  if (on_destroying) on_destroying();
  if (tray_) tray_->Remove();
}

std::string Window::Title() const { return detail::FromQt(widget_->windowTitle()); }

void Window::SetTitle(const std::string& title) { widget_->setWindowTitle(detail::ToQt(title)); }

int Window::Left() const { return widget_->frameGeometry().left(); }
int Window::Top() const { return widget_->frameGeometry().top(); }
int Window::Width() const { return widget_->frameGeometry().width(); }
int Window::Height() const { return widget_->frameGeometry().height(); }
int Window::ClientWidth() const { return client_->width(); }
int Window::ClientHeight() const { return client_->height(); }

void Window::Resize(int width, int height) {
  QMargins frame;
  if (QWindow* handle = widget_->windowHandle()) frame = handle->frameMargins();
  widget_->resize(width - frame.left() - frame.right(), height - frame.top() - frame.bottom());
}

void Window::Repaint() { widget_->repaint(); }

QWidget* Window::Widget() const { return widget_.get(); }

QWidget* Window::ClientArea() const { return client_; }

}  // namespace vostrel::gui
