#include "conditions/LoadingList.h"

#include <algorithm>

#include "conditions/ListColumns.h"
#include "conditions/UnitColumns.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/EditorCommands.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace {

// Slot of RouteMatrix with the total of a route.
constexpr int kRouteTotal = kRouteCategories - 1;
// Width of the record index kept behind each list line while it is sorted.
constexpr int kIndexWidth = 6;
// A unit on board counts as a high cube for the list's filter above this
// ISO height (feet written as feet.inches).
constexpr double kHighCubeIsoHeight = 9.5;

int QuayRecords(const PlanData& plan) { return std::clamp(plan.QuayCount, 0, kMaxCells); }
int Cells(const PlanData& plan) {
  return std::clamp(std::min(plan.CellCount, plan.UnitInHandIndex), 0, kMaxCells);
}

std::string RouteKey(const StructDat& unit) { return unit.POL + unit.POD; }

bool HighCubeType(const StructDat& unit) { return !unit.TYP.empty() && unit.TYP[0] == 'H'; }

bool IsFull20Class(int category) { return category >= 0 && category < 4; }
bool IsFull40Class(int category) { return category >= 8 && category < 12; }

// The group filter of the units on board in Update mode: which units on
// board may take a list unit of the chosen group.
bool OnBoardMatchesGroup(int category, int group, bool exact) {
  if (exact)
    return category == group || (IsFull20Class(category) && IsFull20Class(group)) ||
           (IsFull40Class(category) && IsFull40Class(group));
  return (category < 8 && group < 8) || (category >= 8 && category < 16 && group >= 8 && group < 16) ||
         category == group;
}

}  // namespace

std::string QuayGroupName(int category) {
  if (category == 16) return "break bulk";
  if (category < 0 || category > 16) return "";
  const std::string size = category < 8 ? "20' " : "40' ";
  const int kind = category % 8;
  if (kind < 4) return size + "full " + std::to_string(kind + 1);
  static const char* const kKinds[] = {"empty", "reefer", "awkward", "hazardous"};
  return size + kKinds[kind - 4];
}

bool MergesInto(const PlanData& plan, const StructDat& placeholder, const StructDat& unit, bool exact) {
  if (placeholder.POL != unit.POL || placeholder.POD != unit.POD || placeholder.SIZ != unit.SIZ) return false;
  if (!Trim(placeholder.CONTAINER).empty()) return false;
  if (exact) {
    if (Trim(placeholder.IMO[0]) != Trim(unit.IMO[0]) || placeholder.MTY != unit.MTY) return false;
    if (IsOverDimension(placeholder) != IsOverDimension(unit)) return false;
    if (placeholder.MTY < 1 && IsReeferType(plan, placeholder) != IsReeferType(plan, unit)) return false;
  }
  return IsBreakBulk(placeholder) == IsBreakBulk(unit);
}

LoadingList::LoadingList(PlanContext& ctx) : ctx_(ctx), plan_(ctx.plan) {}

bool LoadingList::QuayMode() const { return plan_.RemoveToQuay != 0; }

bool LoadingList::Live(int record) const {
  return record >= 0 && record < QuayRecords(plan_) &&
         plan_.Dat[plan_.QuayPlane][static_cast<size_t>(record)].STATUS > 0;
}

// --- Routes and groups ------------------------------------------------------

void LoadingList::RefreshQuayRoutes() {
  Routes.clear();
  ChosenRoute = -1;
  QuayRoute = -1;
  const bool protect = ProtectOtherPorts && ProtectOtherPorts();
  const std::string& port = plan_.VesHdr[VesHdrIx::Port];
  for (int r = 0; r < std::clamp(plan_.RouteCount, 0, kMaxRouteKeys); ++r) {
    if (plan_.RouteMatrix[static_cast<size_t>(r)][kRouteTotal] <= 0) continue;
    const std::string& key = plan_.RouteKeys[static_cast<size_t>(r)];
    if (protect && Columns(key, 1, 3) != port) continue;
    Routes.push_back({Columns(key, 1, 3) + " " + (key.size() > 3 ? key.substr(3) : std::string()), r});
  }
  if (Routes.empty()) {
    Lines.clear();
    return;
  }
  QuayGroup = 0;
  ChooseRoute(0);
}

