#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

inline constexpr const char* kAttachmentScratchFolderName = "temp";
inline constexpr const char* kSaveFolderPrompt = "请选择保存路径";
inline constexpr const char* kFileExistsMessage = "该文件已经存在！";
inline constexpr const char* kWriteFailedMessage = "无法写入文件：";

// The search every attachment command shares: it begins at the first record of
// the attachment store, and each search goes forward from the record the
// previous one found, that record included. It is not limited to one mail.
class AttachmentLookup {
 public:
  explicit AttachmentLookup(core::Program& program);

  // Makes the next record whose file name equals `name` current.
  bool Find(const std::string& name);

 private:
  core::Program& program_;
  int64_t position_ = 0;  // kept here, so a modal window's own lookups cannot move it
};

// Writes the current attachment record as a scratch copy in the program's
// "temp" folder (created when missing) and opens the copy with its program.
void OpenCurrentAttachment(core::Program& program);

// The folder to save into; nullopt when the person cancels.
std::optional<std::string> AskSaveFolder(core::Program& program);

// Writes the current attachment record into the folder, unless a file of that
// name is there already, which is kept and reported.
void SaveCurrentAttachment(core::Program& program, const std::string& folder);

}  // namespace vostrel::browser
