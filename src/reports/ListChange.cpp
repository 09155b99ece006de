#include "reports/ListChange.h"

#include <algorithm>
#include <set>

#include "conditions/ListColumns.h"
#include "conditions/UnitColumns.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"

std::string ListColumnValue(const PlanData& plan, const StructDat& unit, int column) {
  if (column < 0 || column >= kUnitColumnCount) return {};
  return Trim(ListColumnText(plan, unit, UnitToColumns(plan, unit), column));
}

std::string ListColumnStoredText(const PlanData& plan, int column, const std::string& typed) {
  if (column < 0 || column >= std::min(kUnitColumnCount, kMaxRepNames) || ListColumnKind(plan, column) != 3)
    return typed;
  const int width = ListColumnWidth(plan, column);
  const std::string& names = plan.RepNames[static_cast<size_t>(column)];
  const std::string yes = Trim(Columns(names, 1, width));
  const std::string no = Trim(Columns(names, width + 2, 2 * width + 1));
  const std::string answer = Trim(typed);
  if (!yes.empty() && answer == yes) return "1";
  if (!no.empty() && answer == no) return "0";
  return typed;
}

ListChangeResult ChangeListColumn(PlanContext& ctx, const std::vector<int>& records, int column,
                                  const std::string& text) {
  ListChangeResult result;
  PlanData& plan = ctx.plan;
  if (column <= 0 || column >= std::min(kUnitColumnCount, kMaxRepNames)) return result;
  const int cells = std::min({plan.CellCount, plan.UnitInHandIndex, kMaxCells});
  const std::string wanted = Trim(text);
  const std::string stored = ListColumnStoredText(plan, column, wanted);

  // Taken out only to be put back: never onto the quay, and the windows are
  // told once, after the last unit.
  const std::uint8_t toQuay = plan.RemoveToQuay;
  plan.RemoveToQuay = 0;
  plan.BatchFlags[kBatchAttributeChange] = 1;
  StructDat& hand = plan.Cur()[static_cast<size_t>(std::clamp(plan.UnitInHandIndex, 0, kMaxCells - 1))];
  std::set<int> done;
  for (int record : records) {
    if (record < 0 || record >= cells || !done.insert(record).second) continue;
    const StructDat original = plan.Cur()[static_cast<size_t>(record)];
    if (original.STATUS <= 0 || ListColumnValue(plan, original, column) == wanted) continue;
    UnitColumnTexts texts = UnitToColumns(plan, original);
    if (!RemoveUnit(ctx, record)) {
      result.refused.push_back(record);
      continue;
    }
    texts[static_cast<size_t>(column)] = stored;
    ColumnsToUnit(plan, texts, hand);
    // What the 64 texts cannot hold stays as it was.
    for (size_t k = 6; k < hand.IMO.size(); ++k) {
      hand.IMO[k] = original.IMO[k];
      hand.UN[k] = original.UN[k];
    }
    for (size_t k = 5; k < hand.EQA.size(); ++k) hand.EQA[k] = original.EQA[k];
    hand.OL_2 = original.OL_2;
    hand.COL62 = original.COL62;
    if (PlaceUnit(ctx, record, kPlaceInteractive)) {
      result.changed.push_back(record);
      continue;
    }
    // The cell was emptied just now, so the unit as it was always fits.
    const int error = plan.PlacementError;
    hand = original;
    PlaceUnit(ctx, record, kPlaceFromQuay);
    plan.PlacementError = error;
    result.refused.push_back(record);
  }
  plan.BatchFlags[kBatchAttributeChange] = 0;
  plan.RemoveToQuay = toQuay;
  if (!result.changed.empty() || !result.refused.empty()) ctx.MarkConditionModified(true);
  return result;
}

int ListColumnAtChar(const PlanData& plan, int layout, bool sequence, int at) {
  int end = sequence ? 5 : 0;
  if (at < end) return -1;
  for (int column : LayoutColumns(plan, layout)) {
    end += ListColumnWidth(plan, column) + 1;
    if (at < end) return column;
  }
  return -1;
}
