#include "reports/TotalsDrawing.h"

#include <algorithm>

#include "core/PlanData.h"
#include "reports/Totals.h"

std::array<int, 5> TotalsBandEnds(const Canvas& canvas, const PlanData& plan, const TotalsReport& report) {
  const auto length = [&plan](int k) { return plan.Messages[static_cast<size_t>(k)].size(); };
  // The totals heading may have been cut for the compact form: it ends
  // where the heading line ends, less its closing blank.
  std::array<size_t, 5> chars{};
  chars[0] = static_cast<size_t>(report.keyWidth);
  chars[1] = chars[0] + length(12);
  chars[2] = chars[1] + length(13);
  chars[3] = chars[2] + (report.breakBulk ? length(14) : 0);
  chars[4] = report.title.empty() ? chars[3] : report.title.size() - 1;
  const int half = canvas.TextWidth("a") / 2;
  std::array<int, 5> ends{};
  for (size_t k = 0; k < ends.size(); ++k)
    ends[k] = canvas.TextWidth(report.title.substr(0, std::min(chars[k], report.title.size()))) + half;
  return ends;
}

void DrawTotalsLine(Canvas& canvas, const TotalsReport& report, const std::array<int, 5>& ends, int line, int x,
                    int y, int width, int height) {
  if (line < 0 || line >= static_cast<int>(report.lines.size())) return;
  const TotalsLine& shown = report.lines[static_cast<size_t>(line)];
  canvas.SetBrush(kColourWhite);
  canvas.FillRect(x, y, x + width, y + height);
  if (shown.level >= 0) {
    const auto& colours = shown.level == report.levels ? kTotalsDeepBands : kTotalsUpperBands;
    int from = x;
    for (size_t band = 0; band < ends.size(); ++band) {
      const int to = x + ends[band];
      if (to > from) {
        canvas.SetBrush(colours[band]);
        canvas.FillRect(from, y, to, y + height);
      }
      from = std::max(from, to);
    }
    canvas.SetPen(kColourBlack);
    for (size_t band = 0; band + 1 < ends.size(); ++band) canvas.Line(x + ends[band], y, x + ends[band], y + height);
  }
  CanvasFont font = canvas.Font();
  font.colour = kColourBlack;
  canvas.SetFont(font);
  canvas.Text(x + 1, y, shown.text);
  if (line == 1) {
    canvas.SetPen(kColourBlack);
    canvas.Line(x, y + height - 1, x + width, y + height - 1);
  }
}
