#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "Hull.h"
#include "Hydrostatics.h"
#include "TableWriter.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "stability/Stability.h"

namespace {

// A deep box barge, wall-sided up to 45 degrees at a draft of 10 m.
constexpr double kL = 100;
constexpr double kB = 20;
constexpr double kD = 20;
constexpr double kRad = std::numbers::pi / 180;

double BoxDisplacement(double t) { return kL * kB * t * 1.025; }
double BoxKm(double t) { return t / 2 + kB * kB / (12 * t); }

void ExpectRelative(double actual, double expected, double fraction, const std::string& what) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * fraction) << what;
}

class BargeTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = std::make_unique<TempDir>();
    const Hull hull = BoxBarge(kL, kB, kD, 40, 20);
    std::vector<HydrostaticRow> hyd;
    for (int t = 1; t <= 19; ++t) hyd.push_back(HydrostaticRowAt(hull, t));
    std::vector<CrossCurveRow> rle;
    for (int t = 8; t <= 12; ++t) rle.push_back(CrossCurveRowAt(hull, t, HullPoint{50, 9, 21}));
    flooding10 = rle[2].FloodingAngle;
    std::string error;
    // Names in another case than the reader asks for.
    ASSERT_TRUE(WriteHyd(dir->path() / "Hyd.TXT", hyd, error)) << error;
    ASSERT_TRUE(WriteRle(dir->path() / "rle.txt", rle, error)) << error;
  }
  static void TearDownTestSuite() { dir.reset(); }

  void SetUp() override {
    plan->VesHdr[VesHdrIx::BaysLength] = "100";
    plan->VesHdr[14] = "20";
    std::string error;
    ASSERT_TRUE(stab.LoadTables(dir->path(), error)) << error;
    ASSERT_EQ(stab.Hyd.size(), 19u);
    ASSERT_EQ(stab.CrossCurves.Rows.size(), 5u);
  }

  // The ship's whole weight as lightship plus a container load.
  void Load(double w, double lcg, double vcg, double tcg, double fsm = 0) {
    stab.ClearWeightItems(0, kMaxWeightItems - 1);
    stab.UpdateWeightItem(kLightshipItem, w * 0.75, lcg, vcg, tcg, +1, fsm);
    stab.UpdateWeightItem(kContainersItem, w * 0.25, lcg, vcg, tcg, +1);
    stab.ComputeStability();
  }

  static inline std::unique_ptr<TempDir> dir;
  static inline double flooding10 = 0;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
  const StabilityResults& r = stab.Results;
};

TEST_F(BargeTables, EvenKeelBargeFloatsAtItsDraft) {
  Load(BoxDisplacement(10), 50, 6, 0);
  ASSERT_EQ(r.State, HydrostaticState::Current);
  EXPECT_NEAR(r.T, 10, 1e-6);
  EXPECT_NEAR(r.Trim, 0, 1e-6);
  EXPECT_DOUBLE_EQ(r.ForeDraft, 10.005);
  EXPECT_DOUBLE_EQ(r.AftDraft, 10.005);
  EXPECT_DOUBLE_EQ(r.MeanDraft, 10.005);
  EXPECT_DOUBLE_EQ(r.AftMarksDraft, 10.005);
  EXPECT_NEAR(r.KM, BoxKm(10), 0.002);
  EXPECT_NEAR(r.GM, r.KM - 6, 1e-9);
  EXPECT_NEAR(r.Heel, 0, 1e-9);
  EXPECT_NEAR(r.RollingPeriod, 0.85 * kB / std::sqrt(r.GM), 1e-9);
  // The derived items: deadweight (items 1 to n-3) and displacement.
  EXPECT_NEAR(stab.Items[18].Tonnes(), BoxDisplacement(10) * 0.25, 0.001);
  EXPECT_NEAR(stab.Items[19].Tonnes(), BoxDisplacement(10), 0.001);
  EXPECT_NEAR(stab.Items[19].Lcg(), 50, 1e-6);
}

