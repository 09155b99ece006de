#pragma once

// What a unit record says about itself, and the small rules derived from it.

#include <string>
#include <string_view>

struct PlanData;
struct StructDat;

bool Is20Foot(const StructDat& unit);         // SIZ begins with "2"
bool IsHighCube(const StructDat& unit);       // TYP begins with "H", or HEIGHT > 9.4
bool IsHazardous(const StructDat& unit);      // first IMO class or UN number given
bool IsBreakBulk(const StructDat& unit);      // TYP "BB"
bool IsOverDimension(const StructDat& unit);  // not break bulk, any over-size > 0
bool IsFlatType(const StructDat& unit);       // FR, FL, PM, HP
bool IsReeferType(const PlanData& plan, const StructDat& unit);
// Open tops, flats and platforms: the ISO size-type's group letter U or P,
// taken from the unit's ISO code or, without one, from its type's default
// code in the TYP table; a flat type or OT/HO when neither tells.
bool IsOpenUnit(const PlanData& plan, const StructDat& unit);

// 0 good; 1 POL missing; 2 POD missing; 3 size code; 5 negative weight.
int CheckUnitData(const StructDat& unit);
// 0..5, stored in FL2 on placement: notes and attached equipment.
int HandlingClass(const StructDat& unit);
// Attached equipment numbers of the unit in cell, from the first on (0..6).
int AttachedCount(const PlanData& plan, int cell);

// Category of the load totals: 0 20' full, 1 20' empty, 2 40' full,
// 3 40' empty, 4 break bulk.
int TotalsCategory(const StructDat& unit);
// Category of the quay route matrix (0..16).
int RouteCategory(const PlanData& plan, const StructDat& unit);

// First cell of the data set holding a unit with that number, -1 if none;
// on the working data set texts shorter than 6 characters find nothing.
int FindUnitByNumber(const PlanData& plan, std::string_view container, int plane);

// Bay, row and tier digits of POSITION joined by separator; an occupied 40'
// unit shows its 40' bay.
std::string DisplayPosition(const PlanData& plan, const StructDat& unit, std::string_view separator);
// Five-character UN/LOCODE of a port code.
std::string PortLocode(const PlanData& plan, std::string_view code);
