// Placement on a vessel of the largest size: 9,800 cells.
// Run: build/bin/bench_placement

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchShip.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

namespace {

struct Bench : BenchWorld {
  StructDat& Hand() { return plan->Cur()[plan->UnitInHandIndex]; }
};

// One unit put into a cell in the middle of the ship and taken out again,
// with the interactive checks (stack rules of both 20' bays).
void BM_PlaceAndRemoveOne(benchmark::State& state) {
  Bench b;
  const bool forty = state.range(0) != 0;
  const int cell = b.plan->Bays[20].FIRSTCELL + 5;
  const StructDat unit = BenchUnit(1, forty);
  for (auto _ : state) {
    b.Hand() = unit;
    if (!PlaceUnit(b.ctx, cell, kPlaceInteractive)) state.SkipWithError("placement refused");
    if (!RemoveUnit(b.ctx, cell)) state.SkipWithError("removal refused");
  }
  state.counters["cells"] = b.plan->CellCount;
}
BENCHMARK(BM_PlaceAndRemoveOne)->Arg(0)->Arg(1)->ArgName("forty")->Unit(benchmark::kMicrosecond);

// A whole vessel filled one 20' unit after another, as from the editor
// (mode 0, checks on) or from a condition file (mode 1).
void BM_FillVessel(benchmark::State& state) {
  Bench b;
  const int mode = static_cast<int>(state.range(0));
  const int cells = b.plan->CellCount;
  for (auto _ : state) {
    for (int i = 0; i < cells; ++i) {
      b.Hand() = BenchUnit(i, false);
      if (!PlaceUnit(b.ctx, i, mode)) {
        state.SkipWithError("placement refused");
        break;
      }
    }
    state.PauseTiming();
    ClearAllUnits(b.ctx);
    state.ResumeTiming();
  }
  state.counters["units"] = cells;
  state.counters["time_per_unit"] =
      benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_FillVessel)->Arg(kPlaceInteractive)->Arg(kPlaceFromFile)->ArgName("mode")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
