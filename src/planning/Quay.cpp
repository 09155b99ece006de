#include "planning/Quay.h"

#include <algorithm>
#include <string>

#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"
#include "vessel/CellAddress.h"

namespace {

// The last route slot. Once the slots before it are taken, every further
// route is counted here together, so no unit goes uncounted.
constexpr int kSharedRoute = kMaxRouteKeys - 1;
// Slot of RouteMatrix with the total of a route.
constexpr int kRouteTotal = kRouteCategories - 1;

std::string RouteKey(const StructDat& unit) { return unit.POL + unit.POD; }

int UsedRoutes(const PlanData& plan) { return std::clamp(plan.RouteCount, 0, kRouteLoadLimit); }

// Slot where a unit of key is counted: its own slot, the shared last slot
// when the list is full, or -1 when a new slot is to be opened.
int RouteSlot(const PlanData& plan, const std::string& key) {
  const int used = UsedRoutes(plan);
  for (int r = 0; r < used; ++r)
    if (plan.RouteKeys[r] == key) return r;
  return used >= kRouteLoadLimit ? kSharedRoute : -1;
}

int QuayRecords(const PlanData& plan) { return std::clamp(plan.QuayCount, 0, kMaxCells); }

// A restow noted from a 40' bay names the fore 20' bay instead, as the cell
// names of the vessel do.
void NormaliseRestowFrom(const PlanData& plan, std::string& position) {
  const int bay = BayOf(plan, position);
  if (bay < 2 || bay % 2 != 0) return;
  const std::string fore = Pad(IntOrEmpty(bay - 1), plan.BayLen, true, "0");
  position.replace(static_cast<size_t>(plan.BayPos - 1), static_cast<size_t>(plan.BayLen), fore);
}

}  // namespace

void CountRoute(PlanData& plan, const StructDat& unit, int delta) {
  if (delta != 1 && delta != -1) return;
  const std::string key = RouteKey(unit);
  int slot = RouteSlot(plan, key);
  if (slot < 0) {
    slot = UsedRoutes(plan);
    plan.RouteKeys[slot] = key;
    plan.RouteMatrix[slot].fill(0);
    plan.RouteCount = slot + 1;
  } else if (slot == kSharedRoute && delta > 0 && plan.RouteKeys[slot] != key) {
    // The shared slot starts afresh when it holds nothing, and otherwise
    // keeps its counts under the name of the route last added to it.
    if (plan.RouteMatrix[slot][kRouteTotal] == 0) plan.RouteMatrix[slot].fill(0);
    plan.RouteKeys[slot] = key;
  }
  const int cat = RouteCategory(plan, unit);
  if (cat >= 0 && cat < kRouteTotal) plan.RouteMatrix[slot][cat] += delta;
  plan.RouteMatrix[slot][kRouteTotal] += delta;
}

bool PutToQuay(PlanData& plan, const StructDat& unit) {
  if (unit.FL3 >= 1) return true;
  const int index = QuayRecords(plan);
  if (index >= kMaxCells) return false;
  StructDat& record = plan.Dat[plan.QuayPlane][index];
  record = unit;
  NormaliseRestowFrom(plan, record.RESTOW_FROM);
  record.STATUS = 1;
  CountRoute(plan, record, +1);
  plan.QuayCount = index + 1;
  plan.QuayLive = std::max(plan.QuayLive, 0) + 1;
  return true;
}

void TakeFromQuay(PlanData& plan, int index) {
  if (index < 0 || index >= QuayRecords(plan)) return;
  StructDat& record = plan.Dat[plan.QuayPlane][index];
  if (record.STATUS < 1) return;
  CountRoute(plan, record, -1);
  record.STATUS = -1;
  --plan.QuayLive;
  if (plan.QuayLive < 1) ClearQuay(plan);
}

void UntakeFromQuay(PlanData& plan, int index) {
  if (index < 0 || index >= kMaxCells) return;
  DataSet& quay = plan.Dat[plan.QuayPlane];
  StructDat& record = quay[index];
  const int count = QuayRecords(plan);
  if (index < count && record.STATUS >= 1) return;
  if (index >= count) {
    // Taking the last unit empties the quay but keeps its records, all
    // taken: the record is reopened where it lies. Units emptied off the
    // quay on purpose must not come back with it: then the unit is put anew.
    const bool reopen = std::all_of(quay.begin() + count, quay.begin() + index,
                                    [](const StructDat& r) { return r.STATUS < 1; });
    if (!reopen) {
      StructDat copy = record;
      PutToQuay(plan, copy);
      return;
    }
  }
  plan.QuayCount = std::max(count, index + 1);
  record.STATUS = 1;
  CountRoute(plan, record, +1);
  plan.QuayLive = std::max(plan.QuayLive, 0) + 1;
}

void TruncateQuay(PlanData& plan, int count) {
  count = std::max(count, 0);
  for (int i = QuayRecords(plan) - 1; i >= count; --i) {
    StructDat& record = plan.Dat[plan.QuayPlane][i];
    if (record.STATUS >= 1) {
      CountRoute(plan, record, -1);
      --plan.QuayLive;
    }
    record = StructDat{};
  }
  plan.QuayCount = std::min(QuayRecords(plan), count);
  if (plan.QuayLive < 1) ClearQuay(plan);
}

void TakeRouteFromQuay(PlanData& plan, int route) {
  if (route < 0 || route >= kMaxRouteKeys) return;
  // Taking the last unit empties the quay, so the count is read each round.
  for (int i = 0; i < QuayRecords(plan); ++i) {
    const StructDat& record = plan.Dat[plan.QuayPlane][i];
    if (record.STATUS < 1) continue;
    if (RouteSlot(plan, RouteKey(record)) == route) TakeFromQuay(plan, i);
  }
}

void ClearQuay(PlanData& plan) {
  plan.QuayLive = 0;
  plan.QuayCount = 0;
  plan.RouteCount = 0;
  // Counts left behind would be merged into the shared slot by a later fill.
  for (auto& counts : plan.RouteMatrix) counts.fill(0);
  for (std::string& key : plan.RouteKeys) key.clear();
}

void AskClearQuay(PlanData& plan, Host& host, const std::string& caption) {
  if (plan.QuayLive <= 0) return;
  if (host.Ask(caption, "", "The Quay is not empty - clear the Quay?", false) == Host::Answer::Yes)
    ClearQuay(plan);
}
