#include <gtest/gtest.h>

#include "core/PlanData.h"
#include "stability/Stability.h"

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

}  // namespace