void LoadingList::ChooseRoute(int choice) {
  if (choice < 0 || choice >= static_cast<int>(Routes.size())) return;
  ChosenRoute = choice;
  QuayRoute = Routes[static_cast<size_t>(choice)].route;
  ApplyQuayGroup();
}

void LoadingList::SelectQuayRoute(const std::string& pol, const std::string& pod, int category) {
  const std::string key = pol + pod;
  int choice = ChosenRoute;
  if (QuayRoute < 0 || plan_.RouteKeys[static_cast<size_t>(QuayRoute)] != key) {
    const std::string text = pol + " " + pod;
    const auto found =
        std::find_if(Routes.begin(), Routes.end(), [&](const RouteChoice& r) { return r.text == text; });
    if (found != Routes.end()) {
      choice = static_cast<int>(found - Routes.begin());
    } else {
      int route = -1;
      for (int r = 0; r < std::clamp(plan_.RouteCount, 0, kMaxRouteKeys); ++r)
        if (plan_.RouteKeys[static_cast<size_t>(r)] == key) route = r;
      Routes.insert(Routes.begin(), {text, route});
      choice = 0;
    }
  }
  QuayGroup = std::clamp(category, 0, kQuayGroups - 1);
  if (choice < 0) {
    ApplyQuayGroup();
    return;
  }
  ChooseRoute(choice);
}

void LoadingList::ChooseGroup(int category) {
  QuayGroup = std::clamp(category, 0, kQuayGroups - 1);
  Layout = kListNormal;
  if ((QuayGroup == 5 || QuayGroup == 13) && !SortByTons) Layout = kListReefers;
  if (QuayGroup == 6 || QuayGroup == 14 || QuayGroup == 16) Layout = kListAwkward;
  if (QuayGroup == 7 || QuayGroup == 15) Layout = kListHazardous;
  if (SortByTons && Layout == kListNormal) Layout = kListByWeight;
  ApplyQuayGroup();
}

int LoadingList::GroupCount(int category) const {
  if (QuayRoute < 0 || QuayRoute >= kMaxRouteKeys || category < 0 || category >= kQuayGroups) return 0;
  return plan_.RouteMatrix[static_cast<size_t>(QuayRoute)][static_cast<size_t>(category)];
}

int LoadingList::Count20() const {
  int n = 0;
  for (int c = 0; c < 8; ++c) n += GroupCount(c);
  return n;
}

int LoadingList::Count40() const {
  int n = 0;
  for (int c = 8; c < kQuayGroups; ++c) n += GroupCount(c);
  return n;
}

void LoadingList::CycleHighCube() {
  DeselectAll();
  HighCube = (HighCube + 1) % 3;
  ApplyQuayGroup();
}

void LoadingList::ApplyQuayGroup() {
  const bool routeChosen = QuayRoute >= 0 && QuayRoute < kMaxRouteKeys;
  const std::string key = routeChosen ? plan_.RouteKeys[static_cast<size_t>(QuayRoute)] : std::string();
  DataSet& quay = plan_.Dat[plan_.QuayPlane];
  for (int i = 0; i < QuayRecords(plan_); ++i) {
    StructDat& unit = quay[static_cast<size_t>(i)];
    bool selected = routeChosen && RouteCategory(plan_, unit) == QuayGroup && RouteKey(unit) == key;
    if ((HighCube == 1 && !HighCubeType(unit)) || (HighCube == 2 && HighCubeType(unit))) selected = false;
    unit.SELECTED = selected ? 1 : 0;
  }
  FillLoadingList();
  if (Visible && !LoadMode) MarkUnitsOnBoard();
  if (Visible && plan_.Settings[SettingsIx::LoadingListAutoselect] > "0") SelectAll();
}

void LoadingList::MarkUnitsOnBoard() {
  const bool routeChosen = QuayRoute >= 0 && QuayRoute < kMaxRouteKeys;
  const std::string key = routeChosen ? plan_.RouteKeys[static_cast<size_t>(QuayRoute)] : std::string();
  for (int cell = 0; cell < Cells(plan_); ++cell) {
    StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
    if (unit.STATUS == 0) continue;
    bool selected = OnBoardMatchesGroup(RouteCategory(plan_, unit), QuayGroup, ExactMerge);
    if (FilterOnBoard) {
      const bool high = HighCubeType(unit) || BaseData::IsoHeight(unit.ISO) > kHighCubeIsoHeight;
      if ((HighCube == 1 && !high) || (HighCube == 2 && high)) selected = false;
    }
    if (routeChosen && RouteKey(unit) != key) selected = false;
    unit.SELECTED = selected ? 1 : 0;
  }
  // The units not selected show grey.
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  ctx_.SelectionStale = true;
}

