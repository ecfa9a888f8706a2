#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

inline constexpr const char* kMailListFocusName = "超级列表框1";
inline constexpr const char* kAttachmentListFocusName = "超级列表框2";

// The focus rule: the five items that act on the selected mail are enabled
// only while the mail list holds the focus with a row selected.
void MailListGotFocus(core::Program& program);
void MailListLostFocus(core::Program& program);

// Right click on the mail list: reply and raw source follow the current row.
void ShowMailPopupMenu(core::Program& program);

void SelectAllInFocusedList(core::Program& program);
// Copies the selection of the text pane, even while the HTML pane shows.
void CopySelectedText(core::Program& program);

}  // namespace vostrel::browser
