#include "planning/EditorCommands.h"

#include <algorithm>

#include "core/Host.h"
#include "core/TextHelpers.h"
#include "planning/AttributePanel.h"
#include "planning/CellOps.h"
#include "planning/LoadTotals.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"
#include "vessel/CellAddress.h"

// One undoable step: the outermost command running records it, the commands
// it calls add to it.
class EditorCommands::Step {
 public:
  Step(EditorCommands& editor, const std::string& label) : editor_(editor) {
    if (editor_.stepDepth_++ == 0 && editor_.plan_.ConfigMode == 0)
      editor_.History.Begin(label, editor_.State.HeldUnits());
  }
  ~Step() {
    if (--editor_.stepDepth_ == 0) editor_.History.End(editor_.State.HeldUnits());
  }
  Step(const Step&) = delete;
  Step& operator=(const Step&) = delete;

 private:
  EditorCommands& editor_;
};

namespace {

// Quay mode switched off (or on) for the life of a scope, restored after.
class QuayModeScope {
 public:
  QuayModeScope(PlanData& plan, bool on) : plan_(plan), saved_(plan.RemoveToQuay) {
    plan_.RemoveToQuay = on ? 1 : 0;
  }
  ~QuayModeScope() { plan_.RemoveToQuay = saved_; }
  QuayModeScope(const QuayModeScope&) = delete;
  QuayModeScope& operator=(const QuayModeScope&) = delete;

 private:
  PlanData& plan_;
  std::uint8_t saved_;
};

const std::string& PortName(const PlanData& plan, int index, const std::string& code) {
  if (index >= 0 && index < std::min(plan.VoyPortCount, kMaxVoyPorts) &&
      !plan.VoyPorts[static_cast<size_t>(index)].PORT.empty())
    return plan.VoyPorts[static_cast<size_t>(index)].PORT;
  return code;
}

}  // namespace

EditorCommands::EditorCommands(PlanContext& ctx) : History(ctx), ctx_(ctx), plan_(ctx.plan) {}

StructDat& EditorCommands::UnitInHand() { return Held(0); }

StructDat& EditorCommands::Held(int index) {
  const int i = std::clamp(plan_.UnitInHandIndex + index, 0, kMaxCells - 1);
  return plan_.Cur()[static_cast<size_t>(i)];
}

bool EditorCommands::ValidCell(int cell) const {
  return cell >= 0 && cell < std::min({plan_.CellCount, plan_.UnitInHandIndex, kMaxCells});
}

bool EditorCommands::OwnUnit(int cell) const {
  return ValidCell(cell) && plan_.Cur()[static_cast<size_t>(cell)].STATUS > 0;
}

bool EditorCommands::QuayMode() const { return plan_.RemoveToQuay != 0; }

bool EditorCommands::ListInUpdateMode() const {
  return LoadingList.Visible && LoadingList.UpdateMode && LoadingList.Visible() && LoadingList.UpdateMode();
}

void EditorCommands::Changed(int cell) {
  if (CellChanged && cell >= 0) CellChanged(cell);
}

bool EditorCommands::EditorPlace(int cell, bool restoring) {
  if (!ValidCell(cell)) return false;
  if (!IsFreeRecord(plan_.Cur()[static_cast<size_t>(cell)])) return false;
  StructDat& hand = UnitInHand();
  const int restow = hand.RESTOW;
  const std::string restowFrom = hand.RESTOW_FROM;
  hand.RESTOW = plan_.EditorOperation == kOpRestow ? 1 : 0;
  if (plan_.EditorOperation != kOpRestow) hand.RESTOW_FROM.clear();
  const bool is20 = Is20Foot(hand);
  if (!PlaceUnit(ctx_, cell, restoring ? kPlaceFromFile : kPlaceInteractive)) {
    // A refused unit stays in hand as it was.
    hand.RESTOW = restow;
    hand.RESTOW_FROM = restowFrom;
    return false;
  }
  // A restoring placement keeps the unit in hand; it has served.
  if (restoring && State.MoveQueueTop < 0 && !State.TeuLostMode) hand = StructDat{};

  if (State.QuayItemInUse >= 0 && QuayMode()) {
    if (LoadingList.Visible && LoadingList.Visible()) {
      ++plan_.LoadSequence;
      plan_.Cur()[static_cast<size_t>(cell)].COL61 = Pad(std::to_string(plan_.LoadSequence), 4, true, "0");
    }
    if (LoadingList.Drop) LoadingList.Drop(State.QuayItemInUse);
  }

  Changed(cell);
  if (!is20) Changed(FortyPartnerCell(plan_, cell));
  AddToTotals(plan_, cell, +1, plan_.CurPlane);

  const StructDat& placed = plan_.Cur()[static_cast<size_t>(cell)];
  if (IsHazardous(placed) && plan_.Settings[SettingsIx::ImmediateSegregationCheck] > "0" &&
      SegregationCheck && !SegregationCheck(cell))
    State.SwallowNextPress = true;
  return true;
}

