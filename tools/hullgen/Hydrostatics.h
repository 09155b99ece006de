#pragma once

// Hydrostatic and cross-curve figures of a Hull by numerical integration:
// exact integration of the piecewise-linear offsets up each section, Simpson's
// rule along the ship. Sea water of 1.025 t/m3 throughout.

#include <array>
#include <vector>

#include "Hull.h"

constexpr double kSeaWaterDensity = 1.025;

// Upright, level keel, waterline at draft T.
struct UprightFigures {
  double Volume = 0;          // m3
  double Displacement = 0;    // t
  double LCB = 0;             // from the aft perpendicular
  double KB = 0;              // vertical centre of buoyancy above base
  double WaterplaneArea = 0;  // m2
  double LCF = 0;
  double BM = 0;   // transverse: second moment of the waterplane about the centre line / volume
  double KM = 0;   // KB + BM
  double BML = 0;  // longitudinal: second moment about the centre of flotation / volume
  double MTC = 0;  // t·m per cm, with GM_L taken as BM_L
  double TPC = 0;  // t per cm
};
UprightFigures Upright(const Hull& hull, double draft);

// KM with the waterline trimmed by the stern by `trim` metres (aft draft
// minus fore draft over the perpendiculars) at the given volume. The
// waterline is found at that volume; KM is the inclined body's KB plus the
// inclined waterplane's transverse second moment over the volume, both
// measured square to the base line (the small-trim simplification: the
// waterplane is projected on the base plane, cos(trim angle) taken as 1).
double KmAtTrim(const Hull& hull, double volume, double trim);

// One row of the hydrostatic table.
struct HydrostaticRow {
  double Draft = 0;
  UprightFigures Figures;
  std::array<double, 4> KmTrimAddition{};  // KM at trims of 0, 1, 2, 3 m by the stern minus KM level
  double AftDraftPerLever = 0;   // change of the aft draft per metre of (LCB - LCG)
  double ForeDraftPerLever = 0;  // change of the fore draft per metre of (LCB - LCG)

  // The 15 numbers of the table's row by column position (unused columns 0).
  std::array<double, 15> Columns() const;
};
HydrostaticRow HydrostaticRowAt(const Hull& hull, double draft);

// The heeled body at constant volume, heeled to starboard, level trim (the
// waterline stays parallel to the base line along the ship: fixed trim).
struct HeeledFigures {
  double WaterlineLevel = 0;  // the waterline's height in the heeled frame above K
  double Volume = 0;
  double KN = 0;  // horizontal distance from the keel point K to the line of buoyancy
};
HeeledFigures Heeled(const Hull& hull, double heelDegrees, double volume);

// A point of the hull above the water when upright (y starboard positive).
struct HullPoint {
  double x = 0;
  double y = 0;
  double z = 0;
};

// The heel (degrees, heeling towards the point's side) at which the point
// reaches the waterline at the given volume; 0 when it stays dry up to 89°
// or is under water already upright.
double ImmersionAngle(const Hull& hull, double volume, HullPoint point);

// The deck edge's immersion angle: the midship deck edge (x = L/2).
double DeckEdgeImmersionAngle(const Hull& hull, double volume);

// The heel angles of the cross-curve table.
inline constexpr std::array<int, 11> kCrossCurveAngles{5, 10, 12, 15, 20, 25, 30, 40, 50, 60, 70};

struct CrossCurveRow {
  double Draft = 0;
  double Displacement = 0;
  std::array<double, kCrossCurveAngles.size()> KN{};
  double DeckEdgeAngle = 0;
  double FloodingAngle = 0;
};
CrossCurveRow CrossCurveRowAt(const Hull& hull, double draft, HullPoint floodingPoint);
// The same with several down-flooding openings: the flooding angle is the
// least angle at which one of them reaches the water (0 when none does).
CrossCurveRow CrossCurveRowForOpenings(const Hull& hull, double draft, const std::vector<HullPoint>& openings);
double FloodingAngle(const Hull& hull, double volume, const std::vector<HullPoint>& openings);
