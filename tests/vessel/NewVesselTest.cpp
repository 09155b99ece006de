#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/NewVessel.h"
#include "vessel/VesselData.h"

namespace fs = std::filesystem;

namespace {

// Generation on a copy of the demo installation (its DIM and VET tables).
class NewVesselTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", dir.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_TRUE(base.CreateBaseData(dir.path()));
    ASSERT_TRUE(base.LoadBaseData());
  }
  NewVesselRequest Request() const {
    NewVesselRequest request;
    request.name = "GENERATED ONE";
    request.folder = "GEN1";
    request.callSign = "9HX0001";
    request.imoNumber = "9999999";
    request.bayAftBridge = "23";
    return request;
  }
  // Cells of the bay with that number, by deck and hold.
  std::pair<int, int> DeckAndHold(int bayNumber, int row = -1) const {
    int deck = 0, hold = 0;
    for (int i = 0; i < plan.CellCount; ++i) {
      if (BayOf(plan, i) != bayNumber || (row >= 0 && RowOf(plan, i) != row)) continue;
      (IsDeckTier(TierOf(plan, i)) ? deck : hold) += 1;
    }
    return {deck, hold};
  }

  TempDir dir;
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
  ScriptedHost host;
  BaseData base{plan, host};
  VesselData ves{plan, host};
};

TEST_F(NewVesselTest, TheDefaultVessel) {
  ASSERT_EQ(GenerateVessel(plan, base, ves, Request()), 24 * 15 * 16);
  EXPECT_EQ(plan.BayCount, 24);
  EXPECT_EQ(plan.Bays[23].BAY, "47");
  EXPECT_EQ(DeckAndHold(1), std::make_pair(15 * 8, 15 * 8));
  EXPECT_EQ(DeckAndHold(47, 14), std::make_pair(8, 8));
  std::set<int> tiers;
  for (int i = 0; i < plan.CellCount; ++i) {
    ASSERT_EQ(plan.Cells[i].RESTR, -9) << "cells stay deleted until enabled";
    ASSERT_EQ(plan.Bays[plan.Cells[i].BAYIX].BAY, Columns(plan.Cells[i].CELL, 1, 2));
    tiers.insert(TierOf(plan, i));
  }
  EXPECT_EQ(tiers, (std::set<int>{2, 4, 6, 8, 10, 12, 14, 16, 82, 84, 86, 88, 90, 92, 94, 96}));
  EXPECT_EQ(plan.Bays[0].FIRSTCELL, 0);
  EXPECT_EQ(plan.Bays[0].LASTCELL, 239);

  // Written and listed.
  for (const char* file : {"ptc.txt", "bay.txt", "cel.txt"})
    EXPECT_TRUE(fs::exists(dir.path() / "GEN1" / file)) << file;
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Code], "GEN");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::BaysPerLine], "6");
  EXPECT_DOUBLE_EQ(ParseReal(plan.VesHdr[VesHdrIx::BaysLength]), 24 * (12192 + 76) * 0.0005);
  // Listed beside the installation's own vessels.
  int listed = 0;
  for (int k = 0; k < plan.VesselCount; ++k) {
    if (plan.VesselList[k * kVesselListFields] != "GENERATED ONE") continue;
    ++listed;
    EXPECT_EQ(plan.VesselList[k * kVesselListFields + 1], "GEN1");
  }
  EXPECT_EQ(listed, 1);
  EXPECT_EQ(plan.CelChanged, 0);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(NewVesselTest, BigShipsHaveDeckOnlyOuterRowsAndTier80) {
  NewVesselRequest request = Request();
  request.lastBay = 49;
  request.maxRow = 10;
  request.lastTierUnderDeck = 12;
  request.lastTierOnDeck = 86;
  request.tier80 = true;
  ASSERT_GT(GenerateVessel(plan, base, ves, request), 0);
  EXPECT_EQ(plan.BayCount, 25);
  EXPECT_EQ(DeckAndHold(49, 10), std::make_pair(4, 0));  // tiers 80..86
  EXPECT_EQ(DeckAndHold(49, 9), std::make_pair(4, 0));
  EXPECT_EQ(DeckAndHold(49, 8), std::make_pair(4, 6));
}

TEST_F(NewVesselTest, TheCellLimitWritesNothing) {
  NewVesselRequest request = Request();
  request.lastBay = 119;  // 60 bays of 23 rows x 16 tiers: far beyond 9,800 cells
  request.maxRow = 22;
  EXPECT_EQ(GenerateVessel(plan, base, ves, request), plan.UnitInHandIndex);
  EXPECT_FALSE(fs::exists(dir.path() / "GEN1"));
}

