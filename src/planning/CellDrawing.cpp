#include "planning/CellDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace {

constexpr int kMonochrome = 4;
constexpr int kCellFontSetting = 110;
constexpr double kHighCubeFeet = 9.5;
constexpr double kStandardHeightFeet = 8.0;

// Print options of the one-bay text block, by line element.
constexpr int kPrintSizeType = 0;
constexpr int kPrintIso = 1;
constexpr int kPrintTons = 2;
constexpr int kPrintPol = 3;
constexpr int kPrintPod = 4;
constexpr int kPrintPrs = 5;
constexpr int kPrintContainer = 6;
constexpr int kPrintOperator = 7;
constexpr int kPrintImoUn = 8;
constexpr int kPrintTemps = 9;

constexpr Colour kColourNavy = RgbColour(0, 0, 0x80);
constexpr Colour kColourAqua = RgbColour(0, 0xFF, 0xFF);
constexpr Colour kColourBlue = RgbColour(0, 0, 0xFF);

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

int CellLimit(const PlanData& plan) { return std::clamp(plan.CellCount, 0, kMaxCells); }

bool ValidCell(const PlanData& plan, int cell) { return cell >= 0 && cell < CellLimit(plan); }

const StructPor* VoyPort(const PlanData& plan, int index) {
  if (index < 0 || index >= std::min(plan.VoyPortCount, kMaxVoyPorts)) return nullptr;
  return &plan.VoyPorts[index];
}

Colour PortColour(const PlanData& plan, int index) {
  const StructPor* port = VoyPort(plan, index);
  return port ? static_cast<Colour>(port->WINCOLOR) : kColourWhite;
}

std::string PortLetter(const PlanData& plan, int index) {
  const StructPor* port = VoyPort(plan, index);
  return port ? port->LETTER : std::string();
}

