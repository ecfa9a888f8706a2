#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/store/field.h"

namespace vostrel::store {

// One store file: its field list and its records in order, each with a
// deletion mark. Records are addressed by position (0 .. Count()-1). A write
// that returns true is on disk and survives a crash of the process.
class RecordFile {
 public:
  // Opens an existing store file for reading and writing (shared with other
  // processes). Gives nullptr for a file that is missing, empty, not SQLite,
  // or SQLite without store tables. Reads in quick succession share one
  // snapshot of the file, renewed at least every 100 ms and before every
  // write through this object, so another process's write shows here within
  // that time.
  static std::unique_ptr<RecordFile> Open(const std::string& path);

  // Writes a new, empty store file with these fields. An existing file is
  // replaced only when `replace` is true.
  static bool Create(const std::string& path, const std::vector<FieldDef>& fields, bool replace);

  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  const std::vector<FieldDef>& Fields() const;
  // Index into Fields() of the named field (exact name), or -1.
  int FieldIndex(const std::string& name) const;
  int64_t Count() const;

  // One field of one record, without loading the others. Out-of-range
  // positions give the field's empty value.
  FieldValue Read(int64_t position, int field) const;
  bool IsMarked(int64_t position) const;
  // The first position at or after `from` whose field equals `value` exactly,
  // or -1. Backed by an index on that field, made on first use; the answer is
  // the one a record-by-record scan gives.
  int64_t FindEqual(int field, const FieldValue& value, int64_t from) const;

  // Appends a record: value i goes to field i; a value left out (nullopt) and
  // every field past the last value keep the field's empty value.
  bool Append(const std::vector<std::optional<FieldValue>>& values);
  // Replaces the fields of a record in order; fields past the last value keep theirs.
  bool Modify(int64_t position, const std::vector<FieldValue>& values);
  bool Write(int64_t position, int field, const FieldValue& value);
  bool Mark(int64_t position);
  // Removes every marked record for good.
  bool Purge();
  // Writes a new store file (replacing one of that name) with the same fields
  // holding copies of the records at these positions, in the order given.
  bool CopyTo(const std::string& path, const std::vector<int64_t>& positions) const;

  // Several writes as one unit: all of them reach the file, or none. Nested
  // Begin/Commit pairs join the outermost one.
  bool Begin();
  bool Commit();
  void Rollback();

 private:
  struct Impl;
  explicit RecordFile(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace vostrel::store
