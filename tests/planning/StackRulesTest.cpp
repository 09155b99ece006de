#include <gtest/gtest.h>

#include <vector>

#include "PlanFixture.h"
#include "planning/StackRules.h"

namespace plantest {
namespace {

constexpr int kPlaced = 0;  // expected outcome: the unit stands in the cell

struct Loaded {
  const char* cell;
  const char* siz;
};

struct MixCase {
  const char* what;
  bool mix;  // D42 and H42 of bays 01 and 03
  std::vector<Loaded> before;
  const char* cell;
  const char* siz;
  int expected;  // kPlaced or the PlacementError
};

class StackMixing : public PlanTest, public ::testing::WithParamInterface<MixCase> {};

TEST_P(StackMixing, RefusesOrPlaces) {
  const MixCase& c = GetParam();
  for (int b : {0, 1}) {
    plan.Bays[b].D42 = c.mix ? 1 : 0;
    plan.Bays[b].H42 = c.mix ? 1 : 0;
  }
  int n = 0;
  for (const Loaded& l : c.before) ASSERT_TRUE(Place(l.cell, Unit("LOAD" + std::to_string(n++), l.siz), kPlaceFromFile));
  Hand() = StructDat{};

  const bool placed = Place(c.cell, Unit("NEWU1234567", c.siz));
  if (c.expected == kPlaced) {
    EXPECT_TRUE(placed) << "error " << plan.PlacementError;
    EXPECT_EQ(At(c.cell).STATUS, 1);
  } else {
    EXPECT_FALSE(placed);
    EXPECT_EQ(plan.PlacementError, c.expected);
    EXPECT_EQ(At(c.cell).STATUS, 0);
    EXPECT_EQ(Hand().CONTAINER, "NEWU1234567") << "a refused unit stays in hand";
  }
}

INSTANTIATE_TEST_SUITE_P(
    DeckAndHold, StackMixing,
    ::testing::Values(
        MixCase{"deck_20_on_40", true, {{"010182", "40"}}, "010184", "20", kErrNo20Here},
        MixCase{"deck_40_on_20_mixed", true, {{"010182", "20"}}, "010184", "40", kPlaced},
        MixCase{"deck_40_on_20_unmixed", false, {{"010182", "20"}}, "010184", "40", kErrNo40Here},
        MixCase{"deck_20_under_40_mixed", true, {{"010184", "40"}}, "010182", "20", kPlaced},
        MixCase{"deck_20_under_40_unmixed", false, {{"010184", "40"}}, "010182", "20", kErrNo20Here},
        MixCase{"deck_40_under_20", true, {{"010184", "20"}}, "010182", "40", kErrNo40Here},
        MixCase{"deck_40_under_20_of_aft_stack", true, {{"030184", "20"}}, "010182", "40", kErrNo40Here},
        MixCase{"deck_20_in_aft_stack_on_40", true, {{"010182", "40"}}, "030184", "20", kErrNo20Here},
        MixCase{"deck_20_beside_40", false, {{"010182", "40"}}, "010282", "20", kPlaced},
        MixCase{"deck_20_on_20_unmixed", false, {{"010182", "20"}}, "010184", "20", kPlaced},
        MixCase{"deck_40_on_40_unmixed", false, {{"010182", "40"}}, "010184", "40", kPlaced},
        MixCase{"hold_40_on_20_mixed", true, {{"010102", "20"}}, "010104", "40", kPlaced},
        MixCase{"hold_40_on_20_unmixed", false, {{"010102", "20"}}, "010104", "40", kErrNo40Here},
        MixCase{"hold_20_on_40", true, {{"010102", "40"}}, "010104", "20", kErrNo20Here},
        MixCase{"hold_stack_apart_from_deck", false, {{"010182", "40"}}, "010102", "20", kPlaced},
        MixCase{"aft_bay_refuses_40", true, {}, "030182", "40", kErrNo40Here},
        MixCase{"restr2_takes_20", true, {}, "110182", "20", kPlaced},
        MixCase{"restr2_refuses_40", true, {}, "110182", "40", kErrNo40Here},
        MixCase{"restr4_refuses_20", true, {}, "110282", "20", kErrNo20Here},
        MixCase{"restr4_takes_40", true, {}, "110282", "40", kPlaced}),
    [](const ::testing::TestParamInfo<MixCase>& info) { return std::string(info.param.what); });

using StackRules = PlanTest;

TEST_F(StackRules, AftBayFortyStandsThereWithChecksOff) {
  plan.CheckOnPlace = 0;
  ASSERT_TRUE(Place("030182", Unit("AFT0000001", "40")));
  EXPECT_EQ(At("030182").STATUS, 1);
  EXPECT_EQ(At("010182").STATUS, -1);
  EXPECT_EQ(At("010182").POSITION, "010182");
  EXPECT_EQ(At("010182").CONTAINER, "AFT0000001");
}

TEST_F(StackRules, FortyWithoutPartnerCellIsRefusedInEveryMode) {
  for (int checks : {0, 1}) {
    for (int mode : {kPlaceInteractive, kPlaceFromFile, kPlaceFromQuay, kPlaceAgain}) {
      plan.CheckOnPlace = static_cast<std::uint8_t>(checks);
      EXPECT_FALSE(Place("010286", Unit("NOPARTNER1", "40"), mode)) << "mode " << mode;
      EXPECT_EQ(plan.PlacementError, kErrNo40Here) << "mode " << mode;
      EXPECT_EQ(At("010286").STATUS, 0);
    }
  }
  // A 20' unit needs no partner.
  EXPECT_TRUE(Place("010286", Unit("TWENTY0001", "20")));
}

TEST_F(StackRules, RowPairedBayPairsNeighbourRows) {
  ASSERT_TRUE(Place("050182", Unit("ATH0000001", "40")));
  EXPECT_EQ(At("050182").STATUS, 1);
  EXPECT_EQ(At("050282").STATUS, -1) << "row 01 pairs with its port neighbour 02 (no centre row)";
  EXPECT_FALSE(Place("050184", Unit("ATH0000002", "20")));
  EXPECT_EQ(plan.PlacementError, kErrNo20Here);
  EXPECT_FALSE(Place("050284", Unit("ATH0000002", "20")));
  EXPECT_EQ(plan.PlacementError, kErrNo20Here);
  // Row 03 pairs with row 01 at tier 84, which is still free.
  Hand() = StructDat{};
  ASSERT_TRUE(Place("050384", Unit("ATH0000003", "40")));
  EXPECT_EQ(At("050184").STATUS, -1);
  // Row 03 at tier 82 would pair with the covered 050182.
  EXPECT_FALSE(Place("050382", Unit("ATH0000004", "40")));
  EXPECT_EQ(plan.PlacementError, kErrNone);
}

struct HighCubeCase {
  const char* what;
  int hcMax;
  std::vector<const char*> highCubes;  // loaded at these cells of bay 01, row 01, hold
  std::vector<const char*> plain;
  const char* cell;
  const char* siz;
  const char* typ;
  const char* iso;
  bool limitsOn;
  int expected;
};

class HighCubeLimits : public PlanTest, public ::testing::WithParamInterface<HighCubeCase> {};

TEST_P(HighCubeLimits, RefusesOrPlaces) {
  const HighCubeCase& c = GetParam();
  plan.Bays[0].HC_MAX = c.hcMax;
  plan.HighCubeLimits = c.limitsOn ? 1 : 0;
  int n = 0;
  for (const char* cell : c.highCubes) {
    StructDat hc = Unit("HC" + std::to_string(n++), "20");
    hc.TYP = "HC";
    ASSERT_TRUE(Place(cell, hc, kPlaceFromFile));
  }
  for (const char* cell : c.plain) ASSERT_TRUE(Place(cell, Unit("PL" + std::to_string(n++), "20"), kPlaceFromFile));
  StructDat unit = Unit("NEWU0000001", c.siz);
  unit.TYP = c.typ;
  unit.ISO = c.iso;
  const bool placed = Place(c.cell, unit);
  if (c.expected == kPlaced) {
    EXPECT_TRUE(placed) << "error " << plan.PlacementError;
  } else {
    EXPECT_FALSE(placed);
    EXPECT_EQ(plan.PlacementError, c.expected);
  }
}

// Bay 01, row 01, hold: three cells 010102, 010104, 010106.
INSTANTIATE_TEST_SUITE_P(
    HoldStack, HighCubeLimits,
    ::testing::Values(
        HighCubeCase{"last_cell_refuses_hc_at_limit", 2, {"010102", "010104"}, {}, "010106", "20", "HC", "22G1",
                     true, kErrNoHighCube},
        HighCubeCase{"last_cell_refuses_hc_by_iso_height", 2, {"010102", "010104"}, {}, "010106", "20", "DV",
                     "25G1", true, kErrNoHighCube},
        HighCubeCase{"last_cell_takes_plain_at_limit", 2, {"010102", "010104"}, {}, "010106", "20", "DV", "22G1",
                     true, kPlaced},
        HighCubeCase{"last_cell_takes_hc_below_limit", 2, {"010102"}, {"010104"}, "010106", "20", "HC", "22G1", true,
                     kPlaced},
        HighCubeCase{"two_free_cells_take_hc", 1, {"010102"}, {}, "010104", "20", "HC", "22G1", true, kPlaced},
        HighCubeCase{"limits_off_take_hc", 2, {"010102", "010104"}, {}, "010106", "20", "HC", "22G1", false,
                     kPlaced},
        HighCubeCase{"over_limit_refuses_20", 1, {"010102", "010104"}, {}, "010106", "20", "DV", "22G1", true,
                     kErrNo20Here},
        HighCubeCase{"over_limit_refuses_40", 1, {"010102", "010104"}, {}, "010106", "40", "DV", "42G1", true,
                     kErrNo40Here}),
    [](const ::testing::TestParamInfo<HighCubeCase>& info) { return std::string(info.param.what); });

TEST_F(StackRules, HighCubesCountedByIsoHeightOfTheStack) {
  // Bay 09 takes two high cubes; one is known only by its ISO height.
  StructDat tall = Unit("TALL000001");
  tall.ISO = "25G1";
  StructDat hc = Unit("HIGH000001");
  hc.TYP = "HC";
  Load({{"090102", tall}, {"090104", hc}, {"090106", Unit("PLAIN00001")}});
  EvaluateStack(plan, Cell("090108"));
  EXPECT_FALSE(plan.StackRuleFlags.AllowHighCube);
  EXPECT_TRUE(plan.StackRuleFlags.Allow20);
}

struct WindowCase {
  int twdk;
  const char* cell;
  double weight;  // units of 1, 2, 4 and 8 t stand at tiers 02, 04, 06, 08
};

class TwinDeckWindow : public PlanTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(TwinDeckWindow, WeighsOnlyItsPartOfTheHold) {
  plan.Bays[3].TWDK = GetParam().twdk;
  Load({{"070102", Unit("T1", "20", 1)}, {"070104", Unit("T2", "20", 2)}, {"070106", Unit("T3", "20", 4)},
        {"070108", Unit("T4", "20", 8)}});
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell(GetParam().cell)), GetParam().weight);
}

