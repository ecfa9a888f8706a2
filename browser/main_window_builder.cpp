#include "browser/main_window_builder.h"

#include <string>
#include <vector>

#include "assets/assets.h"
#include "browser/attachment_pane.h"
#include "browser/main_window_events.h"
#include "browser/layout.h"
#include "browser/mail_list.h"
#include "browser/mail_menus.h"
#include "browser/mail_view.h"
#include "browser/tool_dispatch.h"
#include "core/program.h"
#include "core/shutdown.h"

namespace vostrel::browser {
namespace {

using core::MainWindow;

std::vector<std::string> Copies(const std::vector<std::string_view>& pictures) {
  return {pictures.begin(), pictures.end()};
}

void CreateControls(MainWindow& w) {
  gui::Window& window = *w.window;
  w.tool_bar = window.Add<gui::ToolBar>("工具条", 0, 0, 563, 28);
  w.folder_tree = window.Add<gui::TreeView>("工具箱树型框", 4, 56, 128, 364);
  w.large_vertical_splitter =
      window.Add<gui::SplitterBar>("大纵向分隔条", 130, 56, 5, 364, gui::SplitterOrientation::kVertical);
  w.mail_list = window.Add<gui::ListView>("显示邮件列表框", 136, 56, 536, 154);
  w.horizontal_splitter =
      window.Add<gui::SplitterBar>("横向分隔条", 136, 210, 536, 20, gui::SplitterOrientation::kHorizontal);
  w.subject_label = window.Add<gui::Label>("邮件主题标签", 144, 217, 192, 12);
  w.mail_text_box = window.Add<gui::EditBox>("邮件文本编辑框", 136, 231, 368, 190,
                                             gui::EditBoxStyle{.multi_line = true, .read_only = true});
  w.mail_html_viewer = window.Add<gui::HtmlViewer>("邮件超文本浏览框", 136, 231, 368, 190);
  w.vertical_splitter =
      window.Add<gui::SplitterBar>("纵向分隔条", 502, 231, 5, 183, gui::SplitterOrientation::kVertical);
  w.attachment_list = window.Add<gui::ListView>("附件列表框", 509, 231, 160, 190);
  w.status_bar = window.AddStatusBar({560, 240});
  // The text pane shows until the first HTML mail is shown.
  w.mail_html_viewer->Hide();
}

void FillToolBar(MainWindow& w) {
  w.tool_bar->SetImages(Copies(assets::ToolBarPictures()));
  const std::pair<const char*, int> buttons[] = {{"  收取  ", 0}, {"  发送  ", 1}, {"  撰写  ", 2}, {"  回复  ", 3},
                                                 {"  删除  ", 5}, {"  查找  ", 7}, {"  主页  ", 8}};
  for (const auto& [caption, image] : buttons) w.tool_bar->AddButton(caption, image);
}

void FillLists(core::Program& program) {
  MainWindow& w = program.main_window;
  w.folder_tree->SetPictures(Copies(assets::FolderTreePictures()));
  AddMailListColumns(program);
  w.attachment_list->AddColumn("", 160);
  w.attachment_list->SetHeaderVisible(false);
}

gui::MenuItem* Disabled(gui::MenuItem* item) {
  item->SetEnabled(false);
  return item;
}

void CreateMenus(MainWindow& w) {
  gui::MenuBar& bar = w.window->MenuBar();
  w.file_menu = bar.AddMenu("文件(&F)");
  w.save_as_item = w.file_menu->AddItem("保存为(&A)...", "Ctrl+S");
  w.file_menu->AddSeparator();
  w.exit_item = w.file_menu->AddItem("退出(&X)");

  w.edit_menu = bar.AddMenu("编辑(&E)");
  w.copy_item = w.edit_menu->AddItem("复制(&C)");
  w.select_all_item = Disabled(w.edit_menu->AddItem("选择全部(&A)", "Ctrl+A"));
  w.edit_menu->AddSeparator();
  w.edit_delete_item = Disabled(w.edit_menu->AddItem("删除(&D)", "Ctrl+D"));
  w.edit_menu->AddSeparator();
  w.find_item = w.edit_menu->AddItem("查找");

  w.account_menu = bar.AddMenu("帐户(&A)");
  w.account_info_item = w.account_menu->AddItem("帐户信息");

  w.mail_menu = bar.AddMenu("邮件(&M)");
  w.new_mail_item = w.mail_menu->AddItem("写新邮件(&N)...", "Ctrl+N");
  w.reply_item = Disabled(w.mail_menu->AddItem("回复邮件(&R)...", "Ctrl+R"));
  w.mail_menu->AddSeparator();
  w.raw_message_item = Disabled(w.mail_menu->AddItem("原始信息(&S)...", "Ctrl+I"));
  w.mail_menu->AddSeparator();
  w.mail_delete_item = Disabled(w.mail_menu->AddItem("删除(&D)"));

  w.help_menu = bar.AddMenu("帮助(&H)");
  w.about_item = w.help_menu->AddItem("关于");

  w.attachment_popup_menu = w.window->AddPopupMenu("附件右键");
  w.open_attachment_item = w.attachment_popup_menu->AddItem("打开附件");
  w.save_attachment_item = w.attachment_popup_menu->AddItem("另存为");
  w.select_all_attachments_item = w.attachment_popup_menu->AddItem("全选");
  w.attachment_popup_menu->AddSeparator();
  w.attachment_properties_item = w.attachment_popup_menu->AddItem("附件属性");
}

void BindCommand(gui::MenuItem* item, const std::function<void()>& command) {
  item->on_click = [&command] { core::RunCommand(command); };
}

void BindMenus(core::Program& program) {
  MainWindow& w = program.main_window;
  core::Commands& c = program.commands;
  BindCommand(w.save_as_item, c.export_mail_as_text);
  w.exit_item->on_click = [&w] { w.window->Destroy(); };
  BindCommand(w.edit_delete_item, c.delete_selected_mails);
  BindCommand(w.find_item, c.open_find_mail_window);
  BindCommand(w.account_info_item, c.open_account_settings);
  BindCommand(w.new_mail_item, c.open_new_mail);
  BindCommand(w.reply_item, c.open_reply);
  BindCommand(w.raw_message_item, c.show_raw_message);
  BindCommand(w.mail_delete_item, c.delete_selected_mails);
  BindCommand(w.about_item, c.open_about_window);
}

void BindWindowEvents(core::Program& program) {
  MainWindow& w = program.main_window;
  w.window->on_created = [&program] { MainWindowCreated(program); };
  w.window->on_destroying = [&program] { core::MainWindowDestroyed(program); };
  w.window->Tray().on_activated = [&w](gui::TrayEvent) { w.file_menu->Popup(); };
  w.tool_bar->on_button_click = [&program](int index) { DispatchToolButton(program, index); };
  w.folder_tree->on_selection_changed = [&program] { ListFolderMails(program); };
}

void BindMailListEvents(core::Program& program) {
  MainWindow& w = program.main_window;
  w.mail_list->on_click = [&program] { ShowSelectedMail(program); };
  w.mail_list->on_right_click = [&program] { ShowMailPopupMenu(program); };
  w.mail_list->on_got_focus = [&program] { MailListGotFocus(program); };
  w.mail_list->on_lost_focus = [&program] { MailListLostFocus(program); };
  w.select_all_item->on_click = [&program] { SelectAllInFocusedList(program); };
  w.copy_item->on_click = [&program] { CopySelectedText(program); };
  w.mail_html_viewer->on_resource = [&program](const std::string& url) {
    return InlineImageOfShownMail(program, url);
  };
  w.mail_html_viewer->on_link_clicked = [&program](const std::string& url) {
    program.desktop.StartWebBrowser(url);
  };
}

}  // namespace

void BuildMainWindow(core::Program& program) {
  MainWindow& w = program.main_window;
  w.window = std::make_unique<gui::Window>(core::kMainWindowTitle, 50, 50, 800, 600);
  CreateControls(w);
  FillToolBar(w);
  FillLists(program);
  BindLayout(program);
  CreateMenus(w);
  BindMenus(program);
  BindWindowEvents(program);
  BindMailListEvents(program);
  BindAttachmentPane(program);
}

}  // namespace vostrel::browser
