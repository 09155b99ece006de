#include "reports/LongView.h"

#include <algorithm>
#include <cmath>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"
#include "stability/Stability.h"
#include "vessel/CellAddress.h"

namespace {

constexpr int kLabelSize = 8;
constexpr double kNoPosition = 900;  // a cell LCG from here on takes no unit of that length

CanvasFont LabelFont(bool bold = false, Colour colour = kColourBlack) {
  CanvasFont font;
  font.name = "Arial";
  font.size = kLabelSize;
  font.bold = bold;
  font.colour = colour;
  return font;
}

bool Deleted(const StructCel& cell) { return cell.RESTR == -9; }

const StructBay* BayOfCell(const PlanData& plan, const StructCel& cell) {
  if (cell.BAYIX < 0 || cell.BAYIX >= plan.BayCount || cell.BAYIX >= kMaxBays) return nullptr;
  return &plan.Bays[static_cast<size_t>(cell.BAYIX)];
}

bool Athwart(const PlanData& plan, const StructCel& cell) {
  const StructBay* bay = BayOfCell(plan, cell);
  return bay && bay->ATHWART == 1;
}

// Fore and aft ends (mm) of a unit in cell drawn as 20' (short) or 40'.
void LengthAndPlace(const PlanData& plan, const StructCel& cell, bool short20, double& aft, double& fore) {
  const bool athwart = Athwart(plan, cell);
  const bool has40 = cell.LCG_40 < kNoPosition;
  double length = 0, centre = 0;
  if (short20 || athwart || !has40) {
    length = athwart ? plan.Dim[1] : plan.Dim[0] / 2;
    if (cell.RESTR == 2 || athwart || !has40) {
      centre = cell.LCG * 1000;
    } else {
      // A 20' unit stands at one end of the 40' slot: the end towards its
      // own bay's centre.
      centre = cell.LCG_40 * 1000 + (cell.LCG >= cell.LCG_40 ? length / 2 : -length / 2);
    }
  } else {
    length = plan.Dim[0];
    centre = cell.LCG_40 * 1000;
  }
  aft = centre - length / 2;
  fore = centre + length / 2;
}

std::string StackKey(const PlanData& plan, const std::string& name) {
  return name.substr(0, std::min(name.size(), static_cast<size_t>(std::max(0, plan.BayLen + plan.RowLen))));
}

void CentredText(Canvas& canvas, int x, int y, const std::string& text) {
  canvas.Text(x - canvas.TextWidth(text) / 2, y, text);
}

double WaterAt(const LongViewShip& ship, const StabilityResults& r, double xMm) {
  const double length = ship.length * 1000;
  return r.AftDraft * 1000 + (r.ForeDraft - r.AftDraft) * 1000 * xMm / length;
}

}  // namespace

LongViewShip LongViewDimensions(const PlanData& plan) {
  LongViewShip ship;
  ship.overall = ParseReal(plan.VesHdr[VesHdrIx::DrawingLength]);
  if (ship.overall < 10) ship.overall = 150;
  ship.length = ParseReal(plan.VesHdr[VesHdrIx::BaysLength]);
  if (ship.length < ship.overall / 2) ship.length = ship.overall - 15;
  ship.eyeX = ParseReal(plan.VesHdr[VesHdrIx::LongViewLength]);
  if (ship.eyeX < 10) ship.eyeX = 40;
  ship.eyeZ = ParseReal(plan.VesHdr[VesHdrIx::LongViewHeight]);
  if (ship.eyeZ < 1) ship.eyeZ = 40;
  return ship;
}

void ApplyEyeDefaults(PlanData& plan) {
  if (ParseReal(plan.VesHdr[VesHdrIx::LongViewLength]) < 10) plan.VesHdr[VesHdrIx::LongViewLength] = "40";
  if (ParseReal(plan.VesHdr[VesHdrIx::LongViewHeight]) < 1) plan.VesHdr[VesHdrIx::LongViewHeight] = "40";
}

