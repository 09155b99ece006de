#include "Hull.h"

#include <algorithm>
#include <cmath>

namespace {

int EvenAtLeastTwo(int n) {
  n = std::max(n, 2);
  return n % 2 == 0 ? n : n + 1;
}

std::vector<double> EquallySpaced(double from, double to, int intervals) {
  std::vector<double> v(static_cast<size_t>(intervals) + 1);
  for (int i = 0; i <= intervals; ++i) v[static_cast<size_t>(i)] = from + (to - from) * i / intervals;
  return v;
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

}  // namespace

std::vector<Hull::Offset> Hull::SectionOffsets(size_t station) const {
  std::vector<Offset> offsets;
  if (station >= HalfBreadth.size() || Waterlines.empty()) return offsets;
  const auto& row = HalfBreadth[station];
  const bool ownBottom = station < Bottom.size() && station < BottomHalfBreadth.size() && Bottom[station] > 0;
  if (ownBottom) {
    if (Bottom[station] >= Waterlines.back()) return offsets;
    offsets.push_back({Bottom[station], BottomHalfBreadth[station]});
  }
  for (size_t j = 0; j < Waterlines.size(); ++j) {
    if (!ownBottom || Waterlines[j] > Bottom[station]) offsets.push_back({Waterlines[j], row[j]});
  }
  return offsets;
}

double Hull::HalfBreadthAt(size_t station, double z) const {
  const std::vector<Offset> offsets = SectionOffsets(station);
  if (offsets.empty() || z < offsets.front().z || z > offsets.back().z) return 0;
  for (size_t j = 0; j + 1 < offsets.size(); ++j) {
    const Offset& a = offsets[j];
    const Offset& b = offsets[j + 1];
    if (z <= b.z) return b.z > a.z ? a.y + (b.y - a.y) * (z - a.z) / (b.z - a.z) : b.y;
  }
  return offsets.back().y;
}

double Hull::StationSpacing() const {
  if (Stations.size() < 2) return 0;
  return (Stations.back() - Stations.front()) / static_cast<double>(Stations.size() - 1);
}

Hull BoxBarge(double L, double B, double D, int stationIntervals, int waterlineIntervals) {
  Hull hull;
  hull.Name = "barge";
  hull.L = L;
  hull.B = B;
  hull.D = D;
  hull.Stations = EquallySpaced(0, L, EvenAtLeastTwo(stationIntervals));
  hull.Waterlines = EquallySpaced(0, D, EvenAtLeastTwo(waterlineIntervals));
  hull.HalfBreadth.assign(hull.Stations.size(), std::vector<double>(hull.Waterlines.size(), B / 2));
  return hull;
}

double FeederBottom(const FeederForm& f, double x) {
  // Stern cut-away: the bottom rises aft of SternRiseX to the transom's edge.
  if (x >= f.SternRiseX) return 0;
  const double s = std::min(1.0, (f.SternRiseX - x) / (f.SternRiseX - f.TransomX));
  return f.TransomBottom * s * s;
}

double FeederHalfBreadth(const FeederForm& f, double x, double z) {
  if (z < 0 || z > f.D) return 0;
  const double half = f.B / 2;

  if (x < f.TransomX) return 0;
  const double bottom = FeederBottom(f, x);
  if (z < bottom) return 0;
  const double stem = f.StemAtKeel + (f.StemAtDeck - f.StemAtKeel) * z / f.D;
  if (x > stem) return 0;

  // Rounded bilge above the local bottom: a parabola tangent to the side.
  // Unlike a circle it meets the flat of bottom at a finite slope, which
  // keeps the integration's error falling with the square of the step.
  // Aft of the cut-away's start the bilge widens to a U section whose width
  // at the bottom edge falls to 0, so the waterplane grows smoothly as the
  // rising bottom comes out of the water.
  double section = 1;
  double r = std::min(f.BilgeRadius, half);
  if (x < f.SternRiseX) {
    const double s = (f.SternRiseX - x) / (f.SternRiseX - f.TransomX);
    r += (half - r) * std::min(1.0, 4 * s);
  }
  const double above = z - bottom;
  if (above < r) section = (half - r * (1 - above / r) * (1 - above / r)) / half;

  const double xAft = f.ParallelAft * f.L;
  const double xFore = f.ParallelFore * f.L;
  double plan = 1;
  double flare = 1;
  if (x > xFore) {
    // Fine bow, finer at the lower waterlines; flare above the design draft.
    const double s = Clamp01((x - xFore) / (stem - xFore));
    const double fullness = 1.7 + 0.8 * z / f.D;
    plan = 1 - std::pow(s, fullness);
    if (z > f.DesignDraft) flare = 1 + f.BowFlare * s * (z - f.DesignDraft) / (f.D - f.DesignDraft);
  } else if (x < xAft) {
    // Fine run ending in a transom that widens towards the deck.
    const double s = Clamp01((xAft - x) / (xAft - f.TransomX));
    const double lower = 0.5 * f.TransomBottom;
    const double transom = f.TransomWidth * Clamp01((z - lower) / (f.D - lower));
    plan = 1 - (1 - transom) * s * s;
  }
  return std::clamp(half * section * plan * flare, 0.0, half);
}

Hull Feeder(const FeederForm& form, int stationIntervals, int waterlineIntervals) {
  Hull hull;
  hull.Name = "feeder";
  hull.L = form.L;
  hull.B = form.B;
  hull.D = form.D;
  hull.Stations = EquallySpaced(form.TransomX, std::max(form.StemAtKeel, form.StemAtDeck),
                                EvenAtLeastTwo(stationIntervals));
  hull.Waterlines = EquallySpaced(0, form.D, EvenAtLeastTwo(waterlineIntervals));
  hull.HalfBreadth.resize(hull.Stations.size());
  for (size_t i = 0; i < hull.Stations.size(); ++i) {
    auto& row = hull.HalfBreadth[i];
    row.resize(hull.Waterlines.size());
    for (size_t j = 0; j < row.size(); ++j) row[j] = FeederHalfBreadth(form, hull.Stations[i], hull.Waterlines[j]);
    const double bottom = FeederBottom(form, hull.Stations[i]);
    hull.Bottom.push_back(bottom);
    hull.BottomHalfBreadth.push_back(FeederHalfBreadth(form, hull.Stations[i], bottom));
  }
  return hull;
}
