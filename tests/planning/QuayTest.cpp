#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/PlanData.h"
#include "planning/Quay.h"

namespace {

constexpr int kTotal = kRouteCategories - 1;  // route total slot
constexpr int kShared = kMaxRouteKeys - 1;    // slot shared by routes beyond the list

// Empty units keep the route category independent of the weight classes:
// 4 for 20', 12 for 40', and 16 for break bulk.
StructDat Unit(const std::string& pol, const std::string& pod, const std::string& siz = "20",
               const std::string& container = "") {
  StructDat d;
  d.CONTAINER = container;
  d.POL = pol;
  d.POD = pod;
  d.SIZ = siz;
  d.TYP = "DV";
  d.MTY = 1;
  d.WEIGHT = 2.2;
  return d;
}

// A three-letter port code for n, so that every n gives a new route.
std::string Port(int n) {
  return std::string(1, static_cast<char>('A' + n / 26)) + static_cast<char>('A' + n % 26) + "X";
}

class Quay : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> plan = CreatePlanData();
  StructDat& Record(int i) { return plan->Dat[kQuayPlane][i]; }
  int Route(const std::string& key) const {
    for (int r = 0; r < kMaxRouteKeys; ++r)
      if (plan->RouteKeys[r] == key) return r;
    return -1;
  }
};

TEST_F(Quay, PutAppendsTheUnitAndCountsItsRoute) {
  StructDat unit = Unit("AAA", "BBB", "20", "ABCU1234565");
  unit.STATUS = -1;  // as copied from the second cell: on the quay it is a unit of its own
  unit.POSITION = "030282";
  ASSERT_TRUE(PutToQuay(*plan, unit));
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB", "40")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "CCC")));

  EXPECT_EQ(plan->QuayCount, 3);
  EXPECT_EQ(plan->QuayLive, 3);
  EXPECT_EQ(Record(0).CONTAINER, "ABCU1234565");
  EXPECT_EQ(Record(0).POSITION, "030282");
  EXPECT_EQ(Record(0).STATUS, 1);
  EXPECT_EQ(Record(1).SIZ, "40");
  EXPECT_EQ(Record(2).POD, "CCC");

  EXPECT_EQ(plan->RouteCount, 2);
  const int ab = Route("AAABBB"), ac = Route("AAACCC");
  ASSERT_EQ(ab, 0);
  ASSERT_EQ(ac, 1);
  EXPECT_EQ(plan->RouteMatrix[ab][4], 1);
  EXPECT_EQ(plan->RouteMatrix[ab][12], 1);
  EXPECT_EQ(plan->RouteMatrix[ab][kTotal], 2);
  EXPECT_EQ(plan->RouteMatrix[ac][4], 1);
  EXPECT_EQ(plan->RouteMatrix[ac][kTotal], 1);
}

TEST_F(Quay, BundleMembersStayWithTheirBase) {
  StructDat member = Unit("AAA", "BBB");
  member.FL3 = 1;
  EXPECT_TRUE(PutToQuay(*plan, member));
  EXPECT_EQ(plan->QuayCount, 0);
  EXPECT_EQ(plan->QuayLive, 0);
  EXPECT_EQ(plan->RouteCount, 0);
  EXPECT_EQ(plan->RouteMatrix[0][kTotal], 0);
}

TEST_F(Quay, RestowFromAFortyFootBayNamesTheFore20FootBay) {
  struct Case {
    const char* from;
    const char* stored;
  };
  const std::vector<Case> twoDigitBays = {
      {"020282", "010282"}, {"400482", "390482"}, {"010282", "010282"}, {"390006", "390006"},
      {"", ""},             {"0", "0"},           {"XX0282", "XX0282"},
  };
  for (const Case& c : twoDigitBays) {
    SCOPED_TRACE(c.from);
    StructDat unit = Unit("AAA", "BBB");
    unit.RESTOW = 1;
    unit.RESTOW_FROM = c.from;
    ASSERT_TRUE(PutToQuay(*plan, unit));
    EXPECT_EQ(Record(plan->QuayCount - 1).RESTOW_FROM, c.stored);
  }

  // The cell-name layout decides where the bay digits are and how many.
  plan->BayPos = 3;
  plan->BayLen = 3;
  plan->RowPos = 1;
  StructDat unit = Unit("AAA", "BBB");
  unit.RESTOW_FROM = "02100082";
  ASSERT_TRUE(PutToQuay(*plan, unit));
  EXPECT_EQ(Record(plan->QuayCount - 1).RESTOW_FROM, "02099082");
  // The unit handed in is left as it was.
  EXPECT_EQ(unit.RESTOW_FROM, "02100082");
}

