// The attachment pane: its pop-up menu, opening, saving and the properties window.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>

#include "browser/attachment_pane.h"
#include "platform/gui/button.h"
#include "platform/gui/label.h"
#include "platform/gui/modal.h"
#include "platform/gui/test_driver.h"
#include "tests/browser/program_harness.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;
namespace fs = std::filesystem;
using Kind = gui::ScriptedDesktop::Kind;

std::string HundredNames() {
  std::string name;
  for (int i = 0; i < 100; ++i) name += "名";
  return name + ".txt";  // 304 bytes
}

// Row 0 of the mail list: an earlier mail that also carries "shared.txt";
// row 1: the mail the tests mostly work on; row 2: hostile names.
class AttachmentPane : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.AddMails({{.id = "m0", .subject = "早", .attachment_count = 1},
                       {.id = "m1", .subject = "主", .attachment_count = 6},
                       {.id = "h", .subject = "坏名", .attachment_count = 6}});
    std::vector<TestAttachment> attachments = {
        {.mail_id = "m0", .file_name = "shared.txt", .data = "from m0"},
        {.mail_id = "m1", .file_name = "a.txt", .data = "AAA", .type = "text/plain", .encoding = "quoted-printable"},
        {.mail_id = "m1", .file_name = "b.bin", .data = std::string(2048, 'b')},
        {.mail_id = "m1", .file_name = "empty.dat", .data = "", .type = "application/x-empty", .encoding = "7bit"},
        {.mail_id = "m1", .file_name = "shared.txt", .data = "from m1"},
        {.mail_id = "m1", .file_name = "twin.txt", .data = "first twin"},
        {.mail_id = "m1", .file_name = "twin.txt", .data = "second twin"},
    };
    for (const char* name : {"../../x", "/etc/x", "a\\..\\b", "CON", ""})
      attachments.push_back({.mail_id = "h", .file_name = name, .data = name});
    attachments.push_back({.mail_id = "h", .file_name = HundredNames(), .data = "long"});
    harness_.AddAttachments(attachments);
    harness_.Start();
    browser::BindAttachmentPane(harness_.program());
  }
  void TearDown() override { gui::ClearModalHook(); }

  gui::ListView& List() { return *harness_.window().attachment_list; }

  // Shows mail `mail_row` and selects the attachment rows given.
  void Select(int mail_row, const std::vector<int>& rows) {
    driver::ClickRow(*harness_.window().mail_list, mail_row);
    List().ClearSelection();
    for (int row : rows) List().SelectRow(row);
    harness_.desktop().ClearCalls();
  }

  std::vector<std::string> CallTexts(Kind kind) {
    std::vector<std::string> texts;
    for (const auto& call : harness_.desktop().CallsOf(kind)) texts.push_back(call.text);
    return texts;
  }

  std::string Scratch(const std::string& name) { return harness_.Path("temp/" + name); }

  // A folder for saving, answered by the next folder dialog.
  std::string SaveFolder() {
    const std::string out = harness_.Path("out");
    fs::create_directories(out);
    harness_.desktop().QueueFileAnswer(out);
    return out;
  }

  ProgramHarness harness_;
};

// Row indices of mail "m1".
constexpr int kA = 0, kB = 1, kEmpty = 2, kShared = 3, kTwin1 = 4, kTwin2 = 5;

TEST_F(AttachmentPane, OpenWritesScratchCopyCreatingTheFolderAndReplacesItLater) {
  ASSERT_FALSE(fs::exists(harness_.Path("temp")));
  Select(1, {kA});
  driver::ClickMenuItem(*harness_.window().open_attachment_item);
  EXPECT_EQ(ReadWholeFile(Scratch("a.txt")), "AAA");
  WriteWholeFile(Scratch("a.txt"), "changed by the viewer");
  driver::ClickMenuItem(*harness_.window().open_attachment_item);
  EXPECT_EQ(ReadWholeFile(Scratch("a.txt")), "AAA");
  EXPECT_EQ(CallTexts(Kind::OpenWith), std::vector<std::string>(2, Scratch("a.txt")));
  EXPECT_TRUE(harness_.MessagesShown().empty());
}

