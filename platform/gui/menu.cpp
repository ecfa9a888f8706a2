#include "platform/gui/menu.h"

#include <QAction>
#include <QCursor>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

using detail::FromQt;
using detail::ToQt;

MenuItem::MenuItem(QAction* action) : action_(action) {
  QObject::connect(action_, &QAction::triggered, [this] {
    if (on_click) on_click();
  });
}

std::string MenuItem::Caption() const { return FromQt(action_->text()); }

std::string MenuItem::Shortcut() const {
  return FromQt(action_->shortcut().toString(QKeySequence::PortableText));
}

bool MenuItem::IsEnabled() const { return action_->isEnabled(); }

void MenuItem::SetEnabled(bool enabled) { action_->setEnabled(enabled); }

Menu::Menu(const std::string& caption, QWidget* owner)
    : menu_(std::make_unique<QMenu>(ToQt(caption), owner)) {}

Menu::~Menu() {
  items_.clear();
  menu_.reset();
}

std::string Menu::Caption() const { return FromQt(menu_->title()); }

MenuItem* Menu::AddItem(const std::string& caption, const std::string& shortcut) {
  QAction* action = menu_->addAction(ToQt(caption));
  if (!shortcut.empty()) {
    action->setShortcut(QKeySequence(ToQt(shortcut), QKeySequence::PortableText));
    action->setShortcutContext(Qt::WindowShortcut);
  }
  items_.push_back(std::make_unique<MenuItem>(action));
  return items_.back().get();
}

void Menu::AddSeparator() { menu_->addSeparator(); }

void Menu::Popup() { menu_->popup(QCursor::pos()); }

bool Menu::IsPoppedUp() const { return menu_->isVisible(); }

void Menu::ClosePopup() { menu_->hide(); }

MenuBar::MenuBar(QMenuBar* bar, QWidget* owner) : bar_(bar), owner_(owner) {}

MenuBar::~MenuBar() = default;

Menu* MenuBar::AddMenu(const std::string& caption) {
  menus_.push_back(std::make_unique<Menu>(caption, owner_));
  bar_->addMenu(menus_.back()->QtMenu());
  return menus_.back().get();
}

}  // namespace vostrel::gui
