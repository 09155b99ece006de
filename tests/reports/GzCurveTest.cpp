#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/GzCurve.h"
#include "stability/Stability.h"

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 260;

// A box-like ship of 100 m on three hydrostatic rows and one cross-curve
// row: at 3000 t with KG 6 m, KM 8 m the levers rise to about 1.1 m near
// 35 degrees and fall to 0.25 m at 60 degrees.
class GzCurveTest : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> plan = CreatePlanData();
  std::unique_ptr<Stability> stability;

  void SetUp() override {
    plan->VesHdr[VesHdrIx::BaysLength] = "100";
    plan->VesHdr[14] = "20";
    stability = std::make_unique<Stability>(*plan);
    stability->SetItemNames({"Lightship", "Constant", "Containers", "Spare", "Fuel", "Diesel", "Fresh water",
                             "Ballast", "Lub oil", "Misc", "Correction", "Deadweight", "Displacement"});
    for (double draft : {2.0, 4.0, 6.0}) {
      HydRow row{};
      row[0] = draft;
      row[1] = draft * 1000 - 1000;
      row[2] = 8.0;
      row[8] = row[9] = 50.0;
      row[10] = 100.0;
      stability->Hyd.push_back(row);
    }
  }

  // Cross curves with the given angles (KN values from the list) and a
  // flooding angle column.
  void CrossCurves(const std::vector<int>& angles, const std::vector<double>& kn, double flooding) {
    CrossCurveTable& t = stability->CrossCurves;
    t.Names = {"T", "DISP"};
    for (int a : angles) t.Names.push_back("KN" + std::string(a < 10 ? "0" : "") + std::to_string(a));
    t.Names.push_back("FL_");
    for (double displacement : {1000.0, 5000.0}) {
      std::vector<double> row = {0, displacement};
      row.insert(row.end(), kn.begin(), kn.end());
      row.push_back(flooding);
      t.Rows.push_back(row);
    }
  }

  const StabilityResults& Compute(double weight = 3000) {
    stability->UpdateWeightItem(kLightshipItem, weight, 50.0, 6.0, 0.0, +1);
    stability->ComputeStability();
    return stability->Results;
  }

  const StabilityResults& Standard(double flooding = 45) {
    CrossCurves({10, 20, 30, 40, 50, 60}, {1.40, 2.80, 4.10, 5.00, 5.40, 5.45}, flooding);
    const StabilityResults& r = Compute();
    EXPECT_EQ(r.State, HydrostaticState::Current);
    EXPECT_TRUE(r.HasGzCurve);
    return r;
  }
};

std::vector<const CanvasOp*> Ops(const RecordingCanvas& c, CanvasOp::Kind kind, Colour pen) {
  std::vector<const CanvasOp*> found;
  for (const CanvasOp& op : c.ops)
    if (op.kind == kind && op.pen == pen) found.push_back(&op);
  return found;
}

const CanvasOp* CurveOp(const RecordingCanvas& c) {
  const auto curves = Ops(c, CanvasOp::Polyline, kGzCurveColour);
  return curves.size() == 1 ? curves.front() : nullptr;
}

bool HasTextContaining(const RecordingCanvas& c, const std::string& part) {
  return std::any_of(c.ops.begin(), c.ops.end(),
                     [&](const CanvasOp& op) { return op.kind == CanvasOp::Text && op.text.find(part) != std::string::npos; });
}

// Pixels back to degrees and metres.
double AngleAt(const GzCurveScale& s, int x) { return (x - s.Left) * s.MaxAngle / (s.Right - s.Left); }
double GzAt(const GzCurveScale& s, int y) {
  return s.BottomGz + (s.Bottom - y) * (s.TopGz - s.BottomGz) / (s.Bottom - s.Top);
}

TEST_F(GzCurveTest, CurvePassesThroughEveryTabulatedLeverFromTheOrigin) {
  const StabilityResults& r = Standard();
  RecordingCanvas canvas(kWidth, kHeight);
  DrawGzCurve(canvas, r, kWidth, kHeight);
  const GzCurveScale s = GzCurveLayout(canvas, r, kWidth, kHeight);
  ASSERT_TRUE(s.Valid);
  const CanvasOp* curve = CurveOp(canvas);
  ASSERT_NE(curve, nullptr);
  const auto& points = curve->points;

  EXPECT_EQ(points.front(), (CanvasPoint{s.X(0), s.Y(0)})) << "an upright ship has no lever";
  for (size_t i = 0; i < r.GzAngles.size(); ++i) {
    const CanvasPoint want{s.X(r.GzAngles[i]), s.Y(r.Gz[i])};
    const bool onCurve = std::any_of(points.begin(), points.end(), [&](const CanvasPoint& p) {
      return std::abs(p.x - want.x) <= 1 && std::abs(p.y - want.y) <= 1;
    });
    EXPECT_TRUE(onCurve) << "GZ " << r.Gz[i] << " at " << r.GzAngles[i] << " degrees";
  }
  EXPECT_EQ(points.back().x, s.X(r.GzAngles.back())) << "the curve ends with the table";
  for (size_t i = 1; i < points.size(); ++i) EXPECT_GT(points[i].x, points[i - 1].x) << "vertex " << i;
  // Everything drawn stays on the area, texts and marks included.
  for (const CanvasOp& op : canvas.ops) {
    for (const CanvasPoint& p : op.points) {
      EXPECT_TRUE(p.x >= 0 && p.x < kWidth && p.y >= 0 && p.y < kHeight) << p.x << "," << p.y;
    }
    if (op.kind == CanvasOp::Polyline || op.kind == CanvasOp::Polygon) continue;
    EXPECT_TRUE(op.x1 >= 0 && op.x2 <= kWidth && op.y1 >= 0 && op.y2 <= kHeight)
        << op.kind << " " << op.x1 << "," << op.y1 << " " << op.x2 << "," << op.y2 << " " << op.text;
  }
}

