#include "stability/Stability.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"
#include "vessel/FileNames.h"

namespace {

std::int64_t Milli(double x) { return std::llround(x * 1000.0); }

double Centre(std::int64_t moment, std::int64_t weight) {
  return weight == 0 ? 0.0 : static_cast<double>(moment) / static_cast<double>(weight) / 1000.0;
}

constexpr std::int64_t kClearBelowKg = 400;  // 0.4 t
constexpr double kCriteriaUpperAngle = 40;    // degrees

constexpr double kLargestWeight = 1e7;        // t
constexpr double kLargestCentre = 1e5;        // m
constexpr double kLargestFreeSurface = 1e9;   // t·m
bool Storable(double x, double largest) { return std::isfinite(x) && std::abs(x) <= largest; }

}  // namespace

double WeightItem::Lcg() const { return Centre(WL, W); }
double WeightItem::Vcg() const { return Centre(WV, W); }
double WeightItem::Tcg() const { return Centre(WT, W); }

Stability::Stability(PlanData& plan)
    : plan_(plan), tanks_(std::make_unique<Tanks>(plan, *this)), strength_(std::make_unique<Strength>(plan, *this)) {}

Stability::~Stability() = default;

void Stability::SetItemNames(const std::vector<std::string>& names) {
  names_.clear();
  for (const std::string& name : names) {
    if (static_cast<int>(names_.size()) == kMaxWeightItems) break;
    names_.push_back(name.substr(0, 20));
  }
  // Without a names table every slot is an item; the fixed roles of items 0
  // to 2 need at least those and the three derived ones.
  itemCount_ = names_.empty() ? kMaxWeightItems : std::max(static_cast<int>(names_.size()), 6);
}

const std::string& Stability::ItemName(int item) const {
  static const std::string none;
  return item >= 0 && item < static_cast<int>(names_.size()) ? names_[static_cast<size_t>(item)] : none;
}

void Stability::UpdateWeightItem(int item, double w, double lcg, double vcg, double tcg, int sign, double fsm) {
  if (item < 0 || item >= kMaxWeightItems) return;
  // Weights and centres beyond any ship (a broken table) are refused, in
  // and out alike: the exact sums would overflow.
  if (!Storable(w, kLargestWeight) || !Storable(lcg, kLargestCentre) || !Storable(vcg, kLargestCentre) ||
      !Storable(tcg, kLargestCentre) || !Storable(fsm, kLargestFreeSurface)) {
    return;
  }
  WeightItem& it = Items[static_cast<size_t>(item)];
  const std::int64_t kg = Milli(w) * sign;
  it.W += kg;
  it.WL += kg * Milli(lcg);
  it.WV += kg * Milli(vcg);
  it.WT += kg * Milli(tcg);
  it.FSM += Milli(fsm) * 1000 * sign;
  if (it.W <= kClearBelowKg) it = WeightItem{};
}

void Stability::AddUnit(int cell, bool is20, int sign) {
  if (cell < 0 || cell >= plan_.CellCount) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  if (unit.STATUS < 1) return;
  const StructCel& c = plan_.Cells[static_cast<size_t>(cell)];
  const double vcgAddition = ParseReal(plan_.VesHdr[VesHdrIx::CellVcgAddition]);
  UpdateWeightItem(kContainersItem, unit.WEIGHT, is20 ? c.LCG : c.LCG_40, c.VCG + vcgAddition, c.TCG, sign);
  if (strength_->Loaded()) strength_->DistributeUnit(cell, is20, sign);
}

void Stability::ResetContainers() { Items[kContainersItem] = WeightItem{}; }

void Stability::ClearWeightItems(int from, int to) {
  to = std::min(to, itemCount_ - 1);
  // The items spread over the length leave the sections with their sums.
  // (Units and tanks take their own spread back when they are removed.)
  if (strength_->Loaded()) {
    for (int item : {kFixedWeightItem, CorrectionItem()}) {
      if (item >= from && item <= to) strength_->DistributeItem(item, -1);
    }
  }
  for (int i = std::max(from, 0); i <= to; ++i) Items[static_cast<size_t>(i)] = WeightItem{};
}

void Stability::SetFixedItems(int sign) {
  const auto& h = plan_.VesHdr;
  // Four header entries each, in the order weight, VCG, LCG, TCG.
  auto fixed = [&](int item, int first) {
    UpdateWeightItem(item, ParseReal(h[first]), ParseReal(h[first + 2]), ParseReal(h[first + 1]),
                     ParseReal(h[first + 3]), sign);
  };
  fixed(kLightshipItem, VesHdrIx::LightshipWeight);
  fixed(kFixedWeightItem, VesHdrIx::FixedWeight);
  // The header's own weight is spread (not the item's sum), so that setting
  // the items twice and taking them away once leaves one spread behind.
  if (strength_->Loaded()) {
    strength_->DistributeOverLength(sign * ParseReal(h[VesHdrIx::FixedWeight]),
                                    ParseReal(h[VesHdrIx::FixedWeight + 2]));
  }
}

