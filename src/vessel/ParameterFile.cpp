#include "vessel/ParameterFile.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
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

// A reader returns why it passed over its line, or "" when it took it.
using LineReader = std::string (*)(SectionContext&, const std::string&);

std::string Col(const std::string& line, int first, int last) { return Columns(line, first, last); }
int IntCol(const std::string& line, int first, int last) { return ParseInt(Columns(line, first, last)); }

// A numeric field may be left blank (it reads as 0); anything else in it
// must be a number, or the line means something the reader cannot know.
std::string NumberFields(const std::string& line, std::initializer_list<std::pair<int, int>> fields) {
  for (const auto& [first, last] : fields) {
    const std::string text = Trim(Col(line, first, last));
    // A sign alone has always read as 0; files may hold it.
    if (!text.empty() && text != "-" && text != "+" && !IsNumberText(text))
      return "\"" + text + "\" in columns " + std::to_string(first) + "-" + std::to_string(last) + " is not a number";
  }
  return {};
}

std::string Full(std::string_view table, int capacity) {
  return "the " + std::string(table) + " table is full (" + std::to_string(capacity) + " entries)";
}

std::string OutOfRange(int index, int size) {
  return "entry " + std::to_string(index) + " is outside the table (0-" + std::to_string(size - 1) + ")";
}

std::string ReadIso(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.IsoCount >= kMaxIsos) return Full("ISO", kMaxIsos);
  StructIso& iso = p.Isos[p.IsoCount++];
  iso.GROUP = Col(line, 1, 2);
  iso.CODE = Col(line, 3, 4);
  iso.TYPE = Col(line, 5, 6);
  iso.DESCR = Col(line, 9, 28);
  return {};
}

std::string ReadTyp(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.TypeCount >= kMaxTypes) return Full("TYP", kMaxTypes);
  StructTyp& typ = p.Types[p.TypeCount++];
  typ.TYP = Col(line, 1, 2);
  typ.DESCR = Col(line, 4, 18);
  typ.ISO20 = Col(line, 19, 22);
  typ.ISO40 = Col(line, 24, 27);
  typ.ISO45 = Col(line, 29, 32);
  typ.ISO48 = Col(line, 34, 37);
  if (Col(line, 39, 39) == "1" && p.ReeferTypeCount < kMaxReeferTypes)
    p.ReeferTypes[p.ReeferTypeCount++] = Trim(typ.TYP);
  return {};
}

std::string ReadImo(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.ImoCount >= kMaxImos) return Full("IMO", kMaxImos);
  if (std::string bad = NumberFields(line, {{91, 105}}); !bad.empty()) return bad;
  StructImo& imo = p.Imos[p.ImoCount++];
  imo.CLASS = Col(line, 1, 3);
  imo.TEXT = Col(line, 4, 89);
  imo.VALUE = IntCol(line, 91, 105);
  return {};
}

std::string ReadSiz(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.SizeCount >= kMaxSizes) return Full("SIZ", kMaxSizes);
  p.Sizes[p.SizeCount++] = Col(line, 1, 3);
  return {};
}

// One matrix row per line; column k (one digit at character 5 + k) for each
// IMO class known when the line is read. A row cannot be passed over (the
// rows are numbered by their order): a character that is no digit reads as
// 0 and is named.
std::string ReadSeg(SectionContext& c, const std::string& line) {
  if (c.segRows >= kSegSize) return Full("SEG", kSegSize);
  auto& row = c.plan.SegTable[c.segRows++];
  const int columns = std::clamp(c.plan.ImoCount, 0, kSegSize);
  std::string bad;
  for (int k = 0; k < columns; ++k) {
    const std::string digit = Col(line, 5 + k, 5 + k);
    row[k] = IntCol(line, 5 + k, 5 + k);
    if (bad.empty() && digit != " " && !IsNumberText(digit))
      bad = "\"" + digit + "\" in column " + std::to_string(5 + k) + " is no digit: read as 0";
  }
  return bad;
}

// The container-ship segregation table: one requirement and pairing per
// line; the distances stay text until the check reads them.
std::string ReadCsg(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.CsgCount >= kMaxCsg) return Full("CSG", kMaxCsg);
  if (std::string bad = NumberFields(line, {{1, 1}}); !bad.empty()) return bad;
  StructCsg& csg = p.Csg[p.CsgCount++];
  csg.CODE = IntCol(line, 1, 1);
  csg.PAIR = Col(line, 3, 4);
  csg.VERT = Col(line, 6, 6);
  csg.FAD = Trim(Col(line, 8, 19));
  csg.FAH = Trim(Col(line, 21, 32));
  csg.ATD = Trim(Col(line, 34, 45));
  csg.ATH = Trim(Col(line, 47, 58));
  csg.MIX = Trim(Col(line, 60, 71));
  return {};
}

std::string ReadVes(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.VesParamCount >= kMaxVesParams) return Full("VES", kMaxVesParams);
  if (std::string bad = NumberFields(line, {{25, 27}}); !bad.empty()) return bad;
  StructPat& pat = p.VesParams[p.VesParamCount++];
  pat.CAPTION = Col(line, 1, 21);
  pat.KIND = Col(line, 22, 22);
  pat.FORMAT = Col(line, 23, 24);
  pat.INDEX = IntCol(line, 25, 27);
  return {};
}

