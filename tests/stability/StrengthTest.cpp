#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BoxBargeStrength.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"
#include "vessel/PtcFile.h"

namespace {

using Section = Strength::Section;

// The loads the distributions keep, section by section.
struct Loads {
  double x;
  std::int64_t aft, fore, point, torsion;
  bool operator==(const Loads&) const = default;
};

std::vector<Loads> LoadsOf(const Strength& s) {
  std::vector<Loads> loads;
  for (const Section& c : s.Sections) loads.push_back({c.X, c.AftLoad, c.ForeLoad, c.PointLoad, c.TorsionLoad});
  return loads;
}

// The whole weight a table carries: the strips' trapezoids and the points.
double TotalLoad(const Strength& s) {
  double total = s.Sections.empty() ? 0 : s.Sections[0].Point();
  for (size_t k = 1; k < s.Sections.size(); ++k) {
    const double d = s.Sections[k].X - s.Sections[k - 1].X;
    total += (s.Sections[k - 1].ForeIntensity() + s.Sections[k].AftIntensity()) * d / 2 + s.Sections[k].Point();
  }
  return total;
}

const Section* SectionAt(const Strength& s, double x) {
  for (const Section& c : s.Sections) {
    if (c.X == x) return &c;
  }
  return nullptr;
}

class BoxBarge : public ::testing::Test {
 protected:
  void SetUp() override {
    plan->VesHdr[VesHdrIx::BaysLength] = "100";
    plan->VesHdr[14] = "20";
    stab.SetItemNames({"Lightship", "Constant", "Containers", "Spare", "Ballast", "Fuel", "Diesel", "Lube",
                       "Fresh water", "Misc", "Correction", "Deadweight", "Displacement"});
  }
  bool Load(const std::string& text) {
    dir.Write("STR.TXT", text);  // any case
    std::string error;
    const bool loaded = strength.LoadStrengthData(dir.path(), error);
    EXPECT_TRUE(error.empty()) << error;
    return loaded;
  }
  // The whole ship as one weight at the given centres, spread as a linear
  // load over the length.
  void Ship(double w, double lcg, double vcg = 6) {
    stab.UpdateWeightItem(kLightshipItem, w, lcg, vcg, 0, +1);
    strength.DistributeWeight(0, box::kL, w, lcg, false);
  }

