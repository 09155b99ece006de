#include "planning/EditScript.h"

#include <map>
#include <sstream>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/AttributePanel.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/UnitRules.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// A number as a planner types it: digits with at most one decimal point or
// comma, and a sign in front.
bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  bool digits = false, separator = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if ((text[i] == '.' || text[i] == ',') && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  return digits;
}

std::string PlacementReason(int code) {
  switch (code) {
    case kErrPolMissing:
      return "no port of loading";
    case kErrPodMissing:
      return "no port of discharge";
    case kErrSizeCode:
      return "the size code is not one of 1 to 4";
    case kErrNegativeWeight:
      return "no weight (a weight of 0 or below is not taken while units are checked)";
    case kErrNo20Here:
      return "the stack rules take no 20' unit here";
    case kErrNo40Here:
      return "the stack rules take no 40' unit here, or it has no 40' partner cell";
    case kErrNoHighCube:
      return "the stack rules take no further high cube here";
    default:
      return "the cell or its 40' partner is not free";
  }
}

}  // namespace

EditScript::EditScript(PlanContext& ctx) : plan_(ctx.plan), editor_(ctx) {}

// Runs one line; false with reason when it was refused.
bool EditScript::Run(const std::string& line, std::string& said, std::string& reason) {
  const std::vector<std::string> w = Words(line);
  const std::string command = w.empty() ? "" : w[0];
  const size_t before = editor_.History.Depth();
  const bool undoable = command != "undo" && command != "redo" && command != "template";
  bool ok = false;
  if (command == "load")
    ok = Load(w, said, reason);
  else if (command == "load-from-quay")
    ok = LoadFromQuay(w, said, reason);
  else if (command == "discharge")
    ok = Discharge(w, said, reason);
  else if (command == "restow")
    ok = Restow(w, said, reason);
  else if (command == "fill")
    ok = Fill(w, said, reason);
  else if (command == "template")
    ok = Template(w, said, reason);
  else if (command == "dump")
    ok = Dump(w, said, reason);
  else if (command == "change")
    ok = Change(w, said, reason);
  else if (command == "note")
    ok = Note(line, w, said, reason);
  else if (command == "undo")
    ok = UndoLine(said, reason);
  else if (command == "redo")
    ok = RedoLine(said, reason);
  else
    reason = "unknown command \"" + command + "\"";
  if (undoable) {
    // A line may take several steps (a restow picks and drops): undo takes
    // back whole lines.
    const size_t steps = editor_.History.Size() - before;
    if (steps > 0) {
      done_.push_back(steps);
      undone_.clear();
    }
  }
  return ok;
}

int EditScript::UnitsOnBoard() const {
  int n = 0;
  for (int i = 0; i < plan_.CellCount; ++i) {
    const StructDat& u = plan_.Cur()[static_cast<size_t>(i)];
    if (u.STATUS > 0 && u.FL3 < 1) ++n;
  }
  return n;
}

int EditScript::CellOf(const std::string& name, std::string& reason) const {
  const int cell = FindCellByPosition(plan_, name);
  if (cell < 0 || cell >= plan_.CellCount) reason = "\"" + name + "\" names no cell of the vessel";
  return cell < plan_.CellCount ? cell : -1;
}

bool EditScript::KnownPort(const std::string& code, std::string& reason) const {
  if (FindPort(plan_, code) >= 0) return true;
  reason = "unknown port \"" + code + "\"";
  return false;
}

