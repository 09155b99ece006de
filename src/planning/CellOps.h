#pragma once

// Putting units into cells and taking them out. Every change of a cell of
// the working data set goes through PlaceUnit and RemoveUnit, which keep the
// derived state (40' partner cells, port indexes, handling class, blocking by
// over-size, bundles, weight sums) consistent and mark the plan modified.

#include <string>

class PlanContext;
struct StructDat;

// PlaceUnit modes.
inline constexpr int kPlaceInteractive = 0;  // checks when CheckOnPlace is set
inline constexpr int kPlaceFromFile = 1;     // no checks, the unit in hand is kept
inline constexpr int kPlaceFromQuay = 2;     // no checks, PRS and FRM not registered
inline constexpr int kPlaceAgain = 3;        // re-placement after an attribute change

// PlacementError codes.
inline constexpr int kErrNone = -1;  // cell or partner not free, or no cell
inline constexpr int kErrPolMissing = 1;
inline constexpr int kErrPodMissing = 2;
inline constexpr int kErrSizeCode = 3;
inline constexpr int kErrNegativeWeight = 5;
inline constexpr int kErrNo20Here = 8;
inline constexpr int kErrNo40Here = 9;  // also: no 40' partner cell
inline constexpr int kErrNoHighCube = 10;

// Puts the unit in hand into cell. False, with PlacementError, when refused;
// nothing changes then.
bool PlaceUnit(PlanContext& ctx, int cell, int mode);
// Clears the cell (both cells of a 40' unit), sending the unit to the quay
// when RemoveToQuay is set. False when there is nothing selected to remove.
bool RemoveUnit(PlanContext& ctx, int cell);
// Sets (value = cell) or clears (value = -1) the blocking marks that the
// over-size unit in cell puts on the cell above and its neighbours.
void MarkOverDimension(PlanContext& ctx, int cell, int value);

// Kinds of ChangeUnitAttribute.
inline constexpr int kChangePol = 1;
inline constexpr int kChangePod = 2;
inline constexpr int kChangePrs = 3;
inline constexpr int kChangeRoute = 4;  // POL + POD, three characters each
inline constexpr int kChangeOperator = 5;
inline constexpr int kChangeType = 6;
inline constexpr int kChangeFrm = 7;
inline constexpr int kChangeAll = 9;  // every unit (with bulk: remove them all)
inline constexpr int kChangeIso = 10;

// Whether the unit's attribute of that kind is oldValue (kChangeAll: any
// unit).
bool MatchesAttribute(const StructDat& unit, const std::string& oldValue, int kind);

void ChangeUnitAttribute(PlanContext& ctx, const std::string& oldValue, const std::string& newValue, int kind,
                         bool bulk);
// Removes every selected unit of the working data set.
void ClearAllUnits(PlanContext& ctx);