  TempDir dir;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
  Strength& strength = stab.strength();
};

TEST_F(BoxBarge, ReadsTheBonjeanTableFramesAndVolumes) {
  ASSERT_TRUE(Load(box::StrText({"0;10;50;3000;0;60000;0;1000;1000;50000;50000;800"})));
  EXPECT_TRUE(strength.Loaded());
  ASSERT_EQ(strength.Drafts.size(), 9u);
  EXPECT_DOUBLE_EQ(strength.Drafts[8], 16);
  ASSERT_EQ(strength.Stations.size(), 21u);
  ASSERT_EQ(strength.Frames.size(), 21u);
  EXPECT_EQ(strength.LowestFrame, 0);
  EXPECT_EQ(strength.Sections.size(), 21u);  // frames and stations share their positions
  EXPECT_EQ(SectionAt(strength, 35)->Frame, 7);
  EXPECT_TRUE(SectionAt(strength, 35)->IsStation);
  ASSERT_EQ(strength.Limits.size(), 1u);
  EXPECT_DOUBLE_EQ(strength.Limits[0].Values[11], 800);
  for (size_t j = 0; j < strength.Drafts.size(); ++j) {
    EXPECT_NEAR(strength.Volumes[j], box::kL * box::kB * strength.Drafts[j], 1e-6) << "column " << j;
  }
  EXPECT_EQ(strength.LargestBendingScale(), 60000);
}

// Lines of the frame list, limits and lightship that cannot be taken are
// passed over and named; a Bonjean line that is no numbers refuses the table.
TEST_F(BoxBarge, LinesThatCannotBeTakenAreNamed) {
  const std::string text = box::StrText({"0;10;50;3000;0;60000;0;1000;1000;50000;50000;800", "0;20;x50;3000"},
                                        {"HULL;100;0;20;50", "BODY;1o0;0;5;50", "DECK;10;0;99;50"});
  auto lineOf = [&text](const std::string& piece) {
    const std::string before = text.substr(0, text.find(piece));
    return static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
  };
  ASSERT_TRUE(Load(text));
  EXPECT_EQ(strength.Limits.size(), 1u);
  ASSERT_EQ(strength.SkippedLines.size(), 3u);
  EXPECT_EQ(strength.SkippedLines[0].Text(), "line " + std::to_string(lineOf("0;20;x50")) + ": STR: \"x50\" is not a number");
  EXPECT_EQ(strength.SkippedLines[1].Text(), "line " + std::to_string(lineOf("BODY")) + ": LSH: \"1o0\" is not a number");
  EXPECT_EQ(strength.SkippedLines[2].Text(),
            "line " + std::to_string(lineOf("DECK")) + ": LSH: a frame the frame list does not hold: the piece is left out");

  std::string broken = text;
  broken.replace(broken.find("A;10;"), 5, "A;1O;");
  dir.Write("STR.TXT", broken);
  std::string error;
  EXPECT_FALSE(strength.LoadStrengthData(dir.path(), error));
  EXPECT_NE(error.find("\"1O\" is not a number: the Bonjean table is not used"), std::string::npos) << error;
  EXPECT_FALSE(strength.Loaded());
}

TEST_F(BoxBarge, MissingOrUnusableFiles) {
  std::string error;
  EXPECT_FALSE(strength.LoadStrengthData(dir.path(), error));  // no file: no data, no error
  EXPECT_TRUE(error.empty());
  strength.ComputeStrength();
  EXPECT_EQ(strength.Result.State, StrengthState::NotLoaded);

  dir.Write("STR.txt", "//FRM\r\n1;0\r\n2;5\r\n");  // frames but no Bonjean table
  EXPECT_FALSE(strength.LoadStrengthData(dir.path(), error));
  EXPECT_NE(error.find("Bonjean"), std::string::npos) << error;
  EXPECT_FALSE(strength.Loaded());
}

TEST_F(BoxBarge, LightshipPiecesBetweenFramesInEitherOrder) {
  // 300 t over frames 4..8 centred in the middle, the same reversed, and a
  // piece at a frame the list does not hold.
  ASSERT_TRUE(Load(box::StrText({}, {"engine;300;4;8;30", "hold;200;12;10;55", "ghost;999;3;40;50"})));
  EXPECT_NEAR(TotalLoad(strength), 500, 1e-6);
  EXPECT_NEAR(SectionAt(strength, 25)->AftIntensity(), 300.0 / 20, 1e-6);
  EXPECT_NEAR(SectionAt(strength, 55)->ForeIntensity(), 200.0 / 10, 1e-6);
}

TEST_F(BoxBarge, DistributeWeightShapes) {
  struct Case {
    const char* what;
    double x1, x2, w, g;
    double atX1, atX2;  // forward intensity at x1, aft intensity at x2
    double pointAt, point;
  };
  const Case cases[] = {
      {"centre in the middle: uniform", 20, 60, 400, 40, 10, 10, -1, 0},
      {"centre at one third: nothing at x2", 20, 50, 300, 30, 20, 0, -1, 0},
      {"centre outside: point load", 20, 40, 250, 72.5, 0, 0, 72.5, 250},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Load(box::StrText()));
    strength.DistributeWeight(c.x1, c.x2, c.w, c.g, false);
    EXPECT_NEAR(TotalLoad(strength), c.w, 1e-6);
    EXPECT_NEAR(SectionAt(strength, c.x1)->ForeIntensity(), c.atX1, 1e-6);
    EXPECT_NEAR(SectionAt(strength, c.x2)->AftIntensity(), c.atX2, 1e-6);
    if (c.pointAt >= 0) {
      ASSERT_NE(SectionAt(strength, c.pointAt), nullptr);
      EXPECT_NEAR(SectionAt(strength, c.pointAt)->Point(), c.point, 1e-6);
    } else {
      // Linear in between: halfway between the ends.
      const double mid = (c.x1 + c.x2) / 2;
      const Section* s = SectionAt(strength, mid);
      ASSERT_NE(s, nullptr);
      EXPECT_NEAR(s->AftIntensity(), (c.atX1 + c.atX2) / 2, 1e-6);
      EXPECT_EQ(s->AftLoad, s->ForeLoad);
    }
  }
}

