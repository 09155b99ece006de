#include "reports/TankPlanDrawing.h"

#include <algorithm>
#include <cmath>

#include "core/NumberFormat.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"

namespace {

struct GroupColours {
  Colour text, highlight;
};

// Groups 4 to 9: ballast, fuel, diesel, lube oil, fresh water, other.
constexpr GroupColours kGroupColours[] = {
    {RgbColour(0, 128, 128), RgbColour(0, 255, 255)}, {RgbColour(0, 128, 0), RgbColour(0, 255, 0)},
    {RgbColour(128, 0, 0), RgbColour(255, 0, 0)},     {RgbColour(128, 128, 0), RgbColour(255, 255, 0)},
    {RgbColour(0, 0, 128), RgbColour(0, 0, 255)},     {RgbColour(128, 0, 128), RgbColour(255, 0, 255)},
};

const GroupColours* ColoursOf(int group) {
  if (group < kFirstTankGroup || group > kLastTankGroup) return nullptr;
  return &kGroupColours[group - kFirstTankGroup];
}

// A number rounded to the decimals, as a "####0.00" pattern writes it.
std::string Rounded(double x, int decimals) {
  const double factor = std::pow(10.0, decimals);
  long long n = std::llround(x * factor);
  std::string sign = n < 0 ? "-" : "";
  if (n < 0) n = -n;
  std::string digits = std::to_string(n);
  if (decimals == 0) return sign + digits;
  if (static_cast<int>(digits.size()) <= decimals)
    digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
  digits.insert(digits.size() - static_cast<size_t>(decimals), 1, DecimalSeparator());
  return sign + digits;
}

const std::string& Field(const Tanks& tanks, int tank, int field) {
  return tanks.Records[static_cast<size_t>(tank)][static_cast<size_t>(field)];
}

}  // namespace

Colour TankGroupColour(int group) {
  const GroupColours* c = ColoursOf(group);
  return c ? c->text : kColourBlack;
}

Colour TankHighlightColour(int group) {
  const GroupColours* c = ColoursOf(group);
  return c ? c->highlight : kColourBlack;
}

std::vector<TankShape> TankPlanShapes(const Tanks& tanks, int group, int originX, int middleY) {
  std::vector<TankShape> shapes;
  for (int t = 0; t < tanks.Count() && static_cast<int>(shapes.size()) < kMaxDrawnTanks; ++t) {
    if (tanks.Group(t) != group) continue;
    const int v1 = ParseInt(Field(tanks, t, TankField::DrawTop));
    const int v2 = ParseInt(Field(tanks, t, TankField::DrawBottom));
    const int h1 = ParseInt(Field(tanks, t, TankField::DrawLeft));
    const int h2 = ParseInt(Field(tanks, t, TankField::DrawRight));
    TankShape s;
    s.tank = t;
    s.left = originX + std::min(h1, h2);
    s.right = originX + std::max(h1, h2);
    s.top = middleY + std::min(v1, v2);
    s.bottom = middleY + std::max(v1, v2);
    shapes.push_back(s);
  }
  return shapes;
}

