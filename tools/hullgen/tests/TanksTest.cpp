#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "Hull.h"
#include "TankWriter.h"
#include "Tanks.h"
#include "TempDir.h"
#include "core/NumberFormat.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

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

TankShape BoxTank(double xa, double xf, double zb, double zt, double y1, double y2) {
  TankShape t;
  t.Key = "BOX";
  t.Name = "Box";
  t.Density = 1.025;
  t.XAft = xa;
  t.XFore = xf;
  t.ZBottom = zb;
  t.ZTop = zt;
  t.YMin = y1;
  t.YMax = y2;
  return t;
}

std::vector<TankTable> Computed(const Hull& hull, const std::vector<TankShape>& shapes) {
  std::vector<TankTable> tables;
  for (const TankShape& s : shapes) tables.push_back(ComputeTank(hull, s, 20, 0.7));
  return tables;
}

// A box the hull does not cut, off the centre line and between stations:
// every sounding's figures are the closed forms of a rectangular body.
TEST(BoxTank, EverySoundingHasTheExactVolumeCentresAndFreeSurfaceMoment) {
  const Hull barge = BoxBarge(100, 20, 10);
  struct Case {
    double xa, xf, zb, zt, y1, y2;
  };
  const Case cases[] = {{10, 30, 1, 5, -5, 5}, {33.3, 41.7, 0, 10, 2, 9.5}, {60, 99, 1.2, 7, -10, -4}};
  for (const Case& c : cases) {
    const TankShape shape = BoxTank(c.xa, c.xf, c.zb, c.zt, c.y1, c.y2);
    const TankTable table = ComputeTank(barge, shape, 10, 0);
    const double l = c.xf - c.xa, b = c.y2 - c.y1;
    ASSERT_EQ(table.Soundings.size(), 10u);
    for (const SoundingRow& row : table.Soundings) {
      const double h = row.Sounding;
      const std::string at = "tank x " + std::to_string(c.xa) + " sounding " + std::to_string(h);
      EXPECT_NEAR(row.Volume, l * b * h, 1e-9 * l * b * h) << at;
      EXPECT_NEAR(row.Weight, 1.025 * l * b * h, 1e-9 * l * b * h) << at;
      EXPECT_NEAR(row.LCG, (c.xa + c.xf) / 2, 1e-9) << at;
      EXPECT_NEAR(row.VCG, c.zb + h / 2, 1e-9) << at;
      EXPECT_NEAR(row.TCG, (c.y1 + c.y2) / 2, 1e-9) << at;
      EXPECT_NEAR(row.FSM, 1.025 * l * b * b * b / 12, 1e-7 * l * b * b * b) << at;
    }
    EXPECT_NEAR(table.Soundings.back().Sounding, c.zt - c.zb, 1e-12);
    EXPECT_NEAR(table.Volume, l * b * (c.zt - c.zb), 1e-9 * table.Volume);
    EXPECT_NEAR(table.Capacity, 1.025 * table.Volume, 1e-9 * table.Volume);
    EXPECT_NEAR(table.VcgFull, (c.zb + c.zt) / 2, 1e-9);
    EXPECT_EQ(table.VcgEmpty, c.zb);
  }
}

TEST(BoxTank, TheShellClipsATankDrawnBeyondIt) {
  // Drawn out to both sides and below the base line's edge: the hull keeps
  // the barge's 20 m breadth, so the centre line carries the TCG.
  const Hull barge = BoxBarge(100, 20, 10);
  const TankTable wing = ComputeTank(barge, BoxTank(20, 40, 2, 10, 8, kToShell), 8, 0);
  EXPECT_NEAR(wing.Volume, 20 * 2 * 8, 1e-9);
  EXPECT_NEAR(wing.TCG, 9, 1e-9);
  EXPECT_NEAR(wing.FSM, 1.025 * 20 * 8 / 12, 1e-9);
  const TankTable across = ComputeTank(barge, BoxTank(90, 110, 0, 4, -kToShell, kToShell), 4, 0);
  EXPECT_NEAR(across.Volume, 10 * 20 * 4, 1e-6) << "nothing forward of the barge's end";
  EXPECT_NEAR(across.TCG, 0, 1e-9);
  EXPECT_NEAR(across.FSM, 1.025 * 10 * 8000 / 12, 1e-3);
}

