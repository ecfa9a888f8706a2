#include "platform/gui/scripted_desktop.h"

#include <gtest/gtest.h>

namespace vostrel::gui {
namespace {

using Kind = ScriptedDesktop::Kind;

TEST(ScriptedDesktopTest, RecordsCallsInOrderAndAnswersFromQueues) {
  ScriptedDesktop desktop;
  desktop.QueueMessageAnswer(MessageBoxResult::No);
  desktop.QueueFileAnswer("/tmp/a.txt");
  EXPECT_EQ(desktop.ShowMessage("现在设置邮箱信息？", "信息：", MessageButtons::YesNo,
                                MessageIcon::Information),
            MessageBoxResult::No);
  EXPECT_EQ(desktop.SaveFileDialog("save", "mail.txt", "*.txt"), "/tmp/a.txt");
  desktop.SetClipboardText("copied");
  EXPECT_EQ(desktop.ClipboardText(), "copied");

  ASSERT_EQ(desktop.Calls().size(), 3u);
  const auto& message = desktop.Calls()[0];
  EXPECT_EQ(message.kind, Kind::Message);
  EXPECT_EQ(message.text, "现在设置邮箱信息？");
  EXPECT_EQ(message.caption, "信息：");
  EXPECT_EQ(message.buttons, MessageButtons::YesNo);
  EXPECT_EQ(message.icon, MessageIcon::Information);
  EXPECT_EQ(desktop.Calls()[1].caption, "mail.txt");
  EXPECT_EQ(desktop.CallsOf(Kind::SetClipboard).size(), 1u);
}

TEST(ScriptedDesktopTest, WithNothingQueuedAnswersFirstButtonOrCancel) {
  ScriptedDesktop desktop;
  const std::pair<MessageButtons, MessageBoxResult> cases[] = {
      {MessageButtons::Ok, MessageBoxResult::Ok},
      {MessageButtons::OkCancel, MessageBoxResult::Ok},
      {MessageButtons::YesNo, MessageBoxResult::Yes},
      {MessageButtons::YesNoCancel, MessageBoxResult::Yes},
      {MessageButtons::RetryCancel, MessageBoxResult::Retry},
      {MessageButtons::AbortRetryIgnore, MessageBoxResult::Abort},
  };
  for (const auto& [buttons, expected] : cases) {
    EXPECT_EQ(desktop.ShowMessage("t", "c", buttons, MessageIcon::None), expected);
  }
  EXPECT_EQ(desktop.OpenFileDialog("open", ""), std::nullopt);
  EXPECT_EQ(desktop.FolderDialog("folder"), std::nullopt);
  EXPECT_TRUE(desktop.StartWebBrowser("http://example.invalid/"));
  desktop.QueueLaunchResult(false);
  EXPECT_FALSE(desktop.OpenWithAssociatedProgram("/tmp/x"));
}

}  // namespace
}  // namespace vostrel::gui
