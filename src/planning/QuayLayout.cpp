#include "planning/QuayLayout.h"

#include <cmath>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

constexpr Colour kSlotColour = 0x808080;

CanvasPoint ValuesOf(const std::string& line) {
  return {ParseInt(Trim(Columns(line, 5, 7))), ParseInt(Trim(Columns(line, 9, 11)))};
}

}  // namespace

std::filesystem::path QuayLayoutFile(const PlanData& plan) { return std::filesystem::path(plan.DataDir) / "clu.txt"; }

bool ReadQuayLayout(const std::vector<std::string>& lines, QuayLayout& layout) {
  layout = QuayLayout{};
  if (lines.size() < 2) return false;
  const CanvasPoint size = ValuesOf(lines[0]);
  const CanvasPoint slots = ValuesOf(lines[1]);
  if (size.x <= 0 || size.y <= 0) return false;
  layout.width = size.x;
  layout.height = size.y;
  layout.columns = std::max(slots.x, 0);
  layout.rows = std::max(slots.y, 0);
  for (size_t i = 2; i < lines.size(); ++i)
    if (Trim(lines[i]).size() > 4) layout.blocks.push_back(ValuesOf(lines[i]));
  return true;
}

int QuayPictureHeight(const QuayLayout& layout, int width) {
  if (layout.width <= 0) return 0;
  return static_cast<int>(std::lround(layout.height * static_cast<double>(width) / layout.width));
}

void DrawQuayLayout(Canvas& canvas, const QuayLayout& layout, double slotLength, double slotWidth) {
  canvas.SetBrush(kColourWhite);
  canvas.FillRect(0, 0, canvas.Width(), canvas.Height());
  if (layout.width <= 0) return;
  const double s = static_cast<double>(canvas.Width()) / layout.width;
  const double across = slotLength * 0.01 * s;
  const double deep = slotWidth * 0.01 * s;
  canvas.SetBrush(kSlotColour);
  for (const CanvasPoint& block : layout.blocks)
    for (int c = 0; c < layout.columns; ++c)
      for (int r = 0; r < layout.rows; ++r) {
        const int x = static_cast<int>(std::lround(block.x * s + c * across));
        const int y = static_cast<int>(std::lround(block.y * s + r * deep));
        canvas.FillRect(x, y, x + static_cast<int>(std::lround(across)) - 1, y + static_cast<int>(std::lround(deep)) - 1);
      }
}
