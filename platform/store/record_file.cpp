#include "platform/store/record_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <span>
#include <system_error>

#include "platform/store/sqlite_handle.h"
#include "platform/store/store_schema.h"
#include "platform/store/value_binding.h"

namespace vostrel::store {
namespace {

void RemoveFileAndJournals(const std::string& path) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"})
    std::filesystem::remove(path + suffix, ignored);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

// Reads run against a memory map of the file and keep the short rows of a
// large store cached; neither changes what reaches the disk.
void TuneConnection(sqlite3* db) {
  Execute(db, "PRAGMA mmap_size=268435456");
  Execute(db, "PRAGMA cache_size=-16384");
}

// How long a burst of reads may share one read transaction.
constexpr std::chrono::milliseconds kSnapshotAge{100};

}  // namespace

struct RecordFile::Impl {
  DbHandle db;
  std::vector<FieldDef> fields;
  std::vector<int64_t> ids;  // record ids in store order; position = index
  mutable std::vector<Statement> read_field;  // one prepared read per field
  mutable Statement read_value;
  mutable Statement read_marked;
  Statement append;
  Statement store_value;
  Statement drop_values;
  int transaction_depth = 0;
  mutable std::vector<bool> indexed;  // fields whose equality index is known to exist
  mutable bool snapshot_open = false;
  mutable std::chrono::steady_clock::time_point snapshot_start;

  // Reads outside a transaction share one read transaction for up to
  // kSnapshotAge: each transaction of its own would cost SQLite's lock
  // system calls, which are most of a small read. A read thus sees every
  // write of another process committed before its burst of reads began.
  void EnterSnapshot() const {
    if (transaction_depth > 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (snapshot_open && now - snapshot_start < kSnapshotAge) return;
    LeaveSnapshot();
    snapshot_open = Execute(db.get(), "BEGIN");
    snapshot_start = now;
  }

  // Every write starts from the newest state and commits on its own.
  void LeaveSnapshot() const {
    if (snapshot_open) Execute(db.get(), "COMMIT");
    snapshot_open = false;
  }

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
    const std::string values_table = kValuesTable;
    append = Statement(db.get(), std::string("INSERT INTO ") + kRecordsTable + " (marked," + columns +
                                     ") VALUES (0" + slots + ")");
    read_value = Statement(db.get(), "SELECT value FROM " + values_table + " WHERE key=?");
    read_marked = Statement(db.get(), std::string("SELECT marked FROM ") + kRecordsTable + " WHERE id=?");
    store_value = Statement(db.get(), "INSERT OR REPLACE INTO " + values_table + " (key,value) VALUES (?,?)");
    drop_values = Statement(db.get(), "DELETE FROM " + values_table + " WHERE key BETWEEN ? AND ?");
    return append.ok() && read_value.ok() && read_marked.ok() && store_value.ok() && drop_values.ok();
  }

  bool ValidPosition(int64_t position) const {
    return position >= 0 && position < static_cast<int64_t>(ids.size());
  }

  bool ValidValue(int field, const FieldValue& value) const {
    return field >= 0 && field < static_cast<int>(fields.size()) && HasType(value, fields[field].type);
  }

  // Runs one data-changing statement; outside a transaction it commits on its own.
  bool Run(Statement& stmt) {
    LeaveSnapshot();
    const bool done = stmt.Step() == SQLITE_DONE;
    stmt.Reset();
    return done;
  }

  // Runs several statements as one unit that takes effect whole or not at
  // all: a savepoint inside the caller's transaction, else a transaction of
  // its own (taking the write lock first, so that a concurrent writer makes
  // us wait rather than fail) that is on disk when this returns true.
  template <typename Steps>
  bool AsUnit(Steps steps) {
    LeaveSnapshot();
    const bool nested = transaction_depth > 0;
    if (!Execute(db.get(), nested ? "SAVEPOINT record_write" : "BEGIN IMMEDIATE")) return false;
    if (steps() && Execute(db.get(), nested ? "RELEASE record_write" : "COMMIT")) return true;
    if (nested) {
      Execute(db.get(), "ROLLBACK TO record_write");
      Execute(db.get(), "RELEASE record_write");
    } else {
      Execute(db.get(), "ROLLBACK");
    }
    return false;
  }

  FieldValue ReadById(int64_t id, int field) const {
    EnterSnapshot();
    const FieldType type = fields[field].type;
    Statement& read = read_field[field];
    sqlite3_bind_int64(read.get(), 1, id);
    FieldValue value = EmptyValue(type);
    if (read.Step() == SQLITE_ROW) {
      // Read while the row statement is still active, so both come from one snapshot.
      value = HoldsOutOfLine(read.get(), 0, type) ? ReadOutOfLine(id, field) : ColumnValue(read.get(), 0, type);
    }
    read.Reset();
    return value;
  }

