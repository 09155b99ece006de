#include "checks/StowageCheck.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

#include "checks/CheckDigit.h"
#include "checks/ContainerShipRules.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"
#include "vessel/CellAddress.h"

namespace {

// Vessel cells lie below the unit in hand; nothing past them is examined.
int CellLimit(const PlanData& plan) { return std::clamp(plan.CellCount, 0, kUnitInHand); }

const std::string& CellName(const PlanData& plan, int cell) {
  return plan.Cells[static_cast<size_t>(cell)].CELL;
}

// A full reefer that is not itself dangerous goods: its running machinery is
// what the RF row and column of the segregation table are about.
bool IsRunningReefer(const PlanData& plan, const StructDat& unit) {
  return !IsHazardous(unit) && IsReeferType(plan, unit) && unit.MTY < 1;
}

bool ReefersTakePart(const PlanData& plan) {
  return plan.Settings[static_cast<size_t>(SettingsIx::CheckReeferSegregation)] > "0";
}

// Row of the class in the IMO table (the last of equal codes), -1 if absent.
int ImoIndex(const PlanData& plan, const std::string& classText) {
  const int count = std::clamp(plan.ImoCount, 0, kMaxImos);
  int found = -1;
  for (int k = 0; k < count; ++k)
    if (Pad(plan.Imos[static_cast<size_t>(k)].CLASS, 3, false) == classText) found = k;
  return found;
}

// Position in a stack's tier across the ship: the two sides of the centre
// line count outwards from it, a centre row pushing the starboard rows out by
// one.
int RowIndex(const PlanData& plan, int cell, int row) {
  if (row % 2 == 0) return row / 2;
  return (row - 1) / 2 + (HasCentreRow(plan, cell) ? 1 : 0);
}

// The classes a unit is segregated by, each padded to 3: "RF " for a
// running reefer; otherwise its first class (blank when it has only a UN
// number, which the table does not know) and every further class given.
std::vector<std::string> SegregationClasses(const StructDat& unit, bool runningReefer) {
  if (runningReefer) return {"RF "};
  std::vector<std::string> classes{Pad(unit.IMO[0], 3, false)};
  for (size_t k = 1; k < unit.IMO.size(); ++k) {
    const std::string c = Pad(unit.IMO[k], 3, false);
    if (StripBlanks(c).empty()) continue;
    if (std::find(classes.begin(), classes.end(), c) == classes.end()) classes.push_back(c);
  }
  return classes;
}

struct NumberEntry {
  std::string text;  // number padded to 13, then the cell index: the sort key
  int cell = -1;
};

// What a check run works from besides the plan: the container-ship table
// and the hold under each bay.
struct SegregationContext {
  explicit SegregationContext(const PlanData& plan) : rules(plan) {
    const int bays = std::clamp(plan.BayCount, 0, kMaxBays);
    holds.assign(static_cast<size_t>(bays), 0);
    for (int b = 0; b < bays; ++b) holdData = holdData || plan.Bays[static_cast<size_t>(b)].HOLD > 0;
    if (holdData) {
      for (int b = 0; b < bays; ++b) holds[static_cast<size_t>(b)] = plan.Bays[static_cast<size_t>(b)].HOLD;
      return;
    }
    // Without hold data each 40' bay (or a 20' bay that forms none) is taken
    // as a hold of its own.
    std::string previous;
    int hold = 0;
    for (int b = 0; b < bays; ++b) {
      const StructBay& bay = plan.Bays[static_cast<size_t>(b)];
      std::string forty = Trim(bay.H40);
      if (forty.empty() || forty == "0") forty = Trim(bay.D40);
      if (forty.empty() || forty == "0" || forty != previous) ++hold;
      previous = (forty == "0") ? std::string() : forty;
      holds[static_cast<size_t>(b)] = hold;
    }
  }
  int HoldOfCell(const PlanData& plan, int cell) const {
    const int bay = plan.Cells[static_cast<size_t>(cell)].BAYIX;
    return bay >= 0 && bay < static_cast<int>(holds.size()) ? holds[static_cast<size_t>(bay)] : 0;
  }

