#pragma once

// The selection filter: which units of a data set take part in drawings,
// lists, totals and exports. Its result is the SELECTED mark of every unit
// record (1 passes, 0 filtered out).
//
// The filter keeps eight sorted lists of the distinct values of the shown data
// set; a highlighted item means "leave out units with this value". Beside them
// stand a few check boxes and a container-number field. The selection window
// binds to this state; nothing reaches the records until the filter is applied
// (the window closing), reset, or preset by a report.
//
// The lists go stale whenever a unit is placed or removed (PlanContext::
// SelectionStale, set by the cell operations and the condition reader); the
// next show or preset rebuilds them, which also resets every criterion. While
// they are stale every unit passes.

#include <array>
#include <string>
#include <string_view>
#include <vector>

class PlanContext;
struct PlanData;
struct StructDat;

// The eight lists, in the order the window shows them.
inline constexpr int kSelPol = 0;
inline constexpr int kSelPod = 1;
inline constexpr int kSelPrs = 2;
inline constexpr int kSelFrm = 3;
inline constexpr int kSelOperator = 4;
inline constexpr int kSelSize = 5;
inline constexpr int kSelType = 6;
inline constexpr int kSelIso = 7;
inline constexpr int kSelListCount = 8;

// Which list a port restriction of a preset narrows (the one-port button uses
// the same numbers: 1 for the loads, 2 for the discharges).
inline constexpr int kPortListPol = 1;
inline constexpr int kPortListPod = 2;

// The kind of ChangeUnitAttribute a list item's bulk change runs; 0 for the
// size list, which offers no change. -1 for no such list.
int SelectionListChangeKind(int list);
// The unit's value shown in list; empty for no such list.
const std::string& SelectionListValue(const StructDat& unit, int list);

struct SelectionItem {
  std::string text;
  bool highlighted = false;
};

// The check boxes, at their default state.
struct SelectionChecks {
  bool Full = true;
  bool Empty = true;
  bool OnlyAwkwards = false;
  bool OnlyDangerous = false;
  bool OnDeck = true;
  bool BelowDeck = true;
  bool Restows = false;

  bool operator==(const SelectionChecks&) const = default;
};

// What a report asks of PresetSelection. Every flag left false leaves that
// criterion as it is; an empty port or operator restricts nothing.
struct SelectionPreset {
  bool reefer = false;     // reefer types only, and only those with a set temperature
  bool dangerous = false;  // "Only Dangerous"
  bool awkward = false;    // "Only Awkwards"
  bool breakBulk = false;  // type BB only
  bool fullOnly = false;
  bool emptyOnly = false;
  bool restows = false;
  int portList = kPortListPol;  // kPortListPol narrows the POL list, anything else the POD list
  std::string port{};
  std::string oper{};  // operator
  bool reset = false;  // back to the default first
};

// The four special sections of the stowage instructions, preset in turn.
enum class SpecialSection { OverDimension, Dangerous, FullReefers, BreakBulk };

class Selection {
 public:
  explicit Selection(PlanContext& ctx);

  // Data set whose units the lists describe and whose SELECTED marks the
  // filter writes; starts as the working data set.
  int ShownPlane;
  // Data set a caller wants next: set before every reset, refill or preset.
  int RequestedPlane;
  // Some criterion differs from the default; computed when the filter is applied.
  bool FilterActive = false;
  // The window was closed with its OK button; cleared when it is shown.
  bool Accepted = false;

  // Plain state the window binds to. Set the check boxes through the Set...
  // functions below to get the pairing of a click.
  SelectionChecks Checks;
  std::string Number;  // part of a container number; upper case, at most 6 characters

  // The lists no longer describe the data set.
  bool ListsStale() const;
  void MarkListsStale();

  // The items of a list, sorted; an empty list for no such list.
  const std::vector<SelectionItem>& Items(int list) const;
  // The item texts of a list: the distinct values of the shown data set.
  std::vector<std::string> Values(int list) const;
  bool IsHighlighted(int list, int item) const;
  // A click on an item.
  void ToggleItem(int list, int item);
  void SetHighlighted(int list, int item, bool on);
  // A click on a list's header button: every item's highlight inverted.
  void InvertList(int list);

  // Check-box clicks: one of "Full"/"Empty" and one of "on deck"/"below
  // deck" always stays on; "Only Awkwards" and "Only Dangerous" exclude each other.
  void SetFull(bool on);
  void SetEmpty(bool on);
  void SetOnDeck(bool on);
  void SetBelowDeck(bool on);
  void SetOnlyAwkwards(bool on);
  void SetOnlyDangerous(bool on);
  void SetRestows(bool on);
  // Typing in "Number": kept upper case and cut to 6 characters.
  void SetNumber(std::string_view text);

  // What showing the window does before it appears: clears Accepted and
  // rebuilds the lists when they are stale or describe another data set.
  // Closing the window then runs ApplySelection.
  void PrepareShow(int plane);
  // The window caption; conditionTitle is the main window's condition title.
  std::string Caption(std::string_view conditionTitle) const;

  // Every criterion back to default and every record of the requested data
  // set selected.
  void ResetSelection();
  // Rebuilds the eight lists from the requested data set; resets the filter.
  void RefillSelectionLists();
  // Sets criteria without the window and applies them at once. Redrawing and
  // the load totals are left to the caller.
  void PresetSelection(const SelectionPreset& preset);
  // Writes the SELECTED marks of the shown data set from the criteria, and
  // asks for a redraw and a recount of the load totals.
  void ApplySelection();

  bool SelectionFilterActive() const;
  // Whether record of the shown data set passes the filter as last applied.
  bool UnitPassesSelection(int record) const;

  // True when list has exactly one item that is not highlighted; port is
  // then that item.
  bool SinglePortLeft(int list, std::string& port) const;

  // Presets other windows and reports use. Each sets RequestedPlane.
  // Restows only, from the default.
  void PresetRestowsOnly(int plane);
  // One port's loads (kPortListPol) or discharges, from the default.
  void PresetPort(int plane, int portList, std::string_view port);
  // The condition's own port: its discharges for an arrival condition, its
  // loads otherwise.
  void PresetConditionPort(int plane);
  // One special section of the stowage instructions, keeping what the
  // previous section set (the caller resets after the last one).
  void PresetSpecial(int plane, SpecialSection section, std::string_view port, int portList);

  // The first highlighted item of list, for its bulk change; false when none
  // is highlighted or the list offers no change.
  bool FirstHighlighted(int list, std::string& value) const;
  // The bulk change offered on a list: every unit of the working data set
  // whose value is the list's first highlighted item gets newValue, none going
  // to the quay; then the lists are rebuilt (which resets the filter). False
  // when nothing was run.
  bool ChangeFirstHighlighted(int list, const std::string& newValue);

  // Records the filter covers in plane: the voyage units of the voyage data
  // set, one per cell in the others; 0 for no such data set.
  int RecordCount(int plane) const;

 private:
  void ClearCriteria();
  void SelectAll();
  void WriteMarks(bool dropUnsetTemperatures);
  void AddValue(int list, const std::string& value);
  StructDat* Record(int plane, int record) const;
  bool ValidItem(int list, int item) const;

  PlanContext& ctx_;
  PlanData& plan_;
  std::array<std::vector<SelectionItem>, kSelListCount> lists_;
};
