#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "DemoShips.h"
#include "Layout.h"
#include "core/PlanData.h"
#include "vessel/CellAddress.h"

namespace {

// The container dimensions of the demo installation's parameter file, mm.
void SetDimensions(PlanData& plan) {
  const double dim[] = {12192, 2438, 2591, 2896, 30, 80, 180, 76, 1500, 1500};
  for (size_t i = 0; i < std::size(dim); ++i) plan.Dim[i] = dim[i];
}

class FeederLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDimensions(plan);
    BuildFeederLayout(plan, ship);
  }
  std::unique_ptr<PlanData> owner = CreatePlanData();
  PlanData& plan = *owner;
  const ShipDefinition ship = FeederShip();
  const FeederForm form;
};

// Every stack stands inside the ship: hold stacks between the wing tanks
// and above the double bottom over the whole length of their slot, deck
// stacks over the deck with at most a small overhang, and nothing where
// the deckhouse stands.
TEST_F(FeederLayout, EveryCellFitsTheHull) {
  const double halfBox = plan.Dim[1] / 2000;
  const double halfHeight = plan.Dim[2] / 2000;
  const double halfLength = (plan.Dim[0] / 2 - plan.Dim[7] / 2) / 2000;  // a 20' box
  for (int i = 0; i < plan.CellCount; ++i) {
    const StructCel& c = plan.Cells[static_cast<size_t>(i)];
    const bool deck = IsDeckTier(TierOf(plan, i));
    const double outer = std::abs(c.TCG) + halfBox;
    for (double x : {c.LCG - halfLength, c.LCG + halfLength}) {
      if (deck) {
        EXPECT_LE(outer, HalfBreadthAtX(ship.hull, x, form.D) + 0.5) << c.CELL;
      } else {
        for (double z : {c.VCG - halfHeight, std::min(c.VCG + halfHeight, form.D)})
          EXPECT_LE(outer, HalfBreadthAtX(ship.hull, x, z) - 2.0) << c.CELL << " at z " << z;
      }
    }
    if (deck) EXPECT_GT(c.VCG - halfHeight, form.D) << c.CELL;
    else EXPECT_GE(c.VCG - halfHeight, 1.4) << c.CELL << " in the double bottom";
    EXPECT_FALSE(c.LCG + halfLength > 24.0 && c.LCG - halfLength < 31.0) << c.CELL << " in the deckhouse";
  }
}

TEST_F(FeederLayout, IsAFeederOfItsSize) {
  EXPECT_GE(plan.CellCount, 1000);
  EXPECT_LE(plan.CellCount, 1700);
  int plugs = 0, twentyOnly = 0, fortyOnly = 0, centreRows = 0;
  for (int i = 0; i < plan.CellCount; ++i) {
    const StructCel& c = plan.Cells[static_cast<size_t>(i)];
    plugs += c.FL_RF;
    twentyOnly += c.RESTR == 2;
    fortyOnly += c.RESTR == 4;
    centreRows += RowOf(plan, i) == 0;
  }
  EXPECT_GT(plugs, 100);
  EXPECT_GT(twentyOnly, 0);
  EXPECT_GT(fortyOnly, 0);
  EXPECT_GT(centreRows, 0);
  EXPECT_EQ(plan.VesHdr[VesHdrIx::BridgeBay], "29");
}

// The two cells of a 40' position share its centre, each 20' centre half a
// 20' slot from it; a cell without a partner takes 20' units only.
TEST_F(FeederLayout, FortyFootPairsShareTheirCentre) {
  const double offset = (plan.Dim[0] / 2 + plan.Dim[7] / 2) / 2000;
  int pairs = 0;
  for (int i = 0; i < plan.CellCount; ++i) {
    const StructCel& c = plan.Cells[static_cast<size_t>(i)];
    EXPECT_NEAR(std::abs(c.LCG - c.LCG_40), offset, 1e-9) << c.CELL;
    const int partner = FortyPartnerCell(plan, i);
    if (partner < 0) {
      EXPECT_EQ(c.RESTR, 2) << c.CELL << " has no 40' partner";
      continue;
    }
    ++pairs;
    const StructCel& p = plan.Cells[static_cast<size_t>(partner)];
    EXPECT_EQ(p.LCG_40, c.LCG_40) << c.CELL << " and " << p.CELL;
    EXPECT_EQ(p.VCG, c.VCG) << c.CELL;
    EXPECT_EQ(p.TCG, c.TCG) << c.CELL;
  }
  EXPECT_GT(pairs, plan.CellCount / 2);
}

}  // namespace
