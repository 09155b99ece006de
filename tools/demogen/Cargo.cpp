#include "Cargo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>

#include "checks/CheckDigit.h"
#include "conditions/ConditionFile.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/UnitRules.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "stability/Tanks.h"
#include "vessel/CellAddress.h"

namespace {

// The service: ports in call order.
const std::array<const char*, 7> kRotation{"ANR", "FXT", "RTM", "HAM", "GOT", "AAR", "GDY"};
constexpr int kRtm = 2;
constexpr int kHam = 3;
const char* kVoyage = "012N";

// std::mt19937's sequence is fixed by the standard, so the demo files come
// out the same everywhere; the distributions of <random> are not, hence
// the plain modulo.
class Dice {
 public:
  int Below(int n) { return n > 0 ? static_cast<int>(rng_() % static_cast<std::uint32_t>(n)) : 0; }
  bool Percent(int p) { return Below(100) < p; }
  double Between(double a, double b) { return a + (b - a) * Below(1001) / 1000.0; }

 private:
  std::mt19937 rng_{20261210};
};

// A stack as the voyage fills it: the cells bottom up (for 40' units the
// cells of the fore 20' bay, which the 40' positions name).
struct Column {
  std::vector<int> cells;
  bool forty = false;
  bool deck = false;
  bool closed = false;          // an over-size unit on top: nothing above it
  std::vector<int> units;       // occupied levels: index into cells
  std::string dangerousClass;   // the class this column carries, if any
  std::string dangerousUn;
  bool seededPartner = false;   // takes the badly segregated second unit
};

struct DangerousStack {
  const char* cell;  // the stack's bottom cell
  const char* imo;
  const char* un;
};
// Dangerous goods, each class where the segregation table lets it stand.
// The 5.1 unit on top of the class 3 unit in 090482 is the one pair that is
// not segregated (a planner's slip the check must find).
constexpr DangerousStack kDangerous[] = {
    {"050182", "3", "1263"}, {"090482", "3", "1993"}, {"130782", "8", "1789"},
    {"170002", "9", "3082"}, {"210882", "2.2", "1066"}, {"010202", "6.1", "2810"},
};
constexpr const char* kSeededCell = "090482";

// The ISO size-type code from the unit's type and size.
void SetIso(StructDat& u) {
  std::string iso = "2G1";
  if (u.TYP == "HC") iso = "5G1";
  else if (u.TYP == "RF") iso = "2R1";
  else if (u.TYP == "HR") iso = "5R1";
  else if (u.TYP == "FR") iso = "2P1";
  else if (u.TYP == "FL") iso = "2P3";
  const char length = u.SIZ == "20" ? '2' : (u.SIZ == "40" ? '4' : 'L');
  u.ISO = std::string(1, length) + iso;
}

class Voyage {
 public:
  Voyage(PlanContext& ctx, ConditionFile& conditions) : ctx_(ctx), plan_(ctx.plan), conditions_(conditions) {}

  void BuildColumns();
  void Discharge(int port);
  void Load(int port, double holdFill, double deckFill);
  bool Write(char type, int port, const std::vector<std::pair<std::string, double>>& tanks, VoyageReport& report,
             std::string& error);
  // A prestowage that tops every deck stack up with heavy units, written as
  // a condition of its own and taken off again: a plan that does not meet
  // the stability criteria.
  bool WriteOverloadedDeck(int port, const std::vector<std::pair<std::string, double>>& tanks,
                           VoyageReport& report, std::string& error);

 private:
  StructDat NewUnit(int port, int pod, const Column& column, size_t level);
  bool PlaceIn(Column& column, StructDat unit);
  int PodBelow(const Column& column) const;
  std::string NextNumber(const char* owner);
  using TankList = std::vector<std::pair<std::string, double>>;
  std::string Afloat() const;
  void SetTanks(const TankList& list);
  double Capacity(const std::string& key) const;
  TankList Ballast(const TankList& consumables);

