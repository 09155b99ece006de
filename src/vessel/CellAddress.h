#pragma once

// Cell addressing: the bay, row and tier numbers in a cell name, finding a
// cell or a bay by number, the neighbouring cells and the two cells a 40' unit
// covers. Pure functions over the vessel's Cells and Bays and the cell-name
// layout (BayPos..TierLen); "not found" is -1 everywhere, and no input (a
// short name, a broken BAYIX, a 40' mark naming a missing bay) reads outside
// the tables.
//
// Numbering: odd bays are 20' bays and the even number between two of them is
// their 40' bay; row 00 is the centre line, odd rows starboard, even rows
// port; tiers step by 2, 80 and above on deck.

#include <string>
#include <string_view>

struct PlanData;

// The number in the bay, row or tier part of a position; -1 when the part is
// missing (a short name) or is not all digits.
int BayOf(const PlanData& plan, std::string_view position);
int RowOf(const PlanData& plan, std::string_view position);
int TierOf(const PlanData& plan, std::string_view position);
// The same for the name of a cell; -1 for a cell outside 0..CellCount-1.
int BayOf(const PlanData& plan, int cell);
int RowOf(const PlanData& plan, int cell);
int TierOf(const PlanData& plan, int cell);

// The three numbers zero-padded to their part lengths and joined. A number
// longer than its part is kept whole (and then matches no cell).
std::string MakePosition(const PlanData& plan, int bay, int row, int tier);

bool IsDeckTier(int tier);

// Whether the cell's bay section has a row 00: on deck when the bay's D00 > 0,
// under deck when the cell's tier is above the bay's H00.
bool HasCentreRow(const PlanData& plan, int cell);

// The cell named position. A 40' position (even bay) stands for the cell of
// the fore 20' bay (bay - 1).
int FindCellByPosition(const PlanData& plan, std::string_view position);
// The first bay whose BAY is this number.
int FindBayByNumber(const PlanData& plan, int number);

// The cell beside cell in the same bay and tier, towards port or starboard.
int NeighbourCell(const PlanData& plan, int cell, bool toPort);
// The cell one tier (2) higher in the same bay and row.
int CellAbove(const PlanData& plan, int cell);
// The bay whose cell makes a 40' position with cell: the cell's own bay in a
// section that pairs adjacent rows, else the adjacent bay that its D40 (deck)
// or H40 (hold) names.
int PartnerBay(const PlanData& plan, int cell);
// The second cell a 40' unit standing in cell covers.
int FortyPartnerCell(const PlanData& plan, int cell);
