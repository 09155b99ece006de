#include "conditions/LoadingListFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "conditions/LoadingList.h"
#include "conditions/UnitColumns.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

// The 64 columns of a unit, and two more a CSV list may fill: the serial
// number (63) and the check digit (64) of the container number.
constexpr int kListFields = 65;
constexpr int kSerialField = 63;
constexpr int kCheckDigitField = 64;
constexpr int kQuantityField = 30;
constexpr int kFlag59Field = 59;
constexpr int kShortestFixedLine = 41;
// A header line names more than this many known columns.
constexpr int kHeaderMatchesNeeded = 6;

using Fields = std::array<std::string, kListFields>;

// One line read as a unit, before anything is taken.
struct ReadUnit {
  int line = 0;
  StructDat unit;
  int copies = 1;
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A number as a list writes it: digits with at most one decimal point or
// comma, a sign in front.
bool IsNumberText(const std::string& text) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  bool digits = false, separator = false;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i])))
      digits = true;
    else if ((text[i] == '.' || text[i] == ',') && !separator)
      separator = true;
    else
      return false;
  }
  return digits;
}

// Why a weight in tonnes cannot be a unit's; empty when it can.
std::string WeightProblem(const std::string& text, double tonnes) {
  if (text.empty()) return "no weight";
  if (!IsNumberText(text)) return "weight " + Quoted(text) + " is not a number";
  if (!(tonnes >= 1)) return "weight " + Quoted(text) + " is less than one tonne";
  return "";
}

std::string PortProblem(const std::string& code, const char* which) {
  if (code.size() >= 3) return "";
  if (code.empty()) return std::string("no port of ") + which;
  return std::string("port of ") + which + " " + Quoted(code) + " is shorter than three letters";
}

// "ABCU1234567" as the plan keeps numbers: "ABCU 1234567".
std::string WithOwnerBlank(const std::string& number) {
  return Columns(number, 1, 4) + " " + Columns(number, 5, 11);
}

std::string NumberKey(const std::string& number) { return StripBlanks(number); }

class ListReader {
 public:
  ListReader(PlanContext& ctx, BaseData& base, const fs::path& file, bool add, LoadingListImport& result)
      : plan_(ctx.plan), host_(ctx.host), base_(base), file_(file), add_(add), result_(result) {}

  // Reads every line; false, with why, when the file is no loading list.
  bool Read(const std::vector<std::string>& lines, std::string& refusal);
  std::vector<ReadUnit> Units;

 private:
  bool ReadFixed(const std::vector<std::string>& lines, std::string& refusal);
  bool ReadCsv(const std::vector<std::string>& lines, std::string& refusal);
  void ReadFixedLine(int number, const std::string& line);
  void ReadCsvLine(int number, const std::vector<std::string>& pieces, const std::vector<int>& targets);
  int HeaderTargets(const std::vector<std::string>& pieces, std::vector<int>& targets) const;
  bool LooksLikeCsv(const std::vector<std::string>& lines) const;
  bool IsIsoCode(const std::string& code) const;
  bool KnownSize(const std::string& size) const;
  void Take(int number, const Fields& fields, double tonnes, int copies);
  void Unreadable(int number, std::string reason) {
    result_.unreadable.push_back({number, std::move(reason)});
  }

  PlanData& plan_;
  Host& host_;
  BaseData& base_;
  fs::path file_;
  bool add_;
  LoadingListImport& result_;
  char separator_ = 0;
  std::string rememberedPol_;
  bool polAsked_ = false;
  std::unordered_map<std::string, int> numbers_;  // number -> first line
  std::unordered_set<std::string> unknownPorts_;
};

std::vector<std::string> SplitPieces(const std::string& line, char separator) {
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : line) {
    if (c == ' ' || c == '"') continue;
    if (c == '|' || (separator != 0 && c == separator)) {
      pieces.push_back(piece);
      piece.clear();
    } else {
      piece += c;
    }
  }
  pieces.push_back(piece);
  return pieces;
}