TEST_F(BargeTables, TransverseCentreAndFreeSurface) {
  const double w = BoxDisplacement(10);
  Load(w, 50, 6, 0.2, w * 0.15);  // free-surface moment lifting G by 0.15 m
  ASSERT_EQ(r.State, HydrostaticState::Current);
  EXPECT_NEAR(r.KGCorrected, 6.15, 1e-6);
  EXPECT_NEAR(r.GMCorrected, r.GM - 0.15, 1e-6);
  EXPECT_NEAR(r.FreeSurfaceCorrection, -0.15, 1e-6);
  EXPECT_NEAR(r.Heel, std::atan(0.2 / r.GM) / kRad, 1e-9);
  EXPECT_GT(r.Heel, 0);
}

TEST_F(BargeTables, LcgForwardOfBuoyancyTrimsByTheHead) {
  struct Case {
    double lcg;
    double t;
  };
  for (const Case c : {Case{49, 10}, Case{51, 10}, Case{48, 6}}) {
    Load(BoxDisplacement(c.t), c.lcg, 6, 0);
    ASSERT_EQ(r.State, HydrostaticState::Current);
    // Box: trim = (LCB - LCG)·L / BM_L with BM_L = L²/(12T).
    const double trim = (50 - c.lcg) * 12 * c.t / kL;
    ExpectRelative(r.Trim, trim, 0.01, "trim at LCG " + std::to_string(c.lcg));
    EXPECT_NEAR(r.AftDraft, c.t + trim / 2, 0.006 + 0.01 * std::abs(trim));
    EXPECT_NEAR(r.ForeDraft, c.t - trim / 2, 0.006 + 0.01 * std::abs(trim));
    EXPECT_NEAR(r.AftDraft - r.ForeDraft, trim, 0.011 + 0.01 * std::abs(trim));
  }
}

TEST_F(BargeTables, DisplacementBeyondTheTableIsFlagged) {
  Load(BoxDisplacement(10), 50, 6, 0);
  ASSERT_EQ(r.State, HydrostaticState::Current);
  Load(BoxDisplacement(19.5), 50, 6, 0);
  EXPECT_EQ(r.State, HydrostaticState::OutsideTable);
  EXPECT_NEAR(r.W, BoxDisplacement(19.5), 0.001);  // the sums themselves are current
  Load(BoxDisplacement(12), 50, 6, 0);
  EXPECT_EQ(r.State, HydrostaticState::Current);
  EXPECT_DOUBLE_EQ(r.MeanDraft, 12.005);
}

TEST_F(BargeTables, FreshWaterLooksUpTheSeaWaterDisplacement) {
  plan->LoadLineZone = 0;
  stab.SelectLoadLine(-1);  // back from Summer: Fresh Water
  EXPECT_EQ(plan->LoadLineZone, 4);
  EXPECT_STREQ(LoadLineName(plan->LoadLineZone), "Fresh Water");
  EXPECT_DOUBLE_EQ(plan->SeaDensity, 1.000);
  Load(kL * kB * 10 * 1.000, 50, 6, 0);  // 10 m of fresh water displaced
  EXPECT_NEAR(r.TableDisplacement, BoxDisplacement(10), 1e-6);
  EXPECT_DOUBLE_EQ(r.MeanDraft, 10.005);
  stab.SelectLoadLine(+1);
  EXPECT_EQ(plan->LoadLineZone, 0);
  EXPECT_DOUBLE_EQ(plan->SeaDensity, 1.025);
}

TEST_F(BargeTables, LoadLinesFromSummerDraft) {
  plan->VesHdr[17] = "10";
  plan->VesHdr[18] = "20500";
  stab.ComputeLoadLines();
  const double tpc = kL * kB * 1.025 / 100;
  EXPECT_DOUBLE_EQ(stab.LoadLines[0], 10);
  EXPECT_NEAR(stab.LoadLines[1], 10 - 10.0 / 48, 1e-9);
  EXPECT_NEAR(stab.LoadLines[2], 10 - 10.0 / 48 - 0.05, 1e-9);
  EXPECT_NEAR(stab.LoadLines[3], 10 + 10.0 / 48, 1e-9);
  EXPECT_NEAR(stab.LoadLines[4], 10 + 20500 / (4 * tpc) * 0.001, 1e-4);
}