TEST_F(NewVesselTest, AddingKeepsTheCellsThereAre) {
  NewVesselRequest request = Request();
  request.lastBay = 3;
  request.maxRow = 2;
  request.lastTierUnderDeck = 4;
  request.lastTierOnDeck = 84;
  ASSERT_EQ(GenerateVessel(plan, base, ves, request), 2 * 3 * 4);
  const int enabled = FindCellByPosition(plan, "010282");
  plan.Cells[enabled].RESTR = 0;
  plan.Cells[enabled].LCG = 50.5;
  plan.Cur()[enabled].CONTAINER = "KEEP0000001";

  request.add = true;
  request.maxRow = 4;  // two more rows
  ASSERT_EQ(GenerateVessel(plan, base, ves, request), 2 * 5 * 4);
  const int now = FindCellByPosition(plan, "010282");
  ASSERT_GE(now, 0);
  EXPECT_EQ(plan.Cells[now].RESTR, 0);
  EXPECT_EQ(plan.Cells[now].LCG, 50.5);
  EXPECT_EQ(plan.Cur()[now].CONTAINER, "KEEP0000001") << "records move with their cells";
  for (int i = 1; i < plan.CellCount; ++i) ASSERT_LT(plan.Cells[i - 1].CELL, plan.Cells[i].CELL);
  EXPECT_EQ(plan.Cells[FindCellByPosition(plan, "010484")].RESTR, -9);
}

TEST_F(NewVesselTest, TransverseCentres) {
  NewVesselRequest request = Request();
  request.lastBay = 3;
  request.maxRow = 4;
  ASSERT_GT(GenerateVessel(plan, base, ves, request), 0);
  plan.Bays[1].D00 = 0;   // bay 03: no row 00 on deck
  plan.Bays[1].H00 = 99;  // nor in the hold
  struct Case {
    const char* cell;
    double tcg;
  } cases[] = {
      {"010082", 0},
      {"010182", (2438 + 80) / 1000.0},
      {"010282", -(2438 + 80) / 1000.0},
      {"010382", 2 * (2438 + 80) / 1000.0},
      {"010102", (2438 + 180) / 1000.0},
      {"030182", (2438 + 80 - 1219) / 1000.0},
      {"030202", -(2438 + 180 - 1219) / 1000.0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(TransverseCentre(plan, FindCellByPosition(plan, c.cell)), c.tcg, 1e-9) << c.cell;
}

TEST_F(NewVesselTest, DefaultCentresAlongAndUp) {
  NewVesselRequest request = Request();
  request.lastBay = 5;
  request.maxRow = 0;
  request.bayAftBridge = "03";
  ASSERT_GT(GenerateVessel(plan, base, ves, request), 0);
  plan.Bays[0].D40 = "02";  // bays 01 and 03 form 40' bay 02 on deck
  plan.Bays[1].D40 = "02";
  ComputeDefaultCentres(plan, 9);
  const double pitch = (12192 + 76) * 0.5;
  const double length = ParseReal(plan.VesHdr[VesHdrIx::DrawingLength]) * 1000;
  const double x1 = length - 27000 - pitch;
  auto lcg = [&](const char* c) { return plan.Cells[FindCellByPosition(plan, c)].LCG; };
  auto lcg40 = [&](const char* c) { return plan.Cells[FindCellByPosition(plan, c)].LCG_40; };
  EXPECT_NEAR(lcg("010082"), (x1 - 38) / 1000, 1e-9);  // fore half of the 40' bay
  EXPECT_NEAR(lcg40("010082"), (x1 - 38 - 3048) / 1000, 1e-9);
  EXPECT_NEAR(lcg("030082"), (x1 - 4 * pitch) / 1000, 1e-9);  // the bridge stands aft of bay 03
  EXPECT_NEAR(lcg40("030082"), (x1 - 4 * pitch + 3048) / 1000, 1e-9);
  EXPECT_NEAR(lcg("010002"), (x1) / 1000, 1e-9);  // hold: no 40' bay there
  EXPECT_NEAR(plan.Cells[FindCellByPosition(plan, "010002")].VCG, (2 * 2591 * 0.5 + 1500 - 2591 * 0.5) / 1000,
              1e-9);
  // Deck base: no hold tier counts in bays 0..9, so the deck starts on the hatch covers.
  EXPECT_NEAR(plan.Cells[FindCellByPosition(plan, "010084")].VCG,
              ((2591 + 30) * 4 * 0.5 + 1500 + 1500 - 2591 * 0.5) / 1000, 1e-9);
  EXPECT_EQ(plan.CelChanged, 1);
}

}  // namespace
