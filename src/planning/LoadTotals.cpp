#include "planning/LoadTotals.h"

#include <algorithm>
#include <string>

#include "core/PlanData.h"
#include "planning/UnitRules.h"

namespace {

// Slot of the last port a list can name; a port met after the list is full
// takes this slot over, and its counts merge with the port it replaces.
constexpr int kLastPortSlot = kTotalsPorts - 2;
// Slot holding the sum over every port of that dimension.
constexpr int kAllPorts = kTotalsPorts - 1;

// Slot of code in a port list, adding the code when it is not there yet.
int PortSlot(std::array<std::string, kTotalsPorts>& list, int& last, const std::string& code) {
  last = std::clamp(last, -1, kLastPortSlot);
  for (int s = 0; s <= last; ++s)
    if (list[s] == code) return s;
  if (last < kLastPortSlot) ++last;
  list[last] = code;
  return last;
}

void AddAt(StructTotals& totals, int pod, int pol, int cat, int delta, double weight) {
  int& count = totals.COUNT[pod][pol][cat];
  double& tonnes = totals.WEIGHT[pod][pol][cat];
  count += delta;
  tonnes += delta * weight;
  // Adding and taking away the same weights need not come back to 0 in
  // floating point; an empty place shows no weight at all.
  if (count == 0) tonnes = 0;
}

}  // namespace

void ResetTotals(PlanData& plan) {
  for (std::string& code : plan.PolList) code.clear();
  for (std::string& code : plan.PodList) code.clear();
  plan.PolCount = -1;
  plan.PodCount = -1;
  for (auto& byPol : plan.LoadTotals.COUNT)
    for (auto& cats : byPol) cats.fill(0);
  for (auto& byPol : plan.LoadTotals.WEIGHT)
    for (auto& cats : byPol) cats.fill(0.0);
}

void AddToTotals(PlanData& plan, int cell, int delta, int plane) {
  // -2 asks for empty totals now, even when this cell adds nothing.
  if (plan.PolCount == -2) ResetTotals(plan);
  if (plane < 0 || plane >= kPlaneCount || cell < 0 || cell >= kMaxCells) return;
  if (delta != 1 && delta != -1) return;
  const StructDat& unit = plan.Dat[plane][cell];
  if (unit.STATUS < 1 || unit.FL3 > 0) return;
  if (plane != plan.QuayPlane && unit.SELECTED <= 0) return;
  // -1: the totals are stale; they are rebuilt from this unit on. Resetting
  // only when a unit is really counted keeps a rebuild over thousands of free
  // cells cheap.
  if (plan.PolCount < 0) ResetTotals(plan);
  const int cat = TotalsCategory(unit);
  if (cat < 0 || cat >= kTotalsCategories) return;
  const int pol = PortSlot(plan.PolList, plan.PolCount, unit.POL);
  const int pod = PortSlot(plan.PodList, plan.PodCount, unit.POD);
  StructTotals& totals = plan.LoadTotals;
  AddAt(totals, pod, pol, cat, delta, unit.WEIGHT);
  AddAt(totals, pod, kAllPorts, cat, delta, unit.WEIGHT);
  AddAt(totals, kAllPorts, pol, cat, delta, unit.WEIGHT);
  AddAt(totals, kAllPorts, kAllPorts, cat, delta, unit.WEIGHT);
}