bool ListReader::Read(const std::vector<std::string>& lines, std::string& refusal) {
  result_.lines = static_cast<int>(lines.size());
  if (std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return Trim(l).empty(); })) {
    refusal = "the file is empty";
    return false;
  }
  result_.csv = Upper(file_.filename().string()).find("CSV") != std::string::npos || LooksLikeCsv(lines);
  if (!(result_.csv ? ReadCsv(lines, refusal) : ReadFixed(lines, refusal))) return false;
  if (result_.read > 0) return true;
  const auto bad = std::find_if(result_.unreadable.begin(), result_.unreadable.end(),
                                [&](const SkippedLine& s) { return s.line > result_.headerLine; });
  refusal = "no line of it is a unit";
  if (bad != result_.unreadable.end()) refusal += "; the first: " + bad->Text();
  return false;
}

bool ListReader::ReadFixed(const std::vector<std::string>& lines, std::string& refusal) {
  if (plan_.LisCount <= 0) {
    refusal = "the parameter file has no LIS table to read fixed-column lists by";
    return false;
  }
  for (size_t i = 0; i < lines.size(); ++i) ReadFixedLine(static_cast<int>(i) + 1, lines[i]);
  return true;
}

void ListReader::ReadFixedLine(int number, const std::string& line) {
  if (Trim(line).empty()) {
    ++result_.blankLines;
    return;
  }
  if (static_cast<int>(line.size()) < kShortestFixedLine) {
    Unreadable(number, "shorter than " + std::to_string(kShortestFixedLine) + " characters");
    return;
  }
  Fields fields;
  std::string weightText;
  for (int c = 0; c < std::min(plan_.LisCount, kMaxLisCols); ++c) {
    const StructLis& column = plan_.LisCols[static_cast<size_t>(c)];
    if (column.COL < 0 || column.COL >= kListFields || column.LEN <= 0) continue;
    std::string text = Trim(Columns(line, column.POS, column.POS + column.LEN - 1));
    if (column.COL == UnitCol::Container) {
      text = StripBlanks(text);
      if (text.size() > 4) text = WithOwnerBlank(text);
    } else if (column.COL == UnitCol::Weight) {
      weightText = text;
    } else if (Trim(column.KIND) == "B") {
      text = text == "Y" ? "1" : "0";
    }
    fields[static_cast<size_t>(column.COL)] = text;
  }
  // The column holds kilograms; a weight with decimals was given in tonnes.
  double tonnes = ParseReal(weightText);
  if (weightText.find_first_of(".,") == std::string::npos) tonnes /= 1000;
  if (const std::string problem = WeightProblem(weightText, tonnes); !problem.empty()) {
    Unreadable(number, problem);
    return;
  }
  Take(number, fields, tonnes, 1);
}

int ListReader::HeaderTargets(const std::vector<std::string>& pieces, std::vector<int>& targets) const {
  targets.assign(pieces.size(), -1);
  std::array<bool, kListFields> used{};
  int matches = 0;
  for (size_t j = 0; j < pieces.size(); ++j) {
    std::string name = pieces[j];
    name.erase(std::remove(name.begin(), name.end(), '.'), name.end());
    if (name.empty()) continue;
    const std::string key = Upper(Columns(name, 1, 4));
    for (int x = 0; x < std::min(plan_.XlsCount, kMaxXls); ++x) {
      const StructXLS& xls = plan_.Xls[static_cast<size_t>(x)];
      if (Upper(xls.TEXT) != key) continue;
      if (xls.COL >= 0 && xls.COL < kListFields && !used[static_cast<size_t>(xls.COL)]) {
        used[static_cast<size_t>(xls.COL)] = true;
        targets[j] = xls.COL;
        ++matches;
      }
      break;
    }
  }
  return matches;
}