// The hull integrates the feeder's formulas from a grid; the full tank must
// agree with a fine direct sum over the formulas' own half-breadth.
TEST(FeederTanks, FullTankVolumeIsTheGeometricVolume) {
  const FeederForm form;
  const Hull feeder = Feeder(form);
  int checked = 0;
  for (const TankShape& shape : FeederTanks(form)) {
    // Following the bilge, the flare at the bow, the shell of the V-shaped stern.
    if (shape.Key != "DB2S" && shape.Key != "WT3P" && shape.Key != "FO1S" && shape.Key != "FPT" &&
        shape.Key != "APT") {
      continue;
    }
    ++checked;
    const int n = 300;
    const double dx = (shape.XFore - shape.XAft) / n, dz = (shape.ZTop - shape.ZBottom) / n;
    double volume = 0;
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        const double x = shape.XAft + (i + 0.5) * dx, z = shape.ZBottom + (j + 0.5) * dz;
        const double hb = FeederHalfBreadth(form, x, z);
        volume += std::max(0.0, std::min(shape.YMax, hb) - std::max(shape.YMin, -hb)) * dx * dz;
      }
    }
    const TankTable table = ComputeTank(feeder, shape, 20, 0.7);
    EXPECT_NEAR(table.Volume, volume, 0.01 * volume) << shape.Key;
    EXPECT_NEAR(table.Capacity, volume * shape.Density, 0.01 * volume * shape.Density) << shape.Key;
  }
  EXPECT_EQ(checked, 5);
}

TEST(TankArrangements, TablesAscendWithTheSoundingAndKeepTheirTanksInsideTheHull) {
  const FeederForm form;
  const Hull barge = BoxBarge(100, 20, 10);
  const Hull feeder = Feeder(form);
  for (const auto& [hull, shapes] : {std::pair{&barge, BargeTanks(barge)}, std::pair{&feeder, FeederTanks(form)}}) {
    std::set<int> groups;
    for (const TankTable& t : Computed(*hull, shapes)) {
      groups.insert(static_cast<int>(t.Shape.Group));
      ASSERT_FALSE(t.Soundings.empty());
      EXPECT_GT(t.Capacity, 0) << t.Shape.Key;
      EXPECT_EQ(t.Capacity, t.Soundings.back().Weight) << t.Shape.Key;
      for (size_t k = 0; k < t.Soundings.size(); ++k) {
        const SoundingRow& row = t.Soundings[k];
        EXPECT_GE(row.VCG, t.Shape.ZBottom) << t.Shape.Key;
        EXPECT_LE(row.VCG, t.Shape.ZTop) << t.Shape.Key;
        EXPECT_GE(row.LCG, t.Shape.XAft) << t.Shape.Key;
        EXPECT_LE(row.LCG, t.Shape.XFore) << t.Shape.Key;
        EXPECT_LE(row.FSM, t.FSM) << t.Shape.Key;
        if (k == 0) continue;
        const SoundingRow& below = t.Soundings[k - 1];
        EXPECT_GT(row.Sounding, below.Sounding) << t.Shape.Key;
        EXPECT_GT(row.Weight, below.Weight + 1e-3) << t.Shape.Key << " row " << k;
        EXPECT_GT(row.VCG, below.VCG) << t.Shape.Key << " row " << k;
      }
    }
    EXPECT_EQ(groups, (std::set<int>{4, 5, 6, 7, 8}));
  }
}