WeightItem Stability::Displacement() const {
  WeightItem total;
  for (int i = 0; i <= itemCount_ - 3 && i < kMaxWeightItems; ++i) {
    const WeightItem& it = Items[static_cast<size_t>(i)];
    total.W += it.W;
    total.WL += it.WL;
    total.WV += it.WV;
    total.WT += it.WT;
    total.FSM += it.FSM;
  }
  return total;
}

// ---------------------------------------------------------------------------
// Tables

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t p = line.find(';'); p != std::string::npos; p = line.find(';', start)) {
    fields.push_back(line.substr(start, p - start));
    start = p + 1;
  }
  if (start < line.size() && !Trim(line.substr(start)).empty()) fields.push_back(line.substr(start));
  return fields;
}

bool Blank(const std::string& line) { return Trim(line).empty(); }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

constexpr double kStandardSeaDensity = 1.025;

}  // namespace

namespace {

// Every field a number or empty (an empty field is 0), and not all empty;
// otherwise why not.
std::string RowProblem(const std::vector<std::string>& fields, size_t columns) {
  bool any = false;
  for (size_t c = 0; c < fields.size() && c < columns; ++c) {
    if (Trim(fields[c]).empty()) continue;
    if (!IsNumberText(fields[c])) return "not a row of numbers (field " + std::to_string(c + 1) + " is \"" + fields[c] + "\")";
    any = true;
  }
  return any ? std::string() : "not a row of numbers (no number in it)";
}

// The table's lines as rows, the problems of the lines that are none, and
// of the rows that do not ascend in the columns the lookups search. A
// header line, when wanted, is the first line that is not blank.
struct TableText {
  std::vector<std::vector<std::string>> rows;
  std::vector<int> rowLines;  // 1-based line of each row
  std::vector<std::string> header;
  int headerLine = 0;
  std::vector<SkippedLine> problems;
};

bool ReadTableText(const std::filesystem::path& file, bool withHeader, size_t columns, TableText& table,
                   std::string& error) {
  std::string bytes;
  if (!ReadTextBytes(file, bytes, error)) return false;
  // An empty file stands for a table not made yet: no table, as without it.
  if (IsBlankContent(bytes)) return true;
  const std::vector<std::string> lines = SplitTextLines(bytes);
  const bool cut = EndsInsideALine(bytes, ';');
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Blank(lines[i])) continue;
    const int lineNo = static_cast<int>(i) + 1;
    if (cut && i + 1 == lines.size()) {
      table.problems.push_back({lineNo, std::string(kCutOffLine)});
      break;
    }
    std::vector<std::string> fields = SplitFields(lines[i]);
    if (withHeader && table.headerLine == 0) {
      table.header = std::move(fields);
      table.headerLine = lineNo;
      continue;
    }
    if (static_cast<int>(table.rows.size()) == kMaxStabilityTableRows) break;
    const std::string problem = RowProblem(fields, columns);
    if (!problem.empty()) {
      table.problems.push_back({lineNo, problem});
      continue;
    }
    table.rows.push_back(std::move(fields));
    table.rowLines.push_back(lineNo);
  }
  if (table.rows.empty() && table.problems.empty()) table.problems.push_back({table.headerLine, "no row of numbers"});
  return true;
}

// Rows whose value in column does not rise above the row before's.
void CheckAscending(TableText& table, size_t column, const char* what) {
  for (size_t r = 1; r < table.rows.size(); ++r) {
    const double before = ParseReal(column < table.rows[r - 1].size() ? table.rows[r - 1][column] : "");
    const double value = ParseReal(column < table.rows[r].size() ? table.rows[r][column] : "");
    if (value > before) continue;
    table.problems.push_back({table.rowLines[r], std::string(what) + " " + FormatFixed(value, 3) +
                                                     " does not rise above the line before (" +
                                                     FormatFixed(before, 3) + "): the rows must ascend"});
  }
  std::sort(table.problems.begin(), table.problems.end(),
            [](const SkippedLine& a, const SkippedLine& b) { return a.line < b.line; });
}

// A table with any line it cannot use is not used at all: figures from a
// table read in part would look right and be wrong.
bool Refuse(const std::filesystem::path& file, const TableText& table, const char* what, std::string& error) {
  if (table.problems.empty()) return false;
  error = SkippedLinesMessage(file, table.problems) + ": " + what;
  return true;
}

}  // namespace