TEST_F(Quay, TakingUncountsAndKeepsTheRecord) {
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB", "40")));
  TakeFromQuay(*plan, 1);
  EXPECT_EQ(Record(1).STATUS, -1);
  EXPECT_EQ(Record(1).SIZ, "40");
  EXPECT_EQ(plan->QuayCount, 2);
  EXPECT_EQ(plan->QuayLive, 1);
  EXPECT_EQ(plan->RouteMatrix[0][12], 0);
  EXPECT_EQ(plan->RouteMatrix[0][kTotal], 1);

  // A taken record, an unused record and no record at all change nothing.
  TakeFromQuay(*plan, 1);
  TakeFromQuay(*plan, 2);
  TakeFromQuay(*plan, -1);
  TakeFromQuay(*plan, kMaxCells);
  EXPECT_EQ(plan->QuayLive, 1);
  EXPECT_EQ(plan->RouteMatrix[0][4], 1);
  EXPECT_EQ(plan->RouteMatrix[0][kTotal], 1);
}

TEST_F(Quay, TakingTheLastLiveUnitEmptiesTheQuay) {
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "CCC")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("DDD", "CCC")));
  TakeFromQuay(*plan, 0);
  TakeFromQuay(*plan, 2);
  EXPECT_EQ(plan->QuayCount, 3);
  EXPECT_EQ(plan->QuayLive, 1);
  EXPECT_EQ(plan->RouteCount, 3);

  TakeFromQuay(*plan, 1);
  EXPECT_EQ(plan->QuayCount, 0);
  EXPECT_EQ(plan->QuayLive, 0);
  EXPECT_EQ(plan->RouteCount, 0);

  // The next unit starts a fresh list.
  ASSERT_TRUE(PutToQuay(*plan, Unit("EEE", "FFF")));
  EXPECT_EQ(plan->QuayCount, 1);
  EXPECT_EQ(plan->RouteCount, 1);
  EXPECT_EQ(plan->RouteKeys[0], "EEEFFF");
  EXPECT_EQ(plan->RouteMatrix[0][kTotal], 1);
}

TEST_F(Quay, TakeRouteTakesOnlyThatRoute) {
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "CCC")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB", "40")));
  ASSERT_TRUE(PutToQuay(*plan, Unit("BBB", "AAA")));
  TakeRouteFromQuay(*plan, Route("AAABBB"));
  EXPECT_EQ(Record(0).STATUS, -1);
  EXPECT_EQ(Record(1).STATUS, 1);
  EXPECT_EQ(Record(2).STATUS, -1);
  EXPECT_EQ(Record(3).STATUS, 1);
  EXPECT_EQ(plan->QuayLive, 2);
  EXPECT_EQ(plan->RouteMatrix[Route("AAABBB")][kTotal], 0);
  EXPECT_EQ(plan->RouteMatrix[Route("AAACCC")][kTotal], 1);

  TakeRouteFromQuay(*plan, -1);
  TakeRouteFromQuay(*plan, kMaxRouteKeys);
  TakeRouteFromQuay(*plan, 30);  // no such route yet
  EXPECT_EQ(plan->QuayLive, 2);

  // Taking every remaining route empties the quay.
  TakeRouteFromQuay(*plan, Route("AAACCC"));
  TakeRouteFromQuay(*plan, Route("BBBAAA"));
  EXPECT_EQ(plan->QuayCount, 0);
  EXPECT_EQ(plan->RouteCount, 0);
}

