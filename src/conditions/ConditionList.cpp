#include "conditions/ConditionList.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "conditions/ConditionFile.h"
#include "conditions/Schedule.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/SaveSet.h"
#include "core/TextHelpers.h"
#include "planning/LoadTotals.h"
#include "planning/PlanContext.h"
#include "planning/UnitRules.h"
#include "vessel/FileNames.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

constexpr int kItemLength = 17;      // date, blank, name field
constexpr int kNameFieldLength = 9;
constexpr char kOpenMark = '<';
constexpr std::string_view kTempFileName = "temp.TXT";
constexpr std::string_view kModifiedQuestion = "The current condition has been modified - Replace?";
constexpr int kMaxVoyageLength = 6;

std::string Upper(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

bool IsOn(const std::string& option) { return option == "1"; }

// Port codes and voyages become part of a file name: only letters, digits
// and a few joining marks, never a path separator or a dot.
bool IsNameText(std::string_view text, bool joiningMarks) {
  for (char ch : text) {
    if (std::isalnum(static_cast<unsigned char>(ch))) continue;
    if (joiningMarks && (ch == '-' || ch == '_')) continue;
    return false;
  }
  return true;
}

bool IsConditionType(std::string_view type) {
  return type == "A" || type == "B" || type == "P" || type == "D";
}

std::string ItemType(const std::string& item) { return Columns(item, 9, 9); }
std::string ItemPort(const std::string& item) { return Columns(item, 10, 12); }
std::string ItemVoyage(const std::string& item) { return Trim(Columns(item, 13, 17)); }

// Raises a flag of the plan context for the life of a scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ConditionList::ConditionList(PlanContext& ctx, ConditionFile& file) : ctx_(ctx), plan_(ctx.plan), file_(file) {}

fs::path ConditionList::WorkingDirectory() const { return ConditionDirectory(plan_); }

fs::path ConditionList::ArchiveDirectory() const {
  const std::string root = Trim(plan_.Settings[SettingsIx::ArchiveRoot]);
  const std::string folder = Trim(plan_.VesHdr[VesHdrIx::Dir]);
  // Without both parts the archive would be the root itself, shared by
  // every vessel.
  if (root.empty() || folder.empty()) return {};
  return fs::path(root) / folder;
}

fs::path ConditionList::ShownDirectory() const {
  return plan_.ArchiveMode ? ArchiveDirectory() : WorkingDirectory();
}

void ConditionList::Report(const std::string& error) const { ctx_.host.ReportError(error); }

bool ConditionList::RebuildSchedule(bool archive) {
  const fs::path dir = archive ? ArchiveDirectory() : WorkingDirectory();
  if (dir.empty()) return true;
  std::string error;
  std::vector<SkippedLine> damaged;
  if (!RebuildScheduleIn(dir, archive ? kScheduleArchived : kScheduleWorking, error, &damaged)) {
    Report(error);
    return false;
  }
  const std::string dropped = SkippedLinesMessage(ScheduleFile(dir), damaged);
  if (!dropped.empty()) ctx_.host.ReportWarning(dropped);
  return true;
}

void ConditionList::FillConditionList() {
  Items.clear();
  Selected = -1;
  OpenConditionIndex = -1;
  std::vector<std::string> lines;
  const fs::path dir = ShownDirectory();
  std::string error;
  if (!dir.empty() && !ReadSchedule(dir, lines, error)) Report(error);
  const char status = plan_.ArchiveMode ? kScheduleArchived : kScheduleWorking;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (ScheduleStatus(*line) != status) continue;
    Items.push_back(Pad(Columns(*line, 4, 10), 7, false) + " " + ScheduleName(*line));
  }

  // Names are matched by the nine characters the list shows.
  const std::string open = Trim(ConditionName().substr(0, std::min<size_t>(ConditionName().size(), kNameFieldLength)));
  if (!open.empty()) {
    for (size_t i = 0; i < Items.size(); ++i) {
      if (Trim(NameField(static_cast<int>(i))) != open) continue;
      Items[i] += kOpenMark;
      Selected = OpenConditionIndex = static_cast<int>(i);
      break;
    }
  }
  ComputePortRotation();
}

