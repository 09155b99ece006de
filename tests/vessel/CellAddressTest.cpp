#include <gtest/gtest.h>

#include "CellFixture.h"
#include "vessel/CellAddress.h"

namespace {

class CellAddressTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildTestVessel(plan); }
  int Cell(const char* name) const {
    const int i = CellNamed(plan, name);
    EXPECT_GE(i, 0) << name << " is not in the test vessel";
    return i;
  }
  // The name of a cell index, "-" for -1, so failures read as positions.
  std::string Name(int cell) const { return cell < 0 ? "-" : plan.Cells[cell].CELL; }

  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
};

TEST_F(CellAddressTest, PartsOfAPosition) {
  struct Case {
    const char* position;
    int bay, row, tier;
  } cases[] = {
      {"010282", 1, 2, 82}, {"530098", 53, 0, 98}, {"0102", 1, 2, -1},   {"", -1, -1, -1},
      {"0", -1, -1, -1},    {"0A0282", -1, 2, 82}, {" 10282", -1, 2, 82}, {"01028", 1, 2, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BayOf(plan, c.position), c.bay) << c.position;
    EXPECT_EQ(RowOf(plan, c.position), c.row) << c.position;
    EXPECT_EQ(TierOf(plan, c.position), c.tier) << c.position;
  }
  const int cell = Cell("030282");
  EXPECT_EQ(BayOf(plan, cell), 3);
  EXPECT_EQ(RowOf(plan, cell), 2);
  EXPECT_EQ(TierOf(plan, cell), 82);
  for (int outside : {-1, plan.CellCount, kMaxCells + 5}) {
    EXPECT_EQ(BayOf(plan, outside), -1);
    EXPECT_EQ(RowOf(plan, outside), -1);
    EXPECT_EQ(TierOf(plan, outside), -1);
  }
}

TEST_F(CellAddressTest, MakePositionPadsAndNeverCuts) {
  EXPECT_EQ(MakePosition(plan, 1, 2, 82), "010282");
  EXPECT_EQ(MakePosition(plan, 0, 0, 2), "000002");
  EXPECT_EQ(MakePosition(plan, 3, 0, 100), "0300100");
  EXPECT_EQ(FindCellByPosition(plan, MakePosition(plan, 1, 0, 100)), -1);
  EXPECT_FALSE(IsDeckTier(78));
  EXPECT_TRUE(IsDeckTier(80));
}

TEST_F(CellAddressTest, OtherNameLayoutIsFollowedEverywhere) {
  auto other = CreatePlanData();
  other->BayLen = 3;
  other->RowPos = 4;
  other->TierPos = 6;
  EXPECT_EQ(MakePosition(*other, 1, 2, 82), "0010282");
  EXPECT_EQ(BayOf(*other, "0010282"), 1);
  EXPECT_EQ(RowOf(*other, "0010282"), 2);
  EXPECT_EQ(TierOf(*other, "0010282"), 82);
  other->Bays[0].BAY = "001";
  other->Bays[0].LASTCELL = 1;
  other->Cells[0].CELL = "0010082";
  other->Cells[1].CELL = "0010282";
  other->Bays[0].D00 = 1;
  other->BayCount = 1;
  other->CellCount = 2;
  EXPECT_EQ(FindCellByPosition(*other, "0020282"), 1);  // 40' bay 002 -> fore bay 001
  EXPECT_EQ(NeighbourCell(*other, 1, false), 0);
  EXPECT_EQ(CellAbove(*other, 0), -1);
}

TEST_F(CellAddressTest, FindCellByPosition) {
  struct Case {
    const char* position;
    const char* expected;  // "-" for none
  } cases[] = {
      {"010182", "010182"}, {"090482", "090482"}, {"020182", "010182"}, {"040182", "030182"},
      {"000182", "-"},      {"070182", "-"},      {"010482", "-"},      {"0101", "-"},
      {"", "-"},            {"0101820", "-"},     {"xx0182", "-"},      {"01018", "-"},
  };
  for (const Case& c : cases) EXPECT_EQ(Name(FindCellByPosition(plan, c.position)), c.expected) << c.position;

  EXPECT_EQ(FindBayByNumber(plan, 1), 0);
  EXPECT_EQ(FindBayByNumber(plan, 9), 3);
  EXPECT_EQ(FindBayByNumber(plan, 7), -1);
  EXPECT_EQ(FindBayByNumber(plan, 0), -1);
  EXPECT_EQ(FindBayByNumber(plan, -1), -1);
}

TEST_F(CellAddressTest, BrokenBayBoundsStayInsideTheCells) {
  plan.Bays[3].LASTCELL = kMaxCells + 100;  // past the cells and the array
  plan.Bays[0].FIRSTCELL = -7;
  EXPECT_EQ(Name(FindCellByPosition(plan, "090482")), "090482");
  EXPECT_EQ(Name(FindCellByPosition(plan, "010082")), "010082");
  plan.Cells[plan.CellCount].CELL = "090884";  // beyond CellCount: not a cell
  EXPECT_EQ(FindCellByPosition(plan, "090884"), -1);
  plan.BayCount = kMaxBays + 10;  // a count past the capacity
  EXPECT_EQ(FindBayByNumber(plan, 11), -1);
}

