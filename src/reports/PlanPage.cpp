#include "reports/PlanPage.h"

#include <algorithm>
#include <memory>

#include "core/DateText.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/BayLayout.h"
#include "planning/LoadTotals.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

constexpr int kMonochrome = 4;
constexpr int kTitleSetting = SettingsIx::CompanyTitle;
constexpr int kPortraitSetting = 79;
constexpr int kBitmapWidthSetting = 103;
constexpr int kPageDivisorSetting = 104;
constexpr int kFontSetting = 110;
constexpr double kHighCubeFeet = 9.5;
// The load totals keep the sum over every loading port in their last slot.
constexpr int kAllPorts = kTotalsPorts - 1;

const char* const kTotalsLabels[kPlanTotalsRows] = {"20'full", "   mty ", "40'full", "   mty ", "Br/Bulk"};

bool IsFirstPage(int section) { return section == 0 || section == 1; }
bool IsLastPage(int section) { return section == 0 || section == 2; }

// The voyage port of a code, for its letter and colour; null when the code
// is not one of the voyage's ports.
const StructPor* VoyagePort(const PlanData& plan, const std::string& code) {
  const int count = std::clamp(plan.VoyPortCount, 0, kMaxVoyPorts);
  for (int i = 0; i < count; ++i)
    if (plan.VoyPorts[static_cast<size_t>(i)].CODE == code) return &plan.VoyPorts[static_cast<size_t>(i)];
  return nullptr;
}

bool PrintsHighCube(const StructDat& unit) {
  return (!unit.TYP.empty() && unit.TYP[0] == 'H') || BaseData::IsoHeight(unit.ISO) > kHighCubeFeet;
}

// The modes a page changes only while it is drawn.
struct SavedModes {
  explicit SavedModes(PlanData& plan)
      : plan(plan),
        colourMode(plan.ColourMode),
        letterMode(plan.LetterMode),
        baysPerLine(plan.BaysPerLine),
        oneBayNumber(plan.OneBayNumber),
        sectionFilter(plan.SectionFilter) {}
  ~SavedModes() {
    plan.ColourMode = colourMode;
    plan.LetterMode = letterMode;
    plan.BaysPerLine = baysPerLine;
    plan.OneBayNumber = oneBayNumber;
    plan.SectionFilter = sectionFilter;
  }
  SavedModes(const SavedModes&) = delete;
  SavedModes& operator=(const SavedModes&) = delete;
  PlanData& plan;
  int colourMode, letterMode, baysPerLine, oneBayNumber, sectionFilter;
};

class PagePainter {
 public:
  PagePainter(Canvas& canvas, PlanData& plan, const PlanPageRequest& request, BayLayout& layout)
      : c_(canvas), plan_(plan), request_(request), layout_(layout) {}

  PlanPageResult Draw();

 private:
  int PitchX() const { return std::max(plan_.CellPitchX, 1); }
  int PitchY() const { return std::max(plan_.CellPitchY, 1); }
  void LowerBay();
  void DateLine();
  int Cells(std::vector<int>& drawn);
  void HighCubes(const std::vector<int>& drawn);
  void Legend();
  void Title(PlanPageResult& result);
  void TotalsTable(PlanPageResult& result);

  Canvas& c_;
  PlanData& plan_;
  const PlanPageRequest& request_;
  BayLayout& layout_;
};

// The enlarged bay starts two thirds of a row below the top edge, where the
// page title and the bay's number have to go: with a bay as high as the
// tallest one both would be written over the top tier or cut off. The page
// keeps five rows spare below the bay, so the bay moves down by two.
void PagePainter::LowerBay() {
  if (layout_.shownBay < 0) return;
  const int dy = 2 * PitchY();
  const StructBay& bay = plan_.Bays[static_cast<size_t>(layout_.shownBay)];
  const int last = std::min(bay.LASTCELL, std::clamp(plan_.CellCount, 0, kMaxCells) - 1);
  for (int cell = std::max(bay.FIRSTCELL, 0); cell <= last; ++cell) plan_.Cells[static_cast<size_t>(cell)].Y += dy;
  BayExtent& extent = layout_.bays[static_cast<size_t>(layout_.shownBay)];
  extent.top += dy;
  extent.bottom += dy;
  extent.deckBottom += dy;
}

void PagePainter::DateLine() {
  if (!IsLastPage(request_.section) || request_.dateLine.empty()) return;
  int x = c_.Width() - 2 * PitchX() - c_.TextWidth(request_.dateLine);
  // Beside one enlarged bay the tier digits stand at the right edge.
  if (request_.bayPlan) x += c_.TextWidth("00") + PitchX();
  x = std::min(x, c_.Width() - c_.TextWidth(request_.dateLine) - 2);
  c_.Text(std::max(x, 0), PitchY() / 2, request_.dateLine);
}

