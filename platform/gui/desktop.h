#pragma once

#include <optional>
#include <string>

namespace vostrel::gui {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageBoxResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// The first button of a set: what Enter presses in the box, and what a box
// answers when nobody is there to choose.
MessageBoxResult DefaultAnswer(MessageButtons buttons);

// Everything that waits for a person or leaves the program.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // A task-modal message box without an owner window.
  virtual MessageBoxResult ShowMessage(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) = 0;
  // filter: as "Text files (*.txt);;All files (*)"; empty for all files.
  // Each returns nullopt when the person cancels.
  virtual std::optional<std::string> OpenFileDialog(const std::string& title,
                                                    const std::string& filter) = 0;
  virtual std::optional<std::string> SaveFileDialog(const std::string& title,
                                                    const std::string& suggested_name,
                                                    const std::string& filter) = 0;
  virtual std::optional<std::string> FolderDialog(const std::string& title) = 0;

  virtual bool OpenWithAssociatedProgram(const std::string& path) = 0;
  virtual bool StartWebBrowser(const std::string& url) = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual std::string ClipboardText() = 0;
};

}  // namespace vostrel::gui
