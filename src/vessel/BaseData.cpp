#include "vessel/BaseData.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "core/Host.h"
#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/SaveSet.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/DbfTable.h"
#include "vessel/FileNames.h"
#include "vessel/Ports.h"
#include "vessel/PtcFile.h"

namespace fs = std::filesystem;

namespace {

// Column of the vessel's folder name in the legacy vessel table (the same
// position as the folder name in VesHdr).
constexpr int kVesDbfDirColumn = VesHdrIx::Dir;
constexpr int kFreeSettingsSlot = 126;

// ";"-terminated fields. A last field without its ";" still counts when it
// holds text, so a hand-edited line that lost its final ";" reads the same.
std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t sep = line.find(';'); sep != std::string::npos; sep = line.find(';', start)) {
    fields.push_back(line.substr(start, sep - start));
    start = sep + 1;
  }
  if (start < line.size()) fields.push_back(line.substr(start));
  return fields;
}

bool IsDirectory(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

// Heights are read from text, so 9.6 from a file is the same double as the
// constant; the tolerance only guards values that were computed.
bool SameHeight(double a, double b) { return std::fabs(a - b) < 1e-6; }

// The high-cube rule of the placement code: type beginning with "H" or a
// height above 9.4 feet. Kept here until the cell operations offer it.
bool IsHighCubeUnit(const StructDat& unit) {
  return (!unit.TYP.empty() && unit.TYP[0] == 'H') || unit.HEIGHT > 9.4;
}

// Whole text files, refusing a folder, a file that may not be read and one
// that holds no text at all: such a file is reported and leaves what it
// would have filled as it was.
bool ReadLines(const fs::path& file, std::vector<std::string>& lines, std::string& error) {
  lines.clear();
  std::string bytes;
  if (!ReadTextBytes(file, bytes, error)) return false;
  lines = SplitTextLines(bytes);
  return true;
}

// A mode number as settings text; 0 is written as "0", not as the empty text.
std::string ModeText(int mode) { return mode == 0 ? std::string("0") : IntOrEmpty(mode); }

// A file of dir found without regard to case, or dir/name when there is
// none yet (where a new one is written).
fs::path ExistingOrNew(const fs::path& dir, std::string_view name) {
  fs::path found = FindFileNoCase(dir, name);
  return found.empty() ? dir / std::string(name) : found;
}

}  // namespace

BaseData::BaseData(PlanData& plan, Host& host) : plan_(plan), host_(host), parameters_(plan, TotalsLabels) {}

void BaseData::ReportFailure(const std::string& text) { host_.ReportError(text); }

fs::path BaseData::DataFile(std::string_view name) const { return FindFileNoCase(plan_.DataDir, name); }

// ---------------------------------------------------------------------------
// Start-up, reload, exit

bool BaseData::ReadSettings(const fs::path& programDir) {
  plan_.Settings.fill(std::string());
  const fs::path file = FindFileNoCase(programDir, "userpar.txt");
  // A new installation has no settings yet; they are written at exit.
  if (file.empty()) return true;
  std::vector<std::string> lines;
  std::string error;
  if (!ReadLines(file, lines, error)) {
    // Going on with empty settings would overwrite the user's file at exit.
    ReportFailure(error);
    return false;
  }
  // A setting is any text of its line; a line with control characters was
  // damaged and is taken as empty (its default), and named.
  skipped_.clear();
  for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(kSettingsSize); ++i) {
    if (HasControlCharacter(lines[i])) {
      skipped_.push_back({static_cast<int>(i) + 1, "holds a control character: the setting is left empty"});
      continue;
    }
    plan_.Settings[i] = lines[i];
  }
  const std::string damaged = SkippedLinesMessage(file, skipped_);
  skipped_.clear();
  if (!damaged.empty()) host_.ReportWarning(damaged);
  return true;
}

