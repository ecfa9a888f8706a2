#include "platform/store/value_binding.h"

#include <string>

namespace vostrel::store {

bool BindValue(sqlite3_stmt* stmt, int slot, const FieldValue& value) {
  struct Binder {
    sqlite3_stmt* stmt;
    int slot;
    int operator()(const std::string& text) const {
      return sqlite3_bind_text64(stmt, slot, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    int operator()(int32_t number) const { return sqlite3_bind_int64(stmt, slot, number); }
    int operator()(DateTime when) const { return sqlite3_bind_int64(stmt, slot, when.seconds); }
    int operator()(const Bytes& bytes) const {
      return sqlite3_bind_blob64(stmt, slot, bytes.data.data(), bytes.data.size(), SQLITE_TRANSIENT);
    }
    int operator()(bool flag) const { return sqlite3_bind_int(stmt, slot, flag ? 1 : 0); }
  };
  return std::visit(Binder{stmt, slot}, value) == SQLITE_OK;
}

FieldValue ColumnValue(sqlite3_stmt* stmt, int column, FieldType type) {
  if (sqlite3_column_type(stmt, column) == SQLITE_NULL) return EmptyValue(type);
  switch (type) {
    case FieldType::kText: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
      return std::string(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
    }
    case FieldType::kBytes: {
      const auto* blob = static_cast<const char*>(sqlite3_column_blob(stmt, column));
      return Bytes{std::string(blob ? blob : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column)))};
    }
    case FieldType::kInteger: return static_cast<int32_t>(sqlite3_column_int64(stmt, column));
    case FieldType::kDateTime: return DateTime{sqlite3_column_int64(stmt, column)};
    case FieldType::kBoolean: return sqlite3_column_int(stmt, column) != 0;
  }
  return EmptyValue(type);
}

}  // namespace vostrel::store
