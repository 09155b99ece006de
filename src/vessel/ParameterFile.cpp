#include "vessel/ParameterFile.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

// What a section's line reader may touch.
struct SectionContext {
  PlanData& plan;
  std::vector<std::string>& totalsLabels;
  int& segRows;
};

using LineReader = void (*)(SectionContext&, const std::string&);

std::string Col(const std::string& line, int first, int last) { return Columns(line, first, last); }
int IntCol(const std::string& line, int first, int last) { return ParseInt(Columns(line, first, last)); }

void ReadIso(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.IsoCount >= kMaxIsos) return;
  StructIso& iso = p.Isos[p.IsoCount++];
  iso.GROUP = Col(line, 1, 2);
  iso.CODE = Col(line, 3, 4);
  iso.TYPE = Col(line, 5, 6);
  iso.DESCR = Col(line, 9, 28);
}

void ReadTyp(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.TypeCount >= kMaxTypes) return;
  StructTyp& typ = p.Types[p.TypeCount++];
  typ.TYP = Col(line, 1, 2);
  typ.DESCR = Col(line, 4, 18);
  typ.ISO20 = Col(line, 19, 22);
  typ.ISO40 = Col(line, 24, 27);
  typ.ISO45 = Col(line, 29, 32);
  typ.ISO48 = Col(line, 34, 37);
  if (Col(line, 39, 39) == "1" && p.ReeferTypeCount < kMaxReeferTypes)
    p.ReeferTypes[p.ReeferTypeCount++] = Trim(typ.TYP);
}

void ReadImo(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.ImoCount >= kMaxImos) return;
  StructImo& imo = p.Imos[p.ImoCount++];
  imo.CLASS = Col(line, 1, 3);
  imo.TEXT = Col(line, 4, 89);
  imo.VALUE = IntCol(line, 91, 105);
}

void ReadSiz(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.SizeCount >= kMaxSizes) return;
  p.Sizes[p.SizeCount++] = Col(line, 1, 3);
}

// One matrix row per line; column k (one digit at character 5 + k) for each
// IMO class known when the line is read.
void ReadSeg(SectionContext& c, const std::string& line) {
  if (c.segRows >= kSegSize) return;
  auto& row = c.plan.SegTable[c.segRows++];
  const int columns = std::clamp(c.plan.ImoCount, 0, kSegSize);
  for (int k = 0; k < columns; ++k) row[k] = IntCol(line, 5 + k, 5 + k);
}

// The container-ship segregation table: one requirement and pairing per
// line; the distances stay text until the check reads them.
void ReadCsg(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.CsgCount >= kMaxCsg) return;
  StructCsg& csg = p.Csg[p.CsgCount++];
  csg.CODE = IntCol(line, 1, 1);
  csg.PAIR = Col(line, 3, 4);
  csg.VERT = Col(line, 6, 6);
  csg.FAD = Trim(Col(line, 8, 19));
  csg.FAH = Trim(Col(line, 21, 32));
  csg.ATD = Trim(Col(line, 34, 45));
  csg.ATH = Trim(Col(line, 47, 58));
  csg.MIX = Trim(Col(line, 60, 71));
}

void ReadVes(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.VesParamCount >= kMaxVesParams) return;
  StructPat& pat = p.VesParams[p.VesParamCount++];
  pat.CAPTION = Col(line, 1, 21);
  pat.KIND = Col(line, 22, 22);
  pat.FORMAT = Col(line, 23, 24);
  pat.INDEX = IntCol(line, 25, 27);
}

void ReadVet(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.VetCount >= kMaxVet) return;
  p.Vet[p.VetCount++] = Trim(Col(line, 1, 10));
}

void ReadCsv(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.CsvCount >= kMaxCsvCols) return;
  StructCsv& csv = p.CsvCols[p.CsvCount++];
  csv.COL = IntCol(line, 1, 2);
  csv.KIND = Col(line, 4, 4);
  csv.TEXT = Trim(Col(line, 6, 15));
}

void ReadLis(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.LisCount >= kMaxLisCols) return;
  StructLis& lis = p.LisCols[p.LisCount++];
  lis.COL = IntCol(line, 1, 2);
  lis.POS = IntCol(line, 22, 25);
  lis.LEN = IntCol(line, 29, 32);
  lis.KIND = Col(line, 37, 37);
}

// Messages are numbered by their order; the number in columns 1-2 is only
// for the reader of the file.
void ReadStr(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.MessageCount >= kMessagesSize) return;
  p.Messages[p.MessageCount++] = line.size() > 2 ? line.substr(2) : std::string();
}

void ReadTot(SectionContext& c, const std::string& line) { c.totalsLabels.push_back(Col(line, 1, 20)); }

void ReadDim(SectionContext& c, const std::string& line) {
  const int index = IntCol(line, 7, 8);
  if (index >= 0 && index < kDimSize) c.plan.Dim[index] = ParseReal(Col(line, 1, 6));
}

void ReadLim(SectionContext& c, const std::string& line) {
  const int index = IntCol(line, 1, 1);
  if (index >= 0 && index < kLimSize) c.plan.Lim[index] = ParseReal(Col(line, 3, 8));
}

