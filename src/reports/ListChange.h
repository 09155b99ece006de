#pragma once

// "Change data" of the containers list: one column of the chosen units of
// the working data set set to a new text. Each unit is taken out of its
// cell, rebuilt from its 64 texts with the new text in that column (as the
// condition reader would build it) and put back through the placement
// checks; a unit the checks refuse goes back unchanged.

#include <string>
#include <vector>

class PlanContext;
struct PlanData;
struct StructDat;

struct ListChangeResult {
  std::vector<int> changed;  // records that now hold the new text
  std::vector<int> refused;  // records put back unchanged
};

// The column's value of the unit as the list shows it, blanks trimmed.
std::string ListColumnValue(const PlanData& plan, const StructDat& unit, int column);

// The text stored for what was typed: a yes/no column takes its first
// answer as "1" and its second as "0", so that confirming the value shown
// does not turn a yes into a no.
std::string ListColumnStoredText(const PlanData& plan, int column, const std::string& typed);

// Sets column (1..63; the position column 0 is never changed here) of
// every unit of records (cells of the working data set, each taken once)
// whose shown value differs from text. Units are not sent to the quay on
// the way; the condition is marked modified once at the end when any unit
// was touched.
ListChangeResult ChangeListColumn(PlanContext& ctx, const std::vector<int>& records, int column,
                                  const std::string& text);

// The list column under character position at of a row (0 the first
// character, the row numbers of "sequence" included): its unit column, or
// -1 for none (the numbers, or past the last column).
int ListColumnAtChar(const PlanData& plan, int layout, bool sequence, int at);