// Negative levers (a ship with too little stability) are drawn below the
// zero line, inside the area.
TEST_F(GzCurveTest, NegativeLeversFallBelowTheZeroLine) {
  CrossCurves({10, 20, 30, 40}, {0.80, 1.80, 2.90, 3.60}, 0);
  const StabilityResults& r = Compute();
  ASSERT_LT(r.Gz.back(), 0);
  RecordingCanvas canvas(kWidth, kHeight);
  DrawGzCurve(canvas, r, kWidth, kHeight);
  const GzCurveScale s = GzCurveLayout(canvas, r, kWidth, kHeight);
  const CanvasOp* curve = CurveOp(canvas);
  ASSERT_NE(curve, nullptr);
  EXPECT_LT(s.BottomGz, r.Gz.back());
  EXPECT_GT(curve->points.back().y, s.Y(0));
  EXPECT_LE(curve->points.back().y, s.Bottom);
}

// The GM' line leaves the origin with the slope GM' per radian; it reaches
// GM' at 57.3 degrees, or is cut where it leaves the area.
TEST_F(GzCurveTest, GmLineHasTheSlopeOfGmPerRadian) {
  struct Case {
    double gm;
    bool cut;
  };
  for (const Case c : {Case{1.0, false}, Case{0.3, false}, Case{6.0, true}, Case{-0.2, false}}) {
    SetUp();
    StabilityResults r = Standard();
    r.GMCorrected = c.gm;
    RecordingCanvas canvas(kWidth, kHeight);
    DrawGzCurve(canvas, r, kWidth, kHeight);
    const GzCurveScale s = GzCurveLayout(canvas, r, kWidth, kHeight);
    const auto lines = Ops(canvas, CanvasOp::Line, kGmLineColour);
    ASSERT_EQ(lines.size(), 1u) << "GM' " << c.gm;
    const CanvasOp& line = *lines.front();
    EXPECT_EQ(line.x1, s.X(0));
    EXPECT_EQ(line.y1, s.Y(0));
    const double angle = AngleAt(s, line.x2);
    const double gz = GzAt(s, line.y2);
    // A pixel's worth of either scale.
    const double pixelGz = (s.TopGz - s.BottomGz) / (s.Bottom - s.Top);
    const double pixelAngle = s.MaxAngle / (s.Right - s.Left);
    EXPECT_NEAR(gz / angle * 57.3, c.gm, 57.3 * (pixelGz + std::abs(c.gm / 57.3) * pixelAngle) / angle * 1.5)
        << "GM' " << c.gm;
    if (c.cut) {
      EXPECT_EQ(line.y2, s.Top) << "GM' " << c.gm;
      EXPECT_LT(angle, 57.3);
    } else {
      EXPECT_NEAR(angle, 57.3, pixelAngle) << "GM' " << c.gm;
    }
    EXPECT_TRUE(HasTextContaining(canvas, "GM' " + FormatFixed(c.gm, 2))) << "GM' " << c.gm;
  }
}

TEST_F(GzCurveTest, LevelsOfGz30AndOfTheMaximumWithTheirValues) {
  const StabilityResults& r = Standard();
  RecordingCanvas canvas(kWidth, kHeight);
  DrawGzCurve(canvas, r, kWidth, kHeight);
  const GzCurveScale s = GzCurveLayout(canvas, r, kWidth, kHeight);

  const auto at30 = Ops(canvas, CanvasOp::Line, kGz30Colour);
  ASSERT_FALSE(at30.empty());
  EXPECT_EQ(at30.front()->y1, s.Y(r.Gz30));
  EXPECT_EQ(at30.front()->y2, s.Y(r.Gz30));
  EXPECT_EQ(at30.front()->x2, s.X(30));
  EXPECT_TRUE(HasTextContaining(canvas, "GZ30 " + FormatFixed(r.Gz30, 2)));

  // The maximum level touches the drawn curve at its peak (a flat top may
  // span several vertices on the same pixel row).
  const auto max = Ops(canvas, CanvasOp::Line, kGzMaxColour);
  ASSERT_EQ(max.size(), 1u);
  const CanvasOp* curve = CurveOp(canvas);
  ASSERT_NE(curve, nullptr);
  const int top = std::min_element(curve->points.begin(), curve->points.end(), [](const CanvasPoint& a,
                                                                                  const CanvasPoint& b) {
                    return a.y < b.y;
                  })->y;
  EXPECT_NEAR(max.front()->y1, top, 1);
  EXPECT_TRUE(std::any_of(curve->points.begin(), curve->points.end(), [&](const CanvasPoint& p) {
    return std::abs(p.x - max.front()->x2) <= 1 && std::abs(p.y - top) <= 1;
  })) << "the level ends on the peak";
  EXPECT_GT(r.GzMaxAngle, 30);
  EXPECT_LT(r.GzMaxAngle, 50);
  EXPECT_TRUE(HasTextContaining(canvas, "GZmax " + FormatFixed(r.GzMax, 2)));
}

