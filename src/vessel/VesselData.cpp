#include "vessel/VesselData.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "core/Host.h"
#include "core/InputCheck.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/DbfTable.h"
#include "vessel/FileNames.h"
#include "vessel/PtcFile.h"

namespace {

constexpr int kStackwFirstField = 18;
constexpr int kYOffsetField = kStackwFirstField + kStackRows * kStackKinds;  // 94
constexpr int kRowWeightField = kYOffsetField + 1;                           // 95
static_assert(kRowWeightField + 1 == kBayFieldCount);

// A cell or bay marked this way is removed by CompactVessel.
constexpr int kDeletedCell = -9;
// An LCG of this or more means the cell takes no unit of that length.
constexpr double kNoUnitLcg = 900;

// The fields of a line, each ended by ";" (a last one without it counts
// too); at most maxFields, the rest of the line is ignored.
std::vector<std::string_view> SplitFields(std::string_view line, size_t maxFields) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (start < line.size() && fields.size() < maxFields) {
    size_t end = line.find(';', start);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

std::string_view Field(const std::vector<std::string_view>& fields, size_t i) {
  return i < fields.size() ? fields[i] : std::string_view();
}

// Reals in the files: the current decimal separator, a zero as "0".
std::string RealText(double x) {
  std::string text = RealOrEmpty(x);
  return text.empty() ? "0" : text;
}

bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// Bay codes match as texts, or as numbers when both are digits only, so
// "1" in a table names the same bay as "01" in a cell name.
bool SameBayCode(std::string_view a, std::string_view b) {
  const std::string ta = Trim(a);
  const std::string tb = Trim(b);
  if (ta == tb) return true;
  if (!AllDigits(ta) || !AllDigits(tb)) return false;
  return ParseInt(ta) == ParseInt(tb);
}

std::string BayDigits(const PlanData& plan, const std::string& cellName) {
  return Columns(cellName, plan.BayPos, plan.BayPos + plan.BayLen - 1);
}

// The subfolder of saved conditions.
std::string ConditionsFolderName(const PlanData& plan) {
  return Trim(plan.Settings[SettingsIx::ConditionsSubdir]) == "CDZ" ? "CDZ" : "COND";
}

void ResetCellGeometry(StructCel& cell) {
  cell.X = 0;
  cell.Y = 0;
  cell.BLK_OH = -1;
  cell.BLK_OWP = -1;
  cell.BLK_OWS = -1;
}

// Legacy stack weight column R<nn><D|H><2|4>: row (or -1 for "XX", every
// row) and kind index; false when the name is not one of them.
bool ParseStackColumn(const std::string& name, int& row, int& kind) {
  if (name.size() != 5 || (name[0] != 'R' && name[0] != 'r')) return false;
  const std::string rowText = name.substr(1, 2);
  if (rowText == "XX" || rowText == "xx")
    row = -1;
  else if (AllDigits(rowText))
    row = ParseInt(rowText);
  else
    return false;
  if (row >= kStackRows) return false;
  const char deckOrHold = static_cast<char>(name[3] & ~0x20);  // upper case
  if (deckOrHold != 'D' && deckOrHold != 'H') return false;
  if (name[4] != '2' && name[4] != '4') return false;
  kind = (deckOrHold == 'H' ? 2 : 0) + (name[4] == '4' ? 1 : 0);
  return true;
}

std::string_view FirstField(std::string_view line) { return line.substr(0, line.find(';')); }

// The rules for one line of each file, and the refusal of a whole file
// (empty, binary, or not one line of its kind) before anything changes.
using LineRule = std::string (*)(std::string_view line);

std::string CelLineProblem(std::string_view line) {
  const std::string name = Trim(FirstField(line));
  if (!AllDigits(name)) return "not a cell: the cell name \"" + name + "\" is not digits";
  return {};
}

std::string BayLineProblem(std::string_view line) {
  const std::string name = Trim(FirstField(line));
  const bool word = !name.empty() && std::all_of(name.begin(), name.end(), [](char ch) {
    return std::isalnum(static_cast<unsigned char>(ch)) != 0;
  });
  if (!word) return "not a bay: the bay name \"" + name + "\" before the first \";\" is not letters and digits";
  return {};
}

std::string TraBayLineProblem(std::string_view line) {
  if (Trim(Columns(line, 1, 3)).empty() || Trim(Columns(line, 5, 7)).empty() || HasControlCharacter(line))
    return "not a pair of bay codes (characters 1-3 and 5-7)";
  return {};
}

// Whether the line is read, and the reason in skipped when it is not.
bool Readable(std::string_view line, size_t index, LineRule rule, std::vector<SkippedLine>* skipped) {
  const std::string problem = rule(line);
  if (problem.empty()) return true;
  if (skipped) skipped->push_back({static_cast<int>(index) + 1, problem});
  return false;
}

// Why a definition file is none of its kind; empty when it is one.
std::string RefusalOf(std::string_view bytes, const std::vector<std::string>& lines, LineRule rule,
                      const char* kind) {
  if (IsBlankContent(bytes)) return std::string("is empty: no ") + kind;
  std::string reason = BinaryContentReason(bytes);
  if (!reason.empty()) return reason;
  const bool any = std::any_of(lines.begin(), lines.end(),
                               [rule](const std::string& l) { return !IsBlankLine(l) && rule(l).empty(); });
  return any ? std::string() : std::string("not one line is a ") + kind;
}

// Reads a definition file and refuses it when it is none of its kind. A
// last line the file ends inside (when its writer ends each line with
// lineEnd) is left blank and listed in cut.
bool ReadDefinitionFile(const std::filesystem::path& file, LineRule rule, const char* kind, char lineEnd,
                        std::vector<std::string>& lines, std::vector<SkippedLine>& cut, std::string& error) {
  std::string bytes;
  cut.clear();
  if (!ReadFileBytes(file, bytes, error)) return false;
  lines = SplitTextLines(bytes);
  const std::string refused = RefusalOf(bytes, lines, rule, kind);
  if (!refused.empty()) {
    lines.clear();
    error = file.string() + ": " + refused;
    return false;
  }
  if (lineEnd != 0 && EndsInsideALine(bytes, lineEnd)) {
    lines.back().clear();
    cut.push_back({static_cast<int>(lines.size()), std::string(kCutOffLine)});
  }
  return true;
}

}  // namespace

int ParseCelLines(PlanData& plan, const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped) {
  int count = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (count >= kMaxVesselCells) break;
    if (IsBlankLine(line) || !Readable(line, i, CelLineProblem, skipped)) continue;
    const auto f = SplitFields(line, 7);
    StructCel& cell = plan.Cells[count++];
    cell.CELL = std::string(Field(f, 0));
    cell.FL_RF = ParseInt(Field(f, 1));
    cell.LCG = ParseReal(Field(f, 2));
    cell.VCG = ParseReal(Field(f, 3));
    cell.TCG = ParseReal(Field(f, 4));
    cell.LCG_40 = ParseReal(Field(f, 5));
    cell.RESTR = ParseInt(Field(f, 6));
    ResetCellGeometry(cell);
  }
  return count;
}

