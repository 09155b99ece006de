#include "vessel/CellAddress.h"

#include <algorithm>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

bool ValidCell(const PlanData& plan, int cell) {
  return cell >= 0 && cell < std::min(plan.CellCount, kMaxCells);
}

bool ValidBay(const PlanData& plan, int bay) { return bay >= 0 && bay < std::min(plan.BayCount, kMaxBays); }

// A run of digits as a number; -1 for an empty run, any other character, or
// more digits than a cell name ever has.
int DigitsValue(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return -1;
  int value = 0;
  for (char ch : digits) {
    if (ch < '0' || ch > '9') return -1;
    value = value * 10 + (ch - '0');
  }
  return value;
}

// The number in characters pos..pos+len-1 (1-based) of position.
int PartValue(std::string_view position, int pos, int len) {
  if (pos < 1 || len < 1) return -1;
  const size_t start = static_cast<size_t>(pos - 1);
  if (position.size() < start + static_cast<size_t>(len)) return -1;
  return DigitsValue(position.substr(start, static_cast<size_t>(len)));
}

std::string ZeroPadded(int number, int len) { return Pad(IntOrEmpty(number), len, true, "0"); }

// name with the part at pos/len replaced by number, zero-padded; "" when the
// name does not reach that part.
std::string ReplacePart(std::string_view name, int pos, int len, int number) {
  if (pos < 1 || len < 1) return "";
  const size_t start = static_cast<size_t>(pos - 1);
  if (name.size() < start + static_cast<size_t>(len)) return "";
  std::string result(name);
  result.replace(start, static_cast<size_t>(len), ZeroPadded(number, len));
  return result;
}

// The number a bay's BAY text stands for, -1 when it is none. Runs for
// every bay at every cell lookup, so it trims without making a copy.
int BayNumber(const StructBay& bay) {
  std::string_view text = bay.BAY;
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return DigitsValue(text);
}

// Cell names of one bay differ mostly in their last (tier) digits: comparing
// from the end turns most candidates away at the first character.
bool SameName(const std::string& name, std::string_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (size_t k = name.size(); k-- > 0;)
    if (name[k] != wanted[k]) return false;
  return true;
}

bool IsRowPaired(const StructBay& bay, bool deck) { return (bay.ATHWART == 1 && deck) || (bay.ATHWART == 2 && !deck); }

}  // namespace

int BayOf(const PlanData& plan, std::string_view position) { return PartValue(position, plan.BayPos, plan.BayLen); }
int RowOf(const PlanData& plan, std::string_view position) { return PartValue(position, plan.RowPos, plan.RowLen); }
int TierOf(const PlanData& plan, std::string_view position) { return PartValue(position, plan.TierPos, plan.TierLen); }

int BayOf(const PlanData& plan, int cell) { return ValidCell(plan, cell) ? BayOf(plan, plan.Cells[cell].CELL) : -1; }
int RowOf(const PlanData& plan, int cell) { return ValidCell(plan, cell) ? RowOf(plan, plan.Cells[cell].CELL) : -1; }
int TierOf(const PlanData& plan, int cell) { return ValidCell(plan, cell) ? TierOf(plan, plan.Cells[cell].CELL) : -1; }

std::string MakePosition(const PlanData& plan, int bay, int row, int tier) {
  return ZeroPadded(bay, plan.BayLen) + ZeroPadded(row, plan.RowLen) + ZeroPadded(tier, plan.TierLen);
}

bool IsDeckTier(int tier) { return tier >= 80; }

bool HasCentreRow(const PlanData& plan, int cell) {
  if (!ValidCell(plan, cell)) return false;
  const int b = plan.Cells[cell].BAYIX;
  if (!ValidBay(plan, b)) return false;
  const int tier = TierOf(plan, cell);
  if (tier < 0) return false;
  if (IsDeckTier(tier)) return plan.Bays[b].D00 > 0;
  return tier > plan.Bays[b].H00;
}

int FindBayByNumber(const PlanData& plan, int number) {
  if (number < 0) return -1;
  const int count = std::min(plan.BayCount, kMaxBays);
  for (int b = 0; b < count; ++b)
    if (BayNumber(plan.Bays[b]) == number) return b;
  return -1;
}

