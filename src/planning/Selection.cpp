#include "planning/Selection.h"

#include <algorithm>
#include <cctype>

#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/UnitRules.h"
#include "vessel/CellAddress.h"

namespace {

// Sorted as a list box sorts: letters without regard to case, the exact
// texts breaking ties so that "ham" and "HAM" both keep a stable place.
bool ListOrder(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                 [&](char x, char y) { return lower(x) < lower(y); });
  if (less) return true;
  const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                    [&](char x, char y) { return lower(x) < lower(y); });
  return !greater && a < b;
}

const std::vector<SelectionItem>& NoItems() {
  static const std::vector<SelectionItem> none;
  return none;
}

}  // namespace

int SelectionListChangeKind(int list) {
  switch (list) {
    case kSelPol:
      return kChangePol;
    case kSelPod:
      return kChangePod;
    case kSelPrs:
      return kChangePrs;
    case kSelFrm:
      return kChangeFrm;
    case kSelOperator:
      return kChangeOperator;
    case kSelSize:
      return 0;
    case kSelType:
      return kChangeType;
    case kSelIso:
      return kChangeIso;
    default:
      return -1;
  }
}

const std::string& SelectionListValue(const StructDat& unit, int list) {
  static const std::string none;
  switch (list) {
    case kSelPol:
      return unit.POL;
    case kSelPod:
      return unit.POD;
    case kSelPrs:
      return unit.PRS;
    case kSelFrm:
      return unit.FRM;
    case kSelOperator:
      return unit.OPERATOR;
    case kSelSize:
      return unit.SIZ;
    case kSelType:
      return unit.TYP;
    case kSelIso:
      return unit.ISO;
    default:
      return none;
  }
}

Selection::Selection(PlanContext& ctx)
    : ShownPlane(ctx.plan.CurPlane), RequestedPlane(ctx.plan.CurPlane), ctx_(ctx), plan_(ctx.plan) {
  // Nothing has been listed yet.
  ctx_.SelectionStale = true;
}

bool Selection::ListsStale() const { return ctx_.SelectionStale; }

void Selection::MarkListsStale() { ctx_.SelectionStale = true; }

int Selection::RecordCount(int plane) const {
  if (plane < 0 || plane >= kPlaneCount) return 0;
  if (plane == plan_.VoyPlane) return std::clamp(plan_.VoyUnitCount, 0, kMaxCells);
  // Cells never reach the unit in hand and the move queue behind it.
  return std::clamp(std::min(plan_.CellCount, plan_.UnitInHandIndex), 0, kMaxCells);
}

StructDat* Selection::Record(int plane, int record) const {
  if (plane < 0 || plane >= kPlaneCount || record < 0 || record >= kMaxCells) return nullptr;
  return &plan_.Dat[static_cast<size_t>(plane)][static_cast<size_t>(record)];
}

bool Selection::ValidItem(int list, int item) const {
  return list >= 0 && list < kSelListCount && item >= 0 &&
         item < static_cast<int>(lists_[static_cast<size_t>(list)].size());
}

const std::vector<SelectionItem>& Selection::Items(int list) const {
  if (list < 0 || list >= kSelListCount) return NoItems();
  return lists_[static_cast<size_t>(list)];
}

std::vector<std::string> Selection::Values(int list) const {
  std::vector<std::string> values;
  for (const SelectionItem& item : Items(list)) values.push_back(item.text);
  return values;
}

bool Selection::IsHighlighted(int list, int item) const {
  return ValidItem(list, item) && lists_[static_cast<size_t>(list)][static_cast<size_t>(item)].highlighted;
}

void Selection::ToggleItem(int list, int item) { SetHighlighted(list, item, !IsHighlighted(list, item)); }

void Selection::SetHighlighted(int list, int item, bool on) {
  if (!ValidItem(list, item)) return;
  lists_[static_cast<size_t>(list)][static_cast<size_t>(item)].highlighted = on;
}

void Selection::InvertList(int list) {
  if (list < 0 || list >= kSelListCount) return;
  for (SelectionItem& item : lists_[static_cast<size_t>(list)]) item.highlighted = !item.highlighted;
}

void Selection::SetFull(bool on) {
  Checks.Full = on;
  if (!on) Checks.Empty = true;
}

void Selection::SetEmpty(bool on) {
  Checks.Empty = on;
  if (!on) Checks.Full = true;
}

void Selection::SetOnDeck(bool on) {
  Checks.OnDeck = on;
  if (!on) Checks.BelowDeck = true;
}

void Selection::SetBelowDeck(bool on) {
  Checks.BelowDeck = on;
  if (!on) Checks.OnDeck = true;
}

void Selection::SetOnlyAwkwards(bool on) {
  Checks.OnlyAwkwards = on;
  if (on) Checks.OnlyDangerous = false;
}