  PlanContext& ctx_;
  PlanData& plan_;
  ConditionFile& conditions_;
  Dice dice_;
  std::vector<Column> columns_;
  int serial_ = 310000;
  bool seededDone_ = false;
  bool bundleDone_ = false;
  int fortyFives_ = 0;  // 45' units of the port loading now
};

void Voyage::BuildColumns() {
  // Stacks by 20' bay and row and section, bottom up.
  for (int b = 0; b < plan_.BayCount; ++b) {
    const StructBay& bay = plan_.Bays[static_cast<size_t>(b)];
    for (int deck = 0; deck <= 1; ++deck) {
      for (int row = 0; row <= 18; ++row) {
        std::vector<int> cells;
        for (int i = bay.FIRSTCELL; i <= bay.LASTCELL; ++i)
          if (RowOf(plan_, i) == row && IsDeckTier(TierOf(plan_, i)) == (deck == 1)) cells.push_back(i);
        if (cells.empty()) continue;
        const int number = BayOf(plan_, cells.front());
        const int forty = ParseInt(deck ? bay.D40 : bay.H40);
        const bool foreBay = forty == number + 1;
        // A stack whose every cell pairs with the aft bay may take 40' units.
        bool pairs = foreBay;
        for (int c : cells) pairs = pairs && plan_.Cells[static_cast<size_t>(c)].RESTR != 2 && FortyPartnerCell(plan_, c) >= 0;
        Column column;
        column.deck = deck == 1;
        column.cells = cells;
        const std::string bottom = plan_.Cells[static_cast<size_t>(cells.front())].CELL;
        for (const DangerousStack& d : kDangerous) {
          if (bottom == d.cell) {
            column.dangerousClass = d.imo;
            column.dangerousUn = d.un;
            column.seededPartner = bottom == kSeededCell;
          }
        }
        if (pairs && column.dangerousClass.empty() && dice_.Percent(deck ? 60 : 55)) {
          column.forty = true;
          columns_.push_back(column);
          continue;
        }
        // 20' stacks leave out the top tier that takes 40' units only.
        std::vector<int> twenty;
        for (int c : cells)
          if (plan_.Cells[static_cast<size_t>(c)].RESTR != 4) twenty.push_back(c);
        column.cells = twenty;
        if (!column.cells.empty()) columns_.push_back(column);
      }
    }
  }
  // A 40' stack's aft bay cells belong to it: drop the aft bay's own
  // columns of the rows that became 40' stacks.
  std::vector<Column> kept;
  for (const Column& c : columns_) {
    bool covered = false;
    if (!c.forty) {
      for (const Column& f : columns_) {
        if (!f.forty || f.deck != c.deck) continue;
        const int partner = FortyPartnerCell(plan_, f.cells.front());
        for (int cell : c.cells) covered = covered || cell == partner;
      }
    }
    if (!covered) kept.push_back(c);
  }
  columns_ = kept;
}

int Voyage::PodBelow(const Column& column) const {
  if (column.units.empty()) return static_cast<int>(kRotation.size()) - 1;
  const StructDat& below = plan_.Cur()[static_cast<size_t>(column.cells[static_cast<size_t>(column.units.back())])];
  for (int p = 0; p < static_cast<int>(kRotation.size()); ++p)
    if (below.POD == kRotation[static_cast<size_t>(p)]) return p;
  return static_cast<int>(kRotation.size()) - 1;
}

std::string Voyage::NextNumber(const char* owner) {
  const std::string body = std::string(owner) + Pad(std::to_string(serial_++), 6, true, "0");
  return body + CheckDigit(body + "0");
}

StructDat Voyage::NewUnit(int port, int pod, const Column& column, size_t level) {
  static const char* const kOwners[] = {"ZUMU", "FDRU", "NSXU", "BLTU", "TGHU"};
  static const char* const kOperators[] = {"ZUM", "ZUM", "NSX", "BLT", "TGH"};
  const int who = dice_.Below(5);
  StructDat u;
  u.CONTAINER = NextNumber(kOwners[who]);
  u.OPERATOR = kOperators[who];
  u.POL = kRotation[static_cast<size_t>(port)];
  u.POD = kRotation[static_cast<size_t>(pod)];
  u.SIZ = column.forty ? "40" : "20";
  u.TYP = "DV";
  const int cell = column.cells[level];
  const bool plug = plan_.Cells[static_cast<size_t>(cell)].FL_RF == 1;
  if (plug && dice_.Percent(70)) {
    u.TYP = column.forty && dice_.Percent(60) ? "HR" : "RF";
    u.TEMP = dice_.Percent(60) ? -18 : (dice_.Percent(50) ? 2 : 13);
    u.WEIGHT = column.forty ? dice_.Between(18, 29) : dice_.Between(14, 24);
  } else if (dice_.Percent(column.deck ? 40 : 5)) {
    u.MTY = 1;
    if (column.forty && dice_.Percent(40)) u.TYP = "HC";
    u.WEIGHT = column.forty ? (u.TYP == "HC" ? 4.0 : 3.8) : 2.2;
  } else {
    // The heavy boxes go into the holds, the light ones on deck.
    if (column.forty && dice_.Percent(35)) u.TYP = "HC";
    if (column.deck) u.WEIGHT = column.forty ? dice_.Between(5, 16) : dice_.Between(3, 12);
    else u.WEIGHT = column.forty ? dice_.Between(12, 30) : dice_.Between(10, 26);
  }
  // 45' high cubes overhang a 40' slot on deck: a few from every port.
  if (column.deck && column.forty && u.TYP == "HC" && u.MTY == 0 && level >= 1 && fortyFives_ < 4) {
    u.SIZ = "45";
    ++fortyFives_;
  }
  SetIso(u);
  u.WEIGHT = std::round(u.WEIGHT * 10) / 10;
  return u;
}

bool Voyage::PlaceIn(Column& column, StructDat unit) {
  const size_t level = column.units.empty() ? 0 : static_cast<size_t>(column.units.back()) + 1;
  if (level >= column.cells.size()) return false;
  const int cell = column.cells[level];
  plan_.Cur()[static_cast<size_t>(plan_.UnitInHandIndex)] = unit;
  if (!PlaceUnit(ctx_, cell, kPlaceInteractive)) return false;
  column.units.push_back(static_cast<int>(level));
  if (unit.OH > 0 || unit.OWP > 0 || unit.OWS > 0) column.closed = true;
  return true;
}

void Voyage::Discharge(int port) {
  for (Column& column : columns_) {
    while (!column.units.empty()) {
      const int cell = column.cells[static_cast<size_t>(column.units.back())];
      if (plan_.Cur()[static_cast<size_t>(cell)].POD != kRotation[static_cast<size_t>(port)]) break;
      RemoveUnit(ctx_, cell);
      column.units.pop_back();
      column.closed = false;
    }
  }
}

void Voyage::Load(int port, double holdFill, double deckFill) {
  const int last = static_cast<int>(kRotation.size()) - 1;
  fortyFives_ = 0;
  for (Column& column : columns_) {
    // Dangerous stacks start empty at the second port, so that their units
    // stay on board to the last port.
    if (!column.dangerousClass.empty() && port == 0) continue;
    const int size = static_cast<int>(column.cells.size());
    const double fill = column.deck ? deckFill : holdFill;
    const int target = std::clamp(static_cast<int>(std::lround(fill * size)) + dice_.Below(3) - 1, 0, size);
    // The units of this port in this stack, heaviest at the bottom.
    std::vector<StructDat> units;
    int pod = PodBelow(column);
    for (size_t level = column.units.size(); static_cast<int>(level) < target && !column.closed; ++level) {
      if (pod <= port) break;  // nothing below may be buried by this port's cargo
      const int from = port + 1;
      pod = from + dice_.Below(pod - from + 1);
      units.push_back(NewUnit(port, pod, column, level));
    }
    // The badly segregated pair needs a second unit in its stack.
    if (column.seededPartner && port == 1 && units.size() == 1 && column.cells.size() > 1) {
      units.push_back(NewUnit(port, last, column, 1));
    }
    // Over-size cargo on flat racks tops some deck stacks; at the ship's
    // side it is also over-width.
    if (column.deck && column.forty && column.dangerousClass.empty() && !units.empty() && dice_.Percent(12)) {
      StructDat& u = units.back();
      u.TYP = "FR";
      u.SIZ = "40";
      u.MTY = 0;
      u.TEMP = 0;
      u.OH = 40 + 10 * dice_.Below(8);
      const int row = RowOf(plan_, column.cells.front());
      if (row >= 5) (row % 2 == 0 ? u.OWP : u.OWS) = 15 + 5 * dice_.Below(4);
      u.WEIGHT = std::round(dice_.Between(12, 30) * 10) / 10;
      SetIso(u);
    }
    // Dangerous goods go to their own stacks, loaded at the second port.
    if (!column.dangerousClass.empty() && port == 1 && !units.empty()) {
      StructDat& u = units.front();
      u.IMO[0] = column.dangerousClass;
      u.UN[0] = column.dangerousUn;
      u.TYP = "DV";
      u.TEMP = 0;
      u.MTY = 0;
      u.POD = kRotation[static_cast<size_t>(last)];
      u.OH = u.OWP = u.OWS = 0;
      u.ISO = std::string(1, u.SIZ == "20" ? '2' : '4') + "2G1";
      if (column.seededPartner && units.size() > 1 && !seededDone_) {
        StructDat& above = units[1];
        above.IMO[0] = "5.1";
        above.UN[0] = "1942";
        above.TYP = "DV";
        above.MTY = 0;
        above.TEMP = 0;
        above.ISO = u.ISO;
        above.POD = u.POD;
        above.OH = above.OWP = above.OWS = 0;
        seededDone_ = true;
      }
    }
    // One bundle of collapsed flat racks, shipped as one unit with the
    // others' numbers attached.
    if (!bundleDone_ && port == 1 && column.deck && column.forty && column.dangerousClass.empty() &&
        column.units.empty() && !units.empty() && units.front().OH == 0) {
      StructDat& u = units.front();
      u.TYP = "FL";
      u.SIZ = "40";
      SetIso(u);
      u.TEMP = 0;
      u.POD = kRotation[static_cast<size_t>(last)];
      u.MTY = 1;
      u.WEIGHT = 4 * 5.6;
      for (size_t k = 0; k < 3; ++k) u.EQA[k] = NextNumber("ZUMU");
      bundleDone_ = true;
    }
    std::stable_sort(units.begin(), units.end(), [](const StructDat& a, const StructDat& b) {
      // Later ports below; within a port, heavier below.
      if (a.POD != b.POD) {
        int pa = 0, pb = 0;
        for (int p = 0; p < static_cast<int>(kRotation.size()); ++p) {
          if (a.POD == kRotation[static_cast<size_t>(p)]) pa = p;
          if (b.POD == kRotation[static_cast<size_t>(p)]) pb = p;
        }
        return pa > pb;
      }
      const bool sa = a.OH > 0 || a.OWP > 0 || a.OWS > 0, sb = b.OH > 0 || b.OWP > 0 || b.OWS > 0;
      if (sa != sb) return sb;  // over-size last: on top
      return a.WEIGHT > b.WEIGHT;
    });
    for (const StructDat& u : units) {
      if (column.closed || !PlaceIn(column, u)) break;
    }
  }
  plan_.Cur()[static_cast<size_t>(plan_.UnitInHandIndex)] = StructDat{};
}

// Sets the tank contents through the program's tanks (every other tank
// empty) and recomputes: the condition file then carries exactly these.
void Voyage::SetTanks(const TankList& list) {
  ::Tanks& tanks = ctx_.stability.tanks();
  tanks.ResetTanks();
  for (const auto& [key, tonnes] : list) tanks.SetTankByName(key, tonnes);
  ctx_.stability.ComputeStability();
}

double Voyage::Capacity(const std::string& key) const {
  const ::Tanks& tanks = ctx_.stability.tanks();
  const int t = tanks.FindTank(key);
  return t < 0 ? 0 : tanks.Capacity(t);
}

// The planner's ballast: the double bottoms amidships full for stability,
// the forward tanks as far as the trim asks, and one wing tank against the
// list.
Voyage::TankList Voyage::Ballast(const TankList& consumables) {
  Stability& st = ctx_.stability;
  TankList tanks = consumables;
  for (const char* key : {"DB2P", "DB2S", "DB3P", "DB3S", "DB4P", "DB4S"}) tanks.push_back({key, Capacity(key)});
  auto trimWith = [&](const TankList& trial) {
    SetTanks(trial);
    return st.Results.Trim;
  };
  for (const auto& pair : std::vector<std::vector<const char*>>{{"FPT"}, {"DB1P", "DB1S"}, {"WT1P", "WT1S"}}) {
    for (int tenth = 1; tenth <= 10 && trimWith(tanks) > 0.8; ++tenth) {
      TankList trial = tanks;
      for (const char* key : pair) {
        auto it = std::find_if(trial.begin(), trial.end(), [key](const auto& t) { return t.first == key; });
        const double tonnes = std::round(Capacity(key) * tenth / 10);
        if (it == trial.end()) trial.push_back({key, tonnes});
        else it->second = tonnes;
      }
      tanks = trial;
    }
  }
  // Against the list: the transverse moment over the wing tank's lever.
  SetTanks(tanks);
  const WeightItem total = st.Displacement();
  const double moment = total.Tonnes() * total.Tcg();
  const char* key = moment > 0 ? "WT2P" : "WT2S";
  const ::Tanks& all = st.tanks();
  const int wing = all.FindTank(key);
  const double lever = wing < 0 ? 0 : std::abs(ParseReal(all.Records[static_cast<size_t>(wing)][TankField::Tcg]));
  if (lever > 0) tanks.push_back({key, std::min(Capacity(key), std::round(std::abs(moment) / lever))});
  std::erase_if(tanks, [](const auto& t) { return t.second <= 0; });
  SetTanks(tanks);
  return tanks;
}

// How the ship floats with the tanks as set: the summary of the condition.
std::string Voyage::Afloat() const {
  const Stability& st = ctx_.stability;
  const StabilityResults& r = st.Results;
  double tankTonnes = 0;
  for (int item = 4; item <= 9; ++item) tankTonnes += st.Items[static_cast<size_t>(item)].Tonnes();
  std::string text = "tanks " + FormatFixed(tankTonnes, 1) + " t, displacement " +
                     FormatFixed(st.Displacement().Tonnes(), 1) + " t, drafts aft " + FormatFixed(r.AftDraft, 2) +
                     " fore " + FormatFixed(r.ForeDraft, 2) + ", GM' " + FormatFixed(r.GMCorrected, 2) + ", heel " +
                     FormatFixed(r.Heel, 1) + ", GZ areas " + FormatFixed(r.Area30, 3) + " " + FormatFixed(r.Area40, 3) +
                     " " + FormatFixed(r.Area30To40, 3) + ", GZ max " + FormatFixed(r.GzMax, 2) + " at " +
                     FormatFixed(r.GzMaxAngle, 0);
  const Strength::Results& s = st.strength().Result;
  text += ", shear " + FormatFixed(s.MaxShearPercent, 0) + " %, bending " + FormatFixed(s.MaxBendingPercent, 0) +
          " %, torsion " + FormatFixed(s.MaxTorsionPercent, 0) + " %";
  return text;
}

bool Voyage::Write(char type, int port, const std::vector<std::pair<std::string, double>>& consumables,
                   VoyageReport& report, std::string& error) {
  Ballast(consumables);
  report.lines.push_back(Afloat());
  auto& h = plan_.VesHdr;
  h[VesHdrIx::Port] = kRotation[static_cast<size_t>(port)];
  h[VesHdrIx::Voy] = kVoyage;
  h[VesHdrIx::Adp] = std::string(1, type);
  const std::string name = std::string(1, type) + kRotation[static_cast<size_t>(port)] + kVoyage + ".TXT";
  const ConditionWriteResult result = conditions_.WriteCondition(name, false, kCurPlane);
  if (!result.written) {
    error = name + ": not written";
    return false;
  }
  int units = 0, teu = 0, slots = 0, reefers = 0, dangerous = 0;
  for (int i = 0; i < plan_.CellCount; ++i) {
    if (plan_.Cells[static_cast<size_t>(i)].RESTR != 4) ++slots;
    const StructDat& u = plan_.Cur()[static_cast<size_t>(i)];
    if (u.STATUS < 1) continue;
    ++units;
    teu += Is20Foot(u) ? 1 : 2;
    if (IsReeferType(plan_, u)) ++reefers;
    if (IsHazardous(u)) ++dangerous;
  }
  report.conditions.push_back(name);
  report.lines.back() = name + ": " + std::to_string(units) + " units, " + std::to_string(teu) + " TEU of " +
                         std::to_string(slots) + ", " + std::to_string(reefers) + " reefers, " +
                         std::to_string(dangerous) + " dangerous, " +
                         report.lines.back();
  return true;
}

bool Voyage::WriteOverloadedDeck(int port, const std::vector<std::pair<std::string, double>>& consumables,
                                 VoyageReport& report, std::string& error) {
  constexpr size_t kHeavyTiers = 1;  // heavy units on top of each deck stack
  std::vector<size_t> before;
  for (const Column& column : columns_) before.push_back(column.units.size());
  for (Column& column : columns_) {
    if (!column.deck || !column.dangerousClass.empty()) continue;
    const size_t top = std::min(column.cells.size(), column.units.size() + kHeavyTiers);
    while (!column.closed && column.units.size() < top) {
      StructDat u;
      u.CONTAINER = NextNumber("ZUMU");
      u.OPERATOR = "ZUM";
      u.POL = kRotation[static_cast<size_t>(port)];
      u.POD = kRotation[static_cast<size_t>(PodBelow(column))];
      u.SIZ = column.forty ? "40" : "20";
      u.TYP = "DV";
      u.WEIGHT = column.forty ? 30.0 : 24.0;
      SetIso(u);
      if (!PlaceIn(column, u)) break;
    }
  }
  plan_.Cur()[static_cast<size_t>(plan_.UnitInHandIndex)] = StructDat{};
  if (!Write('P', port, consumables, report, error)) return false;
  for (size_t c = 0; c < columns_.size(); ++c) {
    Column& column = columns_[c];
    while (column.units.size() > before[c]) {
      RemoveUnit(ctx_, column.cells[static_cast<size_t>(column.units.back())]);
      column.units.pop_back();
    }
  }
  return true;
}

// The schedule of the conditions folder with the voyage's call times, so
// that the list shows the conditions in calling order; without it every
// file would carry the time it was copied at.
bool WriteCallDates(const PlanData& plan, const VoyageReport& report, std::string& error) {
  const char* const kCallTimes[] = {"2026/11/28 06:00", "2026/11/28 22:30", "2026/11/30 07:00", "2026/11/30 12:00",
                                    "2026/11/30 21:00"};
  std::vector<std::string> lines;
  for (size_t i = 0; i < report.conditions.size() && i < std::size(kCallTimes); ++i) {
    std::string name = report.conditions[i].substr(0, report.conditions[i].size() - 4);
    name.resize(15, ' ');
    lines.push_back(std::string(kCallTimes[i]) + " " + name + "W");
  }
  return WriteTextLines(ConditionDirectory(plan) / "sch.dat", lines, error);
}

}  // namespace

