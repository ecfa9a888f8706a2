// The store layer as the program uses it: one small field of one record, one
// durable append of a mail-sized record, and listing a whole folder.
#include <benchmark/benchmark.h>

#include "bench/bench_program.h"
#include "browser/mail_list.h"
#include "core/record_store.h"
#include "core/store_schemas.h"
#include "platform/gui/event_loop.h"

namespace vostrel::bench {
namespace {

constexpr int64_t kReadRecords = 10'000;
constexpr size_t kMailTextBytes = 20'000;

// A mail store of kReadRecords mail-sized records, opened alone.
struct ReadFixture {
  BenchProgram folder;
  core::StoreSet stores;
  ReadFixture() {
    folder.AddMails(kReadRecords, kMailTextBytes);
    stores.OpenStore(folder.Path(core::MailStoreSchema().file_name), core::kMailAlias);
  }
};

ReadFixture& SharedReadFixture() {
  static ReadFixture fixture;
  return fixture;
}

// Visits records in a scattered order, so no read is served by the previous one.
int64_t ScatteredPosition(int64_t i) { return (i * 7919) % kReadRecords; }

void BM_ReadTextByNumber(benchmark::State& state) {
  core::StoreSet& stores = SharedReadFixture().stores;
  int64_t i = 0;
  for (auto _ : state) {
    stores.GoToRecord(ScatteredPosition(i++));
    benchmark::DoNotOptimize(stores.ReadText(3));  // the subject
  }
}
BENCHMARK(BM_ReadTextByNumber);

void BM_ReadNumberByName(benchmark::State& state) {
  core::StoreSet& stores = SharedReadFixture().stores;
  int64_t i = 0;
  for (auto _ : state) {
    stores.GoToRecord(ScatteredPosition(i++));
    benchmark::DoNotOptimize(stores.ReadNumber(core::kMailSize));
  }
}
BENCHMARK(BM_ReadNumberByName);

// Arg: records per commit. 1 is how the program appends (each append is on
// disk when it returns); 100 shows what the durable commit itself costs.
void BM_AddMailRecord(benchmark::State& state) {
  const int64_t per_commit = state.range(0);
  BenchProgram folder;
  core::StoreSet stores;
  stores.OpenStore(folder.Path(core::MailStoreSchema().file_name), core::kMailAlias);
  const std::string text(kMailTextBytes, 'x');
  int64_t added = 0;
  for (auto _ : state) {
    if (per_commit > 1 && added % per_commit == 0) stores.BeginWrites(core::kMailAlias);
    const std::string n = std::to_string(added);
    const bool ok = stores.AddRecord({"id" + n, "a@example.cn", "主题 " + n, DateTime{3'786'825'600}, text,
                                      int32_t{0}, "发件人", std::nullopt, std::nullopt, std::nullopt,
                                      int32_t(kMailTextBytes), int32_t{core::kReceivedStatus}});
    if (!ok) state.SkipWithError("AddRecord failed");
    if (per_commit > 1 && ++added % per_commit == 0) stores.CommitWrites(core::kMailAlias);
    if (per_commit == 1) ++added;
  }
  if (per_commit > 1 && added % per_commit != 0) stores.CommitWrites(core::kMailAlias);
  state.SetBytesProcessed(added * static_cast<int64_t>(kMailTextBytes));
}
BENCHMARK(BM_AddMailRecord)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

// Args: record count, plain-text bytes per record. Every record is in the
// received folder, which the start-up selected.
void BM_ListFolderMails(benchmark::State& state) {
  core::Program& program = SharedStartedProgram(state.range(0), static_cast<size_t>(state.range(1)));
  for (auto _ : state) browser::ListFolderMails(program);
  if (program.main_window.mail_list->RowCount() != state.range(0)) state.SkipWithError("rows missing");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFolderMails)
    ->Args({10'000, 20'000})
    ->Args({100'000, 20'000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One synchronous repaint of the whole main window, as a receive run does on
// every progress call; 1 000 rows listed.
void BM_MainWindowRepaint(benchmark::State& state) {
  core::Program& program = SharedStartedProgram(1'000, 200);
  for (auto _ : state) program.main_window.window->Repaint();
}
BENCHMARK(BM_MainWindowRepaint)->Unit(benchmark::kMicrosecond);

// One row appended and the window events let run, as the listing does per row.
void BM_AppendRowAndYield(benchmark::State& state) {
  core::Program& program = SharedStartedProgram(1'000, 200);
  program.stores.SelectStore(core::kMailAlias);
  program.stores.GoToRecord(0);
  for (auto _ : state) {
    browser::AppendMailRow(program);
    gui::ProcessPendingEvents();
  }
}
BENCHMARK(BM_AppendRowAndYield)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vostrel::bench
