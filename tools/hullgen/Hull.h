#pragma once

// A hull as a table of offsets: the half-breadth y at every station x and
// waterline z of a regular grid. Between grid points the half-breadth is
// taken as linear in z, so every section is a polygon (starboard offsets up
// to the deck, a flat deck across, the port offsets down again); along the
// ship the sections are integrated by Simpson's rule, which is why both
// interval counts are even.
//
// Coordinates: x in metres from the aft perpendicular, forward positive (the
// hull may reach aft of 0 and forward of L); z from the base line (top of
// keel) up to the deck at D; y from the centre line, starboard positive.
// A half-breadth of 0 means no hull there (ends). Where the bottom rises
// off the base line (the stern cut-away) each station also has its own
// bottom edge, so the step from no hull to a flat of bottom is not smeared
// over a waterline interval.

#include <string>
#include <vector>

struct Hull {
  std::string Name;
  double L = 0;  // length between perpendiculars
  double B = 0;  // moulded breadth
  double D = 0;  // moulded depth at side (flat deck, no sheer or camber)
  std::vector<double> Stations;    // x, ascending, equally spaced, odd count
  std::vector<double> Waterlines;  // z from 0 to D, equally spaced, odd count
  std::vector<std::vector<double>> HalfBreadth;  // [station][waterline]
  // Per station (or empty: all on the base line): the height of the
  // section's lowest edge and the half-breadth there. Grid offsets below the
  // edge are not used.
  std::vector<double> Bottom;
  std::vector<double> BottomHalfBreadth;

  // The section's offsets as (z, half-breadth) from its bottom edge up to the
  // deck, ascending in z.
  struct Offset {
    double z = 0;
    double y = 0;
  };
  std::vector<Offset> SectionOffsets(size_t station) const;

  // Half-breadth at a station for any height, linear between the offsets,
  // 0 below the bottom edge and above the deck.
  double HalfBreadthAt(size_t station, double z) const;
  double StationSpacing() const;
};

// A rectangular pontoon from x = 0 to x = L.
Hull BoxBarge(double L, double B, double D, int stationIntervals = 40, int waterlineIntervals = 20);

// The shape parameters of the container-feeder form. Defaults give a feeder
// of about 1,200 TEU with a block coefficient near 0.7 at the design draft.
struct FeederForm {
  double L = 140.0;
  double B = 25.0;
  double D = 11.5;
  double DesignDraft = 8.5;
  double BilgeRadius = 1.6;
  double ParallelAft = 0.32;   // parallel midbody as fractions of L
  double ParallelFore = 0.56;
  double TransomX = -5.0;      // the transom's place (vertical transom)
  double TransomBottom = 7.2;  // the transom's lower edge above base
  double SternRiseX = 24.0;    // where the stern cut-away leaves the base line
  double StemAtKeel = 139.0;   // x of the stem at the base line
  double StemAtDeck = 145.0;   // x of the stem at the deck (raked stem)
  double BowFlare = 0.6;       // widening of the fore body above the design draft
  double TransomWidth = 0.9;   // half-breadth of the transom at the deck, fraction of B/2
};

// The feeder sampled on a grid of the given interval counts (both made even).
Hull Feeder(const FeederForm& form = {}, int stationIntervals = 80, int waterlineIntervals = 46);

// The feeder's bottom edge at x (above 0 in the stern cut-away).
double FeederBottom(const FeederForm& form, double x);
// The half-breadth of the feeder's formulas at any point (0 outside the hull).
double FeederHalfBreadth(const FeederForm& form, double x, double z);
