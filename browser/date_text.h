#pragma once

#include <string>

#include "platform/datetime/date_time.h"

namespace vostrel::browser {

// The one form in which a date-time is shown: "2013年8月24日10时5分". The time
// of day is cut after its last non-zero unit; years are kept within 100..9999.
std::string DateText(DateTime when);

}  // namespace vostrel::browser
