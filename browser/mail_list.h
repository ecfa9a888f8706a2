#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Lists the mails of the folder selected in the tree, in store order. It lets
// window events run after every row; a listing begun meanwhile ends this one.
void ListFolderMails(core::Program& program);

// Appends the row of the mail store's current record to the mail list.
void AppendMailRow(core::Program& program);

// Puts the six columns into the mail list.
void AddMailListColumns(core::Program& program);

}  // namespace vostrel::browser
