#include "reports/LongView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "RecordingCanvas.h"
#include "core/PlanData.h"
#include "stability/Stability.h"

namespace {

// A ship of 160 m over all and 150 m between perpendiculars (10 m of
// margin drawn at each end), the eye 100 m forward of the aft
// perpendicular. One bay 01 (in 40' bay 02): a 20'-only hold cell and two
// deck tiers 82 and 84, the deck cells holding a standard 40' unit under a
// high cube. Afloat at 8 m even keel.
//
// On deck: the lower unit's top is 20 m - half a standard height + a
// standard height = 21.295 m, the high cube on it adds its 2.896 m and the
// 0.02 m tier gap: 24.211 m; both end 6.096 m forward of the 40' centre at
// 137 m, at 143.096 m.
class LongViewTest : public testing::Test {
 protected:
  void SetUp() override {
    plan = CreatePlanData();
    plan->VesHdr[VesHdrIx::DrawingLength] = "160";
    plan->VesHdr[VesHdrIx::BaysLength] = "150";
    plan->VesHdr[VesHdrIx::LongViewLength] = "100";
    plan->VesHdr[VesHdrIx::LongViewHeight] = "40";
    plan->Dim[0] = 12192;
    plan->Dim[1] = 2438;
    plan->Dim[2] = 2591;
    plan->Dim[3] = 2896;
    plan->Dim[4] = 20;
    plan->BayCount = 1;
    plan->Bays[0].BAY = "01";
    plan->Bays[0].D40 = "02";
    AddCell("010002", 5, 2);
    AddCell("010082", 20, 0);
    AddCell("010084", 22.6, 0);
    Load(1, "DV");
    Load(2, "HC");
    results.AftDraft = results.ForeDraft = 8;
    results.LCG = 70;
    results.VCG = 10;
  }
  void AddCell(const char* name, double vcg, int restr) {
    StructCel& c = plan->Cells[static_cast<size_t>(plan->CellCount++)];
    c.CELL = name;
    c.BAYIX = 0;
    c.LCG = 140;
    c.LCG_40 = 137;
    c.VCG = vcg;
    c.RESTR = restr;
  }
  void Load(int cell, const char* type) {
    StructDat& u = plan->Cur()[static_cast<size_t>(cell)];
    u.CONTAINER = "ABCU123456" + std::to_string(cell);
    u.SIZ = "40";
    u.TYP = type;
    u.STATUS = 1;
  }

  std::unique_ptr<PlanData> plan;
  StabilityResults results;
};

TEST_F(LongViewTest, UnitsStackOnTheOneBelowAndHighCubesStandTaller) {
  const std::vector<LongViewBox> units = LongViewBoxes(*plan, true);
  ASSERT_EQ(units.size(), 2u);
  EXPECT_DOUBLE_EQ(units[0].bottom, 18704);
  EXPECT_DOUBLE_EQ(units[0].top, 21295);
  EXPECT_DOUBLE_EQ(units[1].bottom, 21295);
  EXPECT_DOUBLE_EQ(units[1].top, 24211);
  for (const LongViewBox& box : units) {
    EXPECT_TRUE(box.deck);
    EXPECT_DOUBLE_EQ(box.aft, 130904);
    EXPECT_DOUBLE_EQ(box.fore, 143096);
  }
  // The empty slots: the 20'-only hold cell at its own centre.
  const std::vector<LongViewBox> cells = LongViewBoxes(*plan, false);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_DOUBLE_EQ(cells[0].aft, 136952);
  EXPECT_DOUBLE_EQ(cells[0].fore, 143048);
  EXPECT_FALSE(cells[0].deck);
  EXPECT_DOUBLE_EQ(cells[2].top, 23906);  // standard height above 21.295 m, with the gap
}

// The blind distance by similar triangles: 32 m of eye over the water, a
// fall of (40 - 24.211) m over (143.096 - 100) m.
struct EyeCase {
  const char* name;
  const char* eyeHeight;
  bool found, blocked;
  double distance;  // m forward of the fore perpendicular
  const char* text;
  const char* warning;
};

class BlindZoneTest : public LongViewTest, public testing::WithParamInterface<EyeCase> {};

TEST_P(BlindZoneTest, CriticalUnitAndLimit) {
  const EyeCase& c = GetParam();
  plan->VesHdr[VesHdrIx::LongViewHeight] = c.eyeHeight;
  const BlindZone zone = FindBlindZone(*plan, results);
  EXPECT_EQ(zone.found, c.found);
  EXPECT_EQ(zone.blocked, c.blocked);
  EXPECT_EQ(zone.cell, 2);  // the high cube on top
  if (c.found) {
    EXPECT_NEAR(zone.distance, c.distance, 0.01);
  }
  EXPECT_EQ(BlindDistanceText(zone), c.text);
  EXPECT_EQ(BlindLimitText(zone), c.warning);
  // The drawing shows the same.
  RecordingCanvas canvas(1600, 400);
  DrawLongView(canvas, *plan, results, 1600, 400);
  const auto texts = canvas.TextsOnPage(1);
  if (*c.text) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), c.text), texts.end());
  }
  const bool warned = std::any_of(texts.begin(), texts.end(),
                                  [](const std::string& t) { return t.find("SOLAS V/22") != std::string::npos; });
  EXPECT_EQ(warned, *c.warning != '\0');
}

