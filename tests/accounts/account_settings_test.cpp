// The account settings window: filling, validation, the four outcomes and the
// tree rebuilt however the window closes.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "accounts/account_settings_window.h"
#include "core/store_schemas.h"
#include "platform/gui/button.h"
#include "platform/gui/edit_box.h"
#include "platform/gui/group_box.h"
#include "platform/gui/label.h"
#include "platform/gui/modal.h"
#include "platform/gui/test_driver.h"
#include "tests/browser/program_harness.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;
using Kind = gui::ScriptedDesktop::Kind;

// The five boxes as the window lays them out: SMTP, POP3, account, password, reply address.
constexpr std::array<const char*, 5> kBoxNames = {"发送邮件服务器编辑框", "接收邮件服务器编辑框", "POP3邮箱帐号编辑框",
                                                  "密码编辑框", "回复地址编辑框"};
using BoxTexts = std::array<std::string, 5>;

// An account record in field order: POP3 server, SMTP server, user name, password, address.
using Record = std::array<std::string, 5>;

// The record the harness writes, and what the boxes show for it.
const Record kHarnessRecord = {"127.0.0.1:1", "127.0.0.1:2", ProgramHarness::kUser, "secret", "xm@example.cn"};
const BoxTexts kHarnessBoxes = {"127.0.0.1:2", "127.0.0.1:1", ProgramHarness::kUser, "secret", "xm@example.cn"};

Record AsRecord(const BoxTexts& boxes) { return {boxes[1], boxes[0], boxes[2], boxes[3], boxes[4]}; }

// Every record of the account store file, read apart from the program.
std::vector<Record> StoredAccounts(const ProgramHarness& harness) {
  core::StoreSet stores;
  if (!stores.OpenStore(harness.Path("id.edb"), core::kAccountAlias)) return {};
  std::vector<Record> records;
  for (int64_t i = 0; i < stores.RecordCount(); ++i, stores.SkipRecord())
    records.push_back({stores.ReadText(core::kPop3Server), stores.ReadText(core::kSmtpServer),
                       stores.ReadText(core::kUserName), stores.ReadText(core::kPassword),
                       stores.ReadText(core::kAddress)});
  return records;
}

// The record count of each of the other four stores, and the first mail's
// identifier and subject, read apart from the program.
std::vector<std::string> OtherStores(const ProgramHarness& harness) {
  std::vector<std::string> seen;
  for (const char* file : {"data.edb", "xuhao.edb", "fujian.edb", "box.edb"}) {
    core::StoreSet stores;
    if (!stores.OpenStore(harness.Path(file), "x")) return {};
    seen.push_back(std::to_string(stores.RecordCount()));
  }
  core::StoreSet stores;
  stores.OpenStore(harness.Path("data.edb"), core::kMailAlias);
  seen.push_back(stores.ReadText(core::kMailId) + "|" + stores.ReadText(core::kSubject));
  return seen;
}

gui::EditBox& Box(gui::Window& window, const char* name) {
  auto* box = window.FindControl<gui::EditBox>(name);
  if (box == nullptr) throw std::runtime_error(name);
  return *box;
}

BoxTexts ReadBoxes(gui::Window& window) {
  BoxTexts texts;
  for (size_t i = 0; i < kBoxNames.size(); ++i) texts[i] = Box(window, kBoxNames[i]).Text();
  return texts;
}

// Typing sends key events for ASCII only, so typed values are ASCII.
void TypeBoxes(gui::Window& window, const BoxTexts& texts) {
  for (size_t i = 0; i < kBoxNames.size(); ++i) driver::TypeInto(Box(window, kBoxNames[i]), texts[i]);
}

// Presses a button of the window and lets its deferred close run; true when the window closed.
bool Press(gui::Window& window, const char* button) {
  driver::ClickButton(*window.FindControl<gui::Button>(button));
  driver::RunEventsFor(20);
  return !window.IsOpen();
}

// Runs `act` inside the settings window, opened from the account menu.
void FromMenu(ProgramHarness& harness, const std::function<void(gui::Window&)>& act) {
  gui::SetModalHook(act);
  driver::ClickMenuItem(*harness.window().account_info_item);
  gui::ClearModalHook();
}

