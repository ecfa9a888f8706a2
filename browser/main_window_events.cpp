#include "browser/main_window_events.h"

#include "browser/folder_tree.h"
#include "core/program.h"
#include "core/skin.h"
#include "core/startup_stores.h"
#include "core/tray.h"

namespace vostrel::browser {
namespace {

void CheckAccount(core::Program& program) {
  switch (core::OpenAccountStore(program)) {
    case core::AccountStoreState::kHasAccount:
      LoadFolderTree(program);
      break;
    case core::AccountStoreState::kEmpty:
      // The settings window rebuilds the tree itself when it closes.
      if (program.ShowMessage("现在设置邮箱信息？", gui::MessageButtons::YesNo, gui::MessageIcon::Information) ==
          gui::MessageBoxResult::Yes)
        core::RunCommand(program.commands.open_account_settings);
      break;
    case core::AccountStoreState::kMissing:
    case core::AccountStoreState::kUnopened:
      break;
  }
}

}  // namespace

void MainWindowCreated(core::Program& program) {
  core::ApplySkin(program, core::kStartupSkinNumber);
  core::EnsureSkinLibrary(program);
  program.skin_library.SetAero(1);
  core::OpenMainStores(program);
  CheckAccount(program);
  // Selecting the first folder lists it, as a selection by the user would.
  program.main_window.folder_tree->Select(1);
  core::SetTrayIcon(program);
}

}  // namespace vostrel::browser
