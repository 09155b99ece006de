#pragma once

// The totals: units of a data set grouped by up to four list columns, one
// line per group at every level of grouping and a grand total, with counts,
// tonnes and TEU of full, empty and break-bulk units. Computed here as
// lines; the Totals window, the printer and the RDR report render them.

#include <string>
#include <vector>

struct PlanData;

inline constexpr int kMaxTotalsColumns = 4;

struct TotalsOptions {
  int plane = 0;                 // the data set counted
  std::vector<int> columns;      // unit columns to group by, at most four
  bool oneLevel = false;         // only the deepest groups and the grand total
  bool compact = false;          // the RDR report's narrower total columns
  bool onlyListedPorts = false;  // units whose POL or POD is not in PolList are left out
};

struct TotalsLine {
  std::string text;
  int level = -1;  // -1 for the two heading lines; 0 the grand total
};

struct TotalsReport {
  std::string title;  // heading line 0 as the printer's page title
  std::vector<TotalsLine> lines;
  bool breakBulk = false;
  int keyWidth = 0;
  int levels = 0;     // the number of grouping columns
  int units = 0;      // the grand total's count and tonnes, for the caller
  double tonnes = 0;
};

// Empty (no lines) when no column is chosen. More than four columns, or a
// column out of range, are ignored.
TotalsReport BuildTotals(const PlanData& plan, const TotalsOptions& options);
