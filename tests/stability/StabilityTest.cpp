#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BoxBargeStrength.h"
#include "Hull.h"
#include "Hydrostatics.h"
#include "TableWriter.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "stability/Stability.h"
#include "stability/Strength.h"

namespace {

class WeightSums : public ::testing::Test {
 protected:
  void SetUp() override {
    plan->CellCount = 3;
    plan->Cells[0] = {"010082", 0, 10.25, 14.5, -2.4, 16.3};
    plan->Cells[1] = {"030082", 0, 16.35, 14.5, -2.4, 999};
    plan->Cells[2] = {"010004", 0, 10.25, 3.1, 0, 16.3};
    plan->VesHdr[VesHdrIx::CellVcgAddition] = "0,5";
  }
  StructDat& Unit(int cell, double weight) {
    StructDat& u = plan->Cur()[static_cast<size_t>(cell)];
    u.STATUS = 1;
    u.WEIGHT = weight;
    return u;
  }
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
};

TEST_F(WeightSums, UnitActsAtItsCellsCentres) {
  Unit(0, 20);
  stab.AddUnit(0, true, +1);
  const WeightItem& c = stab.Items[kContainersItem];
  EXPECT_DOUBLE_EQ(c.Tonnes(), 20);
  EXPECT_DOUBLE_EQ(c.Lcg(), 10.25);
  EXPECT_DOUBLE_EQ(c.Vcg(), 15.0);  // cell VCG plus the vessel's addition
  EXPECT_DOUBLE_EQ(c.Tcg(), -2.4);

  Unit(2, 30);
  stab.AddUnit(2, false, +1);  // a 40' unit acts at LCG_40
  EXPECT_DOUBLE_EQ(c.Tonnes(), 50);
  EXPECT_NEAR(c.Lcg(), (20 * 10.25 + 30 * 16.3) / 50, 1e-9);
}

TEST_F(WeightSums, AddingAndTakingAwayRestoresEverySumExactly) {
  stab.UpdateWeightItem(kContainersItem, 1234.567, 55.5, 9.87, 0.01, +1);
  const WeightItem before = stab.Items[kContainersItem];
  const double weights[] = {21.7, 3.3, 0.1 + 0.2, 29.999, 12.345678};
  for (double w : weights) {
    Unit(1, w);
    stab.AddUnit(1, true, +1);
  }
  for (double w : {12.345678, 21.7, 29.999, 3.3, 0.1 + 0.2}) {  // another order
    Unit(1, w);
    stab.AddUnit(1, true, -1);
  }
  EXPECT_EQ(stab.Items[kContainersItem], before);
}

TEST_F(WeightSums, FreeRecordsAndOtherCellsAddNothing) {
  stab.AddUnit(0, true, +1);   // STATUS 0
  stab.AddUnit(-1, true, +1);
  stab.AddUnit(3, true, +1);   // beyond CellCount
  EXPECT_EQ(stab.Items[kContainersItem], WeightItem{});
}

TEST_F(WeightSums, AnItemOfFourHundredKilosOrLessIsCleared) {
  stab.UpdateWeightItem(5, 10, 50, 2, 1, +1, 3.5);
  stab.UpdateWeightItem(5, 9.6, 50, 2, 1, -1, 3.5);
  EXPECT_EQ(stab.Items[5], WeightItem{});
  stab.UpdateWeightItem(5, 0.4, 50, 2, 1, +1);
  EXPECT_EQ(stab.Items[5], WeightItem{});
  stab.UpdateWeightItem(5, 0.41, 50, 2, 1, +1);
  EXPECT_DOUBLE_EQ(stab.Items[5].Tonnes(), 0.41);
}

TEST_F(WeightSums, WeightsAndCentresBeyondAnyShipAreRefused) {
  // The exact sums would overflow; such values come only from broken tables.
  stab.UpdateWeightItem(5, 1e12, 1, 1, 1, +1);
  stab.UpdateWeightItem(5, 10, 1e9, 1, 1, +1);
  stab.UpdateWeightItem(5, 10, 1, 1, 1, +1, std::nan(""));
  EXPECT_EQ(stab.Items[5], WeightItem{});
}

TEST_F(WeightSums, FixedItemsDisplacementAndClearing) {
  // Header order: weight, VCG, LCG, TCG.
  const char* header[] = {"8500", "10,2", "90.5", "0", "350", "12", "80", "0.5"};
  for (int i = 0; i < 8; ++i) plan->VesHdr[static_cast<size_t>(VesHdrIx::LightshipWeight + i)] = header[i];
  stab.SetItemNames({"Lightship", "Constant", "Containers", "Spare", "Ballast", "Fuel", "Diesel", "Lube",
                     "Fresh water", "Misc", "Correction", "Deadweight", "Displacement"});
  EXPECT_EQ(stab.ItemCount(), 13);
  stab.SetFixedItems(+1);
  EXPECT_DOUBLE_EQ(stab.Items[kLightshipItem].Vcg(), 10.2);
  EXPECT_DOUBLE_EQ(stab.Items[kLightshipItem].Lcg(), 90.5);
  EXPECT_DOUBLE_EQ(stab.Items[kFixedWeightItem].Tcg(), 0.5);
  Unit(0, 20);
  stab.AddUnit(0, true, +1);
  stab.UpdateWeightItem(10, 999, 1, 1, 1, +1);  // the correction item counts
  stab.UpdateWeightItem(11, 999, 1, 1, 1, +1);  // the derived items do not
  const WeightItem total = stab.Displacement();
  EXPECT_DOUBLE_EQ(total.Tonnes(), 8500 + 350 + 20 + 999);

  stab.ClearWeightItems(2, 99);  // "to" is limited to the last item
  EXPECT_EQ(stab.Items[kContainersItem], WeightItem{});
  EXPECT_EQ(stab.Items[12], WeightItem{});
  EXPECT_DOUBLE_EQ(stab.Items[kLightshipItem].Tonnes(), 8500);
  stab.SetFixedItems(-1);
  EXPECT_EQ(stab.Displacement(), WeightItem{});
}

// The box barge of the strength tables with its hydrostatic table, for the
// draft survey, the report and the hand-over to the sectional equilibrium.
class SurveyedBarge : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = std::make_unique<TempDir>();
    const Hull hull = BoxBarge(box::kL, box::kB, 20, 40, 20);
    std::vector<HydrostaticRow> hyd;
    for (int t = 1; t <= 19; ++t) hyd.push_back(HydrostaticRowAt(hull, t));
    std::string error;
    ASSERT_TRUE(WriteHyd(dir->path() / "HYD.txt", hyd, error)) << error;
    dir->Write("STR.txt", box::StrText({"0;10;50;3000;0;60000;0;4000;4000;90000;80000;500"}));
  }
  static void TearDownTestSuite() { dir.reset(); }

  void SetUp() override {
    plan->VesHdr[VesHdrIx::BaysLength] = "100";
    plan->VesHdr[14] = "20";
    stab.SetItemNames({"Lightship", "Constant", "Containers", "Spare", "Ballast", "Fuel", "Diesel", "Lube",
                       "Fresh water", "Misc", "Correction", "Deadweight", "Displacement"});
    std::string error;
    ASSERT_TRUE(stab.LoadTables(dir->path(), error)) << error;
  }
  void LoadStrength() {
    std::string error;
    ASSERT_TRUE(stab.strength().LoadStrengthData(dir->path(), error)) << error;
  }
  // Lightship and containers at one centre, spread over the length when the
  // strength data are loaded.
  void Load(double w, double lcg) {
    stab.UpdateWeightItem(kLightshipItem, w * 0.8, lcg, 5, 0, +1);
    stab.UpdateWeightItem(kContainersItem, w * 0.2, lcg, 12, 0, +1);
    if (stab.strength().Loaded()) stab.strength().DistributeWeight(0, box::kL, w, lcg, false);
    stab.ComputeStability();
  }

  static inline std::unique_ptr<TempDir> dir;
  std::unique_ptr<PlanData> plan = CreatePlanData();
  Stability stab{*plan};
  const StabilityResults& r = stab.Results;
};

