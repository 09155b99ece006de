#include "stability/Stability.h"

#include <algorithm>
#include <cmath>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

std::int64_t Milli(double x) { return std::llround(x * 1000.0); }

double Centre(std::int64_t moment, std::int64_t weight) {
  return weight == 0 ? 0.0 : static_cast<double>(moment) / static_cast<double>(weight) / 1000.0;
}

constexpr std::int64_t kClearBelowKg = 400;  // 0.4 t

}  // namespace

double WeightItem::Lcg() const { return Centre(WL, W); }
double WeightItem::Vcg() const { return Centre(WV, W); }
double WeightItem::Tcg() const { return Centre(WT, W); }

Stability::Stability(PlanData& plan) : plan_(plan) {}

void Stability::SetItemNames(const std::vector<std::string>& names) {
  names_.clear();
  for (const std::string& name : names) {
    if (static_cast<int>(names_.size()) == kMaxWeightItems) break;
    names_.push_back(name.substr(0, 20));
  }
  // Without a names table every slot is an item; the fixed roles of items 0
  // to 2 need at least those and the three derived ones.
  itemCount_ = names_.empty() ? kMaxWeightItems : std::max(static_cast<int>(names_.size()), 6);
}

const std::string& Stability::ItemName(int item) const {
  static const std::string none;
  return item >= 0 && item < static_cast<int>(names_.size()) ? names_[static_cast<size_t>(item)] : none;
}

void Stability::UpdateWeightItem(int item, double w, double lcg, double vcg, double tcg, int sign, double fsm) {
  if (item < 0 || item >= kMaxWeightItems || !std::isfinite(w)) return;
  WeightItem& it = Items[static_cast<size_t>(item)];
  const std::int64_t kg = Milli(w) * sign;
  it.W += kg;
  it.WL += kg * Milli(lcg);
  it.WV += kg * Milli(vcg);
  it.WT += kg * Milli(tcg);
  it.FSM += Milli(fsm) * 1000 * sign;
  if (it.W <= kClearBelowKg) it = WeightItem{};
}

void Stability::AddUnit(int cell, bool is20, int sign) {
  if (cell < 0 || cell >= plan_.CellCount) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (unit.STATUS < 1) return;
  const StructCel& c = plan_.Cells[static_cast<size_t>(cell)];
  const double vcgAddition = ParseReal(plan_.VesHdr[VesHdrIx::CellVcgAddition]);
  UpdateWeightItem(kContainersItem, unit.WEIGHT, is20 ? c.LCG : c.LCG_40, c.VCG + vcgAddition, c.TCG, sign);
}

void Stability::ResetContainers() { Items[kContainersItem] = WeightItem{}; }

void Stability::ClearWeightItems(int from, int to) {
  to = std::min(to, itemCount_ - 1);
  for (int i = std::max(from, 0); i <= to; ++i) Items[static_cast<size_t>(i)] = WeightItem{};
}

void Stability::SetFixedItems(int sign) {
  const auto& h = plan_.VesHdr;
  // Four header entries each, in the order weight, VCG, LCG, TCG.
  auto fixed = [&](int item, int first) {
    UpdateWeightItem(item, ParseReal(h[first]), ParseReal(h[first + 2]), ParseReal(h[first + 1]),
                     ParseReal(h[first + 3]), sign);
  };
  fixed(kLightshipItem, VesHdrIx::LightshipWeight);
  fixed(kFixedWeightItem, VesHdrIx::FixedWeight);
}

WeightItem Stability::Displacement() const {
  WeightItem total;
  for (int i = 0; i <= itemCount_ - 3 && i < kMaxWeightItems; ++i) {
    const WeightItem& it = Items[static_cast<size_t>(i)];
    total.W += it.W;
    total.WL += it.WL;
    total.WV += it.WV;
    total.WT += it.WT;
    total.FSM += it.FSM;
  }
  return total;
}