std::vector<LongViewBox> LongViewBoxes(const PlanData& plan, bool loaded) {
  std::vector<LongViewBox> boxes;
  const DataSet& units = plan.Cur();
  std::string previousKey;
  int previousTier = -100;
  double previousTop = 0;
  const int cells = std::clamp(plan.CellCount, 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    const StructCel& cell = plan.Cells[static_cast<size_t>(i)];
    if (Deleted(cell)) continue;
    const StructDat& unit = units[static_cast<size_t>(i)];
    if (loaded && unit.STATUS <= 0) continue;
    const double height = loaded && IsHighCube(unit) ? plan.Dim[3] : plan.Dim[2];
    const std::string key = StackKey(plan, cell.CELL);
    const int tier = TierOf(plan, cell.CELL);
    LongViewBox box;
    box.cell = i;
    box.deck = IsDeckTier(tier);
    if (key != previousKey || tier != previousTier + 2) {
      box.top = std::trunc(cell.VCG * 1000 - plan.Dim[2] / 2 + height);
      box.bottom = box.top - height;
    } else {
      box.bottom = previousTop;
      box.top = previousTop + height + (box.deck ? plan.Dim[4] : 0);
    }
    LengthAndPlace(plan, cell, loaded ? Is20Foot(unit) : cell.RESTR == 2, box.aft, box.fore);
    boxes.push_back(box);
    previousKey = key;
    previousTier = tier;
    previousTop = box.top;
  }
  return boxes;
}

double HighestCellVcg(const PlanData& plan) {
  double highest = 0;
  const int cells = std::clamp(plan.CellCount, 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    const StructCel& cell = plan.Cells[static_cast<size_t>(i)];
    if (!Deleted(cell)) highest = std::max(highest, cell.VCG);
  }
  return highest;
}

BlindZone FindBlindZone(const PlanData& plan, const StabilityResults& r) {
  const LongViewShip ship = LongViewDimensions(plan);
  const double length = ship.length * 1000;
  const double eyeX = ship.eyeX * 1000, eyeZ = ship.eyeZ * 1000;
  BlindZone zone;
  zone.limit = BlindDistanceLimit(ship.length);
  double farthest = 0;
  for (const LongViewBox& box : LongViewBoxes(plan, true)) {
    if (!box.deck || box.fore <= eyeX) continue;
    const auto hit = SightLineHit(box.fore, box.top, eyeX, eyeZ, length, r.ForeDraft * 1000, r.AftDraft * 1000);
    if (!hit) {
      // The water ahead is hidden altogether: nothing seen farther forward
      // can make up for that. The highest such unit is the one shown.
      if (!zone.blocked || box.top > zone.obstruction.z) {
        zone.blocked = true;
        zone.cell = box.cell;
        zone.obstruction = {box.fore, box.top};
      }
      continue;
    }
    if (zone.blocked || hit->x <= farthest) continue;
    farthest = hit->x;
    zone.found = true;
    zone.cell = box.cell;
    zone.hit = *hit;
    zone.obstruction = {box.fore, box.top};
    zone.distance = (hit->x - length) / 1000;
  }
  if (zone.blocked) zone.found = false;
  return zone;
}

std::string BlindDistanceText(const BlindZone& zone) {
  if (!zone.found) return {};
  return std::to_string(static_cast<long long>(std::trunc(zone.distance))) + " m";
}

std::string BlindLimitText(const BlindZone& zone) {
  const std::string limit = std::to_string(static_cast<long long>(std::trunc(zone.limit))) + " m";
  if (zone.blocked) return "No view of the sea ahead: SOLAS V/22 allows a blind zone of " + limit;
  if (!zone.ExceedsLimit()) return {};
  return "Blind zone " + BlindDistanceText(zone) + " ahead of the bow exceeds the SOLAS V/22 limit of " + limit;
}

int LongViewScale::X(double mm) const { return static_cast<int>(std::lround((mm + margin) * scale)); }
int LongViewScale::Y(double mm) const { return y0 - static_cast<int>(std::lround(mm * scale)); }