// TRE and REP name their slot; the count is one past the highest slot
// filled, so that every filled slot is within the count.
void ReadTre(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  const int index = IntCol(line, 1, 2);
  if (index < 0 || index >= kMaxTre) return;
  p.TreNames[index] = Col(line, 4, 25);
  p.TreVal[index] = IntCol(line, 3, 3);
  p.TreCount = std::max(p.TreCount, index + 1);
}

void ReadRep(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  const int r = IntCol(line, 1, 2);
  if (r < 0 || r >= kMaxRepNames) return;
  auto& def = p.RepDef[r];
  def[0] = IntCol(line, 4, 5);
  def[1] = IntCol(line, 7, 7);
  def[2] = IntCol(line, 9, 9);
  def[24] = IntCol(line, 10, 10);
  p.RepNames[r] = Col(line, 11, 24);
  for (int j = 3; j <= 21; ++j) {
    const int first = 25 + (j - 3) * 3;
    def[j] = IntCol(line, first, first + 1);
  }
  p.RepCount = std::max(p.RepCount, r + 1);
}

void ReadXls(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.XlsCount >= kMaxXls) return;
  StructXLS& xls = p.Xls[p.XlsCount++];
  xls.COL = IntCol(line, 1, 2);
  xls.TEXT = Trim(Col(line, 4, 7));
}

void ReadTra(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.TraCount >= kTraLoadLimit) return;
  StructTra& tra = p.Tra[p.TraCount++];
  tra.KIND = Col(line, 1, 1);
  tra.FROM = Trim(Col(line, 3, 7));
  tra.TO = Trim(Col(line, 9, 13));
}

struct SectionRule {
  std::string_view name;
  LineReader read;
};

constexpr std::array<SectionRule, 18> kSections = {{
    {"ISO", ReadIso}, {"TYP", ReadTyp}, {"IMO", ReadImo}, {"SIZ", ReadSiz}, {"SEG", ReadSeg}, {"CSG", ReadCsg},
    {"VES", ReadVes}, {"VET", ReadVet}, {"CSV", ReadCsv}, {"LIS", ReadLis}, {"STR", ReadStr},
    {"TOT", ReadTot}, {"DIM", ReadDim}, {"LIM", ReadLim}, {"TRE", ReadTre}, {"REP", ReadRep},
    {"XLS", ReadXls}, {"TRA", ReadTra},
}};

bool StartsWith(const std::string& line, std::string_view prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

ParameterFileReader::ParameterFileReader(PlanData& plan, std::vector<std::string>& totalsLabels)
    : plan_(plan), totalsLabels_(totalsLabels) {}

void ParameterFileReader::ClearTables() {
  PlanData& p = plan_;
  p.IsoCount = 0;
  p.TypeCount = 0;
  p.ReeferTypeCount = 0;
  p.ImoCount = 0;
  p.SizeCount = 0;
  p.VesParamCount = 0;
  p.VetCount = 0;
  p.CsvCount = 0;
  p.LisCount = 0;
  p.MessageCount = 0;
  p.TreCount = 0;
  p.RepCount = 0;
  p.XlsCount = 0;
  p.TraCount = 0;
  p.SegTable = {};
  p.CsgCount = 0;
  segRows_ = 0;
  totalsLabels_.clear();
}

void ParameterFileReader::ReadDataLine(std::string_view section, const std::string& line) {
  for (const SectionRule& rule : kSections) {
    if (rule.name == section) {
      SectionContext context{plan_, totalsLabels_, segRows_};
      rule.read(context, line);
      return;
    }
  }
}

void ParameterFileReader::ReadLines(const std::vector<std::string>& lines) {
  bool inComment = true;
  std::string section;
  int width = kDefaultParameterWidth;
  std::string line;
  for (const std::string& raw : lines) {
    if (raw.size() <= 1) continue;
    line = raw;
    if (width > 0 && line.size() < static_cast<size_t>(width)) line.resize(static_cast<size_t>(width), ' ');

    if (inComment && StartsWith(line, "--")) {
      section = Columns(line, 3, 5);
      width = ParseInt(Columns(line, 8, 10));
    } else if (StartsWith(line, "/*")) {
      inComment = true;
      section.clear();
      width = kDefaultParameterWidth;
    } else if (StartsWith(line, "*/")) {
      inComment = false;
    } else if (!inComment && !section.empty()) {
      ReadDataLine(section, line);
    }
  }
  if (plan_.SizeCount == 0) {
    plan_.Sizes[0] = "202";
    plan_.Sizes[1] = "404";
    plan_.Sizes[2] = "459";
    plan_.SizeCount = 3;
  }
}

bool ParameterFileReader::ReadFile(const std::filesystem::path& file, std::string& error) {
  std::string bytes;
  if (!ReadFileBytes(file, bytes, error)) return false;
  // Refused before a table changes: every section begins with a "--" header.
  std::string refused = IsBlankContent(bytes) ? "is empty" : BinaryContentReason(bytes);
  const std::vector<std::string> lines = SplitTextLines(bytes);
  if (refused.empty() &&
      std::none_of(lines.begin(), lines.end(), [](const std::string& line) { return StartsWith(line, "--"); }))
    refused = "no section header (a line beginning with \"--\")";
  if (!refused.empty()) {
    error = file.string() + ": " + refused + ": not a parameter file";
    return false;
  }
  ReadLines(lines);
  return true;
}