int ParseBayLines(PlanData& plan, const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped) {
  int count = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (count >= kMaxBays) break;
    if (IsBlankLine(line) || !Readable(line, i, BayLineProblem, skipped)) continue;
    const auto f = SplitFields(line, kBayFieldCount);
    auto whole = [&f](size_t i) { return ParseInt(Field(f, i)); };
    StructBay& bay = plan.Bays[count++];
    bay = StructBay{};
    bay.BAY = std::string(Field(f, 0));
    bay.D00 = whole(1);
    bay.H00 = whole(2);
    bay.D40 = std::string(Field(f, 3));
    bay.H40 = std::string(Field(f, 4));
    bay.ROWSHIFT1 = whole(5);
    bay.ROWSHIFT2 = whole(6);
    bay.ROWSHIFT3 = whole(7);
    bay.ROWSHIFT4 = whole(8);
    bay.ROWSHIFT5 = whole(9);
    bay.D42 = whole(10);
    bay.H42 = whole(11);
    bay.HC_MAX = whole(12);
    bay.TWDK = whole(13);
    bay.XB15 = whole(14);
    bay.XB16 = whole(15);
    bay.HOLDSHIFT = std::string(Field(f, 16));
    bay.ATHWART = whole(17);
    for (int row = 0; row < kStackRows; ++row)
      for (int kind = 0; kind < kStackKinds; ++kind)
        bay.STACKW[row][kind] =
            ParseReal(Field(f, static_cast<size_t>(kStackwFirstField + row * kStackKinds + kind)));
    bay.YOFFSET = whole(kYOffsetField);
    bay.ROWWEIGHT = whole(kRowWeightField);  // 0 on the older 95-field lines
  }
  return count;
}