bool ReadHydTable(const std::filesystem::path& file, std::vector<HydRow>& rows, std::string& error) {
  rows.clear();
  TableText table;
  if (!ReadTableText(file, false, kHydColumns, table, error)) {
    error += ": no hydrostatic table";
    return false;
  }
  CheckAscending(table, 0, "draft");
  CheckAscending(table, 1, "displacement");
  if (Refuse(file, table, "no hydrostatic table", error)) return false;
  for (const std::vector<std::string>& fields : table.rows) {
    HydRow row{};
    for (size_t c = 0; c < fields.size() && c < row.size(); ++c) row[c] = ParseReal(fields[c]);
    // A KM addition left 0 repeats the one of the trim before. Column 3 (no
    // trim) is 0 by its nature and stays so: copying column 2 into it would
    // add KM to itself.
    for (size_t c = 4; c <= 6; ++c) {
      if (row[c] == 0) row[c] = row[c - 1];
    }
    rows.push_back(row);
  }
  return true;
}

bool ReadCrossCurveTable(const std::filesystem::path& file, CrossCurveTable& table, std::string& error) {
  table = CrossCurveTable{};
  TableText text;
  if (!ReadTableText(file, true, kMaxCrossCurveColumns, text, error)) {
    error += ": no cross curves";
    return false;
  }
  if (text.headerLine == 0) return true;  // an empty file
  std::vector<std::string> names;
  for (size_t c = 0; c < text.header.size() && c < static_cast<size_t>(kMaxCrossCurveColumns); ++c)
    names.push_back(Upper(Trim(text.header[c])));
  // The curve is integrated over its angles in the order of the columns.
  int lastAngle = -1;
  bool knSeen = false;
  for (size_t c = 2; c < names.size(); ++c) {
    if (names[c].rfind("KN", 0) != 0 || names[c].rfind("KN_F", 0) == 0) continue;
    const int angle = ParseInt(Columns(names[c], 3, 4));
    knSeen = true;
    if (angle <= lastAngle)
      text.problems.push_back({text.headerLine, "the angle of column " + names[c] + " does not rise above " +
                                                    std::to_string(lastAngle) + ": the angles must ascend"});
    lastAngle = std::max(lastAngle, angle);
  }
  if (!knSeen) text.problems.push_back({text.headerLine, "no column KNaa (KN at aa degrees) in the header"});
  CheckAscending(text, 1, "displacement");
  if (Refuse(file, text, "no cross curves", error)) return false;
  table.Names = std::move(names);
  for (std::vector<std::string>& fields : text.rows) {
    if (fields.size() > static_cast<size_t>(kMaxCrossCurveColumns)) fields.resize(kMaxCrossCurveColumns);
    std::vector<double> row(std::max(fields.size(), table.Names.size()), 0.0);
    for (size_t c = 0; c < fields.size(); ++c) row[c] = ParseReal(fields[c]);
    table.Rows.push_back(std::move(row));
  }
  return true;
}

double DraftToHalfCentimetre(double x) {
  // A draft that is a whole centimetre in decimal but a hair below it in
  // binary (9.99999999998 for 10) must not lose that centimetre.
  constexpr double kHair = 1e-7;
  return (std::trunc(100.0 * x + (x >= 0 ? kHair : -kHair)) + 0.5) / 100.0;
}

const char* LoadLineName(int zone) {
  static const char* const names[kLoadLineZones] = {"Summer", "Winter", "Winter NA", "Tropical", "Fresh Water"};
  return zone >= 0 && zone < kLoadLineZones ? names[zone] : "";
}

bool Stability::LoadTables(const std::filesystem::path& vesselDir, std::string& error) {
  Hyd.clear();
  CrossCurves = CrossCurveTable{};
  error.clear();
  std::string reason;
  const std::filesystem::path hyd = FindFileNoCase(vesselDir, "HYD.txt");
  if (!hyd.empty() && !ReadHydTable(hyd, Hyd, reason)) error = reason;
  // A broken hydrostatic table does not keep the cross curves from loading.
  const std::filesystem::path rle = FindFileNoCase(vesselDir, "RLE.txt");
  if (!rle.empty() && !ReadCrossCurveTable(rle, CrossCurves, reason)) error += (error.empty() ? "" : "; ") + reason;
  return error.empty();
}

// ---------------------------------------------------------------------------
// Hydrostatics, trim and stability

namespace {

// The row of a table at displacement key in column 1: the first row that
// reaches it, interpolated with the row before; below the table the first
// row. False when no row reaches it.
template <typename Row>
bool RowAt(const std::vector<Row>& rows, double key, Row& out) {
  for (size_t i = 0; i < rows.size(); ++i) {
    const Row& hi = rows[i];
    if (hi.size() < 2 || hi[1] < key) continue;
    if (hi[1] == key || i == 0) {
      out = hi;
      return true;
    }
    const Row& lo = rows[i - 1];
    const double span = hi[1] - lo[1];  // positive: lo is below key, hi at or above it
    const double f = span > 0 ? (key - lo[1]) / span : 1.0;
    out = hi;
    for (size_t c = 0; c < out.size(); ++c) {
      const double a = c < lo.size() ? lo[c] : 0.0;
      out[c] = a + f * (hi[c] - a);
    }
    return true;
  }
  return false;
}

}  // namespace

