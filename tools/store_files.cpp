#include "tools/store_files.h"

#include <sys/stat.h>

#include <filesystem>

#include "core/record_store.h"
#include "core/store_schemas.h"

namespace vostrel::tools {
namespace {

// Received, waiting to be sent, deleted, sent, and a fifth that stays empty.
constexpr const char* kFolderNames[] = {"收件箱", "待发邮件", "废件箱", "已发邮件", "归档"};

std::string PathIn(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

bool WriteFolderRecords(const std::string& folder) {
  core::StoreSet stores;
  if (!stores.OpenStore(PathIn(folder, core::FolderStoreSchema().file_name), core::kFolderAlias)) return false;
  for (const char* name : kFolderNames)
    if (!stores.AddRecord({std::string(name)})) return false;
  return true;
}

}  // namespace

const char* const* FolderNames() { return kFolderNames; }

bool CreateStoreFiles(const std::string& folder, bool replace, std::string& error) {
  if (!std::filesystem::is_directory(folder)) {
    error = "no such folder: " + folder;
    return false;
  }
  if (!replace) {
    for (const core::StoreSchema* schema : core::AllStoreSchemas()) {
      if (std::filesystem::exists(PathIn(folder, schema->file_name))) {
        error = PathIn(folder, schema->file_name) + " exists (use --force to replace it)";
        return false;
      }
    }
  }
  for (const core::StoreSchema* schema : core::AllStoreSchemas()) {
    const std::string path = PathIn(folder, schema->file_name);
    if (!store::RecordFile::Create(path, schema->fields, true)) {
      error = "cannot write " + path;
      return false;
    }
  }
  // The account store holds the password as plain text: owner only.
  chmod(PathIn(folder, core::AccountStoreSchema().file_name).c_str(), S_IRUSR | S_IWUSR);
  if (!WriteFolderRecords(folder)) {
    error = "cannot write the folder records";
    return false;
  }
  return true;
}

bool WriteAccount(const std::string& folder, const AccountValues& account, std::string& error) {
  core::StoreSet stores;
  const std::string path = PathIn(folder, core::AccountStoreSchema().file_name);
  if (!stores.OpenStore(path, core::kAccountAlias)) {
    error = "cannot open the account store " + path;
    return false;
  }
  const std::vector<store::FieldValue> values{account.pop3_server, account.smtp_server, account.user_name,
                                              account.password, account.address};
  const bool written = stores.RecordCount() == 0
                           ? stores.AddRecord(core::RecordValues(values.begin(), values.end()))
                           : stores.ModifyRecord(values);
  if (!written) error = "cannot write the account record";
  return written;
}

}  // namespace vostrel::tools
