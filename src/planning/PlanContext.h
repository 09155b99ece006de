#pragma once

// Everything a change of the plan must reach: the plan itself, the running
// weight sums of the stability frame and the person at the screen. Planning
// operations take it instead of reaching for globals, so a test builds one
// in a few lines.

#include <functional>

struct PlanData;
class Stability;
class Host;

// Told of every record of the working data set, and of the quay, just
// before a placement or removal changes it: how an edit is recorded so that
// it can be undone.
class ChangeJournal {
 public:
  virtual ~ChangeJournal() = default;
  virtual void BeforeRecordChange(int cell) = 0;
  virtual void BeforeQuayChange() = 0;
  // The live quay record index is about to be taken off the quay (placed on
  // board from the loading list).
  virtual void BeforeQuayTake(int index) = 0;
};

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

  // Set while an undoable edit runs; null otherwise.
  ChangeJournal* Journal = nullptr;
  void Touch(int cell) {
    if (Journal) Journal->BeforeRecordChange(cell);
  }
  void TouchQuay() {
    if (Journal) Journal->BeforeQuayChange();
  }
  void TouchQuayTake(int index) {
    if (Journal) Journal->BeforeQuayTake(index);
  }

  // Records that the working condition changed (true) or was just read or
  // saved (false), invalidates the voyage data set and, unless a bulk run or
  // NoRecalc says otherwise, recomputes and tells the windows.
  void MarkConditionModified(bool value);
};