void ConditionList::ComputePortRotation() {
  PortRotation.clear();
  const int marked = OpenConditionIndex;
  if (marked <= 0 || marked >= static_cast<int>(Items.size())) return;
  const std::string markedPort = ItemPort(Items[marked]);
  for (int k = marked - 1; k >= 0; --k) {
    const std::string port = ItemPort(Items[k]);
    // The ship is back where the open condition was: the rotation is complete.
    if (!PortRotation.empty() && port == markedPort) break;
    // A port met again later in the walk starts the next round.
    if (PortRotation.size() >= 2 && k != marked - 1 &&
        std::any_of(PortRotation.begin(), PortRotation.end(),
                    [&](const std::string& code) { return Columns(code, 3, 5) == port; }))
      break;
    const std::string code = PortLocode(plan_, port);
    // Arrival and departure at one port are one call.
    if (PortRotation.empty() || PortRotation.back() != code) PortRotation.push_back(code);
    if (static_cast<int>(PortRotation.size()) >= kMaxPortRotation) break;
  }
}

std::string ConditionList::DisplayText(int index) const {
  if (index < 0 || index >= static_cast<int>(Items.size())) return {};
  std::string text = Items[index];
  if (text.size() > kItemLength && text[kItemLength] == kOpenMark) {
    text.erase(kItemLength, 1);
    text[7] = '*';
  }
  return text;
}

std::string ConditionList::NameField(int index) const {
  if (index < 0 || index >= static_cast<int>(Items.size())) return {};
  return Pad(Columns(Items[index], 9, kItemLength), kNameFieldLength, false);
}

fs::path ConditionList::ConditionPath(const fs::path& dir, std::string_view nameField) const {
  const std::string name = Trim(nameField);
  // A damaged schedule line must never name a file outside the folder.
  if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name.starts_with("..")) return {};
  const std::string fileName = name + ".txt";
  const fs::path found = FindFileNoCase(dir, fileName);
  if (!found.empty() || name.size() < kNameFieldLength) return found.empty() ? dir / fileName : found;
  // The list knows a condition by nine characters, but a six-character
  // voyage makes a longer name: the file is the one whose name begins with
  // them, the open condition's own when it is one of several.
  std::vector<fs::path> candidates;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
    const std::string candidate = entry.path().filename().string();
    if (IsScheduledConditionFile(candidate) && candidate.starts_with(name)) candidates.push_back(entry.path());
  }
  if (candidates.empty()) return dir / fileName;
  std::sort(candidates.begin(), candidates.end());
  const std::string open = ConditionName();
  for (const fs::path& candidate : candidates)
    if (candidate.stem().string() == open) return candidate;
  return candidates.front();
}

std::string ConditionList::SelectedConditionPath(bool withDir) const {
  const std::string name = NameField(Selected);
  if (name.empty() || !withDir) return name;
  const fs::path dir = ShownDirectory();
  if (dir.empty()) return {};
  return ConditionPath(dir, name).string();
}

std::string ConditionList::ConditionName() const {
  return plan_.VesHdr[VesHdrIx::Adp] + plan_.VesHdr[VesHdrIx::Port] + plan_.VesHdr[VesHdrIx::Voy];
}

bool ConditionList::HasConditionName() const {
  return IsConditionType(plan_.VesHdr[VesHdrIx::Adp]) && !Trim(plan_.VesHdr[VesHdrIx::Port]).empty();
}

