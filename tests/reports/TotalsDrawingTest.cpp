#include "reports/TotalsDrawing.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "../planning/PlanFixture.h"
#include "RecordingCanvas.h"
#include "reports/Totals.h"

namespace plantest {
namespace {

class TotalsDrawingTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    for (int c : {2, 3}) {
      plan.RepNames[c] = c == 2 ? "POL" : "POD";
      plan.RepDef[c][0] = 3;
    }
    plan.Messages[12] = "---------- FULL ----------";  // 26
    plan.Messages[13] = "---- EMPTY ----";             // 15
    plan.Messages[14] = "- BREAK BULK -";              // 14
    plan.Messages[15] = "---------- TOTAL ----------";  // 27
    StructDat other = Unit("ZUMU0000002");
    other.POD = "ANR";
    Load({{"010082", Unit("ZUMU0000001")}, {"010182", other}});
    TotalsOptions options;
    options.plane = plan.CurPlane;
    options.columns = {2, 3};
    report = BuildTotals(plan, options);
    canvas.SetFont(CanvasFont{});  // 6 pixels a character
  }

  std::vector<Colour> Fills(int line) {
    canvas.ops.clear();
    DrawTotalsLine(canvas, report, TotalsBandEnds(canvas, plan, report), line, 10, 40, 700, 14);
    std::vector<Colour> fills;
    for (const CanvasOp& op : canvas.ops)
      if (op.kind == CanvasOp::FillRect) fills.push_back(op.brush);
    return fills;
  }

  TotalsReport report;
  RecordingCanvas canvas{800, 600};
};

TEST_F(TotalsDrawingTest, BandsEndHalfALetterAfterEachHeading) {
  // Key "POL POD ", then the full, empty and total headings; without break
  // bulk its band has no width.
  EXPECT_EQ(TotalsBandEnds(canvas, plan, report), (std::array<int, 5>{8 * 6 + 3, 34 * 6 + 3, 49 * 6 + 3, 49 * 6 + 3,
                                                                      76 * 6 + 3}));
  report.breakBulk = true;
  report.title.insert(49, plan.Messages[14]);
  EXPECT_EQ(TotalsBandEnds(canvas, plan, report)[3], 63 * 6 + 3);
}

TEST_F(TotalsDrawingTest, DeepestGroupsLighterThanTheLevelsAbove) {
  // Lines: two headings, POL HAM/POD ANR (level 2), HAM/RTM (2), HAM (1), all (0).
  ASSERT_EQ(report.lines.size(), 6u);
  ASSERT_EQ(report.lines[2].level, 2);
  const auto& deep = kTotalsDeepBands;
  const auto& upper = kTotalsUpperBands;
  EXPECT_EQ(Fills(2), (std::vector<Colour>{kColourWhite, deep[0], deep[1], deep[2], deep[4]}));
  EXPECT_EQ(Fills(4), (std::vector<Colour>{kColourWhite, upper[0], upper[1], upper[2], upper[4]}));
  EXPECT_EQ(Fills(5), Fills(4)) << "the grand total is a level above the groups";
  EXPECT_EQ(Fills(1), std::vector<Colour>{kColourWhite}) << "headings stay white";
  EXPECT_EQ(upper[1], RgbColour(0xFF, 0xFF, 0x6F));

  // Rules at the left edge of bands 2 to 5, and the text one pixel in.
  Fills(3);
  std::vector<int> rules;
  for (const CanvasOp& op : canvas.ops)
    if (op.kind == CanvasOp::Line && op.x1 == op.x2) rules.push_back(op.x1);
  EXPECT_EQ(rules, (std::vector<int>{10 + 51, 10 + 207, 10 + 297, 10 + 297}));
  EXPECT_EQ(canvas.TextsOnPage(1), std::vector<std::string>{report.lines[3].text});
  Fills(1);
  ASSERT_EQ(canvas.ops.back().kind, CanvasOp::Line);
  EXPECT_EQ(canvas.ops.back().y1, 40 + 14 - 1) << "the column heading is underlined";
}

}  // namespace
}  // namespace plantest
