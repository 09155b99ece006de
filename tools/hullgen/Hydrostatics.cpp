#include "Hydrostatics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Simpson's rule over equally spaced values (odd count).
double Simpson(const std::vector<double>& f, double h) {
  const size_t n = f.size();
  if (n < 3) return n == 2 ? (f[0] + f[1]) * h / 2 : 0;
  double sum = f.front() + f.back();
  for (size_t i = 1; i + 1 < n; ++i) sum += (i % 2 == 1 ? 4 : 2) * f[i];
  return sum * h / 3;
}

// Area and vertical moment of one side of a section from the base line up to
// draft t (piecewise-linear offsets integrate exactly).
struct SideIntegral {
  double area = 0;
  double moment = 0;  // about the base line
};

SideIntegral IntegrateSide(const Hull& hull, size_t station, double t) {
  SideIntegral r;
  const std::vector<Hull::Offset> o = hull.SectionOffsets(station);
  for (size_t j = 0; j + 1 < o.size() && o[j].z < t; ++j) {
    const double z0 = o[j].z;
    const double z1 = std::min(o[j + 1].z, t);
    const double y0 = o[j].y;
    const double y1 = z1 < o[j + 1].z ? y0 + (o[j + 1].y - y0) * (z1 - z0) / (o[j + 1].z - z0) : o[j + 1].y;
    const double h = z1 - z0;
    r.area += (y0 + y1) * h / 2;
    r.moment += h / 6 * (y0 * (2 * z0 + z1) + y1 * (z0 + 2 * z1));
  }
  return r;
}

// The upright body with a waterline at z = aft - trim * x / L at each station.
struct Body {
  double volume = 0;
  double lcb = 0;
  double kb = 0;
  double waterplane = 0;
  double lcf = 0;
  double transverseInertia = 0;
  double inertiaAboutAP = 0;
};

Body IntegrateBody(const Hull& hull, double aftDraft, double trim) {
  const size_t n = hull.Stations.size();
  std::vector<double> area(n), areaX(n), areaZ(n), breadth(n), breadthX(n), breadthXX(n), cube(n);
  for (size_t i = 0; i < n; ++i) {
    const double x = hull.Stations[i];
    const double t = aftDraft - trim * x / hull.L;
    const SideIntegral side = t > 0 ? IntegrateSide(hull, i, t) : SideIntegral{};
    area[i] = 2 * side.area;
    areaX[i] = area[i] * x;
    areaZ[i] = 2 * side.moment;
    const double y = (t > 0 && t <= hull.D) ? hull.HalfBreadthAt(i, t) : 0;
    breadth[i] = 2 * y;
    breadthX[i] = breadth[i] * x;
    breadthXX[i] = breadth[i] * x * x;
    cube[i] = 2.0 / 3.0 * y * y * y;
  }
  const double h = hull.StationSpacing();
  Body b;
  b.volume = Simpson(area, h);
  if (b.volume > 0) {
    b.lcb = Simpson(areaX, h) / b.volume;
    b.kb = Simpson(areaZ, h) / b.volume;
  }
  b.waterplane = Simpson(breadth, h);
  if (b.waterplane > 0) b.lcf = Simpson(breadthX, h) / b.waterplane;
  b.transverseInertia = Simpson(cube, h);
  b.inertiaAboutAP = Simpson(breadthXX, h);
  return b;
}

// Solves f(v) = target for a non-decreasing f on [lo, hi] (Illinois variant
// of regula falsi, falling back on bisection when it stalls).
template <typename F>
double SolveIncreasing(F f, double lo, double hi, double target) {
  double flo = f(lo) - target;
  double fhi = f(hi) - target;
  if (flo >= 0) return lo;
  if (fhi <= 0) return hi;
  int side = 0;
  for (int iter = 0; iter < 200 && hi - lo > 1e-10; ++iter) {
    double mid = (lo * fhi - hi * flo) / (fhi - flo);
    if (!(mid > lo && mid < hi) || iter % 8 == 7) mid = (lo + hi) / 2;
    const double fm = f(mid) - target;
    if (std::abs(fm) <= 1e-12 * std::max(1.0, std::abs(target))) return mid;
    if (fm < 0) {
      lo = mid;
      flo = fm;
      if (side == -1) fhi /= 2;
      side = -1;
    } else {
      hi = mid;
      fhi = fm;
      if (side == 1) flo /= 2;
      side = 1;
    }
  }
  return (lo + hi) / 2;
}

constexpr double kDegree = std::numbers::pi / 180;

struct Point2 {
  double y = 0;
  double z = 0;
};

