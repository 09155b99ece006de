#pragma once

// The conning position's line of sight over an obstruction forward of it
// down to the water, and the limit the blind zone ahead of the bow must keep.

#include <optional>

struct SightPoint {
  double x = 0;  // from the aft perpendicular, forward positive
  double z = 0;  // above the base line
};

// Where the line from the eye (xe, ze) over the top (xo, zo) of an
// obstruction forward of it (xo > xe) meets the water of a ship of length
// length between perpendiculars floating at aftDraft at the aft and
// foreDraft at the fore perpendicular; the water surface runs straight
// between them and beyond. Any one unit of length for all arguments.
// Nothing when the line never comes down to the water ahead (the
// obstruction reaches the eye's height, or a trim by the stern lowers the
// water ahead as fast as the line falls): the sea ahead is not seen at all.
std::optional<SightPoint> SightLineHit(double xo, double zo, double xe, double ze, double length, double foreDraft,
                                       double aftDraft);

// The longest blind zone ahead of the bow a ship may have: two ship lengths
// or 500 m, whichever is less (metres).
double BlindDistanceLimit(double shipLength);