bool WriteFeederVoyage(PlanContext& ctx, ConditionFile& conditions, VoyageReport& report, std::string& error) {
  Voyage voyage(ctx, conditions);
  voyage.BuildColumns();
  voyage.Load(0, 0.55, 0.15);
  voyage.Discharge(1);
  voyage.Load(1, 0.97, 0.5);
  const std::vector<std::pair<std::string, double>> arrival{
      {"FO1P", 95.0}, {"FO1S", 95.0}, {"DO1", 22.0}, {"LO1", 6.5}, {"FW1P", 30.0}, {"FW1S", 30.0}};
  const std::vector<std::pair<std::string, double>> bunkered{
      {"FO1P", 160.0}, {"FO1S", 160.0}, {"DO1", 40.0}, {"LO1", 8.0}, {"FW1P", 60.0}, {"FW1S", 60.0}};
  const std::vector<std::pair<std::string, double>> atHamburg{
      {"FO1P", 150.0}, {"FO1S", 150.0}, {"DO1", 38.0}, {"LO1", 7.8}, {"FW1P", 52.0}, {"FW1S", 52.0}};
  const std::vector<std::pair<std::string, double>> leavingHamburg{
      {"FO1P", 150.0}, {"FO1S", 150.0}, {"DO1", 38.0}, {"LO1", 7.8}, {"FW1P", 52.0}, {"FW1S", 52.0}};
  if (!voyage.Write('A', kRtm, arrival, report, error)) return false;
  voyage.Discharge(kRtm);
  voyage.Load(kRtm, 0.97, 0.62);
  if (!voyage.Write('D', kRtm, bunkered, report, error)) return false;
  if (!voyage.Write('A', kHam, atHamburg, report, error)) return false;
  voyage.Discharge(kHam);
  voyage.Load(kHam, 0.95, 0.55);
  if (!voyage.WriteOverloadedDeck(kHam, leavingHamburg, report, error)) return false;
  if (!voyage.Write('D', kHam, leavingHamburg, report, error)) return false;
  return WriteCallDates(ctx.plan, report, error);
}

