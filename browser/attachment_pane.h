#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Each command works on the selected rows of the attachment list in row
// order, finding a row's record by its text (see AttachmentLookup); a row
// without a record is skipped.
void OpenAttachments(core::Program& program);
void SaveAttachmentsAs(core::Program& program);
void SelectAllAttachments(core::Program& program);
// One properties window per found row, one after the other.
void ShowAttachmentProperties(core::Program& program);

// Right click: open, save as and properties need a selected row.
void ShowAttachmentPopupMenu(core::Program& program);
// The attachment list took the focus or a left press: select-all now acts on it.
void AttachmentListFocused(core::Program& program);

// Binds the attachment list's events and the items of its pop-up menu.
void BindAttachmentPane(core::Program& program);

}  // namespace vostrel::browser