// Wall-sided formula: GZ = sin θ (GM + BM/2 · tan²θ).
double WallSidedGz(double gm, double bm, double deg) {
  const double t = std::tan(deg * kRad);
  return std::sin(deg * kRad) * (gm + bm / 2 * t * t);
}

double WallSidedArea(double gm, double bm, double from, double to) {
  const int n = 2000;  // Simpson
  const double h = (to - from) / n;
  double s = WallSidedGz(gm, bm, from) + WallSidedGz(gm, bm, to);
  for (int i = 1; i < n; ++i) s += (i % 2 ? 4 : 2) * WallSidedGz(gm, bm, from + i * h);
  return s * h / 3 * kRad;
}

TEST_F(BargeTables, GzCurveOfWallSidedBargeMatchesFormula) {
  Load(BoxDisplacement(10), 50, 6, 0);
  ASSERT_TRUE(r.HasGzCurve);
  const double bm = kB * kB / (12 * 10.0);
  const double gm = BoxKm(10) - 6;
  ExpectRelative(r.Gz30, WallSidedGz(gm, bm, 30), 0.01, "GZ 30");
  ExpectRelative(r.Area30, WallSidedArea(gm, bm, 0, 30), 0.01, "area 0-30");
  ExpectRelative(r.Area40, WallSidedArea(gm, bm, 0, 40), 0.01, "area 0-40");
  ExpectRelative(r.Area30To40, WallSidedArea(gm, bm, 30, 40), 0.01, "area 30-40");
  EXPECT_GE(r.GzMax, r.Gz30);
  EXPECT_GT(r.GzMaxAngle, 40);
  EXPECT_NEAR(r.FloodingAngle, flooding10, 0.05);
  EXPECT_GT(r.FloodingAngle, 45);
}

// The box's heeled section worked out exactly, as a polygon: the rectangle
// cut by the waterline, the waterline moved until the cut holds the upright
// area. Returns KN, the horizontal distance from the keel to the line of
// buoyancy, for any heel (deck edge in the water or not).
double ExactBoxKn(double draft, double deg) {
  const double s = std::sin(deg * kRad), c = std::cos(deg * kRad);
  struct P {
    double y, z;
  };
  auto cut = [&](double level) {
    // Points below the waterline: z cos - y sin < level (heel to starboard).
    const std::vector<P> box{{-kB / 2, 0}, {kB / 2, 0}, {kB / 2, kD}, {-kB / 2, kD}};
    std::vector<P> wet;
    for (size_t i = 0; i < box.size(); ++i) {
      const P a = box[i], b = box[(i + 1) % box.size()];
      const double ha = a.z * c - a.y * s - level, hb = b.z * c - b.y * s - level;
      if (ha <= 0) wet.push_back(a);
      if ((ha < 0) != (hb < 0)) {
        const double t = ha / (ha - hb);
        wet.push_back({a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)});
      }
    }
    return wet;
  };
  auto areaAndCentre = [](const std::vector<P>& poly, double& y, double& z) {
    double area = 0, my = 0, mz = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
      const P a = poly[i], b = poly[(i + 1) % poly.size()];
      const double cross = a.y * b.z - b.y * a.z;
      area += cross / 2;
      my += (a.y + b.y) * cross / 6;
      mz += (a.z + b.z) * cross / 6;
    }
    y = area != 0 ? my / area : 0;
    z = area != 0 ? mz / area : 0;
    return area;
  };
  double low = -kB, high = kB + kD, y = 0, z = 0;
  for (int i = 0; i < 200; ++i) {
    const double mid = (low + high) / 2;
    (areaAndCentre(cut(mid), y, z) < kB * draft ? low : high) = mid;
  }
  areaAndCentre(cut((low + high) / 2), y, z);
  return y * c + z * s;
}

