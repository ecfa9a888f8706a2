#include "platform/mime/mail_date.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace vostrel::mime {
namespace {

constexpr std::array<const char*, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                 "jul", "aug", "sep", "oct", "nov", "dec"};

std::vector<std::string> Tokens(std::string_view value) {
  std::vector<std::string> tokens;
  std::string current;
  int comment_depth = 0;
  for (char c : value) {
    if (c == '(') ++comment_depth;
    if (comment_depth > 0 || c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n') {
      if (!current.empty()) tokens.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
    if (c == ')' && comment_depth > 0) --comment_depth;
  }
  if (!current.empty()) tokens.push_back(current);
  return tokens;
}

bool ReadNumber(std::string_view s, int& value, size_t min_digits, size_t max_digits) {
  if (s.size() < min_digits || s.size() > max_digits) return false;
  value = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

int MonthNumber(std::string_view s) {
  if (s.size() < 3) return 0;
  std::string prefix;
  for (size_t i = 0; i < 3; ++i) prefix.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(s[i]))));
  for (size_t i = 0; i < kMonths.size(); ++i) {
    if (prefix == kMonths[i]) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool ReadYear(std::string_view s, int64_t& year) {
  int value = 0;
  if (!ReadNumber(s, value, 2, 4)) return false;
  if (s.size() == 2) value += value < 50 ? 2000 : 1900;
  else if (s.size() == 3) value += 1900;  // RFC 5322 obsolete three-digit form
  year = value;
  return true;
}

// "HH:MM" or "HH:MM:SS".
bool ReadClock(std::string_view s, CivilTime& c) {
  const size_t first = s.find(':');
  if (first == std::string_view::npos) return false;
  const size_t second = s.find(':', first + 1);
  const std::string_view minutes = s.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                                        : second - first - 1);
  if (!ReadNumber(s.substr(0, first), c.hour, 1, 2) || !ReadNumber(minutes, c.minute, 1, 2)) return false;
  if (second != std::string_view::npos && !ReadNumber(s.substr(second + 1), c.second, 1, 2)) return false;
  return c.hour <= 23 && c.minute <= 59 && c.second <= 60;
}

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

DateTime ParseMailDate(std::string_view value) {
  const std::vector<std::string> tokens = Tokens(value);
  // Find "day month year", or "month day year" as some mailers write it.
  for (size_t i = 0; i + 2 < tokens.size(); ++i) {
    CivilTime c;
    c.hour = c.minute = c.second = 0;
    int month = MonthNumber(tokens[i + 1]);
    bool found = month != 0 && ReadNumber(tokens[i], c.day, 1, 2);
    if (!found) {
      month = MonthNumber(tokens[i]);
      found = month != 0 && ReadNumber(tokens[i + 1], c.day, 1, 2);
    }
    if (!found || !ReadYear(tokens[i + 2], c.year)) continue;
    c.month = month;
    if (c.day < 1 || c.day > DaysInMonth(c.year, c.month)) return DateTime{};
    if (i + 3 < tokens.size() && tokens[i + 3].find(':') != std::string::npos && !ReadClock(tokens[i + 3], c)) {
      return DateTime{};
    }
    return ToDateTime(c);
  }
  return DateTime{};
}

}  // namespace vostrel::mime
