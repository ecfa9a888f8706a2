#include "platform/gui/check_box.h"

#include <QCheckBox>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

CheckBox::CheckBox(QWidget* parent, std::string name, const std::string& caption)
    // Clicks come from the clicked signal, so the space bar clicks too.
    : Control(std::move(name), new QCheckBox(detail::ToQt(caption), parent), nullptr, false),
      box_(static_cast<QCheckBox*>(Widget())) {
  QObject::connect(box_, &QCheckBox::clicked, [this] {
    if (on_click) on_click();
  });
}

std::string CheckBox::Caption() const { return detail::FromQt(box_->text()); }

bool CheckBox::IsChecked() const { return box_->isChecked(); }

void CheckBox::SetChecked(bool checked) { box_->setChecked(checked); }

}  // namespace vostrel::gui
