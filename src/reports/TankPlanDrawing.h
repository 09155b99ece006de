#pragma once

// The tanks of one group drawn as the vessel's tank plan: each tank a
// rectangle at the place its record gives, black, filled from the bottom
// in the group's colour up to how full it is. The tanks window paints it
// and finds the tank under the pointer with the same shapes; a sheet of
// all groups serves printing and picture files.

#include <array>
#include <string>
#include <vector>

#include "core/Canvas.h"

class Tanks;
class Stability;

inline constexpr int kMaxDrawnTanks = 40;
inline constexpr int kMaxGroupRows = 100;
inline constexpr Colour kSelectedTankColour = RgbColour(74, 74, 74);

// The colour of a group's text and filled tanks, and of its selection
// (groups are the weight items 4 to 9; black for any other).
Colour TankGroupColour(int group);
Colour TankHighlightColour(int group);

// One tank's rectangle: left <= right and top <= bottom, edges included.
struct TankShape {
  int tank = -1;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The group's tanks in table order (at most kMaxDrawnTanks): horizontal
// edges are pixels from originX, vertical edges pixels from middleY.
std::vector<TankShape> TankPlanShapes(const Tanks& tanks, int group, int originX, int middleY);
// The shape seen at the point (the last drawn of those containing it), or
// -1.
int TankShapeAt(const std::vector<TankShape>& shapes, int x, int y);
// The content that fills the tank up to height y of its shape (a click at
// the middle gives half the capacity), within 0 and the capacity.
double ContentAtHeight(const TankShape& shape, double capacity, int y);

// One tank as drawn, selected or not.
void DrawTankShape(Canvas& canvas, const Tanks& tanks, const TankShape& shape, int group, bool selected);
// The group's plan on (0, 0)-(width, height) filled with background.
void DrawTankPlan(Canvas& canvas, const Tanks& tanks, int group, int selectedTank, int width, int height,
                  Colour background);

// The grid row of a tank: name, capacity, percent full, content (the last
// two empty while the tank is empty).
std::array<std::string, 4> TankRowTexts(const Tanks& tanks, int tank);

// Every group on one sheet: its name, its plan and its tanks with their
// contents, and the group's total.
void DrawTanksSheet(Canvas& canvas, const Tanks& tanks, const Stability& stability, int width, int height);
