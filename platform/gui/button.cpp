#include "platform/gui/button.h"

#include <QPushButton>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

Button::Button(QWidget* parent, std::string name, const std::string& caption)
    // Clicks come from the clicked signal, so a key press clicks too.
    : Control(std::move(name), new QPushButton(detail::ToQt(caption), parent), nullptr, false),
      button_(static_cast<QPushButton*>(Widget())) {
  QObject::connect(button_, &QPushButton::clicked, [this] {
    if (on_click) on_click();
  });
}

std::string Button::Caption() const { return detail::FromQt(button_->text()); }

void Button::SetCaption(const std::string& caption) { button_->setText(detail::ToQt(caption)); }

bool Button::IsEnabled() const { return button_->isEnabled(); }

void Button::SetEnabled(bool enabled) { button_->setEnabled(enabled); }

}  // namespace vostrel::gui
