#include "reports/ContainersList.h"

#include <algorithm>
#include <set>

#include "conditions/ListColumns.h"
#include "conditions/UnitColumns.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"

namespace {

constexpr int kRestowLayout = 9;
constexpr int kDangerousLayout = 12;
constexpr int kOperatorColumn = 21;
constexpr int kOperatorTextColumn = 29;
constexpr int kIndexWidth = 6;

std::string Heading(const PlanData& plan, int column, int layout) {
  std::string heading = ListColumnHeading(plan, column);
  if (layout == kRestowLayout && heading.rfind("CELL", 0) == 0)
    heading = FitToColumn("TO CEL", ListColumnWidth(plan, column), ListColumnKind(plan, column));
  return heading;
}

}  // namespace

ContainersList BuildContainersList(const PlanData& plan, const ContainersListOptions& options) {
  ContainersList list;
  const std::vector<int> columns = LayoutColumns(plan, options.layout);
  size_t imoAt = std::string::npos;
  std::string header;
  for (int column : columns) {
    const std::string heading = Heading(plan, column, options.layout);
    if (heading.rfind("IMO", 0) == 0 && imoAt == std::string::npos) imoAt = header.size();
    header += heading + " ";
  }
  const size_t length = header.size();
  list.header = (options.sequence ? std::string(5, ' ') : std::string()) + header;
  if (columns.empty()) return list;

  const bool voyage = options.plane == plan.VoyPlane;
  const int records = std::clamp(voyage ? plan.VoyUnitCount : plan.CellCount, 0, kUnitInHand);
  const DataSet& set = plan.Dat[static_cast<size_t>(options.plane)];
  std::vector<ListRow> rows;
  std::vector<ListRow> further;  // layout 12: further classes, placed after sorting
  UnitColumnTexts texts;
  auto rowText = [&](const StructDat& unit, int record) {
    UnitToColumns(plan, unit, texts);
    if (options.layout == kRestowLayout && Trim(texts[kOperatorTextColumn]).empty())
      texts[kOperatorTextColumn] = texts[kOperatorColumn];
    std::string text;
    for (int column : columns) text += ListColumnText(plan, unit, texts, column) + " ";
    return Pad(text, static_cast<int>(length), false) + Pad(std::to_string(record), kIndexWidth, true);
  };
  for (int i = 0; i < records; ++i) {
    const StructDat& unit = set[static_cast<size_t>(i)];
    if (unit.STATUS <= 0 || unit.SELECTED <= 0 || unit.FL3 >= 1) continue;
    ++list.units;
    list.tonnes += unit.WEIGHT;
    const int attached = (unit.FL2 == 2 || unit.FL2 == 4) && !voyage ? AttachedCount(plan, i) : 0;
    StructDat shown = unit;
    shown.WEIGHT = unit.WEIGHT / (1 + attached);
    rows.push_back({rowText(shown, i), i});
    for (int k = 0; k < attached; ++k) {
      StructDat carried = shown;
      carried.CONTAINER = unit.EQA[static_cast<size_t>(k)];
      rows.push_back({rowText(carried, i), i});
    }
    if (options.layout != kDangerousLayout || imoAt == std::string::npos) continue;
    for (size_t k = 1; k < unit.IMO.size(); ++k)
      if (!Trim(unit.IMO[k]).empty())
        further.push_back({Pad(std::string(imoAt, ' ') + Pad(Trim(unit.IMO[k]), 4, false) + Trim(unit.UN[k]),
                               static_cast<int>(length), false),
                           i});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const ListRow& a, const ListRow& b) { return a.text < b.text; });
  int number = 0;
  std::vector<ListRow> ordered;
  std::set<int> withClasses;
  for (ListRow& row : rows) {
    row.text.resize(length);
    if (options.sequence) row.text = Pad(std::to_string(++number), 4, true) + " " + row.text;
    const int record = row.record;
    ordered.push_back(std::move(row));
    // The further classes of a dangerous unit stand right under its row.
    if (further.empty() || !withClasses.insert(record).second) continue;
    for (const ListRow& extra : further)
      if (extra.record == record)
        ordered.push_back({(options.sequence ? std::string(5, ' ') : std::string()) + extra.text, record});
  }
  list.rows = std::move(ordered);
  return list;
}

std::vector<std::string> ContainersListLines(const ContainersList& list) {
  std::vector<std::string> lines{list.header};
  for (const ListRow& row : list.rows) lines.push_back(row.text);
  return lines;
}