// field=value pairs onto a record.
bool EditScript::Fields(const std::vector<std::string>& w, size_t from, StructDat& unit,
                        std::string& reason) const {
  for (size_t i = from; i < w.size(); ++i) {
    const size_t eq = w[i].find('=');
    if (eq == std::string::npos) {
      reason = "\"" + w[i] + "\" is not field=value";
      return false;
    }
    const std::string key = w[i].substr(0, eq);
    const std::string value = Upper(w[i].substr(eq + 1));
    const std::map<std::string, std::string*> texts = {
        {"number", &unit.CONTAINER}, {"pol", &unit.POL},           {"pod", &unit.POD},
        {"prs", &unit.PRS},          {"frm", &unit.FRM},           {"size", &unit.SIZ},
        {"type", &unit.TYP},         {"iso", &unit.ISO},           {"imo", &unit.IMO[0]},
        {"un", &unit.UN[0]},         {"operator", &unit.OPERATOR}, {"booking", &unit.BOOKING}};
    const std::map<std::string, int*> ints = {{"temp", &unit.TEMP}, {"temp2", &unit.TEMP_2}, {"oh", &unit.OH},
                                              {"owp", &unit.OWP},   {"ows", &unit.OWS},      {"ol", &unit.OL},
                                              {"mty", &unit.MTY}};
    if (auto t = texts.find(key); t != texts.end()) {
      if ((key == "pol" || key == "pod") && !KnownPort(value, reason)) return false;
      *t->second = key == "number" ? NormaliseNumber(value) : value;
    } else if (auto n = ints.find(key); n != ints.end()) {
      if (!IsNumber(value)) {
        reason = key + " \"" + value + "\" is not a number";
        return false;
      }
      *n->second = ParseInt(value);
    } else if (key == "tonnes") {
      if (!IsNumber(value)) {
        reason = "weight \"" + value + "\" is not a number";
        return false;
      }
      unit.WEIGHT = ParseReal(value);
    } else {
      reason = "unknown field \"" + key + "\"";
      return false;
    }
  }
  return true;
}

bool EditScript::Load(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  if (w.size() < 8) {
    reason = "load needs CELL NUMBER POL POD SIZE TYPE TONNES";
    return false;
  }
  const int cell = CellOf(w[1], reason);
  if (cell < 0) return false;
  StructDat unit;
  unit.CONTAINER = NormaliseNumber(w[2]);
  unit.POL = Upper(w[3]);
  unit.POD = Upper(w[4]);
  unit.SIZ = w[5];
  unit.TYP = Upper(w[6]);
  if (!KnownPort(unit.POL, reason) || !KnownPort(unit.POD, reason)) return false;
  if (!IsNumber(w[7])) {
    reason = "weight \"" + w[7] + "\" is not a number";
    return false;
  }
  unit.WEIGHT = ParseReal(w[7]);
  if (!Fields(w, 8, unit, reason)) return false;
  unit.STATUS = 1;
  if (!IsFreeRecord(plan_.Cur()[static_cast<size_t>(cell)])) {
    reason = "cell " + w[1] + " is not free";
    return false;
  }
  const StructDat panel = editor_.State.PanelRecord;
  editor_.State.PanelRecord = unit;
  const bool ok = Press(cell, kOpLoad);
  editor_.State.PanelRecord = panel;
  if (!ok) {
    reason = PlacementReason(plan_.PlacementError);
    return false;
  }
  said = "loaded " + unit.CONTAINER + " into " + w[1];
  return true;
}

// A Load press in quay mode: the unit comes from the loading list.
bool EditScript::LoadFromQuay(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  if (w.size() < 2 || w.size() > 3) {
    reason = "load-from-quay needs CELL and may name the unit's NUMBER";
    return false;
  }
  const LoadingListLink& list = editor_.LoadingList;
  if (!list.Choose || !list.Take) {
    reason = "no loading list to take units from";
    return false;
  }
  const int cell = CellOf(w[1], reason);
  if (cell < 0) return false;
  if (!IsFreeRecord(plan_.Cur()[static_cast<size_t>(cell)])) {
    reason = "cell " + w[1] + " is not free";
    return false;
  }
  const std::string number = w.size() == 3 ? NormaliseNumber(Upper(w[2])) : "";
  const int entry = list.Choose(number);
  if (entry < 0) {
    reason = number.empty() ? "the quay holds no unit" : "no unit " + number + " on the quay";
    return false;
  }
  const std::string container =
      plan_.Dat[static_cast<size_t>(plan_.QuayPlane)][static_cast<size_t>(entry)].CONTAINER;
  const std::uint8_t quayMode = plan_.RemoveToQuay;
  plan_.RemoveToQuay = 1;
  const bool ok = Press(cell, kOpLoad);
  plan_.RemoveToQuay = quayMode;
  if (!ok) {
    reason = PlacementReason(plan_.PlacementError) + "; the unit stays on the quay";
    return false;
  }
  said = "loaded " + (container.empty() ? std::string("a unit without number") : container) +
         " from the quay into " + w[1];
  return true;
}

