#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "planning/UnitRules.h"

namespace plantest {
namespace {

StructDat Typed(const std::string& typ, const std::string& siz = "20") {
  StructDat u = Unit("X", siz);
  u.TYP = typ;
  return u;
}

TEST(UnitPredicates, SizeHeightHazardAndShape) {
  EXPECT_TRUE(Is20Foot(Typed("DV", "22")));
  EXPECT_FALSE(Is20Foot(Typed("DV", "42")));
  EXPECT_FALSE(Is20Foot(Typed("DV", "")));

  EXPECT_TRUE(IsHighCube(Typed("HC")));
  EXPECT_FALSE(IsHighCube(Typed("DV")));
  StructDat tall = Typed("DV");
  tall.HEIGHT = 9.5;
  EXPECT_TRUE(IsHighCube(tall));
  tall.HEIGHT = 9.4;
  EXPECT_FALSE(IsHighCube(tall));

  StructDat dg = Typed("DV");
  dg.IMO[0] = "   ";
  EXPECT_FALSE(IsHazardous(dg));
  dg.IMO[1] = "3";  // only the first entry counts
  EXPECT_FALSE(IsHazardous(dg));
  dg.UN[0] = " 1203";
  EXPECT_TRUE(IsHazardous(dg));

  StructDat oog = Typed("FR");
  oog.OL_2 = 1;
  EXPECT_TRUE(IsOverDimension(oog));
  oog.TYP = "BB";
  EXPECT_FALSE(IsOverDimension(oog));
  EXPECT_TRUE(IsBreakBulk(oog));

  for (const char* flat : {"FR", "FL", "PM", "HP"}) EXPECT_TRUE(IsFlatType(Typed(flat))) << flat;
  EXPECT_FALSE(IsFlatType(Typed("OT")));
}

TEST(UnitPredicates, FreeRecord) {
  StructDat r;
  EXPECT_TRUE(IsFreeRecord(r));
  r.WEIGHT = 0.1;
  EXPECT_FALSE(IsFreeRecord(r));
  r = StructDat{};
  r.STATUS = -1;
  EXPECT_FALSE(IsFreeRecord(r));
}

TEST(UnitChecks, CheckUnitDataCodes) {
  struct Case {
    const char* pol;
    const char* pod;
    const char* siz;
    double weight;
    int expected;
  };
  const Case cases[] = {
      {"HAM", "RTM", "20", 10, 0}, {"HA", "RTM", "20", 10, 1},  {" H A M", "RTM", "40", 0, 0},
      {"HAM", " ", "20", 10, 2},   {"HAM", "RTM", "L5", 10, 3}, {"HAM", "RTM", "", 10, 3},
      {"HAM", "RTM", "45", -0.5, 5}, {"", "", "", -1, 1},
  };
  for (const Case& c : cases) {
    StructDat u;
    u.POL = c.pol;
    u.POD = c.pod;
    u.SIZ = c.siz;
    u.WEIGHT = c.weight;
    EXPECT_EQ(CheckUnitData(u), c.expected) << c.pol << "/" << c.pod << "/" << c.siz << "/" << c.weight;
  }
}

TEST(UnitChecks, HandlingClass) {
  struct Case {
    bool notes;
    bool equipment;
    bool secondImo;
    int expected;
  };
  const Case cases[] = {{false, false, false, 0}, {true, false, false, 1}, {false, true, false, 2},
                        {true, true, false, 4},   {false, false, true, 3}, {true, false, true, 5},
                        {false, true, true, 3},   {true, true, true, 3}};
  for (const Case& c : cases) {
    StructDat u;
    if (c.notes) u.NOTE_ZZZ = "n";
    u.EQA[0] = c.equipment ? "GEN001" : "GEN01";
    if (c.secondImo) u.IMO[1] = "8";
    EXPECT_EQ(HandlingClass(u), c.expected) << c.notes << c.equipment << c.secondImo;
  }
}

using UnitLookups = PlanTest;

TEST_F(UnitLookups, AttachedCountStopsAtTheFirstShortNumber) {
  StructDat u = Unit("ATT");
  u.EQA = {"GEN001", "GEN0002", "X", "GEN003", "", ""};
  Load({{"010102", u}});
  EXPECT_EQ(AttachedCount(plan, Cell("010102")), 2);
  u.EQA = {"GEN001", "GEN002", "GEN003", "GEN004", "GEN005", "GEN006"};
  Load({{"010104", u}});
  EXPECT_EQ(AttachedCount(plan, Cell("010104")), 6);
  EXPECT_EQ(AttachedCount(plan, -1), 0);
  EXPECT_EQ(AttachedCount(plan, plan.CellCount), 0);
}

TEST_F(UnitLookups, TotalsAndRouteCategories) {
  plan.Settings[0] = "25";
  plan.Settings[1] = "15";
  plan.Settings[2] = "5";
  plan.Settings[3] = "30";
  plan.Settings[4] = "20";
  plan.Settings[5] = "10";
  struct Case {
    const char* what;
    const char* siz;
    const char* typ;
    double weight;
    int mty;
    int totals;
    int route;
  };
  const Case cases[] = {
      {"20 heavy", "20", "DV", 25.5, 0, 0, 0},  {"20 at T0", "20", "DV", 25, 0, 0, 1},
      {"20 medium", "22", "DV", 15.1, 0, 0, 1}, {"20 at T1", "20", "DV", 15, 0, 0, 2},
      {"20 light", "20", "DV", 5, 0, 0, 3},     {"20 empty", "20", "DV", 2, 1, 1, 4},
      {"40 heavy", "40", "DV", 30.5, 0, 2, 8},  {"40 at T0", "40", "DV", 30, 0, 2, 9},
      {"45 light", "L5", "DV", 10, 0, 2, 11},   {"40 empty", "40", "DV", 4, 1, 3, 12},
      {"reefer", "20", "RF", 30, 0, 0, 5},      {"40 reefer", "40", "HR", 30, 0, 2, 13},
      {"empty reefer", "20", "RF", 3, 1, 1, 4}, {"break bulk", "40", "BB", 30, 1, 4, 16},
  };
  for (const Case& c : cases) {
    StructDat u = Typed(c.typ, c.siz);
    u.WEIGHT = c.weight;
    u.MTY = c.mty;
    EXPECT_EQ(TotalsCategory(u), c.totals) << c.what;
    EXPECT_EQ(RouteCategory(plan, u), c.route) << c.what;
  }
  StructDat oog = Typed("DV");
  oog.OWS = 3;
  oog.IMO[0] = "3";
  EXPECT_EQ(RouteCategory(plan, oog), 6) << "over-size before hazard";
  oog.OWS = 0;
  EXPECT_EQ(RouteCategory(plan, oog), 7);
}

TEST_F(UnitLookups, FindUnitByNumber) {
  Load({{"010102", Unit("ABCU1234567")}, {"010182", Unit("FORT0000001", "40")}, {"010104", Unit("SHORT")}});
  EXPECT_EQ(FindUnitByNumber(plan, "ABCU1234567", plan.CurPlane), Cell("010102"));
  EXPECT_EQ(FindUnitByNumber(plan, "FORT0000001", plan.CurPlane), Cell("010182")) << "not the covered cell";
  EXPECT_EQ(FindUnitByNumber(plan, "SHORT", plan.CurPlane), -1) << "too short to look for";
  EXPECT_EQ(FindUnitByNumber(plan, "NONE0000000", plan.CurPlane), -1);
  plan.Dat[plan.RefPlane][3] = Unit("SHORT");
  plan.Dat[plan.RefPlane][3].STATUS = 1;
  EXPECT_EQ(FindUnitByNumber(plan, "SHORT", plan.RefPlane), 3);
  EXPECT_EQ(FindUnitByNumber(plan, "SHORT", 7), -1);
  EXPECT_EQ(FindUnitByNumber(plan, "SHORT", -1), -1);
}

TEST_F(UnitLookups, DisplayPositionShowsTheFortyFootBay) {
  plan.CheckOnPlace = 0;
  Load({{"010102", Unit("T20")}, {"010182", Unit("F40", "40")}, {"030104", Unit("AFT", "40")}});
  EXPECT_EQ(DisplayPosition(plan, At("010102"), "-"), "01-01-02");
  EXPECT_EQ(DisplayPosition(plan, At("010182"), " "), "02 01 82");
  EXPECT_EQ(DisplayPosition(plan, At("030182"), ""), "020182");
  EXPECT_EQ(DisplayPosition(plan, At("030104"), "."), "02.01.04") << "standing aft, still its own 40' bay";
  EXPECT_EQ(DisplayPosition(plan, StructDat{}, "-"), "--");
}

TEST_F(UnitLookups, PortLocode) {
  plan.VoyPorts[0] = StructPor{"HAM", "HAMBURG", "DE", "HA", 0, 0};
  plan.VoyPortCount = 1;
  EXPECT_EQ(PortLocode(plan, "HAM"), "DEHAM");
  EXPECT_EQ(PortLocode(plan, "ZZZ"), "XXZZZ");
  EXPECT_EQ(PortLocode(plan, "NLRTM"), "NLRTM");
  EXPECT_EQ(PortLocode(plan, "NLRTMX"), "NLRTM");
}

}  // namespace
}  // namespace plantest