TEST_F(SurveyedBarge, ObservedDraftsWithinTwoCentimetresChangeNothing) {
  Load(box::Displacement(8), 50);
  const auto items = stab.Items;
  EXPECT_FALSE(stab.CorrectFromDrafts(r.AftMarksDraft + 0.019, r.ForeMarksDraft - 0.019));
  EXPECT_EQ(stab.Items, items);
}

TEST_F(SurveyedBarge, CorrectionFromTheTableAndItsClearing) {
  Load(box::Displacement(8), 50);
  const auto items = stab.Items;
  const double mean = r.MeanDraft, km = r.KM, gm = r.GM;

  ASSERT_TRUE(stab.CorrectFromDrafts(8.3, 8.3));
  const WeightItem& correction = stab.Items[static_cast<size_t>(stab.CorrectionItem())];
  // 30 cm more draft: 0.3 m × L × B of sea water, to within a centimetre of
  // immersion.
  const double tpc = box::kL * box::kB * box::kDensity / 100;
  EXPECT_NEAR(correction.Tonnes(), box::Displacement(8.3) - box::Displacement(8), tpc);
  EXPECT_NEAR(r.MeanDraft, 8.3, 0.01);
  EXPECT_NEAR(correction.Vcg(), 12, 1e-9);  // at the containers' VCG
  EXPECT_NEAR(correction.Lcg(), 50, 1e-9);

  stab.ClearCorrection();
  EXPECT_EQ(stab.Items, items);
  EXPECT_EQ(r.MeanDraft, mean);
  EXPECT_EQ(r.KM, km);
  EXPECT_EQ(r.GM, gm);

  // A lighter ship than computed: the correction is negative and stays so.
  ASSERT_TRUE(stab.CorrectFromDrafts(7.5, 7.5));
  EXPECT_LT(correction.Tonnes(), 0);
  EXPECT_NEAR(r.MeanDraft, 7.5, 0.01);
  stab.ClearCorrection();
  EXPECT_EQ(stab.Items, items);
}

