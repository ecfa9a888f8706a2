#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/store/field.h"
#include "platform/store/record_file.h"

namespace vostrel::core {

using store::Bytes;
using store::FieldValue;

// A routine that looks at the current record (through ReadField) and accepts it or not.
using StoreCondition = std::function<bool()>;

// A value for AddRecord; std::nullopt leaves that position out.
using RecordValues = std::vector<std::optional<FieldValue>>;

// The open stores under their aliases, the one `CurrentStore` and each
// store's `CurrentRecord`: a position from the first record up to the end
// position (one past the last, equal to the record count).
class StoreSet {
 public:
  StoreSet();
  ~StoreSet();
  StoreSet(const StoreSet&) = delete;
  StoreSet& operator=(const StoreSet&) = delete;

  // Opens a store file under an alias and makes it current, at its first
  // record. Fails, changing nothing, when the file is missing or not a store,
  // when the same file (full path, case not significant) is already open, or
  // when the alias is already taken.
  bool OpenStore(const std::string& path, const std::string& alias);
  // Makes the store of that alias (case not significant) current; an alias
  // that is not open leaves the current store as it was.
  void SelectStore(const std::string& alias);
  void GoToFirstRecord();
  // One record on; at the end position it stays and answers false.
  bool SkipRecord();
  int64_t RecordCount() const;

  // A field of the current record; at the end position, or with no store
  // current, the field's empty value.
  FieldValue ReadField(const std::string& name) const;
  FieldValue ReadField(int number) const;  // the first field is 1
  std::string ReadText(const std::string& name) const;
  std::string ReadText(int number) const;
  // A numeric field as a double, whatever numeric type it holds.
  double ReadNumber(const std::string& name) const;
  DateTime ReadDate(const std::string& name) const;
  std::string ReadBytes(const std::string& name) const;

  // Writes one field of the current record of the store under `alias`.
  bool WriteField(const std::string& name, const std::string& alias, const FieldValue& value);
  // Appends a record to the current store; it becomes the current record.
  bool AddRecord(const RecordValues& values);
  bool ModifyRecord(const std::vector<FieldValue>& values);
  // From the current record forward; the record found stays current. When
  // none is accepted the current record goes back to where it stood.
  bool FindRecord(const StoreCondition& condition);
  // The same search as FindRecord for "field equals text", answered through
  // the engine's index instead of reading every record.
  bool FindText(const std::string& name, const std::string& text);
  // Marks every record the condition accepts, walking from the first; the
  // current record is as before afterwards.
  bool DeleteMatching(const StoreCondition& condition);
  bool PurgeDeleted();
  // Writes a new store file with the same fields holding the accepted records.
  bool CopyMatching(const std::string& path, const StoreCondition& condition);
  void CloseStore(const std::string& alias);
  bool IsStoreOpen(const std::string& path) const;
  bool HasCurrentStore() const;
  bool IsAliasOpen(const std::string& alias) const;

  int64_t CurrentRecord() const;
  // Puts the current record of the current store back where a walk left it.
  void GoToRecord(int64_t position);

  // Several writes to the store under `alias` as one unit.
  bool BeginWrites(const std::string& alias);
  bool CommitWrites(const std::string& alias);
  void CancelWrites(const std::string& alias);

 private:
  struct OpenedStore;
  OpenedStore* Find(const std::string& alias) const;
  // Every position of the current store whose record the condition accepts.
  std::vector<int64_t> AcceptedPositions(const StoreCondition& condition);

  std::vector<std::unique_ptr<OpenedStore>> stores_;
  OpenedStore* current_ = nullptr;
};

}  // namespace vostrel::core
