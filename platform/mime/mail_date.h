#pragma once

#include <string_view>

#include "platform/datetime/date_time.h"

namespace vostrel::mime {

// The date and clock time of a Date header as written (the zone offset is
// not applied). Two-digit years: 00-49 are 20xx, 50-99 are 19xx. An unusable
// value gives the zero DateTime.
DateTime ParseMailDate(std::string_view value);

}  // namespace vostrel::mime
