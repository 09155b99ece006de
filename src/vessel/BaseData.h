#pragma once

// The base data module: everything that does not belong to one vessel. The
// user settings (userpar.txt), the working directories, the parameter file
// and its tables, the UN-number table, the ports table and the list of
// installed vessels (vex.txt); and the lookups on those tables (ISO size-type
// codes, container types, code translations, UN numbers).
//
// Created once at start-up (CreateBaseData); LoadBaseData refreshes
// directories, ports, UN numbers, the settings patch and the vessel list
// each time the main window is shown and after the settings window closes;
// CloseBaseData writes back what changed when the program ends.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"

#include "vessel/ParameterFile.h"

class Host;
struct PlanData;
struct StructDat;

class BaseData {
 public:
  // Labels of the TOT section, in file order: the totals labels the
  // stability frame shows. Declared first: the parameter reader fills it.
  std::vector<std::string> TotalsLabels;

  BaseData(PlanData& plan, Host& host);
  BaseData(const BaseData&) = delete;
  BaseData& operator=(const BaseData&) = delete;

  // Start-up: first a save of several files that a crash cut off is
  // finished or undone (reported as a warning, see SaveSet); then settings
  // from programDir/userpar.txt, DataDir, the colour and letter modes, the
  // parameter file (Settings[113] + ".txt", else PARAM.txt) and the optional
  // XLS.TXT and TRA.TXT. False, with the reason reported, when the settings
  // or the parameter file cannot be read or are refused.
  bool CreateBaseData(const std::filesystem::path& programDir);

  // Directories, ports, UN numbers, use.txt, the vessel list. False when a
  // step failed (each failure is reported; the other steps still run).
  bool LoadBaseData();

  // Writes the modes into the settings, vex.txt and por.txt when changed,
  // and userpar.txt. False when a file could not be written (reported).
  bool CloseBaseData();

  // Adds the sections of one file to the tables (the counts are not reset
  // here). False, reported, when the file cannot be read.
  bool ReadParameterFile(const std::filesystem::path& file);

  // userpar.txt: exactly 200 lines; slot 126 is marked free and 127..199
  // are written as "0", so settings above 125 do not survive a restart.
  bool SaveSettings();

  // Length in feet from the first character of an ISO size-type code; 0
  // when not a known length code.
  static int IsoLength(std::string_view iso);
  // Height in feet written as feet.inches (8.6 is eight foot six) from the
  // second character.
  static double IsoHeight(std::string_view iso);
  // The ISO height character written for a unit.
  static char HeightCode(const StructDat& unit);

  // Length and two-letter type, e.g. "20DV", "40HC"; "" when the length is
  // unknown. The last code asked for and its answer are kept.
  std::string IsoSizeType(const std::string& iso);

  // Index in Types of the first entry whose TYP equals code, -1 if none.
  int TypeIndex(std::string_view code) const;
  // TO of the first Tra entry of this kind whose FROM equals the trimmed
  // text; the text unchanged when none.
  std::string TranslateCode(const std::string& text, std::string_view kind) const;
  // Class text of a UN number ("MP-" in front for a marine pollutant); ""
  // when un is empty or unknown.
  std::string UnInfo(std::string_view un) const;

  // vex.txt. The line readers work on lines already read (and are what the
  // file readers use); they keep an entry only when its directory exists
  // under Settings[23], drop the others and set VesselListChanged. A vex.txt
  // that cannot be read or holds no text is reported and leaves the list.
  int ReadVesselList();
  int ReadVesselLines(const std::vector<std::string>& lines);
  // Writes the entries 0..VesselCount-1 sorted by name.
  bool WriteVesselList();
  // vex.txt plus every folder of Settings[23] with a ptc.txt whose vessel is
  // not listed yet; written back sorted. VesHdr is left as it was.
  bool RebuildVesselList();
  // The legacy vessel table ves.dbf: a ptc.txt for each listed vessel whose
  // folder exists and has none. VesHdr is left as it was.
  bool ConvertVesDbf(const std::filesystem::path& table);

  // unn.txt: 0 when missing; one that cannot be read or holds no text is
  // reported and leaves the table.
  int ReadUnnTable();
  int ReadUnnLines(std::vector<std::string> lines);

  // use.txt: pairs of index and value lines patch Settings; the file is
  // deleted afterwards.
  bool ApplySettingsPatch();

 private:
  bool ReadSettings(const std::filesystem::path& programDir);
  bool PrepareDirectories();
  bool LoadVesselList();
  std::filesystem::path DataFile(std::string_view name) const;
  // The lines of an optional file of the data folder: none when it is
  // missing; false, reported, when it cannot be read or holds no text (the
  // table it fills then stays as it was).
  bool OptionalDataFileLines(std::string_view name, std::vector<std::string>& lines);
  void ReportFailure(const std::string& text);
  // Warns of the lines the last line reader passed over, naming the file.
  void WarnSkipped(std::string_view name);

  PlanData& plan_;
  std::vector<SkippedLine> skipped_;  // of the last line reader
  Host& host_;
  ParameterFileReader parameters_;

  // The one-entry memo of IsoSizeType.
  bool isoMemoValid_ = false;
  std::string isoMemoCode_;
  std::string isoMemoResult_;
};
