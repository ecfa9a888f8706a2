#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace vostrel::gui {

class MenuItem {
 public:
  explicit MenuItem(QAction* action);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::string Caption() const;
  std::string Shortcut() const;  // as given, e.g. "Ctrl+S"; empty when none
  bool IsEnabled() const;
  void SetEnabled(bool enabled);

  // Runs on a click or the accelerator; a disabled item does nothing.
  std::function<void()> on_click;

  QAction* Action() const { return action_; }  // for platform code only

 private:
  QAction* action_;
};

// A drop-down menu. It can sit in a window's menu bar and pop up elsewhere too.
class Menu {
 public:
  explicit Menu(const std::string& caption, QWidget* owner = nullptr);
  ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  std::string Caption() const;
  // shortcut: key text such as "Ctrl+S", or empty.
  MenuItem* AddItem(const std::string& caption, const std::string& shortcut = "");
  void AddSeparator();
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  // Pops the menu up at the mouse position and returns at once.
  void Popup();
  bool IsPoppedUp() const;
  void ClosePopup();

  QMenu* QtMenu() const { return menu_.get(); }  // for platform code only

 private:
  std::unique_ptr<QMenu> menu_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The menu bar of a window; it owns the menus added to it.
class MenuBar {
 public:
  explicit MenuBar(QMenuBar* bar, QWidget* owner);
  ~MenuBar();
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;

  Menu* AddMenu(const std::string& caption);
  const std::vector<std::unique_ptr<Menu>>& Menus() const { return menus_; }

 private:
  QMenuBar* bar_;
  QWidget* owner_;
  std::vector<std::unique_ptr<Menu>> menus_;
};

}  // namespace vostrel::gui