bool BaseData::CreateBaseData(const fs::path& programDir) {
  plan_.ProgramDir = programDir.string();
  // A save of several files that a crash cut off is finished or undone
  // before any of its files is read (its mark lives in this folder).
  const CutSaveSet cut = FinishCutSaveSet(programDir);
  if (!cut.error.empty()) ReportFailure(cut.Text());
  else if (cut.found) host_.ReportWarning(cut.Text());
  if (!ReadSettings(programDir)) return false;

  auto& s = plan_.Settings;
  if (Trim(s[SettingsIx::ConditionsSubdir]) != "CDZ") s[SettingsIx::ConditionsSubdir] = "COND";
  s[SettingsIx::DataDir] = plan_.ProgramDir;
  plan_.DataDir = s[SettingsIx::DataDir];
  plan_.ColourMode = ParseInt(s[SettingsIx::ColourMode]);
  plan_.LetterMode = ParseInt(s[SettingsIx::LetterMode]);
  plan_.PortsChanged = 0;

  parameters_.ClearTables();
  isoMemoValid_ = false;
  fs::path parameterFile = DataFile(s[SettingsIx::ParameterFile] + ".txt");
  if (parameterFile.empty() || IsDirectory(parameterFile)) {
    s[SettingsIx::ParameterFile] = "PARAM";
    parameterFile = ExistingOrNew(plan_.DataDir, "PARAM.txt");
  }
  if (!ReadParameterFile(parameterFile)) return false;

  // The optional further tables; a damaged one is reported but does not stop
  // the program, which has its main tables.
  for (const char* name : {"XLS.TXT", "TRA.TXT"}) {
    const fs::path file = DataFile(name);
    if (!file.empty()) ReadParameterFile(file);
  }
  return true;
}

bool BaseData::ReadParameterFile(const fs::path& file) {
  isoMemoValid_ = false;  // the ISO table may change under the memo
  std::string error;
  if (parameters_.ReadFile(file, error)) {
    // The tables stand without the lines passed over; the user learns which.
    const std::string skipped = SkippedLinesMessage(file, parameters_.Skipped());
    if (!skipped.empty()) host_.ReportWarning(skipped);
    return true;
  }
  ReportFailure(error);
  return false;
}

bool BaseData::PrepareDirectories() {
  auto& s = plan_.Settings;
  const fs::path data(plan_.DataDir);
  if (!IsDirectory(s[SettingsIx::SendingDir])) s[SettingsIx::SendingDir] = (data / "SENDING").string();
  if (!IsDirectory(s[SettingsIx::ReceivingDir])) s[SettingsIx::ReceivingDir] = (data / "RECEIVE").string();
  if (!IsDirectory(s[SettingsIx::VesselsRoot])) s[SettingsIx::VesselsRoot] = plan_.DataDir;
  // An archive root that was never set would put the archives at the top of
  // the file system; it gets a folder of the installation instead.
  if (Trim(s[SettingsIx::ArchiveRoot]).empty()) s[SettingsIx::ArchiveRoot] = (data / "ARCHIVE").string();

  bool ok = true;
  for (int ix : {SettingsIx::SendingDir, SettingsIx::ReceivingDir, SettingsIx::ArchiveRoot}) {
    std::error_code ec;
    fs::create_directories(s[ix], ec);
    if (ec) {
      ReportFailure(s[ix] + ": " + ec.message());
      ok = false;
    }
  }
  return ok;
}

bool BaseData::LoadBaseData() {
  if (plan_.DataDir.empty()) {
    ReportFailure("base data: no data directory (the settings were not loaded)");
    return false;
  }
  bool ok = PrepareDirectories();

  const fs::path data(plan_.DataDir);
  // The ports reader writes unsaved edits of the table first, so a reload
  // never loses them; it sets PortCount.
  ReadPorts(plan_, data, host_);

  plan_.UnnCount = ReadUnnTable();
  if (!ApplySettingsPatch()) ok = false;
  if (!LoadVesselList()) ok = false;
  return ok;
}

