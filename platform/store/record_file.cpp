#include "platform/store/record_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/store/sqlite_handle.h"

namespace vostrel::store {
namespace {

// Marks our files so that another program's SQLite database is not taken for a store.
constexpr int kApplicationId = 0x56535452;
constexpr const char* kFieldsTable = "store_fields";
constexpr const char* kRecordsTable = "store_records";

std::string Column(int field) { return "f" + std::to_string(field + 1); }

std::string ColumnList(size_t count) {
  std::string list;
  for (size_t i = 0; i < count; ++i) list += (i ? "," : "") + Column(static_cast<int>(i));
  return list;
}

const char* SqlType(FieldType type) {
  switch (type) {
    case FieldType::kText: return "TEXT";
    case FieldType::kBytes: return "BLOB";
    default: return "INTEGER";
  }
}

bool Bind(sqlite3_stmt* stmt, int slot, const FieldValue& value) {
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

void RemoveFileAndJournals(const std::string& path) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"})
    std::filesystem::remove(path + suffix, ignored);
}

void CloseDb(sqlite3* db) { sqlite3_close_v2(db); }
using DbHandle = std::unique_ptr<sqlite3, decltype(&CloseDb)>;

DbHandle OpenDb(const std::string& path, int flags) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
  DbHandle db(raw, &CloseDb);
  if (rc != SQLITE_OK) return DbHandle(nullptr, &CloseDb);
  sqlite3_busy_timeout(db.get(), 5000);
  return db;
}

bool IsStoreDatabase(sqlite3* db) {
  Statement id(db, "PRAGMA application_id");
  if (!id.ok() || id.Step() != SQLITE_ROW || sqlite3_column_int(id.get(), 0) != kApplicationId) return false;
  Statement tables(db, std::string("SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN ('") +
                           kFieldsTable + "','" + kRecordsTable + "')");
  return tables.ok() && tables.Step() == SQLITE_ROW && sqlite3_column_int(tables.get(), 0) == 2;
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
  return rc == SQLITE_DONE && !fields.empty();
}

bool CreateTables(sqlite3* db, const std::vector<FieldDef>& fields) {
  std::string records = std::string("CREATE TABLE ") + kRecordsTable +
                        " (id INTEGER PRIMARY KEY AUTOINCREMENT, marked INTEGER NOT NULL DEFAULT 0";
  for (size_t i = 0; i < fields.size(); ++i)
    records += "," + Column(static_cast<int>(i)) + " " + SqlType(fields[i].type);
  records += ")";
  if (!Execute(db, "PRAGMA application_id=" + std::to_string(kApplicationId)) ||
      !Execute(db, "PRAGMA journal_mode=WAL") || !Execute(db, "BEGIN") ||
      !Execute(db, std::string("CREATE TABLE ") + kFieldsTable +
                       " (position INTEGER PRIMARY KEY, name TEXT NOT NULL, type INTEGER NOT NULL)") ||
      !Execute(db, records))
    return false;
  Statement insert(db, std::string("INSERT INTO ") + kFieldsTable + " VALUES (?,?,?)");
  for (size_t i = 0; i < fields.size(); ++i) {
    insert.Reset();
    sqlite3_bind_int(insert.get(), 1, static_cast<int>(i) + 1);
    sqlite3_bind_text(insert.get(), 2, fields[i].name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 3, static_cast<int>(fields[i].type));
    if (insert.Step() != SQLITE_DONE) return false;
  }
  return Execute(db, "COMMIT");
}

}  // namespace

struct RecordFile::Impl {
  DbHandle db{nullptr, &CloseDb};
  std::vector<FieldDef> fields;
  std::vector<int64_t> ids;  // record ids in store order; position = index
  mutable std::vector<Statement> read_field;  // one prepared read per field
  Statement append;
  int transaction_depth = 0;

  bool LoadIds() {
    ids.clear();
    Statement query(db.get(), std::string("SELECT id FROM ") + kRecordsTable + " ORDER BY id");
    if (!query.ok()) return false;
    int rc;
    while ((rc = query.Step()) == SQLITE_ROW) ids.push_back(sqlite3_column_int64(query.get(), 0));
    return rc == SQLITE_DONE;
  }

  bool Prepare() {
    const std::string columns = ColumnList(fields.size());
    if (!Statement(db.get(), "SELECT id, marked, " + columns + " FROM " + kRecordsTable + " LIMIT 0").ok())
      return false;
    for (size_t i = 0; i < fields.size(); ++i)
      read_field.emplace_back(db.get(), "SELECT " + Column(static_cast<int>(i)) + " FROM " + kRecordsTable +
                                            " WHERE id=?");
    std::string slots;
    for (size_t i = 0; i < fields.size(); ++i) slots += ",?";
    append = Statement(db.get(), std::string("INSERT INTO ") + kRecordsTable + " (marked," + columns +
                                     ") VALUES (0" + slots + ")");
    return append.ok();
  }

