// The "Stresses" picture on the recording canvas, for three sections whose
// values and limits are set by hand, so that every place is known in
// advance: LOA 120 m and LBP 100 m on 1400 pixels give 10 pixels a metre
// with the AP at x = 200; the 8-point text line of the recording canvas is
// 9 pixels, so the base line stands at 600 / 2 + 9 = 309 and a full scale
// value 600 / 2 - 3 * 9 = 273 pixels above it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../stability/BoxBargeStrength.h"
#include "RecordingCanvas.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "reports/StrengthDrawing.h"
#include "stability/Stability.h"
#include "stability/Strength.h"

namespace {

constexpr int kWidth = 1400;
constexpr int kHeight = 600;
constexpr double kLoa = 120;
constexpr double kLbp = 100;

class StrengthDrawingTest : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> plan = CreatePlanData();
  std::unique_ptr<Stability> stability = std::make_unique<Stability>(*plan);
  Strength& strength = stability->strength();
  RecordingCanvas canvas{kWidth, kHeight};

  // Sections at 0, 50 and 100 m with the same limits: shear +-1000 t,
  // bending +-50000 tm, torsion 5000 tm; drawn to full scales of 2000 t,
  // 100000 tm and 10000 tm. In the middle the bending (60000 tm, 120 %)
  // passes its limit; shear 500 t (25 %) and torsion -2500 tm (-50 %) stay
  // inside theirs.
  void SetUp() override {
    std::string reason;
    ASSERT_TRUE(strength.ParseStrengthLines(SplitTextLines(box::StrText()), reason)) << reason;
    strength.Limits.clear();
    Strength::LimitLine line;
    line.Values = {0, 0, 0, 2000, 0, 100000, 0, 1000, 1000, 50000, 50000, 10000};
    strength.Limits.push_back(line);
    strength.Sections.clear();
    const int frames[] = {0, 10, 20};
    for (int k = 0; k < 3; ++k) {
      Strength::Section s;
      s.X = 50.0 * k;
      s.Frame = frames[k];
      s.HasLimits = true;
      s.AllowedShearPositive = s.AllowedShearNegative = 1000;
      s.AllowedBendingPositive = s.AllowedBendingNegative = 50000;
      s.AllowedTorsion = 5000;
      strength.Sections.push_back(s);
    }
    Strength::Section& middle = strength.Sections[1];
    middle.Shear = 500;
    middle.Bending = 60000;
    middle.Torsion = -2500;
    middle.ShearPercent = 25;
    middle.BendingPercent = 120;
    middle.TorsionPercent = -50;
    // Weight 20 t/m and buoyancy 10 t/m over the aft strip, the reverse forward.
    middle.StripWeight = 1000;
    middle.StripBuoyancy = 500;
    strength.Sections[2].StripWeight = 500;
    strength.Sections[2].StripBuoyancy = 1000;
    strength.Result.State = StrengthState::Current;
  }

  std::vector<const CanvasOp*> Ops(CanvasOp::Kind kind) const {
    std::vector<const CanvasOp*> found;
    for (const CanvasOp& op : canvas.ops)
      if (op.kind == kind) found.push_back(&op);
    return found;
  }

  const CanvasOp* Curve(Colour colour) const {
    for (const CanvasOp* op : Ops(CanvasOp::Polyline))
      if (op->pen == colour) return op;
    return nullptr;
  }

  const CanvasOp* TextOp(const std::string& text) const {
    for (const CanvasOp* op : Ops(CanvasOp::Text))
      if (op->text == text) return op;
    return nullptr;
  }
};

TEST_F(StrengthDrawingTest, CurvesStandAtTheirValuesAlongTheShip) {
  DrawStrength(canvas, strength, kLoa, kLbp, kWidth, kHeight);
  struct Case {
    Colour colour;
    int middleY;  // 309 - value / scale * 273
  };
  const Case cases[] = {
      {kShearColour, 241},    // 500 / 2000 * 273 = 68.25
      {kBendingColour, 145},  // 60000 / 100000 * 273 = 163.8
      {kTorsionColour, 377},  // -2500 / 10000 * 273 = -68.25
  };
  for (const Case& c : cases) {
    const CanvasOp* curve = Curve(c.colour);
    ASSERT_NE(curve, nullptr);
    const std::vector<CanvasPoint> expected = {{200, 309}, {700, c.middleY}, {1200, 309}};
    EXPECT_EQ(curve->points, expected);
  }
}