TEST_F(BoxBarge, ASectionInsertedInsideALoadedStripKeepsItsWeight) {
  ASSERT_TRUE(Load(box::StrText()));
  strength.DistributeWeight(20, 40, 400, 30, false);
  strength.AddSectionLoad(32.5, 0, 0, 0, 0, false);
  EXPECT_NEAR(TotalLoad(strength), 400, 1e-6);
  EXPECT_NEAR(SectionAt(strength, 32.5)->AftIntensity(), 20, 1e-6);
}

TEST_F(BoxBarge, NearestFrame) {
  ASSERT_TRUE(Load(box::StrText()));
  struct Case {
    double x;
    int frame;
  };
  for (const Case c : {Case{12.5, 2}, Case{12.6, 3}, Case{10, 2}, Case{-4, 0}, Case{250, 20}, Case{99, 20}}) {
    EXPECT_EQ(strength.NearestFrame(c.x), c.frame) << "x " << c.x;
  }
  strength.Clear();
  EXPECT_EQ(strength.NearestFrame(10), -1);
}

TEST_F(BoxBarge, PlacingAndRemovingRestoresEverySection) {
  ASSERT_TRUE(Load(box::StrText()));
  plan->Dim[0] = 12192;  // 40' in mm
  plan->CellCount = 2;
  plan->Cells[0] = {"010082", 0, 31.7, 14.5, -2.4, 34.8};
  plan->Cells[1] = {"020004", 0, 999, 3.1, 7.3, 61.03};
  const std::vector<Loads> before = LoadsOf(strength);
  const WeightItem itemBefore = stab.Items[kContainersItem];

  plan->Cur()[0].STATUS = 1;
  plan->Cur()[0].WEIGHT = 23.456;
  plan->Cur()[1].STATUS = 1;
  plan->Cur()[1].WEIGHT = 0.1 + 0.2;
  stab.AddUnit(0, true, +1);
  stab.AddUnit(1, false, +1);
  EXPECT_NE(LoadsOf(strength), before);
  EXPECT_NEAR(TotalLoad(strength), 23.456 + 0.3, 1e-5);
  // A 20' unit between the frames nearest its ends (30 and 35), with its
  // torsion moment on both.
  EXPECT_NEAR(SectionAt(strength, 30)->TorsionMoment() + SectionAt(strength, 35)->TorsionMoment(),
              23.456 * -2.4, 1e-5);

  stab.AddUnit(1, false, -1);
  stab.AddUnit(0, true, -1);
  EXPECT_EQ(LoadsOf(strength), before);
  EXPECT_EQ(stab.Items[kContainersItem], itemBefore);
}

TEST_F(BoxBarge, TankChangesAreSpreadOverTheirFramesAndTakenBack) {
  ASSERT_TRUE(Load(box::StrText()));
  // Key; name; capacity; ; group; VCG full; VCG empty; LCG; TCG; FSM; then
  // the frames 2..6 in fields 19 and 20.
  std::string line = "DB1;Double bottom 1;500;;4;1.5;0;20;3;120;";
  for (int f = 10; f <= 18; ++f) line += ";";
  line += "6;2;;0;0;;;;;;;\r\n";
  dir.Write("tnk.txt", line);
  std::string error;
  ASSERT_TRUE(stab.tanks().Load(dir.path(), error)) << error;
  const std::vector<Loads> before = LoadsOf(strength);

  stab.tanks().SetTankContent(0, 250);
  EXPECT_NEAR(TotalLoad(strength), 250, 1e-6);
  double torsion = 0;
  for (const Section& s : strength.Sections) torsion += s.TorsionMoment();
  EXPECT_NEAR(torsion, 250 * 3, 1e-5);
  EXPECT_NEAR(SectionAt(strength, 10)->TorsionMoment(), 750.0 / 5, 1e-5);
  stab.tanks().SetTankContent(0, 410.5);
  EXPECT_NEAR(TotalLoad(strength), 410.5, 1e-6);
  stab.tanks().SetTankContent(0, 0);
  EXPECT_EQ(LoadsOf(strength), before);
}

