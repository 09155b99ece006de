#include "Layout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "vessel/CellAddress.h"
#include "vessel/NewVessel.h"
#include "vessel/VesselData.h"

namespace {

constexpr double kTwentyLength = 6.058;
constexpr double kFortySlot = 12.95;  // 40' bay pitch: the box, cell guides and lashing space
constexpr double kOverhang = 0.5;     // deck stacks may reach this far beyond the ship's side

std::string Digits(int number) { return Pad(std::to_string(number), 2, true, "0"); }

// One 20' bay as the layout places it.
struct BayShape {
  int number = 0;    // odd
  int forty = 0;     // the 40' bay it belongs to, 0 when none
  double x = 0;      // centre of a 20' unit
  double x40 = 0;    // centre of a 40' unit of the pair
  int holdRows = 0;  // odd: the hold has a centre row
  int holdTiers = 0;
  int deckRows = 0;  // even: no centre row on deck
  int deckTiers = 0;
  int hcMax = 9;
  bool plugsOnDeck = false;
  bool plugsInHold = false;
};

double HalfBreadth(const ShipDefinition& ship, double x, double z) { return HalfBreadthAtX(ship.hull, x, z); }

// The narrowest half-breadth over a 20' slot between two heights.
double Narrowest(const ShipDefinition& ship, double x, double z1, double z2) {
  double least = 1e9;
  for (double dx : {-kTwentyLength / 2, 0.0, kTwentyLength / 2})
    for (double z : {z1, (z1 + z2) / 2, z2}) least = std::min(least, HalfBreadth(ship, x + dx, z));
  return least;
}

// Rows whose outer edge stays within the half-width: an odd count (with a
// centre row) or an even count.
int FitRows(double halfWidth, double pitch, double boxWidth, bool odd, int most) {
  int best = 0;
  for (int n = odd ? 1 : 2; n <= most; n += 2) {
    const double outer = odd ? (n - 1) / 2 * pitch + boxWidth / 2 : n / 2 * pitch - (pitch - boxWidth) / 2;
    if (outer <= halfWidth) best = n;
  }
  return best;
}

// Row numbers of n stacks: 00 in the middle when n is odd, then odd rows to
// starboard and even rows to port.
std::vector<int> RowNumbers(int n) {
  std::vector<int> rows;
  if (n % 2 == 1) rows.push_back(0);
  for (int k = 1; k <= n / 2; ++k) {
    rows.push_back(2 * k - 1);
    rows.push_back(2 * k);
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

StructBay BayRecord(const BayShape& s) {
  StructBay bay;
  bay.BAY = Digits(s.number);
  bay.D00 = s.deckRows % 2 == 1 ? 1 : 0;
  bay.H00 = s.holdRows % 2 == 1 ? 1 : 99;
  bay.D40 = s.forty > 0 && s.deckTiers > 0 ? Digits(s.forty) : "0";
  bay.H40 = s.forty > 0 && s.holdTiers > 0 ? Digits(s.forty) : "0";
  bay.D42 = 1;
  bay.H42 = 0;  // cell guides: a hold stack takes 20' or 40' units, not both
  bay.HC_MAX = s.hcMax;
  // Three hatch-cover panels across the wide bays.
  if (s.deckRows >= 10) {
    bay.ROWSHIFT3 = 4;
    bay.ROWSHIFT5 = 3;
  }
  if (s.holdRows >= 7) {
    bay.ROWSHIFT2 = 2;
    bay.ROWSHIFT4 = 1;
  }
  for (int r = 0; r < 19; ++r) {
    const bool outer = r >= s.deckRows - 1;
    bay.STACKW[static_cast<size_t>(r)] = {outer ? 50.0 : 60.0, outer ? 80.0 : 90.0, 90.0, 120.0};
  }
  return bay;
}

struct Particulars {
  const char* code;
  const char* name;
  const char* callSign;
  const char* imo;
  const char* dir;
  const char* service;
  double overall, summerDraft, aftMarks, foreMarks, eyeX, eyeHeight;
};

void SetHeader(PlanData& plan, const ShipDefinition& ship, const Particulars& p) {
  auto& h = plan.VesHdr;
  std::fill(h.begin(), h.end(), std::string());
  const LightshipTotals ls = SumLightship(ship.strength.Lightship);
  h[VesHdrIx::Code] = p.code;
  h[VesHdrIx::Vessel] = p.name;
  h[VesHdrIx::CallSign] = p.callSign;
  h[VesHdrIx::ImoNumber] = p.imo;
  h[VesHdrIx::Dir] = p.dir;
  h[34] = p.service;
  h[VesHdrIx::DrawingLength] = FormatFixed(p.overall, 2);
  h[VesHdrIx::BaysLength] = FormatFixed(ship.hull.L, 2);
  h[14] = FormatFixed(ship.hull.B, 2);
  h[17] = FormatFixed(p.summerDraft, 3);
  h[18] = FormatFixed(std::round(Upright(ship.hull, p.summerDraft).Displacement), 0);
  h[19] = FormatFixed(p.foreMarks, 2);
  h[20] = FormatFixed(p.aftMarks, 2);
  h[VesHdrIx::LongViewLength] = FormatFixed(p.eyeX, 2);
  h[VesHdrIx::LongViewHeight] = FormatFixed(p.eyeHeight, 2);
  h[VesHdrIx::StackLimitDeck20] = "60";
  h[VesHdrIx::StackLimitDeck40] = "90";
  h[VesHdrIx::StackLimitHold20] = "90";
  h[VesHdrIx::StackLimitHold40] = "120";
  h[VesHdrIx::CellVcgAddition] = "0";
  h[VesHdrIx::BaysPerLine] = "6";
  h[VesHdrIx::LightshipWeight] = FormatFixed(ls.Weight, 1);
  h[VesHdrIx::LightshipWeight + 1] = FormatFixed(ship.lightshipVcg, 2);
  h[VesHdrIx::LightshipWeight + 2] = FormatFixed(ls.LCG, 3);
  h[VesHdrIx::LightshipWeight + 3] = "0";
}

}  // namespace

int BuildFeederLayout(PlanData& plan, const ShipDefinition& ship) {
  const FeederForm f;
  const double holdBottom = plan.Dim[9] / 1000;
  const double holdTop = f.D;
  const double wing = 2.0;  // the wing tanks' breadth
  const double holdPitch = (plan.Dim[1] + plan.Dim[6]) / 1000;
  const double deckPitch = (plan.Dim[1] + plan.Dim[5]) / 1000;
  const double box = plan.Dim[1] / 1000;
  const double half20 = (plan.Dim[0] / 2 + plan.Dim[7] / 2) / 2000;  // 20' centre from the 40' centre

  // Seven 40' holds from x = 31 forward; the deckhouse aft of them; one 40'
  // bay on deck over the engine room aft of the deckhouse.
  std::vector<BayShape> shapes;
  const double holdsAft = 31.0;
  for (int k = 0; k < 7; ++k) {
    const int forty = 2 + 4 * k;
    const double centre = holdsAft + kFortySlot * (7 - k - 0.5);
    for (int side : {0, 1}) {  // fore 20' bay first: bays are numbered from forward
      BayShape s;
      s.number = forty - 1 + 2 * side;
      s.forty = forty;
      s.x40 = centre;
      s.x = side == 0 ? centre + half20 : centre - half20;
      s.holdTiers = 4;
      s.deckTiers = k == 0 ? 4 : 6;
      s.holdRows = FitRows(Narrowest(ship, s.x, holdBottom, holdTop) - wing, holdPitch, box, true, 7);
      s.deckRows = FitRows(Narrowest(ship, s.x, f.D, f.D) + kOverhang, deckPitch, box, false, 10);
      s.hcMax = k == 0 ? 2 : 3;
      s.plugsOnDeck = k >= 4;
      s.plugsInHold = k == 6;
      shapes.push_back(s);
    }
  }
  for (int side : {0, 1}) {
    BayShape s;
    s.number = 29 + 2 * side;
    s.forty = 30;
    s.x40 = 17.5;
    s.x = side == 0 ? s.x40 + half20 : s.x40 - half20;
    s.deckTiers = 4;
    s.deckRows = FitRows(Narrowest(ship, s.x, f.D, f.D) + kOverhang, deckPitch, box, false, 10);
    s.hcMax = 9;
    s.plugsOnDeck = true;
    shapes.push_back(s);
  }

  plan.BayCount = 0;
  plan.CellCount = 0;
  for (size_t b = 0; b < shapes.size(); ++b) {
    const BayShape& s = shapes[b];
    // The partner 20' bay of the pair: a stack the partner lacks takes 20'
    // units only.
    const BayShape& partner = shapes[b % 2 == 0 ? b + 1 : b - 1];
    plan.Bays[static_cast<size_t>(plan.BayCount)] = BayRecord(s);
    // One hold under each 40' bay, numbered from forward; the last pair
    // stands over the engine room.
    plan.Bays[static_cast<size_t>(plan.BayCount)].HOLD = (s.forty + 2) / 4;
    const std::vector<int> holdRows = RowNumbers(s.holdRows);
    const std::vector<int> deckRows = RowNumbers(s.deckRows);
    const std::vector<int> partnerHold = RowNumbers(partner.holdRows);
    const std::vector<int> partnerDeck = RowNumbers(partner.deckRows);
    for (int row = 0; row <= 18; ++row) {
      const bool inHold = std::find(holdRows.begin(), holdRows.end(), row) != holdRows.end();
      const bool onDeck = std::find(deckRows.begin(), deckRows.end(), row) != deckRows.end();
      std::vector<int> tiers;
      if (inHold)
        for (int t = 0; t < s.holdTiers; ++t) tiers.push_back(2 + 2 * t);
      if (onDeck)
        for (int t = 0; t < s.deckTiers; ++t) tiers.push_back(82 + 2 * t);
      for (int tier : tiers) {
        const bool deck = tier >= 80;
        const std::vector<int>& other = deck ? partnerDeck : partnerHold;
        StructCel& c = plan.Cells[static_cast<size_t>(plan.CellCount)];
        c = StructCel{};
        c.CELL = Digits(s.number) + Digits(row) + Digits(tier);
        c.BAYIX = plan.BayCount;
        c.LCG = s.x;
        c.LCG_40 = s.x40;
        const bool paired = std::find(other.begin(), other.end(), row) != other.end();
        const int topTier = 82 + 2 * (s.deckTiers - 1);
        if (!paired)
          c.RESTR = 2;  // 20' only: the hull narrows
        else if (deck && tier == topTier && s.deckTiers == 6)
          c.RESTR = 4;  // lashing: 40' only on the top tier
        if ((deck && s.plugsOnDeck && tier <= 84) || (!deck && s.plugsInHold && tier <= 4)) c.FL_RF = 1;
        ++plan.CellCount;
      }
    }
    ++plan.BayCount;
  }
  LinkCellsToBays(plan);

  SetHeader(plan, ship,
            {"ZFD", "ZUM FEEDER", "9HZF012", "9900012", "FEEDER", "North Europe feeder", 150.0, f.DesignDraft,
             2.0, 138.0, 24.5, 33.0});
  auto& h = plan.VesHdr;
  h[VesHdrIx::BridgeBay] = "29";
  // Stores, crew and spares.
  h[VesHdrIx::FixedWeight] = "180";
  h[VesHdrIx::FixedWeight + 1] = "10.00";
  h[VesHdrIx::FixedWeight + 2] = "22.00";
  h[VesHdrIx::FixedWeight + 3] = "0";
  ComputeDefaultCentres(plan, 2);
  ComputeDefaultCentres(plan, 3);
  return plan.CellCount;
}

int BuildBargeLayout(PlanData& plan, const ShipDefinition& ship) {
  // A deck barge: six 40' bays of 8 rows, three tiers, over the whole deck.
  plan.BayCount = 0;
  plan.CellCount = 0;
  const double half20 = (plan.Dim[0] / 2 + plan.Dim[7] / 2) / 2000;
  for (int k = 0; k < 6; ++k) {
    const double centre = 50 + kFortySlot * (2.5 - k);
    for (int side : {0, 1}) {
      BayShape s;
      s.number = 1 + 4 * k + 2 * side;
      s.forty = 2 + 4 * k;
      s.x40 = centre;
      s.x = side == 0 ? centre + half20 : centre - half20;
      s.deckRows = 8;
      s.deckTiers = 3;
      plan.Bays[static_cast<size_t>(plan.BayCount)] = BayRecord(s);
      for (int row : RowNumbers(8)) {
        for (int t = 0; t < 3; ++t) {
          StructCel& c = plan.Cells[static_cast<size_t>(plan.CellCount)];
          c = StructCel{};
          c.CELL = Digits(s.number) + Digits(row) + Digits(82 + 2 * t);
          c.BAYIX = plan.BayCount;
          c.LCG = s.x;
          c.LCG_40 = s.x40;
          ++plan.CellCount;
        }
      }
      ++plan.BayCount;
    }
  }
  LinkCellsToBays(plan);
  SetHeader(plan, ship,
            {"ZBG", "ZUM BARGE", "9HZB001", "9900001", "BARGE", "Stability test barge", ship.hull.L, 7.0, 0.0,
             ship.hull.L, 0.0, 20.0});
  plan.VesHdr[VesHdrIx::BridgeBay] = "99";
  ComputeDefaultCentres(plan, 3);
  // The deck stows on the barge's deck at 10 m.
  for (int i = 0; i < plan.CellCount; ++i) {
    const int tier = TierOf(plan, i);
    plan.Cells[static_cast<size_t>(i)].VCG =
        ship.hull.D + ((plan.Dim[2] + plan.Dim[4]) * (tier - 82) * 0.5 + plan.Dim[2] * 0.5) / 1000;
  }
  return plan.CellCount;
}