// GZ within 1 cm at every angle of the table from 10 to 60 degrees, past the
// deck edge's immersion at 45 degrees too, and the areas within 0.001 m·rad
// of the exact integral (the wall-sided formula holds to 45 degrees).
TEST_F(BargeTables, GzAndAreasAreExact) {
  const double kg = 6;
  Load(BoxDisplacement(10), 50, kg, 0);
  ASSERT_TRUE(r.HasGzCurve);
  const double bm = kB * kB / (12 * 10.0);
  const double gm = BoxKm(10) - kg;
  int checked = 0;
  for (size_t k = 0; k < r.GzAngles.size(); ++k) {
    const double deg = r.GzAngles[k];
    if (deg < 10 || deg > 60) continue;
    const double exact = ExactBoxKn(10, deg) - kg * std::sin(deg * kRad);
    EXPECT_NEAR(r.Gz[k], exact, 0.01) << deg << " degrees";
    if (deg <= 45) {
      EXPECT_NEAR(exact, WallSidedGz(gm, bm, deg), 1e-9) << "the two exact forms agree at " << deg;
    }
    ++checked;
  }
  EXPECT_GE(checked, 8);
  EXPECT_NEAR(r.Area30, WallSidedArea(gm, bm, 0, 30), 0.001);
  EXPECT_NEAR(r.Area40, WallSidedArea(gm, bm, 0, 40), 0.001);
  EXPECT_NEAR(r.Area30To40, WallSidedArea(gm, bm, 30, 40), 0.001);
}

// The areas of the criteria end at the flooding angle when it comes before
// 40 degrees, also between whole degrees; the report says where they end,
// and a ship flooding before 30 degrees has no area beyond 30 degrees.
TEST_F(BargeTables, AreasEndAtTheFloodingAngle) {
  size_t column = 0;
  for (size_t c = 0; c < stab.CrossCurves.Names.size(); ++c)
    if (stab.CrossCurves.Names[c].rfind("FL_", 0) == 0) column = c;
  ASSERT_GT(column, 0u);
  plan->Lim = {0.15, 0.055, 0.09, 0.03, 0.2, 25};
  plan->Messages[76] = "Area 0-40";
  const double bm = kB * kB / (12 * 10.0);
  const double gm = BoxKm(10) - 6;
  struct Case {
    double flooding, upper;
    bool area30To40Met;
    const char* reportEnd;
  };
  for (const Case c : {Case{0, 40, true, "(rad*m)"}, Case{45, 40, true, "(rad*m)"},
                       Case{35.5, 35.5, true, "(rad*m) to the flooding angle 35.5\xB0"},
                       Case{25, 25, false, "(rad*m) to the flooding angle 25.0\xB0"}}) {
    SCOPED_TRACE(c.flooding);
    for (auto& row : stab.CrossCurves.Rows) row[column] = c.flooding;
    Load(BoxDisplacement(10), 50, 6, 0);
    ASSERT_TRUE(r.HasGzCurve);
    EXPECT_DOUBLE_EQ(r.AreaUpperAngle, c.upper);
    EXPECT_NEAR(r.Area30, WallSidedArea(gm, bm, 0, 30), 0.001);
    EXPECT_NEAR(r.Area40, WallSidedArea(gm, bm, 0, c.upper), 0.001);
    EXPECT_NEAR(r.Area30To40, c.upper > 30 ? WallSidedArea(gm, bm, 30, c.upper) : 0.0, 0.001);
    const std::vector<CriterionVerdict> verdicts = JudgeCriteria(r, plan->Lim);
    ASSERT_EQ(verdicts.size(), 6u);
    EXPECT_STREQ(verdicts[3].Key, "area_30_40");
    EXPECT_EQ(verdicts[3].Met, c.area30To40Met);
    std::vector<std::string> lines;
    stab.StabilityReport(lines);
    const auto area40 = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.rfind("   Area 0-40", 0) == 0; });
    ASSERT_NE(area40, lines.end());
    EXPECT_TRUE(area40->ends_with(c.reportEnd)) << *area40;
    const bool area3040Flagged = (area40 + 1)->find("not met: limit 0.030") != std::string::npos;
    EXPECT_EQ(area3040Flagged, !c.area30To40Met) << *(area40 + 1);
  }
}

