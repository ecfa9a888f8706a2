#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/desktop.h"

namespace vostrel::gui {

// A desktop for tests: records every call in order and answers from queues.
// With nothing queued a message box answers its first button, a dialog cancels,
// and opening a file or the browser succeeds.
class ScriptedDesktop : public Desktop {
 public:
  enum class Kind { Message, OpenFile, SaveFile, Folder, OpenWith, WebBrowser, SetClipboard };

  struct Call {
    Kind kind;
    std::string text;     // message text, dialog title, path, URL or clipboard text
    std::string caption;  // message caption; a save dialog's suggested name
    std::string filter;   // file dialogs
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
  };

  void QueueMessageAnswer(MessageBoxResult result) { message_answers_.push_back(result); }
  // For open, save and folder dialogs alike, in the order they come up.
  void QueueFileAnswer(std::optional<std::string> path) {
    file_answers_.push_back(std::move(path));
  }
  void QueueLaunchResult(bool started) { launch_results_.push_back(started); }

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> CallsOf(Kind kind) const;
  void ClearCalls() { calls_.clear(); }

  MessageBoxResult ShowMessage(const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;
  std::optional<std::string> OpenFileDialog(const std::string& title,
                                            const std::string& filter) override;
  std::optional<std::string> SaveFileDialog(const std::string& title,
                                            const std::string& suggested_name,
                                            const std::string& filter) override;
  std::optional<std::string> FolderDialog(const std::string& title) override;
  bool OpenWithAssociatedProgram(const std::string& path) override;
  bool StartWebBrowser(const std::string& url) override;
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() override { return clipboard_; }

 private:
  std::optional<std::string> NextFileAnswer();
  bool NextLaunchResult();

  std::vector<Call> calls_;
  std::deque<MessageBoxResult> message_answers_;
  std::deque<std::optional<std::string>> file_answers_;
  std::deque<bool> launch_results_;
  std::string clipboard_;
};

}  // namespace vostrel::gui
