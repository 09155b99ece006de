#pragma once

// The vessel of the benchmarks: the largest the program takes, 9,800 cells,
// built on the fly (nothing of it is committed), and a full condition for it.

#include <filesystem>
#include <memory>
#include <string>

#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

class ConditionFile;

inline constexpr int kBenchCells = 9800;

// 40 bays (01, 03 ... 79, paired into 40' bays 02, 06 ...) of 14 rows; every
// bay has hold tiers 02..18, the fore bay of each pair deck tiers 82..98 and
// the aft one 82..96: 20 x 14 x 18 + 20 x 14 x 17 = 9,800 cells. Six ports
// of call are known.
void BuildBenchVessel(PlanData& plan);

// A plan on the benchmark vessel with its stability and working context,
// nobody at the screen.
struct BenchWorld {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stability{*plan};
  QuietHost host;
  PlanContext ctx{*plan, stability, host};
  BenchWorld() { BuildBenchVessel(*plan); }
};

// A unit of the benchmark voyage, number n: 20' or 40', its ports, weight
// and kind varied with n (reefers, dangerous goods, high cubes, empties).
StructDat BenchUnit(int n, bool forty);

// Fills every cell of the working data set as a condition file would (no
// checks): every third stack with 40' units, the others with 20' units.
// Returns the number of units.
int FillBenchCondition(PlanContext& ctx);

// Writes the filled condition as a condition file of a vessel folder in dir
// and returns its path (empty when it could not be written).
std::filesystem::path WriteBenchCondition(PlanContext& ctx, ConditionFile& file,
                                          const std::filesystem::path& dir);

// The benchmark vessel floated by the demo feeder's hydrostatic, tank and
// strength tables, with a twelfth of the full condition on board, so that
// every change is followed by the stability and strength the editor
// recomputes.
struct LargestVessel {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  QuietHost host;
  VesselSession session;
  int unitsLoaded = 0;
  LargestVessel();
  // False, with the reason, when the feeder's tables cannot be read.
  bool Float(const std::filesystem::path& feederDir, std::string& error);
};
