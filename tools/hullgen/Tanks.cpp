#include "Tanks.h"

#include <algorithm>
#include <cmath>

namespace {

// A quadrature point: position and weight.
struct Node {
  double at = 0;
  double weight = 0;
};

// Simpson's rule from a to b, the range cut at every grid line inside it (the
// offsets' kinks, so each piece is smooth) and each piece into enough parts
// that the whole range has at least `steps` of them.
std::vector<Node> Nodes(double a, double b, std::vector<double> grid, int steps) {
  std::vector<double> cuts{a};
  std::sort(grid.begin(), grid.end());
  for (double g : grid) {
    if (g > cuts.back() + 1e-9 && g < b - 1e-9) cuts.push_back(g);
  }
  cuts.push_back(b);
  const double total = b - a;
  std::vector<Node> nodes;
  for (size_t k = 0; k + 1 < cuts.size(); ++k) {
    const double length = cuts[k + 1] - cuts[k];
    const int parts = std::max(1, static_cast<int>(std::ceil(std::max(1, steps) * length / total - 1e-9)));
    const double h = length / parts;
    for (int p = 0; p < parts; ++p) {
      const double x0 = cuts[k] + h * p;
      nodes.push_back({x0, h / 6});
      nodes.push_back({x0 + h / 2, 4 * h / 6});
      nodes.push_back({x0 + h, h / 6});
    }
  }
  return nodes;
}

// The tank's extent across at (x, z): from y1 to y2, empty when y2 <= y1.
struct Span {
  double y1 = 0;
  double y2 = 0;
  double Width() const { return std::max(0.0, y2 - y1); }
};

Span SpanAt(const Hull& hull, const TankShape& tank, double x, double z) {
  const double hb = HalfBreadthAtX(hull, x, z);
  Span s{std::max(tank.YMin, -hb), std::min(tank.YMax, hb)};
  if (s.y2 < s.y1) s.y2 = s.y1;
  return s;
}

int Pixel(double value) { return static_cast<int>(std::lround(value)); }

TankShape Box(std::string key, std::string name, TankGroup group, double density, double xa, double xf, double zb,
              double zt, double y1, double y2) {
  TankShape t;
  t.Key = std::move(key);
  t.Name = std::move(name);
  t.Group = group;
  t.Density = density;
  t.XAft = xa;
  t.XFore = xf;
  t.ZBottom = zb;
  t.ZTop = zt;
  t.YMin = y1;
  t.YMax = y2;
  return t;
}

// A pair of tanks mirrored about the centre line: starboard from `inner`
// outwards to `outer`, port the same on the other side.
void AddPair(std::vector<TankShape>& tanks, const std::string& key, const std::string& name, TankGroup group,
             double density, double xa, double xf, double zb, double zt, double inner, double outer) {
  tanks.push_back(Box(key + "S", name + " SB", group, density, xa, xf, zb, zt, inner, outer));
  tanks.push_back(Box(key + "P", name + " PS", group, density, xa, xf, zb, zt, -outer, -inner));
}

}  // namespace

double HalfBreadthAtX(const Hull& hull, double x, double z) {
  const size_t n = hull.Stations.size();
  if (n == 0 || x < hull.Stations.front() || x > hull.Stations.back()) return 0;
  if (n == 1) return hull.HalfBreadthAt(0, z);
  const double spacing = hull.StationSpacing();
  const double u = spacing > 0 ? (x - hull.Stations.front()) / spacing : 0;
  const size_t i = std::min(n - 2, static_cast<size_t>(std::max(0.0, std::floor(u))));
  const double f = std::clamp(u - static_cast<double>(i), 0.0, 1.0);
  const double a = hull.HalfBreadthAt(i, z);
  if (f == 0) return a;
  const double b = hull.HalfBreadthAt(i + 1, z);
  return f == 1 ? b : a + (b - a) * f;
}

