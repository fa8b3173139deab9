// The spreadsheet engine on LibreOffice: the office's start, and a month-sized round on a warm
// engine (about 150 cells written, the sheet recomputed, 100 cells read).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/posix/posix_spreadsheets.h"

namespace qrv::platform {
namespace {

PosixSpreadsheetFactory& Factory() {
  static PosixSpreadsheetFactory factory({QRV_PLUGIN_DIR});
  return factory;
}

// The process's one office starts with the first engine, so it is measured once.
void BM_OfficeStart(benchmark::State& state) {
  for (auto _ : state) {
    auto engine = Factory().Create();
    if (!engine) {
      state.SkipWithError(("no engine: " + Factory().Missing()).c_str());
      return;
    }
    benchmark::DoNotOptimize(engine.get());
  }
}
BENCHMARK(BM_OfficeStart)->Iterations(1)->Unit(benchmark::kMillisecond);

// Day rows of 30 by 5 cells, and 100 formulas over them in row 40, read back.
void BM_MonthRound(benchmark::State& state) {
  auto engine = Factory().Create();
  if (!engine) {
    state.SkipWithError(("no engine: " + Factory().Missing()).c_str());
    return;
  }
  for (int32_t i = 1; i <= 100; ++i) {
    const std::string column(1, static_cast<char>('A' + (i - 1) % 5));
    engine->SetCellEntry(40, i, "=SUM(" + column + "1:" + column + "30)*" + std::to_string(i));
  }
  double value = 0;
  for (auto _ : state) {
    for (int32_t row = 1; row <= 30; ++row) {
      for (int32_t col = 1; col <= 5; ++col) engine->SetCellNumber(row, col, row * col + value);
    }
    for (int32_t col = 1; col <= 100; ++col) value += engine->GetCellNumber(40, col) * 1e-12;
  }
  benchmark::DoNotOptimize(value);
}
BENCHMARK(BM_MonthRound)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace qrv::platform
