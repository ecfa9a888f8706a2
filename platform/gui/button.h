#pragma once

#include <string>

#include "platform/gui/control.h"

class QPushButton;

namespace vostrel::gui {

// A push button; on_click runs when it is pressed, by mouse or keyboard.
class Button : public Control {
 public:
  Button(QWidget* parent, std::string name, const std::string& caption);

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool IsEnabled() const;
  void SetEnabled(bool enabled);

 private:
  QPushButton* button_;
};

}  // namespace vostrel::gui