TEST_F(BoxBarge, FixedWeightIsSpreadOverTheLengthAndTakenBack) {
  ASSERT_TRUE(Load(box::StrText()));
  const char* header[] = {"1000", "5", "50", "0", "300", "8", "40", "0"};
  for (int i = 0; i < 8; ++i) plan->VesHdr[static_cast<size_t>(VesHdrIx::LightshipWeight + i)] = header[i];
  const std::vector<Loads> before = LoadsOf(strength);
  stab.SetFixedItems(+1);
  // Only the second fixed weight: the lightship has its own pieces.
  EXPECT_NEAR(TotalLoad(strength), 300, 1e-6);
  stab.SetFixedItems(-1);
  EXPECT_EQ(LoadsOf(strength), before);

  // Set before the data arrive: spread when they are loaded.
  stab.SetFixedItems(+1);
  ASSERT_TRUE(Load(box::StrText()));
  EXPECT_NEAR(TotalLoad(strength), 300, 1e-6);
}

TEST_F(BoxBarge, EvenKeelEquilibriumDraftAndGm) {
  ASSERT_TRUE(Load(box::StrText()));
  for (double w : {6000.0, 12400.0, 25000.0}) {
    SCOPED_TRACE(w);
    stab.ClearWeightItems(0, kMaxWeightItems - 1);
    ASSERT_TRUE(Load(box::StrText()));
    Ship(w, 50, 7);
    strength.ComputeStrength();
    const Strength::Results& r = strength.Result;
    ASSERT_EQ(r.State, StrengthState::Current);
    EXPECT_TRUE(r.Converged);
    const double t = box::DraftOf(w);
    EXPECT_NEAR(r.AftDraft, t, 0.001);
    EXPECT_NEAR(r.ForeDraft, t, 0.001);
    EXPECT_NEAR(r.Trim, 0, 0.001);
    EXPECT_NEAR(r.Displacement, w, 1.0);
    EXPECT_NEAR(r.KB, t / 2, 0.005);
    EXPECT_NEAR(r.BM, box::kB * box::kB / (12 * t), 0.005);
    EXPECT_NEAR(r.GM, t / 2 + box::kB * box::kB / (12 * t) - 7, 0.01);
    EXPECT_NEAR(r.LCF, 50, 1e-6);
    EXPECT_NEAR(r.WaterplaneArea, box::kL * box::kB, 0.01);
    EXPECT_NEAR(r.WaterplaneCoefficient, 1, 1e-4);
    // Moment to change trim 1 m of a box: ρ·B·L²/12.
    EXPECT_NEAR(r.MCT1m, box::kDensity * box::kB * box::kL * box::kL / 12, 0.01 * r.MCT1m);
  }
}