// Each lookup starts at the first record of the store, then goes forward from
// the record found for the previous row, whichever mail it belongs to.
TEST_F(AttachmentPane, LookupFindsEarliestRecordFromThePreviousOne) {
  const struct {
    std::vector<int> rows;
    std::vector<std::string> contents;  // of the scratch copy after each open
  } cases[] = {
      {{kShared}, {"from m0"}},
      {{kTwin1, kTwin2}, {"first twin", "first twin"}},
      {{kTwin2}, {"first twin"}},
      {{kA, kShared}, {"AAA", "from m1"}},
  };
  for (const auto& c : cases) {
    Select(1, c.rows);
    std::vector<std::string> contents;
    driver::ClickMenuItem(*harness_.window().open_attachment_item);
    for (const std::string& path : CallTexts(Kind::OpenWith)) contents.push_back(ReadWholeFile(path));
    EXPECT_EQ(contents, c.contents);
  }
}

TEST_F(AttachmentPane, SaveAsKeepsAnExistingFileAndWritesTheOthers) {
  Select(1, {kA, kB, kEmpty});
  const std::string out = SaveFolder();
  WriteWholeFile(out + "/b.bin", "keep");
  driver::ClickMenuItem(*harness_.window().save_attachment_item);
  const auto folders = harness_.desktop().CallsOf(Kind::Folder);
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0].text, "请选择保存路径");
  const auto messages = harness_.desktop().CallsOf(Kind::Message);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "该文件已经存在！");
  EXPECT_EQ(messages[0].caption, "信息：");
  EXPECT_EQ(messages[0].icon, gui::MessageIcon::Warning);
  EXPECT_EQ(ReadWholeFile(out + "/a.txt"), "AAA");
  EXPECT_EQ(ReadWholeFile(out + "/b.bin"), "keep");
  EXPECT_TRUE(fs::is_regular_file(out + "/empty.dat"));
  EXPECT_EQ(ReadWholeFile(out + "/empty.dat"), "");
}

TEST_F(AttachmentPane, CancelledFolderChoiceSavesNothing) {
  for (const std::optional<std::string>& answer : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
    Select(1, {kA});
    harness_.desktop().QueueFileAnswer(answer);
    driver::ClickMenuItem(*harness_.window().save_attachment_item);
    EXPECT_FALSE(fs::exists("/a.txt"));
    EXPECT_FALSE(fs::exists("a.txt"));
    EXPECT_TRUE(harness_.MessagesShown().empty());
  }
}

TEST_F(AttachmentPane, FailedWriteIsReportedWithTheFileName) {
  WriteWholeFile(harness_.Path("plain-file"), "not a folder");
  const struct {
    const char* what;
    std::function<void()> act;
  } cases[] = {
      {"save into a regular file",
       [&] {
         harness_.desktop().QueueFileAnswer(harness_.Path("plain-file"));
         driver::ClickMenuItem(*harness_.window().save_attachment_item);
       }},
      {"save into a missing folder",
       [&] {
         harness_.desktop().QueueFileAnswer(harness_.Path("missing"));
         driver::ClickMenuItem(*harness_.window().save_attachment_item);
       }},
      {"open with the scratch folder a regular file",
       [&] {
         WriteWholeFile(harness_.Path("temp"), "in the way");
         driver::ClickMenuItem(*harness_.window().open_attachment_item);
       }},
  };
  for (const auto& c : cases) {
    Select(1, {kA});
    c.act();
    const std::vector<std::string> messages = harness_.MessagesShown();
    ASSERT_EQ(messages.size(), 1u) << c.what;
    EXPECT_NE(messages[0].find("a.txt"), std::string::npos) << c.what << ": " << messages[0];
    EXPECT_TRUE(CallTexts(Kind::OpenWith).empty()) << c.what;
  }
  EXPECT_FALSE(fs::exists(harness_.Path("missing")));
}

