#include "planning/CellOps.h"

#include <algorithm>
#include <cmath>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "planning/StackRules.h"
#include "planning/UnitRules.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

constexpr double kHighCubeFeet = 9.4;

// A vessel cell whose record may be changed: below the unit in hand, whose
// record (and the move queue after it) shares the data set with the cells.
bool PlaceableCell(const PlanData& plan, int cell) {
  return cell >= 0 && cell < std::min({plan.CellCount, plan.UnitInHandIndex, kMaxCells});
}

bool ValidBay(const PlanData& plan, int bay) { return bay >= 0 && bay < std::min(plan.BayCount, kMaxBays); }

StructDat& UnitInHand(PlanData& plan) {
  const int index = std::clamp(plan.UnitInHandIndex, 0, kMaxCells - 1);
  return plan.Cur()[static_cast<size_t>(index)];
}

std::string ZeroPadded(const PlanData& plan, int number) {
  return Pad(IntOrEmpty(number), plan.BayLen, true, "0");
}

// The D40 (deck) or H40 (hold) text of the bay of cell; nullptr when the
// cell has no valid bay.
std::string* FortyBayText(PlanData& plan, int cell) {
  const int b = plan.Cells[static_cast<size_t>(cell)].BAYIX;
  if (!ValidBay(plan, b)) return nullptr;
  StructBay& bay = plan.Bays[static_cast<size_t>(b)];
  return IsDeckTier(TierOf(plan, cell)) ? &bay.D40 : &bay.H40;
}

// The base cell a bundle member refers to: its CONTAINER carries the base
// cell's name in characters 4..9.
int BundleBaseCell(const PlanData& plan, const StructDat& member) {
  const std::string position = Columns(member.CONTAINER, 4, 9);
  if (position.size() < 6) return -1;
  const int base = FindCellByPosition(plan, position);
  return PlaceableCell(plan, base) ? base : -1;
}

void WriteAttribute(StructDat& unit, const std::string& newValue, int kind) {
  switch (kind) {
    case kChangePol:
      unit.POL = newValue;
      break;
    case kChangePod:
      unit.POD = newValue;
      break;
    case kChangePrs:
      unit.PRS = newValue;
      break;
    case kChangeFrm:
      unit.FRM = newValue;
      break;
    case kChangeRoute:
      unit.POL = Columns(newValue, 1, 3);
      unit.POD = Columns(newValue, 4, 6);
      break;
    case kChangeOperator:
      unit.OPERATOR = newValue;
      break;
    case kChangeType:
      unit.TYP = newValue;
      break;
    case kChangeIso:
      unit.ISO = newValue;
      break;
    default:
      break;
  }
}

}  // namespace

bool MatchesAttribute(const StructDat& unit, const std::string& oldValue, int kind) {
  switch (kind) {
    case kChangePol:
      return unit.POL == oldValue;
    case kChangePod:
      return unit.POD == oldValue;
    case kChangePrs:
      return unit.PRS == oldValue;
    case kChangeFrm:
      return unit.FRM == oldValue;
    case kChangeRoute:
      return unit.POL == Columns(oldValue, 1, 3) && unit.POD == Columns(oldValue, 4, 6);
    case kChangeOperator:
      return unit.OPERATOR == oldValue;
    case kChangeType:
      return unit.TYP == oldValue;
    case kChangeIso:
      return unit.ISO == oldValue;
    case kChangeAll:
      return true;
    default:
      return false;
  }
}

void MarkOverDimension(PlanContext& ctx, int cell, int value) {
  PlanData& plan = ctx.plan;
  if (!PlaceableCell(plan, cell)) return;
  const StructDat& unit = plan.Cur()[static_cast<size_t>(cell)];
  if (unit.OH > 0) {
    const int above = CellAbove(plan, cell);
    if (above >= 0) plan.Cells[static_cast<size_t>(above)].BLK_OH = value;
  }
  if (unit.OWP > 0) {
    const int port = NeighbourCell(plan, cell, true);
    if (port >= 0) plan.Cells[static_cast<size_t>(port)].BLK_OWP = value;
  }
  if (unit.OWS > 0) {
    const int starboard = NeighbourCell(plan, cell, false);
    if (starboard >= 0) plan.Cells[static_cast<size_t>(starboard)].BLK_OWS = value;
  }
}

