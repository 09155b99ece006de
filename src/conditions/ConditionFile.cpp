#include "conditions/ConditionFile.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <system_error>

#include "conditions/UnitColumns.h"
#include "core/Host.h"
#include "core/InputCheck.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/SaveSet.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/UnitRules.h"
#include "planning/Quay.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

constexpr char kConditionSeparator = '|';
constexpr int kMaxStoredFields = 80;  // fields after the record type

// Raises a batch flag for the life of a scope, so that every way out of a
// read or a write lowers it again.
class BatchFlagScope {
 public:
  BatchFlagScope(PlanData& plan, int flag) : plan_(plan), flag_(flag) { plan_.BatchFlags[flag_] = 1; }
  ~BatchFlagScope() { Release(); }
  void Release() { plan_.BatchFlags[flag_] = 0; }
  BatchFlagScope(const BatchFlagScope&) = delete;
  BatchFlagScope& operator=(const BatchFlagScope&) = delete;

 private:
  PlanData& plan_;
  int flag_;
};

class RemoveToQuayOff {
 public:
  explicit RemoveToQuayOff(PlanData& plan) : plan_(plan), saved_(plan.RemoveToQuay) { plan_.RemoveToQuay = 0; }
  ~RemoveToQuayOff() { plan_.RemoveToQuay = saved_; }
  RemoveToQuayOff(const RemoveToQuayOff&) = delete;
  RemoveToQuayOff& operator=(const RemoveToQuayOff&) = delete;

 private:
  PlanData& plan_;
  std::uint8_t saved_;
};

// What replaces the field separator inside a field, so that a text can
// never split its line on reading.
char SeparatorStandIn(char separator) {
  switch (separator) {
    case '|': return '/';
    case ',': return '.';
    default: return ',';
  }
}

// Appends field to line without the separator, CR or LF inside it, then the
// separator. A condition file also gets "." for ",", which is how its reader
// takes a comma anyway: the file then reads back to what was written.
void AppendField(std::string& line, std::string_view field, char separator) {
  const char standIn = SeparatorStandIn(separator);
  for (char ch : field) {
    if (ch == separator) ch = standIn;
    else if (ch == '\r' || ch == '\n') ch = ' ';
    else if (ch == ',' && separator == kConditionSeparator) ch = '.';
    line += ch;
  }
  line += separator;
}

