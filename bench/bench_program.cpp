#include "bench/bench_program.h"

#include <stdlib.h>

#include <stdexcept>
#include <utility>

#include "app/program_start.h"
#include "core/record_store.h"
#include "core/store_schemas.h"
#include "tools/store_files.h"

namespace vostrel::bench {

std::filesystem::path MakeTempFolder(const std::string& prefix) {
  std::string name = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp " + name);
  return name;
}

BenchProgram::BenchProgram(const std::string& pop3_server, const std::string& user, const std::string& password)
    : folder_(MakeTempFolder("vostrel-bench")) {
  std::string error;
  if (!tools::CreateStoreFiles(folder_.string(), false, error) ||
      !tools::WriteAccount(folder_.string(), {pop3_server, "127.0.0.1:2", user, password, "bench@example.cn"},
                           error))
    throw std::runtime_error(error);
}

BenchProgram::~BenchProgram() {
  if (program_ && program_->main_window.window) program_->main_window.window->Close();
  program_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

namespace {

// Appends `count` records to the store under `alias` in one write unit.
template <typename MakeRecord>
void AppendRecords(core::StoreSet& stores, const char* alias, int64_t count, MakeRecord make) {
  stores.SelectStore(alias);
  if (!stores.BeginWrites(alias)) throw std::runtime_error(std::string("begin ") + alias);
  for (int64_t i = 0; i < count; ++i) {
    if (!stores.AddRecord(make(i))) throw std::runtime_error(std::string("append ") + alias);
  }
  if (!stores.CommitWrites(alias)) throw std::runtime_error(std::string("commit ") + alias);
}

}  // namespace

void BenchProgram::AddMails(int64_t count, size_t text_bytes) {
  core::StoreSet stores;
  if (!stores.OpenStore(Path(core::MailStoreSchema().file_name), core::kMailAlias))
    throw std::runtime_error("mail store");
  const std::string text(text_bytes, 'x');
  AppendRecords(stores, core::kMailAlias, count, [&](int64_t i) {
    const std::string n = std::to_string(i);
    return core::RecordValues{"id" + n, "sender" + n + "@example.cn", "主题 " + n,
                              DateTime{3'786'825'600 + i * 61}, text, int32_t(i % 3 == 0 ? 2 : 0),
                              "发件人" + n, std::nullopt, std::nullopt, std::nullopt,
                              int32_t(text_bytes), int32_t{core::kReceivedStatus}};
  });
}

void BenchProgram::AddSeenIds(int64_t count) {
  if (!program_) throw std::runtime_error("AddSeenIds before Start");
  AppendRecords(program_->stores, core::kSeenAlias, count, [](int64_t i) {
    return core::RecordValues{"unrelated-" + std::to_string(i) + "-0f3a9c1e"};
  });
}

void BenchProgram::Start() {
  program_ = std::make_unique<core::Program>(folder_.string(), desktop_);
  app::LoadMainWindow(*program_);
}

namespace {

struct SharedProgram {
  std::pair<int64_t, size_t> key{-1, 0};
  std::unique_ptr<BenchProgram> program;
};

SharedProgram& Shared() {
  static SharedProgram shared;
  return shared;
}

}  // namespace

core::Program& SharedStartedProgram(int64_t count, size_t text_bytes) {
  SharedProgram& shared = Shared();
  if (!shared.program || shared.key != std::make_pair(count, text_bytes)) {
    shared.program.reset();
    shared.program = std::make_unique<BenchProgram>();
    shared.program->AddMails(count, text_bytes);
    shared.program->Start();
    shared.key = {count, text_bytes};
  }
  return shared.program->program();
}

void ReleaseSharedProgram() { Shared().program.reset(); }

}  // namespace vostrel::bench
