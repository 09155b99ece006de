#pragma once

// A printed plan page: the letter plan (every bay, each cell a small box
// with a letter, on one landscape page or split over two portrait pages) or
// the bay plan (one bay enlarged per page, each cell with lines of unit
// data). The page carries the cells as the editor draws them for paper,
// a title, a date line, a legend of the marks and a table of the counted
// units by discharge port. The same drawing goes to the printer, a PDF, a
// picture and the preview.

#include <ctime>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "planning/CellDrawing.h"

struct PlanData;

// What one page shows.
struct PlanPageRequest {
  bool bayPlan = false;
  int bay = 0;          // bay number of a bay plan page
  int colourMode = 4;   // ColourMode while drawing (4 black and white)
  int letterMode = 1;   // LetterMode while drawing
  int section = 0;      // 0 the whole plan; 1 the first, 2 the second of two pages
  int printMode = 0;    // PlanPrintMode: 1 loading, 2 discharging plan of a MOVINS run
  // The one loading or discharging port the selection leaves, else empty.
  std::string singleLoadPort;
  std::string singleDischargePort;
  std::string dateLine;  // written on the last page; see PlanDateLine
  BayView view;
};

struct PlanPageResult {
  bool drawn = false;      // false for a bay plan without a bay
  int unitsCounted = 0;    // units added to the load totals
  bool totalsTable = false;
  std::string title;       // the title written, empty when none
};

// The counts of the totals table, from the load totals: one column per
// discharge port in PodList order, then the total; one row per category
// (20' full, 20' empty, 40' full, 40' empty, break bulk).
struct PlanTotalsTable {
  std::vector<std::string> ports;
  std::vector<std::vector<int>> counts;  // [row][column], the total column last
  bool breakBulk = false;                // the break-bulk row is shown
};
inline constexpr int kPlanTotalsRows = 5;

// Settings[22] + " - m/v " + vessel + " - " + the working condition's title.
std::string DefaultPlanTitle(const PlanData& plan);
// The title of a page: with one loading or one discharging port selected it
// names the condition's port and those ports, else the default title.
std::string PlanPageTitle(const PlanData& plan, const PlanPageRequest& request);
// ProductName + " - " + "yyyy/mm/dd hh:nn".
std::string PlanDateLine(const PlanData& plan, const std::tm& when);

// A letter plan goes on paper in portrait (Settings[79] "0"), else in
// landscape; a bay plan always in landscape.
bool PlanPrintsPortrait(const PlanData& plan, bool bayPlan);
// The section of each printed page of a letter plan: two half plans in
// portrait, the whole plan in landscape.
std::vector<int> LetterPlanSections(bool portrait);

struct PlanBitmapSize {
  int width = 0;
  int height = 0;
};
// The drawing size of a page of pageWidth x pageHeight pixels: the page
// itself (divided by Settings[104] when it is 2..9) at high resolution,
// else Settings[103] pixels wide with the page's proportions.
PlanBitmapSize PlanPageBitmap(const PlanData& plan, int pageWidth, int pageHeight, bool highResolution);

PlanTotalsTable BuildPlanTotalsTable(const PlanData& plan);

// Draws one page on canvas (its whole area, white first). The load totals
// are rebuilt from the selected units; restowed units become selected. The
// plan's modes, one-bay number and section filter are restored afterwards;
// the cells' boxes are left at the page's layout, so the caller lays the
// editor out again.
PlanPageResult DrawPlanPage(Canvas& canvas, PlanData& plan, const PlanPageRequest& request);
