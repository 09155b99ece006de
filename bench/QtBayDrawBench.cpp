// The editor's repaints of the 9,800-cell vessel on a real device: the
// whole plan painted into the window's image (a layout or mode change), and
// the pointer's two cells (a hover), both with Qt's raster painter. The
// figures include the text rendering of every letter.
// Run: build/bin/bench_qtbaydraw  (medians of the repetitions)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "BenchShip.h"
#include "core/PlanData.h"
#include "planning/BayLayout.h"
#include "planning/BayPlanPicture.h"
#include "planning/CellDrawing.h"
#include "ui/QtCanvas.h"

namespace {

constexpr int kWidth = 1900;
constexpr int kHeight = 1000;
constexpr Colour kBackground = RgbColour(0xF0, 0xF0, 0xF0);

struct PaintedShip : BenchWorld {
  BayLayout layout;
  BayView view;
  QImage image{kWidth, kHeight, QImage::Format_RGB32};
  int units = 0;

  PaintedShip() {
    units = FillBenchCondition(ctx);
    plan->VesHdr[VesHdrIx::BaysPerLine] = "10";
    plan->LetterMode = 1;
    ComputeBayLayout(*plan, layout, kTargetScreen);
    ComputeCellBoxes(*plan, layout, kWidth, kHeight, kTargetScreen);
  }
};

PaintedShip& Ship() {
  static PaintedShip ship;
  return ship;
}

void BM_RepaintEveryBay(benchmark::State& state) {
  PaintedShip& ship = Ship();
  for (auto _ : state) {
    QPainter painter(&ship.image);
    QtCanvas canvas(painter, kWidth, kHeight);
    PaintBayPlan(canvas, *ship.plan, ship.layout, ship.view, kBackground, kTargetScreen);
  }
  state.counters["cells"] = ship.plan->CellCount;
  state.counters["units"] = ship.units;
}
BENCHMARK(BM_RepaintEveryBay)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// A hover: the cell left gets its black frame back, the new one is drawn
// whole with the white frame on top.
void BM_RepaintHoveredCells(benchmark::State& state) {
  PaintedShip& ship = Ship();
  PlanData& plan = *ship.plan;
  const int left = plan.CellCount / 2;
  const int entered = left + 1;
  for (auto _ : state) {
    QPainter painter(&ship.image);
    QtCanvas canvas(painter, kWidth, kHeight);
    SetCellFont(canvas, plan, ship.layout, kTargetScreen);
    DrawCell(canvas, plan, ship.layout, ship.view, left, kDrawFrameBlack, kTargetScreen);
    DrawCell(canvas, plan, ship.layout, ship.view, entered, entered, kTargetScreen);
    DrawCell(canvas, plan, ship.layout, ship.view, entered, kDrawFrameWhite, kTargetScreen);
  }
}
BENCHMARK(BM_RepaintHoveredCells)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need the GUI application; no screen is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
