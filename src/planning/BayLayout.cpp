#include "planning/BayLayout.h"

#include <algorithm>
#include <cmath>

#include "core/TextHelpers.h"
#include "vessel/CellAddress.h"

namespace {

constexpr int kDefaultBaysPerLine = 6;
constexpr int kLargestBaysPerLine = 30;

int CellLimit(const PlanData& plan) { return std::clamp(plan.CellCount, 0, kMaxCells); }
int BayLimit(const PlanData& plan) { return std::clamp(plan.BayCount, 0, kMaxBays); }

int BayNumber(const StructBay& bay) { return ParseInt(bay.BAY); }

// Cells of a vessel without bays keep whatever BAYIX they came with.
bool InKnownBay(const PlanData& plan, int cell) {
  return plan.Cells[cell].BAYIX >= 0 && plan.Cells[cell].BAYIX < BayLimit(plan);
}

// Settings: the two 20' bays of a 40' bay drawn on consecutive lines instead
// of side by side; square cell boxes.
constexpr int kPairsOnLinesSetting = 70;
constexpr int kSquareCellsSetting = 71;

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

// Moves the bays of the line that ends with bay last so that its last bay
// stands in slot 1.
void MoveLineToFirstSlot(PlanData& plan, int last) {
  const int line = plan.Bays[last].XB5;
  const int shift = plan.Bays[last].XB6 - 1;
  for (int b = 0; b < BayLimit(plan); ++b)
    if (plan.Bays[b].XB5 == line) plan.Bays[b].XB6 -= shift;
}

// The bays' lines and slots. Slots count down from the line's
// first bay (the rightmost) to 1.
void AssignSlots(PlanData& plan, BayLayout& layout) {
  const int bays = BayLimit(plan);
  const bool pairLines = PairsOnConsecutiveLines(plan);
  const int n = plan.BaysPerLine;
  const int bridge = ParseInt(plan.VesHdr[VesHdrIx::BridgeBay]);
  int countdown = n + 1;
  int line = 1;
  for (int k = 0; k < bays; ++k) {
    StructBay& bay = plan.Bays[k];
    int t = countdown - 1;
    if (!pairLines && bridge > 0 && BayNumber(bay) == bridge) {
      const int rest = bays - k;
      if (rest < t)
        t = countdown - 2;  // one empty slot before the bridge
      else if (t < rest)
        t = 0;  // the bridge bay starts a line
    }
    if (t == 1 && IsForeBayOfPair(bay) && !pairLines) t = 0;
    if (t <= 0) {
      if (!pairLines && k > 0 && plan.Bays[k - 1].XB6 > 1 && line > 1) MoveLineToFirstSlot(plan, k - 1);
      t = n;
      line += pairLines ? 2 : 1;
    }
    line = std::min(line, kMaxDisplayLines - 1);
    bay.XB6 = t;
    bay.XB5 = line;
    if (pairLines && IsForeBayOfPair(bay) && bay.ATHWART != 1 && k + 1 < bays) {
      plan.Bays[k + 1].XB6 = t;
      plan.Bays[k + 1].XB5 = line + 1;
      ++k;
    }
    countdown = t;
  }
  if (!pairLines && bays > 0 && plan.Bays[bays - 1].XB6 > 1) MoveLineToFirstSlot(plan, bays - 1);
  layout.lineCount = 0;
  for (int b = 0; b < bays; ++b) layout.lineCount = std::max(layout.lineCount, plan.Bays[b].XB5);
  layout.lineCount = std::min(layout.lineCount, kMaxDisplayLines);
}

// The bays' cell ranges and their row and tier extents.
void MeasureBays(PlanData& plan, BayLayout& layout) {
  const int bays = BayLimit(plan);
  for (int b = 0; b < bays; ++b) {
    layout.bays[b] = BayExtent{};
    plan.Bays[b].FIRSTCELL = 0;
    plan.Bays[b].LASTCELL = -1;
  }
  if (bays == 0) return;
  int current = -1;
  int currentNumber = -1;
  for (int i = 0; i < CellLimit(plan); ++i) {
    StructCel& cell = plan.Cells[i];
    const int number = BayOf(plan, i);
    if (current < 0 || number != currentNumber) {
      const int found = FindBayByNumber(plan, number);
      // A cell of no known bay stays with the bay before it rather than
      // pointing outside the table.
      if (found >= 0 || current < 0) {
        current = std::max(found, 0);
        currentNumber = number;
        if (plan.Bays[current].LASTCELL < 0) plan.Bays[current].FIRSTCELL = i;
      }
    }
    cell.BAYIX = current;
    StructBay& bay = plan.Bays[current];
    bay.LASTCELL = i;
    BayExtent& e = layout.bays[current];
    const int row = RowOf(plan, i);
    const int tier = TierOf(plan, i);
    if (row < 0 || tier < 0) continue;
    if (IsDeckTier(tier)) {
      e.deckRowMax = std::max(e.deckRowMax, row);
      e.deckTierMax = std::max(e.deckTierMax, tier);
      e.deckTierMin = std::min(e.deckTierMin, tier);
      if (row == 0) bay.D00 = 1;
    } else {
      e.holdRowMax = std::max(e.holdRowMax, row);
      e.holdTierMax = std::max(e.holdTierMax, tier);
      e.holdTierMin = std::min(e.holdTierMin, tier);
      if (row == 0) bay.H00 = std::min(bay.H00, tier - 1);
    }
  }
}

// Counts per bay and per line, and the lines' cell rows.
void MeasureLines(PlanData& plan, BayLayout& layout, int target) {
  const int bays = BayLimit(plan);
  layout.MaxRows = 0;
  layout.MaxTiers = 0;
  for (int l = 0; l <= kMaxDisplayLines; ++l) layout.lines[l] = DisplayLine{};
  for (int b = 0; b < bays; ++b) {
    BayExtent& e = layout.bays[b];
    e.deckTiers = e.deckTierMax > 0 ? (e.deckTierMax - e.deckTierMin) / 2 + 1 : 0;
    e.holdTiers = e.holdTierMax > 0 ? (e.holdTierMax - e.holdTierMin) / 2 + 1 : 0;
    e.deckRows = e.deckTierMax > 0 ? e.deckRowMax + (plan.Bays[b].D00 == 1 ? 1 : 0) : 0;
    // A vessel without deck cells (a barge with hatches only) is as wide as
    // its holds; the deck rows alone would give it boxes with no room.
    const int holdRows = e.holdTierMax > 0 ? e.holdRowMax + 1 : 0;
    layout.MaxRows = std::max({layout.MaxRows, e.deckRows, e.deckRows > 0 ? 0 : holdRows});
    layout.MaxTiers = std::max(layout.MaxTiers, e.deckTiers + e.holdTiers);
    DisplayLine& line = layout.lines[std::clamp(plan.Bays[b].XB5, 0, kMaxDisplayLines)];
    line.tierSum = std::max(line.tierSum, e.deckTiers + e.holdTiers);
    line.deckTierMax = std::max(line.deckTierMax, e.deckTierMax);
    if (e.deckTiers > 0) {
      line.holdTierMax = std::max(line.holdTierMax, e.holdTierMax);
      line.deckTiers = std::max(line.deckTiers, e.deckTiers);
    }
  }
  // A line whose bays have no deck cells aligns its holds on their own
  // highest tier; without one its pictures would start above the line.
  for (int b = 0; b < bays; ++b) {
    DisplayLine& line = layout.lines[std::clamp(plan.Bays[b].XB5, 0, kMaxDisplayLines)];
    if (line.deckTiers == 0) line.holdTierMax = std::max(line.holdTierMax, layout.bays[b].holdTierMax);
  }
  layout.TotalRows = 0;
  for (int l = 1; l <= layout.lineCount; ++l) {
    layout.lines[l].firstRow = layout.TotalRows;
    layout.TotalRows += layout.lines[l].tierSum + 2 + (target == kTargetPrinter ? 1 : 0);
  }
}

// The half of the picture each bay is in, and every cell's
// column and line inside its bay picture. Odd rows lie right of the centre,
// even rows left, rows 01 and 00 both in column 0; the highest tier is on top.
void PlaceCellsInPictures(PlanData& plan, BayLayout& layout) {
  const int bays = BayLimit(plan);
  layout.maxSlot = 0;
  for (int b = 0; b < bays; ++b) layout.maxSlot = std::max(layout.maxSlot, plan.Bays[b].XB6);
  const int half = (layout.maxSlot + 1) / 2;
  for (int b = 0; b < bays; ++b) plan.Bays[b].SECTION = plan.Bays[b].XB6 > half ? 2 : 1;

  for (int i = 0; i < CellLimit(plan); ++i) {
    StructCel& cell = plan.Cells[i];
    if (!InKnownBay(plan, i)) continue;
    const int row = std::max(RowOf(plan, i), 0);
    const int tier = std::max(TierOf(plan, i), 0);
    cell.COLUMN = row == 0 ? 0 : (row % 2 == 0 ? -(row / 2) : (row - 1) / 2);
    const BayExtent& e = layout.bays[cell.BAYIX];
    const DisplayLine& line = layout.lines[std::clamp(plan.Bays[cell.BAYIX].XB5, 0, kMaxDisplayLines)];
    if (IsDeckTier(tier)) {
      cell.LINE = (line.deckTierMax - tier) / 2;
    } else if (e.deckTiers == 0) {
      cell.LINE =
          Rounded((e.holdTierMax - tier) / 2.0 + line.deckTiers + (line.holdTierMax - e.holdTierMax) / 2.0);
    } else {
      cell.LINE = Rounded((e.holdTierMax - tier) / 2.0 + (line.deckTierMax - e.deckTierMin) / 2.0 + 1);
    }
  }
}

// Hatch-cover joints show as gaps between the boxes: the X shift of a cell.
int JointShift(const PlanData& plan, const BayLayout& layout, int cell, int target) {
  const StructBay& bay = plan.Bays[plan.Cells[cell].BAYIX];
  const BayExtent& e = layout.bays[plan.Cells[cell].BAYIX];
  const int d = target == kTargetPrinter ? 3 : 1;
  const int e1 = target == kTargetPrinter ? 2 : 1;
  const int row = RowOf(plan, cell);
  const bool deck = IsDeckTier(TierOf(plan, cell));
  const bool even = row % 2 == 0;
  const bool holdHasCentre = e.holdTiers * 2 >= bay.H00;
  const bool deckHasCentre = bay.D00 > 0;
  const bool agree = holdHasCentre == deckHasCentre;
  const bool sideJoints = !deck || agree;
  int shift = 0;
  if (bay.ROWSHIFT1 > 0) {
    const bool centre = deck ? deckHasCentre : holdHasCentre;
    if (!centre)
      shift += even ? -e1 : e1;
    else if (!deck && even && row != 0)
      shift -= e1;
  }
  if (bay.ROWSHIFT2 > 0 && even && row > bay.ROWSHIFT2 && sideJoints) shift -= d;
  if (!even && sideJoints && ((bay.ROWSHIFT4 > 0 && row > bay.ROWSHIFT4) || bay.ROWSHIFT4 == -1)) shift += d;
  if (deck && bay.ROWSHIFT3 > 0 && even && row > bay.ROWSHIFT3) shift -= d;
  if (deck && bay.ROWSHIFT5 > 0 && !even && row > bay.ROWSHIFT5) shift += d;
  return shift;
}

void PlaceCellBox(PlanData& plan, BayLayout& layout, int cell, int target) {
  StructCel& c = plan.Cells[cell];
  const StructBay& bay = plan.Bays[c.BAYIX];
  BayExtent& e = layout.bays[c.BAYIX];
  const int w = plan.CellPitchX;
  const int h = plan.CellPitchY;
  const bool printer = target == kTargetPrinter;
  const bool oneBay = layout.oneBay;
  const int tier = TierOf(plan, cell);
  const bool deck = IsDeckTier(tier);
  const int row = RowOf(plan, cell);

  const int lineRow = oneBay ? 0 : layout.lines[std::clamp(bay.XB5, 0, kMaxDisplayLines)].firstRow;
  int y = (c.LINE + lineRow) * h;
  if (!deck) {
    if (bay.ROWWEIGHT != 1) y += oneBay ? 2 * h / 3 : (printer ? h : h / 3);
    if (bay.TWDK > 0 && tier <= bay.TWDK) y += h / 4;
  }
  int x = e.centreX + c.COLUMN * w;
  if (HasCentreRow(plan, cell)) x += row % 2 == 0 ? -(w / 2) : w - w / 2;
  x += JointShift(plan, layout, cell, target);
  if (!oneBay) {
    if (!PairsOnConsecutiveLines(plan)) {
      if (IsForeBayOfPair(bay))
        x -= 1;
      else if (IsAftBayOfPair(bay))
        x += 1;
    }
    x -= layout.SpareX / 2;
    if (printer) {
      x += w;
      y += 2 * h;
    } else {
      x += w / 2;
    }
  }
  y += (oneBay ? 2 * h / 3 : h) + bay.YOFFSET * h;

  e.top = std::min(e.top, y);
  e.bottom = std::max(e.bottom, y + h);
  if (deck) e.deckBottom = std::max(e.deckBottom, y);
  e.left = std::min(e.left, x);
  e.right = std::max(e.right, x + w);

  if (!deck) {
    if (bay.HOLDSHIFT == "+")
      x += w / 3;
    else if (bay.HOLDSHIFT == "-")
      x -= w / 3;
  }
  c.X = x;
  c.Y = y;
}

}  // namespace