TEST_F(SurveyedBarge, SectionalEquilibriumGivesDraftsTrimAndKm) {
  LoadStrength();
  Load(box::Displacement(8), 48);
  const Strength::Results& s = stab.strength().Result;
  ASSERT_EQ(s.State, StrengthState::Current);
  ASSERT_EQ(r.State, HydrostaticState::Current);
  EXPECT_EQ(r.AftDraft, s.AftDraft);
  EXPECT_EQ(r.ForeDraft, s.ForeDraft);
  EXPECT_EQ(r.Trim, s.Trim);
  EXPECT_EQ(r.KM, s.KM);
  EXPECT_GT(r.Trim, 0);  // G aft of amidships: by the stern
  EXPECT_NEAR(r.GM, s.KM - r.VCG, 1e-9);
}

TEST_F(SurveyedBarge, CorrectionFromTheSectionsAndItsClearing) {
  LoadStrength();
  Load(box::Displacement(8), 50);
  const auto items = stab.Items;
  std::vector<std::int64_t> loads;
  for (const Strength::Section& c : stab.strength().Sections) loads.push_back(c.AftLoad + 3 * c.ForeLoad + 7 * c.PointLoad);
  const double mean = r.MeanDraft;

  ASSERT_TRUE(stab.CorrectFromDrafts(8.7, 7.9));
  // A box floats the same volume at 8.7/7.9 as at 8.3 even keel.
  EXPECT_NEAR(stab.Displacement().Tonnes(), box::Displacement(8.3), 1.0);
  EXPECT_NEAR(r.AftDraft, 8.7, 0.005);
  EXPECT_NEAR(r.ForeDraft, 7.9, 0.005);

  auto loadsNow = [&] {
    std::vector<std::int64_t> now;
    for (const Strength::Section& c : stab.strength().Sections) now.push_back(c.AftLoad + 3 * c.ForeLoad + 7 * c.PointLoad);
    return now;
  };
  stab.ClearCorrection();
  EXPECT_EQ(stab.Items, items);
  EXPECT_EQ(loadsNow(), loads);
  EXPECT_NEAR(r.MeanDraft, mean, 1e-9);

  // A correction kept with a condition replaces the present one.
  stab.EnterCorrection(600, 40, 8);
  stab.EnterCorrection(-200, 60, 8);
  EXPECT_DOUBLE_EQ(stab.Items[static_cast<size_t>(stab.CorrectionItem())].Tonnes(), -200);
  stab.ClearCorrection();
  EXPECT_EQ(loadsNow(), loads);

  // Clearing the items before a condition is read takes the correction's
  // spread along too.
  ASSERT_TRUE(stab.CorrectFromDrafts(8.5, 8.1));
  stab.ClearWeightItems(kContainersItem, stab.ItemCount() - 1);
  EXPECT_EQ(loadsNow(), loads);
}

