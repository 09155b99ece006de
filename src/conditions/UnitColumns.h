#pragma once

// A unit record as the 64 texts of a condition, quay or CSV line, and back.
// The same column order serves the condition file, the quay file, the CSV
// exports and the containers list, so a column number means one field
// everywhere.

#include <array>
#include <span>
#include <string>

struct PlanData;
struct StructDat;

inline constexpr int kUnitColumnCount = 64;

// Column numbers with a meaning of their own to the readers and writers.
namespace UnitCol {
inline constexpr int Position = 0;
inline constexpr int Container = 1;
inline constexpr int Pol = 2;
inline constexpr int Pod = 3;
inline constexpr int Weight = 6;
inline constexpr int TempMin = 13;
inline constexpr int TempMax = 14;
inline constexpr int FirstUnused = 25;  // 25..27 are always empty
inline constexpr int BayText = 28;      // recomputed from POSITION, never read
inline constexpr int Status = 30;
inline constexpr int RestowFrom = 58;
inline constexpr int Col61 = 61;
inline constexpr int AlwaysEmpty = 62;
}  // namespace UnitCol

using UnitColumnTexts = std::array<std::string, kUnitColumnCount>;

// The 64 texts of a unit: whole numbers in plain decimal ("0" for zero),
// reals in the shortest form that reads back to the same value, with the
// current decimal separator; column 28 is the bay digits of POSITION,
// columns 25..27 and 62 are empty.
UnitColumnTexts UnitToColumns(const PlanData& plan, const StructDat& unit);
// The same into an array the caller keeps (no allocation once warm).
void UnitToColumns(const PlanData& plan, const StructDat& unit, UnitColumnTexts& columns);

// The record that the texts give, numbers read leniently. Columns missing
// from the span read as empty; columns 25..28 and 62 are ignored. What no
// column holds takes the value a freshly read unit has: IMO/UN 6..9 and
// EQA 5 empty, OL_2 0, POLIX and PODIX -1, SELECTED 1, CHANGED 0; BAYTXT is
// the bay digits of column 0 and COL61 the whole number of column 61.
void ColumnsToUnit(const PlanData& plan, std::span<const std::string> columns, StructDat& unit);
StructDat ColumnsToUnit(const PlanData& plan, std::span<const std::string> columns);