std::string Lower(std::string text) {
  for (char& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return text;
}

// The size code's second character when it is not "0": 45, 48 and the like.
char NonStandardLength(const StructDat& unit) {
  return unit.SIZ.size() >= 2 && unit.SIZ[1] != '0' ? unit.SIZ[1] : '\0';
}

bool IsSecondCell(const StructDat& record) { return record.STATUS == -1; }
bool IsBundleMember(const StructDat& record) { return record.FL3 == 1; }

// Weight class 1 (light) to 4 (heavy) by the thresholds of the unit's size.
std::string WeightClass(const PlanData& plan, const StructDat& unit) {
  const int first = Is20Foot(unit) ? SettingsIx::WeightClass20Heavy : SettingsIx::WeightClass40Heavy;
  const double heavy = ParseInt(plan.Settings[first]);
  const double medium = ParseInt(plan.Settings[first + 1]);
  const double light = ParseInt(plan.Settings[first + 2]);
  if (unit.WEIGHT <= light) return "1";
  if (unit.WEIGHT <= medium) return "2";
  if (unit.WEIGHT <= heavy) return "3";
  return "4";
}

// An ellipse outline with nothing inside, as a closed polyline.
void EllipseOutline(Canvas& canvas, int x1, int y1, int x2, int y2) {
  constexpr int kSegments = 24;
  const double cx = (x1 + x2 - 1) / 2.0;
  const double cy = (y1 + y2 - 1) / 2.0;
  const double rx = (x2 - x1 - 1) / 2.0;
  const double ry = (y2 - y1 - 1) / 2.0;
  std::vector<CanvasPoint> points;
  for (int k = 0; k <= kSegments; ++k) {
    const double a = 2 * std::numbers::pi * k / kSegments;
    points.push_back({Rounded(cx + rx * std::cos(a)), Rounded(cy + ry * std::sin(a))});
  }
  canvas.Polyline(points);
}

void Fill(Canvas& canvas, Colour colour, int x1, int y1, int x2, int y2) {
  canvas.SetBrush(colour);
  canvas.FillRect(x1, y1, x2, y2);
}

void DrawLine(Canvas& canvas, Colour colour, int x1, int y1, int x2, int y2) {
  canvas.SetPen(colour);
  canvas.Line(x1, y1, x2, y2);
}

// Draws the cells and marks of one picture: the box size, the device and
// the view are the same for every cell.
class CellPainter {
 public:
  CellPainter(Canvas& canvas, PlanData& plan, const BayLayout& layout, const BayView& view, int target)
      : c_(canvas),
        plan_(plan),
        layout_(layout),
        view_(view),
        w_(plan.CellPitchX),
        h_(plan.CellPitchY),
        printer_(target == kTargetPrinter),
        oneBay_(layout.oneBay),
        target_(target) {}

  void Draw(int cell, int highlight);

  // The over-size marks of the unit in cell, drawn around its box at (x, y).
  void OverHeight(const StructDat& unit, int x, int y);
  void OverWidth(const StructDat& unit, int x, int y, bool port);
  void Mark(CellMark mark, int x, int y);

 private:
  struct Colours {
    Colour pol = kColourWhite;
    Colour pod = kColourWhite;
    Colour weight = kColourWhite;
    Colour imo = kColourWhite;
  };

  Colours UnitColours(const StructDat& unit) const;
  std::string LetterText(const StructDat& unit, bool ownCell, bool selected) const;
  void Letters(const StructDat& unit, int x, int y, bool ownCell, bool selected, Colour cellColour);
  void Marks(const StructDat& unit, int cell, int x, int y, bool ownCell);
  void NeighbourMarks(int cell);

  void Reefer(int x, int y);
  void HighCube(int x, int y);
  void ReducedHeight(const StructDat& unit, int x, int y);
  void Hazard(int x, int y);
  void Restow(const StructDat& unit, int x, int y);
  void Attached(int cell, int x, int y);
  void AttachedLines(int count, int x, int y);
  // A run of d parallel lines or a bar, beside the box: over-size on paper is
  // a black bar with a white centre.
  void OverSizeBar(int x1, int y1, int x2, int y2, bool vertical);

  Canvas& c_;
  PlanData& plan_;
  const BayLayout& layout_;
  const BayView& view_;
  int w_, h_;
  bool printer_;
  bool oneBay_;
  int target_;
  bool monochrome_ = false;
};

CellPainter::Colours CellPainter::UnitColours(const StructDat& unit) const {
  Colours colours;
  const bool selected = unit.SELECTED != 0;
  if (!selected || (view_.onlyDangerous && !IsHazardous(unit))) {
    const Colour grey = printer_ ? kColourWhite : kColourGrey;
    colours = Colours{grey, grey, grey, grey};
  } else {
    colours.pol = PortColour(plan_, unit.POLIX);
    colours.pod = PortColour(plan_, unit.PODIX);
    colours.weight = WeightColour(unit.WEIGHT);
    if (view_.onlyDangerous)
      colours.imo = static_cast<Colour>(ImoColour(plan_, NormaliseImoClass(unit.IMO[0])));
  }
  return colours;
}

std::string CellPainter::LetterText(const StructDat& unit, bool ownCell, bool selected) const {
  if (!ownCell) {
    if (IsHazardous(unit)) return "";
    if (monochrome_ || (printer_ && !selected)) return oneBay_ ? "++++" : "+";
    return "";
  }
  if (oneBay_) return "";
  const bool empty = unit.MTY > 0;
  std::string text;
  switch (plan_.LetterMode) {
    case 0:
      if (NonStandardLength(unit) != '\0') text = unit.SIZ;
      break;
    case 1:
    case 2:
      text = PortLetter(plan_, plan_.LetterMode == 1 ? unit.PODIX : unit.POLIX);
      if (empty) text = Lower(text);
      break;
    case 3:
      if (unit.WEIGHT > 0) text = std::to_string(static_cast<int>(unit.WEIGHT + 0.499));
      break;
    case 4:
      if (IsHazardous(unit)) {
        const std::string& imo = unit.IMO[0];
        text = imo.substr(0, 1) + (imo.size() >= 3 ? imo.substr(2, 1) : "");
      }
      break;
    case 5:
      text = unit.SIZ;
      break;
    case 6:
      if (unit.WEIGHT > 0) text = empty ? "M" : WeightClass(plan_, unit);
      break;
    default:
      break;
  }
  const bool shortOnScreen = plan_.LetterMode == 1 || plan_.LetterMode == 2 || plan_.LetterMode == 4;
  if (shortOnScreen && !printer_ && text.size() > 1) text.resize(1);
  return text;
}

void CellPainter::Letters(const StructDat& unit, int x, int y, bool ownCell, bool selected,
                          Colour cellColour) {
  const std::string text = LetterText(unit, ownCell, selected);
  if (text.empty()) return;
  CanvasFont font = c_.Font();
  font.colour = !unit.CONTAINER.empty() && !printer_ && !monochrome_ ? TextOn(cellColour) : kColourBlack;
  font.italic = unit.MTY > 0;
  c_.SetFont(font);
  c_.SetBrush(cellColour);
  const int tx = x + (w_ - c_.TextWidth(text)) / 2 + 1;
  const int ty = y + (h_ - c_.TextHeight(text)) / 2 + 1;
  c_.TextInRect(x + 1, y + 1, x + w_, y + h_, tx, ty, text);
}

void CellPainter::Reefer(int x, int y) {
  const int x1 = x + w_ - w_ / 4;
  const int y1 = y + h_ - h_ / 4;
  Fill(c_, monochrome_ ? kColourBlack : kColourWhite, x1, y1, x + w_, y + h_);
  if (printer_ && !monochrome_) {
    c_.SetPen(kColourBlack);
    c_.FrameRect(x1 - 1, y1 - 1, x + w_ + 1, y + h_ + 1);
  }
}

void CellPainter::HighCube(int x, int y) {
  if (printer_) {
    Fill(c_, kColourWhite, x, y - 1, x + w_ + 1, y + h_ / 5 - 1);
    c_.SetPen(kColourBlack);
    c_.FrameRect(x, y - 1, x + w_ + 1, y + h_ / 5 - 1);
    return;
  }
  Fill(c_, kColourWhite, x + 1, y + 1, x + w_, h_ <= 7 ? y + 3 : y + h_ / 4);
}

void CellPainter::ReducedHeight(const StructDat& unit, int x, int y) {
  const double feet = std::max(unit.HEIGHT, 3.0);
  const int kept = Rounded(h_ * feet / 8.6);
  Fill(c_, printer_ ? kColourWhite : kColourGrey, x + 1, y + 1, x + w_, y + h_ - kept);
}

void CellPainter::Hazard(int x, int y) {
  c_.SetPen(kColourBlack);
  c_.SetBrush(kColourBlack);
  const int base = y + h_ - h_ / 7;
  c_.Polygon({{x + w_ / 2, y + h_ / 7}, {x + w_ / 7, base}, {x + w_ - w_ / 7, base}});
  if (printer_)
    c_.Polygon({{x + w_ / 2, y + h_ / 7 + 1}, {x + w_ / 7 + 1, base - 1}, {x + w_ - w_ / 7 - 1, base - 1}});
}

void CellPainter::Restow(const StructDat& unit, int x, int y) {
  c_.SetPen(unit.RESTOW == 1 && !printer_ ? kColourWhite : kColourBlack);
  EllipseOutline(c_, x + 1, y + 1, x + w_, y + h_);
  if (printer_ && !oneBay_) EllipseOutline(c_, x + 2, y + 2, x + w_ - 1, y + h_ - 1);
}

void CellPainter::Attached(int cell, int x, int y) { AttachedLines(AttachedCount(plan_, cell), x, y); }

void CellPainter::AttachedLines(int count, int x, int y) {
  const Colour colour = printer_ ? kColourBlack : kColourWhite;
  const int from = oneBay_ ? x + 5 * w_ / 6 : x + 2;
  for (int i = 1; i <= count; ++i) {
    const int ly = y + h_ - (h_ / 6) * i;
    DrawLine(c_, colour, from, ly, x + w_ - 1, ly);
  }
}

void CellPainter::OverSizeBar(int x1, int y1, int x2, int y2, bool vertical) {
  if (printer_) {
    Fill(c_, kColourBlack, x1, y1, x2, y2);
    if (x2 - x1 > 2 && y2 - y1 > 2) Fill(c_, kColourWhite, x1 + 1, y1 + 1, x2 - 1, y2 - 1);
    return;
  }
  c_.SetPen(kColourBlack);
  // In the one-bay view the boxes are large: a line every twentieth.
  const int step = oneBay_ ? std::max((vertical ? w_ : h_) / 20, 1) : 1;
  if (vertical) {
    for (int lx = x1; lx < x2; lx += step) c_.Line(lx, y1, lx, y2);
  } else {
    for (int ly = y1; ly < y2; ly += step) c_.Line(x1, ly, x2, ly);
  }
}

void CellPainter::OverHeight(const StructDat& unit, int x, int y) {
  const int s = IsBreakBulk(unit) ? Rounded(plan_.Dim[2] / 10) : 0;
  const int d = std::max(Rounded((unit.OH - s) * h_ / 259.0), 2);
  OverSizeBar(x + 3, y - d, x + w_ - 3, y, false);
}

void CellPainter::OverWidth(const StructDat& unit, int x, int y, bool port) {
  const int s = IsBreakBulk(unit) ? Rounded(plan_.Dim[1] / 10) : 0;
  const int over = port ? unit.OWP : unit.OWS;
  const int d = std::max(Rounded((over - s) * w_ / 243.0), port ? 2 : 3);
  if (port)
    OverSizeBar(x - d, y + 3, x, y + h_ - 3, true);
  else
    OverSizeBar(x + w_ + 1, y + 3, x + w_ + 1 + d, y + h_ - 3, true);
}

void CellPainter::Mark(CellMark mark, int x, int y) {
  switch (mark) {
    case CellMark::Reefer:
      Reefer(x, y);
      break;
    case CellMark::HighCube:
      HighCube(x, y);
      break;
    case CellMark::Hazard:
      Hazard(x, y);
      break;
    case CellMark::Flat:
      Fill(c_, kColourBlack, x + 2, y + 1, x + w_ - 1, y + h_ / 5);
      break;
    case CellMark::BreakBulk:
      DrawLine(c_, kColourBlack, x, y + h_ / 2, x + w_, y + h_ / 2);
      DrawLine(c_, kColourBlack, x, y + h_ / 2 + 1, x + w_, y + h_ / 2 + 1);
      break;
    case CellMark::Restow: {
      StructDat restowed;
      restowed.RESTOW = 2;
      Restow(restowed, x, y);
      break;
    }
    case CellMark::OverLength:
      Fill(c_, kColourBlack, x + w_ / 3 + 1, y + h_ / 3 + 1, x + 2 * w_ / 3, y + 2 * h_ / 3);
      break;
    case CellMark::Bundle:
      AttachedLines(4, x, y);
      break;
  }
}

void CellPainter::Marks(const StructDat& unit, int cell, int x, int y, bool ownCell) {
  if (!oneBay_) {
    if (!IsBundleMember(unit)) {
      if ((!unit.TYP.empty() && unit.TYP[0] == 'H') || BaseData::IsoHeight(unit.ISO) > kHighCubeFeet)
        HighCube(x, y);
      if (unit.HEIGHT > 0 && unit.HEIGHT < kStandardHeightFeet) ReducedHeight(unit, x, y);
    }
    if (IsHazardous(unit) && plan_.LetterMode != 4 && !view_.onlyDangerous) Hazard(x, y);
    if (IsFlatType(unit)) Mark(CellMark::Flat, x, y);
    if (IsBreakBulk(unit)) Mark(CellMark::BreakBulk, x, y);
    if ((unit.FL2 == 1 || unit.FL2 == 4 || unit.FL2 == 5) && !printer_ && ownCell) {
      c_.SetPen(kColourBlack);
      for (int k = 4; k <= h_ / 2; k += 2) c_.Line(x + w_ - k, y + h_, x + w_, y + h_ - k);
    }
    if (IsReeferType(plan_, unit)) Reefer(x, y);
    const char length = NonStandardLength(unit);
    if (length != '\0' && ownCell && plan_.LetterMode != 0 && plan_.LetterMode != 5) {
      const CanvasFont previous = c_.Font();
      CanvasFont small = previous;
      small.colour = kColourBlack;
      if (small.pixelHeight > 0)
        small.pixelHeight = std::max(small.pixelHeight / 2, 1);
      else
        small.size = std::max(small.size / 2, 1);
      c_.SetFont(small);
      c_.TextInRect(x + 1, y + 1, x + w_, y + h_, x + 1, y + h_ - c_.TextHeight("0"), std::string(1, length));
      c_.SetFont(previous);
    }
  }
  if (unit.RESTOW > 0) Restow(unit, x, y);
  if (unit.FL2 == 2 || unit.FL2 == 4) Attached(cell, x, y);
  if (IsOverDimension(unit)) {
    if (unit.OL > 0 && !oneBay_) Mark(CellMark::OverLength, x, y);
    if (unit.OH > 0) {
      OverHeight(unit, x, y);
      const int above = CellAbove(plan_, cell);
      if (above >= 0) plan_.Cells[above].BLK_OH = cell;
    }
    if (unit.OWP > 0) {
      OverWidth(unit, x, y, true);
      const int port = NeighbourCell(plan_, cell, true);
      if (port >= 0) plan_.Cells[port].BLK_OWP = cell;
    }
    if (unit.OWS > 0) {
      OverWidth(unit, x, y, false);
      const int starboard = NeighbourCell(plan_, cell, false);
      if (starboard >= 0) plan_.Cells[starboard].BLK_OWS = cell;
    }
  }
  CanvasFont font = c_.Font();
  font.bold = font.italic = font.underline = false;
  c_.SetFont(font);
}

// Units beside and below this cell whose over-size reaches into its box:
// their marks are drawn again over it.
void CellPainter::NeighbourMarks(int cell) {
  const StructCel& here = plan_.Cells[cell];
  auto blocker = [&](int other) -> const StructDat* {
    if (!ValidCell(plan_, other)) return nullptr;
    const StructDat& unit = plan_.Cur()[other];
    if (printer_ && unit.SELECTED == 0) return nullptr;
    return &unit;
  };
  if (const StructDat* unit = blocker(here.BLK_OWP); unit && unit->OWP > 0)
    OverWidth(*unit, plan_.Cells[here.BLK_OWP].X, plan_.Cells[here.BLK_OWP].Y, true);
  if (const StructDat* unit = blocker(here.BLK_OWS); unit && unit->OWS > 0)
    OverWidth(*unit, plan_.Cells[here.BLK_OWS].X, plan_.Cells[here.BLK_OWS].Y, false);
  if (const StructDat* unit = blocker(here.BLK_OH); unit && unit->OH > 0)
    OverHeight(*unit, plan_.Cells[here.BLK_OH].X, plan_.Cells[here.BLK_OH].Y);
}

void CellPainter::Draw(int cell, int highlight) {
  if (!CellIsShown(plan_, layout_, cell)) return;
  const StructCel& box = plan_.Cells[cell];
  const int x = box.X;
  const int y = box.Y;
  c_.SetPen(highlight == cell || highlight == kDrawFrameWhite ? kColourWhite : kColourBlack);
  c_.FrameRect(x, y, x + w_ + 1, y + h_ + 1);
  if (highlight == kDrawFrameBlack || highlight == kDrawFrameWhite) return;

  const StructDat& unit = plan_.Cur()[cell];
  const bool configMode = plan_.ConfigMode != 0;
  // The configuration view shows the cells' restrictions as loading-port
  // colours, whatever mode the plan is in.
  const int colourMode = configMode ? 1 : plan_.ColourMode;
  monochrome_ = colourMode == kMonochrome;
  const bool selected = unit.SELECTED != 0;
  const bool free = IsFreeRecord(unit);
  if (printer_ && monochrome_ && !selected && !free) return;

  if (free) {
    if (!printer_) {
      Colour fill = kColourSilver;
      if (box.RESTR == 2)
        fill = kColourLightGrey;
      else if (box.RESTR == 4)
        fill = kColourDarkGrey;
      Fill(c_, fill, x + 1, y + 1, x + w_, y + h_);
      if (box.FL_RF == 1) Reefer(x, y);
    }
    // A free cell is where an over-wide neighbour's bars show most: filling
    // it must not rub them out.
    if (!configMode) NeighbourMarks(cell);
    return;
  }

  Colours colours = UnitColours(unit);
  if (configMode) colours.pol = box.RESTR == 4 ? kColourNavy : box.RESTR == 2 ? kColourAqua : kColourBlue;
  const Colour background = printer_ ? kColourWhite : kColourSilver;
  const bool second = IsSecondCell(unit);
  const bool bundle = IsBundleMember(unit);
  if (second || bundle) Fill(c_, background, x + 1, y + 1, x + w_, y + h_);

  Colour cellColour = background;
  if (!monochrome_) {
    if (colourMode == 1)
      cellColour = colours.pol;
    else if (colourMode == 3)
      cellColour = colours.weight;
    else
      cellColour = view_.onlyDangerous ? colours.imo : colours.pod;
  }
  if (bundle) {
    DrawLine(c_, cellColour, x, y, x + w_, y + h_);
    DrawLine(c_, cellColour, x + w_, y, x, y + h_);
    return;
  }
  // A 40' unit fills its own cell and shows a smaller block in the other.
  const int bx1 = x + w_ / 4 + 1, by1 = y + h_ / 4 + 1;
  const int bx2 = x + w_ - w_ / 4 - 1, by2 = y + h_ - h_ / 4 - 1;
  if (second)
    Fill(c_, cellColour, bx1, by1, bx2, by2);
  else
    Fill(c_, cellColour, x + 1, y + 1, x + w_, y + h_);
  if (configMode) {
    if (box.FL_RF > 0) Reefer(x, y);
    return;
  }

  if (unit.MTY > 0 && !oneBay_) {
    const Colour mark = printer_ ? kColourWhite : kColourGrey;
    if (second) {
      const int dx = std::max(w_ / 9, 2), dy = std::max(h_ / 9, 2);
      Fill(c_, mark, bx1 + dx, by1 + dy, bx2 - dx, by2 - dy);
    } else if (plan_.LetterMode == 0) {
      Fill(c_, mark, x + w_ / 5 + 2, y + h_ / 5 + 2, x + w_ - w_ / 5 - 1, y + h_ - h_ / 5 - 1);
    }
  }
  if (!second || monochrome_ || (printer_ && !selected)) Letters(unit, x, y, !second, selected, cellColour);
  if (oneBay_) DrawCellDetails(c_, plan_, unit, x, y, target_, colours.pol, cellColour);
  c_.SetPen(kColourBlack);
  c_.FrameRect(x, y, x + w_ + 1, y + h_ + 1);

  const bool loadedHere = unit.CONTAINER.empty() && unit.POL == plan_.VesHdr[VesHdrIx::Port];
  if (colourMode == 2 || (!printer_ && colourMode != 1 && loadedHere)) {
    if (second)
      Fill(c_, colours.pol, bx1, (by1 + by2) / 2, (bx1 + bx2) / 2, by2);
    else if (!oneBay_)
      Fill(c_, colours.pol, x + 1, y + h_ / 2, x + w_ / 2, y + h_);
  }
  Marks(unit, cell, x, y, !second);
  NeighbourMarks(cell);
}

// "##0.00": at least one digit before the separator.
std::string Tonnes(double weight) {
  const std::string text = FormatFixed(weight, 2);
  return text.empty() ? std::string("0") + DecimalSeparator() + "00" : text;
}

// Characters placed at their columns (from 1) of a fixed-width line.
void PutAt(std::string& line, int column, const std::string& text) {
  const size_t at = static_cast<size_t>(column - 1);
  if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
  line.replace(at, text.size(), text);
}

}  // namespace