bool ListReader::LooksLikeCsv(const std::vector<std::string>& lines) const {
  std::vector<int> targets;
  for (const std::string& line : lines) {
    const size_t at = line.find_first_of(",;");
    if (at != std::string::npos &&
        HeaderTargets(SplitPieces(line, line[at]), targets) >= kHeaderMatchesNeeded)
      return true;
  }
  return false;
}

bool ListReader::ReadCsv(const std::vector<std::string>& lines, std::string& refusal) {
  std::vector<int> targets;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string& line = lines[i];
    if (Trim(line).empty()) {
      ++result_.blankLines;
      continue;
    }
    // The first "," or ";" of the file separates its fields.
    if (separator_ == 0) {
      const size_t at = line.find_first_of(",;");
      if (at != std::string::npos) separator_ = line[at];
    }
    const std::vector<std::string> pieces = SplitPieces(line, separator_);
    if (result_.headerLine == 0) {
      // Each line is judged on its own: a title above the header must not
      // take a column name from it.
      if (HeaderTargets(pieces, targets) >= kHeaderMatchesNeeded)
        result_.headerLine = number;
      else
        Unreadable(number, "before the header line");
      continue;
    }
    ReadCsvLine(number, pieces, targets);
  }
  if (result_.headerLine > 0) return true;
  refusal = "no line names " + std::to_string(kHeaderMatchesNeeded) +
            " or more columns of the XLS table, so no header line was found";
  return false;
}

bool ListReader::IsIsoCode(const std::string& code) const {
  if (code.size() != 4 || BaseData::IsoLength(code) == 0) return false;
  const std::string type = Columns(code, 3, 4);
  for (int i = 0; i < std::min(plan_.IsoCount, kMaxIsos); ++i)
    if (plan_.Isos[static_cast<size_t>(i)].CODE == type) return true;
  return false;
}

bool ListReader::KnownSize(const std::string& size) const {
  for (int i = 0; i < std::min(plan_.SizeCount, kMaxSizes); ++i)
    if (Columns(plan_.Sizes[static_cast<size_t>(i)], 1, 2) == size) return true;
  return false;
}