TEST_F(BargeTables, NoHydrostaticsWithTwoRowsOrFewer) {
  stab.Hyd.resize(2);
  Load(BoxDisplacement(1.5), 50, 6, 0);
  EXPECT_EQ(r.State, HydrostaticState::NoTable);
  EXPECT_DOUBLE_EQ(r.MeanDraft, 7.0);
}

TEST(DraftRounding, CutsToCentimetreAndAddsHalf) {
  struct Case {
    double in, out;
  };
  for (const Case c : {Case{7.2345, 7.235}, Case{7.239, 7.235}, Case{10.0, 10.005}, Case{9.9999999999, 10.005},
                       Case{0, 0.005}}) {
    EXPECT_DOUBLE_EQ(DraftToHalfCentimetre(c.in), c.out) << c.in;
  }
}

TEST(HydrostaticTableText, CommaDecimalsAndEmptyKmAdditions) {
  TempDir dir;
  // KM addition at trim 0 empty (0 by its nature), at 2 m empty (repeats 1 m).
  std::string text;
  for (int i = 0; i < 100; ++i) {
    text += std::to_string(i + 1) + ",5;" + std::to_string(1000 * (i + 1)) + ";9,25;;0,012;;0,03;;50;49,5;200;;;;;\r\n";
  }
  dir.Write("HYD.txt", text);
  std::vector<HydRow> rows;
  std::string error;
  ASSERT_TRUE(ReadHydTable(dir.path() / "HYD.txt", rows, error)) << error;
  ASSERT_EQ(rows.size(), 99u);  // at most 99 rows
  EXPECT_DOUBLE_EQ(rows[0][0], 1.5);
  EXPECT_DOUBLE_EQ(rows[0][2], 9.25);
  EXPECT_DOUBLE_EQ(rows[0][3], 0);  // not KM copied in
  EXPECT_DOUBLE_EQ(rows[0][4], 0.012);
  EXPECT_DOUBLE_EQ(rows[0][5], 0.012);
  EXPECT_DOUBLE_EQ(rows[0][6], 0.03);
  EXPECT_DOUBLE_EQ(rows[0][9], 49.5);

  EXPECT_FALSE(ReadHydTable(dir.path() / "missing.txt", rows, error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
}

// A small exact table: MTC 0 and an empty ship must not divide by zero.
TEST(HydrostaticGuards, ZeroMtcAndEmptyShip) {
  auto plan = CreatePlanData();
  plan->VesHdr[VesHdrIx::BaysLength] = "100";
  Stability stab{*plan};
  stab.Hyd = {HydRow{1, 1000, 9, 0, 0, 0, 0, 0, 50, 50, 0}, HydRow{2, 2000, 8, 0, 0, 0, 0, 0, 50, 50, 0},
              HydRow{3, 3000, 7, 0, 0, 0, 0, 0, 50, 50, 0}};
  stab.UpdateWeightItem(kLightshipItem, 1500, 40, 5, 0, +1);
  stab.ComputeStability();
  const StabilityResults& r = stab.Results;
  ASSERT_EQ(r.State, HydrostaticState::Current);
  EXPECT_DOUBLE_EQ(r.Trim, 0);
  EXPECT_DOUBLE_EQ(r.T, 1.5);
  EXPECT_DOUBLE_EQ(r.ForeDraft, 1.5);
  EXPECT_DOUBLE_EQ(r.KM, 8.5);
  EXPECT_DOUBLE_EQ(r.GM, 3.5);

  stab.ClearWeightItems(0, kMaxWeightItems - 1);
  stab.ComputeStability();
  EXPECT_EQ(r.State, HydrostaticState::Current);  // below the table: the first row
  EXPECT_DOUBLE_EQ(r.T, 1);
  for (double v : {r.LCG, r.VCG, r.TCG, r.KGCorrected, r.Trim, r.GM, r.Heel, r.RollingPeriod}) {
    EXPECT_TRUE(std::isfinite(v));
  }

  // Negative GM: no rolling period, the heel stops at 90 degrees.
  stab.UpdateWeightItem(kLightshipItem, 1500, 50, 12, 0.5, +1);
  stab.ComputeStability();
  EXPECT_LT(r.GM, 0);
  EXPECT_DOUBLE_EQ(r.RollingPeriod, 0);
  EXPECT_DOUBLE_EQ(r.Heel, 90);
}

// Three rows alike but for draft and displacement, so that the row at 2000 t
// is exact: KM 8, KM additions at trims by the stern of 0, 1, 2 and 3 m, LCB
// 50, LCF lcf, MTC 100 t·m/cm, and the changes of the aft and fore drafts per
// metre of (LCB - LCG).
void SmallTable(PlanData& plan, Stability& stab, double lcf) {
  plan.VesHdr[VesHdrIx::BaysLength] = "100";
  for (int i = 1; i <= 3; ++i)
    stab.Hyd.push_back(HydRow{double(i), 1000.0 * i, 8, 0.01, 0.05, 0.13, 0.25, 0, 50, lcf, 100, 0.1, -0.12});
}

// Trim = (LCB - LCG)·Δ / (100·MTC) = (50 - LCG) / 5 m, by the stern when
// positive. Below 3 m by the stern the addition runs linearly between the
// columns of the whole metres around the trim; from 3 m on it is the last
// column; level or by the head it is the first.
TEST(HydrostaticTrim, KmAdditionFollowsTheTrimByTheStern) {
  struct Case {
    double lcg, trim, addition;
  };
  for (const Case c : {Case{50, 0, 0.01}, Case{47.5, 0.5, 0.03}, Case{42.5, 1.5, 0.09}, Case{40, 2, 0.13},
                       Case{36.25, 2.75, 0.22}, Case{35, 3, 0.25}, Case{30, 4, 0.25}, Case{57.5, -1.5, 0.01},
                       Case{70, -4, 0.01}}) {
    SCOPED_TRACE(c.trim);
    auto plan = CreatePlanData();
    Stability stab{*plan};
    SmallTable(*plan, stab, 50);
    stab.UpdateWeightItem(kLightshipItem, 2000, c.lcg, 5, 0, +1);
    stab.ComputeStability();
    const StabilityResults& r = stab.Results;
    ASSERT_EQ(r.State, HydrostaticState::Current);
    EXPECT_NEAR(r.Trim, c.trim, 1e-9);
    EXPECT_NEAR(r.KM, 8 + c.addition, 1e-9);
  }
}

// Without a centre of flotation (LCF 0 or less) the drafts follow from the
// table's own changes per metre of lever, and MTC from the trim they make.
TEST(HydrostaticTrim, NoCentreOfFlotationTakesTheDraftChangesPerLever) {
  for (double lcf : {0.0, -2.0}) {
    SCOPED_TRACE(lcf);
    auto plan = CreatePlanData();
    Stability stab{*plan};
    SmallTable(*plan, stab, lcf);
    stab.UpdateWeightItem(kLightshipItem, 2000, 45, 5, 0, +1);  // lever 5 m
    stab.ComputeStability();
    const StabilityResults& r = stab.Results;
    ASSERT_EQ(r.State, HydrostaticState::Current);
    EXPECT_DOUBLE_EQ(r.AftDraft, 2.505);   // 2 + 5·0.1, cut to the cm plus half
    EXPECT_DOUBLE_EQ(r.ForeDraft, 1.405);  // 2 - 5·0.12
    EXPECT_NEAR(r.Trim, 1.1, 1e-12);
    EXPECT_NEAR(r.MTC, 5 * 2000 / 1.1 / 100, 1e-9);
    EXPECT_NEAR(r.KM, 8 + 0.05 + 0.1 * 0.08, 1e-9);  // 1.1 m by the stern
  }
}

}  // namespace