  bool ValidPosition(int64_t position) const {
    return position >= 0 && position < static_cast<int64_t>(ids.size());
  }

  bool ValidValue(int field, const FieldValue& value) const {
    return field >= 0 && field < static_cast<int>(fields.size()) && HasType(value, fields[field].type);
  }

  // Runs one data-changing statement; outside a transaction it commits on its own.
  bool Run(Statement& stmt) {
    const bool done = stmt.Step() == SQLITE_DONE;
    stmt.Reset();
    return done;
  }
};

RecordFile::RecordFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
RecordFile::~RecordFile() {
  if (impl_ && impl_->transaction_depth > 0) Execute(impl_->db.get(), "ROLLBACK");
}

std::unique_ptr<RecordFile> RecordFile::Open(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) == 0)
    return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->db = OpenDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX);
  if (!impl->db || !IsStoreDatabase(impl->db.get()) || !LoadFields(impl->db.get(), impl->fields) ||
      !impl->Prepare())
    return nullptr;
  // WAL with FULL sync: a commit that returned is on disk before we report success.
  Execute(impl->db.get(), "PRAGMA journal_mode=WAL");
  Execute(impl->db.get(), "PRAGMA synchronous=FULL");
  if (!impl->LoadIds()) return nullptr;
  return std::unique_ptr<RecordFile>(new RecordFile(std::move(impl)));
}

bool RecordFile::Create(const std::string& path, const std::vector<FieldDef>& fields, bool replace) {
  std::error_code error;
  if (fields.empty()) return false;
  if (std::filesystem::exists(path, error)) {
    if (!replace) return false;
  }
  RemoveFileAndJournals(path);
  DbHandle db = OpenDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (!db || !CreateTables(db.get(), fields)) {
    db.reset();
    RemoveFileAndJournals(path);
    return false;
  }
  return true;
}

const std::vector<FieldDef>& RecordFile::Fields() const { return impl_->fields; }

int RecordFile::FieldIndex(const std::string& name) const {
  for (size_t i = 0; i < impl_->fields.size(); ++i)
    if (impl_->fields[i].name == name) return static_cast<int>(i);
  return -1;
}

int64_t RecordFile::Count() const { return static_cast<int64_t>(impl_->ids.size()); }

FieldValue RecordFile::Read(int64_t position, int field) const {
  if (field < 0 || field >= static_cast<int>(impl_->fields.size())) return std::string();
  const FieldType type = impl_->fields[field].type;
  if (!impl_->ValidPosition(position)) return EmptyValue(type);
  Statement& read = impl_->read_field[field];
  sqlite3_bind_int64(read.get(), 1, impl_->ids[position]);
  FieldValue value = read.Step() == SQLITE_ROW ? ColumnValue(read.get(), 0, type) : EmptyValue(type);
  read.Reset();
  return value;
}

bool RecordFile::IsMarked(int64_t position) const {
  if (!impl_->ValidPosition(position)) return false;
  Statement query(impl_->db.get(), std::string("SELECT marked FROM ") + kRecordsTable + " WHERE id=?");
  sqlite3_bind_int64(query.get(), 1, impl_->ids[position]);
  return query.Step() == SQLITE_ROW && sqlite3_column_int(query.get(), 0) != 0;
}

int64_t RecordFile::FindEqual(int field, const FieldValue& value, int64_t from) const {
  if (!impl_->ValidValue(field, value) || from < 0 || from >= Count()) return -1;
  const std::string column = Column(field);
  Execute(impl_->db.get(), "CREATE INDEX IF NOT EXISTS index_" + column + " ON " + kRecordsTable + "(" + column +
                               ",id)");
  // A field left out when its record was added holds NULL, which reads as the empty value.
  const bool empty = value == EmptyValue(impl_->fields[field].type);
  const std::string match = empty ? "(" + column + "=? OR " + column + " IS NULL)" : column + "=?";
  Statement query(impl_->db.get(), "SELECT id FROM " + std::string(kRecordsTable) + " WHERE " + match +
                                       " AND id>=? ORDER BY id LIMIT 1");
  if (!Bind(query.get(), 1, value)) return -1;
  sqlite3_bind_int64(query.get(), 2, impl_->ids[from]);
  if (query.Step() != SQLITE_ROW) return -1;
  const int64_t id = sqlite3_column_int64(query.get(), 0);
  const auto found = std::lower_bound(impl_->ids.begin(), impl_->ids.end(), id);
  return found != impl_->ids.end() && *found == id ? found - impl_->ids.begin() : -1;
}

