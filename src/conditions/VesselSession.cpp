#include "conditions/VesselSession.h"

#include "core/Host.h"
#include "core/PlanData.h"

VesselSession::VesselSession(PlanData& plan, Host& host, const std::vector<std::string>& totalsLabels)
    : plan(plan), host(host), stability(plan), ctx(plan, stability, host), conditions(ctx), ves(plan, host),
      selection(ctx) {
  stability.SetItemNames(totalsLabels);
  ctx.Recompute = [this] { stability.ComputeStability(); };
  WireOpeningSteps();
}

void VesselSession::WireOpeningSteps() {
  VesselOpenSteps& s = ves.steps;
  s.ResetStabilityTables = [this] {
    stability.Hyd.clear();
    stability.CrossCurves = CrossCurveTable{};
    tableErrors_.clear();
  };
  s.LoadHydrostatics = [this] {
    std::string error;
    if (!stability.LoadTables(plan.VesselDir, error)) {
      tableErrors_.push_back(error);
      host.ReportError(error);
    }
  };
  s.RecomputeStability = [this] {
    // A new vessel starts from its own lightship and fixed weight.
    stability.ClearWeightItems(0, kMaxWeightItems - 1);
    stability.SetFixedItems(+1);
    stability.ComputeStability();
  };
  s.LoadQuay = [this] { conditions.ReadQuayFile(); };
  s.ResetSelectionFilter = [this] {
    selection.RequestedPlane = kCurPlane;
    selection.ResetSelection();
  };
}

bool VesselSession::Open(int vesselIndex) {
  plan.CurVessel = vesselIndex;
  if (!ves.OpenVessel()) {
    plan.CurVessel = -1;
    return false;
  }
  return true;
}