void LoadingList::SelectUnitsOnBoard() {
  for (int cell = 0; cell < Cells(plan_); ++cell) plan_.Cur()[static_cast<size_t>(cell)].SELECTED = 1;
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  ctx_.SelectionStale = true;
}

// --- The list ----------------------------------------------------------------

std::string LoadingList::LineText(const StructDat& unit, int record) const {
  const UnitColumnTexts texts = UnitToColumns(plan_, unit);
  std::string line;
  for (int column : LayoutColumns(plan_, Layout)) line += ListColumnText(plan_, unit, texts, column) + " ";
  return Pad(line, static_cast<int>(Title.size()), false) + Pad(std::to_string(record), kIndexWidth, true);
}

void LoadingList::FillLoadingList() {
  Lines.clear();
  Dirty = false;
  Title.clear();
  for (int column : LayoutColumns(plan_, Layout)) Title += ListColumnHeading(plan_, column) + " ";
  const DataSet& quay = plan_.Dat[plan_.QuayPlane];
  for (int i = 0; i < QuayRecords(plan_); ++i) {
    const StructDat& unit = quay[static_cast<size_t>(i)];
    if (unit.STATUS > 0 && unit.SELECTED > 0 && unit.FL3 < 1) Lines.push_back({LineText(unit, i), i, false});
  }
  // Ordered by their leftmost columns; equal texts by record.
  std::stable_sort(Lines.begin(), Lines.end(), [this](const Line& a, const Line& b) {
    return Layout == kListByWeight ? b.text < a.text : a.text < b.text;
  });
  for (Line& line : Lines) line.text.resize(Title.size());
}

void LoadingList::SelectAll() {
  for (Line& line : Lines) line.selected = true;
}

void LoadingList::DeselectAll() {
  for (Line& line : Lines) line.selected = false;
}

void LoadingList::SetSortByTons(bool on) {
  SortByTons = on;
  if (Layout != kListNormal && Layout != kListByWeight) return;
  Layout = on ? kListByWeight : kListNormal;
  FillLoadingList();
}

int LoadingList::SelectedLine() const {
  for (size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i].selected) return static_cast<int>(i);
  return -1;
}

int LoadingList::LineOf(int record) const {
  for (size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i].record == record) return static_cast<int>(i);
  return -1;
}

// The line the next unit comes from. With the window hidden nobody selects
// lines: the list, brought up to date with the quay, offers its first.
int LoadingList::NextLine() {
  int line = SelectedLine();
  if (!Visible && (line < 0 || !Live(Lines[static_cast<size_t>(line)].record))) {
    ApplyQuayGroup();
    if (!Lines.empty()) Lines.front().selected = true;
    line = SelectedLine();
  }
  return line >= 0 && Live(Lines[static_cast<size_t>(line)].record) ? line : -1;
}

// --- Taking units --------------------------------------------------------------

void LoadingList::TakeOffQuay(int index) {
  if (!Live(index)) return;
  ctx_.TouchQuayTake(index);
  TakeFromQuay(plan_, index);
}

int LoadingList::TakeFromLoadingList() {
  if (!QuayMode() || plan_.UnitInHandIndex < 0 || plan_.UnitInHandIndex >= kMaxCells) return -1;
  StructDat& hand = plan_.Cur()[static_cast<size_t>(plan_.UnitInHandIndex)];
  const int line = NextLine();
  if (line < 0) {
    hand = StructDat{};
    return -1;
  }
  const int record = Lines[static_cast<size_t>(line)].record;
  hand = plan_.Dat[plan_.QuayPlane][static_cast<size_t>(record)];
  return record;
}

void LoadingList::DropFromLoadingList(int index) {
  const int line = LineOf(index);
  if (line >= 0) Lines[static_cast<size_t>(line)].selected = false;
  TakeOffQuay(index);
  Dirty = true;
  if (SelectedLine() < 0) FillLoadingList();
}

