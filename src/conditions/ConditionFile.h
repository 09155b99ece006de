#pragma once

// Condition files, the automatic save temp.TXT, the quay file QUA.TXT and the
// CSV exports: one writer and one reader for all of them.
//
// A condition file holds one line per record, each field followed by its
// separator "|":
//   A|vessel|file name|displacement|LCG|VCG|load line zone + 10|
//   C|<the 64 columns of a unit>|            one per unit (40' units once)
//   T|tank|content|...|                      one per filled tank
//   N|container|notes, equipment, IMO, UN|   read only: notes of one unit
// Numbers in condition files always use "."; the reader takes every "," as
// "." (also inside texts). The quay file is the 64 columns per line without
// a record type; quay and CSV files use the locale's decimal separator and
// ";" as field separator when that is ",", else ",".
//
// The writer never puts the field separator, CR or LF inside a field: a "|"
// in a text of a condition becomes "/", a "," in a comma-separated file
// becomes "." and a ";" in a semicolon-separated one ",", CR and LF become
// blanks. So every file it writes reads back to the same records.

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"

class PlanContext;
class SaveSet;
struct PlanData;

// Type letters of a condition (VesHdr[47]) and their names in titles.
std::string ConditionTypeName(std::string_view letter);

// Sets the titles of the working data set ("port name / voyage type name")
// and of the voyage data set (the voyage) when VesHdr[47] is one of A, D,
// P, B; otherwise they stay as they are.
void ConditionTitle(PlanData& plan);

// VesselDir/<Settings[14]>: where condition files and temp.TXT live.
std::filesystem::path ConditionDirectory(const PlanData& plan);

struct ConditionWriteResult {
  bool written = false;        // the file is on disk, complete
  bool existedBefore = false;  // a file of that name was replaced
};

// Splits the bytes of a condition or quay file into lines of fields: a field
// ends at separator, a line at CR, LF or CR LF (empty lines are passed
// over); text after the last separator of a line is its last field. At most
// maxFields fields of a line are kept. With commaAsPoint every "," becomes
// ".". onLine gets the 1-based line number, the fields of the line and
// whether the line held the separator at all.
void SplitFileFields(
    std::string_view bytes, char separator, bool commaAsPoint, int maxFields,
    const std::function<void(int line, std::span<const std::string> fields, bool separated)>& onLine);

// Reading and writing conditions for one open vessel. Holds, between a read
// and the next write of the working condition, what the reader found but no
// other module keeps yet (the tank lines, the stored header totals).
class ConditionFile {
 public:
  explicit ConditionFile(PlanContext& ctx);

  // Writes data set plane: as CSV to Settings[15]/name when asCsv, else the
  // quay plane to VesselDir/QUA.TXT, else a condition to
  // ConditionDirectory/name. Saving a condition of the working data set first
  // removes from the plan the units not on board in that condition (a
  // departure, prestowage or before-loading condition has no unit discharged
  // at its port, an arrival none loaded there) and clears ConditionModified.
  // A file that cannot be written is reported through the host, and the old
  // file stays as it was. With a set the file is added to it instead of
  // written (written then means added), and ConditionModified is cleared
  // when the set is committed.
  ConditionWriteResult WriteCondition(const std::string& name, bool asCsv, int plane, SaveSet* set = nullptr);

  // Reads a condition file into data set plane. False when the file does
  // not exist (for the working data set VesHdr[45..47] are then cleared) or
  // cannot be read (reported through the host). Into the working data set
  // the units are placed as in loading mode; the reference data set gets
  // each unit at its cell's index, the voyage data set appends the units
  // loaded at the condition's port. headerOnly reads the "A" line alone.
  // A file that is no condition at all (empty, binary, no line of a record
  // type) is refused and reported before anything changes. Lines passed
  // over are listed in SkippedLines() and reported as a warning.
  bool ReadCondition(const std::filesystem::path& path, int plane, bool headerOnly);

  // Empties the quay and fills it from VesselDir/QUA.TXT when that exists.
  // False when the file exists but cannot be read or is no quay file
  // (binary, or text without a field separator): reported, and the quay
  // keeps what it held. An empty file is an empty quay.
  bool ReadQuayFile();

  // The lines the last read passed over: position not a cell, a record that
  // is not a unit's own cell, a placement refused, notes of an unknown unit,
  // a line that is no record of the file.
  const std::vector<SkippedLine>& SkippedLines() const { return skipped_; }

  // For a vessel without a tank table: the tank lines of the working
  // condition as read (the fields after "T": tank name, content text and
  // whatever follows), written back unchanged by the next save. A vessel
  // with a tank table keeps the contents in its tanks instead.
  std::vector<std::vector<std::string>> TankLines;

  // Displacement (t), LCG and VCG (m) from the "A" line of the last
  // condition read into the working data set, for the stability frame.
  struct StoredTotals {
    double displacement = 0;
    double lcg = 0;
    double vcg = 0;
  };
  StoredTotals HeaderTotals;

 private:
  void ReadLine(int line, std::span<const std::string> fields, int plane, bool headerOnly);
  void ReadHeader(std::span<const std::string> fields, int plane, bool headerOnly);
  void ReadUnit(int line, std::span<const std::string> fields, int plane);
  void ReadNotes(int line, std::span<const std::string> fields);
  void ReadTank(std::span<const std::string> fields);
  void Skip(int line, std::string reason);

  PlanContext& ctx_;
  std::vector<SkippedLine> skipped_;
  std::string rememberedPort_;  // port of the last "A" line, for the voyage data set
  bool headerDone_ = false;
};
