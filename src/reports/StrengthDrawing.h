#pragma once

// The "Stresses" picture: the weight and buoyancy along the ship as bars
// about a base line, the bending moment, shear force and torsion as curves
// against their allowed values, the percentages at every section with
// limits and the frame numbers below. The window paints it on screen; the
// same routine serves a printer or a picture file.

#include "core/Canvas.h"

class Strength;

inline constexpr Colour kStrengthBaseColour = RgbColour(128, 128, 128);
inline constexpr Colour kStrengthBuoyancyColour = RgbColour(204, 255, 255);
inline constexpr Colour kStrengthWeightColour = RgbColour(255, 222, 187);
inline constexpr Colour kBendingColour = RgbColour(0, 0, 255);
inline constexpr Colour kShearColour = RgbColour(0, 128, 0);
inline constexpr Colour kTorsionColour = RgbColour(128, 0, 128);
inline constexpr Colour kBeyondLimitColour = RgbColour(255, 0, 0);
inline constexpr Colour kSectionLineColour = RgbColour(192, 192, 192);

// Where the drawing puts a position along the ship and a value of each
// curve. Positions run from AP - (LOA - LBP) at the left edge to
// FP + (LOA - LBP) at the right; each curve's scale value stands half the
// height less three text lines above the base line.
struct StrengthScale {
  double Lbp = 0;       // m
  double Overhang = 0;  // LOA - LBP, m: the margin on either side
  int Width = 0;
  int BaseY = 0;        // the base line
  int CurveHeight = 0;  // pixels of a full scale value
  double BendingScale = 0, ShearScale = 0, TorsionScale = 0;
  double LoadScale = 0;  // t/m or t of the tallest bar
  int BarHeight = 0;     // pixels of the tallest bar
  int LineHeight = 0;

  int X(double x) const;
  // Values above the base line upwards; kept inside the picture.
  int BendingY(double value) const { return Y(value, BendingScale); }
  int ShearY(double value) const { return Y(value, ShearScale); }
  int TorsionY(double value) const { return Y(value, TorsionScale); }
  int Y(double value, double scale) const;
  int Height = 0;
};

// The scale DrawStrength uses on an area of width x height pixels (text
// metrics from canvas). loa and lbp are the vessel's overall length and
// length between perpendiculars; when the overall length is not the
// longer the sections' own extent sets the margins.
StrengthScale StrengthLayout(const Canvas& canvas, const Strength& strength, double loa, double lbp, int width,
                             int height);

// Draws the last computed results on (0, 0)-(width, height). Without
// strength data, or while the results are not those of the present
// condition, the area says so instead.
void DrawStrength(Canvas& canvas, const Strength& strength, double loa, double lbp, int width, int height);
