// Receive runs against a private Dovecot, side by side with mpop fetching the
// same mailbox (leave on server), and MIME parsing throughput. Prints one
// line per figure; receive_vs_mpop.sh runs it.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_program.h"
#include "core/store_schemas.h"
#include "platform/gui/event_loop.h"
#include "platform/mime/parse_mail.h"
#include "receive/receive_run.h"
#include "tests/platform/pop3/dovecot_server.h"
#include "tests/receive/mail_fixtures.h"

namespace vostrel::bench {
namespace {

constexpr size_t kBodyBytes = 20'000;

struct Options {
  int messages = 1000;
  int repetitions = 3;
  int extra_seen = 4000;
  std::string mpop = "mpop";
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&](const char* name) -> const char* {
      const std::string prefix = std::string(name) + "=";
      return arg.rfind(prefix, 0) == 0 ? argv[i] + prefix.size() : nullptr;
    };
    if (const char* v = value("--messages")) options.messages = std::atoi(v);
    else if (const char* v = value("--repetitions")) options.repetitions = std::atoi(v);
    else if (const char* v = value("--extra-seen")) options.extra_seen = std::atoi(v);
    else if (const char* v = value("--mpop")) options.mpop = v;
    else {
      std::fprintf(stderr, "usage: %s [--messages=N] [--repetitions=N] [--extra-seen=N] [--mpop=PATH]\n", argv[0]);
      std::exit(2);
    }
  }
  return options;
}

double SecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "receive_bench: %s\n", what.c_str());
  std::exit(1);
}

std::vector<std::string> GeneratedMailbox(int count) {
  std::vector<std::string> mails;
  for (int i = 0; i < count; ++i) mails.push_back(test::GeneratedMail(i, i % 3 == 0, kBodyBytes));
  return mails;
}

double MimeMegabytesPerSecond(const std::vector<std::string>& mails) {
  double bytes = 0;
  for (const auto& m : mails) bytes += static_cast<double>(m.size());
  const double seconds = SecondsOf([&] {
    for (const auto& m : mails) {
      const mime::MailInfo info = mime::ParseMail(m);
      if (info.raw_source.size() != m.size()) Fail("parse lost bytes");
    }
  });
  return bytes / 1e6 / seconds;
}

// One receive in a started program; fails unless it ended as a clean run
// leaving `expected` mails stored.
double TimedReceive(BenchProgram& program, int expected) {
  const double seconds = SecondsOf([&] { receive::ReceiveNewMail(program.program()); });
  core::Program& p = program.program();
  if (p.main_window.status_bar->Text(0) != "接受完成") Fail("receive ended with: " + p.main_window.status_bar->Text(0));
  p.stores.SelectStore(core::kMailAlias);
  if (p.stores.RecordCount() != expected) Fail("mail store holds " + std::to_string(p.stores.RecordCount()));
  return seconds;
}

struct OurRun {
  double first = 0, second = 0, second_more_seen = 0;
};

OurRun MeasureOurs(const test::DovecotServer& server, const Options& options) {
  BenchProgram program(server.address(), server.user(), server.password());
  program.Start();
  OurRun run;
  run.first = TimedReceive(program, options.messages);
  run.second = TimedReceive(program, options.messages);
  program.AddSeenIds(options.extra_seen);
  run.second_more_seen = TimedReceive(program, options.messages);
  return run;
}

// mpop with only command-line settings: plain POP3, USER/PASS, keep on
// server, its UIDL list and a Maildir in `folder`.
double TimedMpop(const test::DovecotServer& server, const Options& options, const std::filesystem::path& folder) {
  const std::string port = "--port=" + std::to_string(server.port());
  const std::string user = "--user=" + server.user();
  const std::string password = "--passwordeval=echo " + server.password();
  const std::string uidls = "--uidls-file=" + (folder / "uidls").string();
  const std::string delivery = "--delivery=maildir," + (folder / "Maildir").string();
  std::vector<const char*> args = {options.mpop.c_str(), "--host=127.0.0.1", port.c_str(), "--tls=off",
                                   "--auth=user", user.c_str(), password.c_str(), "--keep=on", "--only-new=on",
                                   "--timeout=30", uidls.c_str(), delivery.c_str(), "--quiet", nullptr};
  int status = 0;
  const double seconds = SecondsOf([&] {
    const pid_t child = fork();
    if (child == 0) {
      execvp(args[0], const_cast<char* const*>(args.data()));
      _exit(127);
    }
    waitpid(child, &status, 0);
  });
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail("mpop exited with " + std::to_string(status));
  return seconds;
}