bool IsConditionRecordType(std::string_view kind) {
  return kind == "A" || kind == "C" || kind == "T" || kind == "N";
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[i]);
    const auto b = static_cast<unsigned char>(prefix[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

// The number of the last line that holds text, as SplitFileFields counts.
int LastTextLine(std::string_view bytes, char separator) {
  int last = 0;
  SplitFileFields(bytes, separator, false, 1, [&](int line, std::span<const std::string>, bool) { last = line; });
  return last;
}

// Why bytes are no condition at all: empty, binary, or no line that begins
// with a record type and the separator. Empty when they are one.
std::string NotACondition(std::string_view bytes) {
  if (IsBlankContent(bytes)) return "is empty, not a condition";
  std::string reason = BinaryContentReason(bytes);
  if (!reason.empty()) return reason + ": not a condition";
  bool recordSeen = false;
  SplitFileFields(bytes, kConditionSeparator, false, 1, [&](int, std::span<const std::string> fields, bool separated) {
    if (separated && IsConditionRecordType(fields[0])) recordSeen = true;
  });
  if (!recordSeen) return "not a condition: no line begins with a record type (A, C, T or N) and \"|\"";
  return {};
}

bool ValidPlane(int plane) { return plane >= 0 && plane < kPlaneCount; }

const std::string& FieldOr(std::span<const std::string> fields, size_t i) {
  static const std::string kEmpty;
  return i < fields.size() ? fields[i] : kEmpty;
}

// Whether saving the working condition takes the unit off the plan: a unit
// discharged at the condition's port is no longer on board in a departure,
// prestowage or before-loading condition, one loaded there is not yet on
// board on arrival. Without a port the rule cannot apply.
bool NotOnBoardInCondition(const StructDat& unit, const std::string& port, const std::string& type) {
  if (port.empty() || unit.POD == unit.POL) return false;
  if (unit.POD == port && (type == "P" || type == "D" || type == "B")) return true;
  return unit.POL == port && type == "A";
}

int RecordCount(const PlanData& plan, int plane) {
  int n = plan.CellCount;
  if (plane == plan.VoyPlane) n = plan.VoyUnitCount;
  else if (plane == plan.QuayPlane) n = plan.QuayCount;
  return std::clamp(n, 0, kMaxCells);
}

std::string CsvValue(const PlanData& plan, const StructDat& unit, const UnitColumnTexts& columns,
                     const StructCsv& csv, bool fullReefer) {
  if (csv.COL == 99) return fullReefer ? csv.TEXT : std::string();
  std::string value;
  if (csv.COL == 0) value = DisplayPosition(plan, unit, " ");
  else if (csv.COL > 0 && csv.COL < kUnitColumnCount) value = columns[static_cast<size_t>(csv.COL)];
  if (Trim(csv.KIND) == "B") return value != "0" ? csv.TEXT : std::string();
  return value;
}

}  // namespace

std::string ConditionTypeName(std::string_view letter) {
  if (letter == "A") return "Arrival";
  if (letter == "D") return "Departure";
  if (letter == "P") return "Prestowage";
  if (letter == "B") return "Before Loading";
  return "";
}

void ConditionTitle(PlanData& plan) {
  const std::string& type = plan.VesHdr[VesHdrIx::Adp];
  const std::string typeName = ConditionTypeName(type);
  if (typeName.empty()) return;
  const std::string& voyage = plan.VesHdr[VesHdrIx::Voy];
  plan.PlaneTitle[plan.CurPlane] = PortName(plan, plan.VesHdr[VesHdrIx::Port]) + " / " + voyage + " " + typeName;
  plan.PlaneTitle[plan.VoyPlane] = voyage;
}

fs::path ConditionDirectory(const PlanData& plan) {
  return fs::path(plan.VesselDir) / plan.Settings[SettingsIx::ConditionsSubdir];
}

void SplitFileFields(std::string_view bytes, char separator, bool commaAsPoint, int maxFields,
                     const std::function<void(int line, std::span<const std::string> fields, bool separated)>& onLine) {
  std::vector<std::string> fields(static_cast<size_t>(std::max(maxFields, 1)));
  size_t count = 0;
  int line = 1;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  bool lineHasText = false;
  bool separated = false;
  while (p < end) {
    const char* start = p;
    while (p < end && *p != separator && *p != '\r' && *p != '\n') ++p;
    const bool atSeparator = p < end && *p == separator;
    if (atSeparator || p > start) {
      lineHasText = true;
      if (count < fields.size()) {
        std::string& field = fields[count];
        field.assign(start, p);
        if (commaAsPoint) std::replace(field.begin(), field.end(), ',', '.');
        ++count;
      }
    }
    if (atSeparator) {
      separated = true;
      ++p;
      continue;
    }
    // End of the line (or of the file): CR LF counts as one line end.
    if (lineHasText) onLine(line, std::span<const std::string>(fields.data(), count), separated);
    count = 0;
    lineHasText = false;
    separated = false;
    if (p < end) {
      if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
      ++p;
      ++line;
    }
  }
}

ConditionFile::ConditionFile(PlanContext& ctx) : ctx_(ctx) {}

void ConditionFile::Skip(int line, std::string reason) { skipped_.push_back({line, std::move(reason)}); }

ConditionWriteResult ConditionFile::WriteCondition(const std::string& name, bool asCsv, int plane, SaveSet* set) {
  PlanData& plan = ctx_.plan;
  ConditionWriteResult result;
  if (!ValidPlane(plane)) return result;
  const bool isQuay = plane == plan.QuayPlane && !asCsv;
  const bool isCondition = !asCsv && !isQuay;

  // The separator of quay and CSV files follows the locale's decimal
  // separator, so it is chosen before a condition switches to ".".
  const char separator = isCondition ? kConditionSeparator : (DecimalSeparator() == ',' ? ';' : ',');
  std::optional<PointDecimalScope> pointDecimal;
  if (isCondition) pointDecimal.emplace();

  fs::path path;
  if (isQuay) path = fs::path(plan.VesselDir) / "QUA.TXT";
  else if (asCsv) path = fs::path(plan.Settings[SettingsIx::SendingDir]) / name;
  else path = ConditionDirectory(plan) / name;
  std::error_code ec;
  result.existedBefore = fs::exists(path, ec);

  std::vector<std::string> lines;
  std::optional<BatchFlagScope> writing;
  if (isCondition) {
    lines.emplace_back();  // the header, made once the plan holds what the file holds
    ConditionTitle(plan);
    writing.emplace(plan, kBatchWriteCondition);
  } else if (asCsv) {
    std::string header;
    if (plane == plan.VoyPlane) AppendField(header, "VOY", separator);
    const int csvCount = std::clamp(plan.CsvCount, 0, kMaxCsvCols);
    for (int i = 0; i < csvCount; ++i) AppendField(header, plan.CsvCols[i].TEXT, separator);
    lines.push_back(std::move(header));
  }

  const std::string& port = plan.VesHdr[VesHdrIx::Port];
  const std::string& type = plan.VesHdr[VesHdrIx::Adp];
  std::string prefix;
  if (asCsv && plane == plan.VoyPlane)
    AppendField(prefix, Columns(plan.VesHdr[VesHdrIx::Code], 1, 3) + plan.VesHdr[VesHdrIx::Voy], separator);

  UnitColumnTexts columns;
  DataSet& records = plan.Dat[plane];
  const int n = RecordCount(plan, plane);
  for (int i = 0; i < n; ++i) {
    StructDat& unit = records[i];
    if (isQuay) {
      if (unit.STATUS <= 0 || unit.FL3 >= 1 || unit.SELECTED < 0) continue;
      UnitToColumns(plan, unit, columns);
      // The reader takes the file's separator from the first field, so that
      // field holds none of the three candidates; the bay digits follow the
      // position as it is written.
      std::string& position = columns[UnitCol::Position];
      std::replace_if(position.begin(), position.end(), [](char ch) { return ch == '|' || ch == ';' || ch == ','; },
                      ' ');
      position = Trim(position);
      columns[UnitCol::BayText] = Columns(position, 1, plan.BayLen);
      std::string line;
      for (int c = 0; c < kUnitColumnCount; ++c) AppendField(line, Trim(columns[c]), separator);
      lines.push_back(std::move(line));
      continue;
    }
    if (isCondition && unit.STATUS > 0 && NotOnBoardInCondition(unit, port, type)) {
      // Only the working data set is changed; a unit of another data set is
      // just left out of the file.
      if (plane == plan.CurPlane) {
        // The rule removes the unit whatever the selection shows, or it
        // would stay on the plan while the file says it is gone.
        unit.SELECTED = std::max(unit.SELECTED, 1);
        RemoveUnit(ctx_, i);
      }
      continue;
    }
    if (unit.STATUS <= 0) continue;
    if (asCsv && (unit.SELECTED <= 0 || unit.FL3 >= 1)) continue;
    UnitToColumns(plan, unit, columns);
    if (isCondition) {
      std::string line = "C";
      line += separator;
      for (int c = 0; c < kUnitColumnCount; ++c) {
        if (c >= UnitCol::FirstUnused && c <= UnitCol::BayText) line += separator;
        else AppendField(line, TrimRight(columns[c]), separator);
      }
      lines.push_back(std::move(line));
      continue;
    }
    // CSV: a unit carrying attached units gets a line for each of them. The
    // lines share its weight, as the containers list shows it, so that the
    // weight column adds up to the tonnes on board.
    int attachedLines = 0;
    if (unit.FL2 > 0)
      for (const std::string& eqa : unit.EQA)
        if (eqa.size() > 5) ++attachedLines;
    if (attachedLines > 0) {
      StructDat shared = unit;
      shared.WEIGHT = unit.WEIGHT / (1 + attachedLines);
      UnitToColumns(plan, shared, columns);
    }
    // Reefer temperatures only for full reefer units.
    const bool reefer = IsReeferType(plan, unit);
    if (!reefer || unit.MTY > 0) {
      columns[UnitCol::TempMin].clear();
      columns[UnitCol::TempMax].clear();
    }
    std::string values;
    const int csvCount = std::clamp(plan.CsvCount, 0, kMaxCsvCols);
    for (int k = 1; k < csvCount; ++k)
      AppendField(values, CsvValue(plan, unit, columns, plan.CsvCols[k], reefer && unit.MTY < 1), separator);
    std::string line = prefix;
    AppendField(line, unit.CONTAINER, separator);
    lines.push_back(line + values);
    if (unit.FL2 > 0) {
      for (const std::string& eqa : unit.EQA) {
        if (eqa.size() <= 5) continue;
        std::string extra = prefix;
        AppendField(extra, eqa, separator);
        lines.push_back(extra + values);
      }
    }
  }

  if (isCondition) {
    if (plane == plan.CurPlane && ctx_.stability.tanks().Count() > 0) {
      const Tanks& tanks = ctx_.stability.tanks();
      for (int t = 0; t < tanks.Count(); ++t) {
        std::string line = tanks.TankLine(t, std::string(1, separator));
        if (!line.empty()) lines.push_back(std::move(line));
      }
    } else if (plane == plan.CurPlane) {
      for (const std::vector<std::string>& tank : TankLines) {
        std::string line = "T";
        line += separator;
        for (const std::string& field : tank) AppendField(line, field, separator);
        lines.push_back(std::move(line));
      }
    }
    // The totals are taken after the units not on board were removed, so
    // that the header describes the units the file holds.
    std::string header = "A";
    header += separator;
    AppendField(header, plan.VesHdr[VesHdrIx::Vessel], separator);
    // The header names the file, never a folder: a condition written
    // elsewhere (a full path) reads back as the same condition.
    AppendField(header, fs::path(name).filename().string(), separator);
    const WeightItem total = ctx_.stability.Displacement();
    if (total.W == 0) {
      for (int k = 0; k < 3; ++k) AppendField(header, "0", separator);
    } else {
      AppendField(header, FormatFixed(total.Tonnes(), 3), separator);
      AppendField(header, FormatFixed(total.Lcg(), 3), separator);
      AppendField(header, FormatFixed(total.Vcg(), 3), separator);
    }
    AppendField(header, std::to_string(plan.LoadLineZone + 10), separator);
    lines.front() = std::move(header);
  }

  const bool savedCondition = isCondition && plane == plan.CurPlane;
  if (set) {
    set->AddLines(path, lines);
    if (savedCondition) set->OnCommitted([this] { ctx_.MarkConditionModified(false); });
    result.written = true;
    return result;
  }
  std::string error;
  if (!WriteTextLines(path, lines, error)) {
    ctx_.host.ReportError(error);
    return result;
  }
  result.written = true;
  pointDecimal.reset();
  if (writing) writing->Release();
  if (savedCondition) ctx_.MarkConditionModified(false);
  return result;
}

bool ConditionFile::ReadCondition(const fs::path& path, int plane, bool headerOnly) {
  PlanData& plan = ctx_.plan;
  skipped_.clear();
  rememberedPort_.clear();
  headerDone_ = false;
  if (!ValidPlane(plane)) return false;
  const bool working = plane == plan.CurPlane;

  std::error_code ec;
  if (!fs::exists(path, ec)) {
    // Only the working condition loses its identity; a missing reference
    // or voyage file must not rename the condition being worked on.
    if (working) {
      plan.VesHdr[VesHdrIx::Port].clear();
      plan.VesHdr[VesHdrIx::Voy].clear();
      plan.VesHdr[VesHdrIx::Adp].clear();
    }
    return false;
  }
  std::string bytes;
  std::string error;
  if (!ReadFileBytes(path, bytes, error)) {
    ctx_.host.ReportError(error);
    return false;
  }
  // Refused before anything changes: the condition open now stays.
  const std::string notACondition = NotACondition(bytes);
  if (!notACondition.empty()) {
    ctx_.host.ReportError(path.string() + ": " + notACondition);
    return false;
  }

  std::optional<BatchFlagScope> reading;
  if (working) reading.emplace(plan, kBatchReadCondition);

  // A last line the file ends inside would give a unit with half its
  // columns: it is passed over.
  const int cutLine =
      EndsInsideALine(bytes, kConditionSeparator, true) ? LastTextLine(bytes, kConditionSeparator) : 0;
  SplitFileFields(bytes, kConditionSeparator, true, kMaxStoredFields + 1,
                  [&](int line, std::span<const std::string> fields, bool separated) {
                    if (headerOnly && headerDone_) return;
                    if (line == cutLine) {
                      if (!headerOnly) Skip(line, std::string(kCutOffLine));
                      return;
                    }
                    if (!separated || !IsConditionRecordType(fields[0])) {
                      // An old end-of-file mark is no line.
                      if (!headerOnly && !IsBlankContent(fields[0]))
                        Skip(line, "not a line of a condition (A, C, T or N and \"|\")");
                      return;
                    }
                    ReadLine(line, fields, plane, headerOnly);
                  });
  if (headerOnly) return true;
  if (!skipped_.empty()) ctx_.host.ReportWarning(SkippedLinesMessage(path, skipped_));

  if (working) {
    // The flag goes first, or marking the condition read would be ignored.
    reading->Release();
    ctx_.MarkConditionModified(false);
    ConditionTitle(plan);
    plan.RedrawAll = 1;
    plan.PolCount = -1;
    plan.PodCount = -1;
    plan.LoadSequence = 0;
    if (plan.UnitInHandIndex >= 0 && plan.UnitInHandIndex < kMaxCells)
      plan.Cur()[plan.UnitInHandIndex] = StructDat{};
  }
  return true;
}

void ConditionFile::ReadLine(int line, std::span<const std::string> fields, int plane, bool headerOnly) {
  const std::string& kind = fields[0];
  if (kind == "A") {
    ReadHeader(fields, plane, headerOnly);
    return;
  }
  if (headerOnly) return;
  if (kind == "C") {
    ReadUnit(line, fields, plane);
  } else if (plane == ctx_.plan.CurPlane) {
    if (kind == "T" && fields.size() > 1) ReadTank(fields);
    else if (kind == "N") ReadNotes(line, fields);
  }
}

void ConditionFile::ReadTank(std::span<const std::string> fields) {
  Tanks& tanks = ctx_.stability.tanks();
  // A vessel without a tank table keeps the lines as they are, so that a
  // save does not lose them; with one, an unknown tank is passed over.
  if (tanks.Count() == 0) TankLines.emplace_back(fields.begin() + 1, fields.end());
  else tanks.SetTankByName(fields[1], ParseReal(FieldOr(fields, 2)));
}

void ConditionFile::ReadHeader(std::span<const std::string> fields, int plane, bool headerOnly) {
  PlanData& plan = ctx_.plan;
  headerDone_ = true;
  const std::string& fileName = FieldOr(fields, 2);
  rememberedPort_ = Columns(fileName, 2, 4);
  if (plane != plan.CurPlane) return;

  // temp.TXT stands in for the condition that was open: it keeps its name.
  if (!StartsWithNoCase(fileName, "temp")) {
    plan.VesHdr[VesHdrIx::Port] = rememberedPort_;
    const size_t dot = fileName.find('.');
    const std::string stem = fileName.substr(0, dot);
    plan.VesHdr[VesHdrIx::Voy] = stem.size() > 4 ? stem.substr(4) : std::string();
    plan.VesHdr[VesHdrIx::Adp] = fileName.substr(0, 1);
  }
  // Reading the header alone leaves the loaded units and their weights as
  // they are: the weight sums must keep matching the units in the cells.
  if (headerOnly) return;

  // The selection filter starts afresh: every unit of the working data set
  // is selected, so that the removal below takes them all.
  for (int i = 0; i < std::clamp(plan.CellCount, 0, kMaxCells); ++i) plan.Cur()[i].SELECTED = 1;
  ctx_.SelectionStale = true;

  // Zones outside the five known ones read as summer.
  const int zone = ParseInt(FieldOr(fields, 6)) - 10;
  plan.LoadLineZone = zone >= 0 && zone <= 4 ? zone : 0;
  plan.SeaDensity = plan.LoadLineZone == 4 ? 1.000 : 1.025;

  // Tank contents come with the condition's tank lines: every tank starts
  // empty (its weight and spread leave the sums with it).
  TankLines.clear();
  if (ctx_.stability.tanks().Count() > 0) ctx_.stability.tanks().ResetTanks();
  ctx_.stability.ClearWeightItems(kContainersItem, ctx_.stability.ItemCount() - 1);
  // The stored totals, for the stability frame to take over.
  HeaderTotals.displacement = ParseReal(FieldOr(fields, 3));
  HeaderTotals.lcg = ParseReal(FieldOr(fields, 4));
  HeaderTotals.vcg = ParseReal(FieldOr(fields, 5));
  ctx_.stability.Saved = {HeaderTotals.displacement, HeaderTotals.lcg, HeaderTotals.vcg};

  RemoveToQuayOff noQuay(plan);
  ClearAllUnits(ctx_);
}

void ConditionFile::ReadUnit(int line, std::span<const std::string> fields, int plane) {
  PlanData& plan = ctx_.plan;
  const std::span<const std::string> columns = fields.subspan(1);
  const std::string& position = FieldOr(columns, UnitCol::Position);
  const int cell = FindCellByPosition(plan, position);
  if (cell < 0) {
    Skip(line, "position " + position + " is not a cell of the vessel");
    return;
  }
  const std::string& status = FieldOr(columns, UnitCol::Status);
  if (ParseInt(status) < 1) {
    Skip(line, "status " + (status.empty() ? std::string("(empty)") : status) + " is not a unit's own cell");
    return;
  }

  if (plane == plan.CurPlane) {
    if (plan.UnitInHandIndex < 0 || plan.UnitInHandIndex >= kMaxCells) return;
    ColumnsToUnit(plan, columns, plan.Cur()[plan.UnitInHandIndex]);
    if (!PlaceUnit(ctx_, cell, kPlaceFromFile)) {
      if (plan.PlacementError == kErrNone)
        Skip(line, "position " + position + " or its 40' partner cell is already taken");
      else
        Skip(line, "refused by the stack rules (code " + std::to_string(plan.PlacementError) + ")");
    }
    return;
  }

  // Another data set: the unit in hand of the working data set is left
  // alone, the record goes straight where it belongs.
  StructDat unit;
  ColumnsToUnit(plan, columns, unit);
  unit.ONDECK = IsDeckTier(TierOf(plan, position)) ? 1 : 0;
  if (unit.FL3 >= 1) return;
  if (plane == plan.VoyPlane) {
    if (unit.POL != rememberedPort_) return;
    const int index = std::max(plan.VoyUnitCount, 0);
    if (index >= kMaxCells) {
      Skip(line, "the voyage data set is full (" + std::to_string(kMaxCells) + " units)");
      return;
    }
    plan.Dat[plane][index] = std::move(unit);
    plan.VoyUnitCount = index + 1;
  } else if (plane == plan.RefPlane) {
    plan.Dat[plane][cell] = std::move(unit);
  }
}

void ConditionFile::ReadNotes(int line, std::span<const std::string> fields) {
  PlanData& plan = ctx_.plan;
  const std::string& container = FieldOr(fields, 1);
  const int cell = FindUnitByNumber(plan, container, plan.CurPlane);
  if (cell < 0) {
    Skip(line, "notes for unit " + container + ", which is not on board");
    return;
  }
  auto apply = [&](StructDat& unit) {
    unit.NOTE_HAN = FieldOr(fields, 2);
    unit.NOTE_CLR = FieldOr(fields, 3);
    unit.NOTE_AAA = FieldOr(fields, 4);
    unit.NOTE_ZZZ = FieldOr(fields, 5);
    for (size_t k = 0; k < 5; ++k) {
      unit.EQA[k] = FieldOr(fields, 6 + k);
      unit.IMO[k + 1] = FieldOr(fields, 11 + k);
      unit.UN[k + 1] = FieldOr(fields, 16 + k);
    }
    unit.FL2 = HandlingClass(unit);
  };
  StructDat& unit = plan.Cur()[cell];
  apply(unit);
  // Both cells of a 40' unit hold the whole unit; they stay alike.
  if (!Is20Foot(unit)) {
    const int partner = FortyPartnerCell(plan, cell);
    if (partner >= 0 && plan.Cur()[partner].STATUS == -1) apply(plan.Cur()[partner]);
  }
}

bool ConditionFile::ReadQuayFile() {
  PlanData& plan = ctx_.plan;
  skipped_.clear();
  const fs::path path = fs::path(plan.VesselDir) / "QUA.TXT";
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    ClearQuay(plan);
    return true;
  }
  std::string bytes;
  std::string error;
  if (!ReadFileBytes(path, bytes, error)) {
    ctx_.host.ReportError(error);
    return false;
  }
  // An empty quay is written as an empty file.
  const size_t at = bytes.find_first_of(",;|");
  std::string refused = BinaryContentReason(bytes);
  if (refused.empty() && at == std::string::npos && !IsBlankContent(bytes))
    refused = "no line holds a field separator (\",\", \";\" or \"|\")";
  if (!refused.empty()) {
    // The quay in memory stays as it was.
    ctx_.host.ReportError(path.string() + ": " + refused + ": not a quay file");
    return false;
  }
  ClearQuay(plan);
  if (at == std::string::npos) return true;
  const char separator = bytes[at];
  const int cutLine = EndsInsideALine(bytes, separator) ? LastTextLine(bytes, separator) : 0;
  bool full = false;
  SplitFileFields(bytes, separator, false, kMaxStoredFields, [&](int line, std::span<const std::string> fields, bool separated) {
    if (full) return;
    if (line == cutLine) {
      Skip(line, std::string(kCutOffLine));
      return;
    }
    if (!separated) {
      if (!IsBlankContent(fields[0])) Skip(line, std::string("no field separator \"") + separator + "\": not a unit");
      return;
    }
    if (!PutToQuay(plan, ColumnsToUnit(plan, fields))) {
      full = true;
      Skip(line, "the quay is full (" + std::to_string(kMaxCells) + " units); the rest of the file is not read");
    }
  });
  if (!skipped_.empty()) ctx_.host.ReportWarning(SkippedLinesMessage(path, skipped_));
  return true;
}