bool LoadingList::CanMergeIntoPlaceholder(int cell) {
  if (!Visible || LoadMode || cell < 0 || cell >= Cells(plan_)) return false;
  const int index = TakeFromLoadingList();
  if (index < 0) return false;
  const StructDat& placeholder = plan_.Cur()[static_cast<size_t>(cell)];
  // Only a selected unit can be taken out of its cell.
  return placeholder.STATUS > 0 && placeholder.SELECTED > 0 &&
         MergesInto(plan_, placeholder, plan_.Dat[plan_.QuayPlane][static_cast<size_t>(index)], ExactMerge);
}

int LoadingList::ChooseRecord(int record) {
  if (!Live(record)) return -1;
  const StructDat& unit = plan_.Dat[plan_.QuayPlane][static_cast<size_t>(record)];
  // A chosen unit is taken whatever the high-cube filter would show.
  HighCube = 0;
  SelectQuayRoute(unit.POL, unit.POD, RouteCategory(plan_, unit));
  const int line = LineOf(record);
  if (line < 0) return -1;
  DeselectAll();
  Lines[static_cast<size_t>(line)].selected = true;
  return record;
}

int LoadingList::Choose(const std::string& number) {
  const DataSet& quay = plan_.Dat[plan_.QuayPlane];
  if (!number.empty()) {
    for (int i = 0; i < QuayRecords(plan_); ++i)
      if (Live(i) && quay[static_cast<size_t>(i)].CONTAINER == number) return ChooseRecord(i);
    return -1;
  }
  if (GroupCount(QuayGroup) == 0) {
    // The first group of the routes that holds units, as a planner would
    // click its label.
    RefreshQuayRoutes();
    for (int choice = 0; choice < static_cast<int>(Routes.size()) && GroupCount(QuayGroup) == 0; ++choice) {
      ChooseRoute(choice);
      for (int c = 0; c < kQuayGroups; ++c) {
        if (GroupCount(c) == 0) continue;
        ChooseGroup(c);
        break;
      }
    }
  }
  const int line = NextLine();
  if (line < 0) return -1;
  DeselectAll();
  Lines[static_cast<size_t>(line)].selected = true;
  return Lines[static_cast<size_t>(line)].record;
}

// --- Quay commands -------------------------------------------------------------

int LoadingList::PutToQuay(StructDat& unit, int count) {
  if (unit.WEIGHT < 2.0 || Trim(unit.POL).size() < 3 || Trim(unit.POD).size() < 3) return 0;
  if (count < 1 || count > kMostToQuay) return 0;
  if (Trim(unit.TYP).empty()) unit.TYP = "DV";
  if (Trim(unit.SIZ).empty()) unit.SIZ = "20";
  StructDat copy = unit;
  int put = 0;
  for (; put < count; ++put) {
    if (!::PutToQuay(plan_, copy)) break;
    copy.CONTAINER.clear();
  }
  if (put > 0) SelectQuayRoute(unit.POL, unit.POD, RouteCategory(plan_, unit));
  return put;
}

void LoadingList::EmptyQuay() {
  ClearQuay(plan_);
  QuayRoute = -1;
  Lines.clear();
  RefreshQuayRoutes();
}

int LoadingList::RemoveSelected() {
  int removed = 0;
  for (int line = SelectedLine(); line >= 0; line = SelectedLine()) {
    const int record = Lines[static_cast<size_t>(line)].record;
    if (Live(record)) ++removed;
    Lines[static_cast<size_t>(line)].selected = false;
    DropFromLoadingList(record);
  }
  return removed;
}

int LoadingList::RemoveAll() {
  SelectAll();
  return RemoveSelected();
}

int LoadingList::RemoveOne() {
  const int line = NextLine();
  if (line < 0) return 0;
  DropFromLoadingList(Lines[static_cast<size_t>(line)].record);
  return 1;
}

int LoadingList::RemoveGroup() {
  if (NextLine() < 0) return 0;
  BusyCursor busy(ctx_.host);
  int removed = 0;
  for (int i = 0; i < QuayRecords(plan_); ++i) {
    if (!Live(i) || plan_.Dat[plan_.QuayPlane][static_cast<size_t>(i)].SELECTED != 1) continue;
    TakeOffQuay(i);
    ++removed;
  }
  FillLoadingList();
  return removed;
}