Colour WeightColour(double weight) {
  const int green = std::max(Rounded(160 - weight * 160 / 35), 0);
  const int blue = std::max(Rounded(255 - weight * 245 / 35), 10);
  return RgbColour(0, std::min(green, 255), std::min(blue, 255));
}

void DrawCell(Canvas& canvas, PlanData& plan, const BayLayout& layout, const BayView& view, int cell,
              int highlight, int target) {
  if (!ValidCell(plan, cell)) return;
  CellPainter(canvas, plan, layout, view, target).Draw(cell, highlight);
}

void DrawCellMark(Canvas& canvas, PlanData& plan, const BayLayout& layout, CellMark mark, int x, int y,
                  int target) {
  const BayView view;
  CellPainter(canvas, plan, layout, view, target).Mark(mark, x, y);
}

Colour TextOn(Colour fill) {
  const int lightness = (RedOf(fill) * 299 + GreenOf(fill) * 587 + BlueOf(fill) * 114) / 1000;
  return lightness > 160 ? kColourBlack : kColourWhite;
}

void DrawCellDetails(Canvas& canvas, const PlanData& plan, const StructDat& record, int x, int y, int target,
                     Colour polColour, Colour cellColour) {
  const int w = plan.CellPitchX;
  const int h = plan.CellPitchY;
  const bool printer = target == kTargetPrinter;
  auto shown = [&](int option) { return !printer || plan.PrintFields[option] != 0; };
  const int lineHeight = h / 5;
  const CanvasFont previous = canvas.Font();
  CanvasFont font = previous;
  font.colour = !record.CONTAINER.empty() && !printer ? TextOn(cellColour) : kColourBlack;
  auto write = [&](int line, int dx, const std::string& text, bool bold) {
    if (text.empty()) return;
    font.bold = bold;
    canvas.SetFont(font);
    canvas.TextInRect(x + 1, y + 1, x + w, y + h, x + 1 + dx, y + 1 + (line - 1) * lineHeight, text);
  };

  std::string first;
  if (printer && plan.PrintFields[kPrintIso] != 0)
    first = record.ISO;
  else if (shown(kPrintSizeType))
    first = record.SIZ + record.TYP;
  if (shown(kPrintTons)) first += record.MTY > 0 ? "   MTY" : " " + Tonnes(record.WEIGHT);
  write(1, 0, first, false);

  int dx = 0;
  if (shown(kPrintPol)) {
    const std::string pol = record.POL + " ";
    if (plan.ColourMode == 2) {
      canvas.SetBrush(polColour);
      canvas.FillRect(x + 1, y + 1 + lineHeight, x + 1 + canvas.TextWidth(record.POL),
                      y + 1 + 2 * lineHeight);
    }
    write(2, 0, pol, false);
    dx = canvas.TextWidth(pol);
  }
  std::string rest;
  if (shown(kPrintPod)) rest = record.POD;
  if (shown(kPrintPrs) && !record.PRS.empty()) rest += "-" + record.PRS;
  write(2, dx, rest, false);

  if (shown(kPrintImoUn)) {
    std::string special;
    if (IsHazardous(record)) {
      special = record.IMO[0] + " / " + record.UN[0];
    } else if (IsOverDimension(record)) {
      if (record.OWP > 0) PutAt(special, 1, std::to_string(record.OWP));
      if (record.OL > 0) PutAt(special, 5, std::to_string(record.OL));
      if (record.OWS > 0) PutAt(special, 9, Pad(std::to_string(record.OWS), 4, true));
    }
    write(3, 0, special, true);
  }
  if (shown(kPrintContainer)) write(4, 0, record.CONTAINER, false);
  if (shown(kPrintOperator)) write(5, 0, record.OPERATOR, false);
  if (shown(kPrintTemps) && record.MTY <= 0 && IsReeferType(plan, record)) {
    const std::string temps = std::to_string(record.TEMP) + "\xB0" + std::to_string(record.TEMP_2) + "\xB0";
    write(5, canvas.TextWidth("AAAA"), temps, true);
  }
  canvas.SetFont(previous);
}

