#pragma once

// Internal to the store engine: the layout of a store file.
//
// store_fields  (position, name, type)      the field list
// store_records (id, marked, f1 .. fN)      one row per record, in id order
// store_values  (key, value)                text and bytes values too long
//                                           to keep in the row
//
// A long value's row column holds its length as an integer instead of the
// value, so reading a short field never walks the long values' pages, and an
// equality search on a long value narrows to the rows of the same length.

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/store/field.h"

namespace vostrel::store {

inline constexpr const char* kFieldsTable = "store_fields";
inline constexpr const char* kRecordsTable = "store_records";
inline constexpr const char* kValuesTable = "store_values";

// Values longer than this many bytes go to store_values.
inline constexpr size_t kInlineLimit = 256;
// Room for each record's fields in the store_values key space.
inline constexpr int kMaxFields = 4096;

std::string Column(int field);
// Comma-separated columns of fields 0 .. count-1.
std::string ColumnList(size_t count);

// The store_values key of one field of one record; a record's keys are contiguous.
int64_t ValueKey(int64_t record_id, int field);

bool IsOutOfLine(const FieldValue& value);
// Binds what the row column holds for this value: the value, or its length.
bool BindRowValue(sqlite3_stmt* stmt, int slot, const FieldValue& value);
// Whether the row column read holds the length of an out-of-line value.
bool HoldsOutOfLine(sqlite3_stmt* stmt, int column, FieldType type);

// Writes the tables of an empty store into a new database.
bool CreateTables(sqlite3* db, const std::vector<FieldDef>& fields);
// Whether the database is a store file of this format.
bool IsStoreDatabase(sqlite3* db);
bool LoadFields(sqlite3* db, std::vector<FieldDef>& fields);

}  // namespace vostrel::store