void Stability::ComputeStability() {
  StabilityResults& r = Results;
  const int n = std::clamp(itemCount_, 3, kMaxWeightItems);
  if (n >= 6) {
    // Deadweight (items 1 to n-3) and displacement (0 to n-3).
    WeightItem deadweight;
    for (int i = 1; i <= n - 3; ++i) {
      const WeightItem& it = Items[static_cast<size_t>(i)];
      deadweight.W += it.W;
      deadweight.WL += it.WL;
      deadweight.WV += it.WV;
      deadweight.WT += it.WT;
      deadweight.FSM += it.FSM;
    }
    Items[static_cast<size_t>(n - 2)] = deadweight;
    Items[static_cast<size_t>(n - 1)] = Displacement();
  }
  if (strength_->Loaded()) strength_->ComputeStrength();
  const Strength::Results* sectional =
      strength_->Result.State == StrengthState::Current ? &strength_->Result : nullptr;
  // 1. Sums: the weights stand whether or not there is a table to float them.
  const WeightItem total = Displacement();
  r.W = total.Tonnes();
  r.LCG = total.Lcg();
  r.VCG = total.Vcg();
  r.TCG = total.Tcg();
  r.KGCorrected = r.W > 0 ? r.VCG + total.FreeSurface() / r.W : r.VCG;
  if (Hyd.size() <= 2) {
    r.State = HydrostaticState::NoTable;
    return;
  }

  // 2. The hydrostatic row at the displacement in standard sea water.
  const double density = plan_.SeaDensity;
  r.TableDisplacement = density > 0.9 ? r.W * kStandardSeaDensity / density : r.W;
  HydRow row{};
  if (!RowAt(Hyd, r.TableDisplacement, row)) {
    // Beyond the table: what is left on show is the last displacement's.
    r.State = HydrostaticState::OutsideTable;
    ComputeGzCurve();
    return;
  }
  r.State = HydrostaticState::Current;
  r.Row = row;
  r.T = row[0];
  r.LCB = row[8];
  r.LCF = row[9];
  r.MTC = row[10];

  // 3. Trim and drafts.
  const double L = ParseReal(plan_.VesHdr[VesHdrIx::BaysLength]);
  const double lever = r.LCB - r.LCG;
  if (r.MTC != 0 && r.LCF > 0 && L > 0) {
    r.Trim = lever * r.TableDisplacement / (100.0 * r.MTC);
    r.ForeDraft = DraftToHalfCentimetre(r.T - r.Trim * (L - r.LCF) / L);
    r.AftDraft = DraftToHalfCentimetre(r.T + r.Trim * r.LCF / L);
  } else if (r.MTC != 0 && r.LCF <= 0) {
    r.ForeDraft = DraftToHalfCentimetre(lever * row[12] + r.T);
    r.AftDraft = DraftToHalfCentimetre(lever * row[11] + r.T);
    r.Trim = r.AftDraft - r.ForeDraft;
    if (r.Trim != 0) r.MTC = lever * r.TableDisplacement / r.Trim / 100.0;
  } else {
    r.Trim = 0;
    r.ForeDraft = r.AftDraft = r.T;
  }
  if (sectional) {
    // The sectional equilibrium floats the ship on its real sections.
    r.AftDraft = sectional->AftDraft;
    r.ForeDraft = sectional->ForeDraft;
    r.Trim = sectional->Trim;
    // The hydrostatic figures of the same calculation, at the even-keel
    // waterline of this displacement as a hydrostatic table gives them.
    r.LCB = sectional->LCB;
    r.LCF = sectional->LCF;
    r.MTC = sectional->MCT1m / 100.0;
  }
  r.MeanDraft = (r.ForeDraft + r.AftDraft) / 2.0;
  auto draftAt = [&](double x) { return L > 0 ? r.AftDraft + x * (r.ForeDraft - r.AftDraft) / L : r.MeanDraft; };
  double foreMarks = ParseReal(plan_.VesHdr[19]);
  if (foreMarks == 0) foreMarks = L;
  r.ForeMarksDraft = draftAt(foreMarks);
  r.AftMarksDraft = draftAt(ParseReal(plan_.VesHdr[20]));

  // 4. KM, corrected for a trim by the stern.
  double addition = row[3];
  if (r.Trim >= 3.0) {
    addition = row[6];
  } else if (r.Trim > 0) {
    const double a = std::floor(r.Trim);
    const size_t c = 3 + static_cast<size_t>(a);
    addition = row[c] + (r.Trim - a) * (row[c + 1] - row[c]);
  }
  r.KM = sectional ? sectional->KM : row[2] + addition;

  // 5. Stability values.
  r.GM = r.KM - r.VCG;
  r.GMCorrected = r.KM - r.KGCorrected;
  r.FreeSurfaceCorrection = r.GMCorrected - r.GM;
  // Without positive GM the ship lolls over: the heel reads as 90 degrees to
  // the side of the TCG rather than an angle beyond it.
  r.Heel = std::atan2(r.TCG, std::max(r.GM, 0.0)) * 180.0 / std::numbers::pi;
  const double B = ParseReal(plan_.VesHdr[14]);
  r.RollingPeriod = r.GM > 0 ? 0.85 * B / std::sqrt(r.GM) : 0.0;

  ComputeGzCurve();
}

