// EDIFACT interchanges of any content must split into segments and import
// into a small vessel without fault, leave the plan consistent, and lose no
// unit: every unit of a BAPLIE or COPRAR ends on board or on the quay.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "core/Host.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "edifact/EdiExport.h"
#include "edifact/EdiImport.h"
#include "edifact/EdiSegments.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"

namespace {

// Bays 01 and 03 make 40' bay 02, bay 05 stands alone; deck and hold cells.
void BuildVessel(PlanData& plan) {
  for (const char* bay : {"01", "03", "05"}) {
    plan.Bays[plan.BayCount].BAY = bay;
    plan.Bays[plan.BayCount].FIRSTCELL = plan.CellCount;
    plan.Bays[plan.BayCount].D00 = 1;
    for (const char* rowTier : {"0082", "0182", "0282", "0084", "0102", "0202", "0104"}) {
      StructCel& cell = plan.Cells[plan.CellCount];
      cell.CELL = std::string(bay) + rowTier;
      cell.BAYIX = plan.BayCount;
      cell.LCG = 10 + plan.CellCount;
      cell.LCG_40 = 13 + plan.CellCount;
      cell.VCG = 2 + plan.CellCount % 5;
      ++plan.CellCount;
    }
    plan.Bays[plan.BayCount].LASTCELL = plan.CellCount - 1;
    ++plan.BayCount;
  }
  for (int b : {0, 1}) {
    plan.Bays[b].D40 = "02";
    plan.Bays[b].H40 = "02";
  }
  plan.BayTrans[0] = "077";
  plan.BayTrans[1] = "001";
  plan.BayTransCount = 1;
  plan.ReeferTypes[0] = "RF";
  plan.ReeferTypeCount = 1;
}

struct World {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stability{*plan};
  QuietHost host;
  PlanContext ctx{*plan, stability, host};
  BaseData base{*plan, host};

  World() { BuildVessel(*plan); }
};

void CheckConsistent(const PlanData& plan) {
  for (int i = 0; i < plan.CellCount; ++i) Check(plan.Cur()[i].STATUS >= -1 && plan.Cur()[i].STATUS <= 1);
  Check(!plan.InBatch());
  Check(plan.NoRecalc == 0);
  Check(plan.RemoveToQuay == 0);
  Check(plan.Cur()[plan.UnitInHandIndex] == StructDat{});
  Check(plan.QuayCount >= 0 && plan.QuayCount <= kMaxCells);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World world;
  PlanData& plan = *world.plan;
  SetNumberFormat(NumberFormat{'.', ','});
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // The splitter alone: every segment it gives has a tag slot and elements.
  EdiSegmentReader reader(bytes);
  EdiSegment segment;
  int segments = 0;
  while (reader.Next(segment)) {
    Check(segment.ElementCount >= 2 && segment.ElementCount <= kEdiElements);
    ++segments;
  }
  Check(segments <= static_cast<int>(size));

  ClearQuay(plan);
  EdiImport import(world.ctx, world.base);
  import.OpenBytes(bytes);
  SetDumpAll(import.Options, true);
  const EdiMessageKind kind = import.Header.Kind;
  int units = 0;
  if (kind != EdiMessageKind::Movins) {
    EdiSegmentReader counter(bytes);
    while (counter.Next(segment))
      if (segment.Is("LOC", "147") || (kind == EdiMessageKind::Coprar && segment.Tag() == "EQD")) ++units;
  }
  Check(import.Run());
  CheckConsistent(plan);
  if (kind != EdiMessageKind::Movins) Check(import.Loaded + import.Refused == units);

  // What is on board now is written and read back as the same number of units.
  if (kind == EdiMessageKind::Baplie) {
    int onBoard = 0;
    for (int i = 0; i < plan.CellCount; ++i)
      if (plan.Cur()[i].STATUS == 1 && plan.Cur()[i].FL3 < 1) ++onBoard;
    EdiExportOptions options;
    options.PlaceOfDeparture = "XXZZZ";
    const EdiExportResult written = WriteInterchange(plan, options);
    Check(written.Units == onBoard);
    ClearQuay(plan);
    EdiImport again(world.ctx, world.base);
    again.OpenBytes(written.Text);
    SetDumpAll(again.Options, true);
    Check(again.Run());
    CheckConsistent(plan);
    Check(again.Loaded + again.Refused == onBoard);
  }
  return 0;
}
