#pragma once

// The commands of zum4-cli; each returns the process exit code.

#include <string>
#include <vector>

#include "edifact/EdiImport.h"

struct Installation;

int CmdVessels(Installation& inst);
int CmdVessel(Installation& inst, const std::string& nameOrFolder);
// Reads a condition into the working data set of the vessel and prints the
// load totals, the quay count and the lines passed over; with writeTo the
// data set is written back out to that file.
int CmdCondition(Installation& inst, const std::string& vessel, const std::string& file,
                 const std::string& writeTo);
// Reads a condition and prints the stowage check's lines as the Check window
// lists them; 0 when nothing was found, 3 when something was.
int CmdCheck(Installation& inst, const std::string& vessel, const std::string& file, bool segregationOnly,
             bool explain);
// The stability report, tanks report and strength maxima of the vessel as
// it opens (file empty) or of a condition; with json one object of figures.
int CmdStability(Installation& inst, const std::string& vessel, const std::string& file, bool json);
// For each container number, taken as typed and shown in its stored form
// (see NormaliseNumber): whether its check digit is right and what
// it should be; 0 when every one is right, 3 otherwise.
int CmdCheckDigit(const std::vector<std::string>& numbers);

struct EditArgs {
  std::string vessel, condition, script;
  std::string save;     // condition name saved as afterwards (SaveConditionAs)
  bool strict = false;  // stop at the first refused line, saving nothing
};
// Runs the editor's commands of a script on a condition, one a line, and
// prints what each did or why it was refused; 0 when every line was done.
int CmdEdit(Installation& inst, const EditArgs& args);

struct ImportEdiArgs {
  std::string vessel, file, condition;
  std::string dump;  // "load", "all", "none", or "" for the dialog's default
  std::string port;  // this port, five letters
  bool clearWeights = false;
  std::string save;     // condition name saved as after the import (SaveConditionAs), with the quay file
  std::string portMap;  // file of "CODE;PORT" lines for unknown ports
};
// Imports a BAPLIE, MOVINS or COPRAR into a vessel (and condition) and
// prints its header, the counts and every unit put to the quay with why.
int CmdImportEdi(Installation& inst, const ImportEdiArgs& args);

struct ExportEdiArgs {
  std::string vessel, condition, out;
  EdiMessageKind kind = EdiMessageKind::Baplie;
  std::string version;   // "15", "20" or "22"; "" for the default
  std::string vesselId;  // "imo", "call-sign", or "" for the stored choice
  std::string now;       // "yyyy-mm-dd hh:mm" instead of the clock
};
// Writes a condition as a BAPLIE or MOVINS with the export dialog's
// defaults.
int CmdExportEdi(Installation& inst, const ExportEdiArgs& args);

struct LoadListArgs {
  std::string vessel, condition, file;  // condition "-": the vessel without one
  bool add = false;                     // onto the quay; otherwise the list replaces the port's units
  bool update = false;                  // then merge the list into the placeholders on board
  bool exact = false;                   // merge only units alike in class, empty flag, over-size, reefer
  std::string save;  // condition name saved as afterwards (SaveConditionAs), with the quay file
};
// Imports a loading list as the main window does and prints the lines
// read and not read, and the units placed, merged and put to the quay by
// route and category; 0 when it took units, 1 when the file was refused or
// gave nothing new.
int CmdLoadList(Installation& inst, const LoadListArgs& args);
// Writes the condition's units as loadlist.txt lines to out.
int CmdExportLoadList(Installation& inst, const std::string& vessel, const std::string& condition,
                      const std::string& out);

// Creates and installs a vessel whose cells are the positions of a BAPLIE.
int CmdVesselFromBaplie(Installation& inst, const std::string& file, const std::string& name);

struct ReportArgs {
  std::string kind;
  std::string vessel;
  std::string condition;
  std::string by;         // grouping columns for the totals, comma-separated
  bool oneLevel = false;  // the totals' deepest groups and the grand total only
  std::string layout;     // the containers list's layout
  bool sequence = false;  // the containers list's rows numbered
  bool voyage = false;    // the voyage data set of the condition's voyage
  bool selected = false;  // only the units of the condition's own port
  bool csv = false;       // one CSV row per unit or totals line
  std::string out;        // written to this file instead of printed
};
int CmdReport(Installation& inst, const ReportArgs& args);
// Writes the condition's units (or with voyage those of its voyage) as the
// spreadsheet CSV to out.
int CmdExportCsv(Installation& inst, const std::string& vessel, const std::string& condition, bool voyage,
                 const std::string& out);
