// Placement on a vessel of the largest size: 9,800 cells.
// Run: build/bin/bench_planning

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/Ports.h"

namespace {

std::string Two(int n) { return Pad(IntOrEmpty(n), 2, true, "0"); }

// 40 bays (01, 03 ... 79, paired into 40' bays 02, 06 ...) of 14 rows; every
// bay has hold tiers 02..18, the fore bay of each pair deck tiers 82..98 and
// the aft one 82..96: 20 x 14 x 18 + 20 x 14 x 17 = 9,800 cells.
void BuildLargeVessel(PlanData& plan) {
  for (int b = 0; b < 40; ++b) {
    const int number = 2 * b + 1;
    StructBay& bay = plan.Bays[b];
    bay.BAY = Two(number);
    const int forty = b % 2 == 0 ? number + 1 : number - 1;
    bay.D40 = Two(forty);
    bay.H40 = Two(forty);
    bay.D00 = 0;
    bay.H00 = 0;
    bay.D42 = 1;
    bay.H42 = 1;
    bay.HC_MAX = 9;
    bay.FIRSTCELL = plan.CellCount;
    const int lastDeckTier = b % 2 == 0 ? 98 : 96;
    for (int row = 1; row <= 14; ++row) {
      auto add = [&](int tier) {
        StructCel& c = plan.Cells[plan.CellCount];
        c.CELL = bay.BAY + Two(row) + Two(tier);
        c.BAYIX = b;
        c.LCG = 200.0 - 6.1 * b;
        c.LCG_40 = c.LCG - 3.05;
        c.VCG = tier < 80 ? tier * 1.3 : 20 + (tier - 80) * 1.3;
        c.TCG = (row % 2 == 1 ? 1 : -1) * 2.5 * ((row + 1) / 2);
        ++plan.CellCount;
      };
      for (int tier = 2; tier <= 18; tier += 2) add(tier);
      for (int tier = 82; tier <= lastDeckTier; tier += 2) add(tier);
    }
    bay.LASTCELL = plan.CellCount - 1;
  }
  plan.BayCount = 40;
  AddOrUpdatePort(plan, "HAM", "HAMBURG", "DE", "", true);
  AddOrUpdatePort(plan, "RTM", "ROTTERDAM", "NL", "", true);
}

StructDat Unit(int n) {
  StructDat u;
  u.CONTAINER = "BENU" + Pad(IntOrEmpty(n), 7, true, "0");
  u.POL = "HAM";
  u.POD = "RTM";
  u.SIZ = "20";
  u.TYP = "DV";
  u.ISO = "22G1";
  u.WEIGHT = 12.5;
  return u;
}

struct Bench {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
  QuietHost host;
  PlanContext ctx{*plan, stab, host};
  Bench() { BuildLargeVessel(*plan); }
  StructDat& Hand() { return plan->Cur()[plan->UnitInHandIndex]; }
};

// One unit put into a cell in the middle of the ship and taken out again,
// with the interactive checks (stack rules of both 20' bays).
void BM_PlaceAndRemoveOne(benchmark::State& state) {
  Bench b;
  const bool forty = state.range(0) != 0;
  const int cell = b.plan->Bays[20].FIRSTCELL + 5;
  StructDat unit = Unit(1);
  if (forty) unit.SIZ = "40";
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
      b.Hand() = Unit(i);
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
