// The editor's commands on the 9,800-cell vessel floated by the feeder's
// tables, each followed by the stability and strength recomputation the
// editor runs after a change, and recorded for undo: one press that loads
// or discharges a unit, Fill Bay of an empty bay, and Dump All.
// Run: build/bin/bench_editor

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "BenchShip.h"
#include "planning/EditorCommands.h"
#include "vessel/CellAddress.h"

namespace {

const std::filesystem::path kFeeder = std::filesystem::path(ZUM4_SOURCE_DIR) / "data" / "demo" / "FEEDER";

// The first free cell of the bay whose 40' partner is free too.
int FreeHoldCell(const PlanData& plan, int bay) {
  const StructBay& b = plan.Bays[static_cast<size_t>(bay)];
  auto free = [&](int c) { return c >= 0 && IsFreeRecord(plan.Cur()[static_cast<size_t>(c)]); };
  for (int c = b.FIRSTCELL; c <= b.LASTCELL; ++c)
    if (free(c) && free(FortyPartnerCell(plan, c))) return c;
  return -1;
}

// A Load press on a free cell, then a Disch press on it: two presses.
void BM_PressLoadThenDischarge(benchmark::State& state) {
  LargestVessel ship;
  std::string error;
  if (!ship.Float(kFeeder, error)) return state.SkipWithError(error.c_str());
  PlanData& plan = *ship.plan;
  EditorCommands editor(ship.session.ctx);
  editor.State.PanelRecord = BenchUnit(7, state.range(0) != 0);
  // A cell whose stack takes the unit: tried with a press taken back.
  int cell = -1;
  plan.EditorOperation = kOpLoad;
  for (int c = plan.Bays[20].FIRSTCELL; c <= plan.Bays[20].LASTCELL && cell < 0; ++c) {
    editor.State.ClearPressGuards();
    if (IsFreeRecord(plan.Cur()[static_cast<size_t>(c)]) && editor.CellClick(c, false)) {
      editor.Undo();
      cell = c;
    }
  }
  for (auto _ : state) {
    plan.EditorOperation = kOpLoad;
    editor.State.ClearPressGuards();
    if (!editor.CellClick(cell, false))
      return state.SkipWithError(("load refused, code " + std::to_string(plan.PlacementError)).c_str());
    plan.EditorOperation = kOpDisch;
    editor.State.ClearPressGuards();
    if (!editor.CellClick(cell, false)) return state.SkipWithError("discharge refused");
  }
  state.SetItemsProcessed(state.iterations() * 2);
  state.counters["undo_steps"] = static_cast<double>(editor.History.Size());
  state.counters["displacement_t"] = ship.session.stability.Results.W;
}
BENCHMARK(BM_PressLoadThenDischarge)->Arg(0)->Arg(1)->ArgName("forty")->Unit(benchmark::kMicrosecond);

// Fill Bay over an empty bay: every hold and deck cell of one side.
void BM_FillBay(benchmark::State& state) {
  LargestVessel ship;
  std::string error;
  if (!ship.Float(kFeeder, error)) return state.SkipWithError(error.c_str());
  PlanData& plan = *ship.plan;
  EditorCommands editor(ship.session.ctx);
  editor.State.PanelRecord = BenchUnit(3, false);
  const int bay = 20;
  // The bay empty to start with.
  editor.DumpUnits(plan.Bays[bay].FIRSTCELL, "", kDumpBay);
  const int cell = FreeHoldCell(plan, bay);
  int placed = 0;
  for (auto _ : state) {
    placed = editor.FillCells(cell, false, kFillBay);
    state.PauseTiming();
    editor.Undo();
    state.ResumeTiming();
  }
  state.counters["cells_filled"] = placed;
}
BENCHMARK(BM_FillBay)->Unit(benchmark::kMillisecond);

// Dump All on the whole vessel full (every cell), and on one full bay.
void BM_DumpAll(benchmark::State& state) {
  LargestVessel ship;
  std::string error;
  if (!ship.Float(kFeeder, error)) return state.SkipWithError(error.c_str());
  PlanData& plan = *ship.plan;
  EditorCommands editor(ship.session.ctx);
  const bool wholeShip = state.range(0) != 0;
  editor.DumpUnits(-1, "", kDumpAll);
  editor.History.Clear();
  if (wholeShip) {
    FillBenchCondition(ship.session.ctx);
  } else {
    editor.State.PanelRecord = BenchUnit(3, false);
    const int bay = 20;
    const StructBay& b = plan.Bays[bay];
    editor.FillCells(b.FIRSTCELL, false, kFillBay);
    editor.FillCells(b.LASTCELL, false, kFillBay);
    editor.History.Clear();
  }
  int removed = 0;
  for (auto _ : state) {
    removed = editor.DumpUnits(-1, "", kDumpAll);
    state.PauseTiming();
    editor.Undo();
    state.ResumeTiming();
  }
  state.counters["units_removed"] = removed;
}
BENCHMARK(BM_DumpAll)->Arg(0)->Arg(1)->ArgName("whole_ship")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
