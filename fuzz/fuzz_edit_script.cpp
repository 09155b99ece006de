// Scripts of editor commands on any bytes, on a small vessel with a few
// units: no line may crash, and undoing every step afterwards gives back
// every record and the containers' weight exactly as they were.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "planning/CellOps.h"
#include "planning/EditScript.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "stability/Stability.h"
#include "vessel/Ports.h"

namespace {

// Bays 01 and 03 (their 40' bay 02), rows 01 and 02, hold tiers 02 and 04,
// deck tiers 82 and 84.
void BuildVessel(PlanData& plan) {
  for (const char* bay : {"01", "03"}) {
    StructBay& b = plan.Bays[static_cast<size_t>(plan.BayCount)];
    b = StructBay{};
    b.BAY = bay;
    b.D40 = "02";
    b.H40 = "02";
    b.D42 = b.H42 = 1;
    b.HC_MAX = 9;
    b.FIRSTCELL = plan.CellCount;
    for (const char* row : {"01", "02"})
      for (const char* tier : {"02", "04", "82", "84"}) {
        StructCel& c = plan.Cells[static_cast<size_t>(plan.CellCount)];
        c = StructCel{};
        c.CELL = std::string(bay) + row + tier;
        c.BAYIX = plan.BayCount;
        c.LCG = 50.0 - 6.1 * plan.BayCount;
        c.LCG_40 = c.LCG - 3.0;
        c.VCG = 2.0 + plan.CellCount;
        c.TCG = row[1] == '1' ? 1.2 : -1.2;
        b.LASTCELL = plan.CellCount++;
      }
    ++plan.BayCount;
  }
  AddOrUpdatePort(plan, "HAM", "HAMBURG", "DE", "", true);
  AddOrUpdatePort(plan, "RTM", "ROTTERDAM", "NL", "", true);
  plan.VesHdr[VesHdrIx::Port] = "HAM";
}

StructDat Unit(const char* number, const char* size, double weight) {
  StructDat u;
  u.CONTAINER = number;
  u.POL = "HAM";
  u.POD = "RTM";
  u.SIZ = size;
  u.TYP = "DV";
  u.WEIGHT = weight;
  return u;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The plan is large: made once, and what a run can touch made new.
  static std::unique_ptr<PlanData> plan = CreatePlanData();
  static QuietHost host;
  static Stability stability(*plan);
  static PlanContext ctx(*plan, stability, host);
  for (int i = 0; i < kMaxCells; ++i) {
    if (i < 40 || (i >= plan->UnitInHandIndex && i < plan->UnitInHandIndex + kMoveQueueSize))
      plan->Cur()[static_cast<size_t>(i)] = StructDat{};
    if (i < std::max(plan->QuayCount, 0)) plan->Dat[plan->QuayPlane][static_cast<size_t>(i)] = StructDat{};
  }
  ClearQuay(*plan);
  plan->CellCount = 0;
  plan->BayCount = 0;
  plan->VoyPortCount = 0;
  plan->EditorOperation = 1;
  stability.ResetContainers();
  BuildVessel(*plan);
  const std::pair<int, StructDat> units[] = {{0, Unit("AAAU0000001", "20", 11.5)},
                                             {2, Unit("BBBU0000002", "40", 23)},
                                             {5, Unit("CCCU0000003", "20", 7)}};
  for (const auto& [cell, unit] : units) {
    plan->Cur()[static_cast<size_t>(plan->UnitInHandIndex)] = unit;
    PlaceUnit(ctx, cell, kPlaceFromFile);
  }
  plan->Cur()[static_cast<size_t>(plan->UnitInHandIndex)] = StructDat{};
  const std::vector<StructDat> before(plan->Cur().begin(), plan->Cur().begin() + plan->CellCount);
  const WeightItem weight = stability.Items[kContainersItem];

  EditScript script(ctx);
  std::vector<std::string> lines =
      SplitTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
  if (lines.size() > 60) lines.resize(60);
  for (const std::string& line : lines) {
    std::string said, reason;
    script.Run(line, said, reason);
  }
  while (script.Editor().Undo()) {
  }
  for (int i = 0; i < plan->CellCount; ++i)
    if (!(plan->Cur()[static_cast<size_t>(i)] == before[static_cast<size_t>(i)])) std::abort();
  const WeightItem& now = stability.Items[kContainersItem];
  if (now.W != weight.W || now.WL != weight.WL || now.WV != weight.WV || now.WT != weight.WT) std::abort();
  return 0;
}
