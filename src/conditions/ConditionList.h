#pragma once

// The saved conditions of the open vessel as the main window lists them,
// newest first, and every command on that list: open, save (the logic of
// the save dialog), revert, delete, re-date, move to and from the archive,
// the neighbour of a condition, the port rotation after the open one and
// the voyage data set. The window is a view over this class: it draws
// Items (DisplayText), keeps Selected in step with its cursor and connects
// the Views hooks to its repaints.
//
// A list item is characters 4-10 of its schedule line (the date without
// the first three digits of the year), a blank and characters 18-26 (the
// first nine characters of the name): so characters 9-17 of an item are its
// name field, 9 the type letter, 10-12 the port code and 13-17 the voyage.
// The item of the open condition carries "<" after its 17th character.

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ConditionFile;
class PlanContext;
class SaveSet;
struct PlanData;

inline constexpr int kMaxPortRotation = 19;

// What the windows do when the list has changed the plan. A hook left empty
// is skipped.
struct ConditionListViews {
  // A condition was read into the working data set: the cranes window
  // closes, the main window's views are refreshed, the open editor, tanks
  // and stresses windows redraw.
  std::function<void()> ConditionOpened;
  // The open condition changed: the editor refreshes its condition
  // navigation.
  std::function<void()> NavigationChanged;
  // The working condition was saved under VesHdr's name: views refresh, the
  // editor's port button shows the port, the windows redraw.
  std::function<void()> ConditionSaved;
  // The working condition was read again from its file: the editor,
  // containers list, tanks and stresses windows redraw.
  std::function<void()> ConditionReverted;
};

// The fields of the save dialog.
struct SaveConditionFields {
  std::string port;     // port combo box text
  std::string voyage;   // voyage edit
  std::string type;     // "A", "B", "P" or "D"; empty while none is chosen
};

// What pressing "Save" in the save dialog came to.
struct SaveConditionOutcome {
  bool closed = false;      // the dialog closes: the condition was written
  bool newFile = false;     // no file of that name existed: ask for its date next
  std::string messageLine;  // shown in the dialog's message line when it stays
};

class ConditionList {
 public:
  ConditionList(PlanContext& ctx, ConditionFile& file);

  // The items, newest first, the open one marked with "<".
  std::vector<std::string> Items;
  // The list's cursor, -1 for none. The window writes it on a click.
  int Selected = -1;
  // The item of the open condition, -1 for none.
  int OpenConditionIndex = -1;
  // The ports called after the open condition, five-letter codes in calling
  // order, at most kMaxPortRotation; the EDIFACT export reads it.
  std::vector<std::string> PortRotation;
  // The main window's status panel text: the caption of the questions.
  std::string StatusPanelText;
  ConditionListViews Views;

  // The folder of the working conditions and the vessel's archive folder
  // (empty when the settings name no archive for this vessel).
  std::filesystem::path WorkingDirectory() const;
  std::filesystem::path ArchiveDirectory() const;
  // The folder the list shows: the archive in archive mode.
  std::filesystem::path ShownDirectory() const;

  // Updates sch.dat of the working or the archive folder. A schedule that
  // cannot be read or written is reported; false then.
  bool RebuildSchedule(bool archive);
  // Fills Items from the shown folder's sch.dat (archived lines in archive
  // mode, working ones otherwise), marks and selects the open condition's
  // item and recomputes PortRotation.
  void FillConditionList();
  void ComputePortRotation();

  // The drawn text of an item: the open one with "*" after its date and
  // without the "<".
  std::string DisplayText(int index) const;
  // Characters 9-17 of an item (blank-padded), "" for no such item.
  std::string NameField(int index) const;
  // The selected item's file (withDir, "" when none is selected) or its
  // 9-character name field.
  std::string SelectedConditionPath(bool withDir) const;

  // The list's double click: reads the selected condition into the working
  // data set (into the voyage data set while it is being built). The
  // modified working condition is first settled by AskSaveModified; when
  // that is cancelled nothing changes. False when nothing was read.
  bool OpenSelectedCondition();
  // Settles a modified working condition that is about to be replaced
  // (leaving: the vessel or the program is closed). False when the person
  // cancels or the condition could not be saved: the caller then stops, so
  // the work is never dropped unsaved.
  bool AskSaveModified(bool leaving);

  // The save dialog's starting fields and its port list: the distinct
  // ports of loading and discharge of the working data set, upper case,
  // sorted.
  SaveConditionFields SaveDialogFields() const;
  std::vector<std::string> SaveDialogPorts() const;
  // What the save dialog's "Save" button does with its fields. alongside,
  // when given, adds the files saved with the condition (the quay and the
  // ports an import filled) to the same set: they are all replaced or none
  // is, even when the program dies in between; false from it saves nothing.
  SaveConditionOutcome SaveCondition(const SaveConditionFields& fields,
                                     const std::function<bool(SaveSet&)>& alongside = {});

  // Writes the working condition to its own file without asking (before
  // an export). False when it has no name or could not be written.
  bool SaveOpenCondition();
  // "Restore Condition": the modified working condition read again from its
  // file. False when it is not modified or has no file.
  bool RevertCondition();
  // "Remove Condition" (not in archive mode): asks, then deletes the
  // selected file. True when it was deleted.
  bool DeleteSelectedCondition();
  // "Move to Archive" / in archive mode "Restore Condition": the selected
  // file moves to the other folder and keeps its date.
  bool MoveSelectedCondition();
  // The date and time of the selected condition as scheduled, to preset the
  // date dialog; false when it has no schedule line.
  bool SelectedConditionDate(std::tm& when) const;
  // "Change date": the selected condition's schedule line gets the date and
  // time of when (seconds ignored). False for no selection, no line or a
  // date that is not one.
  bool ChangeConditionDate(const std::tm& when);
  // "Open Archive" / "Close Archive".
  void ToggleArchive();
  // The texts of the list's pop-up menu in the current mode.
  std::string ArchiveMenuText() const;
  std::string MoveMenuText() const;
  bool RemoveAllowed() const;

  // The condition after (next: older) or before (newer) the selected one;
  // going older, the prestowage of the selected condition's port is passed
  // over unless it is the last item. With open that condition is selected
  // and opened. Its path, or "" when there is none.
  std::string NeighbourCondition(bool next, bool open);
  // The same from the open condition (the selected one when none is open):
  // a cursor moved to another item without opening it does not change what
  // "before" and "after" mean. Without open the cursor stays where it was.
  std::string NeighbourOfOpenCondition(bool next, bool open);

  // Fills the voyage data set with the units loaded at each departure port
  // of voyage, from the departure conditions of the list in calling order;
  // PolList[0..PolCount] then holds those ports. Nothing is done while the
  // set is already built (VoyUnitCount 1 or more).
  void BuildVoyageDataSet(std::string_view voyage);

  // Reads the condition before the open one (the selected one when none is
  // open) into data set plane; the reference data set is emptied first.
  // False when there is no such condition or it cannot be read.
  bool LoadReferenceCondition(int plane);

 private:
  std::string ConditionName() const;  // VesHdr type + port + voyage
  bool HasConditionName() const;
  bool SaveWorkingCondition(const std::string& fileName);
  std::filesystem::path ConditionPath(const std::filesystem::path& dir, std::string_view nameField) const;
  void Report(const std::string& error) const;

  PlanContext& ctx_;
  PlanData& plan_;
  ConditionFile& file_;
};
