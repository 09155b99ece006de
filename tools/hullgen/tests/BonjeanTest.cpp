#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Bonjean.h"
#include "DemoShips.h"
#include "Hull.h"
#include "Hydrostatics.h"
#include "TempDir.h"
#include "core/NumberFormat.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t p = line.find(';'); p != std::string::npos; p = line.find(';', start)) {
    fields.push_back(line.substr(start, p - start));
    start = p + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

TEST(Bonjean, BoxBargeSectionsAreRectangles) {
  const Hull barge = BoxBarge(100, 20, 10);
  const BonjeanTable table = ComputeBonjean(barge, 0.5);
  ASSERT_EQ(table.Drafts.size(), 21u);
  EXPECT_EQ(table.Drafts.front(), 0);
  EXPECT_EQ(table.Drafts.back(), 10);
  ASSERT_EQ(table.Stations, barge.Stations);
  for (size_t k = 0; k < table.Stations.size(); ++k) {
    for (size_t j = 0; j < table.Drafts.size(); ++j) {
      const double t = table.Drafts[j];
      EXPECT_NEAR(table.Area[k][j], 20 * t, 1e-9) << "station " << k << " draft " << t;
      EXPECT_NEAR(table.Moment[k][j], 20 * t * t / 2, 1e-9) << "station " << k << " draft " << t;
    }
  }
}

// The sections integrated along the ship give the hydrostatic table's volume
// and centre of buoyancy, for the ship shape as well.
TEST(Bonjean, FeederSectionsIntegrateToTheHydrostaticVolume) {
  const Hull feeder = Feeder();
  const BonjeanTable table = ComputeBonjean(feeder, 0.5);
  const double h = feeder.StationSpacing();
  const size_t n = table.Stations.size();
  for (size_t j : {size_t{4}, size_t{12}, size_t{17}}) {
    double volume = 0, moment = 0;
    for (size_t k = 0; k < n; ++k) {
      const double w = (k == 0 || k == n - 1) ? 1 : (k % 2 == 1 ? 4 : 2);
      volume += w * h / 3 * table.Area[k][j];
      moment += w * h / 3 * table.Moment[k][j];
    }
    const UprightFigures f = Upright(feeder, table.Drafts[j]);
    EXPECT_NEAR(volume, f.Volume, 1e-3 * f.Volume) << "draft " << table.Drafts[j];
    EXPECT_NEAR(moment / volume, f.KB, 1e-3 * f.KB) << "draft " << table.Drafts[j];
  }
}

TEST(Bonjean, StrFileHasTheReadersLayout) {
  const Hull feeder = Feeder();
  const BonjeanTable table = ComputeBonjean(feeder, 0.25);
  const std::vector<Frame> frames = FrameList(feeder, 0.7);
  SetNumberFormat({',', '.'});
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteStr(dir.path() / "STR.txt", table, frames, error)) << error;
  SetNumberFormat({'.', ','});
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir.path() / "STR.txt", lines, error)) << error;

  const size_t n = table.Stations.size();
  ASSERT_EQ(lines.size(), 2 + 2 * n + 1 + frames.size());
  EXPECT_EQ(lines[0], "//BON");
  const std::vector<std::string> header = Split(lines[1]);
  ASSERT_EQ(header.size(), 2 + table.Drafts.size());
  for (size_t j = 0; j < table.Drafts.size(); ++j) {
    const std::string& column = header[2 + j];
    ASSERT_EQ(column.size(), 5u) << column;
    EXPECT_EQ(column[0], 'A');
    EXPECT_NEAR(ParseInt(column.substr(1, 4)) * 0.01, table.Drafts[j], 1e-9) << column;
  }
  for (size_t k = 0; k < 2 * n; ++k) {
    const std::vector<std::string> f = Split(lines[2 + k]);
    ASSERT_EQ(f.size(), 2 + table.Drafts.size()) << lines[2 + k];
    EXPECT_EQ(f[0], k < n ? "A" : "B");
    EXPECT_NEAR(ParseReal(f[1]), table.Stations[k % n], 0.0005);
    const auto& values = k < n ? table.Area[k] : table.Moment[k - n];
    for (size_t j = 0; j < values.size(); ++j) EXPECT_NEAR(ParseReal(f[2 + j]), values[j], 0.0005) << lines[2 + k];
  }
  EXPECT_EQ(lines[2 + 2 * n], "//FRM");
  for (size_t i = 0; i < frames.size(); ++i) {
    const std::vector<std::string> f = Split(lines[3 + 2 * n + i]);
    ASSERT_EQ(f.size(), 2u);
    // Consecutive numbers: the reader addresses a frame by its number.
    EXPECT_EQ(ParseInt(f[0]), frames.front().Number + static_cast<int>(i));
    EXPECT_NEAR(ParseReal(f[1]), 0.7 * ParseInt(f[0]), 0.0005);
  }
  EXPECT_LE(frames.front().X, feeder.Stations.front() + 0.35);
  EXPECT_GE(frames.back().X, feeder.Stations.back() - 0.35);
}

