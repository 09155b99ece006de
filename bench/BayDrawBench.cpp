// Drawing the bay plan of the full 9,800-cell vessel, as a repaint of the
// editor does it (every cell once, with its letters and marks), and drawing
// a single cell, as the editor does under the pointer. The canvas only
// counts what it is asked to draw, so the figures are the cost of the
// drawing code itself, without a device.
// Run: build/bin/bench_baydraw  (medians of the repetitions)

#include <benchmark/benchmark.h>

#include "BenchShip.h"
#include "core/Canvas.h"
#include "core/PlanData.h"
#include "planning/BayLayout.h"
#include "planning/CellDrawing.h"

namespace {

class CountingCanvas : public Canvas {
 public:
  long long operations = 0;

  int Width() const override { return 1900; }
  int Height() const override { return 1000; }
  void SetFont(const CanvasFont& font) override { font_ = font; }
  CanvasFont Font() const override { return font_; }
  void SetPen(Colour, int) override {}
  void SetBrush(Colour) override {}
  void FillRect(int, int, int, int) override { ++operations; }
  void FrameRect(int, int, int, int) override { ++operations; }
  void Line(int, int, int, int) override { ++operations; }
  void Ellipse(int, int, int, int) override { ++operations; }
  void Polyline(const std::vector<CanvasPoint>&) override { ++operations; }
  void Polygon(const std::vector<CanvasPoint>&) override { ++operations; }
  void Text(int, int, std::string_view) override { ++operations; }
  void TextInRect(int, int, int, int, int, int, std::string_view) override { ++operations; }
  int TextWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * (font_.pixelHeight > 0 ? font_.pixelHeight : font_.size) * 6 / 10;
  }
  int TextHeight(std::string_view) const override { return font_.pixelHeight > 0 ? font_.pixelHeight : font_.size; }

 private:
  CanvasFont font_;
};

struct DrawnShip : BenchWorld {
  BayLayout layout;
  BayView view;
  int units = 0;

  DrawnShip() {
    units = FillBenchCondition(ctx);
    plan->VesHdr[VesHdrIx::BaysPerLine] = "10";
    plan->LetterMode = 1;
    ComputeBayLayout(*plan, layout, kTargetScreen);
    ComputeCellBoxes(*plan, layout, 1900, 1000, kTargetScreen);
  }
};

DrawnShip& Ship() {
  static DrawnShip ship;
  return ship;
}

void BM_DrawEveryBay(benchmark::State& state) {
  DrawnShip& ship = Ship();
  PlanData& plan = *ship.plan;
  CountingCanvas canvas;
  for (auto _ : state) {
    SetCellFont(canvas, plan, ship.layout, kTargetScreen);
    for (int i = 0; i < plan.CellCount; ++i) DrawCell(canvas, plan, ship.layout, ship.view, i, kDrawNormal, kTargetScreen);
    SetLabelFont(canvas, plan, ship.layout, kColourSilver, kColourWhite);
    DrawBayTitles(canvas, plan, ship.layout, kTargetScreen);
  }
  state.counters["cells"] = plan.CellCount;
  state.counters["units"] = ship.units;
  state.counters["ops_per_draw"] = static_cast<double>(canvas.operations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawEveryBay)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_DrawOneCell(benchmark::State& state) {
  DrawnShip& ship = Ship();
  PlanData& plan = *ship.plan;
  CountingCanvas canvas;
  SetCellFont(canvas, plan, ship.layout, kTargetScreen);
  const int cell = plan.CellCount / 2;
  for (auto _ : state) DrawCell(canvas, plan, ship.layout, ship.view, cell, cell, kTargetScreen);
  benchmark::DoNotOptimize(canvas.operations);
}
BENCHMARK(BM_DrawOneCell)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
