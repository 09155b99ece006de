// The whole plan painted on a recording canvas: which cells are drawn, the
// overweight marks of the stacks and the load totals a full repaint rebuilds.

#include "planning/BayPlanPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanFixture.h"
#include "RecordingCanvas.h"
#include "vessel/CellAddress.h"

namespace {

constexpr Colour kBackground = RgbColour(0x28, 0x28, 0x28);

class BayPlanPictureTest : public plantest::PlanTest {
 protected:
  BayLayout layout;
  BayView view;

  void SetUp() override {
    PlanTest::SetUp();
    ComputeBayLayout(plan, layout, kTargetScreen);
    ComputeCellBoxes(plan, layout, 1400, 900, kTargetScreen);
  }

  std::vector<CanvasOp> Paint() {
    RecordingCanvas canvas(1400, 900);
    PaintBayPlan(canvas, plan, layout, view, kBackground, kTargetScreen);
    return canvas.ops;
  }

  // Whether a red mark lies under the hold stack of cell.
  bool Marked(const std::vector<CanvasOp>& ops, const std::string& cell) const {
    const StructCel& box = plan.Cells[plantest::CellNamed(plan, cell)];
    const int y = layout.bays[box.BAYIX].bottom + 1;
    for (const CanvasOp& op : ops)
      if (op.kind == CanvasOp::Line && op.pen == kColourRed && op.y1 == y && op.x1 == box.X + 2) return true;
    return false;
  }

  void HoldLimit20(const std::string& cell, double tonnes) {
    const StructCel& box = plan.Cells[plantest::CellNamed(plan, cell)];
    plan.Bays[box.BAYIX].STACKW[RowOf(plan, plantest::CellNamed(plan, cell))][2] = tonnes;
  }
};

TEST_F(BayPlanPictureTest, AStackHeavierThanItsLimitIsMarked) {
  Load({{"070102", plantest::Unit("ZUMU0000001", "20", 15)}, {"070104", plantest::Unit("ZUMU0000002", "20", 15)}});
  struct Case {
    double limit;
    bool marked;
  };
  // At the limit is allowed; no limit (0) marks nothing.
  for (const Case& c : {Case{25, true}, Case{30, false}, Case{0, false}}) {
    SCOPED_TRACE(c.limit);
    HoldLimit20("070102", c.limit);
    EXPECT_EQ(Marked(Paint(), "070102"), c.marked);
  }
}

TEST_F(BayPlanPictureTest, TheCellTablesOrderDoesNotChangeTheStacks) {
  // The test vessel lists bay 01 tier by tier, so a stack's cells are not
  // neighbours in the table.
  Load({{"010102", plantest::Unit("ZUMU0000001", "20", 15)}, {"010104", plantest::Unit("ZUMU0000002", "20", 15)}});
  HoldLimit20("010102", 25);
  EXPECT_TRUE(Marked(Paint(), "010102"));
}

TEST_F(BayPlanPictureTest, AFullRepaintRebuildsTheLoadTotalsOnce) {
  Load({{"070102", plantest::Unit("ZUMU0000001")}, {"090102", plantest::Unit("ZUMU0000002")}});
  plan.RedrawAll = 1;
  plan.PolCount = -1;
  plan.PodCount = -1;
  Paint();
  EXPECT_EQ(plan.RedrawAll, 0);
  ASSERT_EQ(plan.PolCount, 0);
  EXPECT_EQ(plan.PolList[0], "HAM");
  const auto counts = plan.LoadTotals.COUNT;
  Paint();  // without RedrawAll nothing is counted again
  EXPECT_EQ(plan.LoadTotals.COUNT, counts);
}

TEST_F(BayPlanPictureTest, OneBayShowsItsCellsAndAVanishedBayFallsBackToAll) {
  plan.OneBayNumber = 7;
  ComputeCellBoxes(plan, layout, 1400, 900, kTargetScreen);
  std::vector<std::string> names;
  for (int cell : ShownCells(plan, layout)) names.push_back(plan.Cells[cell].CELL);
  EXPECT_EQ(names, (std::vector<std::string>{"070102", "070104", "070106", "070108"}));

  plan.OneBayNumber = 77;
  ComputeCellBoxes(plan, layout, 1400, 900, kTargetScreen);
  EXPECT_TRUE(ShownCells(plan, layout).empty());
  Paint();
  EXPECT_EQ(plan.OneBayNumber, 0);
  EXPECT_EQ(static_cast<int>(ShownCells(plan, layout).size()), plan.CellCount);
}

TEST_F(BayPlanPictureTest, BayTitlesStandOutOnDarkAndLightBackgrounds) {
  struct Case {
    Colour background;
    Colour title;
  };
  for (const Case& c : {Case{kBackground, kColourWhite}, Case{RgbColour(0xF0, 0xF0, 0xF0), kColourBlack}}) {
    RecordingCanvas canvas(1400, 900);
    PaintBayPlan(canvas, plan, layout, view, c.background, kTargetScreen);
    bool titled = false;
    for (const CanvasOp& op : canvas.ops) {
      if (op.kind != CanvasOp::Text || op.text.find("07") == std::string::npos) continue;
      titled = true;
      EXPECT_EQ(op.font.colour, c.title) << op.text;
    }
    EXPECT_TRUE(titled);
  }
}

}  // namespace
