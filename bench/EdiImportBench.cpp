// Importing a 9,800-unit BAPLIE into the 9,800-cell vessel, beside the time
// of merely splitting the same file into segments: the import should cost
// a small multiple of reading the bytes.
// Run: build/bin/bench_ediimport

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>

#include "BenchShip.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "edifact/EdiExport.h"
#include "edifact/EdiImport.h"
#include "edifact/EdiSegments.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"

namespace {

struct Bench : BenchWorld {
  BaseData base{*plan, host};
  std::string baplie;
  int units = 0;

  // Every cell with a 20' unit, written out as a BAPLIE, then emptied.
  Bench() {
    StructDat& hand = plan->Cur()[static_cast<size_t>(plan->UnitInHandIndex)];
    for (int i = 0; i < plan->CellCount; ++i) {
      hand = BenchUnit(i + 1, false);
      if (PlaceUnit(ctx, i, kPlaceFromFile)) ++units;
    }
    hand = StructDat{};
    for (StructDat& record : plan->Cur()) record.SELECTED = 1;
    std::tm now{};
    now.tm_year = 126;
    now.tm_mon = 11;
    now.tm_mday = 10;
    baplie = WriteInterchange(*plan, EdiExportDefaults(*plan, EdiMessageKind::Baplie, {}, now)).Text;
    ClearAllUnits(ctx);
  }
};

Bench& Shared() {
  static Bench bench;
  return bench;
}

void BM_SplitSegments(benchmark::State& state) {
  Bench& b = Shared();
  for (auto _ : state) {
    EdiSegmentReader reader(b.baplie);
    EdiSegment segment;
    int segments = 0;
    while (reader.Next(segment)) ++segments;
    benchmark::DoNotOptimize(segments);
  }
  state.counters["units"] = b.units;
  state.counters["bytes"] = static_cast<double>(b.baplie.size());
}
BENCHMARK(BM_SplitSegments)->Unit(benchmark::kMillisecond);

// The OK button of the import dialog with "Dump all": header pass, load
// pass, every unit placed, and the stability sums afterwards.
void BM_ImportBaplie(benchmark::State& state) {
  Bench& b = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    ClearAllUnits(b.ctx);
    EdiImport import(b.ctx, b.base);
    state.ResumeTiming();
    import.OpenBytes(b.baplie);
    SetDumpAll(import.Options, true);
    import.Run();
    if (import.Loaded != b.units) state.SkipWithError("not every unit was placed");
  }
  state.counters["units"] = b.units;
}
BENCHMARK(BM_ImportBaplie)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