int PagePainter::Cells(std::vector<int>& drawn) {
  DataSet& records = plan_.Cur();
  int counted = 0;
  int first = 0;
  int last = std::clamp(plan_.CellCount, 0, kMaxCells) - 1;
  if (request_.bayPlan) {
    const StructBay& bay = plan_.Bays[static_cast<size_t>(layout_.shownBay)];
    first = std::max(bay.FIRSTCELL, 0);
    last = std::min(bay.LASTCELL, last);
  }
  for (int cell = first; cell <= last; ++cell) {
    StructDat& unit = records[static_cast<size_t>(cell)];
    // A restowed unit always prints: it is work for the terminal whatever
    // the filter says. It is counted like every other unit on board.
    if (unit.RESTOW > 0) unit.SELECTED = 1;
    if (unit.SELECTED > 0 && unit.STATUS >= 1 && unit.FL3 <= 0) {
      AddToTotals(plan_, cell, 1, plan_.CurPlane);
      ++counted;
    }
    DrawCell(c_, plan_, layout_, request_.view, cell, kDrawNormal, kTargetPrinter);
    if (CellIsShown(plan_, layout_, cell)) drawn.push_back(cell);
  }
  return counted;
}

// The paper's high-cube mark reaches into the box above, which is drawn
// later and would cover it: the marks go on again over the finished cells.
void PagePainter::HighCubes(const std::vector<int>& drawn) {
  const bool monochrome = plan_.ColourMode == kMonochrome;
  for (const int cell : drawn) {
    const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
    if (IsFreeRecord(unit) || unit.FL3 == 1 || !PrintsHighCube(unit)) continue;
    if (monochrome && unit.SELECTED == 0) continue;
    const StructCel& box = plan_.Cells[static_cast<size_t>(cell)];
    DrawCellMark(c_, plan_, layout_, CellMark::HighCube, box.X, box.Y, kTargetPrinter);
  }
}

void PagePainter::Legend() {
  struct Item {
    const char* text;
    CellMark mark;
    bool boxed;
  };
  static const Item kRows[3][3] = {
      {{"Reefer   ", CellMark::Reefer, true},
       {"Hazardous", CellMark::Hazard, true},
       {"BreakBulk", CellMark::BreakBulk, true}},
      {{"HighCube ", CellMark::HighCube, true},
       {"Platform ", CellMark::Flat, true},
       {"Bundle   ", CellMark::Bundle, true}},
      {{"Restow   ", CellMark::Restow, true},
       {"OverLen  ", CellMark::OverLength, true},
       {"Empty: LowCase", CellMark::Reefer, false}},
  };
  static const double kRowsUp[3] = {6, 4.5, 3};
  const int px = PitchX();
  const int py = PitchY();
  CanvasFont font = c_.Font();
  font.bold = font.italic = font.underline = false;
  font.colour = kColourBlack;
  c_.SetFont(font);
  // The texts are of one length in characters; in a proportional font the
  // columns are set by the widest, so that the boxes stand in line.
  int widest = 0;
  for (const auto& row : kRows)
    for (int k = 0; k < 2; ++k) widest = std::max(widest, c_.TextWidth(row[k].text));
  const int column = 2 * px + widest + px / 2 + px;
  for (int r = 0; r < 3; ++r) {
    const int y = c_.Height() - static_cast<int>(kRowsUp[r] * py);
    int x = 0;
    for (const Item& item : kRows[r]) {
      c_.Text(x + 2 * px, y + (py - c_.TextHeight(item.text)) / 2, item.text);
      if (item.boxed) {
        const int bx = x + 2 * px + widest + px / 2;
        c_.SetBrush(kColourWhite);
        c_.FillRect(bx + 1, y + 1, bx + px, y + py);
        c_.SetPen(kColourBlack);
        c_.FrameRect(bx, y, bx + px + 1, y + py + 1);
        DrawCellMark(c_, plan_, layout_, item.mark, bx, y, kTargetPrinter);
      }
      x += column;
    }
  }
}

void PagePainter::Title(PlanPageResult& result) {
  if (!IsFirstPage(request_.section)) return;
  if (request_.bayPlan) {
    CanvasFont font;
    font.name = plan_.Settings[kFontSetting];
    font.pixelHeight = std::max(PitchY() / 4, 1);
    font.bold = true;
    font.underline = true;
    c_.SetFont(font);
  }
  CanvasFont font = c_.Font();
  font.colour = kColourBlack;
  c_.SetFont(font);
  result.title = PlanPageTitle(plan_, request_);
  c_.Text(PitchX(), PitchY() / 2, result.title);
}

