#pragma once

// The columns of the unit lists (containers list, totals keys, loading
// list): which of the 64 unit columns a list layout shows, in what order,
// under what heading and how each value is written. The REP section of the
// parameter file defines them: RepDef[c][0] width, [1] kind (1 numeric, a
// zero shown blank; 1 and 2 right-aligned; 3 yes/no, the heading holding
// the two answers), [2] decimals, [3 + layout] position in that layout.

#include <string>
#include <vector>

#include "conditions/UnitColumns.h"

struct PlanData;
struct StructDat;

// The columns of layout in the order of their positions (above 0); the
// first column claiming a position takes it.
std::vector<int> LayoutColumns(const PlanData& plan, int layout);
int ListColumnWidth(const PlanData& plan, int column);
int ListColumnKind(const PlanData& plan, int column);

// The heading of a column at its width, followed by no blank.
std::string ListColumnHeading(const PlanData& plan, int column);

// The value of a column of the unit as the lists write it, at the column's
// width: positions of a 40' unit as its 40' bay, temperatures only for a
// full reefer, yes/no as the heading's answer, decimals re-formatted, a
// numeric zero blank. texts are the unit's 64 texts (UnitToColumns).
std::string ListColumnText(const PlanData& plan, const StructDat& unit, const UnitColumnTexts& texts, int column);

// A text cut or padded to width, right-aligned for the number kinds.
std::string FitToColumn(const std::string& text, int width, int kind);
