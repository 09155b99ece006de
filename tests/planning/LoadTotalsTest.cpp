#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/PlanData.h"
#include "planning/LoadTotals.h"

namespace {

constexpr int kAll = kTotalsPorts - 1;  // the slot summing over every port

struct UnitFields {
  std::string pol;
  std::string pod;
  double weight = 10;
  std::string siz = "20";
  int mty = 0;
  std::string typ = "DV";
};

class LoadTotals : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> plan = CreatePlanData();

  // Puts a unit into record cell of the data set, as placement leaves it.
  StructDat& Put(int cell, const UnitFields& fields, int plane = kCurPlane) {
    StructDat& d = plan->Dat[plane][cell];
    d = StructDat{};
    d.POL = fields.pol;
    d.POD = fields.pod;
    d.WEIGHT = fields.weight;
    d.SIZ = fields.siz;
    d.MTY = fields.mty;
    d.TYP = fields.typ;
    d.STATUS = 1;
    return d;
  }
  int PolSlot(const std::string& code) const {
    for (int s = 0; s <= plan->PolCount; ++s)
      if (plan->PolList[s] == code) return s;
    return -1;
  }
  int PodSlot(const std::string& code) const {
    for (int s = 0; s <= plan->PodCount; ++s)
      if (plan->PodList[s] == code) return s;
    return -1;
  }
  int Count(int pod, int pol, int cat) const { return plan->LoadTotals.COUNT[pod][pol][cat]; }
  double Weight(int pod, int pol, int cat) const { return plan->LoadTotals.WEIGHT[pod][pol][cat]; }
  int GrandCount() const {
    int n = 0;
    for (int cat = 0; cat < kTotalsCategories; ++cat) n += Count(kAll, kAll, cat);
    return n;
  }
};

