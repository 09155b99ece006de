#include "DemoShips.h"

#include <cmath>
#include <system_error>

#include "TableWriter.h"
#include "TankWriter.h"

namespace {

// Sounding rows per tank: enough for smooth interpolation while the largest
// arrangement stays within the reader's 500 rows.
constexpr int kSoundingRows = 20;
constexpr double kBonjeanDraftStep = 0.25;

std::vector<double> Drafts(double first, double last, double step) {
  std::vector<double> drafts;
  for (int i = 0; first + i * step <= last + 1e-9; ++i) drafts.push_back(first + i * step);
  return drafts;
}

int FrameAt(double x, double spacing) { return static_cast<int>(std::lround(x / spacing)); }

// Limit lines at the given stations (fractions of the length between
// perpendiculars) with the allowed bending and shear as fractions of their
// largest values: bending is greatest amidships and falls towards the ends,
// shear is greatest near the quarter lengths.
std::vector<LimitLine> LimitLines(double length, double spacing, double bending, double shear, double torsion) {
  struct Station {
    double at, bendingShare, shearShare;
  };
  const Station stations[] = {{0.05, 0.15, 0.45}, {0.15, 0.45, 0.85}, {0.25, 0.75, 1.0}, {0.35, 0.95, 0.9},
                              {0.45, 1.0, 0.75},  {0.55, 1.0, 0.75},  {0.65, 0.95, 0.9}, {0.75, 0.75, 1.0},
                              {0.85, 0.45, 0.85}, {0.95, 0.15, 0.45}};
  std::vector<LimitLine> lines;
  for (const Station& s : stations) {
    LimitLine l;
    l.Frame = FrameAt(s.at * length, spacing);
    l.X = l.Frame * spacing;
    l.ShearScale = shear * 1.25;
    l.BendingScale = bending * 1.25;
    l.ShearPositive = l.ShearNegative = std::round(shear * s.shearShare);
    l.BendingPositive = l.BendingNegative = std::round(bending * s.bendingShare);
    l.Torsion = std::round(torsion * (0.5 + 0.5 * s.bendingShare));
    lines.push_back(l);
  }
  return lines;
}

LightshipPiece Piece(std::string name, double weight, double xFrom, double xTo, double lcg, double spacing) {
  return {std::move(name), weight, FrameAt(xFrom, spacing), FrameAt(xTo, spacing), lcg};
}

}  // namespace

ShipDefinition BargeShip() {
  ShipDefinition ship;
  ship.hull = BoxBarge(100, 20, 10);
  ship.firstDraft = 0.5;
  ship.lastDraft = 9.0;
  // A vent 1 m inboard of the side, 1 m above the deck.
  ship.openings = {{50, 9, 11}};
  ship.tanks = BargeTanks(ship.hull);
  ship.frameSpacing = 2.5;
  // A uniform steel box: one piece over the whole length.
  ship.strength.Lightship = {Piece("HULL", 2000, 0, 100, 50, ship.frameSpacing)};
  ship.strength.Limits = LimitLines(100, ship.frameSpacing, 40000, 1600, 10000);
  ship.lightshipVcg = 5.0;
  return ship;
}

ShipDefinition FeederShip() {
  ShipDefinition ship;
  const FeederForm f;
  ship.hull = Feeder(f);
  ship.firstDraft = 2.0;
  ship.lastDraft = 10.5;
  // Where a feeder takes in water when heeled: the hold ventilators on the
  // posts between the hatch coamings (heads 5 m above the deck, 1 m inboard
  // of the coamings' sides) and the engine room's ventilators and air pipes
  // on the deckhouse (7 m above the deck, 7 m out from the centre line). The
  // hatch covers and the side air pipes of the tanks close weathertight and
  // do not count.
  const double coamingSide = f.B / 2 - 1.8;
  for (double x : {38.0, 62.0, 86.0, 110.0}) ship.openings.push_back({x, coamingSide - 1.0, f.D + 5.0});
  ship.openings.push_back({27.5, 7.0, f.D + 7.0});
  ship.tanks = FeederTanks(f);
  ship.frameSpacing = 0.7;
  const double s = ship.frameSpacing;
  // Machinery and accommodation aft, the cargo body's steel over the holds,
  // the fore body with its peak, windlass and mooring gear.
  ship.strength.Lightship = {
      Piece("AFTBODY", 550, -4.9, 24.0, 10.0, s),   Piece("MACHINERY", 550, 7.0, 24.0, 15.0, s),
      Piece("DECKHOUSE", 350, 24.0, 31.0, 27.5, s), Piece("CARGOBODY", 3300, 31.0, 122.0, 76.0, s),
      Piece("FOREBODY", 700, 122.0, 144.9, 131.0, s)};
  ship.strength.Limits = LimitLines(f.L, s, 70000, 2400, 20000);
  ship.lightshipVcg = 8.0;
  return ship;
}

bool ShipByName(const std::string& name, ShipDefinition& ship) {
  if (name == "barge") ship = BargeShip();
  else if (name == "feeder") ship = FeederShip();
  else return false;
  return true;
}

LightshipTotals SumLightship(const std::vector<LightshipPiece>& pieces) {
  LightshipTotals t;
  double moment = 0;
  for (const LightshipPiece& p : pieces) {
    t.Weight += p.Weight;
    moment += p.Weight * p.LCG;
  }
  if (t.Weight > 0) t.LCG = moment / t.Weight;
  return t;
}

bool WriteShipTables(const ShipDefinition& ship, const std::filesystem::path& outDir, std::string& summary,
                     std::string& error) {
  std::vector<HydrostaticRow> hyd;
  for (double t : Drafts(ship.firstDraft, ship.lastDraft, ship.hydStep)) hyd.push_back(HydrostaticRowAt(ship.hull, t));
  std::vector<CrossCurveRow> rle;
  for (double t : Drafts(ship.firstDraft, ship.lastDraft, ship.rleStep)) {
    rle.push_back(CrossCurveRowForOpenings(ship.hull, t, ship.openings));
  }
  std::vector<TankTable> tanks;
  size_t soundingRows = 0;
  for (const TankShape& shape : ship.tanks) {
    tanks.push_back(ComputeTank(ship.hull, shape, kSoundingRows, ship.frameSpacing));
    soundingRows += tanks.back().Soundings.size();
  }
  const BonjeanTable bonjean = ComputeBonjean(ship.hull, kBonjeanDraftStep);
  const std::vector<Frame> frames = FrameList(ship.hull, ship.frameSpacing);

  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    error = outDir.string() + ": " + ec.message();
    return false;
  }
  if (!WriteHyd(outDir / "HYD.txt", hyd, error) || !WriteRle(outDir / "RLE.txt", rle, error) ||
      !WriteTnk(outDir / "TNK.txt", tanks, error) || !WriteTnp(outDir / "TNP.txt", tanks, error) ||
      !WriteStr(outDir / "STR.txt", bonjean, frames, error, ship.strength)) {
    return false;
  }
  summary = "HYD.txt: " + std::to_string(hyd.size()) + " rows, RLE.txt: " + std::to_string(rle.size()) +
            " rows, TNK.txt: " + std::to_string(tanks.size()) + " tanks, TNP.txt: " + std::to_string(soundingRows) +
            " rows, STR.txt: " + std::to_string(bonjean.Stations.size()) + " stations x " +
            std::to_string(bonjean.Drafts.size()) + " drafts, " + std::to_string(frames.size()) + " frames, " +
            std::to_string(ship.strength.Limits.size()) + " limit lines, " +
            std::to_string(ship.strength.Lightship.size()) + " lightship pieces";
  return true;
}