int ParseTraBayLines(PlanData& plan, const std::vector<std::string>& lines, std::vector<SkippedLine>* skipped) {
  int pairs = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (pairs >= kMaxBayTransPairs) break;
    if (IsBlankLine(line) || !Readable(line, i, TraBayLineProblem, skipped)) continue;
    plan.BayTrans[2 * pairs] = Columns(line, 1, 3);
    plan.BayTrans[2 * pairs + 1] = Columns(line, 5, 7);
    ++pairs;
  }
  return pairs;
}

int ParseHoldLines(PlanData& plan, const std::vector<std::string>& lines, std::vector<std::string>& problems) {
  const int bays = std::clamp(plan.BayCount, 0, kMaxBays);
  for (int b = 0; b < bays; ++b) plan.Bays[b].HOLD = 0;
  int given = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    if (IsBlankLine(lines[n])) continue;
    const auto f = SplitFields(lines[n], 2);
    const std::string bay = Trim(std::string(Field(f, 0)));
    const std::string holdText = Trim(std::string(Field(f, 1)));
    const std::string where = "line " + std::to_string(n + 1) + ": ";
    int b = 0;
    while (b < bays && plan.Bays[b].BAY != bay) ++b;
    if (b == bays) {
      problems.push_back(where + "no bay " + bay + " in the vessel");
      continue;
    }
    const bool whole = !holdText.empty() && holdText.find_first_not_of("0123456789") == std::string::npos &&
                       holdText.size() < 4;
    const int hold = whole ? ParseInt(holdText) : 0;
    if (hold <= 0) {
      problems.push_back(where + "the hold of bay " + bay + " is not a number above 0: \"" + holdText + "\"");
      continue;
    }
    if (plan.Bays[b].HOLD == 0) ++given;
    plan.Bays[b].HOLD = hold;
  }
  return given;
}

std::string CelLine(const StructCel& cell) {
  return cell.CELL + ";" + std::to_string(cell.FL_RF) + ";" + RealText(cell.LCG) + ";" + RealText(cell.VCG) +
         ";" + RealText(cell.TCG) + ";" + RealText(cell.LCG_40) + ";" + std::to_string(cell.RESTR) + ";";
}

std::string BayLine(const StructBay& bay) {
  std::string line;
  auto text = [&line](const std::string& value) { line += value + ";"; };
  auto whole = [&line](int value) { line += std::to_string(value) + ";"; };
  text(bay.BAY);
  whole(bay.D00);
  whole(bay.H00);
  text(bay.D40);
  text(bay.H40);
  whole(bay.ROWSHIFT1);
  whole(bay.ROWSHIFT2);
  whole(bay.ROWSHIFT3);
  whole(bay.ROWSHIFT4);
  whole(bay.ROWSHIFT5);
  whole(bay.D42);
  whole(bay.H42);
  whole(bay.HC_MAX);
  whole(bay.TWDK);
  whole(bay.XB15);
  whole(bay.XB16);
  text(bay.HOLDSHIFT);
  whole(bay.ATHWART);
  for (const auto& row : bay.STACKW)
    for (double w : row) line += RealText(w) + ";";
  whole(bay.YOFFSET);
  whole(bay.ROWWEIGHT);
  return line;
}