TEST_F(BoxBarge, FloatsFreelyAsTheClosedFormBox) {
  // Even keel, by the head and by the stern; the deep box with a high centre
  // of gravity is where leaving out (KG - KB)·tan(trim angle) shows most.
  struct Case {
    const char* name;
    double w, lcg, kg;
  } const cases[] = {
      {"even keel", 10064, 50, 12.14},
      {"by the head, high G", 10064, 54.67, 12.14},
      {"by the stern", 12400, 46, 6},
      {"by the stern, light", 6000, 47.5, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stab.ClearWeightItems(0, kMaxWeightItems - 1);
    ASSERT_TRUE(Load(box::StrText()));
    Ship(c.w, c.lcg, c.kg);
    strength.ComputeStrength();
    const Strength::Results& r = strength.Result;
    ASSERT_EQ(r.State, StrengthState::Current);
    EXPECT_TRUE(r.Converged);
    const box::Drafts exact = box::FreeFloating(c.w, stab.Displacement().Lcg(), stab.Displacement().Vcg());
    EXPECT_NEAR(r.AftDraft, exact.aft, 0.01);
    EXPECT_NEAR(r.ForeDraft, exact.fore, 0.01);
    EXPECT_NEAR(r.Trim, exact.aft - exact.fore, 0.01);
    EXPECT_NEAR(r.MeanDraft, box::DraftOf(c.w), 0.005);
  }
}

TEST_F(BoxBarge, BendingOfAPointLoadAmidshipsOnUniformWeight) {
  ASSERT_TRUE(Load(box::StrText()));
  const double uniform = 12000, p = 400;
  Ship(uniform, 50);
  stab.UpdateWeightItem(kContainersItem, p, 50, 10, 0, +1);
  strength.DistributeWeight(50, 50, p, 50, false);
  strength.SpreadTorsion(2, 8, 350);
  strength.SpreadTorsion(14, 15, -90);
  strength.ComputeStrength();
  ASSERT_EQ(strength.Result.State, StrengthState::Current);

  // Buoyancy (W + P)/L against weight W/L plus P at L/2: the shear falls
  // as -P·x/L to -P/2 just aft of midships, the bending moment reaches
  // -P·L/8 there (sagging).
  const double l = box::kL;
  EXPECT_NEAR(SectionAt(strength, 25)->Shear, -p * 25 / l, 0.01 * p / 4);
  EXPECT_NEAR(SectionAt(strength, 50)->Bending, -p * l / 8, 0.01 * p * l / 8);
  EXPECT_NEAR(SectionAt(strength, 25)->Bending, -p * 25 * 25 / (2 * l), 0.01 * p * l / 8);
  const Section& last = strength.Sections.back();
  EXPECT_NEAR(last.Shear, 0, 0.01);
  EXPECT_NEAR(last.Bending, 0, 0.5);
  EXPECT_EQ(last.Torsion, 0);
  EXPECT_NE(SectionAt(strength, 25)->Torsion, 0);
}

TEST_F(BoxBarge, LimitLinesChooseByMeanDraftAndGivePercentages) {
  // Two lines at 45 m: from 0 m and from 8 m of mean draft.
  ASSERT_TRUE(Load(box::StrText({"0;9;45;3000;0;60000;0;3000;1000;90000;80000;500",
                                 "8;9;45;3000;0;60000;0;4000;2000;90000;80000;500"})));
  struct Case {
    double draft;
    double allowedNegativeShear;
  };
  for (const Case c : {Case{9, 2000}, Case{5, 1000}}) {
    SCOPED_TRACE(c.draft);
    stab.ClearWeightItems(0, kMaxWeightItems - 1);
    ASSERT_TRUE(Load(box::StrText({"0;9;45;3000;0;60000;0;3000;1000;90000;80000;500",
                                   "8;9;45;3000;0;60000;0;4000;2000;90000;80000;500"})));
    // A point load P amidships makes the shear at 45 m -0.45·P.
    const double p = 500 / 0.45;
    Ship(box::Displacement(c.draft) - p, 50);
    stab.UpdateWeightItem(kContainersItem, p, 50, 10, 0, +1);
    strength.DistributeWeight(50, 50, p, 50, false);
    strength.ComputeStrength();
    ASSERT_EQ(strength.Result.State, StrengthState::Current);
    const Section* s = SectionAt(strength, 45);
    ASSERT_TRUE(s->HasLimits);
    EXPECT_EQ(s->AllowedShearNegative, c.allowedNegativeShear);
    EXPECT_NEAR(s->Shear, -500, 5);
    EXPECT_NEAR(s->ShearPercent, 500 * 100 / c.allowedNegativeShear, 0.01 * 50);
    EXPECT_NEAR(s->BendingPercent, -s->Bending * 100 / 80000, 1e-9);
    EXPECT_DOUBLE_EQ(strength.Result.MaxShearPercent, s->ShearPercent);
    for (const Section& other : strength.Sections) {
      if (&other != s) {
        EXPECT_EQ(other.ShearPercent, 0) << other.X;
      }
    }
  }
}

TEST_F(BoxBarge, NoEquilibriumIsFlaggedAndNotShownAsCurrent) {
  ASSERT_TRUE(Load(box::StrText()));
  Ship(12400, 50);
  strength.ComputeStrength();
  ASSERT_EQ(strength.Result.State, StrengthState::Current);
  const double draft = strength.Result.MeanDraft;

  struct Case {
    const char* what;
    double addition;
  };
  // Beyond 16 m of draft the table cannot float the ship; without weight
  // there is nothing to float.
  for (const Case c : {Case{"beyond the table", box::Displacement(17)}, Case{"no weight", -12400}}) {
    SCOPED_TRACE(c.what);
    stab.UpdateWeightItem(kContainersItem, c.addition, 50, 6, 0, +1);
    if (c.addition < 0) stab.ClearWeightItems(0, kMaxWeightItems - 1);
    strength.ComputeStrength();
    EXPECT_EQ(strength.Result.State, StrengthState::OutsideTable);
    EXPECT_EQ(strength.Result.MeanDraft, draft);  // the last equilibrium, flagged
  }
}

TEST_F(BoxBarge, ZerosInTheHeaderAndWaterDoNotDivide) {
  plan->VesHdr[VesHdrIx::BaysLength] = "";
  plan->SeaDensity = 0;
  ASSERT_TRUE(Load(box::StrText()));
  Ship(12400, 50);
  strength.ComputeStrength();
  ASSERT_EQ(strength.Result.State, StrengthState::Current);
  // The length falls back to the last station, the density to sea water.
  EXPECT_NEAR(strength.Result.MeanDraft, box::DraftOf(12400), 0.001);
  for (const Section& s : strength.Sections) {
    EXPECT_TRUE(std::isfinite(s.Shear) && std::isfinite(s.Bending) && std::isfinite(s.Torsion)) << s.X;
  }
}

}  // namespace

