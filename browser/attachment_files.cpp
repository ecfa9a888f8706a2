#include "browser/attachment_files.h"

#include "browser/safe_file_name.h"
#include "core/program.h"
#include "core/store_schemas.h"
#include "platform/os/files.h"
#include "platform/os/paths.h"

namespace vostrel::browser {
namespace {

struct AttachmentFile {
  std::string name;
  std::string data;
};

// Read at once, before anything can run events and move the current record.
AttachmentFile ReadCurrentAttachment(core::Program& program) {
  return {program.stores.ReadText(core::kAttachmentFileName), program.stores.ReadBytes(core::kAttachmentData)};
}

void ShowWarning(core::Program& program, const std::string& text) {
  program.ShowMessage(text, gui::MessageButtons::Ok, gui::MessageIcon::Warning);
}

bool WriteOrReport(core::Program& program, const std::string& path, const std::string& data) {
  if (os::WriteWholeFile(path, data)) return true;
  ShowWarning(program, kWriteFailedMessage + path);
  return false;
}

}  // namespace

AttachmentLookup::AttachmentLookup(core::Program& program) : program_(program) {}

bool AttachmentLookup::Find(const std::string& name) {
  core::StoreSet& stores = program_.stores;
  stores.SelectStore(core::kAttachmentAlias);
  stores.GoToRecord(position_);
  if (!stores.FindText(core::kAttachmentFileName, name)) return false;
  position_ = stores.CurrentRecord();
  return true;
}

void OpenCurrentAttachment(core::Program& program) {
  const AttachmentFile file = ReadCurrentAttachment(program);
  const std::string folder = program.PathOf(kAttachmentScratchFolderName);
  os::EnsureFolder(folder);
  const std::string path = os::JoinPath(folder, SafeFileName(file.name));
  // A copy that could not be written would open stale or missing content.
  if (WriteOrReport(program, path, file.data)) program.desktop.OpenWithAssociatedProgram(path);
}

std::optional<std::string> AskSaveFolder(core::Program& program) {
  std::optional<std::string> folder = program.desktop.FolderDialog(kSaveFolderPrompt);
  if (folder && folder->empty()) return std::nullopt;
  return folder;
}

void SaveCurrentAttachment(core::Program& program, const std::string& folder) {
  const AttachmentFile file = ReadCurrentAttachment(program);
  const std::string target = os::JoinPath(folder, SafeFileName(file.name));
  if (os::FileExists(target))
    ShowWarning(program, kFileExistsMessage);
  else
    WriteOrReport(program, target, file.data);
}

}  // namespace vostrel::browser