bool EditorCommands::EditorRemove(int cell) {
  if (!ValidCell(cell)) return false;
  const StructDat& record = plan_.Cur()[static_cast<size_t>(cell)];
  if (record.STATUS <= 0 || (record.BUNDLES >= 1 && !State.ForceRemove)) return false;
  if (!State.EditMode && State.ProtectOtherPorts) {
    const bool loadedHere = record.POL == plan_.VesHdr[VesHdrIx::Port];
    // Units of other ports may only be restowed; units loaded here may be
    // discharged or moved, not restowed.
    if (!loadedHere && plan_.EditorOperation != kOpRestow) return false;
    if (loadedHere && plan_.EditorOperation == kOpRestow) return false;
  }
  Step step(*this, "Remove");
  AddToTotals(plan_, cell, -1, plan_.CurPlane);
  State.LastRemoved = record;
  const bool is20 = Is20Foot(record);
  const int partner = is20 ? -1 : FortyPartnerCell(plan_, cell);
  // A unit picked up or taken for editing never goes to the quay.
  const bool toQuay = QuayMode() && !State.EditMode && State.MoveQueueTop < 0;
  const int category = RouteCategory(plan_, State.LastRemoved);
  bool ok = false;
  {
    QuayModeScope quay(plan_, toQuay);
    ok = RemoveUnit(ctx_, cell);
  }
  if (!ok) {
    AddToTotals(plan_, cell, +1, plan_.CurPlane);
    return false;
  }
  if (toQuay && LoadingList.SelectRoute)
    LoadingList.SelectRoute(State.LastRemoved.POL, State.LastRemoved.POD, category);
  // Over-size marks on the neighbours go with the unit.
  for (int c : {cell, partner}) {
    if (c < 0) continue;
    Changed(c);
    Changed(CellAbove(plan_, c));
    Changed(NeighbourCell(plan_, c, true));
    Changed(NeighbourCell(plan_, c, false));
  }
  return true;
}