// Starts the program; the first-run prompt, if it comes, is answered No.
void StartWithSettingsCommand(ProgramHarness& harness) {
  harness.desktop().QueueMessageAnswer(gui::MessageBoxResult::No);
  harness.Start();
  harness.desktop().ClearCalls();
}

const BoxTexts kTyped = {"smtp.example.cn", "pop.example.cn", "xiaoming", "k0u ling", "xiaoming@example.cn"};

// The prompt comes up inside Start(), so this runs the program's own command binding.
TEST(AccountSettings, FirstRunPromptLeadsToWindowAndSavedAccountShowsInTree) {
  ProgramHarness harness(false);
  harness.desktop().QueueMessageAnswer(gui::MessageBoxResult::Yes);
  BoxTexts shown;
  bool closed = false;
  gui::SetModalHook([&](gui::Window& window) {
    shown = ReadBoxes(window);
    TypeBoxes(window, kTyped);
    closed = Press(window, "确定按钮");
  });
  harness.Start();
  gui::ClearModalHook();

  EXPECT_EQ(shown, BoxTexts{});
  EXPECT_TRUE(closed);
  EXPECT_EQ(harness.MessagesShown(), (std::vector<std::string>{"现在设置邮箱信息？", "增加用户信息成功！"}));
  EXPECT_EQ(StoredAccounts(harness), std::vector<Record>{AsRecord(kTyped)});
  const gui::TreeView& tree = *harness.window().folder_tree;
  ASSERT_EQ(tree.ItemCount(), 6);
  EXPECT_EQ(tree.ItemText(0), "xiaoming");
  for (int j = 1; j <= 5; ++j) EXPECT_EQ(tree.ParentIndex(j), 0);
  EXPECT_EQ(tree.SelectedIndex(), 1);
  EXPECT_EQ(harness.program().state.current_address, "xiaoming@example.cn");
}

