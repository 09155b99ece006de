#include "planning/VesImport.h"

#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"

VesImportOutcome ImportFinal(PlanContext& ctx) {
  PlanData& plan = ctx.plan;
  VesImportOutcome outcome;
  const VesImport tables = ImportVes(plan, ctx.host);
  outcome.result = tables.result;
  outcome.skipped = tables.skipped;
  if (tables.result != VesImportResult::Read) return outcome;

  BusyCursor busy(ctx.host);
  const std::uint8_t removeToQuay = plan.RemoveToQuay;
  plan.RemoveToQuay = 0;  // the old plan is replaced, not sent to the quay
  ClearAllUnits(ctx);
  StructDat& hand = plan.Cur()[static_cast<size_t>(plan.UnitInHandIndex)];
  for (const VesImportUnit& row : tables.units) {
    hand = row.unit;
    if (PlaceUnit(ctx, row.cell, kPlaceFromFile))
      ++outcome.placed;
    else
      ++outcome.refused;
  }
  plan.RemoveToQuay = removeToQuay;
  hand = StructDat{};
  plan.VesHdr[VesHdrIx::Adp].clear();
  plan.RedrawAll = 1;
  ctx.MarkConditionModified(true);
  return outcome;
}