bool WriteFeederLoadingList(const PlanData& plan, const std::filesystem::path& file, std::string& error) {
  // The next port's cargo for the ports after it.
  struct Locode {
    const char* code;
    const char* locode;
  };
  const Locode ports[] = {{"GOT", "SEGOT"}, {"AAR", "DKAAR"}, {"GDY", "PLGDY"}};
  Dice dice;
  std::vector<std::string> lines;
  int serial = 520000;
  for (int n = 1; n <= 60; ++n) {
    StructDat u;
    const char* owner = n % 3 == 0 ? "NSXU" : "ZUMU";
    const std::string body = std::string(owner) + Pad(std::to_string(serial++), 6, true, "0");
    u.CONTAINER = body + CheckDigit(body + "0");
    const int pod = 1 + dice.Below(2);
    u.POL = ports[0].code;
    u.POD = ports[pod].code;
    u.SIZ = dice.Percent(45) ? "20" : "40";
    u.TYP = dice.Percent(25) && u.SIZ == "40" ? "HC" : "DV";
    u.MTY = dice.Percent(12) ? 1 : 0;
    u.WEIGHT = u.MTY ? (u.SIZ == "20" ? 2.2 : 3.8) : std::round(dice.Between(6, 26) * 10) / 10;
    if (u.MTY == 0 && dice.Percent(10)) {
      u.TYP = "RF";
      u.TEMP = -18;
      u.TEMP_2 = -18;
    }
    if (u.MTY == 0 && u.TYP == "DV" && n % 20 == 7) {
      u.IMO[0] = "9";
      u.UN[0] = "3082";
    }
    u.ISO = std::string(1, u.SIZ == "20" ? '2' : '4') + (u.TYP == "HC" ? "5G1" : (u.TYP == "RF" ? "2R1" : "2G1"));
    u.BOOKING = "GOT" + Pad(std::to_string(4100 + n), 7, true, "0");
    // Fixed columns from the base data's LIS table; ports as UN/LOCODEs,
    // whose last three characters the reader takes.
    std::string line(96, ' ');
    line.replace(0, 4, Pad(std::to_string(n), 4, true, " "));
    auto put = [&line](int pos, int len, const std::string& text, bool right) {
      if (pos < 1 || len < 1 || pos - 1 + len > static_cast<int>(line.size())) return;
      line.replace(static_cast<size_t>(pos - 1), static_cast<size_t>(len), Pad(text.substr(0, static_cast<size_t>(len)), len, right, " "));
    };
    for (int c = 0; c < plan.LisCount && c < kMaxLisCols; ++c) {
      const StructLis& col = plan.LisCols[static_cast<size_t>(c)];
      std::string text;
      bool right = false;
      switch (col.COL) {
        case 1: text = u.CONTAINER; break;
        case 2: case 3: case 4: {
          const std::string& code = col.COL == 2 ? u.POL : (col.COL == 3 ? u.POD : u.PRS);
          for (const Locode& p : ports)
            if (code == p.code) put(col.POS - 2, 5, p.locode, false);
          continue;
        }
        case 6: text = std::to_string(std::lround(u.WEIGHT * 1000)); right = true; break;
        case 7: text = u.TYP; break;
        case 8: text = u.SIZ; break;
        case 9: text = u.ISO; break;
        case 10: text = u.IMO[0]; break;
        case 11: text = u.UN[0]; break;
        case 13: text = u.TYP == "RF" ? std::to_string(u.TEMP) : ""; right = true; break;
        case 14: text = u.TYP == "RF" ? std::to_string(u.TEMP_2) : ""; right = true; break;
        case 19: text = u.BOOKING; break;
        case 20: text = u.MTY ? "Y" : "N"; break;
        default: continue;
      }
      put(col.POS, col.LEN, text, right);
    }
    lines.push_back(TrimRight(line));
  }
  return WriteTextLines(file, lines, error);
}
