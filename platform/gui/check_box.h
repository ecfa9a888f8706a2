#pragma once

#include <string>

#include "platform/gui/control.h"

class QCheckBox;

namespace vostrel::gui {

class CheckBox : public Control {
 public:
  CheckBox(QWidget* parent, std::string name, const std::string& caption);

  std::string Caption() const;
  bool IsChecked() const;
  void SetChecked(bool checked);

 private:
  QCheckBox* box_;
};

}  // namespace vostrel::gui
