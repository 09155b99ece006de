// Recomputing stability and strength after one placement, as the editor
// does after every click: on the demo feeder with one of its conditions,
// and on the 9,800-cell vessel floated by the feeder's tables.
// Run: build/bin/bench_stability

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchShip.h"
#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/CellOps.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"
#include "vessel/BaseData.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDemo = fs::path(ZUM4_SOURCE_DIR) / "data" / "demo";

// Places a unit in an empty cell and takes it away again, recomputing after
// each change; reports the time of one change with its recomputation.
void PlaceRemoveRecompute(benchmark::State& state, VesselSession& s, int cell) {
  StructDat unit = BenchUnit(7, false);
  for (auto _ : state) {
    s.plan.Cur()[static_cast<size_t>(s.plan.UnitInHandIndex)] = unit;
    PlaceUnit(s.ctx, cell, kPlaceFromQuay);
    s.stability.ComputeStability();
    RemoveUnit(s.ctx, cell);
    s.stability.ComputeStability();
  }
  state.SetItemsProcessed(state.iterations() * 2);
  state.counters["strength"] = s.stability.strength().Loaded() ? 1 : 0;
  state.counters["sections"] = static_cast<double>(s.stability.strength().Sections.size());
  state.counters["cells"] = s.plan.CellCount;
  state.counters["displacement_t"] = s.stability.Results.W;
  state.counters["within_tables"] = s.stability.strength().Result.State == StrengthState::Current ? 1 : 0;
}

int FirstFreeCell(const PlanData& plan) {
  for (int i = 0; i < plan.CellCount; ++i)
    if (plan.Cur()[static_cast<size_t>(i)].STATUS == 0) return i;
  return -1;
}

void BM_FeederRecompute(benchmark::State& state) {
  auto plan = CreatePlanData();
  QuietHost host;
  BaseData base(*plan, host);
  if (!base.CreateBaseData(kDemo) || !base.LoadBaseData()) return state.SkipWithError("no demo installation");
  plan->Settings[SettingsIx::VesselsRoot] = kDemo.string();
  VesselSession s(*plan, host, base.TotalsLabels);
  int feeder = -1;
  for (int k = 0; k < plan->VesselCount; ++k)
    if (plan->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
  if (feeder < 0 || !s.Open(feeder)) return state.SkipWithError("the demo feeder does not open");
  if (!s.conditions.ReadCondition(fs::path(plan->VesselDir) / "COND" / "DHAM012N.TXT", kCurPlane, false))
    return state.SkipWithError("no demo condition");
  PlaceRemoveRecompute(state, s, FirstFreeCell(*plan));
}
BENCHMARK(BM_FeederRecompute)->Unit(benchmark::kMicrosecond);

void BM_LargestVesselRecompute(benchmark::State& state) {
  LargestVessel ship;
  std::string error;
  if (!ship.Float(kDemo / "FEEDER", error)) return state.SkipWithError(("feeder tables: " + error).c_str());
  state.counters["units_loaded"] = ship.unitsLoaded;
  PlaceRemoveRecompute(state, ship.session, FirstFreeCell(*ship.plan));
}
BENCHMARK(BM_LargestVesselRecompute)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
