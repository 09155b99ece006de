#pragma once

// The stack rules: what may stand in the stack of a cell, and its weight.

struct PlanData;

// Weight of the stack of cell (the 20' limit applies when 20' units are in
// it, else the 40' limit), and sets plan.StackRuleFlags.
double EvaluateStack(PlanData& plan, int cell);
// Stack weight limit of the cell's row: deck or hold, 20' or 40'.
double StackWeightLimit(const PlanData& plan, int cell, bool forty);
// Weight of every unit in the cell's row of its bay, 40' units in full.
double RowWeight(const PlanData& plan, int cell);