TEST_F(Quay, RoutesBeyondTheListShareTheLastSlot) {
  // 53 distinct routes: 49 get a slot of their own, the 50th to 53rd share
  // slot 49.
  for (int n = 0; n < 53; ++n) ASSERT_TRUE(PutToQuay(*plan, Unit(Port(n), "ZZZ")));
  ASSERT_TRUE(PutToQuay(*plan, Unit(Port(50), "ZZZ", "40")));
  EXPECT_EQ(plan->RouteCount, 49);
  EXPECT_EQ(plan->RouteKeys[48], Port(48) + "ZZZ");
  EXPECT_EQ(plan->RouteMatrix[48][kTotal], 1);
  EXPECT_EQ(plan->RouteKeys[kShared], Port(50) + "ZZZ");
  EXPECT_EQ(plan->RouteMatrix[kShared][4], 4);
  EXPECT_EQ(plan->RouteMatrix[kShared][12], 1);
  EXPECT_EQ(plan->RouteMatrix[kShared][kTotal], 5);

  // A route of its own is found again and counted where it was.
  ASSERT_TRUE(PutToQuay(*plan, Unit(Port(3), "ZZZ")));
  EXPECT_EQ(plan->RouteMatrix[3][kTotal], 2);
  EXPECT_EQ(plan->RouteMatrix[kShared][kTotal], 5);

  // Taking a unit of a shared route, whatever name the slot shows, uncounts
  // it there and nowhere else.
  TakeFromQuay(*plan, 49);  // route of Port(49)
  EXPECT_EQ(plan->RouteMatrix[kShared][kTotal], 4);
  EXPECT_EQ(plan->RouteMatrix[kShared][4], 3);
  EXPECT_EQ(plan->RouteCount, 49);

  // Taking the shared slot takes every unit counted in it.
  TakeRouteFromQuay(*plan, kShared);
  EXPECT_EQ(plan->RouteMatrix[kShared][kTotal], 0);
  EXPECT_EQ(plan->RouteMatrix[kShared][4], 0);
  EXPECT_EQ(plan->RouteMatrix[kShared][12], 0);
  for (int i : {50, 51, 52, 53}) EXPECT_EQ(Record(i).STATUS, -1) << i;
  EXPECT_EQ(Record(48).STATUS, 1);
  EXPECT_EQ(plan->QuayLive, 50);
  for (int r = 0; r < kMaxRouteKeys; ++r) EXPECT_GE(plan->RouteMatrix[r][kTotal], 0) << r;
}

TEST_F(Quay, AFullQuayRefusesTheUnit) {
  plan->QuayCount = kMaxCells - 1;
  plan->QuayLive = 1;
  ASSERT_TRUE(PutToQuay(*plan, Unit("AAA", "BBB", "20", "LAST")));
  EXPECT_EQ(plan->QuayCount, kMaxCells);
  EXPECT_EQ(Record(kMaxCells - 1).CONTAINER, "LAST");

  EXPECT_FALSE(PutToQuay(*plan, Unit("AAA", "CCC", "20", "TOOMANY")));
  EXPECT_EQ(plan->QuayCount, kMaxCells);
  EXPECT_EQ(plan->QuayLive, 2);
  EXPECT_EQ(Record(kMaxCells - 1).CONTAINER, "LAST");
  EXPECT_EQ(plan->RouteCount, 1);
  EXPECT_EQ(Route("AAACCC"), -1);

  // Emptying the quay makes room again.
  ClearQuay(*plan);
  EXPECT_TRUE(PutToQuay(*plan, Unit("AAA", "CCC", "20", "TOOMANY")));
  EXPECT_EQ(Record(0).CONTAINER, "TOOMANY");
}

TEST_F(Quay, ClearingLeavesNoCountsBehind) {
  for (int n = 0; n < 51; ++n) ASSERT_TRUE(PutToQuay(*plan, Unit(Port(n), "ZZZ")));
  ClearQuay(*plan);
  EXPECT_EQ(plan->QuayCount, 0);
  EXPECT_EQ(plan->QuayLive, 0);
  EXPECT_EQ(plan->RouteCount, 0);

  // Filling the list again, the shared slot starts from nothing.
  for (int n = 100; n < 150; ++n) ASSERT_TRUE(PutToQuay(*plan, Unit(Port(n), "YYY")));
  EXPECT_EQ(plan->RouteKeys[kShared], Port(149) + "YYY");
  EXPECT_EQ(plan->RouteMatrix[kShared][kTotal], 1);
  EXPECT_EQ(plan->RouteMatrix[kShared][4], 1);
}

}  // namespace
