#include "platform/gui/label.h"

#include <QLabel>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

Label::Label(QWidget* parent, std::string name, const std::string& caption)
    : Control(std::move(name), new QLabel(parent)), label_(static_cast<QLabel*>(Widget())) {
  label_->setTextFormat(Qt::PlainText);  // a caption is never markup
  SetCaption(caption);
}

std::string Label::Caption() const { return detail::FromQt(label_->text()); }

void Label::SetCaption(const std::string& caption) { label_->setText(detail::ToQt(caption)); }

}  // namespace vostrel::gui