LongViewScale LongViewLayout(Canvas& canvas, const PlanData& plan, int width, int height) {
  const LongViewShip ship = LongViewDimensions(plan);
  LongViewScale s;
  s.margin = (ship.overall - ship.length) * 1000;
  const double span = ship.length * 1000 + 2 * s.margin;
  s.scale = span > 0 ? width / span : 0;
  const CanvasFont before = canvas.Font();
  canvas.SetFont(LabelFont());
  s.y0 = height - canvas.TextHeight("0");
  canvas.SetFont(before);
  return s;
}

int LongViewHeightForWidth(Canvas& canvas, const PlanData& plan, int width) {
  const LongViewShip ship = LongViewDimensions(plan);
  const LongViewScale s = LongViewLayout(canvas, plan, width, 0);
  const int text = -s.y0;
  const double highest = HighestCellVcg(plan);
  const double shown = ship.eyeZ > highest ? ship.eyeZ * 1000 + plan.Dim[2] : 3 * plan.Dim[2] + highest * 1000;
  return text + static_cast<int>(std::lround(shown * s.scale)) + 2;
}

void DrawLongView(Canvas& canvas, const PlanData& plan, const StabilityResults& r, int width, int height, int top) {
  const LongViewShip ship = LongViewDimensions(plan);
  LongViewScale s = LongViewLayout(canvas, plan, width, height);
  s.y0 += top;
  const double length = ship.length * 1000;
  canvas.SetBrush(kColourWhite);
  canvas.FillRect(0, top, width, top + height);

  // The water, from edge to edge under the waterline through the drafts.
  const double leftEnd = -s.margin, rightEnd = length + s.margin;
  const CanvasPoint waterAft{0, s.Y(WaterAt(ship, r, leftEnd))};
  const CanvasPoint waterFore{width, s.Y(WaterAt(ship, r, rightEnd))};
  canvas.SetPen(kLongViewWaterColour);
  canvas.SetBrush(kLongViewWaterColour);
  canvas.Polygon({waterAft, waterFore, {width, s.y0}, {0, s.y0}});

  // Every cell as an empty slot, with the bay numbers under the bays.
  canvas.SetFont(LabelFont());
  std::string lastBay, last40;
  for (const LongViewBox& box : LongViewBoxes(plan, false)) {
    canvas.SetBrush(kColourWhite);
    canvas.FillRect(s.X(box.aft), s.Y(box.top), s.X(box.fore), s.Y(box.bottom));
    canvas.SetPen(kLongViewCellColour);
    canvas.FrameRect(s.X(box.aft), s.Y(box.top), s.X(box.fore), s.Y(box.bottom));
    const StructCel& cell = plan.Cells[static_cast<size_t>(box.cell)];
    const StructBay* bay = BayOfCell(plan, cell);
    if (!bay || bay->ATHWART == 1 || bay->BAY == lastBay) continue;
    lastBay = bay->BAY;
    if (cell.LCG < kNoPosition) {
      canvas.SetFont(LabelFont());
      CentredText(canvas, s.X(cell.LCG * 1000), s.y0, bay->BAY);
    }
    const std::string forty = Trim(bay->D40);
    if (!forty.empty() && forty != last40 && cell.LCG_40 < kNoPosition) {
      last40 = forty;
      canvas.SetFont(LabelFont(false, kLongView40BayColour));
      CentredText(canvas, s.X(cell.LCG_40 * 1000), s.y0, forty);
    }
  }

  // The units of the condition.
  for (const LongViewBox& box : LongViewBoxes(plan, true)) {
    canvas.SetBrush(kLongViewUnitColour);
    canvas.FillRect(s.X(box.aft), s.Y(box.top), s.X(box.fore), s.Y(box.bottom));
    canvas.SetPen(RgbColour(128, 128, 128));
    canvas.FrameRect(s.X(box.aft), s.Y(box.top), s.X(box.fore), s.Y(box.bottom));
  }

  // Waterline, base line and perpendiculars.
  canvas.SetFont(LabelFont());
  const int textHeight = canvas.TextHeight("BL");
  // Marks and pens grow with the device: a printer has many more pixels to
  // the line of text than a screen.
  const int px = std::max(1, textHeight / 12);
  canvas.SetPen(kColourBlack, px);
  canvas.Line(waterAft.x, waterAft.y, waterFore.x, waterFore.y);
  canvas.Line(0, s.y0, width, s.y0);
  canvas.Text(2, s.y0 - textHeight, "BL");
  const int ap = s.X(0), fp = s.X(length), mid = s.X(length / 2);
  for (int x : {ap, fp, mid}) canvas.Line(x, top + textHeight, x, s.y0);
  CentredText(canvas, ap, top, "AP");
  CentredText(canvas, fp, top, "FP");

  // The drafts beside the perpendiculars, above the waterline.
  canvas.SetFont(LabelFont(true));
  const std::string aftDraft = FormatFixed(r.AftDraft, 2), foreDraft = FormatFixed(r.ForeDraft, 2);
  canvas.Text(ap - canvas.TextWidth(aftDraft) - 3 * px, s.Y(r.AftDraft * 1000) - textHeight - px, aftDraft);
  canvas.Text(fp + 3 * px, s.Y(r.ForeDraft * 1000) - textHeight - px, foreDraft);

  // The ship's centre of gravity.
  const int gx = s.X(r.LCG * 1000), gy = s.Y(r.VCG * 1000);
  canvas.SetPen(kColourBlack, 2 * px);
  canvas.Line(gx - 5 * px, gy, gx + 6 * px, gy);
  canvas.Line(gx, gy - 5 * px, gx, gy + 6 * px);

  // The conning eye.
  const int ex = s.X(ship.eyeX * 1000), ey = s.Y(ship.eyeZ * 1000);
  canvas.SetPen(kColourBlack, px);
  canvas.SetBrush(kLongViewSightColour);
  canvas.Ellipse(ex - 4 * px, ey - 4 * px, ex + 5 * px, ey + 5 * px);

  const BlindZone zone = FindBlindZone(plan, r);
  canvas.SetPen(kLongViewSightColour, 2 * px);
  if (zone.found) {
    const int hx = s.X(zone.hit.x), hy = s.Y(zone.hit.z);
    canvas.Line(ex, ey, hx, hy);
    // The blind distance with its dimension line from the bow forward.
    const int dy = std::min(hy, s.Y(WaterAt(ship, r, length))) - textHeight - 4 * px;
    canvas.SetPen(kLongViewDistanceColour, px);
    canvas.Line(fp, dy, hx, dy);
    canvas.Line(fp, dy - 4 * px, fp, dy + 5 * px);
    canvas.Line(hx, dy - 4 * px, hx, dy + 5 * px);
    canvas.SetFont(LabelFont(true, kLongViewDistanceColour));
    const std::string text = BlindDistanceText(zone);
    const int w = canvas.TextWidth(text);
    const int centre = (fp + std::min(hx, width)) / 2;
    canvas.Text(std::clamp(centre - w / 2, 0, std::max(0, width - w - 2)), dy - textHeight - 1, text);
  } else if (zone.blocked) {
    // Over the blocking unit the line runs on without reaching the water.
    const double run = (length + s.margin) - ship.eyeX * 1000;
    const double fall = (ship.eyeZ * 1000 - zone.obstruction.z) / (zone.obstruction.x - ship.eyeX * 1000);
    canvas.Line(ex, ey, s.X(length + s.margin), s.Y(ship.eyeZ * 1000 - fall * run));
  }
  const std::string warning = BlindLimitText(zone);
  if (!warning.empty()) {
    // On the top line between the perpendiculars, clear of the sight line,
    // which starts lower at the eye.
    canvas.SetFont(LabelFont(true, kLongViewSightColour));
    const int w = canvas.TextWidth(warning);
    canvas.Text(std::clamp((ap + fp - w) / 2, 0, std::max(0, width - w)), top, warning);
  }
}

void PrintLongView(Canvas& page, const PlanData& plan, const StabilityResults& results) {
  CanvasFont title = LabelFont(true);
  title.size = 11;
  page.SetFont(title);
  page.Text(0, 0, TitleLine(plan, plan.CurPlane));
  const int top = page.TextHeight("A") * 2;
  const int w = page.Width();
  const int h = std::min(page.Height() * 8 / 10, LongViewHeightForWidth(page, plan, w));
  DrawLongView(page, plan, results, w, h, top);
}