int LoadingList::RemoveRoute() {
  if (QuayRoute < 0) return 0;
  const int before = std::max(plan_.QuayLive, 0);
  TakeRouteFromQuay(plan_, QuayRoute);
  Lines.clear();
  RefreshQuayRoutes();
  return before - std::max(plan_.QuayLive, 0);
}

int LoadingList::Reload(EditorCommands& editor) {
  int placed = 0;
  for (int line = NextLine(); line >= 0; line = NextLine()) {
    const StructDat& unit =
        plan_.Dat[plan_.QuayPlane][static_cast<size_t>(Lines[static_cast<size_t>(line)].record)];
    const int cell = FindCellByPosition(plan_, unit.POSITION);
    if (cell < 0) break;
    plan_.EditorOperation = kOpLoad;
    editor.State.ClearPressGuards();
    if (!editor.CellClick(cell, true)) break;
    ++placed;
  }
  return placed;
}

std::vector<int> LoadingList::MergeIntoPlaceholders(EditorCommands& editor) {
  std::vector<int> merged;
  const bool visible = Visible, loadMode = LoadMode;
  const std::uint8_t quayMode = plan_.RemoveToQuay;
  const int operation = plan_.EditorOperation;
  Visible = true;
  LoadMode = false;
  plan_.RemoveToQuay = 1;
  const DataSet& quay = plan_.Dat[plan_.QuayPlane];
  for (int cell = 0; cell < Cells(plan_); ++cell) {
    const StructDat& placeholder = plan_.Cur()[static_cast<size_t>(cell)];
    if (placeholder.STATUS < 1 || placeholder.FL3 >= 1 || !Trim(placeholder.CONTAINER).empty()) continue;
    int record = -1;
    for (int i = 0; i < QuayRecords(plan_) && record < 0; ++i)
      if (Live(i) && MergesInto(plan_, placeholder, quay[static_cast<size_t>(i)], ExactMerge)) record = i;
    if (ChooseRecord(record) < 0) continue;
    plan_.EditorOperation = kOpLoad;
    editor.State.ClearPressGuards();
    if (editor.CellClick(cell, false)) merged.push_back(record);
  }
  Visible = visible;
  LoadMode = loadMode;
  plan_.RemoveToQuay = quayMode;
  plan_.EditorOperation = operation;
  if (Visible && !LoadMode)
    ApplyQuayGroup();
  else
    SelectUnitsOnBoard();
  return merged;
}

void LoadingList::Show() {
  SortByTons = plan_.Settings[SettingsIx::LoadingListSortByWeight] > "0";
  LoadMode = plan_.Settings[SettingsIx::LoadingListLoadMode] > "0";
  Visible = true;
  if (SortByTons && Layout == kListNormal) Layout = kListByWeight;
  ApplyQuayGroup();
}

void LoadingList::Close() {
  const bool wasUpdating = Visible && !LoadMode;
  Visible = false;
  LoadMode = true;
  // The grey units of Update mode would otherwise stay unselected, and an
  // unselected unit can be neither discharged nor saved away.
  if (wasUpdating) SelectUnitsOnBoard();
}

void LoadingList::Connect(EditorCommands& editor) {
  LoadingListLink& link = editor.LoadingList;
  link.Visible = [this] { return Visible; };
  link.UpdateMode = [this] { return !LoadMode; };
  link.ExactMerge = [this] { return ExactMerge; };
  link.Take = [this] { return TakeFromLoadingList(); };
  link.Drop = [this](int entry) { DropFromLoadingList(entry); };
  link.CanMerge = [this](int cell) { return CanMergeIntoPlaceholder(cell); };
  link.SelectRoute = [this](const std::string& pol, const std::string& pod, int category) {
    SelectQuayRoute(pol, pod, category);
  };
  // Units went to the quay in bulk: the counts change, the chosen route
  // stays chosen while it has units.
  link.RefreshGroups = [this] {
    const std::string chosen = ChosenRoute >= 0 ? Routes[static_cast<size_t>(ChosenRoute)].text : "";
    const int group = QuayGroup;
    RefreshQuayRoutes();
    for (size_t i = 0; i < Routes.size(); ++i) {
      if (Routes[i].text != chosen) continue;
      QuayGroup = group;
      ChooseRoute(static_cast<int>(i));
    }
  };
  link.Choose = [this](const std::string& number) { return Choose(number); };
  ProtectOtherPorts = [&editor] { return editor.State.ProtectOtherPorts; };
}