TankFigures TankAtSounding(const Hull& hull, const TankShape& tank, double sounding, int steps) {
  TankFigures figures;
  const double height = std::clamp(sounding, 0.0, tank.ZTop - tank.ZBottom);
  if (height <= 0 || tank.XFore <= tank.XAft || hull.Stations.empty()) return figures;
  const double level = tank.ZBottom + height;
  // No hull beyond the end stations: the range stops there rather than
  // integrating over the step down to nothing.
  const double xa = std::max(tank.XAft, hull.Stations.front());
  const double xf = std::min(tank.XFore, hull.Stations.back());
  if (xf <= xa) return figures;

  std::vector<double> zBreaks = hull.Waterlines;
  zBreaks.insert(zBreaks.end(), hull.Bottom.begin(), hull.Bottom.end());
  const std::vector<Node> xs = Nodes(xa, xf, hull.Stations, steps);
  const std::vector<Node> zs = Nodes(tank.ZBottom, level, zBreaks, steps);

  double volume = 0, momentX = 0, momentZ = 0, momentY = 0;
  double surfaceArea = 0, surfaceMomentY = 0, surfaceInertiaCL = 0;
  for (const Node& nx : xs) {
    double area = 0, areaMomentZ = 0, areaMomentY = 0;
    for (const Node& nz : zs) {
      const Span s = SpanAt(hull, tank, nx.at, nz.at);
      area += nz.weight * s.Width();
      areaMomentZ += nz.weight * s.Width() * nz.at;
      areaMomentY += nz.weight * (s.y2 * s.y2 - s.y1 * s.y1) / 2;
    }
    volume += nx.weight * area;
    momentX += nx.weight * area * nx.at;
    momentZ += nx.weight * areaMomentZ;
    momentY += nx.weight * areaMomentY;

    const Span top = SpanAt(hull, tank, nx.at, level);
    surfaceArea += nx.weight * top.Width();
    surfaceMomentY += nx.weight * (top.y2 * top.y2 - top.y1 * top.y1) / 2;
    surfaceInertiaCL += nx.weight * (top.y2 * top.y2 * top.y2 - top.y1 * top.y1 * top.y1) / 3;
  }
  if (volume <= 0) return figures;
  figures.Volume = volume;
  figures.LCG = momentX / volume;
  figures.VCG = momentZ / volume;
  figures.TCG = momentY / volume;
  if (surfaceArea > 0) {
    const double centre = surfaceMomentY / surfaceArea;
    // Parallel axes: from the centre line to the surface's own centre line.
    figures.SurfaceInertia = std::max(0.0, surfaceInertiaCL - surfaceArea * centre * centre);
  }
  return figures;
}

SectionArea SectionAreaAt(const Hull& hull, double x, double draft, int steps) {
  SectionArea section;
  if (draft <= 0) return section;
  std::vector<double> zBreaks = hull.Waterlines;
  zBreaks.insert(zBreaks.end(), hull.Bottom.begin(), hull.Bottom.end());
  for (const Node& nz : Nodes(0, draft, zBreaks, steps)) {
    const double width = 2 * HalfBreadthAtX(hull, x, nz.at);
    section.Area += nz.weight * width;
    section.Moment += nz.weight * width * nz.at;
  }
  return section;
}

TankTable ComputeTank(const Hull& hull, const TankShape& tank, int rows, double frameSpacing) {
  TankTable table;
  table.Shape = tank;
  rows = std::max(1, rows);
  const double height = tank.ZTop - tank.ZBottom;
  for (int k = 1; k <= rows; ++k) {
    const double sounding = height * k / rows;
    const TankFigures f = TankAtSounding(hull, tank, sounding);
    SoundingRow row;
    row.Sounding = sounding;
    row.Volume = f.Volume;
    row.Weight = f.Volume * tank.Density;
    row.LCG = f.LCG;
    row.VCG = f.VCG;
    row.TCG = f.TCG;
    row.FSM = f.SurfaceInertia * tank.Density;
    table.FSM = std::max(table.FSM, row.FSM);
    table.Soundings.push_back(row);
  }
  const SoundingRow& full = table.Soundings.back();
  table.Volume = full.Volume;
  table.Capacity = full.Weight;
  table.VcgFull = full.VCG;
  table.VcgEmpty = tank.ZBottom;
  table.LCG = full.LCG;
  table.TCG = full.TCG;
  if (frameSpacing > 0) {
    table.FirstFrame = Pixel(tank.XAft / frameSpacing);
    table.LastFrame = Pixel(tank.XFore / frameSpacing);
  }

  // The drawn rectangle spans what the hull leaves of the box across.
  double widest = 0;
  for (int i = 0; i <= 8; ++i) {
    const double x = tank.XAft + (tank.XFore - tank.XAft) * i / 8;
    for (int j = 0; j <= 8; ++j) widest = std::max(widest, HalfBreadthAtX(hull, x, tank.ZBottom + height * j / 8));
  }
  const double x0 = hull.Stations.empty() ? 0 : hull.Stations.front();
  const double span = hull.Stations.empty() ? 0 : hull.Stations.back() - x0;
  const double scale = span > 0 ? kPlanWidthPixels / span : 0;
  table.PixelLeft = Pixel(kPlanMarginPixels + (tank.XAft - x0) * scale);
  table.PixelRight = Pixel(kPlanMarginPixels + (tank.XFore - x0) * scale);
  table.PixelTop = Pixel(std::max(tank.YMin, -widest) * scale);
  table.PixelBottom = Pixel(std::min(tank.YMax, widest) * scale);
  return table;
}

