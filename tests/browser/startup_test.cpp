// Start-up, tray, exit and shutdown of the program, started in-process.
#include <gtest/gtest.h>

#include <filesystem>

#include "assets/assets.h"
#include "tests/browser/program_harness.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/modal.h"
#include "platform/gui/test_driver.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;
using Kind = gui::ScriptedDesktop::Kind;

TEST(Startup, WithAccountShowsTreeListsFirstFolderAndSetsTray) {
  ProgramHarness harness;
  harness.AddMails({{.id = "a", .subject = "收到的", .status = 1}, {.id = "b", .subject = "已发送", .status = 4}});
  harness.Start();
  auto& w = harness.window();
  EXPECT_EQ(w.window->Title(), "Vostrel-高速电子邮件客户端 v1.0");
  EXPECT_TRUE(harness.MessagesShown().empty());
  ASSERT_EQ(w.folder_tree->ItemCount(), 6);
  EXPECT_EQ(w.folder_tree->ItemText(0), ProgramHarness::kUser);
  EXPECT_EQ(w.folder_tree->SelectedIndex(), 1);
  EXPECT_EQ(harness.MailListColumn(0), std::vector<std::string>{"a"});
  EXPECT_EQ(harness.program().state.current_user_name, ProgramHarness::kUser);
  EXPECT_EQ(harness.program().state.current_address, "xm@example.cn");
  EXPECT_TRUE(w.window->Tray().IsShown());
  EXPECT_EQ(w.window->Tray().Tip(), "Vostrelv1.0");
  EXPECT_EQ(w.window->Tray().IconBytes(), std::string(assets::TrayIcon()));
  EXPECT_EQ(w.window->Tray().IconBytes().size(), 1406u);
}

struct StoreFault {
  const char* name;
  const char* file;
  bool remove;  // removed, or replaced by a file that is not a store
  std::vector<std::string> messages;
  gui::MessageIcon icon;
};

class StartupStoreFaults : public ::testing::TestWithParam<StoreFault> {};

TEST_P(StartupStoreFaults, ReportOnceAndGoOn) {
  const StoreFault& fault = GetParam();
  ProgramHarness harness;
  if (fault.remove)
    std::filesystem::remove(harness.Path(fault.file));
  else
    WriteWholeFile(harness.Path(fault.file), "this is not a store");
  harness.Start();
  EXPECT_EQ(harness.MessagesShown(), fault.messages);
  const auto calls = harness.desktop().CallsOf(Kind::Message);
  for (const auto& call : calls) {
    EXPECT_EQ(call.caption, "信息：");
    EXPECT_EQ(call.buttons, gui::MessageButtons::Ok);
    EXPECT_EQ(call.icon, fault.icon);
  }
  // The run goes on: the tray icon is set in every case.
  EXPECT_TRUE(harness.window().window->Tray().IsShown());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StartupStoreFaults,
    ::testing::Values(StoreFault{"MailMissing", "data.edb", true, {"打开数据库失败！"}, gui::MessageIcon::None},
                      StoreFault{"SeenBroken", "xuhao.edb", false, {"打开数据库失败！"}, gui::MessageIcon::None},
                      StoreFault{"AttachmentsBroken", "fujian.edb", false, {"打开数据库失败！"},
                                 gui::MessageIcon::None},
                      StoreFault{"AccountMissing",
                                 "id.edb",
                                 true,
                                 {"用户信息已经丢失，确认初始化用户数据库！"},
                                 gui::MessageIcon::Information},
                      StoreFault{"AccountBroken", "id.edb", false, {"打开用户数据库失败！"},
                                 gui::MessageIcon::Information},
                      StoreFault{"FoldersBroken", "box.edb", false, {}, gui::MessageIcon::None}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, MissingAccountStoreIsNotCreatedAndTreeStaysEmpty) {
  ProgramHarness harness;
  std::filesystem::remove(harness.Path("id.edb"));
  harness.Start();
  EXPECT_FALSE(std::filesystem::exists(harness.Path("id.edb")));
  EXPECT_EQ(harness.window().folder_tree->ItemCount(), 0);
}

TEST(Startup, EmptyAccountStoreAsksAndNoLeavesTreeEmpty) {
  ProgramHarness harness(false);
  bool settings_opened = false;
  harness.desktop().QueueMessageAnswer(gui::MessageBoxResult::No);
  harness.Start();
  // Commands are bound before the window is shown; count an opening after the fact.
  harness.program().commands.open_account_settings = [&] { settings_opened = true; };
  const auto calls = harness.desktop().CallsOf(Kind::Message);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, "现在设置邮箱信息？");
  EXPECT_EQ(calls[0].buttons, gui::MessageButtons::YesNo);
  EXPECT_EQ(calls[0].icon, gui::MessageIcon::Information);
  EXPECT_FALSE(settings_opened);
  EXPECT_EQ(harness.window().folder_tree->ItemCount(), 0);
  EXPECT_EQ(harness.window().mail_list->RowCount(), 0);
  EXPECT_TRUE(harness.window().window->Tray().IsShown());
}