namespace {

// Newton's divided differences through the points [first, first+count).
double Newton(const std::vector<double>& x, const std::vector<double>& y, size_t first, size_t count, double at) {
  std::vector<double> coef(y.begin() + static_cast<std::ptrdiff_t>(first),
                           y.begin() + static_cast<std::ptrdiff_t>(first + count));
  for (size_t level = 1; level < count; ++level) {
    for (size_t i = count - 1; i >= level; --i) {
      const double dx = x[first + i] - x[first + i - level];
      coef[i] = dx != 0 ? (coef[i] - coef[i - 1]) / dx : 0.0;
    }
  }
  double value = coef[count - 1];
  for (size_t i = count - 1; i-- > 0;) value = value * (at - x[first + i]) + coef[i];
  return value;
}

}  // namespace

double InterpolateGz(const std::vector<double>& angles, const std::vector<double>& levers, double angle) {
  const size_t points = std::min(angles.size(), levers.size());
  if (points == 0) return 0;
  const size_t window = std::min<size_t>(6, points);
  // The interval holding the angle, and the six points around it: two
  // before and three after, shifted inwards at the ends of the table.
  size_t k = 0;
  while (k + 2 < points && angles[k + 1] < angle) ++k;
  const size_t start = std::min(k >= 2 ? k - 2 : 0, points - window);
  return Newton(angles, levers, start, window, angle);
}

void Stability::ComputeGzCurve() {
  StabilityResults& r = Results;
  r.HasGzCurve = false;
  r.GzAngles.clear();
  r.Gz.clear();
  r.Area30 = r.Area40 = r.Area30To40 = 0;
  r.AreaUpperAngle = kCriteriaUpperAngle;
  r.Gz30 = r.GzMax = r.GzMaxAngle = 0;
  r.FloodingAngle = 0;
  const auto& rows = CrossCurves.Rows;
  if (rows.empty()) return;

  std::vector<double> row;
  if (!RowAt(rows, r.TableDisplacement, row)) row = rows.back();

  const double kg = r.KGCorrected;
  constexpr double kRad = std::numbers::pi / 180.0;
  for (size_t c = 2; c < CrossCurves.Names.size() && c < row.size(); ++c) {
    const std::string& name = CrossCurves.Names[c];
    if (name.rfind("FL_", 0) == 0) {
      r.FloodingAngle = row[c];
      continue;
    }
    if (name.size() < 4 || name.rfind("KN", 0) != 0 || !std::isdigit(static_cast<unsigned char>(name[2])) ||
        !std::isdigit(static_cast<unsigned char>(name[3]))) {
      continue;  // KG..., KN_F... and unknown columns are not part of the curve
    }
    const int angle = (name[2] - '0') * 10 + (name[3] - '0');
    if (angle <= 0 || angle >= 90) continue;
    if (c != 2 && std::abs(row[c]) < 0.001) continue;
    const double gz = row[c] - kg * std::sin(angle * kRad);
    r.GzAngles.push_back(angle);
    r.Gz.push_back(gz);
    if (angle == 30) r.Gz30 = gz;
  }
  if (r.GzAngles.empty()) return;
  r.HasGzCurve = true;
  if (r.FloodingAngle > 0 && r.FloodingAngle < kCriteriaUpperAngle) r.AreaUpperAngle = r.FloodingAngle;
  const double upper = r.AreaUpperAngle;

  // The curve through the tabulated points, anchored at the upright ship
  // (no lever at 0 degrees): a table that starts at 5 degrees must not drop
  // the area of its first degrees from the criteria.
  std::vector<double> x = r.GzAngles;
  std::vector<double> y = r.Gz;
  if (x.front() > 0) {
    x.insert(x.begin(), 0.0);
    y.insert(y.begin(), 0.0);
  }
  double area = 0;
  double previous = 0;
  bool first = true;
  bool upperReached = false;
  for (int degree = static_cast<int>(std::floor(x.front())) + 1; degree <= static_cast<int>(x.back()); ++degree) {
    const double gz = InterpolateGz(x, y, degree);
    // An upper angle between whole degrees ends on the part of this step.
    if (!upperReached && upper < degree) {
      const double from = degree - 1;
      if (upper > from) {
        r.Area40 = area + (previous + InterpolateGz(x, y, upper)) * (upper - from) * std::numbers::pi / 360.0;
        upperReached = true;
      }
    }
    area += (previous + gz) * std::numbers::pi / 360.0;
    previous = gz;
    if (degree == 30) r.Area30 = area;
    if (!upperReached && degree == upper) {
      r.Area40 = area;
      upperReached = true;
    }
    if (first || gz > r.GzMax) {
      r.GzMax = gz;
      r.GzMaxAngle = degree;
      first = false;
    }
  }
  // Flooding below 30°: no area beyond 30° counts.
  r.Area30To40 = upper > 30 && upperReached ? r.Area40 - r.Area30 : 0.0;
}

