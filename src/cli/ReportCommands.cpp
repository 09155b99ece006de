#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "conditions/ConditionList.h"
#include "conditions/CsvExport.h"
#include "conditions/ListColumns.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "reports/ContainersList.h"
#include "reports/RdrReport.h"
#include "reports/Totals.h"

namespace {

constexpr int kRestowLayout = 9;

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::vector<std::string> CommaList(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const size_t end = comma == std::string::npos ? text.size() : comma;
    if (end > start) parts.push_back(text.substr(start, end - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

// A grouping column named by its list heading (any case) or its number.
int ColumnNamed(const PlanData& plan, const std::string& name) {
  const std::string wanted = Upper(Trim(name));
  for (int c = 0; c < kMaxRepNames; ++c)
    if (!wanted.empty() && Upper(Trim(plan.RepNames[static_cast<size_t>(c)])) == wanted) return c;
  if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() < 3)
    return ParseInt(wanted) < kMaxRepNames ? ParseInt(wanted) : -1;
  return -1;
}

// The report kinds and, for the RDR report, its grouping.
struct Kind {
  const char* name;
  int rdrGrouping;  // 0: not an RDR report
};
constexpr Kind kKinds[] = {{"containers", 0}, {"restows", 0},    {"totals", 0},      {"rdr-pod", 1},
                           {"rdr-pol", 2},    {"rdr-pol-pod", 3}, {"rdr-pod-pol", 4}};

// CSV as the program's other CSV files are: ";" between fields when the
// decimal separator is ",", else ","; every field followed by it.
class CsvLine {
 public:
  CsvLine() : separator_(DecimalSeparator() == ',' ? ';' : ',') {}
  void Add(const std::string& value) {
    std::string field = Trim(value);
    std::replace(field.begin(), field.end(), separator_, ' ');
    text_ += field;
    text_ += separator_;
  }
  const std::string& Text() const { return text_; }

 private:
  char separator_;
  std::string text_;
};

// Cuts a fixed-width line into fields of the given widths; what is left
// after the last one is not a field.
std::vector<std::string> Fields(const std::string& line, size_t at, const std::vector<int>& widths) {
  std::vector<std::string> fields;
  for (int w : widths) {
    fields.push_back(at < line.size() ? line.substr(at, static_cast<size_t>(w)) : std::string());
    at += static_cast<size_t>(w);
  }
  return fields;
}

std::vector<std::string> ContainersCsv(const PlanData& plan, const ContainersList& list,
                                       const std::vector<int>& columns, bool sequence) {
  // Every column is its width and one blank; numbered rows start with five.
  std::vector<int> widths;
  for (int c : columns) widths.push_back(ListColumnWidth(plan, c) + 1);
  const size_t start = sequence ? 5 : 0;
  std::vector<std::string> lines;
  CsvLine header;
  if (sequence) header.Add("SEQ");
  for (const std::string& f : Fields(list.header, start, widths)) header.Add(f);
  lines.push_back(header.Text());
  for (const ListRow& row : list.rows) {
    CsvLine line;
    if (sequence) line.Add(row.text.substr(0, start));
    for (const std::string& f : Fields(row.text, start, widths)) line.Add(f);
    lines.push_back(line.Text());
  }
  return lines;
}

std::vector<std::string> TotalsCsv(const PlanData& plan, const TotalsReport& report,
                                   const std::vector<int>& columns) {
  std::vector<int> keyWidths;
  for (int c : columns) keyWidths.push_back(ListColumnWidth(plan, c) + 1);
  std::vector<int> widths{5, 5, 6, 5, 5, 5, 5, 5};
  std::vector<std::string> names{"20' FULL", "40' FULL", "FULL TONS", "FULL TEU", "FULL AVG",
                                 "20' EMPTY", "40' EMPTY", "EMPTY TEU"};
  if (report.breakBulk) {
    widths.insert(widths.end(), {4, 5, 5});
    names.insert(names.end(), {"BB", "BB TONS", "BB TEU"});
  }
  widths.insert(widths.end(), {7, 6, 5, 4, 5});
  names.insert(names.end(), {"UNITS", "TONS", "TEU", "BDL", "AVG"});
  std::vector<std::string> lines;
  CsvLine header;
  for (int c : columns) header.Add(ListColumnHeading(plan, c));
  header.Add("LEVEL");
  for (const std::string& name : names) header.Add(name);
  lines.push_back(header.Text());
  for (const TotalsLine& total : report.lines) {
    if (total.level < 0) continue;
    CsvLine line;
    for (const std::string& f : Fields(total.text, 0, keyWidths)) line.Add(f);
    line.Add(std::to_string(total.level));
    for (const std::string& f : Fields(total.text, static_cast<size_t>(report.keyWidth), widths)) line.Add(f);
    lines.push_back(line.Text());
  }
  return lines;
}

// Printed (blanks at the ends of lines dropped) or written whole to out.
int Emit(Installation& inst, const std::vector<std::string>& lines, const std::string& out) {
  if (out.empty()) {
    for (const std::string& line : lines) std::printf("%s\n", TrimRight(line).c_str());
    return inst.host.errorCount > 0 ? 1 : 0;
  }
  std::string error;
  if (!WriteTextLines(out, lines, error)) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s: %zu lines\n", out.c_str(), lines.size());
  return inst.host.errorCount > 0 ? 1 : 0;
}

// The voyage data set of the open condition's voyage.
void BuildVoyage(OpenedCondition& opened, PlanData& plan) {
  ConditionList list(opened.ctx, opened.conditions);
  list.FillConditionList();
  plan.VoyUnitCount = 0;  // built afresh, so that PolList holds this voyage's ports
  list.BuildVoyageDataSet(plan.VesHdr[VesHdrIx::Voy]);
}

}  // namespace

int CmdReport(Installation& inst, const ReportArgs& args) {
  PlanData& plan = *inst.plan;
  const Kind* kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [&](const Kind& k) { return args.kind == k.name; });
  if (kind == std::end(kKinds)) {
    std::fprintf(stderr,
                 "error: no report \"%s\": the reports are containers, restows, totals, rdr-pol, rdr-pod, "
                 "rdr-pol-pod and rdr-pod-pol\n",
                 args.kind.c_str());
    return 2;
  }
  const std::string name = kind->name;
  if (kind->rdrGrouping > 0 && (args.voyage || args.selected || args.csv)) {
    std::fprintf(stderr, "error: the RDR report takes neither --voyage, --selected nor --csv\n");
    return 2;
  }
  const int layout = name == "restows" ? kRestowLayout : args.layout.empty() ? 0 : ParseInt(args.layout);
  if (name == "containers" && (args.layout.find_first_not_of("0123456789") != std::string::npos ||
                               layout < 0 || layout >= std::max(plan.TreCount, 1))) {
    std::fprintf(stderr, "error: --layout is a list layout from 0 to %d\n", std::max(plan.TreCount, 1) - 1);
    return 2;
  }
  TotalsOptions totals;
  totals.oneLevel = args.oneLevel;
  if (name == "totals") {
    for (const std::string& column : CommaList(args.by)) {
      const int c = ColumnNamed(plan, column);
      if (c < 0) {
        std::fprintf(stderr, "error: --by: no list column \"%s\"\n", column.c_str());
        return 2;
      }
      totals.columns.push_back(c);
    }
    if (totals.columns.empty() || totals.columns.size() > kMaxTotalsColumns) {
      std::fprintf(stderr, "error: --by takes one to four list columns, as POL,POD\n");
      return 2;
    }
  }

  OpenedCondition opened(inst);
  if (!opened.Open(inst, args.vessel, args.condition)) return 1;
  Selection& selection = opened.session.selection;

  if (kind->rdrGrouping > 0) {
    opened.stability.ComputeStability();
    RdrSources sources;
    sources.foreDraft = opened.stability.Results.ForeDraft;
    sources.aftDraft = opened.stability.Results.AftDraft;
    BuildVoyage(opened, plan);
    const RdrReport rdr = BuildRdrReport(plan, selection, static_cast<RdrGrouping>(kind->rdrGrouping), sources);
    if (!rdr.error.empty()) {
      std::fprintf(stderr, "error: %s\n", rdr.error.c_str());
      return 1;
    }
    return Emit(inst, rdr.lines, args.out);
  }

  const int plane = args.voyage ? plan.VoyPlane : plan.CurPlane;
  if (args.voyage) BuildVoyage(opened, plan);
  selection.RequestedPlane = plane;
  selection.ResetSelection();
  // The units handled at the condition's own port: its loads, or on
  // arrival its discharges.
  if (args.selected) selection.PresetConditionPort(plane);
  if (name == "restows") {
    DataSet& set = plan.Dat[static_cast<size_t>(plane)];
    for (StructDat& unit : set)
      if (unit.RESTOW <= 0) unit.SELECTED = 0;
  }

  std::vector<std::string> lines;
  bool none = false;
  if (name == "totals") {
    totals.plane = plane;
    const TotalsReport report = BuildTotals(plan, totals);
    none = report.units == 0;
    if (args.csv) {
      lines = TotalsCsv(plan, report, totals.columns);
    } else {
      for (const TotalsLine& line : report.lines) lines.push_back(line.text);
    }
  } else {
    ContainersListOptions options;
    options.plane = plane;
    options.layout = layout;
    options.sequence = args.sequence;
    const ContainersList list = BuildContainersList(plan, options);
    none = list.units == 0;
    lines = args.csv ? ContainersCsv(plan, list, LayoutColumns(plan, layout), args.sequence)
                     : ContainersListLines(list);
  }
  if (none && !args.csv) lines.push_back("no units");
  return Emit(inst, lines, args.out);
}

int CmdExportCsv(Installation& inst, const std::string& vessel, const std::string& condition, bool voyage,
                 const std::string& out) {
  OpenedCondition opened(inst);
  if (!opened.Open(inst, vessel, condition)) return 1;
  PlanData& plan = *inst.plan;
  const int plane = voyage ? plan.VoyPlane : plan.CurPlane;
  if (voyage) BuildVoyage(opened, plan);
  opened.session.selection.RequestedPlane = plane;
  opened.session.selection.ResetSelection();
  const int errorsBefore = inst.host.errorCount;
  if (!WriteCsvFile(opened.ctx, opened.conditions, plane, out) || inst.host.errorCount > errorsBefore) {
    std::fprintf(stderr, "error: %s was not written\n", out.c_str());
    return 1;
  }
  std::printf("%s written\n", out.c_str());
  return 0;
}