struct MpopRun {
  double first = 0, second = 0;
};

MpopRun MeasureMpop(const test::DovecotServer& server, const Options& options) {
  const std::filesystem::path folder = MakeTempFolder("vostrel-mpop");
  for (const char* sub : {"cur", "new", "tmp"}) std::filesystem::create_directories(folder / "Maildir" / sub);
  MpopRun run;
  run.first = TimedMpop(server, options, folder);
  run.second = TimedMpop(server, options, folder);
  const auto delivered = std::distance(std::filesystem::directory_iterator(folder / "Maildir" / "new"),
                                       std::filesystem::directory_iterator());
  std::filesystem::remove_all(folder);
  if (delivered != options.messages) Fail("mpop delivered " + std::to_string(delivered));
  return run;
}

int Run(const Options& options) {
  if (!test::DovecotServer::IsInstalled()) Fail("dovecot is not installed");
  const std::vector<std::string> mails = GeneratedMailbox(options.messages);
  std::vector<size_t> sizes;
  for (const auto& m : mails) sizes.push_back(m.size());
  std::nth_element(sizes.begin(), sizes.begin() + sizes.size() / 2, sizes.end());
  std::printf("mailbox: %d messages, median %zu bytes, every third with two attachments\n", options.messages,
              sizes[sizes.size() / 2]);

  std::vector<double> mime;
  for (int r = 0; r < options.repetitions; ++r) mime.push_back(MimeMegabytesPerSecond(mails));
  std::printf("mime::ParseMail: %.1f MB/s (median of %d passes)\n", Median(mime), options.repetitions);

  test::DovecotServer server;
  if (!server.Start()) Fail("dovecot did not start");
  for (const auto& m : mails) {
    if (!server.AddMessage(m)) Fail("could not add a message");
  }
  MeasureMpop(server, options);  // warms Dovecot's indexes and the page cache; not counted

  std::vector<double> ours_first, ours_second, ours_more_seen, mpop_first, mpop_second;
  for (int r = 0; r < options.repetitions; ++r) {
    const OurRun ours = MeasureOurs(server, options);
    const MpopRun mpop = MeasureMpop(server, options);
    ours_first.push_back(ours.first);
    ours_second.push_back(ours.second);
    ours_more_seen.push_back(ours.second_more_seen);
    mpop_first.push_back(mpop.first);
    mpop_second.push_back(mpop.second);
    std::printf("run %d: ours %.3f s / %.3f s / %.3f s (first / second / second with %d more seen); "
                "mpop %.3f s / %.3f s\n",
                r + 1, ours.first, ours.second, ours.second_more_seen, options.extra_seen, mpop.first, mpop.second);
  }
  const double n = options.messages;
  std::printf("median of %d runs:\n", options.repetitions);
  std::printf("  first run:  ours %.3f s, mpop %.3f s, ours/mpop %.2f\n", Median(ours_first), Median(mpop_first),
              Median(ours_first) / Median(mpop_first));
  std::printf("  second run: ours %.3f s, mpop %.3f s, ours/mpop %.2f\n", Median(ours_second), Median(mpop_second),
              Median(ours_second) / Median(mpop_second));
  std::printf("  second run per message: %.1f us with %d seen records, %.1f us with %d\n",
              Median(ours_second) / n * 1e6, options.messages, Median(ours_more_seen) / n * 1e6,
              options.messages + options.extra_seen);
  return 0;
}

}  // namespace
}  // namespace vostrel::bench

int main(int argc, char** argv) {
  const vostrel::bench::Options options = vostrel::bench::ParseOptions(argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vostrel::gui::InitApplication();
  return vostrel::bench::Run(options);
}
