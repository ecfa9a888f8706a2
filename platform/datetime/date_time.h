#pragma once

#include <cstdint>

namespace vostrel {

// A moment as the stores keep it: whole seconds since 1899-12-30 00:00:00 in
// local civil time. No zone is applied anywhere; the zero value is that day.
struct DateTime {
  int64_t seconds = 0;
  friend bool operator==(DateTime, DateTime) = default;
};

struct CivilTime {
  int64_t year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

inline constexpr int64_t kZeroDateDays = DaysFromCivil(1899, 12, 30);

constexpr DateTime ToDateTime(const CivilTime& c) {
  const int64_t days = DaysFromCivil(c.year, c.month, c.day) - kZeroDateDays;
  return DateTime{days * 86400 + c.hour * 3600 + c.minute * 60 + c.second};
}

constexpr CivilTime ToCivil(DateTime t) {
  int64_t days = t.seconds / 86400;
  int64_t rest = t.seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  int64_t z = days + kZeroDateDays + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  CivilTime c;
  c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  c.year = yoe + era * 400 + (c.month <= 2);
  c.hour = static_cast<int>(rest / 3600);
  c.minute = static_cast<int>(rest % 3600 / 60);
  c.second = static_cast<int>(rest % 60);
  return c;
}

}  // namespace vostrel
