#include "platform/gui/scripted_desktop.h"

namespace vostrel::gui {

std::vector<ScriptedDesktop::Call> ScriptedDesktop::CallsOf(Kind kind) const {
  std::vector<Call> found;
  for (const Call& call : calls_) {
    if (call.kind == kind) found.push_back(call);
  }
  return found;
}

MessageBoxResult ScriptedDesktop::ShowMessage(const std::string& text, const std::string& caption,
                                              MessageButtons buttons, MessageIcon icon) {
  calls_.push_back({Kind::Message, text, caption, "", buttons, icon});
  if (message_answers_.empty()) return DefaultAnswer(buttons);
  const MessageBoxResult answer = message_answers_.front();
  message_answers_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDesktop::OpenFileDialog(const std::string& title,
                                                           const std::string& filter) {
  calls_.push_back({Kind::OpenFile, title, "", filter});
  return NextFileAnswer();
}

std::optional<std::string> ScriptedDesktop::SaveFileDialog(const std::string& title,
                                                           const std::string& suggested_name,
                                                           const std::string& filter) {
  calls_.push_back({Kind::SaveFile, title, suggested_name, filter});
  return NextFileAnswer();
}

std::optional<std::string> ScriptedDesktop::FolderDialog(const std::string& title) {
  calls_.push_back({Kind::Folder, title, "", ""});
  return NextFileAnswer();
}

bool ScriptedDesktop::OpenWithAssociatedProgram(const std::string& path) {
  calls_.push_back({Kind::OpenWith, path, "", ""});
  return NextLaunchResult();
}

bool ScriptedDesktop::StartWebBrowser(const std::string& url) {
  calls_.push_back({Kind::WebBrowser, url, "", ""});
  return NextLaunchResult();
}

void ScriptedDesktop::SetClipboardText(const std::string& text) {
  calls_.push_back({Kind::SetClipboard, text, "", ""});
  clipboard_ = text;
}

std::optional<std::string> ScriptedDesktop::NextFileAnswer() {
  if (file_answers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(file_answers_.front());
  file_answers_.pop_front();
  return answer;
}

bool ScriptedDesktop::NextLaunchResult() {
  if (launch_results_.empty()) return true;
  const bool started = launch_results_.front();
  launch_results_.pop_front();
  return started;
}

}  // namespace vostrel::gui
