#pragma once

// Internal to the store engine: field values in and out of SQLite statements.

#include <sqlite3.h>

#include "platform/store/field.h"

namespace vostrel::store {

// Binds the value itself; false when SQLite refuses it.
bool BindValue(sqlite3_stmt* stmt, int slot, const FieldValue& value);

// The value of a result column; NULL reads as the type's empty value.
FieldValue ColumnValue(sqlite3_stmt* stmt, int column, FieldType type);

}  // namespace vostrel::store
