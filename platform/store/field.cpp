#include "platform/store/field.h"

namespace vostrel::store {

FieldValue EmptyValue(FieldType type) {
  switch (type) {
    case FieldType::kText: return std::string();
    case FieldType::kInteger: return int32_t{0};
    case FieldType::kDateTime: return DateTime{};
    case FieldType::kBytes: return Bytes{};
    case FieldType::kBoolean: return false;
  }
  return std::string();
}

bool HasType(const FieldValue& value, FieldType type) {
  return value.index() == EmptyValue(type).index();
}

const char* FieldTypeName(FieldType type) {
  switch (type) {
    case FieldType::kText: return "text";
    case FieldType::kInteger: return "integer";
    case FieldType::kDateTime: return "datetime";
    case FieldType::kBytes: return "bytes";
    case FieldType::kBoolean: return "boolean";
  }
  return "?";
}

}  // namespace vostrel::store