  FieldValue ReadOutOfLine(int64_t id, int field) const {
    sqlite3_bind_int64(read_value.get(), 1, ValueKey(id, field));
    const FieldType type = fields[field].type;
    FieldValue value = read_value.Step() == SQLITE_ROW ? ColumnValue(read_value.get(), 0, type) : EmptyValue(type);
    read_value.Reset();
    return value;
  }

  // Drops the out-of-line values of fields first .. last of a record.
  bool DropValues(int64_t id, int first, int last) {
    sqlite3_bind_int64(drop_values.get(), 1, ValueKey(id, first));
    sqlite3_bind_int64(drop_values.get(), 2, ValueKey(id, last));
    return Run(drop_values);
  }

  // Stores the long ones among values given for fields first, first+1, ...
  template <typename Values>
  bool StoreLongValues(int64_t id, int first, const Values& values) {
    for (size_t i = 0; i < values.size(); ++i) {
      const FieldValue* value = Get(values[i]);
      if (!value || !IsOutOfLine(*value)) continue;
      sqlite3_bind_int64(store_value.get(), 1, ValueKey(id, first + static_cast<int>(i)));
      if (!BindValue(store_value.get(), 2, *value) || !Run(store_value)) {
        store_value.Reset();
        return false;
      }
    }
    return true;
  }

  static const FieldValue* Get(const FieldValue& value) { return &value; }
  static const FieldValue* Get(const std::optional<FieldValue>& value) { return value ? &*value : nullptr; }

  bool PurgeMarked() {
    Statement marked(db.get(), std::string("SELECT id FROM ") + kRecordsTable + " WHERE marked<>0");
    std::vector<int64_t> purged;
    int rc;
    while ((rc = marked.Step()) == SQLITE_ROW) purged.push_back(sqlite3_column_int64(marked.get(), 0));
    if (rc != SQLITE_DONE) return false;
    for (int64_t id : purged)
      if (!DropValues(id, 0, static_cast<int>(fields.size()) - 1)) return false;
    return Execute(db.get(), std::string("DELETE FROM ") + kRecordsTable + " WHERE marked<>0");
  }
};

RecordFile::RecordFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
RecordFile::~RecordFile() {
  if (impl_ && impl_->transaction_depth > 0) Execute(impl_->db.get(), "ROLLBACK");
  if (impl_) impl_->LeaveSnapshot();
}

std::unique_ptr<RecordFile> RecordFile::Open(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) == 0)
    return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->db = OpenDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX);
  if (!impl->db || !IsStoreDatabase(impl->db.get()) || !LoadFields(impl->db.get(), impl->fields) ||
      !impl->Prepare())
    return nullptr;
  // WAL with FULL sync: a commit that returned is on disk before we report success.
  Execute(impl->db.get(), "PRAGMA journal_mode=WAL");
  Execute(impl->db.get(), "PRAGMA synchronous=FULL");
  TuneConnection(impl->db.get());
  if (!impl->LoadIds()) return nullptr;
  return std::unique_ptr<RecordFile>(new RecordFile(std::move(impl)));
}

bool RecordFile::Create(const std::string& path, const std::vector<FieldDef>& fields, bool replace) {
  std::error_code error;
  if (fields.empty()) return false;
  if (std::filesystem::exists(path, error) && !replace) return false;
  RemoveFileAndJournals(path);
  DbHandle db = OpenDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
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
  if (!impl_->ValidPosition(position)) return EmptyValue(impl_->fields[field].type);
  return impl_->ReadById(impl_->ids[position], field);
}

bool RecordFile::IsMarked(int64_t position) const {
  if (!impl_->ValidPosition(position)) return false;
  impl_->EnterSnapshot();
  Statement& query = impl_->read_marked;
  sqlite3_bind_int64(query.get(), 1, impl_->ids[position]);
  const bool marked = query.Step() == SQLITE_ROW && sqlite3_column_int(query.get(), 0) != 0;
  query.Reset();
  return marked;
}

int64_t RecordFile::FindEqual(int field, const FieldValue& value, int64_t from) const {
  if (!impl_->ValidValue(field, value) || from < 0 || from >= Count()) return -1;
  const std::string column = Column(field);
  if (impl_->indexed.size() <= static_cast<size_t>(field)) impl_->indexed.resize(impl_->fields.size());
  if (!impl_->indexed[field]) {
    impl_->LeaveSnapshot();
    impl_->indexed[field] = Execute(impl_->db.get(), "CREATE INDEX IF NOT EXISTS index_" + column + " ON " +
                                                         kRecordsTable + "(" + column + ",id)");
    impl_->EnterSnapshot();
  }
  // A field left out when its record was added holds NULL, which reads as the
  // empty value. A long value matches on its length in the row; each such
  // candidate is then compared whole.
  const bool empty = value == EmptyValue(impl_->fields[field].type);
  const std::string match = empty ? "(" + column + "=? OR " + column + " IS NULL)" : column + "=?";
  Statement query(impl_->db.get(), "SELECT id FROM " + std::string(kRecordsTable) + " WHERE " + match +
                                       " AND id>=? ORDER BY id");
  if (!BindRowValue(query.get(), 1, value)) return -1;
  sqlite3_bind_int64(query.get(), 2, impl_->ids[from]);
  const bool compare_whole = IsOutOfLine(value);
  while (query.Step() == SQLITE_ROW) {
    const int64_t id = sqlite3_column_int64(query.get(), 0);
    if (compare_whole && impl_->ReadById(id, field) != value) continue;
    const auto found = std::lower_bound(impl_->ids.begin(), impl_->ids.end(), id);
    return found != impl_->ids.end() && *found == id ? found - impl_->ids.begin() : -1;
  }
  return -1;
}