void DrawRowTierLabels(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int cell, int target) {
  if (!CellIsShown(plan, layout, cell)) return;
  const StructCel& box = plan.Cells[cell];
  const StructBay& bay = plan.Bays[box.BAYIX];
  const BayExtent& e = layout.bays[box.BAYIX];
  const int w = plan.CellPitchX;
  const int h = plan.CellPitchY;
  const CanvasFont previous = canvas.Font();
  if (layout.oneBay) {
    CanvasFont smaller = previous;
    if (smaller.pixelHeight > 0)
      smaller.pixelHeight = std::max(Rounded(smaller.pixelHeight * 0.7), 1);
    else
      smaller.size = std::max(Rounded(smaller.size * 0.7), 1);
    canvas.SetFont(smaller);
  }
  const std::string tier = Columns(box.CELL, plan.TierPos, plan.TierPos + plan.TierLen - 1);
  const std::string row = Columns(box.CELL, plan.RowPos, plan.RowPos + plan.RowLen - 1);
  const int wide = canvas.TextWidth("AA");
  const int ty = box.Y + (h - canvas.TextHeight(tier)) / 2;
  if (layout.oneBay || target == kTargetPrinter) {
    // Beside the fore bay of a pair the digits would run into the aft bay.
    if (!IsForeBayOfPair(bay) || PairsOnConsecutiveLines(plan) || wide < w - 2)
      canvas.Text(e.left - wide - 1, ty, tier);
    if (layout.oneBay) canvas.Text(e.right + 4, ty, tier);
  }
  const int rx = box.X + (w - canvas.TextWidth(row)) / 2;
  if (!IsDeckTier(TierOf(plan, cell)))
    canvas.Text(rx, e.bottom + 1, row);
  else if (bay.ROWWEIGHT != 1)
    canvas.Text(rx, e.deckBottom + h + 1, row);
  canvas.SetFont(previous);
}

