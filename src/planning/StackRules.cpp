#include "planning/StackRules.h"

#include <algorithm>
#include <array>

#include "core/PlanData.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace {

// Tiers that make up one stack: the whole deck, and under deck the part of
// the hold below or above the twin deck (TWDK) that the cell lies in.
constexpr int kDeckWindowFirst = 70;
constexpr int kDeckWindowLast = 200;
constexpr int kHoldWindowLast = 69;
constexpr double kHighCubeFeet = 9.4;

bool ValidCell(const PlanData& plan, int cell) {
  return cell >= 0 && cell < std::min(plan.CellCount, kMaxCells);
}

bool ValidBay(const PlanData& plan, int bay) { return bay >= 0 && bay < std::min(plan.BayCount, kMaxBays); }

bool IsRowPaired(const StructBay& bay, bool deck) {
  return (bay.ATHWART == 1 && deck) || (bay.ATHWART == 2 && !deck);
}

bool CountsAsHighCube(const StructDat& unit) {
  return (!unit.TYP.empty() && unit.TYP[0] == 'H') || BaseData::IsoHeight(unit.ISO) > kHighCubeFeet;
}

}  // namespace

double EvaluateStack(PlanData& plan, int cell) {
  StructStackRules& flags = plan.StackRuleFlags;
  const int tierA = TierOf(plan, cell);
  const int bayA = ValidCell(plan, cell) ? plan.Cells[static_cast<size_t>(cell)].BAYIX : -1;
  if (tierA < 0 || !ValidBay(plan, bayA)) {
    // No stack to speak of: nothing may be put there.
    flags = StructStackRules{false, false, false, true};
    return 0;
  }
  const bool deck = IsDeckTier(tierA);
  const StructBay& ownBay = plan.Bays[static_cast<size_t>(bayA)];

  std::array<int, 3> passCells{cell, -1, -1};
  if (IsRowPaired(ownBay, deck)) {
    passCells[1] = NeighbourCell(plan, cell, true);
    passCells[2] = NeighbourCell(plan, cell, false);
  } else {
    passCells[1] = FortyPartnerCell(plan, cell);
  }
  const int ownBayNumber = BayOf(plan, cell);
  const int partnerBayNumber = BayOf(plan, passCells[1]);
  const bool partnerIsFore = passCells[1] >= 0 && partnerBayNumber < ownBayNumber;

  flags = StructStackRules{};
  int stackCells = 0;
  int filled = 0;
  int highCubes = 0;
  int hcLimit = ownBay.HC_MAX;
  double w20 = 0;
  double w40 = 0;

  int windowFirst = kDeckWindowFirst;
  int windowLast = kDeckWindowLast;
  if (!deck) {
    const int split = ownBay.TWDK;
    if (split < tierA) {
      windowFirst = split + 1;
      windowLast = kHoldWindowLast;
    } else {
      windowFirst = 0;
      windowLast = split;
    }
  }

  const DataSet& units = plan.Cur();
  for (int pass = 0; pass < 3; ++pass) {
    const int passCell = passCells[static_cast<size_t>(pass)];
    if (!ValidCell(plan, passCell)) continue;
    const int b = plan.Cells[static_cast<size_t>(passCell)].BAYIX;
    if (!ValidBay(plan, b)) continue;
    const StructBay& bay = plan.Bays[static_cast<size_t>(b)];
    const bool mix = (deck ? bay.D42 : bay.H42) == 1;
    const int row = RowOf(plan, passCell);
    const int first = std::max(bay.FIRSTCELL, 0);
    const int last = std::min(bay.LASTCELL, std::min(plan.CellCount, kMaxCells) - 1);

    for (int j = first; j <= last; ++j) {
      if (RowOf(plan, j) != row) continue;
      const int tierJ = TierOf(plan, j);
      if (tierJ < windowFirst || tierJ > windowLast) continue;
      const StructDat& unit = units[static_cast<size_t>(j)];
      const bool is20 = Is20Foot(unit);
      if (pass == 2 && (unit.STATUS <= 0 || is20)) continue;

      // A 40' unit is placed from the fore 20' bay only.
      if (pass == 0 && partnerIsFore) flags.Allow40 = false;

      if (pass == 0 && !deck) {
        ++stackCells;
        if ((unit.STATUS > 0 || unit.WEIGHT > 0) && unit.FL3 < 1) {
          ++filled;
          if (CountsAsHighCube(unit)) ++highCubes;
        }
      }

      const bool free = IsFreeRecord(unit);
      if (!free && plan.ConfigMode == 0) {
        if (!is20 && tierJ <= tierA) {
          // No 20' on a 40'. Seen from the fore bay, only the covered cells
          // of the aft stack carry a 40' unit that the new unit would stand on.
          if (pass != 1 || ownBayNumber >= partnerBayNumber || unit.STATUS < 0) flags.Allow20 = false;
        }
        if (is20 && tierJ >= tierA) flags.Allow40 = false;  // no 40' under a 20'
        if (!mix) {
          if (is20)
            flags.Allow40 = false;
          else
            flags.Allow20 = false;
        }
      }

      if (pass == 0 && j == cell && !free) {
        flags.Allow20 = false;
        flags.Allow40 = false;
      }

      if (unit.STATUS > 0) {
        if (is20) {
          if (pass == 0) w20 += unit.WEIGHT;
        } else {
          w40 += unit.WEIGHT;
        }
      }
    }
  }

  if (!deck && plan.HighCubeLimits != 0 && stackCells - filled <= 1) {
    if (hcLimit < highCubes) {
      flags.Allow20 = false;
      flags.Allow40 = false;
    }
    if (highCubes >= hcLimit) flags.AllowHighCube = false;
  }

  const int restriction = plan.Cells[static_cast<size_t>(cell)].RESTR;
  if (restriction == 4) flags.Allow20 = false;
  if (restriction == 2) flags.Allow40 = false;

  if (w20 > 0) {
    w40 /= 2;
    flags.FortyOnlyStack = false;
  }

  if (ownBay.ROWWEIGHT == 1) return RowWeight(plan, cell);
  return w20 + w40;
}

double StackWeightLimit(const PlanData& plan, int cell, bool forty) {
  if (!ValidCell(plan, cell)) return 0;
  const int b = plan.Cells[static_cast<size_t>(cell)].BAYIX;
  const int row = RowOf(plan, cell);
  const int tier = TierOf(plan, cell);
  if (!ValidBay(plan, b) || row < 0 || row >= kStackRows || tier < 0) return 0;
  const int kind = (IsDeckTier(tier) ? 0 : 2) + (forty ? 1 : 0);
  return plan.Bays[static_cast<size_t>(b)].STACKW[static_cast<size_t>(row)][static_cast<size_t>(kind)];
}

double RowWeight(const PlanData& plan, int cell) {
  if (!ValidCell(plan, cell)) return 0;
  const int b = plan.Cells[static_cast<size_t>(cell)].BAYIX;
  if (!ValidBay(plan, b)) return 0;
  const StructBay& bay = plan.Bays[static_cast<size_t>(b)];
  const int row = RowOf(plan, cell);
  const int first = std::max(bay.FIRSTCELL, 0);
  const int last = std::min(bay.LASTCELL, std::min(plan.CellCount, kMaxCells) - 1);
  double sum = 0;
  for (int j = first; j <= last; ++j) {
    const StructDat& unit = plan.Cur()[static_cast<size_t>(j)];
    if (unit.STATUS > 0 && RowOf(plan, j) == row) sum += unit.WEIGHT;
  }
  return sum;
}