TEST(Startup, SkinLibraryIsWrittenWhenMissingAndKeptAtExit) {
  const std::string library = "SkinH_EL.dll";
  ProgramHarness harness;
  harness.Start();
  ASSERT_TRUE(std::filesystem::exists(harness.Path(library)));
  const auto size = std::filesystem::file_size(harness.Path(library));
  EXPECT_GT(size, 0u);

  // The next start, after the library was deleted, writes it again.
  harness.window().window->Close();
  std::filesystem::remove(harness.Path(library));
  harness.Start();
  EXPECT_EQ(std::filesystem::file_size(harness.Path(library)), size);
}

TEST(Shutdown, ExitDeletesScratchPageAndKeepsTempFolderAndLibrary) {
  ProgramHarness harness;
  harness.Start();
  WriteWholeFile(harness.Path("temp.html"), "<p>x</p>");
  std::filesystem::create_directory(harness.Path("temp"));
  auto& w = harness.window();
  driver::ClickMenuItem(*w.exit_item);
  driver::RunEventsFor(50);
  EXPECT_FALSE(w.window->IsOpen());
  EXPECT_FALSE(w.window->Tray().IsShown());
  EXPECT_FALSE(std::filesystem::exists(harness.Path("temp.html")));
  EXPECT_TRUE(std::filesystem::is_directory(harness.Path("temp")));
  EXPECT_TRUE(std::filesystem::exists(harness.Path("SkinH_EL.dll")));
  // Every store file is still there, untouched by the exit.
  for (const char* name : {"data.edb", "xuhao.edb", "fujian.edb", "id.edb", "box.edb"})
    EXPECT_TRUE(std::filesystem::exists(harness.Path(name))) << name;
}

TEST(Tray, ClicksPopUpFileMenuAndHoverDoesNot) {
  ProgramHarness harness;
  harness.Start();
  auto& w = harness.window();
  auto& tray = w.window->Tray();
  driver::HoverTray(tray);
  EXPECT_FALSE(w.file_menu->IsPoppedUp());
  for (auto event : {gui::TrayEvent::LeftButtonUp, gui::TrayEvent::LeftDoubleClick, gui::TrayEvent::RightButtonUp,
                     gui::TrayEvent::ContextKey}) {
    driver::ActivateTray(tray, event);
    EXPECT_TRUE(w.file_menu->IsPoppedUp()) << static_cast<int>(event);
    w.file_menu->ClosePopup();
  }
  // Exit from the tray menu ends the program and the icon leaves the tray.
  driver::ActivateTray(tray, gui::TrayEvent::RightButtonUp);
  driver::ClickMenuItem(*w.exit_item);
  driver::RunEventsFor(50);
  EXPECT_FALSE(w.window->IsOpen());
  EXPECT_FALSE(tray.IsShown());
}

TEST(AboutWindow, ShowsTitleAuthorAndOkClosesIt) {
  ProgramHarness harness;
  harness.Start();
  std::string title;
  bool closed_by_ok = false;
  gui::SetModalHook([&](gui::Window& window) {
    title = window.Title();
    EXPECT_EQ(window.Width(), 378);
    EXPECT_EQ(window.Height(), 129);
    auto* ok = window.FindControl<gui::Button>("按钮1");
    auto* heading = window.FindControl<gui::Label>("标签1");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(heading, nullptr);
    EXPECT_NE(window.FindControl<gui::Label>("标签2"), nullptr);
    EXPECT_EQ(heading->Caption(), "Vostrel-高速电子邮件客户端 v1.0");
    EXPECT_EQ(ok->Caption(), "确定");
    driver::ClickButton(*ok);
    driver::RunEventsFor(20);
    closed_by_ok = !window.IsOpen();
  });
  driver::ClickMenuItem(*harness.window().about_item);
  gui::ClearModalHook();
  EXPECT_EQ(title, "关于");
  EXPECT_TRUE(closed_by_ok);
}

}  // namespace
}  // namespace vostrel::test
