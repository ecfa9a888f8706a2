#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "core/program.h"
#include "platform/gui/scripted_desktop.h"

namespace vostrel::bench {

// A fresh program folder with the five stores and one account, removed again
// at the end; Start() runs the real start-up with a scripted desktop, so
// nothing waits for a person.
class BenchProgram {
 public:
  explicit BenchProgram(const std::string& pop3_server = "127.0.0.1:1", const std::string& user = "bench",
                        const std::string& password = "secret");
  ~BenchProgram();
  BenchProgram(const BenchProgram&) = delete;
  BenchProgram& operator=(const BenchProgram&) = delete;

  // Before Start: appends `count` received mails of `text_bytes` plain text
  // each, in one write unit.
  void AddMails(int64_t count, size_t text_bytes);
  // Appends `count` identifiers unrelated to any server message to the seen
  // store, through the started program's own stores so that it sees them.
  void AddSeenIds(int64_t count);

  void Start();
  core::Program& program() { return *program_; }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
  gui::ScriptedDesktop desktop_;
  std::unique_ptr<core::Program> program_;
};

// A started program whose mail store holds `count` received mails, kept
// between benchmark runs since building 100 000 records takes longer than
// listing them. Asking for another size replaces it.
core::Program& SharedStartedProgram(int64_t count, size_t text_bytes);
// Closes the shared program; its windows must go before the application object.
void ReleaseSharedProgram();

// A fresh empty temporary folder.
std::filesystem::path MakeTempFolder(const std::string& prefix);

}  // namespace vostrel::bench