void PagePainter::TotalsTable(PlanPageResult& result) {
  if (request_.bayPlan || !IsLastPage(request_.section) || result.unitsCounted == 0) return;
  const PlanTotalsTable table = BuildPlanTotalsTable(plan_);
  const int px = PitchX();
  const int py = PitchY();
  CanvasFont font;
  font.name = "Courier New";
  font.pixelHeight = std::max(py - 1, 1);
  c_.SetFont(font);
  const int labelWidth = c_.TextWidth("20'full");
  const int columnWidth = c_.TextWidth("      ") + 5;
  const int columns = static_cast<int>(table.ports.size()) + 1;
  const int left = c_.Width() - labelWidth - columnWidth * (columns + 1) - 3 * px;
  const int top = c_.Height() - 6 * py;
  const int rows = table.breakBulk ? kPlanTotalsRows : kPlanTotalsRows - 1;
  const int lineHeight = py;
  const int textHeight = c_.TextHeight("0");
  auto textY = [&](int line) { return top + line * lineHeight + (lineHeight - textHeight) / 2; };

  // Header: the port's letter on its colour, then its code.
  const bool plainHeader = plan_.ColourMode == 2 || plan_.LetterMode == 0;
  for (int k = 0; k < columns; ++k) {
    const int x = left + labelWidth + k * columnWidth;
    if (k + 1 == columns) {
      c_.Text(x + 2, textY(0), " total");
      continue;
    }
    const std::string& code = table.ports[static_cast<size_t>(k)];
    const StructPor* port = VoyagePort(plan_, code);
    const int box = std::min(lineHeight - 2, columnWidth / 3);
    const int bx = x + 3, by = top + (lineHeight - box) / 2;
    Colour fill = kColourWhite;
    if (plan_.ColourMode != kMonochrome && port != nullptr) fill = static_cast<Colour>(port->WINCOLOR);
    c_.SetBrush(fill);
    c_.FillRect(bx, by, bx + box, by + box);
    c_.SetPen(kColourBlack);
    c_.FrameRect(bx, by, bx + box + 1, by + box + 1);
    if (!plainHeader && port != nullptr && !port->LETTER.empty()) {
      CanvasFont small = font;
      small.pixelHeight = std::max(box - 2, 1);
      small.colour = plan_.ColourMode == kMonochrome ? kColourBlack : TextOn(fill);
      c_.SetFont(small);
      const std::string letter = port->LETTER.substr(0, 2);
      c_.TextInRect(bx + 1, by + 1, bx + box, by + box, bx + (box - c_.TextWidth(letter)) / 2 + 1,
                    by + (box - c_.TextHeight(letter)) / 2 + 1, letter);
      c_.SetFont(font);
    }
    c_.Text(bx + box + c_.TextWidth(" ") / 2 + 2, textY(0), code);
  }
  for (int r = 0; r < rows; ++r) {
    c_.Text(left, textY(r + 1), kTotalsLabels[r]);
    for (int k = 0; k < columns; ++k) {
      const int count = table.counts[static_cast<size_t>(r)][static_cast<size_t>(k)];
      if (count == 0) continue;
      const std::string text = Pad(std::to_string(count), 6, true);
      const int x = left + labelWidth + (k + 1) * columnWidth - 3 - c_.TextWidth(text);
      c_.Text(x, textY(r + 1), text);
    }
  }
  c_.SetPen(kColourBlack);
  const int bottom = top + (rows + 1) * lineHeight;
  for (int k = 0; k <= columns; ++k) {
    const int x = left + labelWidth + k * columnWidth;
    c_.Line(x, top, x, bottom);
  }
  const int right = left + labelWidth + columns * columnWidth;
  c_.Line(left, top + lineHeight, right, top + lineHeight);
  c_.Line(left, bottom, right, bottom);
  result.totalsTable = true;
}

PlanPageResult PagePainter::Draw() {
  PlanPageResult result;
  c_.SetBrush(kColourWhite);
  c_.FillRect(0, 0, c_.Width(), c_.Height());
  ComputeBayLayout(plan_, layout_, kTargetPrinter);
  ComputeCellBoxes(plan_, layout_, c_.Width(), c_.Height(), kTargetPrinter);
  if (request_.bayPlan) LowerBay();
  SetCellFont(c_, plan_, layout_, kTargetPrinter);
  DateLine();

  std::vector<int> drawn;
  result.unitsCounted = Cells(drawn);
  if (!request_.bayPlan) {
    HighCubes(drawn);
    SetCellFont(c_, plan_, layout_, kTargetPrinter);
    if (IsFirstPage(request_.section)) Legend();
  }
  if (request_.bayPlan) SetLabelFont(c_, plan_, layout_, kColourWhite, kColourBlack);
  for (const int cell : drawn) DrawRowTierLabels(c_, plan_, layout_, cell, kTargetPrinter);
  SetLabelFont(c_, plan_, layout_, kColourWhite, kColourBlack);
  DrawBayTitles(c_, plan_, layout_, kTargetPrinter);
  Title(result);
  TotalsTable(result);
  result.drawn = true;
  return result;
}

}  // namespace