bool IsForeBayOfPair(const StructBay& bay) { return ParseInt(bay.D40) == BayNumber(bay) + 1; }

bool IsAftBayOfPair(const StructBay& bay) {
  const int forty = ParseInt(bay.D40);
  return forty > 0 && BayNumber(bay) == forty + 1;
}

bool PairsOnConsecutiveLines(const PlanData& plan) { return plan.Settings[kPairsOnLinesSetting] == "1"; }

void ComputeBayLayout(PlanData& plan, BayLayout& layout, int target) {
  const int perLine = ParseInt(plan.VesHdr[VesHdrIx::BaysPerLine]);
  plan.BaysPerLine =
      perLine > kLargestBaysPerLine || perLine < kDefaultBaysPerLine ? kDefaultBaysPerLine : perLine;
  AssignSlots(plan, layout);
  MeasureBays(plan, layout);
  MeasureLines(plan, layout, target);
  PlaceCellsInPictures(plan, layout);
}

void ComputeCellBoxes(PlanData& plan, BayLayout& layout, int width, int height, int target) {
  const bool printer = target == kTargetPrinter;
  layout.target = target;
  layout.oneBay = plan.OneBayNumber > 0;
  layout.shownBay = layout.oneBay ? FindBayByNumber(plan, plan.OneBayNumber) : -1;
  const bool filtered = plan.SectionFilter == 1 || plan.SectionFilter == 2;

  int cols = std::max(layout.maxSlot, 1);
  if (filtered) cols -= cols / 2;
  const double rowsWide = layout.MaxRows + 1.0;
  double colW = layout.oneBay ? width : static_cast<double>(width) / cols;
  double pitch = printer && layout.oneBay ? colW / (layout.MaxRows + 2.0) : colW / rowsWide;
  double usable = width;
  if (printer && !layout.oneBay) {
    usable = width - 2 * pitch;
    colW = usable / cols;
    pitch = colW / rowsWide - 1;
  }
  plan.CellPitchX = std::max(Rounded(pitch), 1);
  layout.SpareX = static_cast<int>((usable - (layout.MaxRows * cols + 2.0) * plan.CellPitchX) / cols);

  int rowsNeeded = layout.MaxTiers + 2;
  if (printer && layout.oneBay)
    rowsNeeded = layout.MaxTiers + 5;
  else if (printer)
    rowsNeeded = layout.lineCount / 3 + layout.TotalRows + 8;
  else if (!layout.oneBay)
    rowsNeeded = layout.TotalRows;
  plan.CellPitchY = std::max(height / std::max(rowsNeeded, 1), 1);
  if (plan.Settings[kSquareCellsSetting] == "1" && !layout.oneBay) {
    const int square = std::min(plan.CellPitchX, plan.CellPitchY);
    plan.CellPitchX = square;
    plan.CellPitchY = square;
  }

  for (int b = 0; b < BayLimit(plan); ++b) {
    BayExtent& e = layout.bays[b];
    int slot = plan.Bays[b].XB6;
    if (plan.SectionFilter == 2) slot -= cols;
    e.centreX = layout.oneBay ? static_cast<int>(usable / 2) : Rounded(slot * colW - colW / 2);
    e.top = 9999;
    e.left = 9999;
    e.bottom = 0;
    e.deckBottom = 0;
    e.right = 0;
  }
  for (int i = 0; i < CellLimit(plan); ++i)
    if (InKnownBay(plan, i)) PlaceCellBox(plan, layout, i, target);
}

