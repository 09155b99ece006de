#pragma once

// Loading-list files: the import of a port's loading list, and the export of
// the working condition as loadlist.txt.
//
// Two kinds of file are read:
//  - Fixed-column text (loadlist.txt of this program and the terminals'
//    lists of the same layout): every line longer than 40 characters is one
//    unit; the LIS table of the parameter file says where each field stands
//    (ports as the last three letters of their UN/LOCODE, the weight in
//    kilograms; a weight written with decimals is taken as tonnes).
//  - CSV: fields separated by "," or ";" (the first of them in the file),
//    blanks and double quotes ignored; a header line naming more than five
//    columns that the XLS table of the parameter file knows (by their first
//    four characters), then one line per unit or booking. A weight above
//    1000 is in kilograms, anything else in tonnes; a quantity column gives
//    copies of a booking (in add mode).
// A file whose name holds "CSV" is read as CSV, any other as fixed-column
// text unless its lines show a CSV header.
//
// Each line becomes a unit: its codes translated (TRA table), its size and
// type taken from its ISO code, its position made a cell name. A line is
// not read when it is too short, has no weight of at least one tonne, or
// lacks a port of loading or discharge; a unit is not taken when its
// container number stands earlier in the file, on board or on the quay.
// Every such line is listed with its number and why.
//
// Add mode puts the units on the quay. Replace mode ("Import Final") first
// removes from the plan every unit loaded or discharged at the current
// port, then puts each unit into the cell its position names, or on the
// quay when it cannot go there. In both modes a quay that still holds units
// is emptied when the person says so. A file refused as a whole changes
// nothing, neither on board nor on the quay.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "conditions/ConditionFile.h"

class BaseData;
class Host;
class LoadingList;
class PlanContext;
struct PlanData;

struct LoadingListImport {
  bool accepted = false;  // the file was read as a loading list and its units taken
  bool csv = false;
  int lines = 0;       // lines of the file
  int headerLine = 0;  // CSV: the header's line number
  int blankLines = 0;
  int read = 0;    // lines read as units
  int units = 0;   // the units those lines stand for (a CSV quantity gives copies)
  int placed = 0;  // replace mode: put into the cells their positions name
  int toQuay = 0;
  int leftOut = 0;  // not taken: the quay was full
  // Lines that could not be read as a unit (lines = header + read + blank +
  // these), and units read but not taken (already on board, on the quay, or
  // listed twice), each with why.
  std::vector<SkippedLine> unreadable;
  std::vector<SkippedLine> skipped;
  // Taken, but worth a look: ports the ports table does not know.
  std::vector<SkippedLine> notes;
  struct Counts {
    int read = 0, placed = 0, toQuay = 0;
  };
  // By route ("POL POD") and category of the route matrix.
  std::map<std::pair<std::string, int>, Counts> byRoute;
};

// Imports a loading-list file (the main window's "LoadList to Quay" in add
// mode, "Import Final" in replace mode). Problems go to the host: a refused
// file, or lines that could not be read, with the file's name and the first
// bad line; a full quay with the number of units left out. Unless silent,
// message 51 then says how many units went to the quay (in replace mode
// only when any did). The list's routes are rebuilt. A manifest (add mode)
// is read whole, units on board and on the quay included: it is compared
// with the plan, not loaded.
LoadingListImport ImportLoadingList(PlanContext& ctx, BaseData& base, LoadingList& list,
                                    const std::filesystem::path& file, bool add, bool silent,
                                    bool manifest = false);

// The lines of loadlist.txt: one per selected unit of the working condition
// (bundle members left out) in cell order, the fields at fixed columns
// without separators, never cut (a longer value shifts the rest of its line).
std::vector<std::string> LoadingListLines(const PlanData& plan);
// Settings[15]/loadlist.txt: where the main window's export writes.
std::filesystem::path LoadingListExportFile(const PlanData& plan);
// Writes the lines (each ending in a blank and CR LF) to file, replacing it
// whole; false, reported with the file's name, when it cannot be written.
bool ExportLoadingList(const PlanData& plan, Host& host, const std::filesystem::path& file);