TEST(TankFiles, WrittenTablesParseBackWithTheReadersLayout) {
  const FeederForm form;
  const Hull feeder = Feeder(form);
  const std::vector<TankTable> tanks = Computed(feeder, FeederTanks(form));
  SetNumberFormat({',', '.'});  // the files keep "." whatever the user's format
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteTnk(dir.path() / "TNK.txt", tanks, error)) << error;
  ASSERT_TRUE(WriteTnp(dir.path() / "TNP.txt", tanks, error)) << error;
  SetNumberFormat({'.', ','});

  std::vector<std::string> tnk, tnp;
  ASSERT_TRUE(ReadTextLines(dir.path() / "TNK.txt", tnk, error)) << error;
  ASSERT_TRUE(ReadTextLines(dir.path() / "TNP.txt", tnp, error)) << error;
  ASSERT_EQ(tnk.size(), tanks.size());
  ASSERT_LE(tnp.size(), kMaxSoundingRows);
  // The reader takes the first "," or ";" of the first line as the separator.
  EXPECT_EQ(tnk[0].find_first_of(",;"), tnk[0].find(';'));
  EXPECT_EQ(tnp[0].find_first_of(",;"), tnp[0].find(';'));

  for (size_t i = 0; i < tanks.size(); ++i) {
    const TankTable& t = tanks[i];
    const std::vector<std::string> f = Fields(tnk[i]);
    ASSERT_EQ(f.size(), kTankFields) << tnk[i];
    EXPECT_EQ(f[0], t.Shape.Key);
    EXPECT_EQ(f[1], t.Shape.Name);
    EXPECT_NEAR(ParseReal(f[2]), t.Capacity, 0.005);
    EXPECT_EQ(ParseInt(f[4]), static_cast<int>(t.Shape.Group));
    EXPECT_NEAR(ParseReal(f[5]), t.VcgFull, 0.0005);
    EXPECT_NEAR(ParseReal(f[6]), t.VcgEmpty, 0.0005);
    EXPECT_NEAR(ParseReal(f[7]), t.LCG, 0.0005);
    EXPECT_NEAR(ParseReal(f[8]), t.TCG, 0.0005);
    EXPECT_NEAR(ParseReal(f[9]), t.FSM, 0.05);
    EXPECT_EQ(f[10], "") << "the content is never stored in the table";
    EXPECT_EQ(std::set<int>({ParseInt(f[13]), ParseInt(f[15])}), std::set<int>({t.PixelLeft, t.PixelRight}));
    EXPECT_LT(t.PixelLeft, t.PixelRight);
    EXPECT_LE(t.PixelTop, t.PixelBottom);
    EXPECT_EQ(ParseInt(f[19]), t.FirstFrame);
    EXPECT_EQ(ParseInt(f[20]), t.LastFrame);
    EXPECT_EQ(f[22], "0");
    EXPECT_EQ(f[23], "0");
  }

  // Each tank's rows together, in tank order, ascending in content.
  size_t row = 0;
  for (const TankTable& t : tanks) {
    for (size_t k = 0; k < t.Soundings.size(); ++k, ++row) {
      ASSERT_LT(row, tnp.size());
      const std::vector<std::string> f = Fields(tnp[row]);
      ASSERT_EQ(f.size(), kSoundingFields) << tnp[row];
      EXPECT_EQ(f[0], t.Shape.Key);
      const SoundingRow& s = t.Soundings[k];
      EXPECT_NEAR(ParseReal(f[2]), s.Weight, 0.0005);
      EXPECT_NEAR(ParseReal(f[3]), s.LCG, 0.0005);
      EXPECT_NEAR(ParseReal(f[4]), s.VCG, 0.0005);
      EXPECT_NEAR(ParseReal(f[5]), s.TCG, 0.0005);
      EXPECT_NEAR(ParseReal(f[6]), s.FSM, 0.05);
      if (k > 0) {
        EXPECT_GT(ParseReal(f[2]), ParseReal(Fields(tnp[row - 1])[2])) << tnp[row];
      }
    }
  }
  EXPECT_EQ(row, tnp.size());
}

TEST(TankFiles, TablesTheReaderCannotTakeAreRefused) {
  const Hull barge = BoxBarge(100, 20, 10);
  const std::vector<TankTable> good = Computed(barge, BargeTanks(barge));
  TempDir dir;
  struct Case {
    std::string what;
    std::vector<TankTable> tanks;
    bool tnk;  // refused by the tank table too (else only the sounding table)
  };
  std::vector<Case> cases;
  {
    std::vector<TankTable> t = good;
    t[0].Shape.Name = "Peak, fore";
    cases.push_back({"separator in a name", t, true});
  }
  {
    std::vector<TankTable> t = good;
    t[1].Shape.Key = t[0].Shape.Key;
    cases.push_back({"key used twice", t, true});
  }
  {
    std::vector<TankTable> t = good;
    t[2].Shape.Key = "";
    cases.push_back({"empty key", t, true});
  }
  {
    std::vector<TankTable> t = good;
    t.push_back(ComputeTank(barge, BoxTank(200, 210, 0, 5, -5, 5), 5, 0));
    cases.push_back({"tank outside the hull", t, true});
  }
  {
    std::vector<TankTable> t;
    for (size_t i = 0; i <= kMaxTanks; ++i) {
      t.push_back(good[i % good.size()]);
      t.back().Shape.Key = "T" + std::to_string(i);
    }
    cases.push_back({"more tanks than the reader keeps", t, true});
  }
  {
    std::vector<TankTable> t = good;
    t[0].Soundings.resize(kMaxSoundingRows, t[0].Soundings.back());
    cases.push_back({"more sounding rows than the reader keeps", t, false});
  }
  for (const Case& c : cases) {
    std::string error;
    const auto tnk = dir.path() / (c.what + " TNK.txt");
    const auto tnp = dir.path() / (c.what + " TNP.txt");
    EXPECT_EQ(WriteTnk(tnk, c.tanks, error), !c.tnk) << c.what;
    EXPECT_FALSE(WriteTnp(tnp, c.tanks, error)) << c.what;
    EXPECT_NE(error.find("TNP.txt"), std::string::npos) << c.what << ": " << error;
    EXPECT_FALSE(std::filesystem::exists(tnp)) << c.what;
  }
  std::string error;
  EXPECT_TRUE(WriteTnp(dir.path() / "TNP.txt", good, error)) << error;
}

}  // namespace