  ContainerShipRules rules;
  std::vector<int> holds;
  bool holdData = false;
};

// A finding between two units, and how it was reached.
struct Judgement {
  std::string verdict = " ";
  std::string why;
  bool byHolds = false;  // judged by the container-ship table, which counts bulkheads
};

// Container lengths in metres, for the distance between the units' ends.
double UnitLength(const StructDat& unit) {
  if (Is20Foot(unit)) return 6.058;
  if (unit.SIZ.rfind("45", 0) == 0 || unit.SIZ.rfind("L", 0) == 0) return 13.716;
  return 12.192;
}

double UnitCentre(const PlanData& plan, int cell, const StructDat& unit) {
  const StructCel& c = plan.Cells[static_cast<size_t>(cell)];
  return Is20Foot(unit) ? c.LCG : c.LCG_40;
}

int RowDistance(const PlanData& plan, int a, int b) {
  const int rowA = RowOf(plan, a);
  const int rowB = RowOf(plan, b);
  const int indexA = RowIndex(plan, a, rowA);
  const int indexB = RowIndex(plan, b, rowB);
  return (rowA % 2 == rowB % 2) ? std::abs(indexA - indexB) : indexA + indexB;
}

bool AcrossTheBridge(const PlanData& plan, int bayA, int bayB) {
  const int bridge = ParseInt(plan.VesHdr[static_cast<size_t>(VesHdrIx::BridgeBay)]);
  return std::min(bayA, bayB) < bridge && std::max(bayA, bayB) >= bridge;
}

PairPlace PlaceOf(const PlanData& plan, const SegregationContext& context, int a, int b) {
  const StructDat& ua = plan.Cur()[static_cast<size_t>(a)];
  const StructDat& ub = plan.Cur()[static_cast<size_t>(b)];
  PairPlace place;
  place.deckA = IsDeckTier(TierOf(plan, a));
  place.deckB = IsDeckTier(TierOf(plan, b));
  place.openA = IsOpenUnit(plan, ua);
  place.openB = IsOpenUnit(plan, ub);
  place.aAboveB = TierOf(plan, a) > TierOf(plan, b);

  // Fore and aft in 20' slots: a 40' unit covers its own bay and the next.
  const int bayA = BayOf(plan, a);
  const int bayB = BayOf(plan, b);
  const int endA = bayA + (Is20Foot(ua) ? 0 : 2);
  const int endB = bayB + (Is20Foot(ub) ? 0 : 2);
  int spaces = -1;
  if (endA < bayB) spaces = (bayB - endA) / 2 - 1;
  if (endB < bayA) spaces = (bayA - endB) / 2 - 1;
  int bulkheads = std::abs(context.HoldOfCell(plan, a) - context.HoldOfCell(plan, b));
  if (AcrossTheBridge(plan, bayA, bayB)) {
    // The engine room and the accommodation are a compartment of their own
    // and far more than a container space.
    spaces = 99;
    ++bulkheads;
  }
  const double metres = std::abs(UnitCentre(plan, a, ua) - UnitCentre(plan, b, ub)) -
                        (UnitLength(ua) + UnitLength(ub)) / 2;
  place.foreAft = Apart{spaces, bulkheads, metres};

  const bool sameRow = RowOf(plan, a) == RowOf(plan, b);
  place.athwartSpaces = sameRow ? -1 : RowDistance(plan, a, b) - 1;
  place.oneVerticalLine = sameRow && spaces < 0;
  return place;
}

// A running reefer beside dangerous goods keeps the reach the R lines have
// always had: bays and rows counted, nothing across the deck or the bridge.
Judgement ReeferJudgement(const PlanData& plan, int a, int b, int code, const std::string& classes) {
  Judgement judgement;
  const StructDat& ua = plan.Cur()[static_cast<size_t>(a)];
  const int tierA = TierOf(plan, a);
  const int tierB = TierOf(plan, b);
  if (IsDeckTier(tierA) != IsDeckTier(tierB)) return judgement;
  const int bayA = BayOf(plan, a);
  const int bayB = BayOf(plan, b);
  if (AcrossTheBridge(plan, bayA, bayB)) return judgement;
  int bayDistance = 0;
  if (bayA != bayB) bayDistance = Is20Foot(ua) ? (bayB - bayA) / 2 : (bayB - bayA - 2) / 2;
  const int rowDistance = RowDistance(plan, a, b);
  const bool sameStack = bayDistance == 0 && rowDistance == 0 && std::abs((tierA - tierB) / 2) <= 19;
  bool found = false;
  if (code == 4 || code == 9) found = bayDistance < 5;
  if (code == 3) found = sameStack || (bayDistance < 2 && rowDistance < 3);
  if (code == 2) found = sameStack || (bayDistance < 2 && rowDistance < 2);
  if (!found) return judgement;
  judgement.verdict = "R    " + classes;
  judgement.why = "running reefer, code " + std::to_string(code) + ": " + std::to_string(bayDistance) +
                  " bays and " + std::to_string(rowDistance) + " rows apart";
  return judgement;
}

int Rank(int code) {
  if (code == 9) return 4;
  return code >= 1 && code <= 4 ? code : 0;
}

Judgement JudgePair(const PlanData& plan, const SegregationContext& context, int a, int b) {
  Judgement best;
  const int count = CellLimit(plan);
  if (a < 0 || b < 0 || a >= count || b >= count) return best;
  const StructDat& ua = plan.Cur()[static_cast<size_t>(a)];
  const StructDat& ub = plan.Cur()[static_cast<size_t>(b)];
  const bool reeferA = IsRunningReefer(plan, ua);
  const bool reeferB = IsRunningReefer(plan, ub);
  if (reeferA && reeferB) return best;
  // A unit with several dangerous goods is kept apart by the strictest
  // requirement over every pair of their classes, not by its first class.
  const std::vector<std::string> classesA = SegregationClasses(ua, reeferA);
  const std::vector<std::string> classesB = SegregationClasses(ub, reeferB);
  for (const std::string& classA : classesA) {
    if (ImoIndex(plan, classA) < 0) {
      best.verdict = "-";
      return best;
    }
  }

  std::optional<PairPlace> place;
  int bestRank = 0;
  for (const std::string& classA : classesA) {
    const int row = ImoIndex(plan, classA);
    for (const std::string& classB : classesB) {
      const int column = ImoIndex(plan, classB);
      // The IMO table may hold more classes than the matrix has places.
      if (column < 0 || row >= kSegSize || column >= kSegSize) continue;
      const int code = plan.SegTable[static_cast<size_t>(row)][static_cast<size_t>(column)];
      if (Rank(code) <= bestRank) continue;
      Judgement found;
      if (reeferA || reeferB) {
        found = ReeferJudgement(plan, a, b, code, classA + " " + classB);
      } else {
        if (!place) place = PlaceOf(plan, context, a, b);
        best.byHolds = true;
        const ContainerShipRule* rule = context.rules.Find(code, place->openA, place->openB);
        if (rule == nullptr) continue;
        const RuleOutcome outcome = JudgeContainerShipRule(*rule, *place);
        if (!outcome.violated) continue;
        const char marker = code == 9 ? '*' : static_cast<char>('0' + code);
        found.verdict = std::string(1, marker) + "    " + classA + " " + classB;
        found.why = outcome.why;
      }
      if (found.verdict[0] == ' ') continue;
      bestRank = Rank(code);
      found.byHolds = best.byHolds;
      best = found;
    }
  }
  return best;
}

}  // namespace

