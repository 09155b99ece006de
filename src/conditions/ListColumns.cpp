#include "conditions/ListColumns.h"

#include <algorithm>
#include <utility>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"

std::vector<int> LayoutColumns(const PlanData& plan, int layout) {
  std::vector<std::pair<int, int>> byPosition;
  const int slot = 3 + layout;
  if (slot < 3 || slot > 21) return {};
  for (int c = 0; c < std::min(kUnitColumnCount, kMaxRepNames); ++c) {
    const int position = plan.RepDef[static_cast<size_t>(c)][static_cast<size_t>(slot)];
    if (position <= 0) continue;
    if (std::none_of(byPosition.begin(), byPosition.end(), [&](const auto& p) { return p.first == position; }))
      byPosition.emplace_back(position, c);
  }
  std::sort(byPosition.begin(), byPosition.end());
  std::vector<int> columns;
  for (const auto& p : byPosition) columns.push_back(p.second);
  return columns;
}

int ListColumnWidth(const PlanData& plan, int column) { return std::max(plan.RepDef[static_cast<size_t>(column)][0], 0); }

int ListColumnKind(const PlanData& plan, int column) { return plan.RepDef[static_cast<size_t>(column)][1]; }

std::string FitToColumn(const std::string& text, int width, int kind) {
  return Pad(text.substr(0, static_cast<size_t>(width)), width, kind == 1 || kind == 2);
}

std::string ListColumnHeading(const PlanData& plan, int column) {
  return FitToColumn(plan.RepNames[static_cast<size_t>(column)], ListColumnWidth(plan, column),
                     ListColumnKind(plan, column));
}

std::string ListColumnText(const PlanData& plan, const StructDat& unit, const UnitColumnTexts& texts, int column) {
  const int width = ListColumnWidth(plan, column);
  const int kind = ListColumnKind(plan, column);
  std::string text = Trim(texts[static_cast<size_t>(column)]);
  if (column == UnitCol::Position) {
    text = DisplayPosition(plan, unit, "");
  } else if (column == UnitCol::RestowFrom && !text.empty()) {
    StructDat from = unit;
    from.POSITION = text;
    text = DisplayPosition(plan, from, "");
  }
  const bool reefer = IsReeferType(plan, unit) && unit.MTY < 1;
  if ((column == UnitCol::TempMin || column == UnitCol::TempMax) && !reefer) text.clear();
  const int decimals = plan.RepDef[static_cast<size_t>(column)][2];
  if (kind == 3) {
    const std::string& names = plan.RepNames[static_cast<size_t>(column)];
    text = text == "1" ? Columns(names, 1, width) : Columns(names, width + 2, 2 * width + 1);
  } else if (decimals > 0 && !text.empty()) {
    text = FormatFixed(ParseReal(text), decimals);
  }
  if (kind == 1 && ParseReal(text) == 0) text.clear();
  return FitToColumn(text, width, kind);
}