TEST_F(SurveyedBarge, BeyondTheBonjeanTableTheHydrostaticTableStands) {
  for (int i = 54; i <= 83; ++i) plan->Messages[static_cast<size_t>(i)] = "M" + std::to_string(i);
  LoadStrength();
  Load(box::Displacement(8), 50);
  ASSERT_EQ(stab.strength().Result.State, StrengthState::Current);
  // 17.5 m: inside the hydrostatic table, beyond the Bonjean table's 16 m.
  stab.UpdateWeightItem(kContainersItem, box::Displacement(9.5), 50, 12, 0, +1);
  stab.ComputeStability();
  EXPECT_EQ(stab.strength().Result.State, StrengthState::OutsideTable);
  ASSERT_EQ(r.State, HydrostaticState::Current);
  EXPECT_NEAR(r.MeanDraft, 17.5, 0.01);  // not the last sectional 8 m
  std::vector<std::string> lines;
  stab.StabilityReport(lines);
  ASSERT_EQ(lines.size(), 2u + 14 + 1 + 27 + 2);
  EXPECT_NE(lines[36].find("within the Bonjean table"), std::string::npos) << lines[36];
}

TEST_F(SurveyedBarge, ReportLines) {
  for (int i = 54; i <= 83; ++i) plan->Messages[static_cast<size_t>(i)] = "M" + std::to_string(i);
  Load(box::Displacement(8), 50);
  std::vector<std::string> lines;
  stab.StabilityReport(lines);
  // Two headings, 13 items with a blank before the two sums, a blank, 27
  // lines.
  ASSERT_EQ(lines.size(), 2u + 14 + 1 + 27);
  EXPECT_EQ(lines[0], "M81");
  EXPECT_EQ(lines[2].substr(0, 19), "   Lightship       ");
  EXPECT_EQ(lines[2], "   Lightship       " + Pad(FormatFixed(box::Displacement(8) * 0.8, 2), 9, true) +
                          "   50.00    5.00        ");
  EXPECT_EQ(lines[3], "   Constant        ");
  EXPECT_EQ(lines[13], "");
  EXPECT_EQ(lines[16], "");
  // 8.005 m is 315 inches: 26 feet 3 inches.
  EXPECT_EQ(lines[17], "   M54                   8.00 (m)    26'3\"");
  EXPECT_EQ(lines[17 + 17], "   M71                 " + Pad(FormatFixed(r.RollingPeriod, 0), 6, true) + " (s)");
  EXPECT_EQ(lines[17 + 26], "   M80                           ");  // no flooding angle

  // Beyond the hydrostatic table the report says so.
  stab.UpdateWeightItem(kContainersItem, box::Displacement(12), 50, 12, 0, +1);
  stab.ComputeStability();
  ASSERT_EQ(r.State, HydrostaticState::OutsideTable);
  lines.clear();
  stab.StabilityReport(lines);
  EXPECT_NE(lines[2].find("beyond the hydrostatic table"), std::string::npos) << lines[2];

  // With strength data: the three percentages follow the rolling period.
  stab.ClearWeightItems(0, kMaxWeightItems - 1);
  LoadStrength();
  Load(box::Displacement(8), 50);
  lines.clear();
  stab.StabilityReport(lines);
  ASSERT_EQ(lines.size(), 2u + 14 + 1 + 27 + 4);
  EXPECT_EQ(lines[35], "");
  EXPECT_EQ(lines[36].substr(0, 22), "   Bending Moment     ");
  EXPECT_EQ(lines[36].substr(28), " %");
  EXPECT_EQ(lines[37].substr(0, 22), "   Shear Forces       ");
  EXPECT_EQ(lines[38].substr(0, 22), "   Torsion            ");
}

}  // namespace