bool RecordFile::Append(const std::vector<std::optional<FieldValue>>& values) {
  if (values.size() > impl_->fields.size()) return false;
  Statement& append = impl_->append;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!values[i]) continue;
    if (!impl_->ValidValue(static_cast<int>(i), *values[i]) ||
        !Bind(append.get(), static_cast<int>(i) + 1, *values[i])) {
      append.Reset();
      return false;
    }
  }
  if (!impl_->Run(append)) return false;
  impl_->ids.push_back(sqlite3_last_insert_rowid(impl_->db.get()));
  return true;
}

bool RecordFile::Modify(int64_t position, const std::vector<FieldValue>& values) {
  if (!impl_->ValidPosition(position) || values.empty() || values.size() > impl_->fields.size()) return false;
  std::string sql = std::string("UPDATE ") + kRecordsTable + " SET ";
  for (size_t i = 0; i < values.size(); ++i) sql += (i ? "," : "") + Column(static_cast<int>(i)) + "=?";
  Statement update(impl_->db.get(), sql + " WHERE id=?");
  for (size_t i = 0; i < values.size(); ++i)
    if (!impl_->ValidValue(static_cast<int>(i), values[i]) ||
        !Bind(update.get(), static_cast<int>(i) + 1, values[i]))
      return false;
  sqlite3_bind_int64(update.get(), static_cast<int>(values.size()) + 1, impl_->ids[position]);
  return impl_->Run(update);
}

bool RecordFile::Write(int64_t position, int field, const FieldValue& value) {
  if (!impl_->ValidPosition(position) || !impl_->ValidValue(field, value)) return false;
  Statement update(impl_->db.get(),
                   std::string("UPDATE ") + kRecordsTable + " SET " + Column(field) + "=? WHERE id=?");
  if (!Bind(update.get(), 1, value)) return false;
  sqlite3_bind_int64(update.get(), 2, impl_->ids[position]);
  return impl_->Run(update);
}

bool RecordFile::Mark(int64_t position) {
  if (!impl_->ValidPosition(position)) return false;
  Statement update(impl_->db.get(), std::string("UPDATE ") + kRecordsTable + " SET marked=1 WHERE id=?");
  sqlite3_bind_int64(update.get(), 1, impl_->ids[position]);
  return impl_->Run(update);
}

bool RecordFile::Purge() {
  Statement purge(impl_->db.get(), std::string("DELETE FROM ") + kRecordsTable + " WHERE marked<>0");
  const bool done = impl_->Run(purge);
  impl_->LoadIds();
  return done;
}

bool RecordFile::CopyTo(const std::string& path, const std::vector<int64_t>& positions) const {
  for (int64_t position : positions)
    if (!impl_->ValidPosition(position)) return false;
  if (!Create(path, impl_->fields, true)) return false;
  DbHandle copy = OpenDb(path, SQLITE_OPEN_READWRITE);
  if (!copy) return false;
  const std::string columns = ColumnList(impl_->fields.size());
  std::string slots;
  for (size_t i = 0; i < impl_->fields.size(); ++i) slots += i ? ",?" : "?";
  Statement read(impl_->db.get(), "SELECT " + columns + " FROM " + kRecordsTable + " WHERE id=?");
  Statement insert(copy.get(), std::string("INSERT INTO ") + kRecordsTable + " (" + columns + ") VALUES (" +
                                   slots + ")");
  if (!read.ok() || !insert.ok() || !Execute(copy.get(), "BEGIN")) return false;
  for (int64_t position : positions) {
    read.Reset();
    insert.Reset();
    sqlite3_bind_int64(read.get(), 1, impl_->ids[position]);
    if (read.Step() != SQLITE_ROW) return false;
    for (int column = 0; column < static_cast<int>(impl_->fields.size()); ++column)
      sqlite3_bind_value(insert.get(), column + 1, sqlite3_column_value(read.get(), column));
    if (insert.Step() != SQLITE_DONE) return false;
  }
  return Execute(copy.get(), "COMMIT");
}

bool RecordFile::Begin() {
  if (impl_->transaction_depth == 0 && !Execute(impl_->db.get(), "BEGIN IMMEDIATE")) return false;
  ++impl_->transaction_depth;
  return true;
}

bool RecordFile::Commit() {
  if (impl_->transaction_depth == 0) return false;
  if (impl_->transaction_depth == 1 && !Execute(impl_->db.get(), "COMMIT")) {
    Rollback();
    return false;
  }
  --impl_->transaction_depth;
  return true;
}

void RecordFile::Rollback() {
  if (impl_->transaction_depth == 0) return;
  Execute(impl_->db.get(), "ROLLBACK");
  impl_->transaction_depth = 0;
  impl_->LoadIds();
}

}  // namespace vostrel::store
