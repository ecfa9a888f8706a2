#pragma once

// Internal to the store engine: small RAII wrappers over the SQLite C API.

#include <sqlite3.h>

#include <memory>
#include <string>

namespace vostrel::store {

class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, const std::string& sql);
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }
  // Steps once: SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  void Reset();

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs statements that return no rows; true on success.
bool Execute(sqlite3* db, const std::string& sql);

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, CloseDatabase>;

// Opens a connection with a busy wait, so that another process's short write
// does not fail ours; nullptr when SQLite cannot open the file.
DbHandle OpenDatabase(const std::string& path, int flags);

}  // namespace vostrel::store
