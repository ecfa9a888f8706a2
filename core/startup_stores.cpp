#include "core/startup_stores.h"

#include "core/program.h"
#include "core/store_schemas.h"
#include "platform/os/files.h"

namespace vostrel::core {

void OpenMainStores(Program& program) {
  for (const StoreSchema* schema : {&MailStoreSchema(), &SeenStoreSchema(), &AttachmentStoreSchema()}) {
    if (!program.stores.OpenStore(program.PathOf(schema->file_name), schema->alias))
      program.ShowMessage("打开数据库失败！", gui::MessageButtons::Ok, gui::MessageIcon::None);
  }
}

AccountStoreState OpenAccountStore(Program& program) {
  const std::string path = program.PathOf(AccountStoreSchema().file_name);
  if (!os::FileExists(path)) {
    program.ShowMessage("用户信息已经丢失，确认初始化用户数据库！", gui::MessageButtons::Ok,
                        gui::MessageIcon::Information);
    return AccountStoreState::kMissing;
  }
  if (!program.stores.OpenStore(path, kAccountAlias)) {
    program.ShowMessage("打开用户数据库失败！", gui::MessageButtons::Ok, gui::MessageIcon::Information);
    return AccountStoreState::kUnopened;
  }
  program.stores.SelectStore(kAccountAlias);
  return program.stores.RecordCount() != 0 ? AccountStoreState::kHasAccount : AccountStoreState::kEmpty;
}

}  // namespace vostrel::core
