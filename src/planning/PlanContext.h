#pragma once

// Everything a change of the plan must reach: the plan itself, the running
// weight sums of the stability frame and the person at the screen. Planning
// operations take it instead of reaching for globals, so a test builds one
// in a few lines.

#include <functional>

struct PlanData;
class Stability;
class Host;

class PlanContext {
 public:
  PlanContext(PlanData& plan, Stability& stability, Host& host)
      : plan(plan), stability(stability), host(host) {}

  PlanData& plan;
  Stability& stability;
  Host& host;

  // Set while whole conditions are read into the voyage or reference data
  // set: marking the condition modified then does nothing at all.
  bool BuildingVoyage = false;
  bool LoadingReference = false;

  // The selection lists no longer match the plan; their reader rebuilds them.
  bool SelectionStale = true;

  // Recomputes stability and strength from the kept sums; set by the
  // stability code. Until then marking the plan modified only repaints.
  std::function<void()> Recompute;

  // Records that the working condition changed (true) or was just read or
  // saved (false), invalidates the voyage data set and, unless a bulk run or
  // NoRecalc says otherwise, recomputes and tells the windows.
  void MarkConditionModified(bool value);
};