std::vector<CriterionVerdict> JudgeCriteria(const StabilityResults& r, const std::array<double, 6>& limits) {
  if (!r.HasGzCurve) return {};
  const CriterionVerdict values[] = {
      {"gm", r.GMCorrected, limits[0]},      {"area_0_30", r.Area30, limits[1]}, {"area_0_40", r.Area40, limits[2]},
      {"area_30_40", r.Area30To40, limits[3]}, {"gz_30", r.Gz30, limits[4]},   {"gz_max_angle", r.GzMaxAngle, limits[5]},
  };
  std::vector<CriterionVerdict> verdicts;
  for (CriterionVerdict v : values) {
    v.Met = v.Value > v.Limit;
    verdicts.push_back(v);
  }
  return verdicts;
}

std::string AreaUpperAngleText(const StabilityResults& r) {
  return r.AreaUpperAngle < kCriteriaUpperAngle ? FormatFixed(r.AreaUpperAngle, 1) : std::string("40");
}

void Stability::ComputeLoadLines() {
  LoadLines = {};
  const double ts = ParseReal(plan_.VesHdr[17]);
  const double summerDisplacement = ParseReal(plan_.VesHdr[18]);
  double tpc = 0;
  for (size_t i = 0; i + 1 < Hyd.size(); ++i) {
    if (Hyd[i + 1][0] >= ts || i + 2 == Hyd.size()) {
      const double dt = Hyd[i + 1][0] - Hyd[i][0];
      if (dt != 0) tpc = (Hyd[i + 1][1] - Hyd[i][1]) / (100.0 * dt);
      break;
    }
  }
  LoadLines[0] = ts;
  LoadLines[1] = ts - ts / 48.0;
  LoadLines[2] = LoadLines[1] - 0.05;
  LoadLines[3] = ts + ts / 48.0;
  // Fresh water allowance: Δ / (4·TPC) millimetres.
  LoadLines[4] = tpc > 0 ? ts + summerDisplacement / (4.0 * tpc) * 0.001 : ts;
}

void Stability::SelectLoadLine(int step) {
  int zone = (plan_.LoadLineZone + step) % kLoadLineZones;
  if (zone < 0) zone += kLoadLineZones;
  plan_.LoadLineZone = zone;
  plan_.SeaDensity = zone == 4 ? 1.000 : kStandardSeaDensity;
  ComputeStability();
}

// ---------------------------------------------------------------------------
// Draft survey

void Stability::SetCorrection(double w, double lcg, double vcg) {
  const int item = CorrectionItem();
  if (item < 0 || item >= kMaxWeightItems) return;
  // Set directly: a correction may be negative, which the clearing of light
  // items in UpdateWeightItem would wipe out.
  WeightItem& it = Items[static_cast<size_t>(item)];
  it = WeightItem{};
  if (!Storable(w, kLargestWeight) || !Storable(lcg, kLargestCentre) || !Storable(vcg, kLargestCentre)) return;
  it.W = Milli(w);
  it.WL = it.W * Milli(lcg);
  it.WV = it.W * Milli(vcg);
}

double Stability::TableDisplacementAtDraft(double draft) const {
  for (size_t i = 0; i < Hyd.size(); ++i) {
    const HydRow& hi = Hyd[i];
    if (hi[0] < draft) continue;
    if (hi[0] == draft || i == 0) return hi[1];
    const HydRow& lo = Hyd[i - 1];
    return lo[1] + (draft - lo[0]) * (hi[1] - lo[1]) / (hi[0] - lo[0]);
  }
  return Hyd.empty() ? 0.0 : Hyd.back()[1];
}

