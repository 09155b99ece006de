#pragma once

// Units and tonnes by port of loading x port of discharge x category, kept by
// callers around placement and rebuilt from scratch when invalidated.

struct PlanData;

// Adds (delta +1) or takes away (-1) the unit of cell in data set plane.
void AddToTotals(PlanData& plan, int cell, int delta, int plane);
void ResetTotals(PlanData& plan);