void LinkCellsToBays(PlanData& plan) {
  const int bayCount = std::clamp(plan.BayCount, 0, kMaxBays);
  const int cellCount = std::clamp(plan.CellCount, 0, kMaxVesselCells);
  for (int b = 0; b < bayCount; ++b) {
    plan.Bays[b].FIRSTCELL = 0;
    plan.Bays[b].LASTCELL = -1;
  }
  int current = -1;  // bay of the previous cell: the usual match
  for (int i = 0; i < cellCount; ++i) {
    StructCel& cell = plan.Cells[i];
    const std::string digits = BayDigits(plan, cell.CELL);
    if (current < 0 || !SameBayCode(plan.Bays[current].BAY, digits)) {
      current = -1;
      for (int b = 0; b < bayCount && current < 0; ++b)
        if (SameBayCode(plan.Bays[b].BAY, digits)) current = b;
    }
    if (current < 0) {
      cell.BAYIX = 0;
      continue;
    }
    cell.BAYIX = current;
    StructBay& bay = plan.Bays[current];
    if (bay.LASTCELL < 0) bay.FIRSTCELL = i;
    bay.LASTCELL = i;
  }
}

VesselData::VesselData(PlanData& plan, Host& host) : plan_(plan), host_(host) {}

std::filesystem::path VesselData::VesselFile(std::string_view name) const {
  const std::filesystem::path dir(plan_.VesselDir);
  std::filesystem::path found = FindFileNoCase(dir, name);
  return found.empty() ? dir / std::string(name) : found;
}

bool VesselData::WriteLines(std::string_view name, const std::vector<std::string>& lines) {
  if (plan_.VesselDir.empty()) {
    host_.ReportError(std::string(name) + ": no vessel is open");
    return false;
  }
  std::string error;
  if (!WriteTextLines(VesselFile(name), lines, error)) {
    host_.ReportError(error);
    return false;
  }
  return true;
}

bool VesselData::HasVesselTable(const std::string& name) const {
  if (plan_.VesselDir.empty()) return false;
  return !FindFileNoCase(plan_.VesselDir, name + ".txt").empty();
}