std::string SegregationVerdict(const PlanData& plan, int a, int b) {
  return JudgePair(plan, SegregationContext(plan), a, b).verdict;
}

std::string ExplainSegregation(const PlanData& plan, int a, int b) {
  return JudgePair(plan, SegregationContext(plan), a, b).why;
}

std::string UnknownSegregationClass(const PlanData& plan, int cell) {
  const int count = CellLimit(plan);
  if (cell < 0 || cell >= count) return {};
  const StructDat& unit = plan.Cur()[static_cast<size_t>(cell)];
  for (const std::string& c : SegregationClasses(unit, IsRunningReefer(plan, unit)))
    if (ImoIndex(plan, c) < 0) return TrimRight(c);
  return {};
}

bool RunStowageCheck(PlanData& plan, Host& host, bool segregationOnly, int cell,
                     std::vector<std::string>& lines, bool explain) {
  lines.clear();
  BusyCursor busy(host);
  const SegregationContext context(plan);
  bool pairsJudged = false;  // a pair was judged with the holds taken into account
  const int count = CellLimit(plan);
  const auto& cur = plan.Cur();
  const bool reefersOn = ReefersTakePart(plan);
  const bool allCells = cell == -1;

  int first = 0;
  int last = count - 1;
  if (!allCells) {
    first = cell;
    last = cell;
    if (cell < 0 || cell >= count) last = first - 1;  // no such cell: nothing to examine
  }

  std::vector<NumberEntry> numbers;
  for (int i = first; i <= last; ++i) {
    const StructDat& unit = cur[static_cast<size_t>(i)];
    if (unit.STATUS != 1) continue;
    if (!segregationOnly && unit.CONTAINER.size() > 10 && !IsBreakBulk(unit))
      numbers.push_back({Pad(unit.CONTAINER, 13, false) + std::to_string(i) + "     ", i});

    const bool hazardous = IsHazardous(unit);
    if (!hazardous && !(reefersOn && IsRunningReefer(plan, unit))) continue;

    // The whole scan pairs each cell with the later ones, which covers every
    // pair once; a single cell is paired with all others. Two running reefers
    // never make a finding, so a reefer is paired with dangerous goods only,
    // wherever they stand.
    for (int j = allCells ? i + 1 : 0; j < count; ++j) {
      if (j == i) continue;
      const StructDat& other = cur[static_cast<size_t>(j)];
      if (other.STATUS != 1) continue;
      if (!IsHazardous(other)) {
        if (!hazardous || !reefersOn || !IsRunningReefer(plan, other)) continue;
      }
      int a = i;
      int b = j;
      if (CellName(plan, j) < CellName(plan, i)) std::swap(a, b);
      const Judgement judgement = JudgePair(plan, context, a, b);
      pairsJudged = pairsJudged || judgement.byHolds;
      const std::string& verdict = judgement.verdict;
      if (verdict.empty() || verdict[0] == ' ') continue;
      if (verdict == "-") {
        lines.push_back("INVALID IMO CODE " + UnknownSegregationClass(plan, a) + "     " + CellName(plan, a));
        break;
      }
      lines.push_back("SEGREGATION " + verdict + " " + CellName(plan, a) + " " + CellName(plan, b));
      if (explain) lines.push_back("    " + judgement.why);
    }
  }

  std::sort(numbers.begin(), numbers.end(),
            [](const NumberEntry& x, const NumberEntry& y) { return x.text < y.text; });
  for (size_t k = 1; k < numbers.size(); ++k) {
    const std::string number = numbers[k].text.substr(0, 13);
    if (number == numbers[k - 1].text.substr(0, 13))
      lines.push_back("DUP        " + number + " " + CellName(plan, numbers[k - 1].cell) + " " +
                      CellName(plan, numbers[k].cell));
  }
  for (const NumberEntry& entry : numbers) {
    const CheckDigitResult digit = JudgeCheckDigit(cur[static_cast<size_t>(entry.cell)].CONTAINER);
    if (digit.checked && !digit.matches)
      lines.push_back("DIGIT " + digit.correct + "    " + entry.text.substr(0, 13) + " " +
                      CellName(plan, entry.cell));
  }

  // What the check assumed or could not read comes first, once, and names
  // no cell, so that it marks nothing and a double click on it shows nothing.
  std::vector<std::string> header;
  if (pairsJudged && !context.holdData) header.push_back(kNoHoldDataLine);
  for (const std::string& problem : context.rules.Problems()) header.push_back("NOTE: " + problem);
  const bool found = !lines.empty();
  lines.insert(lines.begin(), header.begin(), header.end());
  if (found) {
    MarkCheckedCells(plan, host, lines);
    return false;
  }
  lines.push_back(kNoErrorsLine);
  return true;
}

