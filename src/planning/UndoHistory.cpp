#include "planning/UndoHistory.h"

#include <algorithm>

#include "planning/CellOps.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"
#include "stability/Strength.h"

namespace {

const std::string kNothing;

}  // namespace

void UndoHistory::Begin(const std::string& label, int heldUnits) {
  current_ = Step{};
  current_.Label = label;
  current_.ContainersBefore = ctx_.stability.Items[kContainersItem];
  current_.HeldBefore = HeldUnits(heldUnits);
  if (touched_.empty()) touched_.assign(kMaxCells, 0);
  recording_ = true;
  ctx_.Journal = this;
}

void UndoHistory::End(int heldUnits) {
  if (!recording_) return;
  recording_ = false;
  if (ctx_.Journal == this) ctx_.Journal = nullptr;
  const DataSet& units = ctx_.plan.Cur();
  current_.After.reserve(current_.Cells.size());
  for (int cell : current_.Cells) {
    current_.After.push_back(units[static_cast<size_t>(cell)]);
    touched_[static_cast<size_t>(cell)] = 0;
  }
  current_.ContainersAfter = ctx_.stability.Items[kContainersItem];
  if (current_.QuayCountBefore >= 0) {
    const DataSet& quay = ctx_.plan.Dat[ctx_.plan.QuayPlane];
    for (int i = current_.QuayCountBefore; i < std::min(ctx_.plan.QuayCount, kMaxCells); ++i)
      current_.QuayAdded.push_back(quay[static_cast<size_t>(i)]);
    if (current_.QuayAdded.empty()) current_.QuayCountBefore = -1;
  }
  current_.HeldAfter = HeldUnits(heldUnits);

  bool changed = current_.QuayCountBefore >= 0 || !current_.QuayTaken.empty() ||
                 current_.HeldBefore != current_.HeldAfter;
  for (size_t i = 0; i < current_.Cells.size() && !changed; ++i)
    changed = !(current_.Before[i] == current_.After[i]);
  if (!changed) return;
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(undoCount_), steps_.end());
  steps_.push_back(std::move(current_));
  if (steps_.size() > kMaxSteps) steps_.erase(steps_.begin());
  undoCount_ = steps_.size();
}

const std::string& UndoHistory::UndoLabel() const {
  return CanUndo() ? steps_[undoCount_ - 1].Label : kNothing;
}
const std::string& UndoHistory::RedoLabel() const { return CanRedo() ? steps_[undoCount_].Label : kNothing; }

namespace {

bool SameWeights(const WeightItem& a, const WeightItem& b) {
  return a.W == b.W && a.WL == b.WL && a.WV == b.WV && a.WT == b.WT && a.FSM == b.FSM;
}

}  // namespace

bool UndoHistory::StillApplies(const Step& step, bool forward) const {
  const std::vector<StructDat>& expected = forward ? step.Before : step.After;
  for (size_t i = 0; i < step.Cells.size(); ++i)
    if (!(ctx_.plan.Cur()[static_cast<size_t>(step.Cells[i])] == expected[i])) return false;
  // A taken quay record is put back only where it still lies, taken; an
  // emptied and refilled quay has other units there.
  const DataSet& quay = ctx_.plan.Dat[ctx_.plan.QuayPlane];
  for (const auto& [index, record] : step.QuayTaken) {
    StructDat now = quay[static_cast<size_t>(index)];
    if (now.STATUS != (forward ? record.STATUS : -1)) return false;
    now.STATUS = record.STATUS;
    if (!(now == record)) return false;
    if (forward && index >= ctx_.plan.QuayCount) return false;
  }
  return SameWeights(ctx_.stability.Items[kContainersItem],
                     forward ? step.ContainersBefore : step.ContainersAfter);
}

int UndoHistory::Undo() {
  if (!CanUndo() || recording_) return -1;
  // Something besides the editor changed the plan since (an import, say):
  // writing old records back would undo that too, so the history goes.
  if (!StillApplies(steps_[undoCount_ - 1], false)) {
    Clear();
    return -1;
  }
  const Step& step = steps_[--undoCount_];
  Apply(step, false);
  return static_cast<int>(step.HeldBefore.size());
}

