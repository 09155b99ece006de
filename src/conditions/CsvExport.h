#pragma once

// The spreadsheet exports of the main window: the selected units of the
// working condition as cntrs.csv, and those of the voyage data set as
// "VG_" + voyage + ".csv", both in the sending folder (Settings[15]) and in
// the CSV form of the condition writer. A file is written whole or not at
// all; a sending folder that is not set, does not exist or cannot be
// written is reported through the host by its name, and nothing is left
// behind in it.

#include <filesystem>
#include <string>

class ConditionFile;
class PlanContext;
struct PlanData;

inline constexpr const char* kConditionCsvName = "cntrs.csv";

// "VG_" + the trimmed voyage of the open condition + ".csv".
std::string VoyageCsvName(const PlanData& plan);

// The sending folder when it is a folder that exists; otherwise empty, with
// error naming the folder (or saying that none is set).
std::filesystem::path SendingFolder(const PlanData& plan, std::string& error);

// Writes the selected units of data set plane as CSV to file (a path; a
// bare name lands in the current folder). False when it could not be
// written, reported through the host.
bool WriteCsvFile(PlanContext& ctx, ConditionFile& conditions, int plane, const std::filesystem::path& file);

// "Save as CSV": the working data set's selected units to cntrs.csv in the
// sending folder. The file written, or empty when nothing was written.
std::filesystem::path SaveAsCsv(PlanContext& ctx, ConditionFile& conditions);

// "Save Voy as CSV": the voyage data set's selected units (built by the
// caller, ConditionList::BuildVoyageDataSet) to VoyageCsvName in the
// sending folder. The file written, or empty.
std::filesystem::path SaveVoyageAsCsv(PlanContext& ctx, ConditionFile& conditions);
