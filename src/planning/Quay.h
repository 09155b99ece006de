#pragma once

// The quay: units that are in no cell, as a list in the quay data set, with
// the count of units per route (POL + POD) and category.

#include <string>
#include <string_view>

class Host;
struct PlanData;
struct StructDat;

// Appends the unit to the quay list and counts its route. Bundle members stay
// with their base unit and are not put (true: nothing is lost). False when
// the quay list is full: the unit was not stored and the caller still holds
// the only copy.
bool PutToQuay(PlanData& plan, const StructDat& unit);
void TakeFromQuay(PlanData& plan, int index);
// Puts a taken record back on the quay (an undone load), also when taking
// the last unit had emptied the quay.
void UntakeFromQuay(PlanData& plan, int index);
void TakeRouteFromQuay(PlanData& plan, int route);
void ClearQuay(PlanData& plan);
// Takes back the records appended since the quay held count of them, as if
// they had never been put there (an undone removal).
void TruncateQuay(PlanData& plan, int count);
// Before an import fills the quay: a quay that still holds units is emptied
// when the person answers "Yes" to the question captioned caption.
void AskClearQuay(PlanData& plan, Host& host, const std::string& caption);
// Counts (delta +1) or uncounts (-1) a unit in the route matrix.
void CountRoute(PlanData& plan, const StructDat& unit, int delta);