TEST_F(CellAddressTest, HasCentreRow) {
  EXPECT_TRUE(HasCentreRow(plan, Cell("010082")));   // deck, D00 1
  EXPECT_FALSE(HasCentreRow(plan, Cell("090182")));  // deck, D00 0
  EXPECT_FALSE(HasCentreRow(plan, Cell("010102")));  // hold tier 02, H00 4
  EXPECT_TRUE(HasCentreRow(plan, Cell("010006")));   // hold tier 06 above H00
  EXPECT_FALSE(HasCentreRow(plan, -1));
  EXPECT_FALSE(HasCentreRow(plan, plan.CellCount));
  plan.Cells[Cell("010082")].BAYIX = 77;
  EXPECT_FALSE(HasCentreRow(plan, Cell("010082")));
}

TEST_F(CellAddressTest, NeighboursAndCellAbove) {
  struct Case {
    const char* cell;
    const char* toPort;
    const char* toStarboard;
  } cases[] = {
      {"010182", "010082", "-"},       // centre row on deck
      {"010282", "-", "010082"},       // row 04 missing
      {"010082", "010282", "010182"},
      {"010102", "010202", "-"},       // no centre row low in the hold: 01 and 02 are adjacent
      {"010202", "-", "010102"},
      {"010006", "-", "-"},
      {"090182", "090282", "-"},       // bay without centre row on deck
      {"090282", "090482", "090182"},
      {"090482", "-", "090282"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Name(NeighbourCell(plan, Cell(c.cell), true)), c.toPort) << c.cell;
    EXPECT_EQ(Name(NeighbourCell(plan, Cell(c.cell), false)), c.toStarboard) << c.cell;
  }
  EXPECT_EQ(NeighbourCell(plan, -1, true), -1);
  EXPECT_EQ(NeighbourCell(plan, plan.CellCount, false), -1);

  EXPECT_EQ(Name(CellAbove(plan, Cell("010082"))), "010084");
  EXPECT_EQ(Name(CellAbove(plan, Cell("010182"))), "010184");
  EXPECT_EQ(CellAbove(plan, Cell("010084")), -1);
  EXPECT_EQ(CellAbove(plan, -1), -1);
  plan.Cells[Cell("010182")].CELL = "0101";  // a name without tier
  EXPECT_EQ(CellAbove(plan, CellNamed(plan, "0101")), -1);
  EXPECT_EQ(NeighbourCell(plan, CellNamed(plan, "0101"), true), -1);
}

TEST_F(CellAddressTest, FortyFootPartners) {
  struct Case {
    const char* cell;
    int partnerBay;
    const char* partner;
  } cases[] = {
      {"010182", 1, "030182"},  // fore bay -> aft bay
      {"030182", 0, "010182"},  // and back
      {"010102", 1, "030102"},  // in the hold through H40
      {"010006", 1, "030006"},
      {"010202", 1, "-"},       // the aft bay has no such cell
      {"010084", 1, "-"},
      {"050182", -1, "-"},      // 40' bay 06 named, but bay 07 does not exist (next is 09)
      {"090182", 3, "090282"},  // rows paired on deck: the port neighbour
      {"090282", 3, "090482"},
      {"090482", 3, "-"},
      {"090102", -1, "-"},      // 40' bay 10 named by the last bay
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PartnerBay(plan, Cell(c.cell)), c.partnerBay) << c.cell;
    EXPECT_EQ(Name(FortyPartnerCell(plan, Cell(c.cell))), c.partner) << c.cell;
  }
  for (int outside : {-1, plan.CellCount}) {
    EXPECT_EQ(PartnerBay(plan, outside), -1);
    EXPECT_EQ(FortyPartnerCell(plan, outside), -1);
  }
  // A bay pairing with the bay before it.
  plan.Bays[2].D40 = "04";
  EXPECT_EQ(PartnerBay(plan, Cell("050182")), 1);
  EXPECT_EQ(Name(FortyPartnerCell(plan, Cell("050182"))), "030182");
  plan.Cells[Cell("030182")].BAYIX = -3;
  EXPECT_EQ(PartnerBay(plan, Cell("030182")), -1);
  EXPECT_EQ(FortyPartnerCell(plan, Cell("030182")), -1);
  plan.Cells[Cell("030182")].BAYIX = kMaxBays;
  EXPECT_EQ(FortyPartnerCell(plan, Cell("030182")), -1);
}

TEST_F(CellAddressTest, RowPairingSkipsTheCentreRowWhileConfiguring) {
  plan.Bays[3].D00 = 1;
  EXPECT_EQ(Name(FortyPartnerCell(plan, Cell("090182"))), "090082");
  plan.ConfigMode = 1;
  EXPECT_EQ(Name(FortyPartnerCell(plan, Cell("090182"))), "090282");
  EXPECT_EQ(Name(FortyPartnerCell(plan, Cell("090282"))), "090482");
}

}  // namespace