bool EditorCommands::CellClick(int cell, bool secondary) {
  if (!ValidCell(cell)) return false;
  Step step(*this, "Press");
  DataSet& units = plan_.Cur();
  const int op = plan_.EditorOperation;

  if (State.EditMode) {
    State.LastRemoved = units[static_cast<size_t>(cell)];
    if (State.PanelRecord.SIZ != units[static_cast<size_t>(cell)].SIZ) State.PanelRecord.ISO.clear();
    EditorRemove(cell);
    const StructDat before = State.LastRemoved;
    UnitInHand() = State.PanelRecord;
    const bool ok = EditorPlace(cell, false);
    State.PanelRecord = State.SavedPanelRecord;
    State.EditMode = false;
    State.EditCell = -1;
    ClearAttributeMarks();
    if (!ok && before.STATUS > 0) {
      UnitInHand() = before;
      EditorPlace(cell, true);
    }
    if (!ok) UnitInHand() = StructDat{};
    State.MenuBusy = true;
    return ok;
  }

  const bool updateMode = ListInUpdateMode();
  if (op == kOpDisch && updateMode) {
    const StructDat& record = units[static_cast<size_t>(cell)];
    if (record.STATUS <= 0 || record.POL != plan_.VesHdr[VesHdrIx::Port] || record.CONTAINER.empty())
      return false;
    StructDat copy = record;
    if (!EditorRemove(cell)) return false;
    QuayModeScope quay(plan_, false);
    copy.CONTAINER.clear();
    copy.WEIGHT = 0;
    if (!(LoadingList.ExactMerge && LoadingList.ExactMerge())) {
      StructDat placeholder;
      placeholder.POL = copy.POL;
      placeholder.POD = copy.POD;
      placeholder.TYP = copy.TYP;
      placeholder.SIZ = copy.SIZ;
      copy = placeholder;
    }
    UnitInHand() = copy;
    return EditorPlace(cell, false);
  }
  if (updateMode && !(units[static_cast<size_t>(cell)].STATUS > 0 && op == kOpLoad)) return false;

  bool merged = false;
  if (units[static_cast<size_t>(cell)].STATUS > 0 && op == kOpLoad && LoadingList.CanMerge) {
    if (LoadingList.CanMerge(cell)) {
      QuayModeScope quay(plan_, false);
      State.LastRemoved = units[static_cast<size_t>(cell)];
      merged = RemoveUnit(ctx_, cell);
    } else if (updateMode) {
      return false;
    }
  }

  const StructDat& target = units[static_cast<size_t>(cell)];
  if (target.STATUS < 1 && op != kOpDisch && IsFreeRecord(target) && !State.PickedThisPress &&
      (State.MoveQueueTop >= 0 || !State.DroppedThisPress)) {
    State.QuayItemInUse = -1;
    if (State.TeuLostMode) {
      UnitInHand() = State.TeuLostMarker;
    } else if (State.MoveQueueTop < 0) {
      if (QuayMode()) {
        State.QuayItemInUse = LoadingList.Take ? LoadingList.Take() : -1;
      } else {
        UnitInHand() = State.PanelRecord;
        if (UnitInHand().WEIGHT == 0 && plan_.ConfigMode == 0) UnitInHand().WEIGHT = -1;  // weight unknown
      }
    }
    // In quay mode with nothing on the list the hand holds no unit to put
    // down: an empty record must never be placed.
    const bool nothingInHand =
        QuayMode() && State.MoveQueueTop < 0 && !State.TeuLostMode && State.QuayItemInUse < 0;
    const bool ok = !nothingInHand && EditorPlace(cell, false);
    if (ok) {
      if (State.MoveQueueTop < 0) {
        State.LoadedThisPress = true;
      } else {
        State.DroppedThisPress = true;
        if (!State.TeuLostMode) {
          for (int i = 0; i < State.MoveQueueTop; ++i) Held(i) = Held(i + 1);
          Held(State.MoveQueueTop) = StructDat{};
          --State.MoveQueueTop;
        }
      }
    } else {
      // A refused unit does not stay in hand to be put down elsewhere later.
      if (State.MoveQueueTop < 0) UnitInHand() = StructDat{};
      if (merged) {
        QuayModeScope quay(plan_, false);
        UnitInHand() = State.LastRemoved;
        EditorPlace(cell, false);
      }
    }
    return ok;
  }

  if (!IsFreeRecord(target) && !secondary) {
    if (std::none_of(State.AttributeMarks.begin(), State.AttributeMarks.end(), [](bool m) { return m; })) {
      if (op == kOpDisch) return EditorRemove(cell);
      if (State.DroppedThisPress || State.LoadedThisPress) return false;
      // Picking while lost slots are marked would mix the marker with units.
      if (State.MoveQueueTop >= kMoveQueueSize - 1 || plan_.ConfigMode != 0 || State.TeuLostMode)
        return false;
      if (target.STATUS <= 0) return false;
      ++State.MoveQueueTop;
      State.PickedThisPress = true;
      StructDat& held = Held(State.MoveQueueTop);
      held = target;
      // The first place a restowed unit left is kept over later moves.
      if (op == kOpRestow && held.RESTOW_FROM.empty()) held.RESTOW_FROM = held.POSITION;
      if (!EditorRemove(cell)) {
        Held(State.MoveQueueTop) = StructDat{};
        --State.MoveQueueTop;
        return false;
      }
      return true;
    }
    // Attribute transfer: the marked attributes of the panel's unit.
    if (target.STATUS <= 0) return false;
    UnitInHand() = target;
    State.EditMode = true;
    const bool removed = EditorRemove(cell);
    State.EditMode = false;
    if (!removed) {
      UnitInHand() = StructDat{};
      return false;
    }
    StructDat& hand = UnitInHand();
    const StructDat& panel = State.PanelRecord;
    const auto& marks = State.AttributeMarks;
    if (marks[kMarkPol]) hand.POL = panel.POL;
    if (marks[kMarkPod]) hand.POD = panel.POD;
    if (marks[kMarkPrs]) hand.PRS = panel.PRS;
    if (marks[kMarkFrm]) hand.FRM = panel.FRM;
    if (marks[kMarkOper]) hand.OPERATOR = panel.OPERATOR;
    if (marks[kMarkTons]) hand.WEIGHT = panel.WEIGHT;
    if (marks[kMarkMty]) hand.MTY = panel.MTY;
    if (marks[kMarkSize]) {
      if (hand.SIZ != panel.SIZ) hand.ISO.clear();
      hand.SIZ = panel.SIZ;
    }
    if (marks[kMarkType]) hand.TYP = panel.TYP;
    const bool ok = EditorPlace(cell, false);
    if (!ok) {
      UnitInHand() = State.LastRemoved;
      EditorPlace(cell, true);
    }
    return ok;
  }
  return false;
}