namespace {

// The cell names at columns 26-31 and 33-38 of the lines.
std::set<std::string> NamedCells(const std::vector<std::string>& lines) {
  std::set<std::string> names;
  for (const std::string& line : lines) {
    for (const std::string& name : {Columns(line, 26, 31), Columns(line, 33, 38)})
      if (!name.empty()) names.insert(name);
  }
  return names;
}

}  // namespace

void MarkCheckedCells(PlanData& plan, Host& host, const std::vector<std::string>& lines) {
  const int count = CellLimit(plan);
  auto& cur = plan.Cur();
  for (int i = 0; i < count; ++i) cur[static_cast<size_t>(i)].SELECTED = 0;
  const std::set<std::string> names = NamedCells(lines);
  for (int i = 0; i < count; ++i) {
    if (!names.contains(CellName(plan, i))) continue;
    StructDat& unit = cur[static_cast<size_t>(i)];
    unit.SELECTED = 1;
    if (!Is20Foot(unit) && unit.STATUS == 1) {
      const int partner = FortyPartnerCell(plan, i);
      if (partner >= 0 && partner < count) cur[static_cast<size_t>(partner)].SELECTED = 1;
    }
  }
  host.PlanChanged();
}

std::vector<int> CheckLineCells(const PlanData& plan, std::string_view line) {
  const std::set<std::string> names = NamedCells({std::string(line)});
  std::vector<int> cells;
  const int count = CellLimit(plan);
  for (int i = 0; i < count; ++i)
    if (names.contains(CellName(plan, i))) cells.push_back(i);
  return cells;
}

std::vector<int> HighlightCheckLine(PlanData& plan, std::string_view line) {
  const std::vector<int> cells = CheckLineCells(plan, line);
  // A line that names no cell ("no errors") has nothing to show: clearing
  // every mark would only grey out the whole plan.
  if (cells.empty()) return cells;
  const int count = CellLimit(plan);
  auto& cur = plan.Cur();
  for (int i = 0; i < count; ++i) cur[static_cast<size_t>(i)].SELECTED = 0;
  for (int i : cells) cur[static_cast<size_t>(i)].SELECTED = 1;
  return cells;
}
