#pragma once

#include <string>

#include "platform/datetime/date_time.h"
#include "platform/gui/control.h"

class QDateEdit;

namespace vostrel::gui {

// A date picker. It holds a day: Date() is that day at 00:00:00.
class DateBox : public Control {
 public:
  DateBox(QWidget* parent, std::string name);

  DateTime Date() const;
  void SetDate(DateTime date);  // the time of day is dropped

 private:
  QDateEdit* edit_;
};

}  // namespace vostrel::gui
