#include "browser/mail_list.h"

#include <cmath>
#include <string>

#include "browser/date_text.h"
#include "core/program.h"
#include "core/store_schemas.h"
#include "platform/gui/event_loop.h"

namespace vostrel::browser {

void AddMailListColumns(core::Program& program) {
  gui::ListView& list = *program.main_window.mail_list;
  list.AddColumn("", 50);
  list.AddColumn("名字", 100);
  list.AddColumn("主题", 200);
  list.AddColumn("日期", 90);
  list.AddColumn("大小", 70);
  list.AddColumn("附件", 50);
}

void AppendMailRow(core::Program& program) {
  const auto& stores = program.stores;
  gui::ListView& list = *program.main_window.mail_list;
  const int row = list.AddRow();
  list.SetCell(row, 0, stores.ReadText(core::kMailId));
  list.SetCell(row, 1, stores.ReadText(core::kSenderName));
  list.SetCell(row, 2, stores.ReadText(core::kSubject));
  list.SetCell(row, 3, DateText(stores.ReadDate(core::kDate)));
  list.SetCell(row, 4, std::to_string(static_cast<int64_t>(std::trunc(stores.ReadNumber(core::kMailSize)))));
  list.SetCell(row, 5, stores.ReadNumber(core::kAttachmentCount) > core::kMailStatusTolerance ? "√" : "");
}

void ListFolderMails(core::Program& program) {
  auto& stores = program.stores;
  const gui::TreeView& tree = *program.main_window.folder_tree;
  const int generation = ++program.listing_generation;
  stores.SelectStore(core::kMailAlias);
  stores.GoToFirstRecord();
  program.main_window.mail_list->Clear();
  const int64_t count = stores.RecordCount();
  for (int64_t position = 0; position < count; ++position) {
    if (core::SameStatus(stores.ReadNumber(core::kMailStatusField), tree.SelectedIndex())) {
      AppendMailRow(program);
      gui::ProcessPendingEvents();
      // A handler that ran meanwhile may have listed another folder, or left
      // another store or record current.
      if (program.listing_generation != generation) return;
      stores.SelectStore(core::kMailAlias);
      stores.GoToRecord(position);
    }
    stores.SkipRecord();
  }
}

}  // namespace vostrel::browser
