#include "platform/gui/group_box.h"

#include <QGroupBox>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

GroupBox::GroupBox(QWidget* parent, std::string name, const std::string& caption)
    : Control(std::move(name), new QGroupBox(detail::ToQt(caption), parent)),
      box_(static_cast<QGroupBox*>(Widget())) {
  box_->lower();  // controls added later over the frame stay on top
}

std::string GroupBox::Caption() const { return detail::FromQt(box_->title()); }

}  // namespace vostrel::gui