bool Stability::CorrectFromDrafts(double observedAft, double observedFore) {
  const StabilityResults& r = Results;
  if (std::abs(observedAft - r.AftMarksDraft) < 0.02 && std::abs(observedFore - r.ForeMarksDraft) < 0.02) {
    return false;
  }
  const int item = CorrectionItem();
  const bool sectional = strength_->Loaded();
  if (item < 3 || item >= kMaxWeightItems || (!sectional && Hyd.size() <= 2)) return false;
  const double meanObserved = (observedAft + observedFore) / 2;
  const double trimObserved = observedAft - observedFore;
  ClearCorrection();

  const WeightItem ship = Displacement();
  const WeightItem& boxes = Items[kContainersItem];
  const double vcg = boxes.W != 0 ? boxes.Vcg() : ship.Vcg();
  if (sectional) {
    Strength& s = *strength_;
    s.ObservedDraftMode = true;
    s.ObservedAft = observedAft;
    s.ObservedFore = observedFore;
    s.ComputeStrength();
    s.ObservedDraftMode = false;
    if (s.Result.State == StrengthState::Current) {
      const double d = s.Result.Displacement - ship.Tonnes();
      if (std::abs(d) >= 0.001) {
        // The correction's centre puts the whole ship's centre of gravity on
        // the vertical through the observed centre of buoyancy; trimmed, that
        // vertical leans by (KG - KB)·tan(trim angle) in the ship's frame.
        const double tilt = s.Length() > 0 ? s.Result.Trim / s.Length() : 0.0;
        const double verticalMoment = ship.Tonnes() * ship.Vcg() + d * vcg - s.Result.Displacement * s.Result.KB;
        const double lcg =
            (s.Result.Displacement * s.Result.LCB + verticalMoment * tilt - ship.Tonnes() * ship.Lcg()) / d;
        SetCorrection(d, lcg, vcg);
        s.DistributeItem(item, +1);
      }
    }
  } else {
    const double tm = std::min(meanObserved, Hyd.back()[0]);
    // The table holds displacements in sea water of 1.025 t/m3.
    const double density = plan_.SeaDensity > 0.9 ? plan_.SeaDensity : kStandardSeaDensity;
    double d = std::trunc(TableDisplacementAtDraft(tm) * density / kStandardSeaDensity - ship.Tonnes());
    double lcg = boxes.W != 0 ? boxes.Lcg() : ship.Lcg();
    SetCorrection(d, lcg, 0);
    ComputeStability();
    for (int pass = 0; pass < 30000; ++pass) {
      if (std::abs(r.Trim - trimObserved) <= 0.004 && std::abs(r.MeanDraft - tm) <= 0.004) break;
      if (d > 0) lcg += (r.Trim - trimObserved) / 2;
      if (d < 0) lcg -= (r.Trim - trimObserved) / 2;
      d = std::trunc(d + (tm - r.MeanDraft) * 100);
      SetCorrection(d, lcg, 0);
      const double trimBefore = r.Trim;
      const double meanBefore = r.MeanDraft;
      ComputeStability();
      if (r.Trim == trimBefore && r.MeanDraft == meanBefore) break;
    }
    SetCorrection(d, lcg, vcg);
  }
  ComputeStability();
  return true;
}

void Stability::ClearCorrection() {
  const int item = CorrectionItem();
  if (item < 0 || item >= kMaxWeightItems) return;
  if (strength_->Loaded()) strength_->DistributeItem(item, -1);
  Items[static_cast<size_t>(item)] = WeightItem{};
  ComputeStability();
}

void Stability::EnterCorrection(double w, double lcg, double vcg) {
  const int item = CorrectionItem();
  if (item < 0 || item >= kMaxWeightItems) return;
  if (strength_->Loaded()) strength_->DistributeItem(item, -1);
  SetCorrection(w, lcg, vcg);
  if (strength_->Loaded()) strength_->DistributeItem(item, +1);
}

// ---------------------------------------------------------------------------
// Report

namespace {

std::string Value(double x, int decimals) { return Pad(FormatFixed(x, decimals), 6, true); }

// Metres as feet and inches, both cut to whole numbers.
std::string FeetAndInches(double metres) {
  const long long inches = static_cast<long long>(std::trunc(metres * 100 / 2.54));
  const long long whole = inches < 0 ? -inches : inches;
  const std::string sign = inches < 0 ? "-" : "";
  return Pad(sign + std::to_string(whole / 12), 2, true) + "'" + std::to_string(whole % 12) + "\"";
}

}  // namespace

