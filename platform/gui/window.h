#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gui/control.h"
#include "platform/gui/menu.h"
#include "platform/gui/status_bar.h"
#include "platform/gui/tray_icon.h"

class QWidget;

namespace vostrel::gui {

class WindowWidget;

// A top-level window. Its geometry is the outer one (frame included); child
// controls sit in the client area, below the menu bar and above the status bar.
class Window {
 public:
  Window(const std::string& title, int left, int top, int width, int height);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Creates a control in the client area at its designed place; the window owns it.
  // Extra arguments go to the control's constructor after its parent and name.
  template <class T, class... Args>
  T* Add(std::string name, int left, int top, int width, int height, Args&&... args) {
    auto control = std::make_unique<T>(ClientArea(), std::move(name), std::forward<Args>(args)...);
    T* result = control.get();
    result->Move(left, top, width, height);
    controls_.push_back(std::move(control));
    return result;
  }

  // The control of that designed name and kind, or nullptr.
  template <class T>
  T* FindControl(const std::string& name) const {
    for (const auto& control : controls_)
      if (control->Name() == name) return dynamic_cast<T*>(control.get());
    return nullptr;
  }

  gui::MenuBar& MenuBar();
  // A menu that is not in the menu bar, owned by the window (a pop-up menu).
  Menu* AddPopupMenu(const std::string& caption);
  gui::StatusBar* AddStatusBar(const std::vector<int>& pane_widths);
  gui::StatusBar* StatusBar() const { return status_bar_.get(); }
  // The window's notification-area icon; it leaves the tray when the window goes.
  TrayIcon& Tray();

  // Shows the window; when it was not open, on_created runs once it is on screen.
  void Show();
  // Closes the window when events next run; on_destroying runs once.
  void Destroy();
  // Closes the window now, as the close box does.
  void Close();
  bool IsOpen() const { return open_; }

  std::string Title() const;
  void SetTitle(const std::string& title);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void Resize(int width, int height);
  void Repaint();

  std::function<void()> on_created;
  std::function<void()> on_destroying;
  std::function<void()> on_size_changed;

  QWidget* Widget() const;      // for platform code only
  QWidget* ClientArea() const;  // for platform code only

 private:
  friend class WindowWidget;
  void HandleClose();

  std::unique_ptr<WindowWidget> widget_;
  QWidget* client_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<gui::MenuBar> menu_bar_;
  std::vector<std::unique_ptr<Menu>> popup_menus_;
  std::unique_ptr<gui::StatusBar> status_bar_;
  std::unique_ptr<TrayIcon> tray_;
  bool open_ = false;
};

}  // namespace vostrel::gui
