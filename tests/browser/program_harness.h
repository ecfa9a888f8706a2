#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/program.h"
#include "platform/gui/scripted_desktop.h"
#include "tests/support/temp_folder.h"

namespace vostrel::test {

// A mail record as tests write it; the fields not named here stay empty.
struct TestMail {
  std::string id{};
  std::string sender_name{};
  std::string subject{};
  DateTime date{};
  std::string text{};
  int32_t attachment_count = 0;
  int32_t size = 0;
  int32_t status = 1;
  std::string html{};
  std::string sender_address{};
  std::string raw{};
};

struct TestAttachment {
  std::string mail_id{};
  std::string file_name{};
  std::string data{};
  std::string type = "application/octet-stream";
  std::string encoding = "base64";
  bool is_inline = false;
};

// A program folder with the five stores, and the program started in it with
// a scripted desktop, as a user would start it.
class ProgramHarness {
 public:
  // with_account: writes an account record whose user name is kUser.
  explicit ProgramHarness(bool with_account = true);
  ~ProgramHarness();

  static constexpr const char* kUser = "小明";

  void AddMails(const std::vector<TestMail>& mails);
  void AddAttachments(const std::vector<TestAttachment>& attachments);
  // Writes or replaces the account record; the tree shows `user` after a start.
  void WriteAccount(const std::string& pop3_server, const std::string& user = kUser,
                    const std::string& password = "secret");

  // Builds and shows the main window; its creation event runs the start-up.
  void Start();
  core::Program& program() { return *program_; }
  core::MainWindow& window() { return program_->main_window; }
  gui::ScriptedDesktop& desktop() { return desktop_; }
  const TempFolder& folder() const { return folder_; }
  std::string Path(const std::string& name) const { return folder_.File(name); }

  // Column `column` of every row of the mail list.
  std::vector<std::string> MailListColumn(int column);
  std::vector<std::string> MessagesShown() const;

 private:
  TempFolder folder_;
  gui::ScriptedDesktop desktop_;
  std::unique_ptr<core::Program> program_;
};

}  // namespace vostrel::test