bool BaseData::LoadVesselList() {
  // A change of the list not yet written (a vessel shown or hidden, a name
  // taken from the particulars) would be lost by reading vex.txt again.
  if (plan_.VesselListChanged && !WriteVesselList()) return false;

  bool ok = true;
  const std::string& receiving = plan_.Settings[SettingsIx::ReceivingDir];
  const fs::path trigger = receiving.empty() ? fs::path() : FindFileNoCase(receiving, "ini.txt");
  const bool haveList = !DataFile("vex.txt").empty();
  if (!trigger.empty() || !haveList) {
    if (!haveList) {
      const fs::path legacy = DataFile("ves.dbf");
      if (!legacy.empty() && !ConvertVesDbf(legacy)) ok = false;
    }
    if (!RebuildVesselList()) ok = false;
    if (!trigger.empty()) {
      std::error_code ec;
      fs::remove(trigger, ec);
      if (ec) {
        ReportFailure(trigger.string() + ": " + ec.message());
        ok = false;
      }
    }
  }
  plan_.VesselListChanged = 0;
  plan_.VesselCount = ReadVesselList();
  return ok;
}

bool BaseData::CloseBaseData() {
  plan_.Settings[SettingsIx::ColourMode] = ModeText(plan_.ColourMode);
  plan_.Settings[SettingsIx::LetterMode] = ModeText(plan_.LetterMode);
  bool ok = true;
  if (plan_.VesselListChanged && !WriteVesselList()) ok = false;
  if (plan_.PortsChanged && !WritePorts(plan_, plan_.DataDir, host_)) ok = false;
  if (!SaveSettings()) ok = false;
  return ok;
}

