#include "platform/store/store_schema.h"

#include "platform/store/sqlite_handle.h"
#include "platform/store/value_binding.h"

namespace vostrel::store {
namespace {

// Marks our files so that another program's SQLite database is not taken for
// a store; the version tells this layout from earlier ones.
constexpr int kApplicationId = 0x56535452;
constexpr int kFormatVersion = 2;

bool CanBeOutOfLine(FieldType type) { return type == FieldType::kText || type == FieldType::kBytes; }

// Text and bytes columns carry no declared type: a typed column would convert
// the integer length of an out-of-line value into text.
const char* SqlType(FieldType type) { return CanBeOutOfLine(type) ? "" : " INTEGER"; }

std::string RecordsTableSql(const std::vector<FieldDef>& fields) {
  std::string sql = std::string("CREATE TABLE ") + kRecordsTable +
                    " (id INTEGER PRIMARY KEY AUTOINCREMENT, marked INTEGER NOT NULL DEFAULT 0";
  for (size_t i = 0; i < fields.size(); ++i) {
    sql += ',';
    sql += Column(static_cast<int>(i));
    sql += SqlType(fields[i].type);
  }
  return sql + ")";
}

bool InsertFieldList(sqlite3* db, const std::vector<FieldDef>& fields) {
  Statement insert(db, std::string("INSERT INTO ") + kFieldsTable + " VALUES (?,?,?)");
  for (size_t i = 0; i < fields.size(); ++i) {
    insert.Reset();
    sqlite3_bind_int(insert.get(), 1, static_cast<int>(i) + 1);
    sqlite3_bind_text(insert.get(), 2, fields[i].name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 3, static_cast<int>(fields[i].type));
    if (insert.Step() != SQLITE_DONE) return false;
  }
  return true;
}

int PragmaNumber(sqlite3* db, const char* name) {
  Statement query(db, std::string("PRAGMA ") + name);
  return query.ok() && query.Step() == SQLITE_ROW ? sqlite3_column_int(query.get(), 0) : -1;
}

}  // namespace

std::string Column(int field) {
  std::string column = "f";
  return column += std::to_string(field + 1);
}

std::string ColumnList(size_t count) {
  std::string list;
  for (size_t i = 0; i < count; ++i) {
    if (i) list += ',';
    list += Column(static_cast<int>(i));
  }
  return list;
}

int64_t ValueKey(int64_t record_id, int field) { return record_id * kMaxFields + field; }

bool IsOutOfLine(const FieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return text->size() > kInlineLimit;
  if (const auto* bytes = std::get_if<Bytes>(&value)) return bytes->data.size() > kInlineLimit;
  return false;
}

bool BindRowValue(sqlite3_stmt* stmt, int slot, const FieldValue& value) {
  if (!IsOutOfLine(value)) return BindValue(stmt, slot, value);
  const size_t size = std::holds_alternative<Bytes>(value) ? std::get<Bytes>(value).data.size()
                                                           : std::get<std::string>(value).size();
  return sqlite3_bind_int64(stmt, slot, static_cast<sqlite3_int64>(size)) == SQLITE_OK;
}

bool HoldsOutOfLine(sqlite3_stmt* stmt, int column, FieldType type) {
  return CanBeOutOfLine(type) && sqlite3_column_type(stmt, column) == SQLITE_INTEGER;
}

bool CreateTables(sqlite3* db, const std::vector<FieldDef>& fields) {
  if (fields.size() > static_cast<size_t>(kMaxFields)) return false;
  return Execute(db, "PRAGMA application_id=" + std::to_string(kApplicationId)) &&
         Execute(db, "PRAGMA journal_mode=WAL") && Execute(db, "BEGIN") &&
         Execute(db, "PRAGMA user_version=" + std::to_string(kFormatVersion)) &&
         Execute(db, std::string("CREATE TABLE ") + kFieldsTable +
                         " (position INTEGER PRIMARY KEY, name TEXT NOT NULL, type INTEGER NOT NULL)") &&
         Execute(db, RecordsTableSql(fields)) &&
         Execute(db, std::string("CREATE TABLE ") + kValuesTable + " (key INTEGER PRIMARY KEY, value)") &&
         InsertFieldList(db, fields) && Execute(db, "COMMIT");
}

bool IsStoreDatabase(sqlite3* db) {
  if (PragmaNumber(db, "application_id") != kApplicationId || PragmaNumber(db, "user_version") != kFormatVersion)
    return false;
  Statement tables(db, std::string("SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN ('") +
                           kFieldsTable + "','" + kRecordsTable + "','" + kValuesTable + "')");
  return tables.ok() && tables.Step() == SQLITE_ROW && sqlite3_column_int(tables.get(), 0) == 3;
}

bool LoadFields(sqlite3* db, std::vector<FieldDef>& fields) {
  Statement query(db, std::string("SELECT position, name, type FROM ") + kFieldsTable + " ORDER BY position");
  if (!query.ok()) return false;
  int rc;
  while ((rc = query.Step()) == SQLITE_ROW) {
    const int position = sqlite3_column_int(query.get(), 0);
    const int type = sqlite3_column_int(query.get(), 2);
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 1));
    if (position != static_cast<int>(fields.size()) + 1 || type < 1 || type > 5 || !name) return false;
    fields.push_back({name, static_cast<FieldType>(type)});
  }
  return rc == SQLITE_DONE && !fields.empty() && fields.size() <= static_cast<size_t>(kMaxFields);
}

}  // namespace vostrel::store
