#pragma once

// The long view: the ship from the side with every stack of cells and the
// units in them, the water at the computed drafts, and the conning
// position's line of sight over the deck cargo to the sea ahead. The window,
// the printer and picture files draw it with the same routine; the blind
// distance also goes into the stability figures of the headless tool.

#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "stability/SightLine.h"

struct PlanData;
struct StabilityResults;

inline constexpr Colour kLongViewCellColour = RgbColour(192, 192, 192);
inline constexpr Colour kLongViewUnitColour = RgbColour(255, 255, 117);
inline constexpr Colour kLongViewWaterColour = RgbColour(36, 145, 255);
inline constexpr Colour kLongViewSightColour = RgbColour(255, 0, 0);
inline constexpr Colour kLongViewDistanceColour = RgbColour(0, 0, 255);
inline constexpr Colour kLongView40BayColour = RgbColour(0, 0, 128);

// The ship's dimensions as the drawing takes them, in metres: the length
// over all (150 when below 10), the length between perpendiculars (the
// overall length less 15 when it is under half of it), and the conning
// eye's position from the aft perpendicular and height above the base line
// (40 each when the header holds less than 10 and 1).
struct LongViewShip {
  double overall = 150;
  double length = 135;
  double eyeX = 40;
  double eyeZ = 40;
};
LongViewShip LongViewDimensions(const PlanData& plan);
// Writes those eye defaults into the vessel header (the working copy).
void ApplyEyeDefaults(PlanData& plan);

// One cell or unit as drawn: millimetres along from the aft perpendicular
// and up from the base line.
struct LongViewBox {
  int cell = -1;
  double aft = 0, fore = 0;
  double bottom = 0, top = 0;
  bool deck = false;
};
// The first pass (loaded false): every cell as an empty slot of standard
// height. The second (true): every unit of the working condition at its
// height, stacked on the one under it. Deleted cells are left out.
std::vector<LongViewBox> LongViewBoxes(const PlanData& plan, bool loaded);

// The highest cell VCG of the vessel (m).
double HighestCellVcg(const PlanData& plan);

// The blind zone ahead of the bow: the deck unit forward of the eye whose
// sight line meets the water farthest forward. blocked: a unit hides the
// water ahead altogether (its sight line never comes down to it).
struct BlindZone {
  bool found = false;
  bool blocked = false;
  int cell = -1;          // the critical unit (the blocking one when blocked)
  SightPoint hit;         // mm
  SightPoint obstruction; // forward top corner of the critical unit, mm
  double distance = 0;    // m forward of the fore perpendicular
  double limit = 0;       // the longest blind zone allowed, m
  bool ExceedsLimit() const { return blocked || (found && distance > limit); }
};
BlindZone FindBlindZone(const PlanData& plan, const StabilityResults& results);
// "n m" as the drawing writes it (whole metres, cut).
std::string BlindDistanceText(const BlindZone& zone);
// The line the drawing adds when the zone is longer than allowed; empty
// when it is not.
std::string BlindLimitText(const BlindZone& zone);

// Where the drawing puts a point: x = (x + margin) * scale, y = y0 - z * scale.
// The canvas measures the labels' text (its font is left as it was).
struct LongViewScale {
  double scale = 0;   // pixels per millimetre
  double margin = 0;  // mm aft of the aft perpendicular shown
  int y0 = 0;         // the base line
  int X(double mm) const;
  int Y(double mm) const;
};
LongViewScale LongViewLayout(Canvas& canvas, const PlanData& plan, int width, int height);
// The height that shows the drawing whole at width: the eye and a unit
// above it when the eye is higher than the cells, else three units above
// the highest cell.
int LongViewHeightForWidth(Canvas& canvas, const PlanData& plan, int width);

// Draws the long view on (0, top)-(width, top + height).
void DrawLongView(Canvas& canvas, const PlanData& plan, const StabilityResults& results, int width, int height,
                  int top = 0);
// The same on a page: the title of the working condition, then the
// drawing across the page's width.
void PrintLongView(Canvas& page, const PlanData& plan, const StabilityResults& results);
