#include "browser/folder_tree.h"

#include "core/program.h"
#include "core/store_schemas.h"

namespace vostrel::browser {
namespace {

constexpr int kAccountPicture = 0;
constexpr int kItemsPerAccount = 6;

}  // namespace

void LoadFolderTree(core::Program& program) {
  auto& stores = program.stores;
  gui::TreeView& tree = *program.main_window.folder_tree;
  if (!stores.OpenStore(program.PathOf(core::FolderStoreSchema().file_name), core::kFolderAlias)) return;
  // Without an open account store the folder store would be read as the account.
  if (!stores.IsAliasOpen(core::kAccountAlias)) {
    stores.CloseStore(core::kFolderAlias);
    return;
  }
  stores.SelectStore(core::kAccountAlias);
  stores.GoToFirstRecord();
  if (stores.RecordCount() == 0) {
    stores.CloseStore(core::kFolderAlias);
    return;
  }
  const int account_number = 1;  // the program keeps one account
  program.state.current_user_name = stores.ReadText(core::kUserName);
  program.state.current_address = stores.ReadText(core::kAddress);
  tree.AddItem(program.state.current_user_name, kAccountPicture);
  stores.SelectStore(core::kFolderAlias);
  const int64_t folders = stores.RecordCount();
  const int parent = (account_number - 1) * kItemsPerAccount;
  for (int j = 1; j <= folders; ++j) {
    tree.AddItem(stores.ReadText(1), j, parent);
    stores.SkipRecord();
  }
  stores.CloseStore(core::kFolderAlias);
  tree.Expand(0);
}

}  // namespace vostrel::browser