bool EditorCommands::StartEdit(int cell) {
  if (!OwnUnit(cell) || State.MoveQueueTop >= 0) return false;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (unit.FL3 > 0) return false;
  State.SwallowNextPress = false;
  ClearAttributeMarks();
  State.EditMode = true;
  State.EditCell = cell;
  State.MenuBusy = false;
  State.SavedPanelRecord = State.PanelRecord;
  State.PanelRecord = unit;
  return true;
}

void EditorCommands::EndEditMode() {
  if (!State.EditMode) return;
  State.PanelRecord = State.SavedPanelRecord;
  State.EditMode = false;
  State.EditCell = -1;
}

void EditorCommands::ToggleMark(int mark) {
  if (mark < 0 || mark >= kAttributeMarks) return;
  State.AttributeMarks[static_cast<size_t>(mark)] = !State.AttributeMarks[static_cast<size_t>(mark)];
}

void EditorCommands::SwitchOperation() {
  ClearAttributeMarks();
  if (State.EditMode || State.TeuLostMode) return;
  int op = plan_.EditorOperation % 3 + 1;
  if (plan_.ConfigMode != 0 && op == kOpRestow) op = kOpLoad;
  plan_.EditorOperation = op;
}

bool EditorCommands::ToggleTeuLost(int cell) {
  if (State.TeuLostMode) {
    State.TeuLostMode = false;
    State.MoveQueueTop = -1;
    UnitInHand() = StructDat{};
    return true;
  }
  if (plan_.EditorOperation != kOpLoad || State.MoveQueueTop >= 0 || !ValidCell(cell)) return false;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (IsFreeRecord(unit)) return false;
  StructDat marker;
  marker.POL = unit.POL;
  marker.POD = unit.POD;
  marker.PRS = unit.PRS;
  marker.FRM = unit.FRM;
  marker.SIZ = IsBreakBulk(unit) ? "20" : unit.SIZ;
  marker.TYP = unit.TYP;
  marker.OPERATOR = unit.OPERATOR;
  // The marker names the unit whose overhang lost the slot; it counts as a
  // member of that unit's bundle.
  marker.CONTAINER = "ET:" + (Is20Foot(unit) ? plan_.Cells[static_cast<size_t>(cell)].CELL
                                             : DisplayPosition(plan_, unit, ""));
  marker.FL3 = 1;
  State.LastRemoved = marker;
  State.TeuLostMarker = marker;
  State.TeuLostMode = true;
  State.MoveQueueTop = 0;
  UnitInHand() = marker;
  return true;
}

int EditorCommands::ClearMoveQueue() {
  if (State.MoveQueueTop < 0) return 0;
  Step step(*this, "Clear held units");
  int returned = 0;
  if (!State.TeuLostMode) {
    QuayModeScope quay(plan_, false);
    const int saved = plan_.EditorOperation;
    plan_.EditorOperation = kOpLoad;
    // Held units are the only copy of what they are: each goes back where
    // it came from, or to the quay when that cell was taken since.
    while (State.MoveQueueTop >= 0) {
      // The first held unit is the unit in hand itself.
      const StructDat unit = Held(0);
      if (EditorPlace(FindCellByPosition(plan_, unit.POSITION), true)) {
        ++returned;
      } else {
        ctx_.TouchQuay();
        if (PutToQuay(plan_, unit)) ++returned;
      }
      for (int i = 0; i < State.MoveQueueTop; ++i) Held(i) = Held(i + 1);
      Held(State.MoveQueueTop) = StructDat{};
      --State.MoveQueueTop;
    }
    plan_.EditorOperation = saved;
  }
  State.MoveQueueTop = -1;
  State.TeuLostMode = false;
  plan_.EditorOperation = kOpLoad;
  return returned;
}