void ListReader::ReadCsvLine(int number, const std::vector<std::string>& pieces,
                             const std::vector<int>& targets) {
  Fields f;
  for (size_t j = 0; j < pieces.size() && j < targets.size(); ++j)
    if (targets[j] >= 0) f[static_cast<size_t>(targets[j])] = pieces[j];

  std::string& weightText = f[UnitCol::Weight];
  double tonnes = ParseReal(weightText);
  if (tonnes > 1000) tonnes /= 1000;  // kilograms
  std::string& pol = f[UnitCol::Pol];
  if (pol.size() < 3) {
    if (rememberedPol_.empty() && !polAsked_) {
      polAsked_ = true;
      rememberedPol_ =
          Upper(Trim(host_.AskValue("Booking To Quay", "Port of Loading", plan_.VesHdr[VesHdrIx::Port])));
      if (rememberedPol_.size() < 3) rememberedPol_ = "XXX";
    }
    pol = rememberedPol_;
  }
  std::string problem = WeightProblem(weightText, tonnes);
  if (problem.empty()) problem = PortProblem(pol, "loading");
  if (problem.empty()) problem = PortProblem(f[UnitCol::Pod], "discharge");
  if (!problem.empty()) {
    Unreadable(number, problem);
    return;
  }
  rememberedPol_ = pol;

  std::string& type = f[7];
  std::string& size = f[8];
  std::string& iso = f[9];
  char sizeDigit = '2';
  for (const std::string* field : {&type, &size, &iso})
    if (!field->empty() && ((*field)[0] == '2' || (*field)[0] == '4')) sizeDigit = (*field)[0];
  std::string isoFound;
  for (const std::string* field : {&type, &size, &iso})
    if (field->size() > 3 && IsIsoCode(Upper(Columns(*field, 1, 4)))) isoFound = Upper(Columns(*field, 1, 4));
  if (!isoFound.empty()) {
    iso = isoFound;
    f[12] = RealOrEmpty(BaseData::IsoHeight(iso));
  }
  if (type.size() >= 4)
    type = Columns(type, 3, 4);
  else if (size.size() >= 4)
    type = Columns(size, 3, 4);
  if (!KnownSize(size)) size = std::string(1, sizeDigit) + "0";

  std::string& empty = f[20];
  empty = !empty.empty() && std::string("MEY1").find(empty[0]) != std::string::npos ? "1" : "";
  std::string& flag59 = f[kFlag59Field];
  flag59 = !flag59.empty() && std::string("Y1U").find(flag59[0]) != std::string::npos ? "1" : "";
  // A port as its UN/LOCODE: the country goes.
  for (int port : {2, 3, 4, 5})
    if (f[static_cast<size_t>(port)].size() > 4)
      f[static_cast<size_t>(port)] = Columns(f[static_cast<size_t>(port)], 3, 5);

  std::string& container = f[UnitCol::Container];
  if (f[kSerialField].size() > 5) container += f[kSerialField];
  if (f[kCheckDigitField].size() == 1) container += f[kCheckDigitField];
  f[kSerialField].clear();
  f[kCheckDigitField].clear();
  if (container.size() > 10) container = WithOwnerBlank(container);

  f[UnitCol::TempMax] = f[UnitCol::TempMin];
  f[10] = NormaliseImoClass(f[10]);
  const int copies = add_ ? std::max(ParseInt(f[kQuantityField]), 1) : 1;
  f[kQuantityField].clear();
  Take(number, f, tonnes, std::min(copies, kMaxCells));
}

// The line's fields as a unit, as every list's units are made.
void ListReader::Take(int number, const Fields& fields, double tonnes, int copies) {
  StructDat unit = ColumnsToUnit(plan_, std::span<const std::string>(fields.data(), kUnitColumnCount));
  unit.WEIGHT = tonnes;
  unit.STATUS = 0;
  for (size_t k = 0; k < unit.IMO.size(); ++k) {
    if (ParseReal(unit.IMO[k]) == 0) unit.IMO[k].clear();
    if (ParseReal(unit.UN[k]) == 0) unit.UN[k].clear();
  }
  if (unit.SIZ == "99") unit.SIZ = "20";
  if (!unit.ISO.empty()) {
    // "20DV": the length first, then the type.
    const std::string sizeType = base_.IsoSizeType(unit.ISO);
    if (!sizeType.empty()) {
      unit.SIZ = Columns(sizeType, 1, 2);
      unit.TYP = Columns(sizeType, 3, 4);
    }
  }
  unit.TYP = base_.TranslateCode(unit.TYP, "T");
  unit.POL = base_.TranslateCode(unit.POL, "P");
  unit.POD = base_.TranslateCode(unit.POD, "P");
  unit.OPERATOR = base_.TranslateCode(unit.OPERATOR, "O");
  if (unit.PRS == unit.POD) unit.PRS.clear();
  if (unit.FRM == unit.POL) unit.FRM.clear();
  std::string problem = PortProblem(unit.POL, "loading");
  if (problem.empty()) problem = PortProblem(unit.POD, "discharge");
  if (!problem.empty()) {
    Unreadable(number, problem);
    return;
  }

  // The position as a cell name: as many digits as the vessel's, a 40'
  // bay named by its fore 20' bay.
  std::string position = Trim(unit.POSITION);
  if (!position.empty()) {
    const int digits = plan_.BayLen + plan_.RowLen + plan_.TierLen;
    if (static_cast<int>(position.size()) < digits)
      position = Pad(position, digits, true, "0");
    else
      position = position.substr(position.size() - static_cast<size_t>(digits));
    const int bay = BayOf(plan_, position);
    if (bay >= 2 && bay % 2 == 0)
      position.replace(static_cast<size_t>(plan_.BayPos - 1), static_cast<size_t>(plan_.BayLen),
                       Pad(std::to_string(bay - 1), plan_.BayLen, true, "0"));
  }
  unit.POSITION = position;
  unit.BAYTXT = Columns(position, plan_.BayPos, plan_.BayPos + plan_.BayLen - 1);

  ++result_.read;
  result_.units += copies;
  result_.byRoute[{unit.POL + " " + unit.POD, RouteCategory(plan_, unit)}].read += copies;
  for (const std::string* port : {&unit.POL, &unit.POD, &unit.PRS, &unit.FRM}) {
    if (port->empty() || FindPort(plan_, *port) >= 0 || !unknownPorts_.insert(*port).second) continue;
    result_.notes.push_back({number, "port " + *port + " is not in the ports table"});
  }
  const std::string key = NumberKey(unit.CONTAINER);
  if (key.size() >= 8) {
    const auto [at, first] = numbers_.emplace(key, number);
    if (!first) {
      result_.skipped.push_back({number, "container " + unit.CONTAINER + " is listed twice (first on line " +
                                             std::to_string(at->second) + ")"});
      return;
    }
  }
  Units.push_back({number, std::move(unit), copies});
}

