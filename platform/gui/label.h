#pragma once

#include <string>

#include "platform/gui/control.h"

class QLabel;

namespace vostrel::gui {

class Label : public Control {
 public:
  Label(QWidget* parent, std::string name, const std::string& caption = "");

  std::string Caption() const;
  void SetCaption(const std::string& caption);

 private:
  QLabel* label_;
};

}  // namespace vostrel::gui