int EditorCommands::FillCells(int cell, bool remove, int kind) {
  if (!ValidCell(cell)) return 0;
  Step step(*this, remove ? "Dump bay" : "Fill");
  State.ForceRemove = true;
  const int bay = plan_.Cells[static_cast<size_t>(cell)].BAYIX;
  int changed = 0;
  if (bay >= 0 && bay < std::min(plan_.BayCount, kMaxBays)) {
    const StructBay& b = plan_.Bays[static_cast<size_t>(bay)];
    const bool deck = IsDeckTier(TierOf(plan_, cell));
    const int tier = TierOf(plan_, cell);
    const int row = RowOf(plan_, cell);
    for (int c = b.FIRSTCELL; c <= b.LASTCELL; ++c) {
      if (!ValidCell(c) || IsDeckTier(TierOf(plan_, c)) != deck) continue;
      if (kind == kFillTier && TierOf(plan_, c) != tier) continue;
      if (kind == kFillRow && RowOf(plan_, c) != row) continue;
      if (remove) {
        if (OwnUnit(c) && EditorRemove(c)) ++changed;
        continue;
      }
      if (!IsFreeRecord(plan_.Cur()[static_cast<size_t>(c)])) continue;
      State.QuayItemInUse = -1;
      if (QuayMode()) {
        State.QuayItemInUse = LoadingList.Take ? LoadingList.Take() : -1;
        if (State.QuayItemInUse < 0) break;  // the list has nothing more
      } else {
        // Many slots filled from one template are planned slots, not one
        // box many times: the template's container number stays out.
        UnitInHand() = State.PanelRecord;
        UnitInHand().CONTAINER.clear();
      }
      if (EditorPlace(c, false)) {
        ++changed;
      } else {
        UnitInHand() = StructDat{};
      }
    }
  }
  State.MenuBusy = false;
  State.ForceRemove = false;
  return changed;
}

std::string EditorCommands::DumpValue(int cell, int kind) const {
  if (!ValidCell(cell)) return {};
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  switch (kind) {
    case kDumpLoaded:
      return unit.POL;
    case kDumpDischarging:
      return unit.POD;
    case kDumpRoute:
      return Pad(unit.POL, 3, false) + Pad(unit.POD, 3, false);
    case kDumpOperator:
      return unit.OPERATOR;
    default:
      return {};
  }
}

std::string EditorCommands::DumpQuestion(int cell, int kind) const {
  if (!ValidCell(cell)) return {};
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  const std::string& from = PortName(plan_, unit.POLIX, unit.POL);
  const std::string& to = PortName(plan_, unit.PODIX, unit.POD);
  switch (kind) {
    case kDumpLoaded:
      return "Dump loaded in " + from;
    case kDumpDischarging:
      return "Dump discharging in " + to;
    case kDumpBay: {
      const std::string& name = plan_.Cells[static_cast<size_t>(cell)].CELL;
      return "Dump BAY " + Columns(name, plan_.BayPos, plan_.BayPos + plan_.BayLen - 1) +
             (IsDeckTier(TierOf(plan_, cell)) ? " on deck" : " under deck");
    }
    case kDumpRoute:
      return "Dump " + from + "/" + to;
    case kDumpOperator:
      return "Dump operator " + unit.OPERATOR;
    case kDumpAll:
      return "Dump ALL";
    default:
      return {};
  }
}

namespace {

int UnitsOnBoard(const PlanData& plan) {
  int n = 0;
  for (int i = 0; i < std::min({plan.CellCount, plan.UnitInHandIndex, kMaxCells}); ++i)
    if (plan.Cur()[static_cast<size_t>(i)].STATUS > 0) ++n;
  return n;
}

}  // namespace

int EditorCommands::DumpUnits(int cell, const std::string& value, int kind) {
  // The bulk removal works through the unit in hand, which holds the queue.
  if (State.MoveQueueTop >= 0) return 0;
  if (kind == kDumpBay) return FillCells(cell, true, kFillBay);
  if (kind != kDumpLoaded && kind != kDumpDischarging && kind != kDumpRoute && kind != kDumpOperator &&
      kind != kDumpAll)
    return 0;
  Step step(*this, "Dump");
  BusyCursor busy(ctx_.host);
  const int before = UnitsOnBoard(plan_);
  ChangeUnitAttribute(ctx_, value, value, kind, true);
  if (QuayMode() && LoadingList.RefreshGroups) LoadingList.RefreshGroups();
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  plan_.RedrawAll = 1;
  State.MenuBusy = false;
  return before - UnitsOnBoard(plan_);
}