// Puts the units read onto the plan and the quay.
class ListWriter {
 public:
  ListWriter(PlanContext& ctx, LoadingList& list, bool add, bool manifest, LoadingListImport& result)
      : ctx_(ctx), plan_(ctx.plan), list_(list), add_(add), manifest_(manifest), result_(result) {}

  void Write(const std::vector<ReadUnit>& units);

 private:
  void RemovePortUnits();
  void Index();
  void Place(const ReadUnit& read, StructDat unit);

  PlanContext& ctx_;
  PlanData& plan_;
  LoadingList& list_;
  bool add_;
  bool manifest_;
  LoadingListImport& result_;
  std::unordered_map<std::string, int> onBoard_;  // number -> cell
  std::unordered_set<std::string> onQuay_;
  bool quayFull_ = false;
};

void ListWriter::RemovePortUnits() {
  const std::string& port = plan_.VesHdr[VesHdrIx::Port];
  if (port.empty()) return;
  const int cells = std::clamp(std::min(plan_.CellCount, plan_.UnitInHandIndex), 0, kMaxCells);
  for (int i = 0; i < cells; ++i) plan_.Cur()[static_cast<size_t>(i)].SELECTED = 1;
  ctx_.SelectionStale = true;
  // The list stands for them: they leave the plan, not to the quay.
  const std::uint8_t toQuay = plan_.RemoveToQuay;
  plan_.RemoveToQuay = 0;
  ChangeUnitAttribute(ctx_, port, port, kChangePod, true);
  ChangeUnitAttribute(ctx_, port, port, kChangePol, true);
  plan_.RemoveToQuay = toQuay;
}

void ListWriter::Index() {
  const int cells = std::clamp(std::min(plan_.CellCount, plan_.UnitInHandIndex), 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    const StructDat& unit = plan_.Cur()[static_cast<size_t>(i)];
    const std::string key = NumberKey(unit.CONTAINER);
    if (unit.STATUS > 0 && key.size() >= 8) onBoard_.emplace(key, i);
  }
  const DataSet& quay = plan_.Dat[plan_.QuayPlane];
  for (int i = 0; i < std::clamp(plan_.QuayCount, 0, kMaxCells); ++i) {
    const std::string key = NumberKey(quay[static_cast<size_t>(i)].CONTAINER);
    if (quay[static_cast<size_t>(i)].STATUS > 0 && key.size() >= 8) onQuay_.insert(key);
  }
}