namespace {

// The demo feeder: hull tables, tanks and strength data all generated from
// one hull form. The sectional equilibrium and the hydrostatic table are two
// independent ways to float it and must agree.
std::filesystem::path DemoVessel(const char* folder) {
  return std::filesystem::path(ZUM4_SOURCE_DIR) / "data" / "demo" / folder;
}

// The particulars of a demo vessel, their names in file order as the
// parameter file lists them.
void ReadDemoParticulars(PlanData& plan, const std::filesystem::path& dir) {
  std::string error;
  std::vector<std::string> ptc;
  ASSERT_TRUE(ReadTextLines(dir / "ptc.txt", ptc, error)) << error;
  for (const std::string& line : ptc) {
    if (plan.VetCount == kMaxVet) break;
    plan.Vet[static_cast<size_t>(plan.VetCount++)] = line.substr(0, line.find(';'));
  }
  ASSERT_TRUE(ReadPtc(plan, dir / "ptc.txt", error)) << error;
}

const std::vector<std::string> kItemNames{"Lightship", "Constant", "Containers", "Spare", "Ballast",
                                          "Fuel",      "Diesel",   "Lube",       "Fresh water", "Misc",
                                          "Correction", "Deadweight", "Displacement"};

// The demo barge is a box of 100 m by 20 m: with its own tables and strength
// data it must float as the closed-form box does, level or trimmed, and show
// the hydrostatic figures of its sectional calculation.
TEST(BargeDemo, FloatsAsTheClosedFormBoxAtEveryTrim) {
  std::unique_ptr<PlanData> plan = CreatePlanData();
  ReadDemoParticulars(*plan, DemoVessel("BARGE"));
  ASSERT_EQ(plan->VesHdr[VesHdrIx::BaysLength], "100.00");
  Stability stab{*plan};
  stab.SetItemNames(kItemNames);
  std::string error;
  ASSERT_TRUE(stab.LoadTables(DemoVessel("BARGE"), error)) << error;
  ASSERT_TRUE(stab.strength().LoadStrengthData(DemoVessel("BARGE"), error)) << error;
  stab.SetFixedItems(+1);
  struct Case {
    const char* name;
    double cargo, lcg, vcg;
  } const cases[] = {
      {"even keel", 8064, 50, 13.91},
      {"by the head, high G", 8064, 55.83, 13.91},
      {"by the head, light", 3000, 56, 8},
      {"by the stern, deep", 12000, 46.5, 9},
      {"by the stern, light", 3000, 42, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stab.UpdateWeightItem(kContainersItem, c.cargo, c.lcg, c.vcg, 0, +1);
    stab.ComputeStability();
    const StabilityResults& r = stab.Results;
    const Strength::Results& s = stab.strength().Result;
    ASSERT_EQ(s.State, StrengthState::Current);
    EXPECT_TRUE(s.Converged);
    const WeightItem ship = stab.Displacement();
    const box::Drafts exact = box::FreeFloating(ship.Tonnes(), ship.Lcg(), ship.Vcg());
    EXPECT_NEAR(r.AftDraft, exact.aft, 0.01);
    EXPECT_NEAR(r.ForeDraft, exact.fore, 0.01);
    EXPECT_NEAR(r.Trim, exact.aft - exact.fore, 0.01);
    // The shown figures are the sectional ones, not the table's rounded
    // moment to change trim (170.83).
    EXPECT_DOUBLE_EQ(r.LCB, s.LCB);
    EXPECT_DOUBLE_EQ(r.LCF, s.LCF);
    EXPECT_DOUBLE_EQ(r.MTC, s.MCT1m / 100);
    EXPECT_NEAR(r.MTC, box::kDensity * box::kB * box::kL * box::kL / 12 / 100, 0.01);
    stab.UpdateWeightItem(kContainersItem, c.cargo, c.lcg, c.vcg, 0, -1);
  }
}

class FeederDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path dir = DemoVessel("FEEDER");
    std::string error;
    ReadDemoParticulars(*plan, dir);
    ASSERT_EQ(plan->VesHdr[VesHdrIx::LightshipWeight], "5450.0");
    for (Stability* s : {&tableOnly, &sectional}) {
      s->SetItemNames(kItemNames);
      ASSERT_TRUE(s->LoadTables(dir, error)) << error;
      ASSERT_TRUE(s->tanks().Load(dir, error)) << error;
    }
    ASSERT_TRUE(sectional.strength().LoadStrengthData(dir, error)) << error;
    emptyShip = LoadsOf(sectional.strength());
    for (Stability* s : {&tableOnly, &sectional}) s->SetFixedItems(+1);
  }
  void Fill(int group) {
    for (Stability* s : {&tableOnly, &sectional}) {
      s->tanks().FillGroup(group);
      s->ComputeStability();
    }
  }

  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability tableOnly{*plan};
  Stability sectional{*plan};
  std::vector<Loads> emptyShip;
};

