#pragma once

// What the bay plan editor does to the plan: a press on a cell with the
// operations Load, Disch and Restow, picking units up and dropping them,
// editing a unit in place, carrying single attributes over to units, marking
// lost slots, filling a tier, row or bay, dumping and changing groups of
// units, and the unit's details (additional dangerous goods, bundle, notes).
// Every command is one undoable step. The window maps presses, keys and menu
// items onto these; the command-line editor runs them from a script.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "planning/UndoHistory.h"

class PlanContext;

// Editor operations (EditorOperation of the plan).
inline constexpr int kOpLoad = 1;
inline constexpr int kOpDisch = 2;
inline constexpr int kOpRestow = 3;

// The attributes a click on their label marks for transfer.
enum AttributeMark {
  kMarkPol,
  kMarkPod,
  kMarkPrs,
  kMarkFrm,
  kMarkSize,
  kMarkType,
  kMarkTons,
  kMarkMty,
  kMarkOper
};
inline constexpr int kAttributeMarks = 9;

// Fill kinds.
inline constexpr int kFillBay = 1;
inline constexpr int kFillTier = 2;
inline constexpr int kFillRow = 3;

// Dump kinds; the others are the kinds of ChangeUnitAttribute.
inline constexpr int kDumpLoaded = 1;       // every unit of a port of loading
inline constexpr int kDumpDischarging = 2;  // every unit of a port of discharge
inline constexpr int kDumpBay = 3;          // the bay of a cell, on its side of the hatch
inline constexpr int kDumpRoute = 4;        // POL + POD
inline constexpr int kDumpOperator = 5;
inline constexpr int kDumpAll = 9;

// The editor's state between presses.
struct EditorState {
  StructDat PanelRecord;       // the unit composed in the panel: what Load places
  StructDat SavedPanelRecord;  // PanelRecord while a unit is being edited
  StructDat LastRemoved;       // the unit last removed; restores a refused placement
  StructDat TeuLostMarker;     // what each press places while lost slots are marked
  int EditCell = -1;           // the cell whose unit is being edited
  bool EditMode = false;
  bool TeuLostMode = false;
  bool MenuBusy = false;
  bool SwallowNextPress = false;
  // One press-and-drag gesture does one kind of work.
  bool PickedThisPress = false;
  bool DroppedThisPress = false;
  bool LoadedThisPress = false;
  bool ForceRemove = false;
  bool ProtectOtherPorts = false;
  int MoveQueueTop = -1;  // -1 no unit held; else index of the last picked unit
  int QuayItemInUse = -1;
  std::array<bool, kAttributeMarks> AttributeMarks{};

  int HeldUnits() const { return MoveQueueTop + 1; }
  void ClearPressGuards() { PickedThisPress = DroppedThisPress = LoadedThisPress = false; }
};

// The loading list: where Load takes its units from in quay mode. The
// loading list of the core fills these (LoadingList::Connect); an empty hook
// means there is no loading list.
struct LoadingListLink {
  std::function<bool()> Visible;
  std::function<bool()> UpdateMode;
  std::function<bool()> ExactMerge;
  std::function<int()> Take;               // the next unit into the hand; its entry, -1 none
  std::function<void(int entry)> Drop;     // the entry was placed
  std::function<bool(int cell)> CanMerge;  // the selected unit may replace the placeholder in cell
  std::function<void(const std::string& pol, const std::string& pod, int category)> SelectRoute;
  std::function<void()> RefreshGroups;
  // Makes the unit with this container number the one the next Load takes
  // (empty: the chosen group's next unit, or the first group holding
  // units); its entry, -1 when the quay holds no such unit.
  std::function<int(const std::string& number)> Choose;
};

class EditorCommands {
 public:
  explicit EditorCommands(PlanContext& ctx);

  EditorState State;
  UndoHistory History;
  LoadingListLink LoadingList;

  // The immediate segregation check of a hazardous unit just placed: false
  // when it found something (the window shows the check then).
  std::function<bool(int cell)> SegregationCheck;
  // The cells whose drawing changed.
  std::function<void(int cell)> CellChanged;

  // A press on cell (secondary: the right button). True when the plan
  // changed.
  bool CellClick(int cell, bool secondary);
  bool EditorPlace(int cell, bool restoring);
  bool EditorRemove(int cell);

  // Takes the unit of cell into the panel for editing; the next press puts
  // it back. False when the cell holds no unit of its own.
  bool StartEdit(int cell);
  void EndEditMode();
  void ClearAttributeMarks() { State.AttributeMarks.fill(false); }
  void ToggleMark(int mark);

  // Operation switch: Load, Disch, Restow (Restow skipped in configuration
  // mode). Ignored while editing or marking lost slots.
  void SwitchOperation();
  // Key L over cell: starts or ends the marking of lost slots.
  bool ToggleTeuLost(int cell);
  // "Clear" of the move queue: the held units go back to the cells they
  // were picked from, or to the quay where that cell was taken since.
  int ClearMoveQueue();

  // Fills the free cells of the bay of cell on its side of the hatch (the
  // same tier or row for those kinds) with the panel's unit, without its
  // container number, which one box cannot have in many cells; with remove,
  // empties them. Returns the number of cells changed.
  int FillCells(int cell, bool remove, int kind);
  // The question a dump asks, and its value, for the unit in cell.
  std::string DumpQuestion(int cell, int kind) const;
  std::string DumpValue(int cell, int kind) const;
  // Removes every unit matching value (kDumpBay: the bay of cell).
  // Returns the number of units removed.
  int DumpUnits(int cell, const std::string& value, int kind);
  // Every unit whose attribute (kChangePol, kChangePod, kChangeOperator,
  // kChangeType) is oldValue takes newValue. Returns the number changed.
  int ChangeAttribute(const std::string& oldValue, const std::string& newValue, int kind);
  static int ChangeValueLength(int kind);
  static std::string ChangeCaption(int kind);

  // The unit's details; each false when cell holds no unit of its own.
  bool SetNotes(int cell, const std::array<std::string, 4>& notes);
  bool SetAdditionalImo(int cell, const std::vector<std::pair<std::string, std::string>>& classAndUn);
  bool SetBundle(int cell, const std::vector<std::string>& numbers);

  // Undo and redo of whole commands; false when there is nothing to do.
  bool Undo();
  bool Redo();

  // The unit in hand and the queue after it.
  StructDat& UnitInHand();
  StructDat& Held(int index);

 private:
  class Step;
  bool OwnUnit(int cell) const;
  bool ValidCell(int cell) const;
  bool QuayMode() const;
  bool ListInUpdateMode() const;
  void AfterDetailEdit(int cell);
  void Changed(int cell);

  PlanContext& ctx_;
  PlanData& plan_;
  int stepDepth_ = 0;
};
