#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "Hull.h"
#include "Hydrostatics.h"
#include "TableWriter.h"
#include "TempDir.h"
#include "core/NumberFormat.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

constexpr double kL = 100;
constexpr double kB = 20;
constexpr double kD = 10;
constexpr double kRad = std::numbers::pi / 180;

void ExpectRelative(double actual, double expected, double fraction, const std::string& what) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * fraction) << what;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t p = line.find(';'); p != std::string::npos; p = line.find(';', start)) {
    fields.push_back(line.substr(start, p - start));
    start = p + 1;
  }
  EXPECT_EQ(start, line.size()) << "every field is followed by ';': " << line;
  return fields;
}

class BoxBargeTest : public ::testing::TestWithParam<double> {};

TEST_P(BoxBargeTest, UprightFiguresEqualClosedForms) {
  const double T = GetParam();
  const Hull hull = BoxBarge(kL, kB, kD);
  const UprightFigures f = Upright(hull, T);
  const double displacement = 1.025 * kL * kB * T;
  const double bm = kB * kB / (12 * T);
  ExpectRelative(f.Displacement, displacement, 0.001, "displacement");
  ExpectRelative(f.KB, T / 2, 0.001, "KB");
  ExpectRelative(f.BM, bm, 0.001, "BM");
  ExpectRelative(f.KM, T / 2 + bm, 0.001, "KM");
  ExpectRelative(f.MTC, displacement * (kL * kL / (12 * T)) / (100 * kL), 0.001, "MTC");
  ExpectRelative(f.TPC, 1.025 * kL * kB / 100, 0.001, "TPC");
  ExpectRelative(f.LCB, kL / 2, 0.001, "LCB");
  ExpectRelative(f.LCF, kL / 2, 0.001, "LCF");
}

TEST_P(BoxBargeTest, KmAdditionAtTrimIsTheRiseOfTheWedgeCentroid) {
  // A trimmed box keeps its waterplane and BM; KB rises by trim^2 / (24 T).
  const double T = GetParam();
  const HydrostaticRow row = HydrostaticRowAt(BoxBarge(kL, kB, kD), T);
  EXPECT_EQ(row.KmTrimAddition[0], 0);
  for (int trim = 1; trim <= 3; ++trim) {
    if (T - trim / 2.0 <= 0 || T + trim / 2.0 >= kD) continue;  // an end leaves the box
    EXPECT_NEAR(row.KmTrimAddition[static_cast<size_t>(trim)], trim * trim / (24 * T), 1e-4) << "trim " << trim;
  }
  // By the stern the aft draft grows, the fore draft falls, in the ratio of LCF.
  const double trimPerLever = row.Figures.Displacement / (100 * row.Figures.MTC);
  EXPECT_NEAR(row.AftDraftPerLever, trimPerLever / 2, 1e-9);
  EXPECT_NEAR(row.ForeDraftPerLever, -trimPerLever / 2, 1e-9);
}

