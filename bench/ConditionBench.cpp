// Reading a full condition: 9,800 cells, every one holding a unit (20' and
// 40' units, reefers, dangerous goods).
// (a) reading the file and placing every unit into the working data set,
//     then building the load totals from scratch;
// (b) the baseline: reading the same file and splitting it into fields.
// Run: build/bin/bench_condition

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "BenchShip.h"
#include "conditions/ConditionFile.h"
#include "core/Host.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "planning/LoadTotals.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

namespace fs = std::filesystem;

namespace {

struct FullShip : BenchWorld {
  ConditionFile file{ctx};
  fs::path dir = fs::temp_directory_path() / ("zum4_bench_condition_" + std::to_string(::getpid()));
  fs::path path;

  FullShip() {
    SetNumberFormat(NumberFormat{'.', ','});
    FillBenchCondition(ctx);
    path = WriteBenchCondition(ctx, file, dir);
  }
  ~FullShip() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

FullShip& Ship() {
  static FullShip ship;
  return ship;
}

void BM_ReadConditionAndTotals(benchmark::State& state) {
  FullShip& ship = Ship();
  PlanData& plan = *ship.plan;
  for (auto _ : state) {
    if (!ship.file.ReadCondition(ship.path, kCurPlane, false)) state.SkipWithError("read failed");
    plan.PolCount = -1;
    plan.PodCount = -1;
    for (int i = 0; i < plan.CellCount; ++i) AddToTotals(plan, i, +1, kCurPlane);
  }
  int units = 0;
  for (int i = 0; i < plan.CellCount; ++i) units += plan.Cur()[i].STATUS > 0;
  state.counters["units"] = units;
  state.counters["skipped"] = static_cast<double>(ship.file.SkippedLines().size());
  state.counters["grand_total"] = plan.LoadTotals.COUNT[kTotalsPorts - 1][kTotalsPorts - 1][0];
  state.counters["file_MiB"] = static_cast<double>(fs::file_size(ship.path)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ReadConditionAndTotals)->Unit(benchmark::kMillisecond);

void BM_SplitConditionFile(benchmark::State& state) {
  FullShip& ship = Ship();
  for (auto _ : state) {
    std::ifstream in(ship.path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t fields = 0;
    SplitFileFields(bytes, '|', true, 81,
                    [&](int, std::span<const std::string> line, bool) { fields += line.size(); });
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(BM_SplitConditionFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
