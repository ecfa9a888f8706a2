#include "accounts/account_settings.h"

#include <string>
#include <vector>

#include "browser/folder_tree.h"
#include "core/program.h"
#include "core/store_schemas.h"

namespace vostrel::accounts {
namespace {

// The boxes' texts in the record's field order.
std::vector<std::string> TextsInFieldOrder(const AccountSettingsBoxes& boxes) {
  return {boxes.pop3_server->Text(), boxes.smtp_server->Text(), boxes.pop3_account->Text(),
          boxes.password->Text(), boxes.reply_address->Text()};
}

bool AnyEmpty(const std::vector<std::string>& texts) {
  for (const std::string& text : texts)
    if (text.empty()) return true;
  return false;
}

// The account store as the current store; false when it is not open, so
// that nothing is read from or written to whatever other store is current.
bool SelectAccountStore(core::StoreSet& stores) {
  if (!stores.IsAliasOpen(core::kAccountAlias)) return false;
  stores.SelectStore(core::kAccountAlias);
  return true;
}

bool ModifyAccount(core::StoreSet& stores, const std::vector<std::string>& texts) {
  return stores.ModifyRecord(std::vector<core::FieldValue>(texts.begin(), texts.end()));
}

bool AddAccount(core::StoreSet& stores, const std::vector<std::string>& texts) {
  return stores.AddRecord(core::RecordValues(texts.begin(), texts.end()));
}

void Report(core::Program& program, bool succeeded, const char* success, const char* failure) {
  if (succeeded)
    program.ShowMessage(success, gui::MessageButtons::Ok, gui::MessageIcon::Information);
  else
    program.ShowMessage(failure, gui::MessageButtons::Ok, gui::MessageIcon::Error);
}

}  // namespace

void FillAccountSettings(core::Program& program, const AccountSettingsBoxes& boxes) {
  auto& stores = program.stores;
  const std::string path = program.PathOf(core::AccountStoreSchema().file_name);
  if (stores.IsStoreOpen(path))
    stores.SelectStore(core::kAccountAlias);
  else
    stores.OpenStore(path, core::kAccountAlias);
  // A store that would not open leaves the boxes empty.
  if (!stores.IsAliasOpen(core::kAccountAlias)) return;
  boxes.pop3_server->SetText(stores.ReadText(core::kPop3Server));
  boxes.smtp_server->SetText(stores.ReadText(core::kSmtpServer));
  boxes.pop3_account->SetText(stores.ReadText(core::kUserName));
  boxes.password->SetText(stores.ReadText(core::kPassword));
  boxes.reply_address->SetText(stores.ReadText(core::kAddress));
}

void SaveAccountSettings(core::Program& program, const AccountSettingsBoxes& boxes, gui::Window& window) {
  const std::vector<std::string> texts = TextsInFieldOrder(boxes);
  // Blanks are content: nothing is trimmed.
  if (AnyEmpty(texts)) {
    program.ShowMessage("请填写所有信息！", gui::MessageButtons::Ok, gui::MessageIcon::Error);
    return;
  }
  auto& stores = program.stores;
  const bool has_store = SelectAccountStore(stores);
  if (has_store && stores.RecordCount() != 0)
    Report(program, ModifyAccount(stores, texts), "设置用户信息成功！", "设置用户信息失败！");
  else
    Report(program, has_store && AddAccount(stores, texts), "增加用户信息成功！", "增加用户信息失败！");
  program.state.current_address = boxes.reply_address->Text();
  window.Destroy();
}

void AccountSettingsClosed(core::Program& program) {
  program.main_window.folder_tree->Clear();
  browser::LoadFolderTree(program);
}

}  // namespace vostrel::accounts