int FindCellByPosition(const PlanData& plan, std::string_view position) {
  int bay = BayOf(plan, position);
  if (bay < 0) return -1;
  std::string target(position);
  if (bay % 2 == 0) {
    // A 40' position names the cell of its fore 20' bay.
    --bay;
    if (bay < 0) return -1;
    target = ReplacePart(position, plan.BayPos, plan.BayLen, bay);
  }
  const int b = FindBayByNumber(plan, bay);
  if (b < 0) return -1;
  const int first = std::max(plan.Bays[b].FIRSTCELL, 0);
  const int last = std::min(plan.Bays[b].LASTCELL, std::min(plan.CellCount, kMaxCells) - 1);
  for (int i = first; i <= last; ++i)
    if (SameName(plan.Cells[i].CELL, target)) return i;
  return -1;
}

int NeighbourCell(const PlanData& plan, int cell, bool toPort) {
  const int r = RowOf(plan, cell);
  if (r < 0) return -1;
  int next = 0;
  if (toPort) {
    if (r == 1) next = HasCentreRow(plan, cell) ? 0 : 2;
    else if (r % 2 == 1) next = r - 2;
    else next = r + 2;
  } else {
    if (r == 2) next = HasCentreRow(plan, cell) ? 0 : 1;
    else if (r == 0) next = 1;
    else if (r % 2 == 1) next = r + 2;
    else next = r - 2;
  }
  const std::string name = ReplacePart(plan.Cells[cell].CELL, plan.RowPos, plan.RowLen, next);
  return name.empty() ? -1 : FindCellByPosition(plan, name);
}

int CellAbove(const PlanData& plan, int cell) {
  const int tier = TierOf(plan, cell);
  if (tier < 0) return -1;
  const std::string name = ReplacePart(plan.Cells[cell].CELL, plan.TierPos, plan.TierLen, tier + 2);
  return name.empty() ? -1 : FindCellByPosition(plan, name);
}

int PartnerBay(const PlanData& plan, int cell) {
  if (!ValidCell(plan, cell)) return -1;
  const int b = plan.Cells[cell].BAYIX;
  const int own = BayOf(plan, cell);
  const int tier = TierOf(plan, cell);
  if (!ValidBay(plan, b) || own < 0 || tier < 0) return -1;
  const bool deck = IsDeckTier(tier);
  const StructBay& bay = plan.Bays[b];
  if (IsRowPaired(bay, deck)) return b;
  const int forty = ParseInt(deck ? bay.D40 : bay.H40);
  if (forty <= 0) return -1;
  int partner = -1;
  int partnerNumber = -1;
  if (forty == own + 1) {
    partner = b + 1;
    partnerNumber = own + 2;
  } else if (forty == own - 1) {
    partner = b - 1;
    partnerNumber = own - 2;
  }
  // The neighbouring entry must really be the other 20' bay of the 40' bay:
  // when that bay is missing the neighbour is some other bay, and pairing
  // with it would put one unit in two bays far apart.
  if (!ValidBay(plan, partner) || BayNumber(plan.Bays[partner]) != partnerNumber) return -1;
  return partner;
}

int FortyPartnerCell(const PlanData& plan, int cell) {
  if (!ValidCell(plan, cell)) return -1;
  const int b = plan.Cells[cell].BAYIX;
  const int tier = TierOf(plan, cell);
  if (!ValidBay(plan, b) || tier < 0) return -1;
  if (IsRowPaired(plan.Bays[b], IsDeckTier(tier))) {
    int partner = NeighbourCell(plan, cell, true);
    // While the configuration is edited the centre row is never a partner.
    if (plan.ConfigMode != 0 && partner >= 0 && RowOf(plan, partner) == 0) partner = NeighbourCell(plan, partner, true);
    return partner;
  }
  const int pb = PartnerBay(plan, cell);
  if (pb < 0) return -1;
  const std::string name = ReplacePart(plan.Cells[cell].CELL, plan.BayPos, plan.BayLen, BayNumber(plan.Bays[pb]));
  return name.empty() ? -1 : FindCellByPosition(plan, name);
}