TEST_F(FeederDemo, SectionalAndTableEquilibriaAgree) {
  Fill(5);
  const WeightItem ship = sectional.Displacement();
  // Cargo over 20 m brings the ship to the displacement, placed so that the
  // table floats it on an even keel; the sections must then agree.
  auto cargo = [&](double w, double x, int sign) {
    for (Stability* s : {&tableOnly, &sectional}) s->UpdateWeightItem(kContainersItem, w, x, 9, 0, sign);
    sectional.strength().DistributeWeight(x - 10, x + 10, sign * w, x, false);
    for (Stability* s : {&tableOnly, &sectional}) s->ComputeStability();
  };
  for (double displacement : {9000.0, 15000.0, 20000.0}) {
    SCOPED_TRACE(displacement);
    const double w = displacement - ship.Tonnes();
    cargo(w, 70, +1);
    const double lcb = tableOnly.Results.LCB;
    cargo(w, 70, -1);
    const double x = (displacement * lcb - ship.Tonnes() * ship.Lcg()) / w;
    cargo(w, x, +1);

    const StabilityResults& t = tableOnly.Results;
    const StabilityResults& s = sectional.Results;
    ASSERT_EQ(t.State, HydrostaticState::Current);
    ASSERT_EQ(sectional.strength().Result.State, StrengthState::Current);
    EXPECT_TRUE(sectional.strength().Result.Converged);
    EXPECT_NEAR(t.Trim, 0, 0.001);  // centres are kept to the millimetre
    // The table's drafts are cut to the centimetre: that and 1 cm of method.
    EXPECT_NEAR(s.MeanDraft, t.MeanDraft, 0.02);
    EXPECT_NEAR(s.Trim, 0, 0.05);
    EXPECT_NEAR(s.KM, t.KM, 0.05);
    EXPECT_NEAR(sectional.strength().Result.Displacement, displacement, 1.0);
    const Section& last = sectional.strength().Sections.back();
    EXPECT_NEAR(last.Shear, 0, 0.01);
    EXPECT_EQ(last.Torsion, 0);
    cargo(w, x, -1);
  }
}

TEST_F(FeederDemo, EmptyingEveryTankRestoresTheDistribution) {
  for (int group = kFirstTankGroup; group <= kLastTankGroup; ++group) Fill(group);
  sectional.SetFixedItems(-1);
  for (int group = kFirstTankGroup; group <= kLastTankGroup; ++group) sectional.tanks().EmptyGroup(group);
  // The sections added by the limit lines carry the intensities of the
  // strips they split; the loads at every original position are as before.
  for (const Loads& before : emptyShip) {
    const Section* now = SectionAt(sectional.strength(), before.x);
    ASSERT_NE(now, nullptr) << before.x;
    EXPECT_EQ(now->AftLoad, before.aft) << before.x;
    EXPECT_EQ(now->ForeLoad, before.fore) << before.x;
    EXPECT_EQ(now->PointLoad, before.point) << before.x;
    EXPECT_EQ(now->TorsionLoad, before.torsion) << before.x;
  }
}

}  // namespace
