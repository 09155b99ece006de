// Bay pictures on a drawing surface: which bay goes to which line and slot,
// where each cell's box lands, and finding the cell under a point.

#include "planning/BayLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "PlanFixture.h"
#include "ScriptedHost.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/CellAddress.h"
#include "vessel/VesselData.h"

namespace {

std::string TwoDigits(int n) { return Pad(std::to_string(n), 2, true, "0"); }

// A vessel of bays numbered 01, 03, ... each with the same small set of cells;
// fortyPairs lists the table indexes of bays that are the fore bay of a 40'
// pair with the bay after them.
// Making a plan takes a while; cases of a table rebuild the vessel in one.
void BuildBays(PlanData& plan, int bayCount, const std::vector<int>& fortyPairs = {},
               const std::vector<std::string>& rowTiers = {"0182", "0282"}) {
  plan.CellCount = 0;
  plan.BayCount = 0;
  for (int b = 0; b < bayCount; ++b) {
    const std::string bay = TwoDigits(2 * b + 1);
    for (const std::string& rt : rowTiers) {
      const std::string name = bay + rt;
      plantest::AddCells(plan, {name.c_str()});
    }
    plan.Bays[b].D40 = "0";
    plan.Bays[b].H40 = "0";
    plan.Bays[b].H00 = 99;
  }
  for (int fore : fortyPairs) {
    const std::string forty = TwoDigits(2 * fore + 2);
    plan.Bays[fore].D40 = forty;
    plan.Bays[fore + 1].D40 = forty;
  }
}

struct Slot {
  int line;
  int slot;
  bool operator==(const Slot&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Slot& s) {
  return out << "line " << s.line << " slot " << s.slot;
}

std::vector<Slot> Slots(const PlanData& plan) {
  std::vector<Slot> slots;
  for (int b = 0; b < plan.BayCount; ++b) slots.push_back({plan.Bays[b].XB5, plan.Bays[b].XB6});
  return slots;
}

class BayLayoutTest : public ::testing::Test {
 protected:
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
  BayLayout layout;