bool ConditionList::OpenSelectedCondition() {
  const bool working = !ctx_.BuildingVoyage;
  const int plane = working ? plan_.CurPlane : plan_.VoyPlane;
  const std::string path = SelectedConditionPath(true);
  if (path.empty()) return false;
  // Asked before the open mark moves, so that a cancel leaves the list
  // showing the condition that is still open.
  if (working && plan_.ConditionModified && !AskSaveModified(false)) return false;

  if (OpenConditionIndex >= 0 && OpenConditionIndex < static_cast<int>(Items.size())) {
    std::string& item = Items[OpenConditionIndex];
    if (item.size() > kItemLength && item[kItemLength] == kOpenMark) item.erase(kItemLength, 1);
  }
  const int previous = OpenConditionIndex;
  OpenConditionIndex = -1;

  bool read = false;
  {
    BusyCursor busy(ctx_.host);
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    read = file_.ReadCondition(path, plane, false);
    if (read && working) {
      // Work put aside when the vessel was last left replaces what was
      // just read. It belongs to the working condition only: a voyage or
      // reference read must never consume it.
      const fs::path temp = FindFileNoCase(WorkingDirectory(), "temp.txt");
      if (!temp.empty() && file_.ReadCondition(temp, plan_.CurPlane, false)) {
        ctx_.MarkConditionModified(true);
        if (!fs::remove(temp, ec) && ec) Report(temp.string() + ": " + ec.message());
      }
    }
    if (read) {
      ctx_.SelectionStale = true;
      if (working && Views.ConditionOpened) Views.ConditionOpened();
    } else if (exists && working) {
      // The file is there but could not be read (already reported): the
      // working condition is still the one that was open.
      if (previous >= 0 && previous < static_cast<int>(Items.size())) {
        Items[previous] += kOpenMark;
        OpenConditionIndex = previous;
      }
      ComputePortRotation();
      return false;
    }
  }
  if (read && Selected >= 0 && Selected < static_cast<int>(Items.size())) {
    Items[Selected] += kOpenMark;
    OpenConditionIndex = Selected;
  }
  ComputePortRotation();
  if (Views.NavigationChanged) Views.NavigationChanged();
  return read;
}

bool ConditionList::SaveWorkingCondition(const std::string& fileName) {
  return file_.WriteCondition(fileName, false, plan_.CurPlane).written;
}

bool ConditionList::SaveOpenCondition() {
  return HasConditionName() && SaveWorkingCondition(ConditionName() + ".TXT");
}

bool ConditionList::AskSaveModified(bool leaving) {
  // A condition without a name would be written as ".TXT", a file no list
  // ever shows: it is only saved when the person says so, and then refused.
  const bool named = HasConditionName();
  if (IsOn(plan_.Settings[SettingsIx::SaveWithoutAsking]) && named) return SaveWorkingCondition(ConditionName() + ".TXT");
  if (IsOn(plan_.Settings[SettingsIx::AutoSaveToTemp]) && leaving)
    return SaveWorkingCondition(std::string(kTempFileName));
  switch (ctx_.host.Ask(StatusPanelText, "", std::string(kModifiedQuestion), true)) {
    case Host::Answer::Cancel:
      return false;
    case Host::Answer::No:
      ctx_.MarkConditionModified(false);
      return true;
    case Host::Answer::Yes:
      break;
  }
  if (!named) {
    Report("The condition has no name yet: save it with \"Save\" first.");
    return false;
  }
  return SaveWorkingCondition(ConditionName() + ".TXT");
}

std::vector<std::string> ConditionList::SaveDialogPorts() const {
  std::vector<std::string> ports;
  const int cells = std::clamp(plan_.CellCount, 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    const StructDat& unit = plan_.Cur()[i];
    if (unit.STATUS <= 0) continue;
    for (const std::string* code : {&unit.POL, &unit.POD}) {
      const std::string port = Upper(Trim(*code));
      if (!port.empty()) ports.push_back(port);
    }
  }
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  return ports;
}

SaveConditionFields ConditionList::SaveDialogFields() const {
  SaveConditionFields fields;
  fields.port = plan_.VesHdr[VesHdrIx::Port];
  fields.voyage = Upper(plan_.VesHdr[VesHdrIx::Voy]).substr(0, kMaxVoyageLength);
  if (IsConditionType(plan_.VesHdr[VesHdrIx::Adp])) fields.type = plan_.VesHdr[VesHdrIx::Adp];
  return fields;
}