std::string ReadVet(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.VetCount >= kMaxVet) return Full("VET", kMaxVet);
  p.Vet[p.VetCount++] = Trim(Col(line, 1, 10));
  return {};
}

std::string ReadCsv(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.CsvCount >= kMaxCsvCols) return Full("CSV", kMaxCsvCols);
  if (std::string bad = NumberFields(line, {{1, 2}}); !bad.empty()) return bad;
  StructCsv& csv = p.CsvCols[p.CsvCount++];
  csv.COL = IntCol(line, 1, 2);
  csv.KIND = Col(line, 4, 4);
  csv.TEXT = Trim(Col(line, 6, 15));
  return {};
}

std::string ReadLis(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.LisCount >= kMaxLisCols) return Full("LIS", kMaxLisCols);
  if (std::string bad = NumberFields(line, {{1, 2}, {22, 25}, {29, 32}}); !bad.empty()) return bad;
  StructLis& lis = p.LisCols[p.LisCount++];
  lis.COL = IntCol(line, 1, 2);
  lis.POS = IntCol(line, 22, 25);
  lis.LEN = IntCol(line, 29, 32);
  lis.KIND = Col(line, 37, 37);
  return {};
}

// Messages are numbered by their order; the number in columns 1-2 is only
// for the reader of the file.
std::string ReadStr(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.MessageCount >= kMessagesSize) return Full("STR", kMessagesSize);
  p.Messages[p.MessageCount++] = line.size() > 2 ? line.substr(2) : std::string();
  return {};
}

std::string ReadTot(SectionContext& c, const std::string& line) {
  c.totalsLabels.push_back(Col(line, 1, 20));
  return {};
}

std::string ReadDim(SectionContext& c, const std::string& line) {
  if (std::string bad = NumberFields(line, {{1, 6}, {7, 8}}); !bad.empty()) return bad;
  const int index = IntCol(line, 7, 8);
  if (index < 0 || index >= kDimSize) return OutOfRange(index, kDimSize);
  c.plan.Dim[index] = ParseReal(Col(line, 1, 6));
  return {};
}

std::string ReadLim(SectionContext& c, const std::string& line) {
  if (std::string bad = NumberFields(line, {{1, 1}, {3, 8}}); !bad.empty()) return bad;
  const int index = IntCol(line, 1, 1);
  if (index < 0 || index >= kLimSize) return OutOfRange(index, kLimSize);
  c.plan.Lim[index] = ParseReal(Col(line, 3, 8));
  return {};
}

// TRE and REP name their slot; the count is one past the highest slot
// filled, so that every filled slot is within the count.
std::string ReadTre(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (std::string bad = NumberFields(line, {{1, 2}, {3, 3}}); !bad.empty()) return bad;
  const int index = IntCol(line, 1, 2);
  if (index < 0 || index >= kMaxTre) return OutOfRange(index, kMaxTre);
  p.TreNames[index] = Col(line, 4, 25);
  p.TreVal[index] = IntCol(line, 3, 3);
  p.TreCount = std::max(p.TreCount, index + 1);
  return {};
}

std::string ReadRep(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (std::string bad = NumberFields(line, {{1, 2}, {4, 5}, {7, 7}, {9, 9}, {10, 10}}); !bad.empty()) return bad;
  const int r = IntCol(line, 1, 2);
  if (r < 0 || r >= kMaxRepNames) return OutOfRange(r, kMaxRepNames);
  for (int j = 3; j <= 21; ++j) {
    const int first = 25 + (j - 3) * 3;
    if (std::string bad = NumberFields(line, {{first, first + 1}}); !bad.empty()) return bad;
  }
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
  return {};
}

std::string ReadXls(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.XlsCount >= kMaxXls) return Full("XLS", kMaxXls);
  if (std::string bad = NumberFields(line, {{1, 2}}); !bad.empty()) return bad;
  StructXLS& xls = p.Xls[p.XlsCount++];
  xls.COL = IntCol(line, 1, 2);
  xls.TEXT = Trim(Col(line, 4, 7));
  return {};
}

std::string ReadTra(SectionContext& c, const std::string& line) {
  PlanData& p = c.plan;
  if (p.TraCount >= kTraLoadLimit) return Full("TRA", kTraLoadLimit);
  StructTra& tra = p.Tra[p.TraCount++];
  tra.KIND = Col(line, 1, 1);
  tra.FROM = Trim(Col(line, 3, 7));
  tra.TO = Trim(Col(line, 9, 13));
  return {};
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

std::string ParameterFileReader::ReadDataLine(std::string_view section, const std::string& line) {
  for (const SectionRule& rule : kSections) {
    if (rule.name == section) {
      if (HasControlCharacter(line)) return "holds a control character";
      SectionContext context{plan_, totalsLabels_, segRows_};
      return rule.read(context, line);
    }
  }
  return {};
}

void ParameterFileReader::ReadLines(const std::vector<std::string>& lines) {
  bool inComment = true;
  std::string section;
  int width = kDefaultParameterWidth;
  std::string line;
  skipped_.clear();
  int number = 0;
  for (const std::string& raw : lines) {
    ++number;
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
      std::string reason = ReadDataLine(section, line);
      if (!reason.empty()) skipped_.push_back({number, section + ": " + reason});
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