bool EditScript::Discharge(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  if (w.size() != 2) {
    reason = "discharge needs CELL";
    return false;
  }
  const int cell = CellOf(w[1], reason);
  if (cell < 0) return false;
  const StructDat unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (unit.STATUS <= 0) {
    reason = "no unit stands in " + w[1] + (unit.STATUS < 0 ? " (it is the second cell of a 40' unit)" : "");
    return false;
  }
  if (!Press(cell, kOpDisch)) {
    reason = "the unit in " + w[1] + " cannot be removed (a bundle base, or not selected)";
    return false;
  }
  said = "discharged " + unit.CONTAINER + " from " + w[1] + (plan_.RemoveToQuay ? " to the quay" : "");
  return true;
}

bool EditScript::Restow(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  if (w.size() != 3) {
    reason = "restow needs FROM TO";
    return false;
  }
  const int from = CellOf(w[1], reason);
  const int to = from < 0 ? -1 : CellOf(w[2], reason);
  if (from < 0 || to < 0) return false;
  const std::string container = plan_.Cur()[static_cast<size_t>(from)].CONTAINER;
  if (plan_.Cur()[static_cast<size_t>(from)].STATUS <= 0) {
    reason = "no unit stands in " + w[1];
    return false;
  }
  if (!IsFreeRecord(plan_.Cur()[static_cast<size_t>(to)])) {
    reason = "cell " + w[2] + " is not free";
    return false;
  }
  if (!Press(from, kOpRestow)) {
    reason = "the unit in " + w[1] + " cannot be picked up";
    return false;
  }
  if (!Press(to, kOpRestow)) {
    reason = PlacementReason(plan_.PlacementError) + "; the unit stays in " + w[1];
    editor_.ClearMoveQueue();
    return false;
  }
  said = "restowed " + container + " from " + w[1] + " to " + w[2];
  return true;
}

bool EditScript::Template(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  StructDat unit = editor_.State.PanelRecord;
  if (!Fields(w, 1, unit, reason)) return false;
  unit.STATUS = 1;
  editor_.State.PanelRecord = unit;
  said = "template " + unit.CONTAINER + " " + unit.POL + " " + unit.POD + " " + unit.SIZ + " " + unit.TYP +
         " " + FormatFixed(unit.WEIGHT, 1);
  return true;
}

bool EditScript::Fill(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  const std::map<std::string, int> kinds = {{"tier", kFillTier}, {"row", kFillRow}, {"bay", kFillBay}};
  if (w.size() != 3 || !kinds.count(w[1])) {
    reason = "fill needs tier, row or bay and a CELL";
    return false;
  }
  const int cell = CellOf(w[2], reason);
  if (cell < 0) return false;
  const StructDat& t = editor_.State.PanelRecord;
  if (t.POL.empty() || t.POD.empty() || t.SIZ.empty()) {
    reason = "no template: set one with \"template pol=.. pod=.. size=.. type=.. tonnes=..\"";
    return false;
  }
  plan_.EditorOperation = kOpLoad;
  const int placed = editor_.FillCells(cell, false, kinds.at(w[1]));
  said = "filled " + std::to_string(placed) + " cells of the " + w[1] + " of " + w[2];
  if (placed == 0) {
    reason = "no free cell of the " + w[1] + " of " + w[2] + " takes the template";
    return false;
  }
  return true;
}