bool PlaceUnit(PlanContext& ctx, int cell, int mode) {
  PlanData& plan = ctx.plan;
  plan.PlacementError = kErrNone;
  if (!PlaceableCell(plan, cell)) return false;
  DataSet& units = plan.Cur();
  StructDat& hand = UnitInHand(plan);
  StructDat& target = units[static_cast<size_t>(cell)];
  if (!IsFreeRecord(target)) return false;

  const bool config = plan.ConfigMode != 0;
  const bool is20 = Is20Foot(hand);

  // Configuration mode declares the 40' bay before looking for the partner.
  // A refusal puts the declaration back, so that a refused placement leaves
  // the vessel as it was.
  std::string* declared = nullptr;
  std::string declaredBefore;
  const std::uint8_t bayChangedBefore = plan.BayChanged;
  auto refuse = [&](int code) {
    if (declared != nullptr) {
      *declared = declaredBefore;
      plan.BayChanged = bayChangedBefore;
    }
    plan.PlacementError = code;
    return false;
  };

  int partner = -1;
  if (!is20) {
    if (config) {
      declared = FortyBayText(plan, cell);
      if (declared != nullptr) {
        declaredBefore = *declared;
        *declared = ZeroPadded(plan, BayOf(plan, cell) + 1);
        plan.BayChanged = 1;
      }
    }
    partner = FortyPartnerCell(plan, cell);
    if (!PlaceableCell(plan, partner)) return refuse(kErrNo40Here);
    if (!IsFreeRecord(units[static_cast<size_t>(partner)])) return refuse(kErrNone);
  }

  if (mode == kPlaceInteractive && plan.CheckOnPlace != 0 && hand.FL3 < 1) {
    const int error = CheckUnitData(hand);
    if (error > 0) return refuse(error);
    EvaluateStack(plan, cell);
    const StructStackRules& rules = plan.StackRuleFlags;
    if (is20 && !rules.Allow20) return refuse(kErrNo20Here);
    if (!is20 && !rules.Allow40) return refuse(kErrNo40Here);
    const bool high = IsHighCube(hand) || BaseData::IsoHeight(hand.ISO) > kHighCubeFeet;
    if (high && !rules.AllowHighCube) return refuse(kErrNoHighCube);
  }

  hand.FL2 = HandlingClass(hand);
  if (hand.POD == hand.PRS) hand.PRS.clear();
  if (hand.POL == hand.FRM) hand.FRM.clear();
  hand.PODIX = AddVoyPort(plan, hand.POD);
  hand.POLIX = AddVoyPort(plan, hand.POL);
  if (mode != kPlaceFromQuay) {
    // Only the registration as voyage ports matters here.
    AddVoyPort(plan, hand.PRS);
    AddVoyPort(plan, hand.FRM);
  }

  ctx.Touch(cell);
  if (partner >= 0) ctx.Touch(partner);

  if (config) {
    // The dummy unit's weight says what the cell takes: 2 t 20' only, 4 t
    // 40' only, anything else no restriction. Both cells of a 40' dummy keep
    // the same record.
    plan.CelChanged = 1;
    if (hand.WEIGHT != 2 && hand.WEIGHT != 4) hand.WEIGHT = 0;
    plan.Cells[static_cast<size_t>(cell)].RESTR = static_cast<int>(std::lround(hand.WEIGHT));
  }
  target = hand;

  const std::string& cellName = plan.Cells[static_cast<size_t>(cell)].CELL;
  target.POSITION = cellName;

  if (target.FL3 > 0 && mode != kPlaceFromFile) {
    const int base = BundleBaseCell(plan, target);
    if (base >= 0) {
      ctx.Touch(base);
      StructDat& baseUnit = units[static_cast<size_t>(base)];
      baseUnit.BUNDLES += is20 ? 1 : 2;
      baseUnit.CHANGED = 1;
    }
  }

  if (IsOverDimension(target)) MarkOverDimension(ctx, cell, cell);

  const bool onDeck = IsDeckTier(TierOf(plan, cellName));
  target.STATUS = 1;
  target.ONDECK = onDeck ? 1 : 0;
  if (mode != kPlaceFromFile) target.CHANGED = 1;

  if (!is20) {
    StructDat& second = units[static_cast<size_t>(partner)];
    second = hand;
    second.POSITION = plan.Cells[static_cast<size_t>(partner)].CELL;
    second.ONDECK = onDeck ? 1 : 0;
    if (IsOverDimension(second)) MarkOverDimension(ctx, partner, partner);
    second.STATUS = -1;
    second.CHANGED = 1;
    if (config) {
      plan.Cells[static_cast<size_t>(partner)].RESTR = static_cast<int>(std::lround(hand.WEIGHT));
      // A section pairing adjacent rows keeps its own 40' declaration.
      if (plan.Cells[static_cast<size_t>(partner)].BAYIX != plan.Cells[static_cast<size_t>(cell)].BAYIX) {
        if (std::string* partnerForty = FortyBayText(plan, partner))
          *partnerForty = ZeroPadded(plan, BayOf(plan, partner) - 1);
      }
      plan.BayChanged = 1;
    }
  }

  ctx.stability.AddUnit(cell, is20, +1);
  if (!config) ctx.MarkConditionModified(true);

  if (mode == kPlaceFromFile) return true;
  hand = StructDat{};
  ctx.SelectionStale = true;
  return true;
}

