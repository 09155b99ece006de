#pragma once

// Where the bays and their cells stand on a drawing surface. The bays are
// laid out in display lines of bay pictures (or one bay is shown enlarged);
// every cell gets a box of CellPitchX x CellPitchY pixels at (X, Y). The
// screen and the printer use the same layout with a few more margins on
// paper, so a printed plan looks like the window.
//
// ComputeBayLayout groups the bays into lines and works out each picture's
// rows and tiers; it runs once per vessel (and again after the vessel's
// configuration changes). ComputeCellBoxes turns that into pixels for one
// surface size; it runs whenever the surface or the view changes.

#include <array>

#include "core/PlanData.h"

inline constexpr int kTargetScreen = 1;
inline constexpr int kTargetPrinter = 2;

// Display lines: with paired 20' bays drawn on consecutive lines every bay
// can take two lines of its own, so the capacity follows the bay count.
inline constexpr int kMaxDisplayLines = 2 * kMaxBays + 2;

// Extents of one bay picture.
struct BayExtent {
  // From the cells, in row and tier numbers.
  int deckRowMax = 0;
  int deckTierMax = 0;
  int deckTierMin = 999;
  int holdRowMax = 0;
  int holdTierMax = 0;
  int holdTierMin = 999;
  int deckTiers = 0;  // tier count on deck, 0 without deck cells
  int holdTiers = 0;
  int deckRows = 0;  // row count on deck, row 00 included
  // In pixels, from ComputeCellBoxes.
  int centreX = 0;
  int left = 9999;
  int right = 0;
  int top = 9999;
  int bottom = 0;
  int deckBottom = 0;  // largest Y of a deck cell
};

// One display line of the all-bays picture.
struct DisplayLine {
  int tierSum = 0;      // largest deck + hold tier count of its bays
  int deckTierMax = 0;  // highest deck tier of its bays
  int holdTierMax = 0;  // highest hold tier of its bays that have deck cells
  int deckTiers = 0;    // largest deck tier count of its bays
  int firstRow = 0;     // first cell row of the line
};

struct BayLayout {
  int lineCount = 0;
  int maxSlot = 0;             // largest XB6
  int MaxRows = 0;             // largest row count of a bay picture
  int MaxTiers = 0;            // largest deck + hold tier count of a bay
  int TotalRows = 0;           // cell rows of all lines
  int SpareX = 0;              // pixels left over per bay column
  int target = kTargetScreen;  // of the last ComputeCellBoxes
  bool oneBay = false;         // the last ComputeCellBoxes showed one bay
  int shownBay = -1;           // index of that bay, -1 when it does not exist
  // lines[1..lineCount]; entry 0 stays unused so that XB5 indexes it.
  std::array<DisplayLine, kMaxDisplayLines + 1> lines{};
  std::array<BayExtent, kMaxBays> bays{};
};

// Slots and lines of the bays (XB5, XB6, SECTION), the bays' cell ranges and
// extents (FIRSTCELL, LASTCELL, D00, H00), the cells' BAYIX, COLUMN and LINE,
// and BaysPerLine. target kTargetPrinter leaves one more cell row per line.
void ComputeBayLayout(PlanData& plan, BayLayout& layout, int target);

// CellPitchX, CellPitchY, the bays' pixel extents and every cell's X and Y
// for a surface of width x height pixels. One bay is shown when
// OneBayNumber > 0, else all bays (or one half with SectionFilter 1 or 2).
void ComputeCellBoxes(PlanData& plan, BayLayout& layout, int width, int height, int target);

// The cell whose box holds the point, -1 when none.
int CellAtPoint(const PlanData& plan, const BayLayout& layout, int x, int y);

// Whether the cell belongs to the picture the last ComputeCellBoxes set up:
// its bay is the one shown alone, or passes the section filter.
bool CellIsShown(const PlanData& plan, const BayLayout& layout, int cell);
bool BayIsShown(const PlanData& plan, const BayLayout& layout, int bay);

// The fore 20' bay of a 40' pair names, as its deck 40' bay, the number one
// above its own; the aft bay the number one below.
bool IsForeBayOfPair(const StructBay& bay);
bool IsAftBayOfPair(const StructBay& bay);
// Setting: the two 20' bays of a pair drawn on consecutive lines.
bool PairsOnConsecutiveLines(const PlanData& plan);
