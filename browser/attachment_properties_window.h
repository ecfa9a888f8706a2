#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Shows the attachment named in the program state's attachment values in the
// modal window "附件属性" and returns when it is closed. Its open and save
// buttons look the attachment up afresh by the name label's caption.
void ShowAttachmentPropertiesWindow(core::Program& program);

}  // namespace vostrel::browser