// The closed section polygon of a station: starboard offsets upwards, the
// deck across, port offsets downwards.
std::vector<Point2> SectionPolygon(const Hull& hull, size_t station) {
  const std::vector<Hull::Offset> o = hull.SectionOffsets(station);
  std::vector<Point2> p;
  p.reserve(2 * o.size());
  for (const Hull::Offset& k : o) p.push_back({k.y, k.z});
  for (size_t j = o.size(); j-- > 0;) p.push_back({-o[j].y, o[j].z});
  return p;
}

// Area and first moments of the part of a polygon with depth(p) <= level,
// depth(p) = -y sin(phi) + z cos(phi) (the height in the heeled frame).
struct Clipped {
  double area = 0;
  double my = 0;  // integral of y dA
  double mz = 0;  // integral of z dA
};

Clipped ClipBelow(const std::vector<Point2>& poly, double s, double c, double level) {
  std::vector<Point2> out;
  out.reserve(poly.size() + 4);
  const size_t n = poly.size();
  for (size_t i = 0; i < n; ++i) {
    const Point2 a = poly[i];
    const Point2 b = poly[(i + 1) % n];
    const double da = -a.y * s + a.z * c - level;
    const double db = -b.y * s + b.z * c - level;
    if (da <= 0) out.push_back(a);
    if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
      const double t = da / (da - db);
      out.push_back({a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t});
    }
  }
  Clipped r;
  const size_t m = out.size();
  for (size_t i = 0; i < m; ++i) {
    const Point2 a = out[i];
    const Point2 b = out[(i + 1) % m];
    const double cross = a.y * b.z - b.y * a.z;
    r.area += cross / 2;
    r.my += (a.y + b.y) * cross / 6;
    r.mz += (a.z + b.z) * cross / 6;
  }
  return r;
}

struct HeeledBody {
  std::vector<std::vector<Point2>> sections;
  double s = 0;
  double c = 1;
  double lowest = 0;
  double highest = 0;

  HeeledBody(const Hull& hull, double heelDegrees) {
    s = std::sin(heelDegrees * kDegree);
    c = std::cos(heelDegrees * kDegree);
    bool first = true;
    for (size_t i = 0; i < hull.Stations.size(); ++i) {
      sections.push_back(SectionPolygon(hull, i));
      for (const Point2& p : sections.back()) {
        const double d = -p.y * s + p.z * c;
        if (first || d < lowest) lowest = d;
        if (first || d > highest) highest = d;
        first = false;
      }
    }
  }

  // Volume and moments (of y and z) below the level.
  std::array<double, 3> Integrate(double h, double level) const {
    std::vector<double> a(sections.size()), my(sections.size()), mz(sections.size());
    for (size_t i = 0; i < sections.size(); ++i) {
      const Clipped k = ClipBelow(sections[i], s, c, level);
      a[i] = k.area;
      my[i] = k.my;
      mz[i] = k.mz;
    }
    return {Simpson(a, h), Simpson(my, h), Simpson(mz, h)};
  }
};

double FindLevel(const Hull& hull, const HeeledBody& body, double volume) {
  const double h = hull.StationSpacing();
  return SolveIncreasing([&](double level) { return body.Integrate(h, level)[0]; }, body.lowest, body.highest,
                         volume);
}

}  // namespace

UprightFigures Upright(const Hull& hull, double draft) {
  const Body b = IntegrateBody(hull, draft, 0);
  UprightFigures f;
  f.Volume = b.volume;
  f.Displacement = kSeaWaterDensity * b.volume;
  f.LCB = b.lcb;
  f.KB = b.kb;
  f.WaterplaneArea = b.waterplane;
  f.LCF = b.lcf;
  if (b.volume > 0) {
    f.BM = b.transverseInertia / b.volume;
    f.BML = (b.inertiaAboutAP - b.waterplane * b.lcf * b.lcf) / b.volume;
  }
  f.KM = f.KB + f.BM;
  if (hull.L > 0) f.MTC = f.Displacement * f.BML / (100 * hull.L);
  f.TPC = kSeaWaterDensity * f.WaterplaneArea / 100;
  return f;
}

double KmAtTrim(const Hull& hull, double volume, double trim) {
  if (volume <= 0) return 0;
  // The aft draft ranges over every waterline that still cuts the hull.
  const double lo = std::min(0.0, trim);
  const double hi = hull.D + std::max(0.0, trim);
  const double aft = SolveIncreasing([&](double a) { return IntegrateBody(hull, a, trim).volume; }, lo, hi, volume);
  const Body b = IntegrateBody(hull, aft, trim);
  if (b.volume <= 0) return 0;
  return b.kb + b.transverseInertia / b.volume;
}