TEST(AccountSettings, WindowAndControlsAtDesignedPlaces) {
  ProgramHarness harness;
  StartWithSettingsCommand(harness);
  const struct {
    const char* name;
    int left, top, width, height;
    const char* caption;  // nullptr for an edit box
  } controls[] = {
      // Inside the group box at 8,8: places are shifted by it.
      {"发送邮件服务器标签", 24, 24, 160, 20, "发送邮件服务器（SMTP）："},
      {"发送邮件服务器编辑框", 24, 48, 416, 20, nullptr},
      {"标签2", 216, 24, 208, 24, "例子：smtp.example.cn"},
      {"标签4", 24, 72, 160, 20, "接收邮件服务器（POP3）："},
      {"接收邮件服务器编辑框", 24, 96, 416, 20, nullptr},
      {"标签3", 216, 72, 208, 24, "例子：pop.example.cn"},
      {"标签5", 24, 120, 160, 20, "POP3邮箱帐号："},
      {"POP3邮箱帐号编辑框", 24, 144, 416, 20, nullptr},
      {"标签7", 216, 120, 184, 24, "例子：xiaoming@example.cn"},
      {"标签6", 24, 168, 160, 20, "密码："},
      {"密码编辑框", 24, 192, 176, 20, nullptr},
      {"标签1", 248, 168, 160, 20, "回复地址："},
      {"回复地址编辑框", 248, 193, 192, 20, nullptr},
  };
  FromMenu(harness, [&](gui::Window& window) {
    EXPECT_EQ(window.Title(), "用户信箱设置");
    EXPECT_EQ(window.Width(), 463);
    EXPECT_EQ(window.Height(), 308);
    auto* group = window.FindControl<gui::GroupBox>("分组框1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Caption(), "设置");
    EXPECT_EQ((std::array{group->Left(), group->Top(), group->Width(), group->Height()}),
              (std::array{8, 8, 448, 224}));
    for (const auto& c : controls) {
      gui::Control* control = c.caption ? static_cast<gui::Control*>(window.FindControl<gui::Label>(c.name))
                                        : window.FindControl<gui::EditBox>(c.name);
      ASSERT_NE(control, nullptr) << c.name;
      EXPECT_EQ((std::array{control->Left(), control->Top(), control->Width(), control->Height()}),
                (std::array{c.left, c.top, c.width, c.height}))
          << c.name;
      if (c.caption) {
        EXPECT_EQ(window.FindControl<gui::Label>(c.name)->Caption(), c.caption) << c.name;
      }
    }
    const struct {
      const char* name;
      int left;
      const char* caption;
    } buttons[] = {{"确定按钮", 80, "确定"}, {"取消按钮", 264, "取消"}};
    for (const auto& b : buttons) {
      auto* button = window.FindControl<gui::Button>(b.name);
      ASSERT_NE(button, nullptr) << b.name;
      EXPECT_EQ((std::array{button->Left(), button->Top(), button->Width(), button->Height()}),
                (std::array{b.left, 242, 88, 24}));
      EXPECT_EQ(button->Caption(), b.caption);
    }
  });
}

// The store the window starts from, before the user types.
enum class Setup {
  kEmptyStore,      // a first run: the store holds no account
  kAccount,         // the harness account
  kCursorPastEnd,   // the account store's current record is past its one record
  kNoAccountStore,  // "id.edb" is missing, so the window cannot open it
};

struct SaveCase {
  const char* name;
  Setup setup;
  BoxTexts typed;
  const char* message;
  gui::MessageIcon icon;
  std::vector<Record> stored;  // the account store afterwards
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SaveOutcomes : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveOutcomes, MessageRecordAndClose) {
  const SaveCase& c = GetParam();
  ProgramHarness harness(c.setup != Setup::kEmptyStore);
  if (c.setup == Setup::kNoAccountStore) std::filesystem::remove(harness.Path("id.edb"));
  // Another store is current after the start-up; a save must never land in it.
  harness.AddMails({{.id = "m1", .subject = "收到的"}});
  StartWithSettingsCommand(harness);
  if (c.setup == Setup::kCursorPastEnd) {
    harness.program().stores.SelectStore(core::kAccountAlias);
    harness.program().stores.SkipRecord();
  }
  // As a folder listing leaves it: the mail store current, with a record.
  if (c.setup == Setup::kNoAccountStore) harness.program().stores.SelectStore(core::kMailAlias);
  bool closed = false;
  FromMenu(harness, [&](gui::Window& window) {
    TypeBoxes(window, c.typed);
    closed = Press(window, "确定按钮");
  });
  EXPECT_TRUE(closed);
  const auto calls = harness.desktop().CallsOf(Kind::Message);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, c.message);
  EXPECT_EQ(calls[0].caption, "信息：");
  EXPECT_EQ(calls[0].buttons, gui::MessageButtons::Ok);
  EXPECT_EQ(calls[0].icon, c.icon);
  EXPECT_EQ(StoredAccounts(harness), c.stored);
  EXPECT_EQ(OtherStores(harness), (std::vector<std::string>{"1", "0", "0", "5", "m1|收到的"}));
  // The tree is rebuilt from what was stored.
  const gui::TreeView& tree = *harness.window().folder_tree;
  EXPECT_EQ(tree.ItemCount(), c.stored.empty() ? 0 : 6);
  if (!c.stored.empty()) {
    EXPECT_EQ(tree.ItemText(0), c.stored[0][2]);
  }
}

const BoxTexts kBlanks = {" ", " ", "  ", " ", " "};

