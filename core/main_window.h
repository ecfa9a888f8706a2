#pragma once

#include <memory>

#include "platform/gui/edit_box.h"
#include "platform/gui/html_viewer.h"
#include "platform/gui/label.h"
#include "platform/gui/list_view.h"
#include "platform/gui/menu.h"
#include "platform/gui/splitter_bar.h"
#include "platform/gui/status_bar.h"
#include "platform/gui/tool_bar.h"
#include "platform/gui/tray_icon.h"
#include "platform/gui/tree_view.h"
#include "platform/gui/window.h"

namespace vostrel::core {

// The main window and the controls and menu items the handlers reach. The
// window owns every control; the pointers stay valid while it exists.
struct MainWindow {
  std::unique_ptr<gui::Window> window;

  gui::ToolBar* tool_bar = nullptr;
  gui::TreeView* folder_tree = nullptr;
  gui::SplitterBar* large_vertical_splitter = nullptr;
  gui::ListView* mail_list = nullptr;
  gui::SplitterBar* horizontal_splitter = nullptr;
  gui::Label* subject_label = nullptr;
  gui::EditBox* mail_text_box = nullptr;
  gui::HtmlViewer* mail_html_viewer = nullptr;
  gui::SplitterBar* vertical_splitter = nullptr;
  gui::ListView* attachment_list = nullptr;
  gui::StatusBar* status_bar = nullptr;

  gui::Menu* file_menu = nullptr;
  gui::Menu* edit_menu = nullptr;
  gui::Menu* account_menu = nullptr;
  gui::Menu* mail_menu = nullptr;
  gui::Menu* help_menu = nullptr;
  gui::Menu* attachment_popup_menu = nullptr;

  gui::MenuItem* save_as_item = nullptr;
  gui::MenuItem* exit_item = nullptr;
  gui::MenuItem* copy_item = nullptr;
  gui::MenuItem* select_all_item = nullptr;
  gui::MenuItem* edit_delete_item = nullptr;
  gui::MenuItem* find_item = nullptr;
  gui::MenuItem* account_info_item = nullptr;
  gui::MenuItem* new_mail_item = nullptr;
  gui::MenuItem* reply_item = nullptr;
  gui::MenuItem* raw_message_item = nullptr;
  gui::MenuItem* mail_delete_item = nullptr;
  gui::MenuItem* about_item = nullptr;
  gui::MenuItem* open_attachment_item = nullptr;
  gui::MenuItem* save_attachment_item = nullptr;
  gui::MenuItem* select_all_attachments_item = nullptr;
  gui::MenuItem* attachment_properties_item = nullptr;
};

}  // namespace vostrel::core