  void Layout(int width = 1400, int height = 900, int target = kTargetScreen) {
    ComputeBayLayout(plan, layout, target);
    ComputeCellBoxes(plan, layout, width, height, target);
  }
  const StructCel& Cell(const std::string& name) const { return plan.Cells[plantest::CellNamed(plan, name)]; }
};

TEST_F(BayLayoutTest, FifteenSingleBaysFillTwoLinesOfSevenAndTheLastMovesToTheFirstSlot) {
  BuildBays(plan, 15);
  plan.VesHdr[VesHdrIx::BaysPerLine] = "7";
  Layout();
  EXPECT_EQ(plan.BaysPerLine, 7);
  std::vector<Slot> expected;
  for (int line = 1; line <= 2; ++line)
    for (int slot = 7; slot >= 1; --slot) expected.push_back({line, slot});
  expected.push_back({3, 1});
  EXPECT_EQ(Slots(plan), expected);
  EXPECT_EQ(layout.lineCount, 3);
  EXPECT_EQ(layout.maxSlot, 7);
  // The first bay of a line stands at the right.
  EXPECT_GT(layout.bays[0].centreX, layout.bays[1].centreX);
  EXPECT_GT(layout.bays[7].centreX, layout.bays[8].centreX);
  EXPECT_EQ(layout.bays[14].centreX, layout.bays[6].centreX);
  // Slots above half of the line form the second section.
  EXPECT_EQ(plan.Bays[0].SECTION, 2);
  EXPECT_EQ(plan.Bays[3].SECTION, 1);
  EXPECT_EQ(plan.Bays[6].SECTION, 1);
}

TEST_F(BayLayoutTest, BaysPerLineOutsideSixToThirtyBecomesSix) {
  for (const char* value : {"", "5", "31", "abc"}) {
    SCOPED_TRACE(value);
    BuildBays(plan, 8);
    plan.VesHdr[VesHdrIx::BaysPerLine] = value;
    ComputeBayLayout(plan, layout, kTargetScreen);
    EXPECT_EQ(plan.BaysPerLine, 6);
    EXPECT_EQ(plan.Bays[6].XB5, 2);
  }
}

TEST_F(BayLayoutTest, AFortyFootPairIsNeverSplitOverTwoLines) {
  // Bay 7 (table index 6) would take the last slot of line 1.
  BuildBays(plan, 10, {6});
  plan.VesHdr[VesHdrIx::BaysPerLine] = "7";
  Layout();
  const std::vector<Slot> slots = Slots(plan);
  EXPECT_EQ(slots[5], (Slot{1, 2}));
  // Line 2 holds four bays and ends in slot 1.
  EXPECT_EQ(slots[6], (Slot{2, 4}));
  EXPECT_EQ(slots[7], (Slot{2, 3}));
  EXPECT_EQ(slots[9], (Slot{2, 1}));
  for (int b = 0; b + 1 < plan.BayCount; ++b)
    if (plan.Bays[b].D40 != "0" && plan.Bays[b].D40 == plan.Bays[b + 1].D40) {
      EXPECT_EQ(slots[b].line, slots[b + 1].line);
    }
}

TEST_F(BayLayoutTest, PairsOnConsecutiveLinesShareTheirSlot) {
  BuildBays(plan, 4, {0, 2});
  plan.VesHdr[VesHdrIx::BaysPerLine] = "6";
  plan.Settings[70] = "1";
  Layout();
  EXPECT_EQ(Slots(plan), (std::vector<Slot>{{1, 6}, {2, 6}, {1, 5}, {2, 5}}));
  EXPECT_EQ(layout.lineCount, 2);
}

TEST_F(BayLayoutTest, TheBridgeBayLeavesAnEmptySlotOrStartsALine) {
  struct Case {
    const char* what;
    int bays;
    int bridgeBay;
    std::vector<Slot> expected;
  };
  const std::vector<Case> cases = {
      // The bays from the bridge bay on fit the line: one slot stays empty.
      {"rest fits", 5, 7, {{1, 6}, {1, 5}, {1, 4}, {1, 2}, {1, 1}}},
      // They do not: the bridge bay starts line 2, which then ends in slot 1.
      {"rest too long",
       10,
       9,
       {{1, 7}, {1, 6}, {1, 5}, {1, 4}, {2, 6}, {2, 5}, {2, 4}, {2, 3}, {2, 2}, {2, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBays(plan, c.bays);
    plan.VesHdr[VesHdrIx::BaysPerLine] = "7";
    plan.VesHdr[VesHdrIx::BridgeBay] = std::to_string(c.bridgeBay);
    ComputeBayLayout(plan, layout, kTargetScreen);
    EXPECT_EQ(Slots(plan), c.expected);
  }
}

TEST_F(BayLayoutTest, RowZeroIsCentredAndWithoutItRowsOneAndTwoMeetOnTheCentre) {
  BuildBays(plan, 2, {}, {"0082", "0182", "0282", "0084", "0184", "0284"});
  // Bay 03 has no row 00.
  for (const char* name : {"030082", "030084"}) {
    const int i = plantest::CellNamed(plan, name);
    plan.Cells[i].CELL = std::string("0304") + (name + 4);
  }
  Layout();
  const int w = plan.CellPitchX;
  const int offset = w / 2 - layout.SpareX / 2;  // common to every cell on the screen
  EXPECT_EQ(plan.Bays[0].D00, 1);
  EXPECT_EQ(Cell("010082").X + w / 2, layout.bays[0].centreX + offset);
  EXPECT_EQ(Cell("010182").X, Cell("010082").X + w);
  EXPECT_EQ(Cell("010282").X, Cell("010082").X - w);
  EXPECT_EQ(Cell("030182").X, layout.bays[1].centreX + offset);
  EXPECT_EQ(Cell("030282").X, Cell("030182").X - w);
  EXPECT_EQ(Cell("030482").X, Cell("030282").X - w);
  // Higher tiers are drawn above lower ones.
  EXPECT_LT(Cell("010084").Y, Cell("010082").Y);
  EXPECT_EQ(Cell("010082").Y - Cell("010084").Y, plan.CellPitchY);
}

TEST_F(BayLayoutTest, HatchCoverJointsShiftTheBoxesBesideThem) {
  struct Case {
    const char* what;
    int StructBay::*joint;
    int value;
    int target;
    bool deckCentreRow;
    const char* rowTier;  // of the cell watched
    int shift;            // pixels, right positive
  };
  const std::vector<Case> cases = {
      {"centre joint, starboard row", &StructBay::ROWSHIFT1, 1, kTargetScreen, false, "0182", 1},
      {"centre joint, port row", &StructBay::ROWSHIFT1, 1, kTargetScreen, false, "0282", -1},
      {"centre joint, hold", &StructBay::ROWSHIFT1, 1, kTargetScreen, false, "0302", 1},
      {"centre joint on paper", &StructBay::ROWSHIFT1, 1, kTargetPrinter, false, "0202", -2},
      {"port hold joint, row beyond", &StructBay::ROWSHIFT2, 2, kTargetScreen, false, "0402", -1},
      {"port hold joint, row inside", &StructBay::ROWSHIFT2, 2, kTargetScreen, false, "0202", 0},
      {"port hold joint reaches the deck", &StructBay::ROWSHIFT2, 2, kTargetScreen, false, "0482", -1},
      {"port hold joint, deck has row 00", &StructBay::ROWSHIFT2, 2, kTargetScreen, true, "0482", 0},
      {"port deck joint", &StructBay::ROWSHIFT3, 2, kTargetScreen, false, "0482", -1},
      {"port deck joint, hold", &StructBay::ROWSHIFT3, 2, kTargetScreen, false, "0402", 0},
      {"starboard hold joint on paper", &StructBay::ROWSHIFT4, 1, kTargetPrinter, false, "0302", 3},
      {"starboard hold joint, row inside", &StructBay::ROWSHIFT4, 1, kTargetPrinter, false, "0102", 0},
      {"starboard joint on the centre", &StructBay::ROWSHIFT4, -1, kTargetScreen, false, "0102", 1},
      {"starboard deck joint", &StructBay::ROWSHIFT5, 1, kTargetScreen, false, "0382", 1},
      {"starboard deck joint, hold", &StructBay::ROWSHIFT5, 1, kTargetScreen, false, "0302", 0},
  };
  const std::vector<std::string> rowTiers = {"0102", "0202", "0302", "0402", "0182", "0282", "0382", "0482"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlanData& p = plan;
    BuildBays(p, 2, {}, rowTiers);
    p.Bays[0].*c.joint = c.value;  // bay 01 has the joint, bay 03 is the reference
    p.Bays[0].D00 = p.Bays[1].D00 = c.deckCentreRow ? 1 : 0;
    BayLayout l;
    ComputeBayLayout(p, l, c.target);
    ComputeCellBoxes(p, l, 1000, 700, c.target);
    const StructCel& jointed = p.Cells[plantest::CellNamed(p, std::string("01") + c.rowTier)];
    const StructCel& plain = p.Cells[plantest::CellNamed(p, std::string("03") + c.rowTier)];
    EXPECT_EQ((jointed.X - l.bays[0].centreX) - (plain.X - l.bays[1].centreX), c.shift);
    EXPECT_EQ(jointed.Y, plain.Y);
  }
}

TEST_F(BayLayoutTest, HoldCellsLieBelowTheHatchGapAndDeckBottomIsTheLowestDeckBox) {
  BuildBays(plan, 1, {}, {"0102", "0104", "0182", "0184"});
  Layout();
  const int h = plan.CellPitchY;
  EXPECT_EQ(Cell("010182").Y - Cell("010184").Y, h);
  EXPECT_EQ(Cell("010104").Y - Cell("010182").Y, h + h / 3);
  EXPECT_EQ(layout.bays[0].deckBottom, Cell("010182").Y);
  EXPECT_EQ(layout.bays[0].bottom, Cell("010102").Y + h);
  EXPECT_EQ(layout.bays[0].top, Cell("010184").Y);
}

// Every cell's box centre finds that cell again, on the screen and on paper,
// with all bays, one half of them and every bay alone.
void ExpectEveryCellFoundAtItsCentre(PlanData& plan, const char* vessel) {
  SCOPED_TRACE(vessel);
  struct View {
    int target;
    int oneBay;  // table index of the bay shown alone, -1 all bays
    int section;
  };
  std::vector<View> views = {
      {kTargetScreen, -1, 0}, {kTargetPrinter, -1, 0}, {kTargetScreen, -1, 1}, {kTargetScreen, -1, 2}};
  for (int b = 0; b < plan.BayCount; ++b)
    views.push_back({b % 2 == 0 ? kTargetScreen : kTargetPrinter, b, 0});
  BayLayout layout;
  for (const View& v : views) {
    SCOPED_TRACE("target " + std::to_string(v.target) + " bay " + std::to_string(v.oneBay) + " section " +
                 std::to_string(v.section));
    plan.OneBayNumber = v.oneBay >= 0 ? ParseInt(plan.Bays[v.oneBay].BAY) : 0;
    plan.SectionFilter = v.section;
    ComputeBayLayout(plan, layout, v.target);
    ComputeCellBoxes(plan, layout, 1500, 1000, v.target);
    ASSERT_GE(plan.CellPitchX, 4);
    ASSERT_GE(plan.CellPitchY, 4);
    int shown = 0;
    for (int i = 0; i < plan.CellCount; ++i) {
      const StructCel& c = plan.Cells[i];
      const int found = CellAtPoint(plan, layout, c.X + plan.CellPitchX / 2, c.Y + plan.CellPitchY / 2);
      if (found >= 0) {
        EXPECT_TRUE(CellIsShown(plan, layout, found)) << plan.Cells[found].CELL << " is not shown";
      }
      if (!CellIsShown(plan, layout, i)) continue;
      ++shown;
      EXPECT_EQ(found, i) << c.CELL << " at " << c.X << "," << c.Y;
      EXPECT_GE(c.Y, 0) << c.CELL;
      EXPECT_GE(c.X, 0) << c.CELL;
    }
    EXPECT_GT(shown, 0);
  }
  EXPECT_EQ(CellAtPoint(plan, layout, -5, -5), -1);
}

TEST_F(BayLayoutTest, EveryCellOfTheDemoFeederIsFoundAtTheCentreOfItsBox) {
  ScriptedHost host;
  VesselData ves(plan, host);
  plan.VesselDir = (std::filesystem::path(ZUM4_SOURCE_DIR) / "data" / "demo" / "FEEDER").string();
  ASSERT_GT(ves.LoadBays(), 10);
  ASSERT_GT(ves.LoadCells(), 1000);
  plan.VesHdr[VesHdrIx::BaysPerLine] = "6";
  ExpectEveryCellFoundAtItsCentre(plan, "feeder");
}

TEST_F(BayLayoutTest, EveryCellOfAVesselWithHoldOnlyBaysIsFoundAtTheCentreOfItsBox) {
  plantest::BuildPlanVessel(plan);
  ExpectEveryCellFoundAtItsCentre(plan, "test vessel");
}

TEST_F(BayLayoutTest, AVesselWithoutCellsOrBaysLaysOutWithoutDividingByZero) {
  Layout();
  EXPECT_GE(plan.CellPitchX, 1);
  EXPECT_GE(plan.CellPitchY, 1);
  EXPECT_EQ(CellAtPoint(plan, layout, 10, 10), -1);
  // Cells whose bay table was never read point nowhere.
  plan.CellCount = 2;
  plan.Cells[0] = StructCel{"010082", 45};
  plan.Cells[1] = StructCel{"xx", 3};
  Layout();
  EXPECT_FALSE(CellIsShown(plan, layout, 0));
  EXPECT_EQ(CellAtPoint(plan, layout, plan.Cells[0].X, plan.Cells[0].Y), -1);
}

}  // namespace