void Selection::SetOnlyDangerous(bool on) {
  Checks.OnlyDangerous = on;
  if (on) Checks.OnlyAwkwards = false;
}

void Selection::SetRestows(bool on) { Checks.Restows = on; }

void Selection::SetNumber(std::string_view text) {
  Number.assign(text.substr(0, 6));
  for (char& c : Number) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

void Selection::PrepareShow(int plane) {
  RequestedPlane = plane;
  Accepted = false;
  if (RequestedPlane != ShownPlane) {
    ShownPlane = RequestedPlane;
    MarkListsStale();
  }
  // Otherwise the lists keep their items and highlights from the last use.
  if (ListsStale()) RefillSelectionLists();
}

std::string Selection::Caption(std::string_view conditionTitle) const {
  if (ShownPlane == plan_.VoyPlane) return "Selection - voy " + plan_.VesHdr[VesHdrIx::Voy];
  return "Selection - " + std::string(conditionTitle);
}

void Selection::ClearCriteria() {
  for (auto& list : lists_)
    for (SelectionItem& item : list) item.highlighted = false;
  Checks = SelectionChecks{};
  Number.clear();
  FilterActive = false;
}

void Selection::SelectAll() {
  const int count = RecordCount(ShownPlane);
  for (int i = 0; i < count; ++i)
    if (StructDat* unit = Record(ShownPlane, i)) unit->SELECTED = 1;
}

void Selection::ResetSelection() {
  // Lists built for another data set do not describe this one: without the
  // stale mark the next show would offer the old data set's values.
  if (RequestedPlane != ShownPlane) MarkListsStale();
  ShownPlane = RequestedPlane;
  ClearCriteria();
  SelectAll();
}

void Selection::AddValue(int list, const std::string& value) {
  auto& items = lists_[static_cast<size_t>(list)];
  const auto at = std::lower_bound(
      items.begin(), items.end(), value,
      [](const SelectionItem& item, const std::string& v) { return ListOrder(item.text, v); });
  if (at != items.end() && at->text == value) return;
  items.insert(at, SelectionItem{value, false});
}

void Selection::RefillSelectionLists() {
  BusyCursor busy(ctx_.host);
  for (auto& list : lists_) list.clear();
  ResetSelection();
  ctx_.SelectionStale = false;
  FilterActive = false;
  const int count = RecordCount(ShownPlane);
  for (int i = 0; i < count; ++i) {
    const StructDat* unit = Record(ShownPlane, i);
    if (unit == nullptr || unit->STATUS <= 0) continue;
    // An empty text is listed like any other value, so units without it can
    // be left out too.
    for (int list = 0; list < kSelListCount; ++list) AddValue(list, SelectionListValue(*unit, list));
  }
}

bool Selection::SelectionFilterActive() const {
  for (const auto& list : lists_)
    for (const SelectionItem& item : list)
      if (item.highlighted) return true;
  return Checks.OnlyAwkwards || Checks.OnlyDangerous || Checks.Restows || !Checks.Full || !Checks.Empty ||
         !Checks.OnDeck || !Checks.BelowDeck || !Number.empty();
}

bool Selection::UnitPassesSelection(int record) const {
  const StructDat* found = Record(ShownPlane, record);
  if (found == nullptr) return false;
  if (ListsStale() || !FilterActive) return true;
  const StructDat& unit = *found;
  if (IsFreeRecord(unit)) return true;

  if (!Checks.Full && unit.MTY != 1) return false;
  if (!Checks.Empty && unit.MTY == 1) return false;
  if (Checks.OnlyDangerous && !IsHazardous(unit)) return false;
  if (Checks.OnlyAwkwards && !IsOverDimension(unit)) return false;

  for (int list = 0; list < kSelListCount; ++list) {
    const std::string& value = SelectionListValue(unit, list);
    for (const SelectionItem& item : lists_[static_cast<size_t>(list)])
      if (item.highlighted && item.text == value) return false;
  }

  const bool onDeck = IsDeckTier(TierOf(plan_, unit.POSITION));
  if (!Checks.OnDeck && onDeck) return false;
  if (!Checks.BelowDeck && !onDeck) return false;
  if (Checks.Restows && unit.RESTOW <= 0) return false;
  // A single blank is what an emptied field often holds: it narrows nothing.
  if (!Number.empty() && Number != " " && unit.CONTAINER.find(Number) == std::string::npos) return false;
  return true;
}

void Selection::WriteMarks(bool dropUnsetTemperatures) {
  const int count = RecordCount(ShownPlane);
  for (int i = 0; i < count; ++i) {
    StructDat* unit = Record(ShownPlane, i);
    if (unit == nullptr) continue;
    unit->SELECTED = !FilterActive || UnitPassesSelection(i) ? 1 : 0;
    // A temperature above 900 means none was set: such a unit is not a
    // working reefer. Free records stay selected whatever they hold.
    if (dropUnsetTemperatures && unit->TEMP > 900 && !IsFreeRecord(*unit)) unit->SELECTED = 0;
  }
}

void Selection::ApplySelection() {
  FilterActive = SelectionFilterActive();
  WriteMarks(false);
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
}

void Selection::PresetSelection(const SelectionPreset& preset) {
  // Lists of another data set are as good as stale: narrowing them would
  // mark the requested data set by values it may not even hold.
  if (ListsStale() || RequestedPlane != ShownPlane) {
    RefillSelectionLists();
  } else if (preset.reset) {
    ResetSelection();
  }

  const auto highlightOthers = [this](int list, const std::string& keep) {
    for (SelectionItem& item : lists_[static_cast<size_t>(list)])
      if (item.text != keep) item.highlighted = true;
  };
  if (!preset.oper.empty()) highlightOthers(kSelOperator, preset.oper);
  if (!preset.port.empty()) highlightOthers(preset.portList == kPortListPol ? kSelPol : kSelPod, preset.port);

  if (preset.reefer || preset.breakBulk) {
    for (SelectionItem& item : lists_[kSelType]) {
      StructDat probe;
      probe.TYP = item.text;
      if ((preset.reefer && !IsReeferType(plan_, probe)) || (preset.breakBulk && item.text != "BB"))
        item.highlighted = true;
    }
  }

  if (preset.dangerous) SetOnlyDangerous(true);
  if (preset.awkward) SetOnlyAwkwards(true);
  if (preset.emptyOnly) {
    Checks.Full = false;
    Checks.Empty = true;
  }
  if (preset.fullOnly) {
    Checks.Empty = false;
    Checks.Full = true;
  }
  if (preset.restows) Checks.Restows = true;

  FilterActive = SelectionFilterActive();
  WriteMarks(preset.reefer);
}

bool Selection::SinglePortLeft(int list, std::string& port) const {
  const SelectionItem* left = nullptr;
  for (const SelectionItem& item : Items(list)) {
    if (item.highlighted) continue;
    if (left != nullptr) return false;
    left = &item;
  }
  if (left == nullptr) return false;
  port = left->text;
  return true;
}

void Selection::PresetRestowsOnly(int plane) {
  RequestedPlane = plane;
  PresetSelection({.restows = true, .reset = true});
}

void Selection::PresetPort(int plane, int portList, std::string_view port) {
  RequestedPlane = plane;
  PresetSelection({.portList = portList, .port = std::string(port), .reset = true});
}

void Selection::PresetConditionPort(int plane) {
  const bool arrival = plan_.VesHdr[VesHdrIx::Adp] == "A";
  PresetPort(plane, arrival ? kPortListPod : kPortListPol, plan_.VesHdr[VesHdrIx::Port]);
}

void Selection::PresetSpecial(int plane, SpecialSection section, std::string_view port, int portList) {
  RequestedPlane = plane;
  SelectionPreset preset{.portList = portList, .port = std::string(port)};
  switch (section) {
    case SpecialSection::OverDimension:
      preset.awkward = true;
      break;
    case SpecialSection::Dangerous:
      Checks.OnlyAwkwards = false;
      preset.dangerous = true;
      break;
    case SpecialSection::FullReefers:
      Checks.OnlyDangerous = false;
      preset.reefer = true;
      preset.fullOnly = true;
      break;
    case SpecialSection::BreakBulk:
      for (SelectionItem& item : lists_[kSelType]) item.highlighted = false;
      preset.breakBulk = true;
      break;
  }
  PresetSelection(preset);
}

bool Selection::FirstHighlighted(int list, std::string& value) const {
  if (SelectionListChangeKind(list) <= 0) return false;
  for (const SelectionItem& item : Items(list)) {
    if (!item.highlighted) continue;
    value = item.text;
    return true;
  }
  return false;
}

bool Selection::ChangeFirstHighlighted(int list, const std::string& newValue) {
  // The change reaches the working data set only; offered on the lists of
  // another data set it would change units the person never saw listed.
  if (ShownPlane != plan_.CurPlane || ListsStale()) return false;
  std::string oldValue;
  if (!FirstHighlighted(list, oldValue) || newValue == oldValue) return false;

  // Only selected units can be taken out of their cells; the filter last
  // applied must not keep the units this change is about from it. The lists
  // are rebuilt afterwards, which resets the filter anyway.
  SelectAll();
  const std::uint8_t removeToQuay = plan_.RemoveToQuay;
  plan_.RemoveToQuay = 0;
  ChangeUnitAttribute(ctx_, oldValue, newValue, SelectionListChangeKind(list), false);
  plan_.RemoveToQuay = removeToQuay;

  RequestedPlane = ShownPlane;
  RefillSelectionLists();
  return true;
}
