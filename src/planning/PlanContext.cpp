#include "planning/PlanContext.h"

#include "core/Host.h"
#include "core/PlanData.h"

void PlanContext::MarkConditionModified(bool value) {
  if (BuildingVoyage || LoadingReference) return;
  plan.VoyUnitCount = 0;  // any change of the plan invalidates the voyage data set
  if (plan.InBatch()) return;
  plan.ConditionModified = value ? 1 : 0;
  if (plan.NoRecalc) return;
  if (Recompute) Recompute();
  host.PlanChanged();
}
