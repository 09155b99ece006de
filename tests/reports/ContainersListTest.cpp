#include "reports/ContainersList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../planning/PlanFixture.h"

namespace plantest {
namespace {

using Lines = std::vector<std::string>;

// Layout 0 lists CELL, CONTAINER, WEIGHT; layout 9 CELL, OPR; layout 12
// CELL, IMO, UN.
class ContainersListTest : public PlanTest {
 protected:
  void SetUp() override {
    PlanTest::SetUp();
    auto column = [this](int c, const char* name, int width, int kind, std::initializer_list<std::pair<int, int>> at) {
      plan.RepNames[c] = name;
      plan.RepDef[c][0] = width;
      plan.RepDef[c][1] = kind;
      for (const auto& [layout, position] : at) plan.RepDef[c][3 + layout] = position;
    };
    column(0, "CELL", 6, 0, {{0, 1}, {9, 1}, {12, 1}});
    column(1, "CONTAINER", 11, 0, {{0, 2}});
    column(6, "WEIGHT", 6, 1, {{0, 3}});
    plan.RepDef[6][2] = 1;
    column(10, "IMO", 3, 0, {{12, 2}});
    column(11, "UN", 4, 0, {{12, 3}});
    column(29, "OPR", 4, 0, {{9, 2}});
  }
  Lines Build(int layout, bool sequence = false) {
    ContainersListOptions options;
    options.plane = plan.CurPlane;
    options.layout = layout;
    options.sequence = sequence;
    return ContainersListLines(BuildContainersList(plan, options));
  }
};

TEST_F(ContainersListTest, RowsSortedAttachedUnitsShareTheWeight) {
  StructDat carrier = Unit("ZUMU0000001", "20", 30);
  carrier.FL2 = 2;
  carrier.EQA[0] = "ABCU1111111";
  carrier.EQA[1] = "ABCU2222222";
  Load({{"030082", Unit("ZUMU0000002", "20", 12.34)}, {"010082", carrier}, {"010182", Unit("ZUMU0000003")}});
  At("010182").SELECTED = 0;
  EXPECT_EQ(Build(0), (Lines{"CELL   CONTAINER   WEIGHT ",
                             "010082 ABCU1111111   10.0 ",
                             "010082 ABCU2222222   10.0 ",
                             "010082 ZUMU0000001   10.0 ",
                             "030082 ZUMU0000002   12.3 "}));
  EXPECT_EQ(Build(0, true)[1], "   1 010082 ABCU1111111   10.0 ");
  EXPECT_EQ(Build(0, true)[0], "     CELL   CONTAINER   WEIGHT ");
  EXPECT_EQ(Build(5), Lines{""}) << "a layout without columns lists nothing";
}

TEST_F(ContainersListTest, RestowAndDangerousLayouts) {
  StructDat dg = Unit("ZUMU0000001");
  dg.IMO = {"3", "8", "6.1"};
  dg.UN = {"1993", "2922", "2810"};
  dg.OPERATOR = "MSK";
  Load({{"030082", dg}, {"010082", Unit("ZUMU0000002")}});
  At("010082").OPERATOR = "CMA";
  EXPECT_EQ(Build(9), (Lines{"TO CEL OPR  ", "010082 CMA  ", "030082 MSK  "}));
  EXPECT_EQ(Build(12), (Lines{"CELL   IMO UN   ",
                              "010082          ",
                              "030082 3   1993 ",
                              "       8   2922 ",
                              "       6.1 2810 "}));
}

}  // namespace
}  // namespace plantest
