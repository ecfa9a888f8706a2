#include "tests/browser/program_harness.h"

#include <stdexcept>

#include "app/program_start.h"
#include "core/record_store.h"
#include "core/store_schemas.h"
#include "tools/store_files.h"

namespace vostrel::test {

ProgramHarness::ProgramHarness(bool with_account) {
  std::string error;
  if (!tools::CreateStoreFiles(folder_.path().string(), false, error)) throw std::runtime_error(error);
  if (with_account) WriteAccount("127.0.0.1:1");
}

ProgramHarness::~ProgramHarness() {
  if (program_ && program_->main_window.window) program_->main_window.window->Close();
}

void ProgramHarness::WriteAccount(const std::string& pop3_server, const std::string& user,
                                  const std::string& password) {
  std::string error;
  if (!tools::WriteAccount(folder_.path().string(), {pop3_server, "127.0.0.1:2", user, password, "xm@example.cn"},
                           error))
    throw std::runtime_error(error);
}

void ProgramHarness::AddMails(const std::vector<TestMail>& mails) {
  core::StoreSet stores;
  if (!stores.OpenStore(Path(core::MailStoreSchema().file_name), core::kMailAlias))
    throw std::runtime_error("mail store");
  for (const TestMail& m : mails) {
    stores.AddRecord({m.id, m.sender_address, m.subject, m.date, m.text, m.attachment_count, m.sender_name,
                      std::nullopt, m.raw, m.html, m.size, m.status});
  }
}

void ProgramHarness::AddAttachments(const std::vector<TestAttachment>& attachments) {
  core::StoreSet stores;
  if (!stores.OpenStore(Path(core::AttachmentStoreSchema().file_name), core::kAttachmentAlias))
    throw std::runtime_error("attachment store");
  for (const TestAttachment& a : attachments) {
    stores.AddRecord({a.mail_id, static_cast<int32_t>(a.data.size()), a.type, a.file_name, a.encoding,
                      store::Bytes{a.data}, a.is_inline});
  }
}

void ProgramHarness::Start() {
  program_ = std::make_unique<core::Program>(folder_.path().string(), desktop_);
  app::LoadMainWindow(*program_);
}

std::vector<std::string> ProgramHarness::MailListColumn(int column) {
  std::vector<std::string> cells;
  const gui::ListView& list = *window().mail_list;
  for (int row = 0; row < list.RowCount(); ++row) cells.push_back(list.CellText(row, column));
  return cells;
}

std::vector<std::string> ProgramHarness::MessagesShown() const {
  std::vector<std::string> texts;
  for (const auto& call : desktop_.CallsOf(gui::ScriptedDesktop::Kind::Message)) texts.push_back(call.text);
  return texts;
}

}  // namespace vostrel::test