std::array<double, 15> HydrostaticRow::Columns() const {
  std::array<double, 15> c{};
  c[0] = Draft;
  c[1] = Figures.Displacement;
  c[2] = Figures.KM;
  for (size_t k = 0; k < KmTrimAddition.size(); ++k) c[3 + k] = KmTrimAddition[k];
  c[8] = Figures.LCB;
  c[9] = Figures.LCF;
  c[10] = Figures.MTC;
  c[11] = AftDraftPerLever;
  c[12] = ForeDraftPerLever;
  return c;
}

HydrostaticRow HydrostaticRowAt(const Hull& hull, double draft) {
  HydrostaticRow row;
  row.Draft = draft;
  row.Figures = Upright(hull, draft);
  const UprightFigures& f = row.Figures;
  // Trim 0 is the base value itself: its addition is 0 by definition.
  for (int k = 1; k < 4; ++k) {
    row.KmTrimAddition[static_cast<size_t>(k)] = KmAtTrim(hull, f.Volume, k) - f.KM;
  }
  if (f.MTC > 0 && hull.L > 0) {
    // Trim (m) per metre of lever = Δ / (100·MTC), shared about the LCF.
    const double trimPerLever = f.Displacement / (100 * f.MTC);
    row.AftDraftPerLever = trimPerLever * f.LCF / hull.L;
    row.ForeDraftPerLever = -trimPerLever * (hull.L - f.LCF) / hull.L;
  }
  return row;
}

HeeledFigures Heeled(const Hull& hull, double heelDegrees, double volume) {
  const HeeledBody body(hull, heelDegrees);
  const double h = hull.StationSpacing();
  HeeledFigures r;
  r.WaterlineLevel = FindLevel(hull, body, volume);
  const auto m = body.Integrate(h, r.WaterlineLevel);
  r.Volume = m[0];
  if (m[0] > 0) {
    const double y = m[1] / m[0];
    const double z = m[2] / m[0];
    // The horizontal of the heeled frame, measured from K towards the low side.
    r.KN = y * body.c + z * body.s;
  }
  return r;
}

double ImmersionAngle(const Hull& hull, double volume, HullPoint point) {
  // Height of the point above the waterline at a heel (positive: dry).
  auto freeboard = [&](double degrees) {
    const HeeledBody body(hull, degrees);
    const double level = FindLevel(hull, body, volume);
    return -point.y * body.s + point.z * body.c - level;
  };
  if (volume <= 0 || freeboard(0) <= 0) return 0;
  double lo = 0;
  double hi = -1;
  for (double a = 5; a <= 89; a += 4) {
    if (freeboard(a) <= 0) {
      hi = a;
      break;
    }
    lo = a;
  }
  if (hi < 0) {
    if (freeboard(89) > 0) return 0;
    hi = 89;
  }
  for (int i = 0; i < 30; ++i) {
    const double mid = (lo + hi) / 2;
    (freeboard(mid) > 0 ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

double DeckEdgeImmersionAngle(const Hull& hull, double volume) {
  // The station nearest midships.
  size_t mid = 0;
  for (size_t i = 0; i < hull.Stations.size(); ++i) {
    if (std::abs(hull.Stations[i] - hull.L / 2) < std::abs(hull.Stations[mid] - hull.L / 2)) mid = i;
  }
  if (hull.HalfBreadth.empty()) return 0;
  return ImmersionAngle(hull, volume, {hull.Stations[mid], hull.HalfBreadth[mid].back(), hull.D});
}

double FloodingAngle(const Hull& hull, double volume, const std::vector<HullPoint>& openings) {
  double least = 0;
  for (const HullPoint& opening : openings) {
    const double angle = ImmersionAngle(hull, volume, opening);
    if (angle > 0 && (least == 0 || angle < least)) least = angle;
  }
  return least;
}

CrossCurveRow CrossCurveRowForOpenings(const Hull& hull, double draft, const std::vector<HullPoint>& openings) {
  CrossCurveRow row = CrossCurveRowAt(hull, draft, HullPoint{});
  row.FloodingAngle = FloodingAngle(hull, Upright(hull, draft).Volume, openings);
  return row;
}

CrossCurveRow CrossCurveRowAt(const Hull& hull, double draft, HullPoint floodingPoint) {
  CrossCurveRow row;
  row.Draft = draft;
  const UprightFigures f = Upright(hull, draft);
  row.Displacement = f.Displacement;
  for (size_t k = 0; k < kCrossCurveAngles.size(); ++k) row.KN[k] = Heeled(hull, kCrossCurveAngles[k], f.Volume).KN;
  row.DeckEdgeAngle = DeckEdgeImmersionAngle(hull, f.Volume);
  row.FloodingAngle = ImmersionAngle(hull, f.Volume, floodingPoint);
  return row;
}
