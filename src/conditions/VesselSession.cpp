#include "conditions/VesselSession.h"

#include "core/Host.h"
#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"

VesselSession::VesselSession(PlanData& plan, Host& host, const std::vector<std::string>& totalsLabels)
    : plan(plan), host(host), stability(plan), ctx(plan, stability, host), conditions(ctx), ves(plan, host),
      selection(ctx) {
  stability.SetItemNames(totalsLabels);
  ctx.Recompute = [this] { stability.ComputeStability(); };
  stability.tanks().MarkModified = [this] { ctx.MarkConditionModified(true); };
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
    if (!stability.LoadTables(plan.VesselDir, error)) TableError(error);
  };
  // Tanks first, then the strength model, which spreads the tank contents
  // and the fixed weights over its sections.
  s.LoadTanks = [this] {
    std::string error;
    if (!stability.tanks().Load(plan.VesselDir, error)) TableError(error);
    error.clear();
    Strength& strength = stability.strength();
    if (!strength.LoadStrengthData(plan.VesselDir, error) && !error.empty()) TableError(error);
    const std::string skipped = SkippedLinesMessage(strength.LoadedFile, strength.SkippedLines);
    if (!skipped.empty()) host.ReportWarning(skipped);
  };
  s.RecomputeStability = [this] {
    // A new vessel starts from its own lightship and fixed weight.
    stability.ClearWeightItems(0, kMaxWeightItems - 1);
    stability.Saved = {};
    stability.SetFixedItems(+1);
    stability.ComputeStability();
  };
  // Without tables nothing floats the ship: the results of the vessel open
  // before (drafts, KM, the GZ curve) must not stay on show.
  s.SetStabilityDefaults = [this] {
    if (stability.Hyd.size() <= 2) stability.Results = StabilityResults{};
  };
  s.LoadQuay = [this] { conditions.ReadQuayFile(); };
  s.ResetSelectionFilter = [this] {
    // The lists name the ports and operators of the vessel open before.
    selection.MarkListsStale();
    selection.RequestedPlane = kCurPlane;
    selection.ResetSelection();
  };
}

void VesselSession::TableError(const std::string& error) {
  tableErrors_.push_back(error);
  host.ReportError(error);
}

bool VesselSession::Open(int vesselIndex) {
  // A vessel that does not open changes nothing: the one open before (if
  // any) stays open.
  const int before = plan.CurVessel;
  plan.CurVessel = vesselIndex;
  if (!ves.OpenVessel()) {
    plan.CurVessel = before;
    return false;
  }
  return true;
}
