#include "core/record_store.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vostrel::core {
namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Two paths name the same file when their full forms match without regard to case.
std::string PathKey(const std::string& path) {
  std::error_code error;
  auto full = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
  if (error) full = std::filesystem::absolute(path).lexically_normal();
  return Lowered(full.string());
}

std::string TextOf(FieldValue value) {
  auto* text = std::get_if<std::string>(&value);
  return text ? std::move(*text) : std::string();
}

double AsNumber(const FieldValue& value) {
  if (const auto* number = std::get_if<int32_t>(&value)) return *number;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
  if (const auto* when = std::get_if<DateTime>(&value)) return static_cast<double>(when->seconds);
  return 0;
}

}  // namespace

struct StoreSet::OpenedStore {
  std::string alias_key;
  std::string path_key;
  std::unique_ptr<store::RecordFile> file;
  int64_t current = 0;

  bool AtEnd() const { return current >= file->Count(); }
};

StoreSet::StoreSet() = default;
StoreSet::~StoreSet() = default;

StoreSet::OpenedStore* StoreSet::Find(const std::string& alias) const {
  const std::string key = Lowered(alias);
  for (const auto& opened : stores_)
    if (opened->alias_key == key) return opened.get();
  return nullptr;
}

std::vector<int64_t> StoreSet::AcceptedPositions(const StoreCondition& condition) {
  OpenedStore* searched = current_;
  const int64_t start = searched->current;
  std::vector<int64_t> accepted;
  for (int64_t position = 0; position < searched->file->Count(); ++position) {
    searched->current = position;
    if (condition()) accepted.push_back(position);
  }
  searched->current = start;
  return accepted;
}

bool StoreSet::OpenStore(const std::string& path, const std::string& alias) {
  if (IsStoreOpen(path) || Find(alias)) return false;
  auto file = store::RecordFile::Open(path);
  if (!file) return false;
  auto opened = std::make_unique<OpenedStore>();
  opened->alias_key = Lowered(alias);
  opened->path_key = PathKey(path);
  opened->file = std::move(file);
  current_ = opened.get();
  stores_.push_back(std::move(opened));
  return true;
}

void StoreSet::SelectStore(const std::string& alias) {
  if (OpenedStore* opened = Find(alias)) current_ = opened;
}

void StoreSet::GoToFirstRecord() {
  if (current_) current_->current = 0;
}

bool StoreSet::SkipRecord() {
  if (!current_ || current_->AtEnd()) return false;
  ++current_->current;
  return true;
}

int64_t StoreSet::RecordCount() const { return current_ ? current_->file->Count() : 0; }

int64_t StoreSet::CurrentRecord() const { return current_ ? current_->current : 0; }

void StoreSet::GoToRecord(int64_t position) {
  if (current_) current_->current = std::clamp<int64_t>(position, 0, current_->file->Count());
}

bool StoreSet::HasCurrentStore() const { return current_ != nullptr; }

bool StoreSet::IsAliasOpen(const std::string& alias) const { return Find(alias) != nullptr; }

FieldValue StoreSet::ReadField(const std::string& name) const {
  if (!current_) return std::string();
  return ReadField(current_->file->FieldIndex(name) + 1);
}

FieldValue StoreSet::ReadField(int number) const {
  if (!current_) return std::string();
  return current_->file->Read(current_->current, number - 1);
}

std::string StoreSet::ReadText(const std::string& name) const { return TextOf(ReadField(name)); }

std::string StoreSet::ReadText(int number) const { return TextOf(ReadField(number)); }

double StoreSet::ReadNumber(const std::string& name) const { return AsNumber(ReadField(name)); }

DateTime StoreSet::ReadDate(const std::string& name) const {
  const FieldValue value = ReadField(name);
  const auto* when = std::get_if<DateTime>(&value);
  return when ? *when : DateTime{};
}

std::string StoreSet::ReadBytes(const std::string& name) const {
  FieldValue value = ReadField(name);
  auto* bytes = std::get_if<Bytes>(&value);
  return bytes ? std::move(bytes->data) : std::string();
}

bool StoreSet::WriteField(const std::string& name, const std::string& alias, const FieldValue& value) {
  OpenedStore* opened = Find(alias);
  if (!opened) return false;
  const int field = opened->file->FieldIndex(name);
  return field >= 0 && opened->file->Write(opened->current, field, value);
}

bool StoreSet::AddRecord(const RecordValues& values) {
  if (!current_ || !current_->file->Append(values)) return false;
  current_->current = current_->file->Count() - 1;
  return true;
}

bool StoreSet::ModifyRecord(const std::vector<FieldValue>& values) {
  return current_ && current_->file->Modify(current_->current, values);
}

bool StoreSet::FindRecord(const StoreCondition& condition) {
  if (!current_) return false;
  OpenedStore* searched = current_;
  const int64_t start = searched->current;
  for (int64_t position = start; position < searched->file->Count(); ++position) {
    searched->current = position;
    if (condition()) return true;
  }
  searched->current = start;
  return false;
}

bool StoreSet::FindText(const std::string& name, const std::string& text) {
  if (!current_) return false;
  const int field = current_->file->FieldIndex(name);
  const int64_t found = field < 0 ? -1 : current_->file->FindEqual(field, text, current_->current);
  if (found < 0) return false;
  current_->current = found;
  return true;
}

bool StoreSet::DeleteMatching(const StoreCondition& condition) {
  if (!current_) return false;
  OpenedStore* searched = current_;
  const std::vector<int64_t> accepted = AcceptedPositions(condition);
  bool done = searched->file->Begin();
  for (int64_t position : accepted) done = done && searched->file->Mark(position);
  if (!done) {
    searched->file->Rollback();
    return false;
  }
  return searched->file->Commit();
}

bool StoreSet::PurgeDeleted() {
  if (!current_) return false;
  const bool done = current_->file->Purge();
  current_->current = std::min(current_->current, current_->file->Count());
  return done;
}

bool StoreSet::CopyMatching(const std::string& path, const StoreCondition& condition) {
  if (!current_) return false;
  OpenedStore* searched = current_;
  const std::vector<int64_t> accepted = AcceptedPositions(condition);
  return searched->file->CopyTo(path, accepted);
}

void StoreSet::CloseStore(const std::string& alias) {
  OpenedStore* opened = Find(alias);
  if (!opened) return;
  if (current_ == opened) current_ = nullptr;
  std::erase_if(stores_, [opened](const auto& entry) { return entry.get() == opened; });
}

bool StoreSet::IsStoreOpen(const std::string& path) const {
  const std::string key = PathKey(path);
  return std::any_of(stores_.begin(), stores_.end(), [&](const auto& opened) { return opened->path_key == key; });
}

bool StoreSet::BeginWrites(const std::string& alias) {
  OpenedStore* opened = Find(alias);
  return opened && opened->file->Begin();
}

bool StoreSet::CommitWrites(const std::string& alias) {
  OpenedStore* opened = Find(alias);
  return opened && opened->file->Commit();
}

void StoreSet::CancelWrites(const std::string& alias) {
  if (OpenedStore* opened = Find(alias)) {
    opened->file->Rollback();
    opened->current = std::min(opened->current, opened->file->Count());
  }
}

}  // namespace vostrel::core