TEST_F(AttachmentPane, HostileNamesStayInsideTheFolderMeant) {
  Select(2, {});
  driver::ClickMenuItem(*harness_.window().select_all_attachments_item);
  ASSERT_EQ(List().SelectedRows().size(), 6u);
  driver::ClickMenuItem(*harness_.window().open_attachment_item);
  const std::vector<std::string> opened = CallTexts(Kind::OpenWith);
  ASSERT_EQ(opened.size(), 6u) << ::testing::PrintToString(opened);
  EXPECT_TRUE(harness_.MessagesShown().empty());
  const fs::path temp = fs::canonical(harness_.Path("temp"));
  for (const std::string& path : opened) {
    EXPECT_EQ(fs::canonical(path).parent_path(), temp) << path;
    EXPECT_LE(fs::path(path).filename().string().size(), 255u) << path;
  }
  const std::string out = SaveFolder();
  driver::ClickMenuItem(*harness_.window().save_attachment_item);
  std::set<std::string> saved;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    EXPECT_TRUE(entry.is_regular_file()) << entry.path();
    saved.insert(entry.path().filename().string());
  }
  // "../../x" and "/etc/x" both come down to "x": the second is kept out as existing.
  EXPECT_EQ(saved, (std::set<std::string>{"x", "b", "_CON", "附件", fs::path(opened[5]).filename().string()}));
  EXPECT_EQ(harness_.MessagesShown(), std::vector<std::string>{"该文件已经存在！"});
  // Each hostile file holds its own name, so a stray copy would show wherever it landed.
  const auto holds_own_name = [](const fs::path& path, const std::string& name) {
    return fs::is_regular_file(path) && ReadWholeFile(path) == name;
  };
  EXPECT_FALSE(holds_own_name(harness_.folder().path().parent_path() / "x", "../../x"));
  EXPECT_FALSE(holds_own_name(harness_.folder().path() / "x", "../../x"));
  EXPECT_FALSE(holds_own_name("/etc/x", "/etc/x"));
}

struct PropertiesShown {
  std::string title;
  int width = 0, height = 0;
  std::vector<std::string> captions;
};

const char* const kLabelNames[] = {"附件名标签", "附件类型标签", "附件大小标签", "编码方式标签",
                                   "标签4",      "标签5",        "标签6"};

// Records each properties window, then presses its cancel button.
std::vector<PropertiesShown>& RecordPropertiesWindows(std::vector<PropertiesShown>& shown) {
  gui::SetModalHook([&shown](gui::Window& window) {
    PropertiesShown s{window.Title(), window.Width(), window.Height(), {}};
    for (const char* name : kLabelNames) {
      auto* label = window.FindControl<gui::Label>(name);
      s.captions.push_back(label ? label->Caption() : "(missing)");
    }
    shown.push_back(s);
    driver::ClickButton(*window.FindControl<gui::Button>("取消按钮"));
    driver::RunEventsFor(10);
    EXPECT_FALSE(window.IsOpen());
  });
  return shown;
}

TEST_F(AttachmentPane, PropertiesShowOneWindowPerSelectedRowInTurn) {
  Select(1, {kA, kB, kEmpty});
  std::vector<PropertiesShown> shown;
  RecordPropertiesWindows(shown);
  driver::ClickMenuItem(*harness_.window().attachment_properties_item);
  const std::vector<std::vector<std::string>> expected = {
      {"a.txt", "text/plain", "3", "quoted-printable", "附件类型：", "文件大小：", "编码方式："},
      {"b.bin", "application/octet-stream", "2048", "base64", "附件类型：", "文件大小：", "编码方式："},
      {"empty.dat", "application/x-empty", "0", "7bit", "附件类型：", "文件大小：", "编码方式："},
  };
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].title, "附件属性");
    EXPECT_EQ(shown[i].width, 306);
    EXPECT_EQ(shown[i].height, 196);
    EXPECT_EQ(shown[i].captions, expected[i]);
  }
  EXPECT_EQ(harness_.program().state.attachment_name_text, "empty.dat");
}

TEST_F(AttachmentPane, DoubleClickShowsPropertiesAndNeverOpens) {
  driver::ClickRow(*harness_.window().mail_list, 1);
  harness_.desktop().ClearCalls();
  std::vector<PropertiesShown> shown;
  RecordPropertiesWindows(shown);
  driver::DoubleClickRow(List(), kB);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].captions[0], "b.bin");
  EXPECT_TRUE(harness_.desktop().Calls().empty());
}