std::string DefaultPlanTitle(const PlanData& plan) {
  return TrimRight(plan.Settings[kTitleSetting]) + " - m/v " + Trim(plan.VesHdr[VesHdrIx::Vessel]) + " - " +
         plan.PlaneTitle[static_cast<size_t>(kCurPlane)];
}

std::string PlanPageTitle(const PlanData& plan, const PlanPageRequest& request) {
  const bool oneLoad = !request.singleLoadPort.empty();
  const bool oneDischarge = !request.singleDischargePort.empty();
  if (!oneLoad && !oneDischarge) return DefaultPlanTitle(plan);
  std::string title = TrimRight(plan.Settings[kTitleSetting]) + " - m/v " + Trim(plan.VesHdr[VesHdrIx::Vessel]) +
                      " - " + PortName(plan, Trim(plan.VesHdr[VesHdrIx::Port]));
  if (oneLoad && request.printMode != 2) title += " - Loading " + PortName(plan, request.singleLoadPort);
  if (oneDischarge && request.printMode != 1)
    title += " - Discharging " + PortName(plan, request.singleDischargePort);
  return title;
}

std::string PlanDateLine(const PlanData& plan, const std::tm& when) {
  return plan.ProductName + " - " + FormatDateTime(when, kDatePattern) + " " +
         FormatDateTime(when, kPrintTimePattern);
}

bool PlanPrintsPortrait(const PlanData& plan, bool bayPlan) {
  return !bayPlan && plan.Settings[kPortraitSetting] == "0";
}

std::vector<int> LetterPlanSections(bool portrait) { return portrait ? std::vector<int>{1, 2} : std::vector<int>{0}; }

PlanBitmapSize PlanPageBitmap(const PlanData& plan, int pageWidth, int pageHeight, bool highResolution) {
  const int divisor = ParseInt(plan.Settings[kPageDivisorSetting]);
  if (divisor >= 2 && divisor <= 9) {
    pageWidth /= divisor;
    pageHeight /= divisor;
  }
  pageWidth = std::max(pageWidth, 1);
  pageHeight = std::max(pageHeight, 1);
  if (highResolution) return {pageWidth, pageHeight};
  int width = ParseInt(plan.Settings[kBitmapWidthSetting]);
  // An unset or absurd width would give an empty or a gigantic picture.
  if (width < 200 || width > 20000) width = 1600;
  const long long height = static_cast<long long>(width) * pageHeight / pageWidth;
  return {width, static_cast<int>(std::clamp<long long>(height, 1, 20000))};
}

PlanTotalsTable BuildPlanTotalsTable(const PlanData& plan) {
  PlanTotalsTable table;
  const int pods = std::clamp(plan.PodCount, -1, kTotalsPorts - 2);
  for (int p = 0; p <= pods; ++p) table.ports.push_back(plan.PodList[static_cast<size_t>(p)]);
  table.counts.assign(kPlanTotalsRows, std::vector<int>(table.ports.size() + 1, 0));
  for (int r = 0; r < kPlanTotalsRows; ++r) {
    for (int p = 0; p <= pods; ++p)
      table.counts[static_cast<size_t>(r)][static_cast<size_t>(p)] =
          plan.LoadTotals.COUNT[static_cast<size_t>(p)][kAllPorts][static_cast<size_t>(r)];
    table.counts[static_cast<size_t>(r)].back() = plan.LoadTotals.COUNT[kAllPorts][kAllPorts][static_cast<size_t>(r)];
  }
  table.breakBulk = table.counts[kPlanTotalsRows - 1].back() > 0;
  return table;
}

PlanPageResult DrawPlanPage(Canvas& canvas, PlanData& plan, const PlanPageRequest& request) {
  if (plan.CellCount <= 0) return {};
  if (request.bayPlan && FindBayByNumber(plan, request.bay) < 0) return {};
  SavedModes saved(plan);
  plan.OneBayNumber = request.bayPlan ? request.bay : 0;
  plan.ColourMode = request.colourMode;
  plan.LetterMode = request.colourMode == 2 ? 0 : request.letterMode;
  plan.SectionFilter = request.bayPlan ? 0 : request.section;
  // The totals are counted again from the units this page draws.
  ResetTotals(plan);
  auto layout = std::make_unique<BayLayout>();
  return PagePainter(canvas, plan, request, *layout).Draw();
}