INSTANTIATE_TEST_SUITE_P(Bay07, TwinDeckWindow,
                         ::testing::Values(WindowCase{4, "070102", 3}, WindowCase{4, "070104", 3},
                                           WindowCase{4, "070106", 12}, WindowCase{4, "070108", 12},
                                           WindowCase{0, "070102", 15}, WindowCase{6, "070108", 8}));

TEST_F(StackRules, TwinDeckSeparatesTheRulesToo) {
  plan.Bays[3].H42 = 0;
  Load({{"070102", Unit("LOW0000001", "20")}});
  EvaluateStack(plan, Cell("070106"));
  EXPECT_TRUE(plan.StackRuleFlags.Allow40) << "the 20' below the twin deck is another stack";
  EvaluateStack(plan, Cell("070104"));
  EXPECT_FALSE(plan.StackRuleFlags.Allow40);
}

TEST_F(StackRules, MixedStackWeighsTwentiesPlusHalfTheForties) {
  Load({{"010102", Unit("W20", "20", 10)}, {"010104", Unit("W40", "40", 30)}});
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("010106")), 25);
  EXPECT_FALSE(plan.StackRuleFlags.FortyOnlyStack);
}

TEST_F(StackRules, FortyOnlyStackWeighsTheFortiesInFull) {
  Load({{"010102", Unit("F1", "40", 30)}, {"010104", Unit("F2", "40", 20)}});
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("010106")), 50);
  EXPECT_TRUE(plan.StackRuleFlags.FortyOnlyStack);
  // Seen from the aft bay the same two units weigh the same, once each.
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("030106")), 50);
}

