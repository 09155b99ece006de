#pragma once

// The parameter file (and XLS.TXT, TRA.TXT, which share its grammar): a
// fixed-column text file whose sections fill the base tables of the plan.
//
// Grammar, line by line:
//   - a line of 0 or 1 characters is skipped; any other line is padded on the
//     right with blanks to the current width (10 until a header sets another);
//   - "--" read in comment state is a section header: characters 3-5 the
//     section name, 8-10 the line width;
//   - "/*" enters comment state, clears the section and resets the width;
//   - "*/" leaves comment state;
//   - any other line outside comment state is a data line of the current
//     section, cut into fields by 1-based character columns.
// A file starts in comment state, so a section reads as: "/*", "--" header,
// comment lines, "*/", data lines. Sections the program does not know (ROL,
// for instance) and data lines while no section is set are read past.
//
// Every table stops at its capacity; indexes read from a line (DIM, LIM,
// TRE, REP) are range-checked and a line with an index outside its table is
// dropped. VES INDEX values are stored as read: users check them against
// kVesHdrSize before indexing VesHdr.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"

struct PlanData;

// Width of a line until a section header names another.
inline constexpr int kDefaultParameterWidth = 10;

class ParameterFileReader {
 public:
  // totalsLabels receives the TOT section (the totals labels of stability).
  ParameterFileReader(PlanData& plan, std::vector<std::string>& totalsLabels);

  // Every table count to 0, the segregation matrix cleared, the totals
  // labels emptied: the state before the first file is read.
  void ClearTables();

  // One file's lines, added to what earlier files left in the tables. The
  // reader starts in comment state for each file. Afterwards, when no SIZ
  // line has been read, the sizes default to 202, 404 and 459.
  void ReadLines(const std::vector<std::string>& lines);

  // ReadLines on a file; false with error "<file>: <reason>" when it cannot
  // be read or is no parameter file (empty, binary, no section header): the
  // tables are then left as they were.
  bool ReadFile(const std::filesystem::path& file, std::string& error);

  // The data lines of the last file read that were passed over (a number
  // field holding text, a slot outside its table, a table already full, a
  // control character), each with its section and reason. SEG rows are kept
  // (their order numbers them) with the wrong digit read as 0.
  const std::vector<SkippedLine>& Skipped() const { return skipped_; }

  // Rows of the segregation matrix filled so far.
  int SegRows() const { return segRows_; }

 private:
  std::string ReadDataLine(std::string_view section, const std::string& line);

  PlanData& plan_;
  std::vector<std::string>& totalsLabels_;
  int segRows_ = 0;
  std::vector<SkippedLine> skipped_;
};