int UndoHistory::Redo() {
  if (!CanRedo() || recording_) return -1;
  if (!StillApplies(steps_[undoCount_], true)) {
    Clear();
    return -1;
  }
  const Step& step = steps_[undoCount_++];
  Apply(step, true);
  return static_cast<int>(step.HeldAfter.size());
}

void UndoHistory::Clear() {
  steps_.clear();
  undoCount_ = 0;
}

void UndoHistory::BeforeRecordChange(int cell) {
  if (!recording_ || cell < 0 || cell >= kMaxCells || touched_[static_cast<size_t>(cell)]) return;
  touched_[static_cast<size_t>(cell)] = 1;
  current_.Cells.push_back(cell);
  current_.Before.push_back(ctx_.plan.Cur()[static_cast<size_t>(cell)]);
}

void UndoHistory::BeforeQuayTake(int index) {
  if (!recording_ || index < 0 || index >= std::min(ctx_.plan.QuayCount, kMaxCells)) return;
  const StructDat& record = ctx_.plan.Dat[ctx_.plan.QuayPlane][static_cast<size_t>(index)];
  if (record.STATUS >= 1) current_.QuayTaken.emplace_back(index, record);
}

void UndoHistory::BeforeQuayChange() {
  if (recording_ && current_.QuayCountBefore < 0)
    current_.QuayCountBefore = std::clamp(ctx_.plan.QuayCount, 0, kMaxCells);
}

void UndoHistory::Apply(const Step& step, bool forward) {
  PlanData& plan = ctx_.plan;
  DataSet& units = plan.Cur();
  Strength& strength = ctx_.stability.strength();
  const std::vector<StructDat>& target = forward ? step.After : step.Before;

  // Take the present units out of what they add to the ship, write the
  // records back, and put the restored units in again.
  auto account = [&](int cell, int sign) {
    const StructDat& record = units[static_cast<size_t>(cell)];
    if (record.STATUS >= 1) strength.DistributeUnit(cell, Is20Foot(record), sign);
    if (record.STATUS != 0 && IsOverDimension(record)) MarkOverDimension(ctx_, cell, sign > 0 ? cell : -1);
  };
  for (int cell : step.Cells) account(cell, -1);
  for (size_t i = 0; i < step.Cells.size(); ++i) units[static_cast<size_t>(step.Cells[i])] = target[i];
  for (int cell : step.Cells) account(cell, +1);
  ctx_.stability.Items[kContainersItem] = forward ? step.ContainersAfter : step.ContainersBefore;

  if (step.QuayCountBefore >= 0) {
    if (forward) {
      for (const StructDat& unit : step.QuayAdded) PutToQuay(plan, unit);
    } else {
      TruncateQuay(plan, step.QuayCountBefore);
    }
  }
  if (forward) {
    for (const auto& taken : step.QuayTaken) TakeFromQuay(plan, taken.first);
  } else {
    for (auto it = step.QuayTaken.rbegin(); it != step.QuayTaken.rend(); ++it)
      UntakeFromQuay(plan, it->first);
  }
  const std::vector<StructDat>& held = forward ? step.HeldAfter : step.HeldBefore;
  RestoreHeld(held, std::max(step.HeldBefore.size(), step.HeldAfter.size()));

  // The load totals are rebuilt by their next reader.
  plan.PolCount = -1;
  plan.PodCount = -1;
  plan.RedrawAll = 1;
  ctx_.SelectionStale = true;
  ctx_.MarkConditionModified(true);
}

std::vector<StructDat> UndoHistory::HeldUnits(int count) const {
  const PlanData& plan = ctx_.plan;
  std::vector<StructDat> held;
  for (int i = 0; i < count && i < kMoveQueueSize; ++i) {
    const int index = plan.UnitInHandIndex + i;
    if (index < 0 || index >= kMaxCells) break;
    held.push_back(plan.Cur()[static_cast<size_t>(index)]);
  }
  return held;
}

void UndoHistory::RestoreHeld(const std::vector<StructDat>& held, std::size_t clearUpTo) {
  PlanData& plan = ctx_.plan;
  for (size_t i = 0; i < std::max(held.size(), clearUpTo); ++i) {
    const int index = plan.UnitInHandIndex + static_cast<int>(i);
    if (index < 0 || index >= kMaxCells) break;
    plan.Cur()[static_cast<size_t>(index)] = i < held.size() ? held[i] : StructDat{};
  }
}