INSTANTIATE_TEST_SUITE_P(
    All, SaveOutcomes,
    ::testing::Values(
        SaveCase{"AddToEmptyStore", Setup::kEmptyStore, kTyped, "增加用户信息成功！", gui::MessageIcon::Information,
                 {AsRecord(kTyped)}},
        SaveCase{"ModifyTheAccount", Setup::kAccount, kTyped, "设置用户信息成功！", gui::MessageIcon::Information,
                 {AsRecord(kTyped)}},
        SaveCase{"BlanksCountAsFilled", Setup::kAccount, kBlanks, "设置用户信息成功！",
                 gui::MessageIcon::Information, {AsRecord(kBlanks)}},
        SaveCase{"ModifyFails", Setup::kCursorPastEnd, kTyped, "设置用户信息失败！", gui::MessageIcon::Error,
                 {kHarnessRecord}},
        SaveCase{"AddFailsWithoutStore", Setup::kNoAccountStore, kTyped, "增加用户信息失败！",
                 gui::MessageIcon::Error, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AccountSettings, AnyEmptyBoxIsRefusedAndWindowKeepsWhatWasTyped) {
  ProgramHarness harness(false);
  StartWithSettingsCommand(harness);
  // The reply address last, as the case most easily missed.
  for (size_t empty : {4u, 0u, 1u, 2u, 3u}) {
    BoxTexts typed = kTyped;
    typed[empty] = "";
    bool open = false;
    BoxTexts kept;
    FromMenu(harness, [&](gui::Window& window) {
      TypeBoxes(window, typed);
      open = !Press(window, "确定按钮");
      kept = ReadBoxes(window);
    });
    EXPECT_TRUE(open) << kBoxNames[empty];
    EXPECT_EQ(kept, typed) << kBoxNames[empty];
    const auto calls = harness.desktop().CallsOf(Kind::Message);
    ASSERT_EQ(calls.size(), 1u) << kBoxNames[empty];
    EXPECT_EQ(calls[0].text, "请填写所有信息！");
    EXPECT_EQ(calls[0].icon, gui::MessageIcon::Error);
    harness.desktop().ClearCalls();
  }
  EXPECT_TRUE(StoredAccounts(harness).empty());
}

TEST(AccountSettings, ClosingWithoutSavingWritesNothingAndRebuildsTree) {
  const struct {
    const char* way;
    std::function<void(gui::Window&)> close;
  } ways[] = {
      {"cancel", [](gui::Window& window) { Press(window, "取消按钮"); }},
      {"close box", [](gui::Window& window) { driver::CloseByCloseBox(window); }},
  };
  for (const auto& w : ways) {
    ProgramHarness harness;
    StartWithSettingsCommand(harness);
    harness.window().folder_tree->Clear();
    bool closed = false;
    FromMenu(harness, [&](gui::Window& window) {
      TypeBoxes(window, kTyped);
      w.close(window);
      closed = !window.IsOpen();
    });
    EXPECT_TRUE(closed) << w.way;
    EXPECT_TRUE(harness.MessagesShown().empty()) << w.way;
    EXPECT_EQ(StoredAccounts(harness), std::vector<Record>{kHarnessRecord}) << w.way;
    ASSERT_EQ(harness.window().folder_tree->ItemCount(), 6) << w.way;
    EXPECT_EQ(harness.window().folder_tree->ItemText(0), ProgramHarness::kUser) << w.way;
  }
}

TEST(AccountSettings, SavingAgainShowsStoredValuesAndModifiesTheOneRecord) {
  ProgramHarness harness;
  StartWithSettingsCommand(harness);
  BoxTexts expected_shown = kHarnessBoxes;
  for (const char* name : {"xiaohong", "xiaogang"}) {
    BoxTexts shown;
    FromMenu(harness, [&](gui::Window& window) {
      shown = ReadBoxes(window);
      driver::TypeInto(Box(window, "POP3邮箱帐号编辑框"), name);
      Press(window, "确定按钮");
    });
    EXPECT_EQ(shown, expected_shown);
    expected_shown[2] = name;
    EXPECT_EQ(harness.MessagesShown(), std::vector<std::string>{"设置用户信息成功！"});
    harness.desktop().ClearCalls();
    EXPECT_EQ(harness.window().folder_tree->ItemText(0), name);
  }
  EXPECT_EQ(StoredAccounts(harness), std::vector<Record>{AsRecord(expected_shown)});
}

TEST(AccountSettings, WindowOpensAccountStoreWhenItIsClosed) {
  ProgramHarness harness;
  StartWithSettingsCommand(harness);
  harness.program().stores.CloseStore(core::kAccountAlias);
  BoxTexts shown;
  FromMenu(harness, [&](gui::Window& window) {
    shown = ReadBoxes(window);
    driver::TypeInto(Box(window, "回复地址编辑框"), "new@example.cn");
    Press(window, "确定按钮");
  });
  EXPECT_EQ(shown, kHarnessBoxes);
  EXPECT_TRUE(harness.program().stores.IsAliasOpen(core::kAccountAlias));
  EXPECT_EQ(harness.MessagesShown(), std::vector<std::string>{"设置用户信息成功！"});
  Record expected = kHarnessRecord;
  expected[4] = "new@example.cn";
  EXPECT_EQ(StoredAccounts(harness), std::vector<Record>{expected});
  EXPECT_EQ(harness.program().state.current_address, "new@example.cn");
}

}  // namespace
}  // namespace vostrel::test