TEST_F(StackRules, AftStandingFortyCountsThroughThePartnerStack) {
  Load({{"030102", Unit("AFT", "40", 24)}});
  EXPECT_EQ(At("010102").STATUS, -1);
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("010104")), 24);
}

TEST_F(StackRules, HatchlessBayWeighsTheWholeRow) {
  plan.Bays[0].ROWWEIGHT = 1;
  Load({{"010102", Unit("R1", "20", 10)}, {"010182", Unit("R2", "40", 5.5)}, {"010202", Unit("R3", "20", 7)}});
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("010104")), 15.5);
  EXPECT_DOUBLE_EQ(RowWeight(plan, Cell("010186")), 15.5);
  EXPECT_DOUBLE_EQ(RowWeight(plan, Cell("030102")), 0) << "the covered cell of a 40' carries no weight";
}

TEST_F(StackRules, WeightLimitByDeckOrHoldAndSize) {
  plan.Bays[0].STACKW[1] = {90, 91, 92, 93};
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, Cell("010182"), false), 90);
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, Cell("010182"), true), 91);
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, Cell("010102"), false), 92);
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, Cell("010102"), true), 93);
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, Cell("010282"), false), 0);
}

TEST_F(StackRules, OccupiedCellAllowsNothing) {
  Load({{"010182", Unit("OCC", "20")}});
  EvaluateStack(plan, Cell("010182"));
  EXPECT_FALSE(plan.StackRuleFlags.Allow20);
  EXPECT_FALSE(plan.StackRuleFlags.Allow40);
}