SaveConditionOutcome ConditionList::SaveCondition(const SaveConditionFields& fields,
                                                 const std::function<bool(SaveSet&)>& alongside) {
  SaveConditionOutcome outcome;
  if (!IsConditionType(fields.type)) return outcome;  // "Save" is disabled until a type is chosen
  const std::string port = Upper(Trim(fields.port));
  const std::string voyage = Trim(Upper(fields.voyage).substr(0, kMaxVoyageLength));

  const int before = plan_.VoyPortCount;
  const int index = AddVoyPort(plan_, port);
  const bool justAdded = plan_.VoyPortCount > before;
  // The port code is columns 2-4 of the file name and is read back from
  // there: a longer code would shift the voyage.
  if (port.size() <= 2 || port.size() > 3 || !IsNameText(port, false)) {
    outcome.messageLine = "Wrong port code";
    return outcome;
  }
  if (justAdded && index >= 0 && plan_.VoyPorts[index].COUNTRY == "XX") {
    outcome.messageLine = "Port not found";
    // An empty entry follows the port in the voyage ports.
    if (plan_.VoyPortCount < kMaxVoyPorts) plan_.VoyPorts[plan_.VoyPortCount++] = StructPor{};
    return outcome;
  }
  if (voyage.size() <= 3 || !IsNameText(voyage, true)) {
    outcome.messageLine = "wrong voy number";
    return outcome;
  }

  BusyCursor busy(ctx_.host);
  const std::string oldPort = plan_.VesHdr[VesHdrIx::Port];
  const std::string oldVoyage = plan_.VesHdr[VesHdrIx::Voy];
  const std::string oldType = plan_.VesHdr[VesHdrIx::Adp];
  plan_.VesHdr[VesHdrIx::Port] = port;
  plan_.VesHdr[VesHdrIx::Voy] = voyage;
  plan_.VesHdr[VesHdrIx::Adp] = fields.type;
  // The mark of a cut-off set stands where every start looks: the
  // installation's folder.
  SaveSet set(plan_.DataDir.empty() ? WorkingDirectory() : fs::path(plan_.DataDir));
  ConditionWriteResult written =
      file_.WriteCondition(fields.type + port + voyage + ".TXT", false, plan_.CurPlane, &set);
  if (written.written && alongside && !alongside(set)) written.written = false;
  std::string error;
  if (written.written && !set.Commit(error)) {
    Report(error);
    written.written = false;
  }
  if (!written.written) {
    // Reported by the writer. The open condition keeps the name of the file
    // it really came from.
    plan_.VesHdr[VesHdrIx::Port] = oldPort;
    plan_.VesHdr[VesHdrIx::Voy] = oldVoyage;
    plan_.VesHdr[VesHdrIx::Adp] = oldType;
    return outcome;
  }
  outcome.closed = true;
  outcome.newFile = !written.existedBefore;
  RebuildSchedule(false);
  if (plan_.ArchiveMode) RebuildSchedule(true);
  FillConditionList();
  if (Views.ConditionSaved) Views.ConditionSaved();
  return outcome;
}

bool ConditionList::RevertCondition() {
  if (!plan_.ConditionModified || !HasConditionName()) return false;
  const fs::path path = ConditionPath(WorkingDirectory(), ConditionName());
  std::error_code ec;
  // Never saved: there is nothing to go back to, and reading a missing file
  // would strip the condition of its name.
  if (!fs::exists(path, ec)) return false;
  bool read = false;
  {
    BusyCursor busy(ctx_.host);
    read = file_.ReadCondition(path, plan_.CurPlane, false);
  }
  if (read && Views.ConditionReverted) Views.ConditionReverted();
  return read;
}

