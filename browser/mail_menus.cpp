#include "browser/mail_menus.h"

#include "core/program.h"

namespace vostrel::browser {
namespace {

void EnableMailCommandItems(core::MainWindow& w, bool enabled) {
  for (gui::MenuItem* item :
       {w.edit_delete_item, w.select_all_item, w.reply_item, w.raw_message_item, w.mail_delete_item})
    item->SetEnabled(enabled);
}

}  // namespace

void MailListGotFocus(core::Program& program) {
  core::MainWindow& w = program.main_window;
  const bool has_row = w.mail_list->CurrentRow() >= 0;
  if (has_row) program.state.focused_list_name = kMailListFocusName;
  EnableMailCommandItems(w, has_row);
}

void MailListLostFocus(core::Program& program) { EnableMailCommandItems(program.main_window, false); }

void ShowMailPopupMenu(core::Program& program) {
  core::MainWindow& w = program.main_window;
  const int row = w.mail_list->CurrentRow();
  const bool has_mail = row >= 0 && !w.mail_list->CellText(row, 0).empty();
  w.reply_item->SetEnabled(has_mail);
  w.raw_message_item->SetEnabled(has_mail);
  w.mail_menu->Popup();
}

void SelectAllInFocusedList(core::Program& program) {
  core::MainWindow& w = program.main_window;
  const std::string& focused = program.state.focused_list_name;
  if (focused == kMailListFocusName)
    w.mail_list->SelectAll();
  else if (focused == kAttachmentListFocusName)
    w.attachment_list->SelectAll();
}

void CopySelectedText(core::Program& program) {
  program.desktop.SetClipboardText(program.main_window.mail_text_box->SelectedText());
}

}  // namespace vostrel::browser