void ListWriter::Place(const ReadUnit& read, StructDat unit) {
  LoadingListImport::Counts& counts =
      result_.byRoute[{unit.POL + " " + unit.POD, RouteCategory(plan_, unit)}];
  const std::string key = NumberKey(unit.CONTAINER);
  if (key.size() >= 8 && !manifest_) {
    if (const auto cell = onBoard_.find(key); cell != onBoard_.end()) {
      result_.skipped.push_back({read.line, "container " + unit.CONTAINER + " is on board already, in " +
                                                plan_.Cells[static_cast<size_t>(cell->second)].CELL});
      return;
    }
    if (onQuay_.count(key)) {
      result_.skipped.push_back({read.line, "container " + unit.CONTAINER + " is on the quay already"});
      return;
    }
  }
  if (!add_) {
    StructDat& hand = plan_.Cur()[static_cast<size_t>(plan_.UnitInHandIndex)];
    hand = unit;
    const int cell = FindCellByPosition(plan_, unit.POSITION);
    if (cell >= 0 && cell < std::min(plan_.CellCount, plan_.UnitInHandIndex) &&
        PlaceUnit(ctx_, cell, kPlaceFromQuay)) {
      ++result_.placed;
      ++counts.placed;
      if (key.size() >= 8) onBoard_.emplace(key, cell);
      return;
    }
    hand = StructDat{};
  }
  if (quayFull_ || !PutToQuay(plan_, unit)) {
    quayFull_ = true;
    ++result_.leftOut;
    return;
  }
  ++result_.toQuay;
  ++counts.toQuay;
  if (key.size() >= 8) onQuay_.insert(key);
}

void ListWriter::Write(const std::vector<ReadUnit>& units) {
  if (!add_) RemovePortUnits();
  if (plan_.QuayLive > 0 && ctx_.host.Ask("Loading List", "", "The Quay is not empty - clear the Quay?",
                                          false) == Host::Answer::Yes)
    list_.EmptyQuay();
  Index();
  for (const ReadUnit& read : units) {
    Place(read, read.unit);
    // Copies of a booking: one box has one number, the others none yet.
    StructDat copy = read.unit;
    copy.CONTAINER.clear();
    for (int c = 1; c < read.copies; ++c) Place(read, copy);
  }
}

std::string ExportNumber(const std::string& container) {
  // The blank the plan keeps after the owner code is left out, and only it.
  if (container.size() > 4 && container[4] == ' ') return container.substr(0, 4) + container.substr(5);
  return container;
}

std::string ExportLine(const PlanData& plan, const StructDat& u) {
  auto padTo = [](std::string& line, size_t width) {
    if (line.size() < width) line.resize(width, ' ');
  };
  auto zeros = [](int value, int width) { return Pad(std::to_string(value), width, true, "0"); };
  std::string line =
      Pad(Columns(plan.VesHdr[VesHdrIx::Code], 1, 2) + Columns(plan.VesHdr[VesHdrIx::Voy], 1, 4), 6, false);
  line += PortLocode(plan, u.POL);
  line += PortLocode(plan, u.POD);
  line += u.PRS.size() < 3 ? std::string(5, ' ') : PortLocode(plan, u.PRS);
  line += ExportNumber(u.CONTAINER);
  padTo(line, 32);
  line += u.SIZ + u.TYP;
  padTo(line, 36);
  line += " " + Pad(u.BOOKING, 10, false) + (u.MTY >= 1 ? "Y" : " ") + u.IMO[0];
  padTo(line, 51);
  // Whole kilograms; a weight not known (below 0) is written as none.
  const double kilograms = std::floor(u.WEIGHT * 1000 + 0.1);
  const long long whole = kilograms > 0 && kilograms < 1e15 ? static_cast<long long>(kilograms) : 0;
  line += " " + Pad(std::to_string(whole), 5, true, "0") + "  ";
  line += Pad(IntOrEmpty(u.TEMP), 3, true) + Pad(IntOrEmpty(u.TEMP_2), 3, true);
  line += zeros(u.OWP, 4) + zeros(u.OWS, 4) + zeros(u.OH, 4) + zeros(u.OL_2, 4) + zeros(u.OL, 4);
  line += Pad(u.ISO, 4, false) + Pad(u.UN[0], 4, false) + Pad(u.OPERATOR, 4, false) + std::string(7, ' ');
  line += DisplayPosition(plan, u, "") + " ";
  return line;
}

}  // namespace