bool RecordFile::Append(const std::vector<std::optional<FieldValue>>& values) {
  if (values.size() > impl_->fields.size()) return false;
  for (size_t i = 0; i < values.size(); ++i)
    if (values[i] && !impl_->ValidValue(static_cast<int>(i), *values[i])) return false;
  int64_t id = 0;
  const bool done = impl_->AsUnit([&] {
    Statement& append = impl_->append;
    for (size_t i = 0; i < values.size(); ++i) {
      if (values[i] && !BindRowValue(append.get(), static_cast<int>(i) + 1, *values[i])) {
        append.Reset();
        return false;
      }
    }
    if (!impl_->Run(append)) return false;
    id = sqlite3_last_insert_rowid(impl_->db.get());
    return impl_->StoreLongValues(id, 0, values);
  });
  if (done) impl_->ids.push_back(id);
  return done;
}

bool RecordFile::Modify(int64_t position, const std::vector<FieldValue>& values) {
  if (!impl_->ValidPosition(position) || values.empty() || values.size() > impl_->fields.size()) return false;
  for (size_t i = 0; i < values.size(); ++i)
    if (!impl_->ValidValue(static_cast<int>(i), values[i])) return false;
  std::string sql = std::string("UPDATE ") + kRecordsTable + " SET ";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) sql += ',';
    sql += Column(static_cast<int>(i)) + "=?";
  }
  Statement update(impl_->db.get(), sql + " WHERE id=?");
  const int64_t id = impl_->ids[position];
  for (size_t i = 0; i < values.size(); ++i)
    if (!BindRowValue(update.get(), static_cast<int>(i) + 1, values[i])) return false;
  sqlite3_bind_int64(update.get(), static_cast<int>(values.size()) + 1, id);
  return impl_->AsUnit([&] {
    return impl_->Run(update) && impl_->DropValues(id, 0, static_cast<int>(values.size()) - 1) &&
           impl_->StoreLongValues(id, 0, values);
  });
}

bool RecordFile::Write(int64_t position, int field, const FieldValue& value) {
  if (!impl_->ValidPosition(position) || !impl_->ValidValue(field, value)) return false;
  Statement update(impl_->db.get(),
                   std::string("UPDATE ") + kRecordsTable + " SET " + Column(field) + "=? WHERE id=?");
  const int64_t id = impl_->ids[position];
  if (!BindRowValue(update.get(), 1, value)) return false;
  sqlite3_bind_int64(update.get(), 2, id);
  return impl_->AsUnit([&] {
    return impl_->Run(update) && impl_->DropValues(id, field, field) &&
           impl_->StoreLongValues(id, field, std::span<const FieldValue>(&value, 1));
  });
}

bool RecordFile::Mark(int64_t position) {
  if (!impl_->ValidPosition(position)) return false;
  Statement update(impl_->db.get(), std::string("UPDATE ") + kRecordsTable + " SET marked=1 WHERE id=?");
  sqlite3_bind_int64(update.get(), 1, impl_->ids[position]);
  return impl_->Run(update);
}

bool RecordFile::Purge() {
  const bool done = impl_->AsUnit([&] { return impl_->PurgeMarked(); });
  impl_->LoadIds();
  return done;
}

bool RecordFile::CopyTo(const std::string& path, const std::vector<int64_t>& positions) const {
  for (int64_t position : positions)
    if (!impl_->ValidPosition(position)) return false;
  // Replacing our own file would destroy the records being copied.
  if (SameFile(path, sqlite3_db_filename(impl_->db.get(), "main"))) return false;
  if (!Create(path, impl_->fields, true)) return false;
  const auto copy = Open(path);
  if (!copy || !copy->Begin()) return false;
  std::vector<std::optional<FieldValue>> values(impl_->fields.size());
  for (int64_t position : positions) {
    for (size_t field = 0; field < values.size(); ++field)
      values[field] = impl_->ReadById(impl_->ids[position], static_cast<int>(field));
    if (!copy->Append(values)) return false;
  }
  return copy->Commit();
}

bool RecordFile::Begin() {
  impl_->LeaveSnapshot();
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