bool RemoveUnit(PlanContext& ctx, int cell) {
  PlanData& plan = ctx.plan;
  if (!PlaceableCell(plan, cell)) return false;
  DataSet& units = plan.Cur();
  StructDat& record = units[static_cast<size_t>(cell)];
  if (record.SELECTED < 1 || record.STATUS < 1) return false;

  const bool config = plan.ConfigMode != 0;
  const bool deleteCells = config && plan.BatchFlags[kBatchClearAll] == 0;
  const bool is20 = Is20Foot(record);
  // A unit taken out for an attribute change goes straight back into its
  // cell; sending it to the quay as well would show it twice.
  const bool reinserted = plan.BatchFlags[kBatchAttributeChange] != 0;
  const bool toQuay = plan.RemoveToQuay != 0 && plan.BatchFlags[kBatchWriteCondition] == 0 && !reinserted;
  // Quay records are never reused: with the quay full the unit stays in its
  // cell instead of being lost.
  if (toQuay && record.FL3 < 1 && plan.QuayCount >= kMaxCells) return false;

  ctx.Touch(cell);
  if (toQuay) ctx.TouchQuay();
  if (IsOverDimension(record)) MarkOverDimension(ctx, cell, -1);
  // The stability sums read the record, so they go first.
  ctx.stability.AddUnit(cell, is20, -1);

  if (!is20) {
    const int partner = FortyPartnerCell(plan, cell);
    // Only the covered copy of this unit is cleared: should the pairing have
    // changed since the unit was placed, the cell found now may hold another
    // unit, which must not be lost.
    if (PlaceableCell(plan, partner) && units[static_cast<size_t>(partner)].STATUS < 0) {
      ctx.Touch(partner);
      StructDat& second = units[static_cast<size_t>(partner)];
      if (IsOverDimension(second)) MarkOverDimension(ctx, partner, -1);
      second = StructDat{};
      second.CHANGED = 1;
      if (deleteCells) {
        plan.CelChanged = 1;
        plan.Cells[static_cast<size_t>(partner)].RESTR = -9;
        plan.Cells[static_cast<size_t>(partner)].FL_RF = 0;
      }
    }
  }

  if (record.FL3 > 0) {
    const int base = BundleBaseCell(plan, record);
    if (base >= 0) {
      ctx.Touch(base);
      StructDat& baseUnit = units[static_cast<size_t>(base)];
      baseUnit.BUNDLES = std::max(baseUnit.BUNDLES - (is20 ? 1 : 2), 0);
      baseUnit.CHANGED = 1;
    }
  }

  if (toQuay) {
    const StructDat copy = record;
    PutToQuay(plan, copy);  // room was checked above
  }

  record = StructDat{};
  record.CHANGED = 1;
  if (deleteCells) {
    plan.CelChanged = 1;
    plan.Cells[static_cast<size_t>(cell)].RESTR = -9;
    plan.Cells[static_cast<size_t>(cell)].FL_RF = 0;
  }

  if (!config) ctx.MarkConditionModified(true);
  ctx.SelectionStale = true;
  return true;
}

void ChangeUnitAttribute(PlanContext& ctx, const std::string& oldValue, const std::string& newValue, int kind,
                         bool bulk) {
  PlanData& plan = ctx.plan;
  const int flag = bulk ? kBatchAttributeBulk : kBatchAttributeChange;
  plan.BatchFlags[flag] = 1;

  const int count = std::min({plan.CellCount, plan.UnitInHandIndex, kMaxCells});
  for (int i = 0; i < count; ++i) {
    const StructDat& unit = plan.Cur()[static_cast<size_t>(i)];
    if (unit.STATUS <= 0 || !MatchesAttribute(unit, oldValue, kind)) continue;
    StructDat& hand = UnitInHand(plan);
    if (!bulk) hand = unit;
    if (!RemoveUnit(ctx, i)) {
      // The unit stays where it is; a copy of it left in hand could be put
      // down a second time.
      if (!bulk) hand = StructDat{};
      continue;
    }
    if (bulk) continue;
    WriteAttribute(hand, newValue, kind);
    PlaceUnit(ctx, i, kPlaceAgain);
  }

  plan.BatchFlags[flag] = 0;
  plan.BatchFlags[kBatchClearAll] = 0;
  if (plan.ConfigMode == 0) ctx.MarkConditionModified(true);
}

void ClearAllUnits(PlanContext& ctx) {
  ctx.plan.BatchFlags[kBatchClearAll] = 1;
  ChangeUnitAttribute(ctx, "0", "", kChangeAll, true);
  ctx.stability.ResetContainers();
}
