#pragma once

// Tanks of a Hull: each tank is a box in the ship's coordinates (see Hull.h)
// clipped by the hull's half-breadth, so a wing tank drawn out to a large
// half-breadth ends at the shell and a double-bottom tank follows the bilge.
// Its figures at a sounding (the liquid's height above the tank's bottom
// plane) come from numerical integration over the liquid's body: Simpson's
// rule along the ship and up the tank, the half-breadth linear between the
// hull's stations and waterlines. A box that the hull does not cut is
// integrated exactly.

#include <string>
#include <vector>

#include "Hull.h"

// The weight item number that a tank's content goes into.
enum class TankGroup { Ballast = 4, Fuel = 5, Diesel = 6, Lube = 7, FreshWater = 8 };

// Densities of the tank liquids, t/m3.
constexpr double kBallastDensity = 1.025;
constexpr double kFuelDensity = 0.95;
constexpr double kDieselDensity = 0.85;
constexpr double kLubeDensity = 0.90;
constexpr double kFreshWaterDensity = 1.0;

// A half-breadth beyond any hull: the tank reaches the shell on that side.
constexpr double kToShell = 1000.0;

struct TankShape {
  std::string Key;   // matched by the condition files and the sounding table
  std::string Name;  // shown to the user
  TankGroup Group = TankGroup::Ballast;
  double Density = kBallastDensity;
  double XAft = 0, XFore = 0;      // along the ship
  double ZBottom = 0, ZTop = 0;    // above base
  double YMin = 0, YMax = 0;       // across, starboard positive (kToShell: to the shell)
};

// The liquid's body at one sounding.
struct TankFigures {
  double Volume = 0;  // m3
  double LCG = 0;
  double VCG = 0;
  double TCG = 0;
  // Transverse second moment of the free surface about its own centre line,
  // m4; the free-surface moment is this times the density.
  double SurfaceInertia = 0;
};

// The liquid at the given sounding (clamped to the tank's height). `steps`
// is the least number of Simpson pieces each way; the range is also cut at
// the hull's stations and waterlines, where the offsets have kinks.
TankFigures TankAtSounding(const Hull& hull, const TankShape& tank, double sounding, int steps = 16);

// The half-breadth of the hull at any x (linear between stations; 0 outside
// the stations) and height.
double HalfBreadthAtX(const Hull& hull, double x, double z);

// The immersed area of the hull's section at x up to the draft (both sides)
// and its vertical moment about the base line: a Bonjean curve's values.
struct SectionArea {
  double Area = 0;    // m2
  double Moment = 0;  // m3
};
SectionArea SectionAreaAt(const Hull& hull, double x, double draft, int steps = 16);

struct SoundingRow {
  double Sounding = 0;  // m above the tank's bottom
  double Volume = 0;    // m3
  double Weight = 0;    // t
  double LCG = 0, VCG = 0, TCG = 0;
  double FSM = 0;       // t·m
};

// A tank's line of the tank table with its sounding table.
struct TankTable {
  TankShape Shape;
  double Volume = 0;    // m3, full
  double Capacity = 0;  // t, full
  double VcgFull = 0;
  double VcgEmpty = 0;  // the tank's bottom plane: the limit of the VCG as the tank empties
  double LCG = 0, TCG = 0;
  double FSM = 0;       // the largest free-surface moment of the sounding table
  int FirstFrame = 0, LastFrame = 0;  // strength frames covered (frame n at x = n × spacing)
  // Plan drawing rectangle in pixels: x from the drawing's left edge, y from
  // its horizontal middle (starboard down).
  int PixelLeft = 0, PixelRight = 0, PixelTop = 0, PixelBottom = 0;
  std::vector<SoundingRow> Soundings;  // ascending; the last is the full tank
};

// The plan drawing's scale: the hull's station range across this many pixels,
// starting this far from the left edge.
constexpr double kPlanWidthPixels = 500;
constexpr double kPlanMarginPixels = 10;

// The tank with `rows` sounding rows at equal steps up to full (the empty
// tank has no row: the reader takes a row's zero centres as "no value").
TankTable ComputeTank(const Hull& hull, const TankShape& tank, int rows, double frameSpacing);

// The tank arrangements of the two demo hulls.
std::vector<TankShape> BargeTanks(const Hull& barge);
std::vector<TankShape> FeederTanks(const FeederForm& form);
