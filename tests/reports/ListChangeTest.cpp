#include "reports/ListChange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../planning/PlanFixture.h"

namespace plantest {
namespace {

struct ChangeCase {
  const char* what;
  int column;
  const char* text;
  std::vector<const char*> cells;  // the rows chosen, by cell
  std::vector<const char*> changed;
  std::vector<const char*> refused;
  const char* shownAfter;  // the value every changed unit then shows
};

class ListChangeTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    auto column = [this](int c, const char* name, int width, int kind) {
      plan.RepNames[c] = name;
      plan.RepDef[c][0] = width;
      plan.RepDef[c][1] = kind;
    };
    column(3, "POD", 3, 0);
    column(6, "WEIGHT", 6, 1);
    plan.RepDef[6][2] = 1;
    column(7, "TYP", 3, 0);
    column(20, "YES NO ", 3, 3);
    plan.CheckOnPlace = 1;
    plan.RemoveToQuay = 1;
    StructDat empty = Unit("ZUMU0000004");
    empty.MTY = 1;
    // Bay 09's full stack takes two high cubes; 010182 holds a 40' unit
    // over 030182.
    plan.HighCubeLimits = 1;
    Load({{"010082", Unit("ZUMU0000001")}, {"010102", Unit("ZUMU0000002")}, {"030082", Unit("ZUMU0000003")},
          {"010182", Unit("ZUMU0000040", "40", 20)}, {"090102", Unit("ZUMU0000091")},
          {"090104", Unit("ZUMU0000092")}, {"090106", Unit("ZUMU0000093")}, {"090108", Unit("ZUMU0000094")},
          {"070102", empty}});
    host.planChanges = 0;
    plan.ConditionModified = 0;
  }

  std::vector<int> Cells(const std::vector<const char*>& names) {
    std::vector<int> cells;
    for (const char* name : names) cells.push_back(Cell(name));
    return cells;
  }
};

class ListChange : public ListChangeTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ListChange, ChangesWhatDiffersAndPutsRefusedUnitsBackAsTheyWere) {
  const ChangeCase& c = GetParam();
  const auto sumsBefore = stab.Items;
  std::vector<StructDat> before;
  for (const char* name : c.cells) before.push_back(At(name));

  const ListChangeResult result = ChangeListColumn(ctx, Cells(c.cells), c.column, c.text);

  EXPECT_EQ(result.changed, Cells(c.changed));
  EXPECT_EQ(result.refused, Cells(c.refused));
  for (const char* name : c.changed) {
    EXPECT_EQ(ListColumnValue(plan, At(name), c.column), c.shownAfter) << name;
    EXPECT_EQ(At(name).STATUS, 1) << name;
  }
  for (size_t k = 0; k < c.cells.size(); ++k) {
    const StructDat& now = At(c.cells[k]);
    EXPECT_EQ(now.CONTAINER, before[k].CONTAINER) << "every unit stays in its cell";
    bool changed = false;
    for (const char* name : c.changed) changed = changed || std::string(name) == c.cells[k];
    if (!changed) {
      EXPECT_EQ(ListColumnValue(plan, now, c.column), ListColumnValue(plan, before[k], c.column)) << c.cells[k];
      EXPECT_EQ(now.TYP, before[k].TYP);
      EXPECT_EQ(now.POD, before[k].POD);
    }
  }
  EXPECT_EQ(plan.QuayCount, 0) << "nothing goes to the quay on the way";
  EXPECT_EQ(plan.RemoveToQuay, 1);
  EXPECT_EQ(plan.BatchFlags[kBatchAttributeChange], 0);
  EXPECT_TRUE(Hand().CONTAINER.empty()) << "nothing left in hand";
  const bool touched = !c.changed.empty() || !c.refused.empty();
  EXPECT_EQ(host.planChanges, touched ? 1 : 0) << "the windows are told once";
  EXPECT_EQ(plan.ConditionModified, touched ? 1 : 0);
  if (c.column != 6) {
    EXPECT_EQ(stab.Items, sumsBefore) << "the same weights stand in the same cells";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListChange,
    ::testing::Values(
        ChangeCase{"PodOfThree", 3, "ANR", {"010082", "010102", "030082"}, {"010082", "010102", "030082"}, {}, "ANR"},
        ChangeCase{"HighCubeOverTheBayLimit", 7, "HC", {"090102", "090104", "090106"}, {"090102", "090104"},
                   {"090106"}, "HC"},
        ChangeCase{"NegativeWeightRefused", 6, "-5", {"010082", "010102"}, {}, {"010082", "010102"}, ""},
        ChangeCase{"ForwardOfForty", 3, "FXT", {"010182"}, {"010182"}, {}, "FXT"},
        ChangeCase{"SameValueLeftAlone", 3, "RTM", {"010082", "010102"}, {}, {}, ""},
        ChangeCase{"PositionNeverChanged", 0, "030002", {"010082"}, {}, {}, ""},
        ChangeCase{"YesNoAnswerConfirmed", 20, "YES", {"070102"}, {}, {}, ""},
        ChangeCase{"YesNoAnswerChanged", 20, "NO", {"070102", "070102"}, {"070102"}, {}, "NO"},
        ChangeCase{"WeightReformatted", 6, "7.34", {"010082"}, {"010082"}, {}, "7.3"}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.what); });

TEST_F(ListChangeTest, FortyFootPartnerCarriesTheNewValue) {
  const ListChangeResult result = ChangeListColumn(ctx, {Cell("010182")}, 3, "LEH");
  ASSERT_EQ(result.changed.size(), 1u);
  EXPECT_EQ(At("010182").POD, "LEH");
  EXPECT_EQ(At("030182").POD, "LEH");
  EXPECT_EQ(At("030182").STATUS, -1);
  EXPECT_EQ(At("010182").SIZ, "40");
}

TEST_F(ListChangeTest, WhatTheTextsCannotHoldIsKept) {
  StructDat& unit = At("010082");
  unit.IMO[7] = "9";
  unit.UN[7] = "3082";
  unit.OL_2 = 30;
  ASSERT_EQ(ChangeListColumn(ctx, {Cell("010082")}, 3, "ANR").changed.size(), 1u);
  EXPECT_EQ(At("010082").POD, "ANR");
  EXPECT_EQ(At("010082").IMO[7], "9");
  EXPECT_EQ(At("010082").UN[7], "3082");
  EXPECT_EQ(At("010082").OL_2, 30);
}

TEST_F(ListChangeTest, YesNoAnswersAreStoredAsOneAndZero) {
  EXPECT_EQ(ListColumnStoredText(plan, 20, "YES"), "1");
  EXPECT_EQ(ListColumnStoredText(plan, 20, "NO"), "0");
  EXPECT_EQ(ListColumnStoredText(plan, 20, "1"), "1");
  EXPECT_EQ(ListColumnStoredText(plan, 3, "YES"), "YES");
}

}  // namespace
}  // namespace plantest