// The ship's own sections follow the frames: limit lines of twelve numbers
// and lightship pieces whose frames exist and whose sum is the lightship in
// the particulars.
TEST(Bonjean, LimitLinesAndLightshipPiecesFollowTheFrames) {
  const ShipDefinition ship = FeederShip();
  const std::vector<Frame> frames = FrameList(ship.hull, ship.frameSpacing);
  const std::vector<std::string> lines = StrLines(ComputeBonjean(ship.hull, 0.25), frames, ship.strength);
  auto section = std::find(lines.begin(), lines.end(), "//STR");
  ASSERT_NE(section, lines.end());
  auto hasFrame = [&frames](int n) { return n >= frames.front().Number && n <= frames.back().Number; };
  size_t limits = 0;
  for (auto it = section + 1; it != lines.end() && it->rfind("//", 0) != 0; ++it, ++limits) {
    const std::vector<std::string> f = Split(*it);
    ASSERT_EQ(f.size(), 12u) << *it;
    EXPECT_TRUE(hasFrame(ParseInt(f[1]))) << *it;
    EXPECT_NEAR(ParseReal(f[2]), ParseInt(f[1]) * ship.frameSpacing, 0.0005) << *it;
    // The drawing's scales hold the allowed values.
    EXPECT_GE(ParseReal(f[3]), ParseReal(f[7])) << *it;
    EXPECT_GE(ParseReal(f[5]), ParseReal(f[9])) << *it;
    for (int k : {7, 8, 9, 10, 11}) EXPECT_GT(ParseReal(f[static_cast<size_t>(k)]), 0) << *it;
  }
  EXPECT_EQ(limits, ship.strength.Limits.size());
  section = std::find(lines.begin(), lines.end(), "//LSH");
  ASSERT_NE(section, lines.end());
  double weight = 0, moment = 0;
  for (auto it = section + 1; it != lines.end(); ++it) {
    const std::vector<std::string> f = Split(*it);
    ASSERT_EQ(f.size(), 5u) << *it;
    const int a = ParseInt(f[2]), b = ParseInt(f[3]);
    EXPECT_TRUE(hasFrame(a) && hasFrame(b)) << *it;
    // The centre lies in the middle third, so that the linear spread has no
    // negative end.
    const double lcg = ParseReal(f[4]), x1 = a * ship.frameSpacing, x2 = b * ship.frameSpacing;
    EXPECT_GE(lcg, x1 + (x2 - x1) / 3 - 1e-9) << *it;
    EXPECT_LE(lcg, x2 - (x2 - x1) / 3 + 1e-9) << *it;
    weight += ParseReal(f[1]);
    moment += ParseReal(f[1]) * lcg;
  }
  const LightshipTotals totals = SumLightship(ship.strength.Lightship);
  EXPECT_NEAR(weight, totals.Weight, 0.05);
  EXPECT_NEAR(moment / weight, totals.LCG, 0.001);
}

TEST(Bonjean, TablesTheReaderCannotTakeAreRefused) {
  const Hull barge = BoxBarge(100, 20, 10);
  TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteStr(dir.path() / "STR.txt", ComputeBonjean(barge, 0.1), FrameList(barge, 2.5), error))
      << "101 draft columns";
  EXPECT_NE(error.find("STR.txt"), std::string::npos) << error;
  EXPECT_FALSE(WriteStr(dir.path() / "STR.txt", ComputeBonjean(barge, 0.5), FrameList(barge, 0.3), error))
      << "334 frames";
  StrengthExtras outside;
  outside.Limits.push_back({0, 41, 102.5, 1, 1, 1, 1, 1, 1, 1});
  EXPECT_FALSE(WriteStr(dir.path() / "STR.txt", ComputeBonjean(barge, 0.5), FrameList(barge, 2.5), error, outside))
      << "a limit line beyond the last frame";
  EXPECT_NE(error.find("frame 41"), std::string::npos) << error;
  StrengthExtras piece;
  piece.Lightship.push_back({"DECK,HOUSE", 100, 2, 4, 7.5});
  EXPECT_FALSE(WriteStr(dir.path() / "STR.txt", ComputeBonjean(barge, 0.5), FrameList(barge, 2.5), error, piece))
      << "a separator in a name";
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "STR.txt"));
  EXPECT_TRUE(WriteStr(dir.path() / "STR.txt", ComputeBonjean(barge, 0.5), FrameList(barge, 2.5), error)) << error;
}

}  // namespace