TEST_P(BoxBargeTest, CrossCurvesFollowTheWallSidedFormulaUpToDeckEdgeImmersion) {
  const double T = GetParam();
  const Hull hull = BoxBarge(kL, kB, kD);
  const double volume = kL * kB * T;
  const double bm = kB * kB / (12 * T);
  const double km = T / 2 + bm;
  const double deckEdge = std::atan((kD - T) / (kB / 2)) / kRad;
  const double bottomOut = std::atan(T / (kB / 2)) / kRad;
  if (deckEdge < bottomOut) {
    EXPECT_NEAR(DeckEdgeImmersionAngle(hull, volume), deckEdge, 0.01);
  }
  int checked = 0;
  for (int angle : kCrossCurveAngles) {
    if (angle >= std::min(deckEdge, bottomOut)) continue;
    const double phi = angle * kRad;
    const double wallSided = std::sin(phi) * (km + bm / 2 * std::tan(phi) * std::tan(phi));
    ExpectRelative(Heeled(hull, angle, volume).KN, wallSided, 0.001, "KN at " + std::to_string(angle));
    ++checked;
  }
  EXPECT_GE(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(Drafts, BoxBargeTest, ::testing::Values(4.0, 6.0, 7.0));

TEST(ImmersionAngle, OfAPointOnTheBargeSide) {
  const Hull hull = BoxBarge(kL, kB, kD);
  const double T = 6;
  const double volume = kL * kB * T;
  // On the side shell 1 m below the deck: the wall-sided waterline pivots
  // about the centre line, so tan(angle) = (z - T) / (B/2).
  EXPECT_NEAR(ImmersionAngle(hull, volume, {50, 10, 9}), std::atan(3.0 / 10) / kRad, 0.01);
  // Under water already, and on the side that rises: no angle.
  EXPECT_EQ(ImmersionAngle(hull, volume, {50, 10, 5}), 0);
  EXPECT_EQ(ImmersionAngle(hull, volume, {50, -9, 11}), 0);
  // The row of the cross-curve table carries both angles.
  const CrossCurveRow row = CrossCurveRowAt(hull, T, {50, 10, 9});
  EXPECT_NEAR(row.FloodingAngle, std::atan(3.0 / 10) / kRad, 0.01);
  EXPECT_NEAR(row.DeckEdgeAngle, std::atan(4.0 / 10) / kRad, 0.01);
  ExpectRelative(row.Displacement, 1.025 * volume, 1e-9, "displacement");
}

TEST(Feeder, IntegrationConvergesWhenTheStepIsHalved) {
  const FeederForm form;
  const Hull coarse = Feeder(form, 80, 46);
  const Hull fine = Feeder(form, 160, 92);
  for (double T : {3.0, form.DesignDraft, 10.5}) {
    const UprightFigures a = Upright(coarse, T);
    const UprightFigures b = Upright(fine, T);
    ExpectRelative(a.Displacement, b.Displacement, 0.0005, "displacement at " + std::to_string(T));
    ExpectRelative(a.KM, b.KM, 0.0005, "KM at " + std::to_string(T));
  }
}

TEST(Feeder, IsAShipShapeWithAnAscendingTable) {
  const FeederForm form;
  const Hull hull = Feeder(form);
  const UprightFigures design = Upright(hull, form.DesignDraft);
  const double blockCoefficient = design.Volume / (form.L * form.B * form.DesignDraft);
  EXPECT_GT(blockCoefficient, 0.6);
  EXPECT_LT(blockCoefficient, 0.8);
  // Fine ends: the centre of buoyancy lies near midships, the waterplane
  // narrower than the rectangle around it; the flare adds breadth above water.
  EXPECT_NEAR(design.LCB, form.L / 2, 0.05 * form.L);
  EXPECT_LT(design.WaterplaneArea, form.L * form.B);
  EXPECT_GT(FeederHalfBreadth(form, 132, 11), FeederHalfBreadth(form, 132, form.DesignDraft));
  double previous = 0;
  for (double T = 1; T <= 11; T += 0.5) {
    const double displacement = Upright(hull, T).Displacement;
    EXPECT_GT(displacement, previous) << "draft " << T;
    previous = displacement;
  }
  // Heeled at constant displacement the feeder rights itself: KN grows with
  // the angle over the first angles of the table.
  const CrossCurveRow row = CrossCurveRowAt(hull, form.DesignDraft, {70, 9.45, 13.1});
  EXPECT_GT(row.KN[0], 0);
  EXPECT_GT(row.KN[6], row.KN[0]);
  EXPECT_GT(row.DeckEdgeAngle, 0);
  EXPECT_GT(row.FloodingAngle, row.DeckEdgeAngle);
}

TEST(TableFiles, HydWrittenAndParsedBackGivesTheComputedRows) {
  // A "," locale must not leak into the vessel files.
  SetNumberFormat({',', '.'});
  const Hull hull = Feeder();
  std::vector<HydrostaticRow> rows;
  for (double T = 2; T <= 10; T += 2) rows.push_back(HydrostaticRowAt(hull, T));
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteHyd(dir.path() / "HYD.txt", rows, error)) << error;
  SetNumberFormat({'.', ','});

  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir.path() / "HYD.txt", lines, error)) << error;
  ASSERT_EQ(lines.size(), rows.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(lines[r].find(','), std::string::npos) << lines[r];
    const auto fields = Fields(lines[r]);
    ASSERT_EQ(fields.size(), 15u) << lines[r];
    const auto columns = rows[r].Columns();
    for (size_t c = 0; c < 15; ++c) {
      const double tolerance = kHydDecimals[c] > 0 ? 0.5001 * std::pow(10.0, -kHydDecimals[c]) : 0;
      EXPECT_NEAR(ParseReal(fields[c]), kHydDecimals[c] > 0 ? columns[c] : 0, tolerance)
          << "row " << r << " column " << c;
    }
  }
}

TEST(TableFiles, RleHeaderNamesTheColumnsAndRowsParseBack) {
  const Hull hull = BoxBarge(kL, kB, kD);
  const std::vector<CrossCurveRow> rows{CrossCurveRowAt(hull, 4, {50, 9, 11}), CrossCurveRowAt(hull, 6, {50, 9, 11})};
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteRle(dir.path() / "RLE.txt", rows, error)) << error;
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir.path() / "RLE.txt", lines, error)) << error;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "T;DISP;KN05;KN10;KN12;KN15;KN20;KN25;KN30;KN40;KN50;KN60;KN70;FL_;");
  for (size_t r = 0; r < rows.size(); ++r) {
    const auto fields = Fields(lines[r + 1]);
    ASSERT_EQ(fields.size(), 3 + kCrossCurveAngles.size());
    EXPECT_NEAR(ParseReal(fields[1]), rows[r].Displacement, 0.05001);
    for (size_t k = 0; k < kCrossCurveAngles.size(); ++k) EXPECT_NEAR(ParseReal(fields[2 + k]), rows[r].KN[k], 0.0005001);
    EXPECT_GT(rows[r].FloodingAngle, 0);
    EXPECT_NEAR(ParseReal(fields.back()), rows[r].FloodingAngle, 0.05001);
  }
}

TEST(TableFiles, MoreRowsThanTheReaderTakesAreRefused) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteHyd(dir.path() / "HYD.txt", std::vector<HydrostaticRow>(100), error));
  EXPECT_NE(error.find("HYD.txt"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "HYD.txt"));
  EXPECT_FALSE(WriteRle(dir.path() / "missing" / "RLE.txt", {}, error));
}

}  // namespace