void DrawBayTitles(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int target) {
  const bool printer = target == kTargetPrinter;
  const int bays = std::clamp(plan.BayCount, 0, kMaxBays);
  const int th = canvas.TextHeight("0");
  auto centre = [&](int b) { return (layout.bays[b].left + layout.bays[b].right) / 2; };
  auto write = [&](int b, int middle, const std::string& text) {
    const int ty = layout.bays[b].top - th - (printer ? 2 : 0);
    canvas.Text(middle - canvas.TextWidth(text) / 2, ty, text);
  };
  const bool pairTitles = !printer && !layout.oneBay && !PairsOnConsecutiveLines(plan);
  for (int b = 0; b < bays; ++b) {
    if (!BayIsShown(plan, layout, b) || layout.bays[b].right == 0) continue;
    const StructBay& bay = plan.Bays[b];
    const std::string number = Trim(bay.BAY);
    if (!IsForeBayOfPair(bay)) {
      write(b, centre(b), number);
      continue;
    }
    const std::string forty = Trim(bay.D40);
    const bool aftFollows =
        b + 1 < bays && IsAftBayOfPair(plan.Bays[b + 1]) && plan.Bays[b + 1].D40 == bay.D40;
    if (pairTitles && bay.ATHWART != 1 && aftFollows && BayIsShown(plan, layout, b + 1)) {
      // One title over both: the bow is on the right, so the aft bay first.
      write(b, (centre(b) + centre(b + 1)) / 2, Trim(plan.Bays[b + 1].BAY) + "  (" + forty + ")  " + number);
      ++b;
      continue;
    }
    write(b, centre(b), number + "(" + forty + ")");
  }
}

