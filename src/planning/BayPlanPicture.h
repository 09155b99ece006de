#pragma once

// The whole bay plan on one surface: every shown cell with its unit, the
// stack overweight marks, the row and tier labels of the one-bay view and
// the bay titles. The editor paints its window with it, and a plan picture
// written from the command line is the same drawing on an image.

#include "core/Canvas.h"
#include "planning/BayLayout.h"
#include "planning/CellDrawing.h"

struct PlanData;

// Paints the plan on canvas, whose boxes ComputeCellBoxes has placed.
// background fills the surface first. When plan.RedrawAll is set the load
// totals are rebuilt from the drawn cells and the flag is cleared. A one-bay
// number that no longer names a bay falls back to all bays (the layout is
// then redone for the canvas's size).
void PaintBayPlan(Canvas& canvas, PlanData& plan, BayLayout& layout, const BayView& view, Colour background,
                  int target);

// The plan's background: dark when the settings ask for it ("All Bays:
// Black on background"), else windowColour.
Colour PlanBackground(const PlanData& plan, Colour windowColour);

// The cells PaintBayPlan draws, in drawing order.
std::vector<int> ShownCells(const PlanData& plan, const BayLayout& layout);
