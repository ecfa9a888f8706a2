#include "browser/date_text.h"

#include <cstdio>

namespace vostrel::browser {
namespace {

constexpr CivilTime kEarliest{100, 1, 1, 0, 0, 0};
constexpr CivilTime kLatest{9999, 12, 31, 23, 59, 59};

CivilTime Clamped(DateTime when) {
  if (when.seconds < ToDateTime(kEarliest).seconds) return kEarliest;
  if (when.seconds > ToDateTime(kLatest).seconds) return kLatest;
  return ToCivil(when);
}

}  // namespace

std::string DateText(DateTime when) {
  const CivilTime c = Clamped(when);
  char text[96];
  int length = std::snprintf(text, sizeof text, "%d年%d月%d日", static_cast<int>(c.year), c.month, c.day);
  const size_t rest = sizeof text - static_cast<size_t>(length);
  if (c.second != 0)
    std::snprintf(text + length, rest, "%d时%d分%d秒", c.hour, c.minute, c.second);
  else if (c.minute != 0)
    std::snprintf(text + length, rest, "%d时%d分", c.hour, c.minute);
  else if (c.hour != 0)
    std::snprintf(text + length, rest, "%d时", c.hour);
  return text;
}

}  // namespace vostrel::browser