TEST_F(LoadTotals, EachUnitLandsInItsCategory) {
  struct Case {
    const char* what;
    UnitFields unit;
    int category;
  };
  const std::vector<Case> cases = {
      {"20' full", {"AAA", "BBB", 10, "20", 0, "DV"}, 0},
      {"20' empty", {"AAA", "BBB", 2, "22", 1, "DV"}, 1},
      {"40' full", {"AAA", "BBB", 20, "40", 0, "DV"}, 2},
      {"45' high cube empty", {"AAA", "BBB", 4, "45", 1, "HC"}, 3},
      {"break bulk 20'", {"AAA", "BBB", 30, "20", 0, "BB"}, 4},
      {"break bulk marked empty", {"AAA", "BBB", 30, "40", 1, "BB"}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plan->PolCount = plan->PodCount = -1;
    Put(0, c.unit);
    AddToTotals(*plan, 0, +1, kCurPlane);
    for (int cat = 0; cat < kTotalsCategories; ++cat) {
      EXPECT_EQ(Count(0, 0, cat), cat == c.category ? 1 : 0) << "category " << cat;
      EXPECT_EQ(Count(kAll, kAll, cat), cat == c.category ? 1 : 0) << "category " << cat;
    }
    EXPECT_DOUBLE_EQ(Weight(0, 0, c.category), c.unit.weight);
  }
}

TEST_F(LoadTotals, CountsTheRouteThePortsAndTheGrandTotal) {
  Put(0, {"AAA", "XXX", 10});
  Put(1, {"AAA", "YYY", 12});
  Put(2, {"BBB", "XXX", 15});
  Put(3, {"BBB", "XXX", 20, "40"});
  for (int i = 0; i < 4; ++i) AddToTotals(*plan, i, +1, kCurPlane);

  ASSERT_EQ(plan->PolCount, 1);
  ASSERT_EQ(plan->PodCount, 1);
  const int a = PolSlot("AAA"), b = PolSlot("BBB");
  const int x = PodSlot("XXX"), y = PodSlot("YYY");
  ASSERT_EQ(a, 0);
  ASSERT_EQ(b, 1);
  ASSERT_EQ(x, 0);
  ASSERT_EQ(y, 1);

  EXPECT_EQ(Count(x, a, 0), 1);
  EXPECT_EQ(Count(y, a, 0), 1);
  EXPECT_EQ(Count(x, b, 0), 1);
  EXPECT_EQ(Count(x, b, 2), 1);
  EXPECT_EQ(Count(y, b, 0), 0);
  EXPECT_DOUBLE_EQ(Weight(x, b, 0), 15);

  // Loaded at a port, over every discharge port.
  EXPECT_EQ(Count(kAll, a, 0), 2);
  EXPECT_DOUBLE_EQ(Weight(kAll, a, 0), 22);
  EXPECT_EQ(Count(kAll, b, 0), 1);
  EXPECT_EQ(Count(kAll, b, 2), 1);
  // Discharged at a port, over every loading port.
  EXPECT_EQ(Count(x, kAll, 0), 2);
  EXPECT_DOUBLE_EQ(Weight(x, kAll, 0), 25);
  EXPECT_EQ(Count(y, kAll, 0), 1);
  // Everything.
  EXPECT_EQ(Count(kAll, kAll, 0), 3);
  EXPECT_EQ(Count(kAll, kAll, 2), 1);
  EXPECT_DOUBLE_EQ(Weight(kAll, kAll, 0), 37);
  EXPECT_DOUBLE_EQ(Weight(kAll, kAll, 2), 20);

  // Taking a unit away undoes it in all four places.
  AddToTotals(*plan, 1, -1, kCurPlane);
  EXPECT_EQ(Count(y, a, 0), 0);
  EXPECT_EQ(Count(kAll, a, 0), 1);
  EXPECT_EQ(Count(y, kAll, 0), 0);
  EXPECT_EQ(Count(kAll, kAll, 0), 2);
  EXPECT_DOUBLE_EQ(Weight(kAll, kAll, 0), 25);
}

TEST_F(LoadTotals, TheFortyFirstPortTakesOverSlot39AndMergesItsCounts) {
  for (int p = 0; p < 42; ++p) {
    Put(p, {"P" + std::to_string(p), "DDD", 1.0 + p});
    AddToTotals(*plan, p, +1, kCurPlane);
  }
  EXPECT_EQ(plan->PolCount, 39);
  EXPECT_EQ(plan->PolList[38], "P38");
  // P39, P40 and P41 have all been counted in the last slot, named after the
  // latest of them.
  EXPECT_EQ(plan->PolList[39], "P41");
  EXPECT_TRUE(plan->PolList[40].empty());
  EXPECT_EQ(Count(0, 39, 0), 3);
  EXPECT_DOUBLE_EQ(Weight(0, 39, 0), 40 + 41 + 42);
  EXPECT_EQ(Count(0, kAll, 0), 42);
  EXPECT_EQ(Count(kAll, kAll, 0), 42);
  EXPECT_EQ(plan->PodCount, 0);
}

TEST_F(LoadTotals, ACountBackAtZeroHasNoWeightLeft) {
  // Floating-point sums of these do not come back to exactly 0 on their own.
  const std::vector<double> weights = {0.1, 0.2, 0.3, 7.7, 1.35};
  for (size_t i = 0; i < weights.size(); ++i) {
    Put(static_cast<int>(i), {"AAA", "BBB", weights[i]});
    AddToTotals(*plan, static_cast<int>(i), +1, kCurPlane);
  }
  for (size_t i = weights.size(); i-- > 0;) AddToTotals(*plan, static_cast<int>(i), -1, kCurPlane);
  EXPECT_EQ(Count(0, 0, 0), 0);
  EXPECT_EQ(Weight(0, 0, 0), 0.0);
  EXPECT_EQ(Weight(0, kAll, 0), 0.0);
  EXPECT_EQ(Weight(kAll, 0, 0), 0.0);
  EXPECT_EQ(Weight(kAll, kAll, 0), 0.0);
}

TEST_F(LoadTotals, WhichRecordsAreCounted) {
  struct Case {
    const char* what;
    int plane;
    int status;
    int fl3;
    int selected;
    bool counted;
  };
  const std::vector<Case> cases = {
      {"unit on board", kCurPlane, 1, 0, 1, true},
      {"free cell", kCurPlane, 0, 0, 1, false},
      {"second cell of a 40'", kCurPlane, -1, 0, 1, false},
      {"bundle member", kCurPlane, 1, 1, 1, false},
      {"not selected", kCurPlane, 1, 0, 0, false},
      {"not selected, reference set", kRefPlane, 1, 0, 0, false},
      {"reference set", kRefPlane, 1, 0, 1, true},
      {"not selected on the quay", kQuayPlane, 1, 0, 0, true},
      {"negative selection on the quay", kQuayPlane, 1, 0, -1, true},
      {"taken from the quay", kQuayPlane, -1, 0, 1, false},
      {"bundle member on the quay", kQuayPlane, 1, 2, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plan->PolCount = plan->PodCount = -2;
    StructDat& d = Put(5, {"AAA", "BBB", 10}, c.plane);
    d.STATUS = c.status;
    d.FL3 = c.fl3;
    d.SELECTED = c.selected;
    AddToTotals(*plan, 5, +1, c.plane);
    EXPECT_EQ(GrandCount(), c.counted ? 1 : 0);
    EXPECT_EQ(plan->PolCount, c.counted ? 0 : -1);
  }
}

TEST_F(LoadTotals, StaleTotalsAreRebuiltFromTheNextCountedUnit) {
  Put(0, {"AAA", "BBB", 10});
  Put(1, {"CCC", "DDD", 20, "40"});
  AddToTotals(*plan, 0, +1, kCurPlane);
  AddToTotals(*plan, 1, +1, kCurPlane);

  plan->PolCount = plan->PodCount = -1;
  AddToTotals(*plan, 1, +1, kCurPlane);
  EXPECT_EQ(plan->PolCount, 0);
  EXPECT_EQ(plan->PolList[0], "CCC");
  EXPECT_EQ(plan->PodList[0], "DDD");
  EXPECT_TRUE(plan->PolList[1].empty());
  EXPECT_EQ(GrandCount(), 1);
  EXPECT_EQ(Count(0, 0, 0), 0);
  EXPECT_EQ(Count(0, 0, 2), 1);
  EXPECT_DOUBLE_EQ(Weight(kAll, kAll, 2), 20);
}

TEST_F(LoadTotals, MinusTwoEmptiesTheTotalsAtOnce) {
  Put(0, {"AAA", "BBB", 10});
  AddToTotals(*plan, 0, +1, kCurPlane);
  ASSERT_EQ(GrandCount(), 1);

  // A free cell counts nothing, yet the totals are emptied.
  plan->PolCount = -2;
  AddToTotals(*plan, 1, +1, kCurPlane);
  EXPECT_EQ(GrandCount(), 0);
  EXPECT_EQ(Weight(kAll, kAll, 0), 0.0);
  EXPECT_EQ(plan->PolCount, -1);
  EXPECT_EQ(plan->PodCount, -1);
  EXPECT_TRUE(plan->PolList[0].empty());
  EXPECT_TRUE(plan->PodList[0].empty());

  // Done once: later additions build on the empty totals.
  AddToTotals(*plan, 0, +1, kCurPlane);
  Put(2, {"AAA", "BBB", 5});
  AddToTotals(*plan, 2, +1, kCurPlane);
  EXPECT_EQ(Count(kAll, kAll, 0), 2);
}

TEST_F(LoadTotals, ValidPortListsAreKeptAndExtended) {
  // The voyage data set is counted against the departure ports listed in
  // calling order beforehand.
  ResetTotals(*plan);
  plan->PolList[0] = "FIR";
  plan->PolList[1] = "SEC";
  plan->PolCount = 1;
  Put(0, {"SEC", "ZZZ", 10});
  AddToTotals(*plan, 0, +1, kCurPlane);
  EXPECT_EQ(plan->PolList[0], "FIR");
  EXPECT_EQ(Count(0, 1, 0), 1);
  EXPECT_EQ(Count(kAll, 0, 0), 0);
  EXPECT_EQ(plan->PodCount, 0);
}

TEST_F(LoadTotals, OutOfRangeCellsAndPlanesAreIgnored) {
  Put(0, {"AAA", "BBB", 10});
  AddToTotals(*plan, 0, +1, kCurPlane);
  const int before = GrandCount();
  AddToTotals(*plan, -1, +1, kCurPlane);
  AddToTotals(*plan, kMaxCells, +1, kCurPlane);
  AddToTotals(*plan, 0, +1, -1);
  AddToTotals(*plan, 0, +1, kPlaneCount);
  EXPECT_EQ(GrandCount(), before);
  EXPECT_EQ(plan->PolCount, 0);
}

}  // namespace
