#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/datetime/date_time.h"

namespace vostrel::store {

enum class FieldType { kText = 1, kInteger = 2, kDateTime = 3, kBytes = 4, kBoolean = 5 };

struct FieldDef {
  std::string name;
  FieldType type;
};

// A block of any length; kept apart from text so a value knows its type.
struct Bytes {
  std::string data;
  friend bool operator==(const Bytes&, const Bytes&) = default;
};

// One field's value: text (UTF-8), 32-bit integer, date-time, bytes, boolean.
using FieldValue = std::variant<std::string, int32_t, DateTime, Bytes, bool>;

// The value an absent field holds: empty text, 0, the zero date-time, no bytes, false.
FieldValue EmptyValue(FieldType type);

// Whether the value's alternative is the one the field type stores.
bool HasType(const FieldValue& value, FieldType type);

const char* FieldTypeName(FieldType type);

}  // namespace vostrel::store