int EditorCommands::ChangeValueLength(int kind) {
  if (kind == kChangeOperator || kind == kChangeIso) return 4;
  if (kind == kChangeType) return 2;
  return 3;
}

std::string EditorCommands::ChangeCaption(int kind) {
  switch (kind) {
    case kChangePol:
      return "Change port of loading";
    case kChangePod:
      return "Change port of discharge";
    case kChangePrs:
      return "Change port of prosecution";
    case kChangeOperator:
      return "Change operator";
    case kChangeType:
      return "Change type";
    case kChangeFrm:
      return "Change port of origin";
    case kChangeIso:
      return "Change Isocode";
    default:
      return {};
  }
}

int EditorCommands::ChangeAttribute(const std::string& oldValue, const std::string& newValue, int kind) {
  if (ChangeCaption(kind).empty() || static_cast<int>(newValue.size()) > ChangeValueLength(kind)) return 0;
  if (State.MoveQueueTop >= 0) return 0;
  Step step(*this, "Change");
  int matching = 0;
  for (int i = 0; i < std::min({plan_.CellCount, plan_.UnitInHandIndex, kMaxCells}); ++i) {
    const StructDat& unit = plan_.Cur()[static_cast<size_t>(i)];
    if (unit.STATUS <= 0) continue;
    if (MatchesAttribute(unit, oldValue, kind)) ++matching;
  }
  QuayModeScope quay(plan_, false);
  State.ForceRemove = true;
  ChangeUnitAttribute(ctx_, oldValue, newValue, kind, false);
  State.ForceRemove = false;
  State.MenuBusy = false;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  plan_.RedrawAll = 1;
  return matching;
}

void EditorCommands::AfterDetailEdit(int cell) {
  StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  unit.FL2 = HandlingClass(unit);
  unit.CHANGED = 1;
  ctx_.MarkConditionModified(true);
  State.MenuBusy = false;
  State.SwallowNextPress = false;
  Changed(cell);
}

bool EditorCommands::SetNotes(int cell, const std::array<std::string, 4>& notes) {
  if (!OwnUnit(cell)) return false;
  Step step(*this, "Notes");
  ctx_.Touch(cell);
  StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  unit.NOTE_HAN = notes[0];
  unit.NOTE_CLR = notes[1];
  unit.NOTE_AAA = notes[2];
  unit.NOTE_ZZZ = notes[3];
  AfterDetailEdit(cell);
  return true;
}

bool EditorCommands::SetAdditionalImo(int cell,
                                      const std::vector<std::pair<std::string, std::string>>& classAndUn) {
  if (!OwnUnit(cell)) return false;
  Step step(*this, "Imo Additional");
  ctx_.Touch(cell);
  StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  // Classes 2 to 6: rows with a class, packed in their order.
  for (size_t slot = 1; slot <= 5; ++slot) {
    unit.IMO[slot].clear();
    unit.UN[slot].clear();
  }
  size_t slot = 1;
  for (const auto& [imo, un] : classAndUn) {
    if (slot > 5) break;
    if (StripBlanks(imo).empty()) continue;
    unit.IMO[slot] = imo;
    unit.UN[slot] = un;
    ++slot;
  }
  AfterDetailEdit(cell);
  return true;
}

bool EditorCommands::SetBundle(int cell, const std::vector<std::string>& numbers) {
  if (!OwnUnit(cell)) return false;
  Step step(*this, "Bundle");
  ctx_.Touch(cell);
  StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  for (size_t i = 0; i < 5; ++i) unit.EQA[i].clear();
  size_t slot = 0;
  for (const std::string& number : numbers) {
    if (slot >= 5) break;
    if (number.size() <= 5) continue;
    unit.EQA[slot++] = NormaliseNumber(number);
  }
  AfterDetailEdit(cell);
  return true;
}

bool EditorCommands::Undo() {
  const int held = History.Undo();
  if (held < 0) return false;
  State.MoveQueueTop = held - 1;
  if (held == 0) State.TeuLostMode = false;
  State.EditMode = false;
  return true;
}

bool EditorCommands::Redo() {
  const int held = History.Redo();
  if (held < 0) return false;
  State.MoveQueueTop = held - 1;
  State.EditMode = false;
  return true;
}
