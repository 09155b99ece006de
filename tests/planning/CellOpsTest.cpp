#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "planning/StackRules.h"
#include "planning/UnitRules.h"

namespace plantest {
namespace {

using FortyFoot = PlanTest;

TEST_F(FortyFoot, FillsBothCellsAndClearsBothOnRemoval) {
  StructDat unit = Unit("FORTY00001", "40", 21.5);
  unit.OPERATOR = "MSK";
  ASSERT_TRUE(Place("010182", unit));
  const StructDat& own = At("010182");
  const StructDat& second = At("030182");
  EXPECT_EQ(own.STATUS, 1);
  EXPECT_EQ(own.POSITION, "010182");
  EXPECT_EQ(own.ONDECK, 1);
  EXPECT_EQ(second.STATUS, -1);
  EXPECT_EQ(second.POSITION, "030182");
  EXPECT_EQ(second.CONTAINER, "FORTY00001");
  EXPECT_EQ(second.OPERATOR, "MSK");
  EXPECT_DOUBLE_EQ(second.WEIGHT, 21.5);
  EXPECT_EQ(second.CHANGED, 1);

  EXPECT_FALSE(Remove("030182")) << "the covered cell is never removed by itself";
  EXPECT_EQ(At("030182").STATUS, -1);
  EXPECT_EQ(At("010182").STATUS, 1);

  ASSERT_TRUE(Remove("010182"));
  for (const char* name : {"010182", "030182"}) {
    StructDat expected;
    expected.CHANGED = 1;
    EXPECT_EQ(At(name), expected) << name << " is not the empty record";
  }
}

TEST_F(FortyFoot, BusyPartnerRefusesWithoutCodeAndChangesNothing) {
  Load({{"030182", Unit("AFT20", "20")}});
  const StructDat before = At("030182");
  EXPECT_FALSE(Place("010182", Unit("FORTY", "40"), kPlaceFromFile));
  EXPECT_EQ(plan.PlacementError, kErrNone);
  EXPECT_EQ(At("010182").STATUS, 0);
  EXPECT_EQ(At("030182"), before);
  EXPECT_EQ(stab.Items[2].W, 10000) << "only the 20' unit is weighed";
}

TEST_F(FortyFoot, RemovalKeepsAnotherUnitFoundWhereTheCopyWas) {
  Load({{"010182", Unit("FORTY", "40")}});
  // The 40' bay declaration changes under the unit: the cell now named as
  // partner holds a different unit, which must survive the removal.
  plan.Bays[0].D40 = "00";
  plan.Bays[0].ATHWART = 1;
  Load({{"010082", Unit("OTHER", "20")}});
  ASSERT_TRUE(Remove("010182"));
  EXPECT_EQ(At("010082").CONTAINER, "OTHER");
  EXPECT_EQ(At("010082").STATUS, 1);
}

TEST_F(FortyFoot, OverDimensionMarksAndUnmarksAroundBothCells) {
  StructDat unit = Unit("OOG0000001", "40");
  unit.OWP = 10;
  ASSERT_TRUE(Place("010184", unit));
  EXPECT_EQ(plan.Cells[Cell("010084")].BLK_OWP, Cell("010184"));
  EXPECT_EQ(plan.Cells[Cell("030084")].BLK_OWP, Cell("030184"));
  ASSERT_TRUE(Remove("010184"));
  EXPECT_EQ(plan.Cells[Cell("010084")].BLK_OWP, -1);
  EXPECT_EQ(plan.Cells[Cell("030084")].BLK_OWP, -1);
}

using Placement = PlanTest;

TEST_F(Placement, OverDimensionBlocksCellAboveAndBothNeighbours) {
  StructDat unit = Unit("OOG0000002");
  unit.OH = 30;
  unit.OWP = 5;
  unit.OWS = 5;
  ASSERT_TRUE(Place("010084", unit));
  const int own = Cell("010084");
  EXPECT_EQ(plan.Cells[Cell("010086")].BLK_OH, own);
  EXPECT_EQ(plan.Cells[Cell("010284")].BLK_OWP, own);
  EXPECT_EQ(plan.Cells[Cell("010184")].BLK_OWS, own);
  EXPECT_EQ(plan.Cells[Cell("010082")].BLK_OH, -1) << "only the cell above";
  ASSERT_TRUE(Remove("010084"));
  EXPECT_EQ(plan.Cells[Cell("010086")].BLK_OH, -1);
  EXPECT_EQ(plan.Cells[Cell("010284")].BLK_OWP, -1);
  EXPECT_EQ(plan.Cells[Cell("010184")].BLK_OWS, -1);
}

TEST_F(Placement, BreakBulkIsNotOverDimensioned) {
  StructDat unit = Unit("BB00000001");
  unit.TYP = "BB";
  unit.OH = 30;
  ASSERT_TRUE(Place("010084", unit));
  EXPECT_EQ(plan.Cells[Cell("010086")].BLK_OH, -1);
}

TEST_F(Placement, BundleMembersCountOnTheirBase) {
  Load({{"010102", Unit("BASE000001")}});
  StructDat member20 = Unit("BND010102X");
  member20.FL3 = 1;
  StructDat member40 = Unit("BND010102Y", "40");
  member40.FL3 = 1;
  ASSERT_TRUE(Place("010104", member20));
  EXPECT_EQ(At("010102").BUNDLES, 1);
  ASSERT_TRUE(Place("010106", member40));
  EXPECT_EQ(At("010102").BUNDLES, 3);
  EXPECT_EQ(At("010102").CHANGED, 1);
  ASSERT_TRUE(Remove("010106"));
  EXPECT_EQ(At("010102").BUNDLES, 1);
  ASSERT_TRUE(Remove("010104"));
  EXPECT_EQ(At("010102").BUNDLES, 0);

  // Never below 0, and loading from a file does not count.
  ASSERT_TRUE(Place("010104", member40, kPlaceFromFile));
  EXPECT_EQ(At("010102").BUNDLES, 0);
  ASSERT_TRUE(Remove("010104"));
  EXPECT_EQ(At("010102").BUNDLES, 0);

  // A member naming no cell is placed and removed all the same.
  StructDat lost = Unit("BND999999Z");
  lost.FL3 = 1;
  ASSERT_TRUE(Place("010104", lost));
  ASSERT_TRUE(Remove("010104"));
}

TEST_F(Placement, RegistersPortsAndDropsRedundantOnes) {
  StructDat unit = Unit("PORTS00001");
  unit.PRS = "RTM";  // the same as POD
  unit.FRM = "HAM";  // the same as POL
  ASSERT_TRUE(Place("010182", unit));
  const StructDat& d = At("010182");
  EXPECT_EQ(d.PRS, "");
  EXPECT_EQ(d.FRM, "");
  ASSERT_GE(d.POLIX, 0);
  ASSERT_GE(d.PODIX, 0);
  EXPECT_EQ(plan.VoyPorts[d.POLIX].CODE, "HAM");
  EXPECT_EQ(plan.VoyPorts[d.PODIX].CODE, "RTM");

  StructDat fromQuay = Unit("PORTS00002");
  fromQuay.PRS = "ANR";
  fromQuay.FRM = "FXT";
  ASSERT_TRUE(Place("010184", fromQuay, kPlaceFromQuay));
  EXPECT_EQ(plan.VoyPortCount, 2) << "from the quay PRS and FRM are not registered";
  EXPECT_EQ(At("010184").PRS, "ANR");
  ASSERT_TRUE(Remove("010184"));
  ASSERT_TRUE(Place("010184", fromQuay));
  EXPECT_EQ(plan.VoyPortCount, 4);
}

TEST_F(Placement, HandlingClassAndDeckFlagAreDerived) {
  StructDat unit = Unit("CLASS00001");
  unit.NOTE_HAN = "keep dry";
  unit.EQA[0] = "GEN123";
  unit.FL2 = 0;
  unit.ONDECK = 1;
  ASSERT_TRUE(Place("010102", unit));
  EXPECT_EQ(At("010102").FL2, 4);
  EXPECT_EQ(At("010102").ONDECK, 0);
}

struct ModeCase {
  int mode;
  bool keepsHand;
  int ownChanged;
};

class PlacementModes : public PlanTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PlacementModes, HandAndChangeMarks) {
  const ModeCase& c = GetParam();
  ctx.SelectionStale = false;
  ASSERT_TRUE(Place("010182", Unit("MODE000001", "40"), c.mode));
  EXPECT_EQ(At("010182").CHANGED, c.ownChanged);
  EXPECT_EQ(At("030182").CHANGED, 1) << "the covered cell is always marked";
  if (c.keepsHand) {
    EXPECT_EQ(Hand().CONTAINER, "MODE000001");
  } else {
    EXPECT_EQ(Hand(), StructDat{});
    EXPECT_TRUE(ctx.SelectionStale);
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, PlacementModes,
                         ::testing::Values(ModeCase{kPlaceInteractive, false, 1}, ModeCase{kPlaceFromFile, true, 0},
                                           ModeCase{kPlaceFromQuay, false, 1}, ModeCase{kPlaceAgain, false, 1}));

struct DataCase {
  const char* what;
  StructDat unit;
  int expected;
};

class UnitDataChecks : public PlanTest, public ::testing::WithParamInterface<DataCase> {};

StructDat With(StructDat u, void (*change)(StructDat&)) {
  change(u);
  return u;
}

TEST_P(UnitDataChecks, RefuseInInteractiveModeOnly) {
  const DataCase& c = GetParam();
  EXPECT_FALSE(Place("010182", c.unit));
  EXPECT_EQ(plan.PlacementError, c.expected);
  plan.CheckOnPlace = 0;
  EXPECT_TRUE(Place("010182", c.unit)) << "no checks when CheckOnPlace is off";
  ASSERT_TRUE(Remove("010182"));
  plan.CheckOnPlace = 1;
  EXPECT_TRUE(Place("010182", c.unit, kPlaceAgain));
  ASSERT_TRUE(Remove("010182"));
  StructDat member = c.unit;
  member.FL3 = 1;
  EXPECT_TRUE(Place("010182", member)) << "bundle members are not checked";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, UnitDataChecks,
    ::testing::Values(DataCase{"pol", With(Unit("C1"), [](StructDat& u) { u.POL = " H A"; }), kErrPolMissing},
                      DataCase{"pod", With(Unit("C2"), [](StructDat& u) { u.POD = ""; }), kErrPodMissing},
                      DataCase{"size", With(Unit("C3"), [](StructDat& u) { u.SIZ = "L5"; }), kErrSizeCode},
                      DataCase{"weight", With(Unit("C4"), [](StructDat& u) { u.WEIGHT = -1; }), kErrNegativeWeight}),
    [](const ::testing::TestParamInfo<DataCase>& info) { return std::string(info.param.what); });

TEST_F(Placement, PlaceThenRemoveRestoresEveryWeightSum) {
  Load({{"010102", Unit("BASE1", "20", 13.37)}, {"050182", Unit("BASE2", "40", 27.9)}});
  const auto before = stab.Items;
  const std::vector<std::pair<const char*, StructDat>> moves = {
      {"010104", Unit("M1", "20", 12.345)}, {"010182", Unit("M2", "40", 31.07)},
      {"090104", Unit("M3", "20", 0.3)},    {"110282", Unit("M4", "40", 8.888)},
      {"030104", Unit("M5", "20", 19.999)}};
  for (const auto& [name, unit] : moves) ASSERT_TRUE(Place(name, unit, kPlaceFromQuay)) << name;
  EXPECT_NE(stab.Items, before);
  EXPECT_EQ(stab.Items[2].W, 13370 + 27900 + 12345 + 31070 + 300 + 8888 + 19999);
  for (const char* name : {"030104", "010182", "110282", "010104", "090104"}) ASSERT_TRUE(Remove(name)) << name;
  EXPECT_EQ(stab.Items, before);
}

TEST_F(Placement, FortyWeighsAtItsFortyFootCentre) {
  ASSERT_TRUE(Place("010182", Unit("F40", "40", 10)));
  const StructCel& c = plan.Cells[Cell("010182")];
  EXPECT_NEAR(stab.Items[2].Lcg(), c.LCG_40, 1e-9);
  EXPECT_NEAR(stab.Items[2].Tcg(), c.TCG, 1e-9);
}

TEST_F(Placement, MarksTheConditionModified) {
  ASSERT_TRUE(Place("010182", Unit("MOD1")));
  EXPECT_EQ(host.planChanges, 1);
  EXPECT_EQ(plan.ConditionModified, 1);
  plan.ConditionModified = 0;
  ASSERT_TRUE(Remove("010182"));
  EXPECT_EQ(host.planChanges, 2);
  EXPECT_EQ(plan.ConditionModified, 1);
}

TEST_F(Placement, RemovalNeedsASelectedUnit) {
  Load({{"010182", Unit("SEL1")}});
  host.planChanges = 0;
  At("010182").SELECTED = 0;
  EXPECT_FALSE(Remove("010182"));
  EXPECT_EQ(At("010182").STATUS, 1);
  EXPECT_FALSE(Remove("010184")) << "a free cell";
  EXPECT_EQ(host.planChanges, 0);
}

TEST_F(Placement, RemovalSendsToTheQuayUnlessAConditionIsWritten) {
  Load({{"010182", Unit("QUAY1")}, {"010184", Unit("QUAY2")}});
  plan.RemoveToQuay = 1;
  ASSERT_TRUE(Remove("010184"));
  ASSERT_EQ(plan.QuayCount, 1);
  EXPECT_EQ(plan.Dat[plan.QuayPlane][0].CONTAINER, "QUAY2");
  EXPECT_EQ(plan.Dat[plan.QuayPlane][0].STATUS, 1);
  plan.BatchFlags[kBatchWriteCondition] = 1;
  ASSERT_TRUE(Remove("010182"));
  EXPECT_EQ(plan.QuayCount, 1);
}

TEST_F(Placement, AFullQuayKeepsTheUnitInItsCell) {
  Load({{"010182", Unit("KEEP")}});
  plan.RemoveToQuay = 1;
  plan.QuayCount = kMaxCells;
  const auto weights = stab.Items;
  EXPECT_FALSE(Remove("010182"));
  EXPECT_EQ(At("010182").CONTAINER, "KEEP");
  EXPECT_EQ(At("010182").STATUS, 1);
  EXPECT_EQ(stab.Items, weights);
}

TEST_F(Placement, BadCellsChangeNothing) {
  for (int cell : {-1, plan.CellCount, plan.UnitInHandIndex, 1 << 20}) {
    Hand() = Unit("BAD");
    EXPECT_FALSE(PlaceUnit(ctx, cell, kPlaceInteractive)) << cell;
    EXPECT_EQ(plan.PlacementError, kErrNone);
    EXPECT_FALSE(RemoveUnit(ctx, cell)) << cell;
    MarkOverDimension(ctx, cell, 3);
  }
  EXPECT_EQ(Hand().CONTAINER, "BAD");
  EXPECT_EQ(host.planChanges, 0);
}

using AttributeChange = PlanTest;

TEST_F(AttributeChange, RouteKindMatchesPolAndPodByThreeCharacters) {
  StructDat a = Unit("A");
  StructDat b = Unit("B");
  b.POD = "ANR";
  StructDat c = Unit("C");
  c.POL = "ANR";
  StructDat d = Unit("D", "40");
  Load({{"010102", a}, {"010104", b}, {"010106", c}, {"010182", d}});
  host.planChanges = 0;
  ChangeUnitAttribute(ctx, "HAMRTM", "FXTLEH", kChangeRoute, false);
  EXPECT_EQ(At("010102").POL, "FXT");
  EXPECT_EQ(At("010102").POD, "LEH");
  EXPECT_EQ(At("010102").STATUS, 1);
  EXPECT_EQ(At("010104").POL, "HAM");
  EXPECT_EQ(At("010106").POL, "ANR");
  EXPECT_EQ(At("010182").POD, "LEH");
  EXPECT_EQ(At("030182").POD, "LEH") << "the covered cell follows its unit";
  EXPECT_EQ(At("030182").STATUS, -1);
  EXPECT_EQ(Hand(), StructDat{});
  EXPECT_FALSE(plan.InBatch());
  EXPECT_EQ(host.planChanges, 1) << "one notice for the whole run";
}

TEST_F(AttributeChange, FrmKindReplacesThePortOfOrigin) {
  StructDat a = Unit("A");
  a.FRM = "FXT";
  StructDat b = Unit("B", "40");
  b.FRM = "FXT";
  StructDat c = Unit("C");
  c.FRM = "ANR";
  Load({{"010102", a}, {"010182", b}, {"010104", c}});
  const auto weights = stab.Items;
  plan.RemoveToQuay = 1;
  ChangeUnitAttribute(ctx, "FXT", "LEH", kChangeFrm, false);
  EXPECT_EQ(At("010102").FRM, "LEH");
  EXPECT_EQ(At("010182").FRM, "LEH");
  EXPECT_EQ(At("030182").FRM, "LEH");
  EXPECT_EQ(At("010104").FRM, "ANR");
  EXPECT_EQ(stab.Items, weights);
  EXPECT_EQ(plan.QuayCount, 0) << "units that go back into their cells are not put to the quay";
}

TEST_F(AttributeChange, UnselectedUnitsStayAsTheyAre) {
  Load({{"010102", Unit("A")}});
  At("010102").SELECTED = 0;
  ChangeUnitAttribute(ctx, "HAM", "ANR", kChangePol, false);
  EXPECT_EQ(At("010102").POL, "HAM");
  EXPECT_EQ(At("010102").STATUS, 1);
  EXPECT_EQ(Hand(), StructDat{}) << "no copy of a unit still in its cell is left in hand";
}

TEST_F(AttributeChange, ClearAllRemovesEverySelectedUnit) {
  Load({{"010102", Unit("A")}, {"010182", Unit("B", "40")}, {"050182", Unit("C", "40")}, {"090102", Unit("D")}});
  At("090102").SELECTED = 0;
  ClearAllUnits(ctx);
  for (const char* name : {"010102", "010182", "030182", "050182", "050282"}) EXPECT_EQ(At(name).STATUS, 0) << name;
  EXPECT_EQ(At("090102").STATUS, 1);
  EXPECT_EQ(stab.Items[2], WeightItem{});
  EXPECT_FALSE(plan.InBatch());
}

using ConfigMode = PlanTest;

TEST_F(ConfigMode, DummyWeightSetsTheRestriction) {
  plan.ConfigMode = 1;
  ASSERT_TRUE(Place("010102", Unit("DUMMY", "20", 2)));
  EXPECT_EQ(plan.Cells[Cell("010102")].RESTR, 2);
  EXPECT_EQ(plan.CelChanged, 1);
  ASSERT_TRUE(Place("010104", Unit("DUMMY", "20", 7)));
  EXPECT_EQ(plan.Cells[Cell("010104")].RESTR, 0);
  EXPECT_DOUBLE_EQ(At("010104").WEIGHT, 0);
  EXPECT_EQ(host.planChanges, 0) << "editing the configuration is no change of the condition";
  EXPECT_EQ(plan.ConditionModified, 0);
}

TEST_F(ConfigMode, FortyDummyDeclaresTheFortyBay) {
  plan.ConfigMode = 1;
  plan.Bays[0].D40 = "";
  plan.Bays[1].D40 = "";
  ASSERT_TRUE(Place("010182", Unit("DUMMY", "40", 4)));
  EXPECT_EQ(plan.Bays[0].D40, "02");
  EXPECT_EQ(plan.Bays[1].D40, "02");
  EXPECT_EQ(plan.BayChanged, 1);
  EXPECT_EQ(plan.Cells[Cell("010182")].RESTR, 4);
  EXPECT_EQ(plan.Cells[Cell("030182")].RESTR, 4);
  EXPECT_EQ(At("030182").STATUS, -1);

  plan.Cells[Cell("030182")].FL_RF = 1;
  ASSERT_TRUE(Remove("010182"));
  EXPECT_EQ(plan.Cells[Cell("010182")].RESTR, -9);
  EXPECT_EQ(plan.Cells[Cell("030182")].RESTR, -9);
  EXPECT_EQ(plan.Cells[Cell("030182")].FL_RF, 0);
  EXPECT_EQ(host.planChanges, 0);
}

TEST_F(ConfigMode, RefusedFortyLeavesTheBayAsItWas) {
  plan.ConfigMode = 1;
  plan.Bays[4].H40 = "";
  EXPECT_FALSE(Place("090102", Unit("DUMMY", "40", 4)));
  EXPECT_EQ(plan.PlacementError, kErrNo40Here);
  EXPECT_EQ(plan.Bays[4].H40, "");
  EXPECT_EQ(plan.BayChanged, 0);
}

TEST_F(ConfigMode, ClearingAllKeepsTheCells) {
  Load({{"010102", Unit("A", "20", 2)}, {"010182", Unit("B", "40", 4)}});
  plan.ConfigMode = 1;
  plan.Cells[Cell("010102")].RESTR = 2;
  ClearAllUnits(ctx);
  EXPECT_EQ(At("010102").STATUS, 0);
  EXPECT_EQ(plan.Cells[Cell("010102")].RESTR, 2);
  EXPECT_EQ(plan.Cells[Cell("010182")].RESTR, 0);
  EXPECT_EQ(plan.Cells[Cell("030182")].RESTR, 0);
}

}  // namespace
}  // namespace plantest