bool BaseData::SaveSettings() {
  if (plan_.ProgramDir.empty()) {
    ReportFailure("userpar.txt: the program directory is not known, the settings are not saved");
    return false;
  }
  auto& s = plan_.Settings;
  s[kFreeSettingsSlot] = "libero 126";
  for (int i = kFreeSettingsSlot + 1; i < kSettingsSize; ++i) s[i] = "0";

  std::vector<std::string> lines(s.begin(), s.end());
  // One value per line: a line break inside a value would shift every
  // setting after it.
  for (std::string& line : lines)
    std::replace_if(
        line.begin(), line.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
  std::string error;
  if (WriteTextLines(ExistingOrNew(plan_.ProgramDir, "userpar.txt"), lines, error)) return true;
  ReportFailure(error);
  return false;
}

bool BaseData::ApplySettingsPatch() {
  const fs::path file = DataFile("use.txt");
  if (file.empty()) return true;
  std::vector<std::string> lines;
  std::string error;
  if (!ReadLines(file, lines, error)) {
    ReportFailure(error);
    return false;
  }
  // Complete pairs only: a last index line without its value is dropped.
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (Trim(lines[i]).empty()) continue;
    const int index = ParseInt(lines[i]);
    if (index >= 0 && index < kSettingsSize) plan_.Settings[index] = lines[i + 1];
  }
  std::error_code ec;
  fs::remove(file, ec);
  if (ec) {
    ReportFailure(file.string() + ": " + ec.message());
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// UN numbers

bool BaseData::OptionalDataFileLines(std::string_view name, std::vector<std::string>& lines) {
  lines.clear();
  const fs::path file = DataFile(name);
  if (file.empty()) return true;
  std::string error;
  if (ReadLines(file, lines, error)) return true;
  ReportFailure(error);
  return false;
}

int BaseData::ReadUnnTable() {
  std::vector<std::string> lines;
  if (!OptionalDataFileLines("unn.txt", lines)) return plan_.UnnCount;
  const int count = ReadUnnLines(lines);
  WarnSkipped("unn.txt");
  return count;
}

int BaseData::ReadUnnLines(std::vector<std::string> lines) {
  // A line that names no UN number would sort among the numbers and answer
  // for none of them; it is left out and named.
  skipped_.clear();
  for (size_t k = 0; k < lines.size(); ++k) {
    if (lines[k].empty()) continue;
    const std::vector<std::string> fields = SplitFields(lines[k]);
    const std::string un = fields.empty() ? std::string() : Trim(fields.front());
    const bool number = !un.empty() && std::all_of(un.begin(), un.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    if (HasControlCharacter(lines[k]) || !number) {
      skipped_.push_back({static_cast<int>(k) + 1, HasControlCharacter(lines[k])
                                                       ? "holds a control character"
                                                       : "\"" + un + "\" is no UN number (digits before \";\")"});
      lines[k].clear();
    }
  }
  std::sort(lines.begin(), lines.end());
  plan_.Unn.fill(std::string());
  int count = 0;
  for (const std::string& line : lines) {
    if (count >= kMaxUnn) break;
    if (line.empty()) continue;
    const std::vector<std::string> fields = SplitFields(line);
    for (int f = 0; f < kUnnFields && f < static_cast<int>(fields.size()); ++f)
      plan_.Unn[count * kUnnFields + f] = fields[f];
    ++count;
  }
  plan_.UnnCount = count;
  return count;
}

std::string BaseData::UnInfo(std::string_view un) const {
  if (un.empty()) return "";
  for (int k = 0; k < plan_.UnnCount && k < kMaxUnn; ++k) {
    const std::string* entry = &plan_.Unn[k * kUnnFields];
    if (entry[0] != un) continue;
    return entry[3] == "Y" ? "MP-" + entry[1] : entry[1];
  }
  return "";
}

// ---------------------------------------------------------------------------
// The list of installed vessels

int BaseData::ReadVesselList() {
  std::vector<std::string> lines;
  if (!OptionalDataFileLines("vex.txt", lines)) return plan_.VesselCount;
  const int count = ReadVesselLines(lines);
  WarnSkipped("vex.txt");
  return count;
}

void BaseData::WarnSkipped(std::string_view name) {
  const std::string message = SkippedLinesMessage(DataFile(name), skipped_);
  if (!message.empty()) host_.ReportWarning(message);
  skipped_.clear();
}

int BaseData::ReadVesselLines(const std::vector<std::string>& lines) {
  const fs::path root(plan_.Settings[SettingsIx::VesselsRoot]);
  auto& list = plan_.VesselList;
  list.fill(std::string());
  skipped_.clear();
  int count = 0;
  for (size_t k = 0; k < lines.size(); ++k) {
    const std::string& line = lines[k];
    if (Trim(line).empty()) continue;
    if (count >= kMaxVessels) {
      skipped_.push_back({static_cast<int>(k) + 1, "the list is full (" + std::to_string(kMaxVessels) + " vessels)"});
      continue;
    }
    const std::vector<std::string> fields = SplitFields(line);
    std::string dir = fields.size() > 1 ? fields[1] : std::string();
    // An entry without a folder name would name the vessels root itself.
    bool keep = !Trim(dir).empty() && IsDirectory(root / dir);
    if (!keep && !Trim(dir).empty()) {
      // A folder copied from another system may differ in case only: the
      // entry keeps the folder's real name and the list is written again.
      const fs::path found = FindFileNoCase(root, dir);
      if (IsDirectory(found)) {
        dir = found.filename().string();
        keep = true;
        plan_.VesselListChanged = 1;
      }
    }
    if (!keep) {
      plan_.VesselListChanged = 1;
      skipped_.push_back({static_cast<int>(k) + 1,
                          Trim(dir).empty() ? std::string("no vessel folder after the name")
                                            : "no vessel folder \"" + dir + "\" in " + root.string() +
                                                  ": the vessel is left out of the list"});
      continue;
    }
    for (int f = 0; f < kVesselListFields && f < static_cast<int>(fields.size()); ++f)
      list[count * kVesselListFields + f] = fields[f];
    list[count * kVesselListFields + 1] = dir;
    ++count;
  }
  plan_.VesselCount = count;
  return count;
}

bool BaseData::WriteVesselList() {
  const auto& list = plan_.VesselList;
  std::vector<std::string> lines;
  for (int k = 0; k < plan_.VesselCount && k < kMaxVessels; ++k) {
    const std::string* entry = &list[k * kVesselListFields];
    // Name, folder and flag always; the further fields as far as one holds text.
    int last = 2;
    for (int f = 3; f < kVesselListFields; ++f)
      if (!entry[f].empty()) last = f;
    std::string line;
    for (int f = 0; f <= last; ++f) line += entry[f] + ";";
    lines.push_back(std::move(line));
  }
  std::sort(lines.begin(), lines.end());
  std::string error;
  if (!WriteTextLines(ExistingOrNew(plan_.DataDir, "vex.txt"), lines, error)) {
    ReportFailure(error);
    return false;
  }
  plan_.VesselListChanged = 0;
  return true;
}

bool BaseData::RebuildVesselList() {
  int count = ReadVesselList();
  const fs::path root(plan_.Settings[SettingsIx::VesselsRoot]);

  std::vector<std::string> folders;
  std::error_code ec;
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kindError;
    const std::string name = it->path().filename().string();
    if (name.size() > 2 && it->is_directory(kindError)) folders.push_back(name);
  }
  std::sort(folders.begin(), folders.end());

  // The particulars are read through VesHdr, which may hold the open
  // vessel's header: it is put back afterwards.
  const auto savedHeader = plan_.VesHdr;
  auto& list = plan_.VesselList;
  for (const std::string& folder : folders) {
    if (count >= kMaxVessels) break;
    const fs::path ptc = FindFileNoCase(root / folder, "ptc.txt");
    if (ptc.empty()) continue;
    plan_.VesHdr.fill(std::string());
    std::string error;
    if (!ReadPtc(plan_, ptc, error)) {
      ReportFailure(error);
      continue;
    }
    const std::string name = plan_.VesHdr[VesHdrIx::Vessel];
    if (name.size() <= 1) continue;
    bool listed = false;
    for (int k = 0; k < count && !listed; ++k) listed = list[k * kVesselListFields] == name;
    if (listed) continue;
    // The folder the particulars name, unless that folder does not exist
    // (a vessel copied to another folder): then the folder it was found in.
    std::string dir = plan_.VesHdr[VesHdrIx::Dir];
    if (Trim(dir).empty() || !IsDirectory(root / dir)) dir = folder;
    std::string* entry = &list[count * kVesselListFields];
    entry[0] = name;
    entry[1] = dir;
    entry[2] = "1";
    entry[3].clear();
    entry[4].clear();
    ++count;
  }
  plan_.VesHdr = savedHeader;
  plan_.VesselCount = count;
  return WriteVesselList();
}

bool BaseData::ConvertVesDbf(const fs::path& tableFile) {
  std::string error;
  const auto table = DbfTable::Open(tableFile, error);
  if (!table) {
    ReportFailure(error);
    return false;
  }
  const fs::path root(plan_.Settings[SettingsIx::VesselsRoot]);
  const auto savedHeader = plan_.VesHdr;
  bool ok = true;
  for (int row = 0; row < table->RecordCount(); ++row) {
    const std::string dir = table->Read(row, kVesDbfDirColumn);
    if (Trim(dir).empty() || !IsDirectory(root / dir)) continue;
    plan_.VesHdr.fill(std::string());
    for (int i = 0; i < plan_.VetCount && i < kMaxVet && i < kVesHdrSize; ++i) {
      if (plan_.Vet[i].empty()) continue;
      const int column = table->FieldIndex(plan_.Vet[i]);
      if (column >= 0) plan_.VesHdr[i] = table->Read(row, column);
    }
    plan_.VesHdr[VesHdrIx::BaysPerLine] = "6";
    plan_.VesHdr[VesHdrIx::BridgeBay] = "99";
    if (!FindFileNoCase(root / dir, "ptc.txt").empty()) continue;
    if (!WritePtc(plan_, root / dir / "ptc.txt", error)) {
      ReportFailure(error);
      ok = false;
    }
  }
  plan_.VesHdr = savedHeader;
  return ok;
}

// ---------------------------------------------------------------------------
// Lookups

int BaseData::IsoLength(std::string_view iso) {
  if (iso.empty()) return 0;
  switch (iso[0]) {
    case '1':
      return 10;
    case '2':
      return 20;
    case '3':
      return 30;
    case '4':
      return 40;
    case '8':
      return 35;
    case 'A':
      return 23;
    case 'B':
    case 'C':
    case 'D':
      return 24;
    case 'E':
      return 25;
    case 'F':
      return 26;
    case 'G':
      return 41;
    case 'H':
      return 43;
    case 'K':
      return 44;
    case 'L':
    case '9':
      return 45;
    case 'M':
      return 48;
    case 'N':
      return 49;
    case 'P':
      return 53;
    default:
      return 0;
  }
}

double BaseData::IsoHeight(std::string_view iso) {
  if (iso.size() < 2) return 8.6;
  switch (iso[1]) {
    case '0':
    case '1':
      return 8.0;
    case '2':
    case '3':
    case 'C':
      return 8.6;
    case '4':
    case 'D':
    case 'M':
      return 9.0;
    case '5':
    case '6':
    case 'E':
    case 'F':
    case 'N':
    case 'P':
      return 9.6;
    case '7':
    case '8':
      return 4.3;
    case '9':
      return 4.0;
    default:
      return 8.6;
  }
}

char BaseData::HeightCode(const StructDat& unit) {
  const double h = unit.HEIGHT;
  if (SameHeight(h, 9.6)) return '5';
  if (IsHighCubeUnit(unit)) return '5';
  if (SameHeight(h, 8.0)) return '0';
  if (SameHeight(h, 8.6) || h == 0) return '2';
  if (SameHeight(h, 9.0)) return '4';
  if (h <= 4.0 + 1e-6) return '9';
  if (SameHeight(h, 4.3)) return '8';
  return '2';
}

std::string BaseData::IsoSizeType(const std::string& iso) {
  if (isoMemoValid_ && iso == isoMemoCode_) return isoMemoResult_;

  int length = 0;
  std::string type;
  if (!iso.empty() && iso[0] == 'Z') {
    length = Columns(iso, 3, 3) == "2" ? 20 : 40;
    type = Columns(iso, 2, 2) == "2" ? "MF" : "CH";
  } else {
    length = IsoLength(iso);
    const bool high = IsoHeight(iso) >= 9.6 - 1e-6;
    const std::string code = Columns(iso, 3, 4);
    for (int i = 0; i < plan_.IsoCount && i < kMaxIsos; ++i) {
      const StructIso& entry = plan_.Isos[i];
      if (entry.CODE != code) continue;
      type = entry.TYPE;
      const char group = entry.GROUP.empty() ? ' ' : entry.GROUP[0];
      if (group == 'R')
        type = high ? "HR" : "RF";
      else if (high)
        type = group == 'U' ? "HO" : group == 'P' ? "HP" : "HC";
      break;
    }
    if (type.size() < 2) type = code;
  }

  isoMemoCode_ = iso;
  isoMemoResult_ = length == 0 ? std::string() : IntOrEmpty(length) + type;
  isoMemoValid_ = true;
  return isoMemoResult_;
}

int BaseData::TypeIndex(std::string_view code) const {
  for (int i = 0; i < plan_.TypeCount && i < kMaxTypes; ++i)
    if (plan_.Types[i].TYP == code) return i;
  return -1;
}

std::string BaseData::TranslateCode(const std::string& text, std::string_view kind) const {
  const std::string from = Trim(text);
  for (int i = 0; i < plan_.TraCount && i < kMaxTra; ++i) {
    const StructTra& entry = plan_.Tra[i];
    if (entry.KIND == kind && entry.FROM == from) return entry.TO;
  }
  return text;
}
