#pragma once

// The bay plan editor's caption line: the vessel, the condition shown and,
// as far as they are known, its drafts, trim and stability.

#include <string>

struct PlanData;
struct StabilityResults;

// results may be null (no stability for this vessel).
std::string EditorCaption(const PlanData& plan, const StabilityResults* results);
