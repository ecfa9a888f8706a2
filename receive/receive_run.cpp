#include "receive/receive_run.h"

#include <chrono>
#include <string>
#include <vector>

#include "browser/mail_list.h"
#include "core/program.h"
#include "core/store_schemas.h"
#include "platform/gui/event_loop.h"
#include "platform/mime/parse_mail.h"
#include "platform/pop3/pop3_client.h"
#include "receive/store_message.h"

namespace vostrel::receive {
namespace {

constexpr int kWaitLimitMs = 30000;
constexpr int kAttempts = 3;
constexpr const char* kReadErrorTitle = "读取邮件错误";
constexpr std::chrono::milliseconds kProgressInterval{100};

void ShowStatus(core::Program& program, const std::string& text) {
  program.main_window.status_bar->SetText(0, text);
}

// The account whose user name is the text of the selected folder's parent item.
bool FindSelectedAccount(core::Program& program) {
  auto& stores = program.stores;
  const gui::TreeView& tree = *program.main_window.folder_tree;
  const int parent = tree.ParentIndex(tree.SelectedIndex());
  if (parent < 0 || !stores.IsAliasOpen(core::kAccountAlias)) return false;
  const std::string user_name = tree.ItemText(parent);
  stores.SelectStore(core::kAccountAlias);
  stores.GoToFirstRecord();
  return stores.FindRecord([&stores, &user_name] { return stores.ReadText(core::kUserName) == user_name; });
}

void ShowReadError(core::Program& program, const std::string& prefix, pop3::Pop3Client& client) {
  const std::string text = prefix + client.LastError();
  // A connection whose reply went wrong is out of step; it is not kept.
  client.Close();
  program.ShowMessage(text, gui::MessageButtons::Ok, gui::MessageIcon::None, kReadErrorTitle);
}

// Fetches and stores message n unless it was stored before; false when it
// should be fetched again by a later run.
bool ReceiveMessage(core::Program& program, pop3::Pop3Client& client, int64_t n) {
  std::string id;
  // Without its identifier a message cannot be told from one stored before.
  if (!client.UniqueId(n, id) || id.empty()) return false;
  if (WasFetchedBefore(program, id)) return true;
  std::string raw;
  if (!client.Retrieve(n, raw)) return false;
  program.state.current_mail = mime::ParseMail(raw);
  const auto& sizes = program.state.mail_sizes;
  const int64_t listed_size = n <= static_cast<int64_t>(sizes.size()) ? sizes[n - 1] : 0;
  if (!StoreReceivedMessage(program, id, listed_size)) return false;
  browser::AppendMailRow(program);
  return true;
}

std::string FailureText(const std::vector<int64_t>& failed, const std::string& error) {
  std::string numbers;
  for (int64_t n : failed) numbers += (numbers.empty() ? "" : "、") + std::to_string(n);
  return "第 " + numbers + " 封邮件未能收取，下次收取时再试" + (error.empty() ? "" : "：" + error);
}

void RunReceive(core::Program& program) {
  if (!FindSelectedAccount(program)) {
    ShowStatus(program, "请选择你要收取邮件的帐户！");
    return;
  }
  core::ProgramState& state = program.state;
  state.current_pop3_server = program.stores.ReadText(1);
  state.current_user_name = program.stores.ReadText(3);
  state.current_password = program.stores.ReadText(4);

  ShowStatus(program, "正在连接邮箱服务器.....");
  gui::ProcessPendingEvents();
  pop3::Pop3Client client;
  if (!client.Connect(state.current_pop3_server, pop3::kStandardPort, state.current_user_name,
                      state.current_password, kWaitLimitMs, kAttempts)) {
    ShowStatus(program, "连接收信服务器失败！");
    return;
  }
  gui::ProcessPendingEvents();
  ShowStatus(program, "正在获取每个邮件的大小.....");
  int64_t count = 0, total_bytes = 0;
  if (!client.Stat(count, total_bytes)) return ShowReadError(program, "获取邮件信息出错:", client);
  state.total_mail_size = total_bytes / 1024;
  ShowStatus(program, "正在获取邮件个数和大小.....");
  if (!client.ListSizes(count, state.mail_sizes)) return ShowReadError(program, "获取邮件大小出错:", client);
  // Repainting the whole window costs about a millisecond, more than a small
  // message takes to arrive over a fast link: the progress is shown at most
  // ten times a second.
  auto last_shown = std::chrono::steady_clock::now() - kProgressInterval;
  client.SetProgress([&program, count, &last_shown](int stage, int number, int bytes) {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_shown < kProgressInterval) return 1;
    last_shown = now;
    return ReceiveProgress(program, count, stage, number, bytes);
  });

  std::vector<int64_t> failed;
  std::string last_error;
  for (int64_t n = 1; n <= count; ++n) {
    gui::ProcessPendingEvents();
    if (!ReceiveMessage(program, client, n)) {
      failed.push_back(n);
      last_error = client.LastError();
      ShowStatus(program, FailureText(failed, last_error));
    }
  }
  ShowStatus(program, failed.empty() ? "接受完成" : "接受完成；" + FailureText(failed, last_error));
  program.ShowMessage("接受邮件完毕！", gui::MessageButtons::Ok, gui::MessageIcon::Information, "接受完成");
  client.Quit();
}

}  // namespace

int ReceiveProgress(core::Program& program, int64_t count, int stage, int number, int) {
  if (stage == pop3::kStageMessage) {
    ShowStatus(program, "邮件总大小：" + std::to_string(program.state.total_mail_size) + "k   共有 " +
                            std::to_string(count) + " 个邮件     " + std::to_string(number) + "/" +
                            std::to_string(count));
  }
  program.main_window.window->Repaint();
  return 1;
}

void ReceiveNewMail(core::Program& program) {
  if (program.receive_running) return;
  program.receive_running = true;
  RunReceive(program);
  program.receive_running = false;
}

}  // namespace vostrel::receive
