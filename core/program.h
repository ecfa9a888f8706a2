#pragma once

#include <memory>
#include <string>

#include "core/commands.h"
#include "core/main_window.h"
#include "core/program_state.h"
#include "core/record_store.h"
#include "platform/gui/desktop.h"
#include "platform/skin/skin_library.h"

namespace vostrel::core {

inline constexpr const char* kMainWindowTitle = "Vostrel-高速电子邮件客户端 v1.0";
inline constexpr const char* kDefaultCaption = "信息：";
inline constexpr const char* kSkinLibraryName = "SkinH_EL.dll";
inline constexpr const char* kScratchPageName = "temp.html";

// The whole running program: its folder, state, open stores, main window and
// the commands the window routes to. Handlers receive it; there is no other
// mutable global.
class Program {
 public:
  Program(std::string folder, gui::Desktop& desktop);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  const std::string& Folder() const { return folder_; }
  // A file beside the program.
  std::string PathOf(const std::string& name) const;

  // A message box with no owner; the caption is "信息：" unless given.
  gui::MessageBoxResult ShowMessage(const std::string& text, gui::MessageButtons buttons, gui::MessageIcon icon,
                                 const std::string& caption = kDefaultCaption);

  gui::Desktop& desktop;
  ProgramState state;
  StoreSet stores;
  MainWindow main_window;
  Commands commands;
  skin::SkinLibrary skin_library;

  // Counts the folder listings begun; an older listing sees that it was overtaken.
  int listing_generation = 0;
  // A receive run lets window events run; a second press must not start another.
  bool receive_running = false;

 private:
  std::string folder_;
};

}  // namespace vostrel::core
