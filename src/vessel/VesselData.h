#pragma once

// The vessel data module: a vessel's directory and its definition files
// (ptc.txt, cel.txt, bay.txt, tra_bay.txt), opening a vessel into the plan,
// writing the cell and bay configuration back, compacting it after cells were
// deleted, and the translation of bay codes between the vessel's own and an
// outside numbering.
//
// File layouts (each field followed by ";", lines ended by CR LF):
//   cel.txt  CELL;FL_RF;LCG;VCG;TCG;LCG_40;RESTR;
//   bay.txt  BAY;D00;H00;D40;H40;ROWSHIFT1..5;D42;H42;HC_MAX;TWDK;XB15;XB16;
//            HOLDSHIFT;ATHWART;STACKW (19 rows x deck20, deck40, hold20,
//            hold40);YOFFSET;ROWWEIGHT;   (96 fields)
//   tra_bay.txt  characters 1-3 own bay code, 5-7 outside bay code
//   hld.txt  BAY;HOLD;   the cargo hold under each bay, numbered from
//            forward; optional (the segregation check then takes each 40'
//            bay, or a 20' bay standing alone, as a hold of its own)
// Reals are written in the current decimal separator, a zero as "0"; every
// number is read leniently, so a file written with "," reads back under "."
// and the other way round.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"
#include "core/PlanData.h"

class Host;

// Vessel cells live below the unit in hand; the records from there on are
// the unit in hand and the editor's move queue, never a cell.
inline constexpr int kMaxVesselCells = kUnitInHand;
inline constexpr int kBayFieldCount = 96;
inline constexpr int kMaxBayTransPairs = kMaxBayTrans / 2;

// Line parsers and formatters of the definition files, open for the tests
// and the fuzz targets. Lines that hold nothing but blanks are skipped;
// surplus lines beyond the capacity are not stored. A line that is none of
// the file's records (a cell name that is not digits, a bay line without a
// bay name, a translation line without two codes) is passed over and, with
// skipped given, listed there. Each returns the number of records filled.
//
// cel.txt: sets CELL, FL_RF, LCG, VCG, TCG, LCG_40, RESTR; X and Y become 0
// and the blocking links -1; BAYIX, COLUMN and LINE keep their values.
int ParseCelLines(PlanData& plan, const std::vector<std::string>& lines,
                  std::vector<SkippedLine>* skipped = nullptr);
// bay.txt: every bay read starts from an empty bay record.
int ParseBayLines(PlanData& plan, const std::vector<std::string>& lines,
                  std::vector<SkippedLine>* skipped = nullptr);
// tra_bay.txt into BayTrans (pair k: elements 2k and 2k+1); returns pairs.
int ParseTraBayLines(PlanData& plan, const std::vector<std::string>& lines,
                     std::vector<SkippedLine>* skipped = nullptr);
// hld.txt: sets HOLD of each bay named (every bay starts at 0). A line
// whose bay is not a bay of the vessel, or whose hold is not a whole number
// above 0, is left out and described in problems as "line N: reason".
// Returns the number of bays given a hold.
int ParseHoldLines(PlanData& plan, const std::vector<std::string>& lines, std::vector<std::string>& problems);
std::string CelLine(const StructCel& cell);
std::string BayLine(const StructBay& bay);

// Points every cell's BAYIX at the bay named by its bay digits (the first
// BayLen characters from BayPos of CELL) and sets each bay's FIRSTCELL and
// LASTCELL (cells of one bay follow each other). A cell whose bay is not in
// the list gets BAYIX 0 so that Bays[BAYIX] stays a valid record; a bay
// without cells gets FIRSTCELL 0 and LASTCELL -1 (an empty range).
void LinkCellsToBays(PlanData& plan);

// The parts of opening a vessel that belong to other modules. Whoever owns
// those modules connects them here; a step left unconnected is skipped, so
// until then a vessel opens without hydrostatics, tanks, layout, quay and
// selection. They run in this order within OpenVessel.
struct VesselOpenSteps {
  // Empties the stability frame's hydrostatic and cross-curve tables
  // (before any vessel file is read).
  std::function<void()> ResetStabilityTables;
  // Loads HYD.txt and RLE.txt when present (HasVesselTable tells).
  std::function<void()> LoadHydrostatics;
  // Loads TNK.txt and, when present with it, TNP.txt; builds the tank list.
  std::function<void()> LoadTanks;
  // Computes the bay and cell layout (columns, lines, drawing extents).
  std::function<void()> ComputeLayout;
  // When no hydrostatic table was loaded, sets the frame's default values.
  std::function<void()> SetStabilityDefaults;
  // Recomputes the strength availability and the stability state.
  std::function<void()> RecomputeStability;
  // Reads QUA.TXT into the quay data set.
  std::function<void()> LoadQuay;
  // Resets the selection filter.
  std::function<void()> ResetSelectionFilter;
};

class VesselData {
 public:
  VesselData(PlanData& plan, Host& host);

  VesselOpenSteps steps;

  // Opens vessel entry CurVessel of VesselList. False, with nothing changed,
  // when the entry names no directory or its ptc.txt is missing, and when
  // ptc.txt, bay.txt or cel.txt cannot be read or is none of its kind
  // (empty, binary, not one line of its records): that is reported with the
  // file's name. Lines passed over in a file that is read are reported as a
  // warning.
  bool OpenVessel();
  // Whether the last failed OpenVessel has already told the user why (an
  // unreadable or refused definition file); a plain "cannot be opened" is
  // then one message too many.
  bool OpenFailureReported() const { return openFailureReported_; }

  // bay.txt, or (once) the legacy dBASE table BAY from which bay.txt is then
  // written. Sets BayCount and returns it; a bay.txt that is refused is
  // reported and gives no bays.
  int LoadBays();
  // cel.txt, or (once) the legacy dBASE table Cel from which cel.txt is then
  // written. Sets CellCount, links the cells to the loaded bays and returns
  // the count; a cel.txt that is refused is reported and gives no cells.
  int LoadCells();

  // Write cel.txt / bay.txt (with hld.txt when a bay has its hold) and
  // clear CelChanged / BayChanged. On failure the
  // error is reported, the flag stays set and false is returned.
  bool SaveCells();
  bool SaveBays();

  // Removes the cells marked deleted (RESTR -9) together with their records
  // of the working data set, and the bays left without cells.
  void CompactVessel();

  // Bay code translation of an EDIFACT position (see tra_bay.txt): toOwn
  // false maps the own code to the outside one, true the reverse.
  std::string TranslateBayCode(const std::string& position, bool toOwn) const;

  // Whether VesselDir holds name + ".txt" (any case): HYD, RLE, TNK, TNP.
  bool HasVesselTable(const std::string& name) const;

 private:
  std::filesystem::path VesselFile(std::string_view name) const;
  bool WriteLines(std::string_view name, const std::vector<std::string>& lines);
  int LoadLegacyBays(const std::filesystem::path& table);
  std::vector<std::string> LegacyCellLines(const std::filesystem::path& table);
  // Parse the lines of a file read (or built from a legacy table) into the
  // plan and report the lines passed over, skipped holding those already.
  int TakeBayLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                   std::vector<SkippedLine> skipped);
  int TakeCellLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                    std::vector<SkippedLine> skipped);
  void WarnSkipped(const std::filesystem::path& file, std::vector<SkippedLine> skipped);
  void LoadTraBay();
  void LoadHolds();

  PlanData& plan_;
  Host& host_;
  bool openFailureReported_ = false;
};