TEST_F(AttachmentPane, PropertiesButtonsOpenAndSaveTheNamedAttachment) {
  Select(1, {kShared});
  const std::string out = SaveFolder();
  WriteWholeFile(out + "/shared.txt", "keep");
  bool stayed_open = false;
  gui::SetModalHook([&](gui::Window& window) {
    driver::ClickButton(*window.FindControl<gui::Button>("打开附件按钮"));
    driver::ClickButton(*window.FindControl<gui::Button>("保存附件按钮"));  // exists: kept
    harness_.desktop().QueueFileAnswer(std::nullopt);
    driver::ClickButton(*window.FindControl<gui::Button>("保存附件按钮"));  // cancelled
    fs::remove(out + "/shared.txt");
    harness_.desktop().QueueFileAnswer(out);
    driver::ClickButton(*window.FindControl<gui::Button>("保存附件按钮"));
    driver::RunEventsFor(10);
    stayed_open = window.IsOpen();
  });
  driver::ClickMenuItem(*harness_.window().attachment_properties_item);
  EXPECT_TRUE(stayed_open);
  EXPECT_EQ(CallTexts(Kind::OpenWith), std::vector<std::string>{Scratch("shared.txt")});
  EXPECT_EQ(ReadWholeFile(Scratch("shared.txt")), "from m0");
  EXPECT_EQ(CallTexts(Kind::Folder), std::vector<std::string>(3, "请选择保存路径"));
  EXPECT_EQ(harness_.MessagesShown(), std::vector<std::string>{"该文件已经存在！"});
  EXPECT_EQ(ReadWholeFile(out + "/shared.txt"), "from m0");
}

TEST_F(AttachmentPane, PopupEnablesRowCommandsOnlyWithASelectedRow) {
  const struct {
    const char* what;
    int mail_row;  // -1: no mail shown, the list is empty
    int clicked;   // -1: the empty area below the rows
    bool enabled;
  } cases[] = {
      {"empty list", -1, -1, false},
      {"rows, none selected", 1, -1, false},
      {"a row", 1, kB, true},
  };
  core::MainWindow& w = harness_.window();
  for (const auto& c : cases) {
    if (c.mail_row >= 0) driver::ClickRow(*w.mail_list, c.mail_row);
    List().ClearSelection();
    for (gui::MenuItem* item : {w.open_attachment_item, w.save_attachment_item, w.attachment_properties_item})
      item->SetEnabled(!c.enabled);
    w.select_all_attachments_item->SetEnabled(false);
    driver::RightClickRow(List(), c.clicked);
    EXPECT_TRUE(w.attachment_popup_menu->IsPoppedUp()) << c.what;
    w.attachment_popup_menu->ClosePopup();
    EXPECT_EQ(w.open_attachment_item->IsEnabled(), c.enabled) << c.what;
    EXPECT_EQ(w.save_attachment_item->IsEnabled(), c.enabled) << c.what;
    EXPECT_EQ(w.attachment_properties_item->IsEnabled(), c.enabled) << c.what;
    EXPECT_FALSE(w.select_all_attachments_item->IsEnabled()) << c.what;
  }
}

TEST_F(AttachmentPane, FocusOrPressMakesSelectAllActOnTheAttachmentList) {
  driver::ClickRow(*harness_.window().mail_list, 1);
  core::ProgramState& state = harness_.program().state;
  state.focused_list_name.clear();
  driver::GiveFocus(List());
  EXPECT_EQ(state.focused_list_name, "超级列表框2");
  state.focused_list_name = "超级列表框1";
  driver::ClickRow(List(), kA);  // the list keeps the focus: the press alone counts
  EXPECT_EQ(state.focused_list_name, "超级列表框2");
  List().SelectRow(kB);
  driver::ClickMenuItem(*harness_.window().select_all_attachments_item);
  EXPECT_EQ(List().SelectedRows().size(), static_cast<size_t>(List().RowCount()));
}

}  // namespace
}  // namespace vostrel::test
