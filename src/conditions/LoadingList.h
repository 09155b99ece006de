#pragma once

// The loading list: the units on the quay seen by route (POL + POD) and
// category group, as the editor's quay strip and the "Loading List" window
// show them, and what a Load press in the editor takes from it.
//
// This is the core of both windows; they only map events onto it:
//   quay strip   CBportsQ      Routes / ChosenRoute, ChooseRoute()
//                L0..L16       GroupCount(), Count20(), Count40(), ChooseGroup()
//                SBhicu        CycleHighCube()
//                PMquay        Reload(), RemoveOne(), RemoveGroup(), RemoveRoute(), EmptyQuay()
//   list window  LB1           Lines (text, record, selected), Title
//                FormShow      Show() (options 81 and 82), FillLoadingList()
//                FormClose     Close()
//                SBins         LoadMode, then ApplyQuayGroup()
//                SBselAll      SelectAll();  PAtit: DeselectAll()
//                CBwgh         SetSortByTons()
//                CBex, CBfilt  ExactMerge, FilterOnBoard
//                Remove ...    RemoveSelected(), RemoveAll()
//   the editor   Connect(editor) fills its LoadingListLink hooks: a Load
//                press in quay mode takes the chosen group's next unit
//                (TakeFromLoadingList), places it and takes it off the quay
//                (DropFromLoadingList); in Update mode it may replace a
//                placeholder (CanMergeIntoPlaceholder).
// A list whose quay changed behind its back (an undo, an import) is brought
// up to date by ApplyQuayGroup() or RefreshQuayRoutes().

#include <functional>
#include <string>
#include <vector>

class EditorCommands;
class PlanContext;
struct PlanData;
struct StructDat;

// List layouts: the REP column positions the list lines are built from.
inline constexpr int kListNormal = 14;
inline constexpr int kListReefers = 15;
inline constexpr int kListAwkward = 16;  // over-dimension and break bulk
inline constexpr int kListHazardous = 17;
inline constexpr int kListByWeight = 18;  // heaviest first

// Categories of the route matrix (RouteCategory): 0..3 20' full by weight
// class, 4 empty, 5 reefer, 6 awkward, 7 hazardous; 8..15 the same for 40';
// 16 break bulk.
inline constexpr int kQuayGroups = 17;
// "20' full 1", "40' reefer", "break bulk", ...
std::string QuayGroupName(int category);

// Whether the list unit may replace the placeholder (a unit on board
// without container number) in Update mode: same POL, POD and size, both or
// neither break bulk; with exact also the same first IMO class and empty
// flag, both or neither over-dimensioned and, for a full placeholder, both
// or neither reefers.
bool MergesInto(const PlanData& plan, const StructDat& placeholder, const StructDat& unit, bool exact);

class LoadingList {
 public:
  explicit LoadingList(PlanContext& ctx);

  // --- The quay strip.
  struct RouteChoice {
    std::string text;  // "POL POD"
    int route = -1;    // index in RouteKeys
  };
  std::vector<RouteChoice> Routes;  // the route choice, in RouteKeys order
  int ChosenRoute = -1;             // index in Routes
  int QuayRoute = -1;               // index in RouteKeys, -1 none
  int QuayGroup = 0;                // the chosen category
  int HighCube = 0;                 // 0 all, 1 "HC" only high cubes, 2 "noHC" none
  // Only routes loaded at the current port are offered (the editor's
  // protection of other ports; Connect ties it to the editor).
  std::function<bool()> ProtectOtherPorts;

  // --- The "Loading List" window.
  bool Visible = false;
  bool LoadMode = true;        // false: Update mode, units merge into placeholders
  bool ExactMerge = false;     // "Exact merge"
  bool FilterOnBoard = false;  // the high-cube filter applies to the units on board too
  bool SortByTons = false;
  int Layout = kListNormal;
  bool Dirty = false;  // the list must be rebuilt at the next click in it
  struct Line {
    std::string text;
    int record = -1;  // quay record
    bool selected = false;
  };
  std::vector<Line> Lines;
  std::string Title;  // the column titles; its length is the line length