bool ConditionList::DeleteSelectedCondition() {
  if (!RemoveAllowed()) return false;
  const std::string path = SelectedConditionPath(true);
  if (path.empty()) return false;
  if (ctx_.host.Ask(StatusPanelText, "", "Deleting condition " + path, false) != Host::Answer::Yes) return false;
  std::error_code ec;
  const bool removed = fs::remove(path, ec);
  if (ec) Report(path + ": " + ec.message());
  RebuildSchedule(plan_.ArchiveMode != 0);
  FillConditionList();
  return removed;
}

bool ConditionList::MoveSelectedCondition() {
  const std::string nameField = SelectedConditionPath(false);
  if (nameField.empty()) return false;
  const bool archiving = !plan_.ArchiveMode;
  const fs::path source = archiving ? WorkingDirectory() : ArchiveDirectory();
  const fs::path target = archiving ? ArchiveDirectory() : WorkingDirectory();
  if (source.empty() || target.empty()) {
    Report("No archive folder is set for this vessel (settings and vessel folder name).");
    return false;
  }
  const char targetStatus = archiving ? kScheduleArchived : kScheduleWorking;
  const fs::path from = ConditionPath(source, nameField);
  std::error_code ec;
  if (from.empty() || !fs::is_regular_file(from, ec)) {
    Report((from.empty() ? Trim(nameField) : from.string()) + ": the file does not exist");
    return false;
  }

  // Both schedules are read before anything moves: a schedule that cannot
  // be read would lose every date kept in it when written again.
  std::vector<std::string> sourceLines;
  std::vector<std::string> targetLines;
  std::string error;
  if (!ReadSchedule(source, sourceLines, error) ||
      (fs::is_directory(target, ec) && !ReadSchedule(target, targetLines, error))) {
    Report(error);
    return false;
  }
  const std::string key = Pad(nameField, kNameFieldLength, false);
  std::string moved;
  for (const std::string& line : sourceLines)
    if (ScheduleName(line) == key && HasScheduleDate(line)) {
      moved = Pad(line.substr(0, std::min<size_t>(line.size(), kScheduleNameEnd)), kScheduleNameEnd, false) + targetStatus;
      break;
    }

  fs::create_directories(target, ec);
  const fs::path to = target / from.filename();
  // A file of the same name in another case would stay beside the copy.
  const fs::path existing = FindFileNoCase(target, from.filename().string());
  if (!existing.empty() && existing != to) fs::remove(existing, ec);
  if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) || ec) {
    Report(to.string() + ": " + (ec ? ec.message() : std::string("cannot be written")));
    return false;
  }
  if (moved.empty()) {
    // Never dated in the source: the copy carries the original's time.
    const fs::file_time_type stamp = fs::last_write_time(from, ec);
    if (!ec) fs::last_write_time(to, stamp, ec);
  }
  if (!fs::remove(from, ec) || ec) Report(from.string() + ": " + (ec ? ec.message() : std::string("cannot be deleted")));

  if (!moved.empty()) {
    auto same = std::find_if(targetLines.begin(), targetLines.end(),
                             [&](const std::string& line) { return ScheduleName(line) == key; });
    if (same != targetLines.end()) *same = moved;
    else targetLines.push_back(moved);
    if (!WriteSchedule(target, targetLines, error)) Report(error);
  }
  RebuildSchedule(plan_.ArchiveMode != 0);
  FillConditionList();
  return true;
}

bool ConditionList::SelectedConditionDate(std::tm& when) const {
  const std::string key = SelectedConditionPath(false);
  if (key.empty()) return false;
  std::vector<std::string> lines;
  std::string error;
  if (!ReadSchedule(ShownDirectory(), lines, error)) return false;
  for (const std::string& line : lines)
    if (ScheduleName(line) == key) return ScheduleDate(line, when);
  return false;
}

