#include "planning/BayPlanPicture.h"

#include <algorithm>
#include <vector>

#include "core/PlanData.h"
#include "planning/LoadTotals.h"
#include "planning/StackRules.h"
#include "planning/UnitRules.h"
#include "vessel/CellAddress.h"

namespace {

// The weight of one stack as it is drawn, cell after cell: 20' units count
// whole against the 20' limit, 40' units half (they stand on two stacks).
struct StackSum {
  double twenty = 0;
  double other = 0;
  int lastCell = -1;

  bool Empty() const { return twenty <= 0 && other <= 0; }
};

void CheckStack(Canvas& canvas, PlanData& plan, const BayLayout& layout, const StackSum& stack,
                Colour background) {
  if (stack.lastCell < 0 || stack.Empty()) return;
  const bool holdsTwenty = stack.twenty > 0;
  const double other = holdsTwenty ? stack.other / 2 : stack.other;
  const double limit = StackWeightLimit(plan, stack.lastCell, !holdsTwenty);
  if (limit > 0 && limit < stack.twenty + other)
    DrawStackOverweight(canvas, plan, layout, stack.lastCell, true, background);
}

}  // namespace

Colour PlanBackground(const PlanData& plan, Colour windowColour) {
  constexpr int kBlackBackgroundSetting = 72;
  return plan.Settings[kBlackBackgroundSetting] == "1" ? RgbColour(0x28, 0x28, 0x28) : windowColour;
}

std::vector<int> ShownCells(const PlanData& plan, const BayLayout& layout) {
  std::vector<int> cells;
  const int count = std::clamp(plan.CellCount, 0, kMaxCells);
  if (layout.oneBay) {
    if (layout.shownBay < 0) return cells;
    const StructBay& bay = plan.Bays[static_cast<size_t>(layout.shownBay)];
    for (int i = std::max(bay.FIRSTCELL, 0); i <= std::min(bay.LASTCELL, count - 1); ++i) cells.push_back(i);
    return cells;
  }
  cells.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    if (CellIsShown(plan, layout, i)) cells.push_back(i);
  return cells;
}

void PaintBayPlan(Canvas& canvas, PlanData& plan, BayLayout& layout, const BayView& view, Colour background,
                  int target) {
  canvas.SetBrush(background);
  canvas.FillRect(0, 0, canvas.Width(), canvas.Height());
  if (plan.CellCount <= 0) return;
  if (plan.OneBayNumber > 0 && FindBayByNumber(plan, plan.OneBayNumber) < 0) {
    plan.OneBayNumber = 0;
    ComputeCellBoxes(plan, layout, canvas.Width(), canvas.Height(), target);
  }
  SetCellFont(canvas, plan, layout, target);
  const DataSet& records = plan.Dat[static_cast<size_t>(plan.CurPlane)];
  // The stacks are summed by bay, row and deck or hold, so that the marks do
  // not depend on the order in which the cell table lists the cells.
  std::vector<StackSum> stacks(static_cast<size_t>(kMaxBays) * kStackRows * 2);
  for (const int cell : ShownCells(plan, layout)) {
    const int row = RowOf(plan, cell);
    const int bay = plan.Cells[static_cast<size_t>(cell)].BAYIX;
    if (row >= 0 && row < kStackRows && bay >= 0 && bay < kMaxBays) {
      StackSum& stack = stacks[(static_cast<size_t>(bay) * kStackRows + static_cast<size_t>(row)) * 2 +
                               (IsDeckTier(TierOf(plan, cell)) ? 1 : 0)];
      const StructDat& unit = records[static_cast<size_t>(cell)];
      if (unit.WEIGHT > 0) {
        if (Is20Foot(unit))
          stack.twenty += unit.WEIGHT;
        else
          stack.other += unit.WEIGHT;
      }
      stack.lastCell = cell;
    }
    if (plan.RedrawAll) AddToTotals(plan, cell, 1, plan.CurPlane);
    DrawCell(canvas, plan, layout, view, cell, kDrawNormal, target);
    if (layout.oneBay) {
      SetLabelFont(canvas, plan, layout, background, TextOn(background));
      DrawRowTierLabels(canvas, plan, layout, cell, target);
      SetCellFont(canvas, plan, layout, target);
    }
  }
  for (const StackSum& stack : stacks) CheckStack(canvas, plan, layout, stack, background);
  plan.RedrawAll = 0;
  SetLabelFont(canvas, plan, layout, background, TextOn(background));
  DrawBayTitles(canvas, plan, layout, target);
  SetCellFont(canvas, plan, layout, target);
}