bool VesselData::OpenVessel() {
  // The directory and the definition files are checked before anything
  // changes: a failed open leaves the open vessel (and where its files are
  // saved) as it was.
  openFailureReported_ = false;
  if (plan_.CurVessel < 0 || plan_.CurVessel >= kMaxVessels) return false;
  const std::string dirName = Trim(plan_.VesselList[plan_.CurVessel * kVesselListFields + 1]);
  if (dirName.empty()) return false;
  const std::filesystem::path dir =
      std::filesystem::path(Trim(plan_.Settings[SettingsIx::VesselsRoot])) / dirName;
  const std::filesystem::path ptcFile = FindFileNoCase(dir, "ptc.txt");
  if (ptcFile.empty()) return false;
  std::string ptcBytes;
  std::string error;
  if (!ReadFileBytes(ptcFile, ptcBytes, error)) {
    host_.ReportError(error);
    openFailureReported_ = true;
    return false;
  }
  const std::string notParticulars = PtcRefusal(plan_, ptcBytes);
  if (!notParticulars.empty()) {
    host_.ReportError(ptcFile.string() + ": " + notParticulars);
    openFailureReported_ = true;
    return false;
  }
  const std::filesystem::path bayFile = FindFileNoCase(dir, "bay.txt");
  const std::filesystem::path celFile = FindFileNoCase(dir, "cel.txt");
  std::vector<std::string> bayLines;
  std::vector<std::string> celLines;
  std::vector<SkippedLine> bayCut;
  std::vector<SkippedLine> celCut;
  if ((!bayFile.empty() && !ReadDefinitionFile(bayFile, BayLineProblem, "bay line", ';', bayLines, bayCut, error)) ||
      (!celFile.empty() && !ReadDefinitionFile(celFile, CelLineProblem, "cell line", ';', celLines, celCut, error))) {
    host_.ReportError(error);
    openFailureReported_ = true;
    return false;
  }

  plan_.VesselDir = dir.string();
  plan_.VoyPortCount = 0;
  auto makeFolder = [this](const std::filesystem::path& parent, const std::string& name) {
    if (!FindFileNoCase(parent, name).empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(parent / name, ec);
    if (ec) host_.ReportError((parent / name).string() + ": " + ec.message());
  };
  makeFolder(dir, "EDI");
  makeFolder(dir, ConditionsFolderName(plan_));
  makeFolder(dir, "REPO");
  const std::string archiveRoot = Trim(plan_.Settings[SettingsIx::ArchiveRoot]);
  if (!archiveRoot.empty()) makeFolder(archiveRoot, dirName);

  ParsePtc(plan_, ptcBytes);
  const std::string ptcSkipped = SkippedLinesMessage(ptcFile, PtcSkippedLines(plan_, ptcBytes));
  if (!ptcSkipped.empty()) host_.ReportWarning(ptcSkipped);

  if (steps.ResetStabilityTables) steps.ResetStabilityTables();
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;

  plan_.BayCount = bayFile.empty() ? LoadBays() : TakeBayLines(bayFile, bayLines, bayCut);
  plan_.ConfigMode = 0;
  plan_.CellCount = celFile.empty() ? LoadCells() : TakeCellLines(celFile, celLines, celCut);

  // The quay data set and the unit in hand keep their contents.
  for (int set : {kCurPlane, kRefPlane, kVoyPlane}) {
    for (int i = 0; i < plan_.CellCount; ++i) {
      StructDat& record = plan_.Dat[set][i];
      record.WEIGHT = 0;
      record.STATUS = 0;
      record.FL3 = 0;
      record.BUNDLES = 0;
    }
  }

  LoadTraBay();
  LoadHolds();

  if (steps.LoadHydrostatics) steps.LoadHydrostatics();
  if (steps.LoadTanks) steps.LoadTanks();
  if (steps.ComputeLayout) steps.ComputeLayout();
  if (steps.SetStabilityDefaults) steps.SetStabilityDefaults();

  plan_.ArchiveMode = 0;
  plan_.LoadLineZone = 0;
  plan_.SeaDensity = 1.025;
  if (steps.RecomputeStability) steps.RecomputeStability();

  if (steps.LoadQuay) steps.LoadQuay();
  if (steps.ResetSelectionFilter) steps.ResetSelectionFilter();

  plan_.VesHdr[VesHdrIx::VesselOpened] = "1";
  plan_.VesHdr[VesHdrIx::OpenMark] = "*";
  return true;
}

void VesselData::LoadHolds() {
  std::vector<std::string> lines;
  const std::filesystem::path file = FindFileNoCase(plan_.VesselDir, "hld.txt");
  std::string error;
  if (!file.empty() && !ReadTextLines(file, lines, error)) {
    host_.ReportError(error);
    lines.clear();
  }
  std::vector<std::string> problems;
  ParseHoldLines(plan_, lines, problems);
  // One message for the file, not one box per line.
  std::string message;
  for (const std::string& problem : problems) message += (message.empty() ? "" : "\n") + file.string() + ": " + problem;
  if (!message.empty()) host_.ReportError(message);
}

void VesselData::LoadTraBay() {
  plan_.BayTransCount = 0;
  const std::filesystem::path file = FindFileNoCase(plan_.VesselDir, "tra_bay.txt");
  if (file.empty()) return;
  std::vector<std::string> lines;
  std::vector<SkippedLine> skipped;
  std::string error;
  if (!ReadDefinitionFile(file, TraBayLineProblem, "pair of bay codes", 0, lines, skipped, error)) {
    host_.ReportError(error + ": the bay codes are not translated");
    return;
  }
  plan_.BayTransCount = ParseTraBayLines(plan_, lines, &skipped);
  WarnSkipped(file, skipped);
}

void VesselData::WarnSkipped(const std::filesystem::path& file, std::vector<SkippedLine> skipped) {
  if (skipped.empty()) return;
  std::sort(skipped.begin(), skipped.end(), [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
  host_.ReportWarning(SkippedLinesMessage(file, skipped));
}

int VesselData::TakeBayLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                             std::vector<SkippedLine> skipped) {
  plan_.BayCount = ParseBayLines(plan_, lines, &skipped);
  WarnSkipped(file, std::move(skipped));
  return plan_.BayCount;
}

int VesselData::TakeCellLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                              std::vector<SkippedLine> skipped) {
  plan_.CellCount = ParseCelLines(plan_, lines, &skipped);
  WarnSkipped(file, std::move(skipped));
  LinkCellsToBays(plan_);
  return plan_.CellCount;
}

int VesselData::LoadBays() {
  const std::filesystem::path dir(plan_.VesselDir);
  const std::filesystem::path file = FindFileNoCase(dir, "bay.txt");
  if (file.empty()) {
    const std::filesystem::path table = FindFileNoCase(dir, "BAY.dbf");
    if (table.empty()) {
      host_.ReportError((dir / "bay.txt").string() + ": missing, and no table BAY.dbf to build it from");
      plan_.BayCount = 0;
    } else {
      plan_.BayCount = LoadLegacyBays(table);
    }
    return plan_.BayCount;
  }
  std::vector<std::string> lines;
  std::vector<SkippedLine> cut;
  std::string error;
  if (!ReadDefinitionFile(file, BayLineProblem, "bay line", ';', lines, cut, error)) host_.ReportError(error);
  return TakeBayLines(file, lines, cut);
}

int VesselData::LoadLegacyBays(const std::filesystem::path& tableFile) {
  std::string error;
  auto table = DbfTable::Open(tableFile, error);
  if (!table) {
    host_.ReportError(error);
    return 0;
  }
  struct StackColumn {
    int field, row, kind;
  };
  std::vector<StackColumn> stackColumns;
  for (int field = 0; field < table->FieldCount(); ++field) {
    int row = 0, kind = 0;
    if (ParseStackColumn(table->FieldName(field), row, kind)) stackColumns.push_back({field, row, kind});
  }
  // "XX" columns first, so a column of a single row overrides them whatever
  // the order of the columns.
  std::stable_partition(stackColumns.begin(), stackColumns.end(),
                        [](const StackColumn& c) { return c.row < 0; });

  std::array<double, kStackKinds> defaults{};
  for (int kind = 0; kind < kStackKinds; ++kind)
    defaults[kind] = ParseReal(plan_.VesHdr[VesHdrIx::StackLimitDeck20 + kind]);

  const int records = std::min(table->RecordCount(), kMaxBays);
  std::vector<std::string> lines;
  for (int r = 0; r < records; ++r) {
    auto text = [&](const char* name) {
      const int field = table->FieldIndex(name);
      return field < 0 ? std::string() : table->Read(r, field);
    };
    auto whole = [&](const char* name) { return ParseInt(text(name)); };
    StructBay bay;
    bay.BAY = table->Read(r, 0);
    bay.D00 = whole("D00");
    bay.H00 = whole("H00");
    bay.D40 = text("D40");
    bay.H40 = text("H40");
    bay.ROWSHIFT1 = whole("ROWSHIFT1");
    bay.ROWSHIFT2 = whole("ROWSHIFT2");
    bay.ROWSHIFT3 = whole("ROWSHIFT3");
    bay.ROWSHIFT4 = whole("ROWSHIFT4");
    bay.ROWSHIFT5 = whole("ROWSHIFT5");
    bay.D42 = whole("D42");
    bay.H42 = whole("H42");
    bay.HC_MAX = whole("HC_MAX");
    bay.TWDK = whole("TWDK");
    if (bay.TWDK > 10) bay.TWDK = 0;  // old tables hold other figures there
    bay.XB15 = whole("XB15");
    bay.XB16 = whole("XB16");
    bay.HOLDSHIFT = text("HOLDSHIFT");
    bay.ATHWART = whole("ATHWART");
    bay.YOFFSET = whole("YOFFSET");
    bay.ROWWEIGHT = whole("ROWWEIGHT");
    for (const StackColumn& c : stackColumns) {
      const double w = ParseReal(table->Read(r, c.field));
      if (w <= 0) continue;
      if (c.row < 0)
        for (auto& row : bay.STACKW) row[c.kind] = w;
      else
        bay.STACKW[c.row][c.kind] = w;
    }
    for (auto& row : bay.STACKW)
      for (int kind = 0; kind < kStackKinds; ++kind)
        if (row[kind] <= 0) row[kind] = defaults[kind];
    lines.push_back(BayLine(bay));
  }
  WriteLines("bay.txt", lines);
  return TakeBayLines(std::filesystem::path(plan_.VesselDir) / "bay.txt", lines, {});
}

int VesselData::LoadCells() {
  const std::filesystem::path dir(plan_.VesselDir);
  const std::filesystem::path file = FindFileNoCase(dir, "cel.txt");
  std::vector<std::string> lines;
  std::vector<SkippedLine> cut;
  if (file.empty()) {
    const std::filesystem::path table = FindFileNoCase(dir, "Cel.dbf");
    if (table.empty())
      host_.ReportError((dir / "cel.txt").string() + ": missing, and no table Cel.dbf to build it from");
    else
      lines = LegacyCellLines(table);
  } else {
    std::string error;
    if (!ReadDefinitionFile(file, CelLineProblem, "cell line", ';', lines, cut, error)) host_.ReportError(error);
  }
  return TakeCellLines(file.empty() ? dir / "cel.txt" : file, lines, cut);
}

std::vector<std::string> VesselData::LegacyCellLines(const std::filesystem::path& tableFile) {
  // The old cell table's columns are taken by position.
  constexpr int kCellField = 0, kReeferField = 25, kLcgField = 26, kVcgField = 27, kTcgField = 28,
                kLcg40Field = 29;
  std::string error;
  auto table = DbfTable::Open(tableFile, error);
  std::vector<std::string> lines;
  if (!table) {
    host_.ReportError(error);
    return lines;
  }
  const int records = std::min(table->RecordCount(), kMaxVesselCells);
  lines.reserve(static_cast<size_t>(std::max(records, 0)));
  for (int r = 0; r < records; ++r) {
    StructCel cell;
    cell.CELL = table->Read(r, kCellField);
    cell.FL_RF = ParseInt(table->Read(r, kReeferField));
    cell.LCG = ParseReal(table->Read(r, kLcgField));
    cell.VCG = ParseReal(table->Read(r, kVcgField));
    cell.TCG = ParseReal(table->Read(r, kTcgField));
    cell.LCG_40 = ParseReal(table->Read(r, kLcg40Field));
    if (cell.LCG >= kNoUnitLcg)
      cell.RESTR = 4;
    else if (cell.LCG_40 >= kNoUnitLcg)
      cell.RESTR = 2;
    else
      cell.RESTR = 0;
    lines.push_back(CelLine(cell));
  }
  WriteLines("cel.txt", lines);
  return lines;
}

bool VesselData::SaveCells() {
  std::vector<std::string> lines;
  const int count = std::clamp(plan_.CellCount, 0, kMaxVesselCells);
  lines.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(CelLine(plan_.Cells[i]));
  if (!WriteLines("cel.txt", lines)) return false;
  plan_.CelChanged = 0;
  return true;
}

bool VesselData::SaveBays() {
  std::vector<std::string> lines;
  const int count = std::clamp(plan_.BayCount, 0, kMaxBays);
  for (int b = 0; b < count; ++b) lines.push_back(BayLine(plan_.Bays[b]));
  if (!WriteLines("bay.txt", lines)) return false;
  // The holds go with the bays, so that a bay added or removed keeps them in
  // step; a vessel that never had them gets no hld.txt.
  std::vector<std::string> holds;
  bool anyHold = false;
  for (int b = 0; b < count; ++b) {
    anyHold = anyHold || plan_.Bays[b].HOLD > 0;
    if (plan_.Bays[b].HOLD > 0) holds.push_back(plan_.Bays[b].BAY + ";" + std::to_string(plan_.Bays[b].HOLD) + ";");
  }
  if (anyHold && !WriteLines("hld.txt", holds)) return false;
  plan_.BayChanged = 0;
  return true;
}

void VesselData::CompactVessel() {
  const int cellCount = std::clamp(plan_.CellCount, 0, kMaxVesselCells);
  const int bayCount = std::clamp(plan_.BayCount, 0, kMaxBays);
  DataSet& working = plan_.Cur();
  int keptCells = 0;
  int keptBays = 0;
  // Old bays before nextBay are moved or dropped; keptBays <= nextBay always,
  // so moving a bay down never overwrites one still to be looked at.
  int nextBay = 0;
  int currentBay = -1;  // new index of the bay of the previous kept cell
  std::string previousDigits;
  for (int i = 0; i < cellCount; ++i) {
    if (plan_.Cells[i].RESTR == kDeletedCell) continue;
    const std::string digits = BayDigits(plan_, plan_.Cells[i].CELL);
    if (keptCells == 0 || digits != previousDigits) {
      previousDigits = digits;
      int found = -1;
      for (int b = nextBay; b < bayCount && found < 0; ++b)
        if (SameBayCode(plan_.Bays[b].BAY, digits)) found = b;
      if (found >= 0) {
        if (found != keptBays) plan_.Bays[keptBays] = plan_.Bays[found];
        currentBay = keptBays++;
        nextBay = found + 1;
      } else {
        // Cells of a bay already passed (out of order) join it; a bay the
        // list lacks gets 0, as when the cells are loaded.
        currentBay = -1;
        for (int b = 0; b < keptBays && currentBay < 0; ++b)
          if (SameBayCode(plan_.Bays[b].BAY, digits)) currentBay = b;
      }
    }
    plan_.Cells[i].BAYIX = std::max(currentBay, 0);
    if (i != keptCells) {
      plan_.Cells[keptCells] = plan_.Cells[i];
      working[keptCells] = working[i];
    }
    ++keptCells;
  }
  // The vacated tail holds no cell: it must not bring back a unit or a
  // bay when the configuration later grows again.
  for (int i = keptCells; i < cellCount; ++i) {
    plan_.Cells[i] = StructCel{};
    working[i] = StructDat{};
  }
  for (int b = keptBays; b < bayCount; ++b) plan_.Bays[b] = StructBay{};
  plan_.CellCount = keptCells;
  plan_.BayCount = keptBays;
  LinkCellsToBays(plan_);  // FIRSTCELL and LASTCELL of the moved bays
  plan_.CelChanged = 1;
  plan_.BayChanged = 1;
}

std::string VesselData::TranslateBayCode(const std::string& position, bool toOwn) const {
  const int pairs = std::clamp(plan_.BayTransCount, 0, kMaxBayTransPairs);
  const std::string bayCode = Columns(position, 1, 3);
  for (int k = 0; k < pairs; ++k) {
    const std::string& own = plan_.BayTrans[2 * k];
    const std::string& outside = plan_.BayTrans[2 * k + 1];
    if (bayCode == (toOwn ? outside : own)) return (toOwn ? own : outside) + Columns(position, 4, 7);
  }
  return position;
}