bool ConditionList::ChangeConditionDate(const std::tm& when) {
  const std::string key = SelectedConditionPath(false);
  if (key.empty()) return false;
  if (when.tm_year < 0 || when.tm_year > 9999 - 1900 || when.tm_mon < 0 || when.tm_mon > 11 || when.tm_mday < 1 ||
      when.tm_mday > 31 || when.tm_hour < 0 || when.tm_hour > 23 || when.tm_min < 0 || when.tm_min > 59)
    return false;
  const fs::path dir = ShownDirectory();
  std::vector<std::string> lines;
  std::string error;
  if (!ReadSchedule(dir, lines, error)) {
    Report(error);
    return false;
  }
  auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return ScheduleName(l) == key; });
  if (line == lines.end()) return false;
  *line = ScheduleLine(when, "", ' ').substr(0, 17) + Columns(*line, 18, kScheduleStatusColumn);
  if (!WriteSchedule(dir, lines, error)) {
    Report(error);
    return false;
  }
  FillConditionList();
  return true;
}

void ConditionList::ToggleArchive() {
  plan_.ArchiveMode = plan_.ArchiveMode ? 0 : 1;
  RebuildSchedule(plan_.ArchiveMode != 0);
  FillConditionList();
}

std::string ConditionList::ArchiveMenuText() const { return plan_.ArchiveMode ? "Close Archive" : "Open Archive"; }
std::string ConditionList::MoveMenuText() const { return plan_.ArchiveMode ? "Restore Condition" : "Move to Archive"; }
bool ConditionList::RemoveAllowed() const { return !plan_.ArchiveMode; }

std::string ConditionList::NeighbourCondition(bool next, bool open) {
  const int count = static_cast<int>(Items.size());
  if (Selected < 0 || Selected >= count) return {};
  int k = next ? Selected + 1 : Selected - 1;
  if (k < 0 || k >= count) return {};
  // The prestowage of a port lies between its arrival and its departure:
  // the condition before the arrival is the one beyond it.
  if (next && ItemType(Items[k]) == "P" && ItemPort(Items[k]) == ItemPort(Items[Selected]) && k < count - 1) ++k;
  const fs::path dir = ShownDirectory();
  if (dir.empty()) return {};
  const std::string path = ConditionPath(dir, NameField(k)).string();
  if (open) {
    Selected = k;
    OpenSelectedCondition();
  }
  return path;
}

void ConditionList::BuildVoyageDataSet(std::string_view voyage) {
  if (plan_.VoyUnitCount >= 1) return;
  const int openIndex = OpenConditionIndex;
  plan_.RedrawAll = 1;
  ResetTotals(plan_);
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  plan_.VoyUnitCount = 0;
  {
    FlagScope building(ctx_.BuildingVoyage);
    const std::string wanted = Trim(voyage);
    for (int k = static_cast<int>(Items.size()) - 1; k >= 0; --k) {
      if (ItemVoyage(Items[k]) != wanted || ItemType(Items[k]) != "D") continue;
      if (plan_.PolCount + 1 < kTotalsPorts) plan_.PolList[++plan_.PolCount] = ItemPort(Items[k]);
      Selected = k;
      OpenSelectedCondition();
    }
    ctx_.SelectionStale = true;
    OpenConditionIndex = openIndex;
    FillConditionList();
  }
}

std::string ConditionList::NeighbourOfOpenCondition(bool next, bool open) {
  const int selected = Selected;
  if (OpenConditionIndex >= 0) Selected = OpenConditionIndex;
  const std::string path = NeighbourCondition(next, open);
  if (!open || path.empty()) Selected = selected;
  return path;
}

bool ConditionList::LoadReferenceCondition(int plane) {
  const std::string path = NeighbourOfOpenCondition(true, false);
  if (path.empty()) return false;
  if (plane != plan_.RefPlane) return file_.ReadCondition(path, plane, false);
  FlagScope loading(ctx_.LoadingReference);
  DataSet& records = plan_.Dat[static_cast<size_t>(plane)];
  for (int c = 0; c < plan_.CellCount && c < kMaxCells; ++c) records[static_cast<size_t>(c)] = StructDat{};
  return file_.ReadCondition(path, plane, false);
}