bool EditScript::Dump(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  const std::map<std::string, int> kinds = {{"discharging", kDumpDischarging},
                                            {"pod", kDumpDischarging},
                                            {"loaded", kDumpLoaded},
                                            {"pol", kDumpLoaded},
                                            {"operator", kDumpOperator},
                                            {"route", kDumpRoute},
                                            {"bay", kDumpBay},
                                            {"all", kDumpAll}};
  const auto kind = w.size() >= 2 ? kinds.find(w[1]) : kinds.end();
  if (kind == kinds.end() || (kind->second == kDumpAll) != (w.size() == 2) || w.size() > 3) {
    reason = "dump needs discharging X, loaded X, pol X, pod X, route POLPOD, operator X, bay B or all";
    return false;
  }
  const std::string value = w.size() == 3 ? Upper(w[2]) : "";
  if ((kind->second == kDumpLoaded || kind->second == kDumpDischarging) && !KnownPort(value, reason))
    return false;
  int removed = 0;
  plan_.EditorOperation = kOpDisch;
  if (kind->second == kDumpBay) {
    // A bay number empties both sides of its hatch; a cell name only its own.
    std::vector<int> sides;
    if (value.size() == static_cast<size_t>(plan_.BayLen + plan_.RowLen + plan_.TierLen)) {
      const int cell = CellOf(value, reason);
      if (cell < 0) return false;
      sides.push_back(cell);
    } else {
      const int bay = IsNumber(value) ? FindBayByNumber(plan_, ParseInt(value)) : -1;
      if (bay < 0) {
        reason = "\"" + value + "\" names no bay of the vessel";
        return false;
      }
      const StructBay& b = plan_.Bays[static_cast<size_t>(bay)];
      bool deck = false, hold = false;
      for (int c = b.FIRSTCELL; c <= b.LASTCELL; ++c) {
        bool& seen = IsDeckTier(TierOf(plan_, c)) ? deck : hold;
        if (!seen) sides.push_back(c);
        seen = true;
      }
    }
    for (int cell : sides) removed += editor_.DumpUnits(cell, "", kDumpBay);
  } else {
    removed = editor_.DumpUnits(-1, value, kind->second);
  }
  plan_.EditorOperation = kOpLoad;
  said = "dumped " + std::to_string(removed) + " units";
  return true;
}

bool EditScript::Change(const std::vector<std::string>& w, std::string& said, std::string& reason) {
  const std::map<std::string, int> kinds = {
      {"pol", kChangePol}, {"pod", kChangePod}, {"operator", kChangeOperator}, {"type", kChangeType}};
  if (w.size() != 4 || !kinds.count(w[1])) {
    reason = "change needs pol, pod, operator or type, the old and the new value";
    return false;
  }
  const int kind = kinds.at(w[1]);
  const std::string oldValue = Upper(w[2]), newValue = Upper(w[3]);
  if (static_cast<int>(newValue.size()) > EditorCommands::ChangeValueLength(kind)) {
    reason = "\"" + newValue + "\" is longer than " +
             std::to_string(EditorCommands::ChangeValueLength(kind)) + " characters";
    return false;
  }
  if ((kind == kChangePol || kind == kChangePod) && !KnownPort(newValue, reason)) return false;
  const int changed = editor_.ChangeAttribute(oldValue, newValue, kind);
  said = "changed " + std::to_string(changed) + " units";
  return true;
}

bool EditScript::Note(const std::string& line, const std::vector<std::string>& w, std::string& said,
                      std::string& reason) {
  if (w.size() < 2) {
    reason = "note needs CELL TEXT";
    return false;
  }
  const int cell = CellOf(w[1], reason);
  if (cell < 0) return false;
  // The text is the rest of the line as written.
  const size_t at = line.find(w[1]) + w[1].size();
  std::string text = line.substr(at);
  text.erase(0, text.find_first_not_of(" \t"));
  StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (!editor_.SetNotes(cell, {text, unit.NOTE_CLR, unit.NOTE_AAA, unit.NOTE_ZZZ})) {
    reason = "no unit stands in " + w[1];
    return false;
  }
  said = "noted on " + unit.CONTAINER;
  return true;
}

bool EditScript::UndoLine(std::string& said, std::string& reason) {
  if (done_.empty()) {
    reason = "nothing to undo";
    return false;
  }
  for (size_t i = 0; i < done_.back(); ++i) editor_.Undo();
  undone_.push_back(done_.back());
  done_.pop_back();
  said = "undone";
  return true;
}

bool EditScript::RedoLine(std::string& said, std::string& reason) {
  if (undone_.empty()) {
    reason = "nothing to redo";
    return false;
  }
  for (size_t i = 0; i < undone_.back(); ++i) editor_.Redo();
  done_.push_back(undone_.back());
  undone_.pop_back();
  said = "redone";
  return true;
}

bool EditScript::Press(int cell, int operation) {
  plan_.EditorOperation = operation;
  editor_.State.ClearPressGuards();
  const bool ok = editor_.CellClick(cell, false);
  plan_.EditorOperation = kOpLoad;
  return ok;
}
