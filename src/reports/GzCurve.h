#pragma once

// The righting-lever (GZ) curve of the loaded condition: the curve through
// the tabulated levers, the GM' line from the origin to 57.3 degrees (one
// radian, where the tangent at the origin reaches GM'), the levels of GZ at
// 30 degrees and of the largest GZ with their values, and the flooding
// angle. The stability frame paints it on screen; the same routine serves a
// printer or a picture file.

#include <vector>

#include "core/Canvas.h"

struct StabilityResults;

inline constexpr Colour kGzCurveColour = RgbColour(0, 0, 192);
inline constexpr Colour kGmLineColour = RgbColour(0, 128, 0);
inline constexpr Colour kGz30Colour = RgbColour(192, 96, 0);
inline constexpr Colour kGzMaxColour = RgbColour(128, 0, 128);
inline constexpr Colour kFloodingColour = RgbColour(255, 0, 0);
inline constexpr Colour kGzGridColour = RgbColour(224, 224, 224);

// Where the drawing puts an angle and a lever. The plot area runs from
// (Left, Top) to (Right, Bottom); angles from 0 at Left to MaxAngle at
// Right, levers from BottomGz at Bottom to TopGz at Top.
struct GzCurveScale {
  bool Valid = false;  // false: nothing to plot (no current curve, or no room)
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  double MaxAngle = 60;
  double TopGz = 1, BottomGz = 0;
  double GzStep = 0.2;  // between the horizontal grid lines

  int X(double angle) const;
  int Y(double gz) const;
};

// The scale DrawGzCurve uses for these results on an area of width x height
// pixels (text metrics from canvas).
GzCurveScale GzCurveLayout(const Canvas& canvas, const StabilityResults& results, int width, int height);

// The lever at each whole degree (and at every tabulated angle) from 0 to
// the last tabulated angle, by the same six-point interpolation the areas
// and the maximum are computed with, so that the drawn peak is the reported
// one. Pairs of (angle, GZ), ascending; empty without a curve.
struct GzPoint {
  double angle = 0;
  double gz = 0;
};
std::vector<GzPoint> GzCurvePoints(const StabilityResults& results);

// Draws on (0, 0)-(width, height). Levers are drawn only while they belong
// to the present displacement: with no hydrostatic table, beyond it, or
// without cross curves the area shows why there is no curve instead.
void DrawGzCurve(Canvas& canvas, const StabilityResults& results, int width, int height);