INSTANTIATE_TEST_SUITE_P(
    EyeHeights, BlindZoneTest,
    testing::Values(
        // 32 * 43.096 / 15.789 = 87.34 m forward of the eye.
        EyeCase{"High", "40", true, false, 37.34, "37 m", ""},
        // 18 * 43.096 / 1.789 = 433.61 m forward of the eye: over 300 m.
        EyeCase{"Low", "26", true, false, 383.61, "383 m",
                "Blind zone 383 m ahead of the bow exceeds the SOLAS V/22 limit of 300 m"},
        // The eye under the top of the stack.
        EyeCase{"Hidden", "24", false, true, 0, "",
                "No view of the sea ahead: SOLAS V/22 allows a blind zone of 300 m"}),
    [](const testing::TestParamInfo<EyeCase>& info) { return std::string(info.param.name); });

// At 1600 pixels for 170 m the scale is 1600 / 170000 pixels per millimetre;
// the base line lies one text line (9 pixels) above the bottom.
TEST_F(LongViewTest, DrawsWaterStacksAndSightLineInPlace) {
  RecordingCanvas canvas(1600, 400);
  DrawLongView(canvas, *plan, results, 1600, 400);
  auto has = [&](CanvasOp::Kind kind, int x1, int y1, int x2, int y2, auto colourOf, Colour colour) {
    return std::any_of(canvas.ops.begin(), canvas.ops.end(), [&](const CanvasOp& op) {
      return op.kind == kind && colourOf(op) == colour && std::abs(op.x1 - x1) <= 1 && std::abs(op.y1 - y1) <= 1 &&
             std::abs(op.x2 - x2) <= 1 && std::abs(op.y2 - y2) <= 1;
    });
  };
  auto pen = [](const CanvasOp& op) { return op.pen; };
  auto brush = [](const CanvasOp& op) { return op.brush; };
  // The waterline at 8 m: 75 pixels above the base line at 391.
  EXPECT_TRUE(has(CanvasOp::Line, 0, 316, 1600, 316, pen, kColourBlack));
  const auto water = std::find_if(canvas.ops.begin(), canvas.ops.end(), [](const CanvasOp& op) {
    return op.kind == CanvasOp::Polygon && op.brush == kLongViewWaterColour;
  });
  ASSERT_NE(water, canvas.ops.end());
  EXPECT_EQ(water->points, (std::vector<CanvasPoint>{{0, 316}, {1600, 316}, {1600, 391}, {0, 391}}));
  // The base line, the perpendiculars at 10 m and 160 m of the drawing.
  EXPECT_TRUE(has(CanvasOp::Line, 0, 391, 1600, 391, pen, kColourBlack));
  EXPECT_TRUE(has(CanvasOp::Line, 94, 9, 94, 391, pen, kColourBlack));
  EXPECT_TRUE(has(CanvasOp::Line, 1506, 9, 1506, 391, pen, kColourBlack));
  // The two units, 130.904 m to 143.096 m, from 18.704 m up to 24.211 m.
  EXPECT_TRUE(has(CanvasOp::FillRect, 1326, 191, 1441, 215, brush, kLongViewUnitColour));
  EXPECT_TRUE(has(CanvasOp::FillRect, 1326, 163, 1441, 191, brush, kLongViewUnitColour));
  // The sight line from the eye (100 m, 40 m) to the water 187.34 m from
  // the aft perpendicular, beyond the picture's edge.
  EXPECT_TRUE(has(CanvasOp::Line, 1035, 15, 1857, 316, pen, kLongViewSightColour));
  const auto texts = canvas.TextsOnPage(1);
  for (const char* text : {"01", "02", "AP", "FP", "BL", "8.00", "37 m"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  const auto fortyBay = std::find_if(canvas.ops.begin(), canvas.ops.end(),
                                     [](const CanvasOp& op) { return op.kind == CanvasOp::Text && op.text == "02"; });
  EXPECT_EQ(fortyBay->font.colour, kLongView40BayColour);
}

TEST_F(LongViewTest, NoSightLineWithoutDeckCargoForwardOfTheEye) {
  plan->VesHdr[VesHdrIx::LongViewLength] = "145";
  RecordingCanvas canvas(1600, 400);
  DrawLongView(canvas, *plan, results, 1600, 400);
  EXPECT_FALSE(FindBlindZone(*plan, results).found);
  EXPECT_TRUE(std::none_of(canvas.ops.begin(), canvas.ops.end(), [](const CanvasOp& op) {
    return op.kind == CanvasOp::Line && op.pen == kLongViewSightColour;
  }));
}

TEST_F(LongViewTest, HeightFollowsWidthUpToTheEye) {
  RecordingCanvas canvas(1600, 400);
  // 9 pixels of text + (40 m + a standard height) * 1600 / 170000 + 2.
  EXPECT_EQ(LongViewHeightForWidth(canvas, *plan, 1600), 9 + 401 + 2);
  // An eye under the highest cell: three standard heights above that cell.
  plan->VesHdr[VesHdrIx::LongViewHeight] = "20";
  EXPECT_EQ(LongViewHeightForWidth(canvas, *plan, 1600), 9 + 286 + 2);  // (7.773 + 22.6) m
}

struct DimensionCase {
  const char* overall;
  const char* length;
  const char* eyeX;
  const char* eyeZ;
  LongViewShip expected;
  const char* writtenX;
  const char* writtenZ;
};

class LongViewDimensionsTest : public LongViewTest, public testing::WithParamInterface<DimensionCase> {};

TEST_P(LongViewDimensionsTest, DefaultsForWhatTheHeaderLacks) {
  const DimensionCase& c = GetParam();
  plan->VesHdr[VesHdrIx::DrawingLength] = c.overall;
  plan->VesHdr[VesHdrIx::BaysLength] = c.length;
  plan->VesHdr[VesHdrIx::LongViewLength] = c.eyeX;
  plan->VesHdr[VesHdrIx::LongViewHeight] = c.eyeZ;
  const LongViewShip ship = LongViewDimensions(*plan);
  EXPECT_DOUBLE_EQ(ship.overall, c.expected.overall);
  EXPECT_DOUBLE_EQ(ship.length, c.expected.length);
  EXPECT_DOUBLE_EQ(ship.eyeX, c.expected.eyeX);
  EXPECT_DOUBLE_EQ(ship.eyeZ, c.expected.eyeZ);
  ApplyEyeDefaults(*plan);
  EXPECT_EQ(plan->VesHdr[VesHdrIx::LongViewLength], c.writtenX);
  EXPECT_EQ(plan->VesHdr[VesHdrIx::LongViewHeight], c.writtenZ);
}

INSTANTIATE_TEST_SUITE_P(Header, LongViewDimensionsTest,
                         testing::Values(DimensionCase{"160", "150", "100", "40", {160, 150, 100, 40}, "100", "40"},
                                         DimensionCase{"5", "", "", "", {150, 135, 40, 40}, "40", "40"},
                                         DimensionCase{"200", "90", "9.9", "0.5", {200, 185, 40, 40}, "40", "40"},
                                         DimensionCase{"120", "110", "10", "1", {120, 110, 10, 1}, "10", "1"}));

}  // namespace