void SetCellFont(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int target) {
  CanvasFont font;
  font.name = plan.Settings[kCellFontSetting];
  const int w = plan.CellPitchX;
  const int h = plan.CellPitchY;
  font.pixelHeight = std::max(layout.oneBay ? h / 5 : h - 2, 1);
  std::string sample = "AA";
  if (layout.oneBay)
    sample = "AAAAAAAAAAAA";
  else if (target != kTargetPrinter && plan.LetterMode != 0 && plan.LetterMode != 3 && plan.LetterMode != 5)
    sample = "A";
  canvas.SetFont(font);
  while (font.pixelHeight > 1 && canvas.TextWidth(sample) > w - 2) {
    --font.pixelHeight;
    canvas.SetFont(font);
  }
}

void SetLabelFont(Canvas& canvas, const PlanData& plan, const BayLayout& layout, Colour background,
                  Colour foreground) {
  CanvasFont font;
  font.name = "Verdana";
  font.pixelHeight = std::max(layout.oneBay ? 3 * plan.CellPitchY / 5 : plan.CellPitchY, 1);
  font.colour = background == kColourWhite ? kColourBlack : foreground;
  canvas.SetFont(font);
  canvas.SetBrush(background);
}

void DrawStackOverweight(Canvas& canvas, const PlanData& plan, const BayLayout& layout, int cell, bool over,
                         Colour background) {
  if (!CellIsShown(plan, layout, cell)) return;
  const StructCel& box = plan.Cells[cell];
  const BayExtent& e = layout.bays[box.BAYIX];
  const int w = plan.CellPitchX;
  const int y = IsDeckTier(TierOf(plan, cell)) ? e.deckBottom + plan.CellPitchY + 1 : e.bottom + 1;
  canvas.SetPen(over ? kColourRed : background);
  canvas.Line(box.X + 2, y, box.X + w - 2, y);
  canvas.Line(box.X + 2, y + 1, box.X + w - 2, y + 1);
}
