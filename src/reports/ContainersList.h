#pragma once

// The containers list: the units of a data set as sorted fixed-width rows,
// the columns and their order from the list layout chosen (the REP section
// of the parameter file). Computed here as text rows, each remembering its
// unit; the Containers List window, the printer and the word processor
// hand-over show or write them.

#include <string>
#include <vector>

struct PlanData;

struct ContainersListOptions {
  int plane = 0;          // the data set listed
  int layout = 0;         // the list layout (TRE entry)
  bool sequence = false;  // number the rows
};

struct ListRow {
  std::string text;
  int record = -1;  // the unit's record in the data set
};

struct ContainersList {
  std::string header;
  std::vector<ListRow> rows;  // sorted; with sequence, numbered
  int units = 0;              // units listed (an attached unit's rows count once)
  double tonnes = 0;
};

// Rows of units with STATUS > 0, SELECTED > 0 and no bundle member; a unit
// with attached equipment (handling class 2 or 4) gives a row for itself and
// one per attached number, its weight shared among them. Layout 9 shows the
// operator in an empty column 29 and heads the cell column "TO CEL";
// layout 12 adds under a unit with several IMO classes a row per further
// class and its UN number, under the IMO column.
ContainersList BuildContainersList(const PlanData& plan, const ContainersListOptions& options);

// The list as written to a file: the header, then each row.
std::vector<std::string> ContainersListLines(const ContainersList& list);
