#pragma once

#include <string>

#include "platform/gui/control.h"

class QGroupBox;

namespace vostrel::gui {

// A captioned frame. Controls are not its children: they sit in the window over it.
class GroupBox : public Control {
 public:
  GroupBox(QWidget* parent, std::string name, const std::string& caption);

  std::string Caption() const;

 private:
  QGroupBox* box_;
};

}  // namespace vostrel::gui