std::vector<TankShape> BargeTanks(const Hull& barge) {
  // Double bottom 1.2 m high under the cargo space, wing tanks 2 m wide up to
  // the deck, a fore peak; consumables in the aft 20 m.
  const double L = barge.L;
  const double D = barge.D;
  const double db = 1.2;
  const double wing = barge.B / 2 - 2.0;
  std::vector<TankShape> t;
  t.push_back(Box("FPT", "Fore Peak", TankGroup::Ballast, kBallastDensity, L - 5, L, 0, D, -kToShell, kToShell));
  AddPair(t, "DB1", "Double Bottom 1", TankGroup::Ballast, kBallastDensity, 70, L - 5, 0, db, 0, kToShell);
  AddPair(t, "DB2", "Double Bottom 2", TankGroup::Ballast, kBallastDensity, 45, 70, 0, db, 0, kToShell);
  AddPair(t, "DB3", "Double Bottom 3", TankGroup::Ballast, kBallastDensity, 20, 45, 0, db, 0, kToShell);
  AddPair(t, "WT1", "Wing Tank 1", TankGroup::Ballast, kBallastDensity, 57.5, L - 5, db, D, wing, kToShell);
  AddPair(t, "WT2", "Wing Tank 2", TankGroup::Ballast, kBallastDensity, 20, 57.5, db, D, wing, kToShell);
  AddPair(t, "FO1", "Fuel Oil 1", TankGroup::Fuel, kFuelDensity, 10, 20, db, 8, 4, wing);
  t.push_back(Box("DO1", "Diesel Oil", TankGroup::Diesel, kDieselDensity, 5, 10, db, 6, 4, wing));
  t.push_back(Box("LO1", "Lube Oil", TankGroup::Lube, kLubeDensity, 5, 8, db, 3, -wing, -5));
  AddPair(t, "FW1", "Fresh Water", TankGroup::FreshWater, kFreshWaterDensity, 0, 5, db, 8, 5, kToShell);
  return t;
}

std::vector<TankShape> FeederTanks(const FeederForm& f) {
  // Cargo space from x = 25 to 125 over a 1.4 m double bottom with 2.0 m wing
  // tanks; peaks at both ends; the engine room's tanks aft of the cargo space.
  const double db = 1.4;
  const double wing = f.B / 2 - 2.0;
  std::vector<TankShape> t;
  t.push_back(Box("FPT", "Fore Peak", TankGroup::Ballast, kBallastDensity, 128, f.StemAtDeck, 0, 8, -kToShell, kToShell));
  t.push_back(Box("APT", "Aft Peak", TankGroup::Ballast, kBallastDensity, f.TransomX, 3, 4, f.D, -kToShell, kToShell));
  AddPair(t, "DB1", "Double Bottom 1", TankGroup::Ballast, kBallastDensity, 100, 125, 0, db, 0, kToShell);
  AddPair(t, "DB2", "Double Bottom 2", TankGroup::Ballast, kBallastDensity, 75, 100, 0, db, 0, kToShell);
  AddPair(t, "DB3", "Double Bottom 3", TankGroup::Ballast, kBallastDensity, 50, 75, 0, db, 0, kToShell);
  AddPair(t, "DB4", "Double Bottom 4", TankGroup::Ballast, kBallastDensity, 25, 50, 0, db, 0, kToShell);
  AddPair(t, "WT1", "Wing Tank 1", TankGroup::Ballast, kBallastDensity, 92, 125, db, f.D, wing, kToShell);
  AddPair(t, "WT2", "Wing Tank 2", TankGroup::Ballast, kBallastDensity, 58, 92, db, f.D, wing, kToShell);
  AddPair(t, "WT3", "Wing Tank 3", TankGroup::Ballast, kBallastDensity, 25, 58, db, f.D, wing, kToShell);
  // The engine room's body narrows to a V aft: the tanks sit where it holds them.
  AddPair(t, "FO1", "Fuel Oil 1", TankGroup::Fuel, kFuelDensity, 20, 25, db, f.D, 2, wing);
  t.push_back(Box("DO1", "Diesel Oil", TankGroup::Diesel, kDieselDensity, 15, 20, 3, 8, 0.5, 4));
  t.push_back(Box("LO1", "Lube Oil", TankGroup::Lube, kLubeDensity, 15, 18, 2, 4, -3, -0.5));
  AddPair(t, "FW1", "Fresh Water", TankGroup::FreshWater, kFreshWaterDensity, 3, 10, 6, f.D, 2, kToShell);
  return t;
}
