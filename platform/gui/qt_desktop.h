#pragma once

#include "platform/gui/desktop.h"

namespace vostrel::gui {

// The desktop of the running system: real dialogs, clipboard and programs.
class QtDesktop : public Desktop {
 public:
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
  std::string ClipboardText() override;
};

}  // namespace vostrel::gui
