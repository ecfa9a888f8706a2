#include "platform/gui/date_box.h"

#include <QDate>
#include <QDateEdit>

namespace vostrel::gui {

DateBox::DateBox(QWidget* parent, std::string name)
    : Control(std::move(name), new QDateEdit(parent)), edit_(static_cast<QDateEdit*>(Widget())) {
  edit_->setCalendarPopup(true);
  edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  edit_->setMinimumDate(QDate(100, 1, 1));
  edit_->setMaximumDate(QDate(9999, 12, 31));
}

DateTime DateBox::Date() const {
  const QDate date = edit_->date();
  CivilTime civil;
  civil.year = date.year();
  civil.month = date.month();
  civil.day = date.day();
  return ToDateTime(civil);
}

void DateBox::SetDate(DateTime date) {
  const CivilTime civil = ToCivil(date);
  edit_->setDate(QDate(static_cast<int>(civil.year), civil.month, civil.day));
}

}  // namespace vostrel::gui