LoadingListImport ImportLoadingList(PlanContext& ctx, BaseData& base, LoadingList& list, const fs::path& file,
                                    bool add, bool silent, bool manifest) {
  PlanData& plan = ctx.plan;
  LoadingListImport result;
  std::vector<std::string> lines;
  std::string error;
  if (!ReadTextLines(file, lines, error)) {
    ctx.host.ReportError(error);
    return result;
  }
  // A carriage return alone ends a line too.
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t cr = lines[i].find('\r');
    if (cr == std::string::npos) continue;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines[i].substr(cr + 1));
    lines[i].resize(cr);
  }
  BusyCursor busy(ctx.host);
  ListReader reader(ctx, base, file, add, result);
  std::string refusal;
  if (!reader.Read(lines, refusal)) {
    ctx.host.ReportError(file.string() + ": not a loading list: " + refusal + "; nothing was imported");
    return result;
  }
  result.accepted = true;

  const std::uint8_t noRecalc = plan.NoRecalc;
  plan.NoRecalc = 1;
  ListWriter(ctx, list, add, manifest, result).Write(reader.Units);
  plan.NoRecalc = noRecalc;
  list.RefreshQuayRoutes();
  if (!add || result.placed > 0) {
    plan.RedrawAll = 1;
    plan.PolCount = -1;
    plan.PodCount = -1;
    ctx.MarkConditionModified(true);
  } else {
    ctx.host.PlanChanged();
  }

  const auto bad = std::find_if(result.unreadable.begin(), result.unreadable.end(),
                                [&](const SkippedLine& s) { return s.line > result.headerLine; });
  if (bad != result.unreadable.end()) {
    const auto count = std::count_if(result.unreadable.begin(), result.unreadable.end(),
                                     [&](const SkippedLine& s) { return s.line > result.headerLine; });
    ctx.host.ReportError(file.string() + ": " + std::to_string(count) + (count == 1 ? " line" : " lines") +
                         " could not be read; the first: " + bad->Text());
  }
  if (result.leftOut > 0)
    ctx.host.ReportError(file.string() + ": the quay is full (" + std::to_string(kMaxCells) + " units); " +
                         std::to_string(result.leftOut) + " units of the list were left out");
  if (!silent && (add || result.toQuay > 0)) {
    plan.Messages[51] = std::to_string(result.toQuay) + " containers added to the Quay";
    ctx.host.ShowMessageNo(51);
  }
  return result;
}

std::vector<std::string> LoadingListLines(const PlanData& plan) {
  std::vector<std::string> lines;
  const int cells = std::clamp(std::min(plan.CellCount, plan.UnitInHandIndex), 0, kMaxCells);
  for (int i = 0; i < cells; ++i) {
    const StructDat& unit = plan.Cur()[static_cast<size_t>(i)];
    if (unit.STATUS > 0 && unit.SELECTED > 0 && unit.FL3 < 1) lines.push_back(ExportLine(plan, unit));
  }
  return lines;
}

fs::path LoadingListExportFile(const PlanData& plan) {
  return fs::path(plan.Settings[SettingsIx::SendingDir]) / "loadlist.txt";
}

bool ExportLoadingList(const PlanData& plan, Host& host, const fs::path& file) {
  BusyCursor busy(host);
  std::string error;
  if (WriteTextLines(file, LoadingListLines(plan), error)) return true;
  host.ReportError(error);
  return false;
}