void Stability::StabilityReport(std::vector<std::string>& lines) const {
  const StabilityResults& r = Results;
  const auto& messages = plan_.Messages;
  lines.push_back(messages[81]);
  lines.push_back(messages[82]);
  if (r.State == HydrostaticState::OutsideTable) {
    lines.push_back("   Displacement beyond the hydrostatic table: drafts and stability are those of the last "
                    "displacement inside it");
  } else if (r.State == HydrostaticState::NoTable) {
    lines.push_back("   No hydrostatic table: no drafts or stability");
  }

  const int n = std::clamp(itemCount_, 3, kMaxWeightItems);
  for (int i = 0; i < n; ++i) {
    if (i == n - 2) lines.emplace_back();
    const WeightItem& it = Items[static_cast<size_t>(i)];
    std::string line = "   " + Pad(ItemName(i), 16, false);
    if (it.W > 0) {
      line += Pad(FormatFixed(it.Tonnes(), 2), 9, true) + Pad(FormatFixed(it.Lcg(), 2), 8, true) +
              Pad(FormatFixed(it.Vcg(), 2), 8, true) + Pad(FormatFixed(it.Tcg(), 2), 8, true);
    }
    lines.push_back(line);
  }
  lines.emplace_back();

  const char* const degrees = " (\xB0)";
  // A criterion not met says so after its value, with the limit it missed.
  std::array<std::string, 27> verdict;
  const int lineOf[] = {10, 21, 22, 23, 24, 25};  // GM', areas, GZ at 30°, angle of GZ max
  const std::vector<CriterionVerdict> verdicts = JudgeCriteria(r, plan_.Lim);
  for (size_t c = 0; c < verdicts.size(); ++c) {
    const CriterionVerdict& v = verdicts[c];
    if (!v.Met) verdict[static_cast<size_t>(lineOf[c])] = "  not met: limit " + FormatFixed(v.Limit, c == 5 ? 0 : 3);
  }
  // Areas cut at the flooding angle say where they end.
  const std::string upper = AreaUpperAngleText(r);
  const std::string toFlooding = r.AreaUpperAngle < 40 ? " to the flooding angle " + upper + "\xB0" : "";
  for (int i = 0; i <= 26; ++i) {
    std::string line = "   " + Pad(messages[static_cast<size_t>(54 + i)], i >= 21 ? 30 : 20, false);
    auto metres = [&](double x) { line += Value(x, 2) + " (m)    " + FeetAndInches(x); };
    switch (i) {
      case 0: metres(r.ForeDraft); break;
      case 1: metres(r.AftDraft); break;
      case 2: metres(r.MeanDraft); break;
      case 4: metres(r.Trim); break;
      case 6: line += Value(r.Heel, 2) + degrees; break;
      case 8: line += Value(r.GM, 2) + " (m)"; break;
      case 9: line += Value(r.GMCorrected - r.GM, 2) + " (m)"; break;
      case 10: line += Value(r.GMCorrected, 2) + " (m)"; break;
      case 12: line += Value(r.KM, 2) + " (m)"; break;
      case 13: line += Value(r.LCF, 2) + " (m)"; break;
      case 14: line += Value(r.LCB, 2) + " (m)"; break;
      case 15: line += Value(r.MTC, 2) + " (tm/cm)"; break;
      case 17: line += Value(r.RollingPeriod, 0) + " (s)"; break;
      case 19: line += Value(plan_.SeaDensity, 3) + " (t/m3)"; break;
      case 21: line += Value(r.Area30, 3) + " (rad*m)"; break;
      case 22: line += Value(r.Area40, 3) + " (rad*m)" + toFlooding; break;
      case 23: line += Value(r.Area30To40, 3) + " (rad*m)" + toFlooding; break;
      case 24: line += Value(r.Gz30, 2) + " (m)"; break;
      case 25: line += Value(r.GzMaxAngle, 0) + degrees; break;
      case 26:
        if (r.FloodingAngle > 0) line += Value(r.FloodingAngle, 2) + degrees;
        break;
      default: break;
    }
    line += verdict[static_cast<size_t>(i)];
    lines.push_back(line);
    if (i == 17 && strength_->Loaded()) {
      lines.emplace_back();
      const Strength::Results& s = strength_->Result;
      if (s.State == StrengthState::Current) {
        lines.push_back("   Bending Moment     " + Value(s.MaxBendingPercent, 2) + " %");
        lines.push_back("   Shear Forces       " + Value(s.MaxShearPercent, 2) + " %");
        lines.push_back("   Torsion            " + Value(s.MaxTorsionPercent, 2) + " %");
      } else {
        lines.push_back("   No strength figures: no equilibrium within the Bonjean table");
      }
    }
  }
}

std::string Stability::SavedTotalsNote() const {
  if (Saved.W <= 0) return {};
  const WeightItem total = Displacement();
  const double w = total.Tonnes();
  const bool same = std::abs(w - Saved.W) < 0.5 && (w <= 0 || (std::abs(total.Lcg() - Saved.LCG) < 0.01 &&
                                                                 std::abs(total.Vcg() - Saved.VCG) < 0.01));
  if (same) return {};
  return "Saved with " + FormatFixed(Saved.W, 1) + " t, LCG " + FormatFixed(Saved.LCG, 2) + " m, VCG " +
         FormatFixed(Saved.VCG, 2) + " m";
}
