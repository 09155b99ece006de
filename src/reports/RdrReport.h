#pragma once

// The regional departure report ("RDR"): a heading with the vessel, voyage
// and drafts, the totals of the working condition grouped by port and
// operator, the way ports of the voyage, the specials and the allocations,
// as lines for the word processor. The totals are those of BuildTotals;
// the specials and the allocation lines come from their own reports and
// are handed in.

#include <string>
#include <vector>

struct PlanData;
class Selection;

// The four groupings of the first table.
enum class RdrGrouping { ByPod = 1, ByPol = 2, ByPolPod = 3, ByPodPol = 4 };

struct RdrSources {
  double foreDraft = 0;  // m, of the working condition
  double aftDraft = 0;
  // The specials report as the stowage instructions build it; its first
  // line (the title) is left out. Empty: no specials block.
  std::vector<std::string> specials;
  // The allocation table's lines. Empty: no allocation block.
  std::vector<std::string> allocations;
};

struct RdrReport {
  std::vector<std::string> lines;
  std::string error;  // set, with no lines, when a totals column is missing
};

// Builds the report. The selection of the working data set is reset first
// and again at the end; the way ports are the totals of the voyage data set
// (which the caller has built: ConditionList::BuildVoyageDataSet, PolList
// holding the voyage's departure ports) over units loaded and discharged at
// those ports, printed only when some unit is found.
RdrReport BuildRdrReport(PlanData& plan, Selection& selection, RdrGrouping grouping, const RdrSources& sources);

// A grouping column of the totals named by its list heading (blanks and
// case ignored) among the columns offered for grouping; -1 when none is.
int TotalsColumnNamed(const PlanData& plan, const std::string& name);