// Without a 30-degree column there is no GZ at 30 degrees to show (its
// value would read 0).
TEST_F(GzCurveTest, NoGz30LevelWithoutA30DegreeColumn) {
  CrossCurves({10, 20, 25, 40, 50}, {1.40, 2.80, 3.50, 5.00, 5.40}, 0);
  const StabilityResults& r = Compute();
  ASSERT_TRUE(r.HasGzCurve);
  RecordingCanvas canvas(kWidth, kHeight);
  DrawGzCurve(canvas, r, kWidth, kHeight);
  EXPECT_NE(CurveOp(canvas), nullptr);
  EXPECT_TRUE(Ops(canvas, CanvasOp::Line, kGz30Colour).empty());
  EXPECT_FALSE(HasTextContaining(canvas, "GZ30"));
}

TEST_F(GzCurveTest, FloodingAngleOnlyWithinTheTable) {
  struct Case {
    double flooding;
    bool shown;
  };
  for (const Case c : {Case{45, true}, Case{60, true}, Case{67.5, false}, Case{0, false}}) {
    SetUp();
    const StabilityResults& r = Standard(c.flooding);
    ASSERT_EQ(r.FloodingAngle, c.flooding);
    RecordingCanvas canvas(kWidth, kHeight);
    DrawGzCurve(canvas, r, kWidth, kHeight);
    const GzCurveScale s = GzCurveLayout(canvas, r, kWidth, kHeight);
    const auto marks = Ops(canvas, CanvasOp::Line, kFloodingColour);
    ASSERT_EQ(marks.size(), c.shown ? 1u : 0u) << "flooding angle " << c.flooding;
    if (!c.shown) continue;
    const CanvasOp& mark = *marks.front();
    EXPECT_EQ(mark.x1, s.X(c.flooding));
    EXPECT_EQ(mark.x2, mark.x1) << "a vertical line";
    EXPECT_EQ(mark.y1, s.Top);
    EXPECT_EQ(mark.y2, s.Bottom);
    EXPECT_TRUE(HasTextContaining(canvas, "flooding " + FormatFixed(c.flooding, 0)));
  }
}

// Beyond the hydrostatic table the levers still hold numbers (from the last
// cross-curve row), but they are not this condition's: no curve, line or
// level is drawn, and the area says why.
TEST_F(GzCurveTest, NothingPlottedUnlessTheResultsAreCurrent) {
  struct Case {
    const char* name;
    double weight;
    bool hydrostatics;
    bool crossCurves;
    const char* text;
  };
  for (const Case c : {Case{"beyond the table", 9000, true, true, "beyond the hydrostatic table"},
                       Case{"no hydrostatic table", 3000, false, true, "No hydrostatic table"},
                       Case{"no cross curves", 3000, true, false, "No cross curves"}}) {
    SetUp();
    if (!c.hydrostatics) stability->Hyd.resize(2);
    if (c.crossCurves) CrossCurves({10, 20, 30, 40, 50, 60}, {1.40, 2.80, 4.10, 5.00, 5.40, 5.45}, 45);
    const StabilityResults& r = Compute(c.weight);
    RecordingCanvas canvas(kWidth, kHeight);
    DrawGzCurve(canvas, r, kWidth, kHeight);
    EXPECT_FALSE(GzCurveLayout(canvas, r, kWidth, kHeight).Valid) << c.name;
    for (Colour colour : {kGzCurveColour, kGmLineColour, kGz30Colour, kGzMaxColour, kFloodingColour}) {
      EXPECT_TRUE(Ops(canvas, CanvasOp::Line, colour).empty()) << c.name;
      EXPECT_TRUE(Ops(canvas, CanvasOp::Polyline, colour).empty()) << c.name;
    }
    EXPECT_TRUE(HasTextContaining(canvas, c.text)) << c.name;
  }
  // The case that matters: the levers are there, and still not drawn.
  SetUp();
  CrossCurves({10, 20, 30}, {1.40, 2.80, 4.10}, 0);
  const StabilityResults& beyond = Compute(9000);
  EXPECT_EQ(beyond.State, HydrostaticState::OutsideTable);
  EXPECT_FALSE(beyond.Gz.empty());
}

TEST_F(GzCurveTest, TooSmallAnAreaDrawsNoCurve) {
  const StabilityResults& r = Standard();
  RecordingCanvas canvas(40, 30);
  DrawGzCurve(canvas, r, 40, 30);
  EXPECT_EQ(CurveOp(canvas), nullptr);
}

}  // namespace