TEST_F(StackRules, ConfigurationModeIgnoresTheMixingRules) {
  plan.Bays[0].D42 = 0;
  Load({{"010182", Unit("DUMMY", "40", 4)}});
  plan.ConfigMode = 1;
  EvaluateStack(plan, Cell("010184"));
  EXPECT_TRUE(plan.StackRuleFlags.Allow20);
  EXPECT_TRUE(plan.StackRuleFlags.Allow40);
}

TEST_F(StackRules, BrokenIndexesAreHarmless) {
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, -1), 0);
  EXPECT_FALSE(plan.StackRuleFlags.Allow20);
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, plan.CellCount), 0);
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, -1, true), 0);
  EXPECT_DOUBLE_EQ(RowWeight(plan, plan.CellCount + 5), 0);
  plan.Cells[Cell("010182")].BAYIX = 99;
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("010182")), 0);
  EXPECT_DOUBLE_EQ(StackWeightLimit(plan, Cell("010182"), false), 0);
  EXPECT_FALSE(Place("010182", Unit("BROKEN", "40")));
  EXPECT_EQ(plan.PlacementError, kErrNo40Here);
  plan.Bays[1].LASTCELL = 50000;  // a bay reaching past the cells
  EXPECT_DOUBLE_EQ(EvaluateStack(plan, Cell("030102")), 0);
}

}  // namespace
}  // namespace plantest