bool BayIsShown(const PlanData& plan, const BayLayout& layout, int bay) {
  if (bay < 0 || bay >= BayLimit(plan)) return false;
  if (layout.oneBay) return bay == layout.shownBay;
  if (plan.SectionFilter == 1 || plan.SectionFilter == 2) return plan.Bays[bay].SECTION == plan.SectionFilter;
  return true;
}

bool CellIsShown(const PlanData& plan, const BayLayout& layout, int cell) {
  if (cell < 0 || cell >= CellLimit(plan)) return false;
  return BayIsShown(plan, layout, plan.Cells[cell].BAYIX);
}

int CellAtPoint(const PlanData& plan, const BayLayout& layout, int x, int y) {
  const int w = plan.CellPitchX;
  const int h = plan.CellPitchY;
  for (int b = 0; b < BayLimit(plan); ++b) {
    if (!BayIsShown(plan, layout, b)) continue;
    const BayExtent& e = layout.bays[b];
    if (x < e.left || x >= e.right + w || y < e.top || y >= e.bottom + h) continue;
    const int last = std::min(plan.Bays[b].LASTCELL, CellLimit(plan) - 1);
    for (int i = std::max(plan.Bays[b].FIRSTCELL, 0); i <= last; ++i) {
      const StructCel& c = plan.Cells[i];
      if (c.X <= x && x < c.X + w && c.Y <= y && y < c.Y + h) return i;
    }
    return -1;
  }
  return -1;
}
