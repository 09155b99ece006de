#include "stability/SightLine.h"

#include <algorithm>

std::optional<SightPoint> SightLineHit(double xo, double zo, double xe, double ze, double length, double foreDraft,
                                       double aftDraft) {
  const double d = xo - xe;
  if (d <= 0 || length <= 0) return std::nullopt;
  // The water surface: aftDraft at the aft perpendicular rising by
  // (foreDraft - aftDraft) over the length. The sight line falls by
  // (ze - zo) over d; it meets the water where the eye's height above the
  // water under it has been used up by the line's fall and the water's rise.
  const double rise = (foreDraft - aftDraft) / length;
  const double eyeAboveWater = ze - (aftDraft + rise * xe);
  const double closing = (ze - zo) / d + rise;  // per unit of length forward
  if (eyeAboveWater <= 0 || closing <= 0) return std::nullopt;
  SightPoint hit;
  hit.x = xe + eyeAboveWater / closing;
  hit.z = aftDraft + rise * hit.x;
  return hit;
}

double BlindDistanceLimit(double shipLength) { return std::min(2 * shipLength, 500.0); }
