#pragma once

// The stowage check: segregation of dangerous goods (and, when the option is
// on, of running reefers) by the SEG table, hazardous units whose class is not
// in the IMO table, container numbers that occur twice and wrong check digits
// in the working data set. It produces the lines of the Check window; the
// cells named in them are then marked (SELECTED) so the bay plan editor and
// the hazardous plan show them.
//
// Line layouts (1-based columns; cell names are 6 characters):
//   "SEGREGATION " + verdict (12) + " " + cell a (26-31) + " " + cell b (33-38)
//   "INVALID IMO CODE " + first class as stored + 5 blanks + cell (26-31 when
//       the class text is 3 characters)
//   "DUP        " + number padded to 13 + " " + first cell (26-31) + " " +
//       second cell (33-38)
//   "DIGIT " + correct digit + 4 blanks + number padded to 13 + " " + cell (26-31)
//   "  *** NO ERRORS ***" when nothing was found.

#include <string>
#include <string_view>
#include <vector>

class Host;
struct PlanData;

inline constexpr const char* kNoErrorsLine = "  *** NO ERRORS ***";
// The first line of a check that judged dangerous pairs on a vessel without
// hold data (hld.txt).
inline constexpr const char* kNoHoldDataLine = "NOTE: no hold data: each 40' bay taken as one hold";

// Checks the working data set and fills lines (cleared first). cell -1
// examines every cell; another cell is examined against all others only.
// segregationOnly leaves out the duplicate and check-digit checks. When
// something was listed the cells concerned are marked (MarkCheckedCells) and
// the result is false; otherwise lines ends with kNoErrorsLine, no SELECTED
// flag changes and the result is true. Notes that name no cell may come
// first: kNoHoldDataLine, and "NOTE: " lines for CSG lines of the parameter
// file that could not be read. explain adds after each segregation line an
// indented line with the rule that decided it (deck or hold, the spaces
// found and the spaces required).
bool RunStowageCheck(PlanData& plan, Host& host, bool segregationOnly, int cell,
                     std::vector<std::string>& lines, bool explain = false);

// The finding between the units of cells a and b of the working data set, a
// being the one whose position sorts lower: " " nothing, "-" the class of a's
// unit is not in the IMO table, otherwise the 12-character verdict: marker
// ("1" to "4", "*" for code 9, "R" when a running reefer takes part) + 4
// blanks + class of a (3) + " " + class of b (3).
// Every class of both units takes part: the verdict is the strictest
// requirement over every pair of their classes and names the two classes
// that give it; "-" when any class of a's unit is not in the IMO table.
// Dangerous goods against dangerous goods are judged by the container-ship
// table (ContainerShipRules.h) with the holds of the vessel; a running
// reefer against dangerous goods by bays and rows, in one part of the ship
// (deck or hold, fore or aft of the bridge) only.
std::string SegregationVerdict(const PlanData& plan, int a, int b);
// The rule that gave SegregationVerdict its finding, in words ("" when
// there is none).
std::string ExplainSegregation(const PlanData& plan, int a, int b);
// The first class of the unit in cell that the IMO table does not know
// ("" when it knows them all).
std::string UnknownSegregationClass(const PlanData& plan, int cell);

// Clears SELECTED in every cell of the working data set, then sets it for
// every cell named at columns 26-31 or 33-38 of a line, and for the second
// cell of a 40' unit standing in such a cell. The host repaints.
void MarkCheckedCells(PlanData& plan, Host& host, const std::vector<std::string>& lines);

// The cells a double click on line highlights: those named at columns 26-31
// or 33-38 of it, in cell order (nothing for "  *** NO ERRORS ***").
std::vector<int> CheckLineCells(const PlanData& plan, std::string_view line);

// A double click on line: SELECTED is set for exactly the cells the line
// names (CheckLineCells, returned) and cleared for every other cell of the
// working data set, so that just that finding stands out. A line naming
// no cell changes no mark.
std::vector<int> HighlightCheckLine(PlanData& plan, std::string_view line);