TEST_F(StrengthDrawingTest, LimitLinesInTheCurvesColoursAndRedWherePassed) {
  DrawStrength(canvas, strength, kLoa, kLbp, kWidth, kHeight);
  // Every limit is half its full scale: 136.5 pixels, 137 rounded, from the
  // base line, at 172 above and 446 below.
  auto pensAt = [&](int y) {
    std::vector<Colour> pens;
    for (const CanvasOp* op : Ops(CanvasOp::Line))
      if (op->y1 == y && op->y2 == y && op->x1 == 200 && op->x2 == 700) pens.push_back(op->pen);
    std::sort(pens.begin(), pens.end());
    return pens;
  };
  std::vector<Colour> above = {kShearColour, kTorsionColour, kBeyondLimitColour};
  std::vector<Colour> below = {kBendingColour, kShearColour, kTorsionColour};
  std::sort(above.begin(), above.end());
  std::sort(below.begin(), below.end());
  EXPECT_EQ(pensAt(172), above);
  EXPECT_EQ(pensAt(446), below);
}

TEST_F(StrengthDrawingTest, BarsSectionLinesAndTexts) {
  DrawStrength(canvas, strength, kLoa, kLbp, kWidth, kHeight);
  // Bars: the tallest load (20 t/m) is half of 273 pixels, 136.
  auto hasFill = [&](int x1, int y1, int x2, int y2, Colour brush) {
    for (const CanvasOp* op : Ops(CanvasOp::FillRect))
      if (op->x1 == x1 && op->y1 == y1 && op->x2 == x2 && op->y2 == y2 && op->brush == brush) return true;
    return false;
  };
  EXPECT_TRUE(hasFill(200, 173, 700, 309, kStrengthWeightColour));
  EXPECT_TRUE(hasFill(200, 309, 700, 377, kStrengthBuoyancyColour));
  EXPECT_TRUE(hasFill(700, 241, 1200, 309, kStrengthWeightColour));
  EXPECT_TRUE(hasFill(700, 309, 1200, 445, kStrengthBuoyancyColour));

  // Silver lines at AP, frame 10 and FP, with their names below.
  for (int x : {200, 700, 1200}) {
    const auto lines = Ops(CanvasOp::Line);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [x](const CanvasOp* op) {
      return op->x1 == x && op->x2 == x && op->pen == kSectionLineColour;
    })) << x;
  }
  for (const char* name : {"AP", "10", "FP"}) {
    const CanvasOp* op = TextOp(name);
    ASSERT_NE(op, nullptr) << name;
    EXPECT_EQ(op->y1, kHeight - 9) << name;
  }

  // Percentages over the middle section: bending on the top line, white on
  // red as it passes 100; shear and torsion one and two lines lower.
  struct Percent {
    const char* text;
    int y;
    Colour colour;
  };
  for (const Percent& p : {Percent{"120", 0, kColourWhite}, Percent{"25", 9, kColourBlack},
                           Percent{"-50", 18, kColourBlack}}) {
    const CanvasOp* op = TextOp(p.text);
    ASSERT_NE(op, nullptr) << p.text;
    EXPECT_EQ(op->y1, p.y) << p.text;
    EXPECT_EQ(op->font.colour, p.colour) << p.text;
    EXPECT_NEAR(op->x1 + canvas.TextWidth(p.text) / 2, 700, 1) << p.text;
  }
  const auto fills = Ops(CanvasOp::FillRect);
  EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [](const CanvasOp* op) {
    return op->brush == kBeyondLimitColour && op->y1 == 0 && op->x1 < 700 && op->x2 > 700;
  }));
  // The first and last sections show no percentage: they are 0.
  EXPECT_EQ(TextOp("0"), nullptr);

  struct Label {
    const char* text;
    int y;
    Colour colour;
  };
  for (const Label& l :
       {Label{"Bending", 0, kBendingColour}, Label{"Shear", 9, kShearColour}, Label{"Torsion", 18, kTorsionColour}}) {
    const CanvasOp* op = TextOp(l.text);
    ASSERT_NE(op, nullptr) << l.text;
    EXPECT_EQ(op->y1, l.y);
    EXPECT_EQ(op->font.colour, l.colour);
  }
}

TEST_F(StrengthDrawingTest, WithoutStrengthDataOnlySaysSo) {
  Strength empty(*plan, *stability);
  DrawStrength(canvas, empty, kLoa, kLbp, kWidth, kHeight);
  EXPECT_TRUE(Ops(CanvasOp::Polyline).empty());
  ASSERT_NE(TextOp("No strength data"), nullptr);
}

}  // namespace