  // Rebuilds the route choice from the route counts and chooses its first
  // route and group 0 (no route when the quay is empty).
  void RefreshQuayRoutes();
  // A route of the choice chosen (CBportsQ).
  void ChooseRoute(int choice);
  // After a unit went to the quay: its route and group become the chosen
  // ones, the route added to the choice when missing.
  void SelectQuayRoute(const std::string& pol, const std::string& pod, int category);
  // A group label clicked: the group and its list layout chosen and the
  // list rebuilt. The window then shows the group's first unit in the panel
  // with TakeFromLoadingList (the editor refuses the click while it holds
  // picked units, which the hand holds then).
  void ChooseGroup(int category);
  // Units of the chosen route in the category; 0 with no route chosen.
  int GroupCount(int category) const;
  int Count20() const;  // categories 0..7
  int Count40() const;  // 8..16
  // Cycles the high-cube filter all -> "HC" -> "noHC" -> all.
  void CycleHighCube();

  // Marks the quay units of the chosen route and group (and high-cube
  // filter) as selected and rebuilds the list; in Update mode with the list
  // shown the units on board that may take them are the selected ones.
  void ApplyQuayGroup();
  // The list lines: the selected live quay units, sorted by their text
  // (heaviest first in layout kListByWeight); no line selected.
  void FillLoadingList();
  void SelectAll();
  void DeselectAll();
  void SetSortByTons(bool on);

  // The first selected unit copied into the unit in hand; its quay record,
  // or -1 (the hand then holds an empty record). -1 when quay mode is off.
  // With the window hidden the list's first unit is taken.
  int TakeFromLoadingList();
  // The quay unit index was placed on board (or removed): it leaves the
  // quay and the list.
  void DropFromLoadingList(int index);
  // Update mode: may the unit TakeFromLoadingList gives replace the
  // placeholder in cell?
  bool CanMergeIntoPlaceholder(int cell);
  // Makes the live quay unit with this container number the next one taken
  // (its route and group chosen, its line the selected one); an empty
  // number keeps the chosen group, or chooses the first group holding units
  // when it has none. The quay record, -1 when there is none.
  int Choose(const std::string& number);

  // "to Quay": count copies of unit put on the quay, the first with the
  // container number, the others without (one box has one number); the
  // unit's route and group chosen then. An empty type becomes "DV", an
  // empty size "20". Nothing is put for a unit under 2 tonnes, a POL or POD
  // shorter than 3 characters, a count below 1, or a count above 999, which
  // the caller shows as 999 instead. Returns the units put (fewer when the
  // quay filled up).
  static constexpr int kMostToQuay = 999;
  int PutToQuay(StructDat& unit, int count);

  // Every unit off the quay: the quay is empty and nothing is chosen.
  void EmptyQuay();
  // Removal commands of the list and the quay strip; each returns the
  // number of units taken off the quay.
  int RemoveSelected();
  int RemoveAll();
  int RemoveOne();
  int RemoveGroup();
  int RemoveRoute();

  // "Reload": the list's units go back into the cells their positions name
  // (where they were discharged from), each through the editor's press,
  // until a press fails or the list is done. Returns the units placed.
  int Reload(EditorCommands& editor);

  // Update mode in bulk: every placeholder on board takes the first quay
  // unit that may replace it, through the editor's own Load press. Returns
  // the quay records merged.
  std::vector<int> MergeIntoPlaceholders(EditorCommands& editor);

  // The window shown: sort by tons (option 81) and Load or Update mode
  // (option 82) as the person set them, the list built.
  void Show();
  // The window closed: back in Load mode, the units on board selected again.
  void Close();

  // Fills the editor's hooks with this list; the hooks refer to it, so the
  // list lives as long as the editor may press.
  void Connect(EditorCommands& editor);

 private:
  bool QuayMode() const;
  int SelectedLine() const;
  int NextLine();
  int LineOf(int record) const;
  bool Live(int record) const;
  int ChooseRecord(int record);
  void SelectUnitsOnBoard();
  void MarkUnitsOnBoard();
  std::string LineText(const StructDat& unit, int record) const;
  void TakeOffQuay(int index);

  PlanContext& ctx_;
  PlanData& plan_;
};
