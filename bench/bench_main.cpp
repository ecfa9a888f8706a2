// Entry of the Google Benchmark programs: the list view and the main window
// need an application object, offscreen unless told otherwise.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_program.h"
#include "platform/gui/event_loop.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vostrel::gui::InitApplication();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  vostrel::bench::ReleaseSharedProgram();
  benchmark::Shutdown();
  return 0;
}
