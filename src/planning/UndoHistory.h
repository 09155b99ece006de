#pragma once

// Undo and redo of the editor's commands. A step keeps only what it changed:
// the records of the cells it touched as they were before and after, the
// units appended to the quay and those taken from it, the units held in the
// move queue, and the container weight item of the stability sums. Undoing
// writes the records back and takes their weights out of and into the
// strength distribution, which keeps its loads in whole units, so every sum
// comes back to the last digit.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"

class UndoHistory : public ChangeJournal {
 public:
  // Steps kept; the oldest is dropped beyond it.
  static constexpr std::size_t kMaxSteps = 200;

  explicit UndoHistory(PlanContext& ctx) : ctx_(ctx) {}

  // Starts recording one step. heldUnits is the number of records from the
  // unit in hand on that belong to the editor (the move queue).
  void Begin(const std::string& label, int heldUnits);
  // Ends the step; a step that changed nothing is not kept. heldUnits as
  // after the command.
  void End(int heldUnits);
  bool Recording() const { return recording_; }

  bool CanUndo() const { return undoCount_ > 0; }
  bool CanRedo() const { return undoCount_ < steps_.size(); }
  const std::string& UndoLabel() const;
  const std::string& RedoLabel() const;
  // Puts the plan back as before the last step (after it for Redo); returns
  // the number of held units the editor has after that, -1 when there was
  // nothing to undo (redo). When the plan was changed outside the history
  // since, the history is cleared and -1 returned.
  int Undo();
  int Redo();
  // Another condition was read, or the vessel changed.
  void Clear();
  std::size_t Size() const { return steps_.size(); }
  // Steps that can be undone now.
  std::size_t Depth() const { return undoCount_; }

  void BeforeRecordChange(int cell) override;
  void BeforeQuayChange() override;
  void BeforeQuayTake(int index) override;

 private:
  struct Step {
    std::string Label;
    std::vector<int> Cells;
    std::vector<StructDat> Before, After;
    WeightItem ContainersBefore, ContainersAfter;
    int QuayCountBefore = -1;  // -1: the quay did not change
    std::vector<StructDat> QuayAdded;
    // Quay records taken off the quay, as they were before: undoing puts
    // them back, or a unit loaded from the list would be lost to both.
    std::vector<std::pair<int, StructDat>> QuayTaken;
    std::vector<StructDat> HeldBefore, HeldAfter;
  };

  void Apply(const Step& step, bool forward);
  // The cells and weights are as the step left them (as it found them,
  // forward).
  bool StillApplies(const Step& step, bool forward) const;
  std::vector<StructDat> HeldUnits(int count) const;
  void RestoreHeld(const std::vector<StructDat>& held, std::size_t clearUpTo);

  PlanContext& ctx_;
  std::vector<Step> steps_;
  std::size_t undoCount_ = 0;  // steps_[0, undoCount_) can be undone
  Step current_;
  std::vector<char> touched_;  // by cell, for the step being recorded
  bool recording_ = false;
};
