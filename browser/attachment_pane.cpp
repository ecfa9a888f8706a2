#include "browser/attachment_pane.h"

#include <functional>
#include <optional>
#include <string>

#include "browser/attachment_files.h"
#include "browser/attachment_properties_window.h"
#include "browser/mail_menus.h"
#include "core/program.h"
#include "core/store_schemas.h"

namespace vostrel::browser {
namespace {

// Runs `act` on the record of every selected row that has one.
void ForEachSelectedAttachment(core::Program& program, const std::function<void()>& act) {
  gui::ListView& list = *program.main_window.attachment_list;
  AttachmentLookup lookup(program);
  for (int row : list.SelectedRows())
    if (lookup.Find(list.CellText(row, 0))) act();
}

void KeepPropertiesOfCurrentAttachment(core::Program& program, const std::string& name) {
  const core::StoreSet& stores = program.stores;
  core::ProgramState& state = program.state;
  state.attachment_name_text = name;
  state.attachment_type_text = stores.ReadText(core::kAttachmentType);
  state.attachment_size_value = static_cast<int64_t>(stores.ReadNumber(core::kAttachmentSize));
  state.attachment_encoding_text = stores.ReadText(core::kAttachmentEncoding);
}

}  // namespace

void OpenAttachments(core::Program& program) {
  ForEachSelectedAttachment(program, [&program] { OpenCurrentAttachment(program); });
}

void SaveAttachmentsAs(core::Program& program) {
  // One folder for every row; a cancelled choice saves nothing.
  const std::optional<std::string> folder = AskSaveFolder(program);
  if (!folder) return;
  ForEachSelectedAttachment(program, [&program, &folder] { SaveCurrentAttachment(program, *folder); });
}

void SelectAllAttachments(core::Program& program) {
  gui::ListView& list = *program.main_window.attachment_list;
  for (int row = 0; row < list.RowCount(); ++row) list.SelectRow(row);
}

void ShowAttachmentProperties(core::Program& program) {
  ForEachSelectedAttachment(program, [&program] {
    KeepPropertiesOfCurrentAttachment(program, program.stores.ReadText(core::kAttachmentFileName));
    ShowAttachmentPropertiesWindow(program);
  });
}

void ShowAttachmentPopupMenu(core::Program& program) {
  core::MainWindow& w = program.main_window;
  const bool has_selection = w.attachment_list->CurrentRow() >= 0;
  for (gui::MenuItem* item : {w.open_attachment_item, w.attachment_properties_item, w.save_attachment_item})
    item->SetEnabled(has_selection);
  w.attachment_popup_menu->Popup();
}

void AttachmentListFocused(core::Program& program) { program.state.focused_list_name = kAttachmentListFocusName; }

void BindAttachmentPane(core::Program& program) {
  core::MainWindow& w = program.main_window;
  gui::ListView& list = *w.attachment_list;
  list.on_right_click = [&program] { ShowAttachmentPopupMenu(program); };
  list.on_double_click = [&program] { ShowAttachmentProperties(program); };
  list.on_got_focus = [&program] { AttachmentListFocused(program); };
  list.on_mouse_down = [&program] { AttachmentListFocused(program); };
  w.open_attachment_item->on_click = [&program] { OpenAttachments(program); };
  w.save_attachment_item->on_click = [&program] { SaveAttachmentsAs(program); };
  w.select_all_attachments_item->on_click = [&program] { SelectAllAttachments(program); };
  w.attachment_properties_item->on_click = [&program] { ShowAttachmentProperties(program); };
}

}  // namespace vostrel::browser