int TankShapeAt(const std::vector<TankShape>& shapes, int x, int y) {
  // Tanks overlap in the plan (a wing tank over the side of a double
  // bottom): the one drawn last is the one seen at the point.
  for (size_t i = shapes.size(); i-- > 0;)
    if (shapes[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

double ContentAtHeight(const TankShape& shape, double capacity, int y) {
  const int height = shape.bottom - shape.top;
  if (height <= 0 || capacity <= 0) return capacity > 0 ? capacity : 0.0;
  return std::clamp(capacity * (shape.bottom - y) / height, 0.0, capacity);
}

void DrawTankShape(Canvas& canvas, const Tanks& tanks, const TankShape& shape, int group, bool selected) {
  canvas.SetBrush(selected ? kSelectedTankColour : kColourBlack);
  canvas.FillRect(shape.left, shape.top, shape.right, shape.bottom);
  const double capacity = tanks.Capacity(shape.tank);
  const double content = tanks.Content(shape.tank);
  if (capacity > 0 && content > 0) {
    const double full = std::min(1.0, content / capacity);
    const int filled = static_cast<int>(std::lround(full * (shape.bottom - shape.top)));
    canvas.SetBrush(selected ? TankHighlightColour(group) : TankGroupColour(group));
    if (filled > 0) canvas.FillRect(shape.left, shape.bottom - filled, shape.right, shape.bottom);
  }
  canvas.SetPen(selected ? kColourWhite : kColourBlack, 1);
  canvas.FrameRect(shape.left, shape.top, shape.right, shape.bottom);
}

void DrawTankPlan(Canvas& canvas, const Tanks& tanks, int group, int selectedTank, int width, int height,
                  Colour background) {
  canvas.SetBrush(background);
  canvas.FillRect(0, 0, width, height);
  for (const TankShape& shape : TankPlanShapes(tanks, group, 0, height / 2))
    DrawTankShape(canvas, tanks, shape, group, shape.tank == selectedTank);
}

std::array<std::string, 4> TankRowTexts(const Tanks& tanks, int tank) {
  std::array<std::string, 4> row;
  if (tank < 0 || tank >= tanks.Count()) return row;
  row[0] = Field(tanks, tank, TankField::Name);
  row[1] = Pad(Rounded(tanks.Capacity(tank), 2), 8, true);
  const double content = tanks.Content(tank);
  const double capacity = tanks.Capacity(tank);
  if (content > 0) {
    row[3] = Rounded(content, 2);
    if (capacity > 0) row[2] = Pad(Rounded(content * 100.0 / capacity, 0), 3, true) + "%";
  }
  return row;
}

void DrawTanksSheet(Canvas& canvas, const Tanks& tanks, const Stability& stability, int width, int height) {
  canvas.SetBrush(kColourWhite);
  canvas.FillRect(0, 0, width, height);
  CanvasFont font;
  font.size = 8;
  canvas.SetFont(font);
  const int line = canvas.TextHeight("0");
  const int groups = kLastTankGroup - kFirstTankGroup + 1;
  const int block = std::max(1, height / groups);
  for (int group = kFirstTankGroup; group <= kLastTankGroup; ++group) {
    const int top = (group - kFirstTankGroup) * block;
    if (group > kFirstTankGroup) {
      canvas.SetPen(RgbColour(192, 192, 192), 1);
      canvas.Line(0, top, width, top);
    }
    // The group's name and what it holds.
    const WeightItem& item = stability.Items[static_cast<size_t>(group)];
    CanvasFont caption = font;
    caption.bold = true;
    caption.colour = TankGroupColour(group);
    canvas.SetFont(caption);
    std::string title = TrimRight(stability.ItemName(group));
    if (item.W > 0) title += "  " + Rounded(item.Tonnes(), 2) + " t";
    canvas.Text(6, top + 2, title);
    canvas.SetFont(font);

    const int middle = top + line + 2 + (block - line - 2) / 2;
    const std::vector<TankShape> shapes = TankPlanShapes(tanks, group, 10, middle);
    int planRight = 10;
    for (const TankShape& shape : shapes) {
      DrawTankShape(canvas, tanks, shape, group, false);
      planRight = std::max(planRight, shape.right);
    }

    // The tanks with their contents, in columns beside the plan.
    const int columnWidth = canvas.TextWidth("Double Bottom 1 SB   9999.99 t 100%") + 16;
    const int rows = std::max(1, (block - line - 6) / line);
    int k = 0;
    for (int t = 0; t < tanks.Count(); ++t) {
      if (tanks.Group(t) != group) continue;
      const std::array<std::string, 4> texts = TankRowTexts(tanks, t);
      const int x = planRight + 24 + (k / rows) * columnWidth;
      const int y = top + line + 4 + (k % rows) * line;
      ++k;
      if (x + columnWidth > width) continue;
      const std::string content = texts[3].empty() ? "-" : texts[3] + " t";
      canvas.Text(x, y, texts[0].substr(0, 20));
      const std::string right = Pad(content, 10, true) + " " + Pad(texts[2], 4, true);
      canvas.Text(x + columnWidth - 16 - canvas.TextWidth(right), y, right);
    }
  }
}
