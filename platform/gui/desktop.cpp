#include "platform/gui/desktop.h"

namespace vostrel::gui {

MessageBoxResult DefaultAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
      return MessageBoxResult::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
      return MessageBoxResult::Yes;
    case MessageButtons::RetryCancel:
      return MessageBoxResult::Retry;
    case MessageButtons::AbortRetryIgnore:
      return MessageBoxResult::Abort;
  }
  return MessageBoxResult::Ok;
}

}  // namespace vostrel::gui
