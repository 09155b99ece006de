#pragma once

// The demo feeder's voyage: units loaded and discharged port by port, with
// reefers, dangerous goods, over-size units, empties, 40', 45' and high-cube
// units and a bundle of flat racks; the conditions written on the way, and
// a loading list for the next port.

#include <filesystem>
#include <string>
#include <vector>

class PlanContext;
struct PlanData;
class ConditionFile;

struct VoyageReport {
  std::vector<std::string> conditions;  // file names written
  std::vector<std::string> lines;       // one summary line per condition
};

// Runs the voyage on the opened feeder (no units on board), ballasting it
// for trim, list and stability through its tanks, and writes each condition
// into the vessel's conditions folder. False with error when a
// file cannot be written.
bool WriteFeederVoyage(PlanContext& ctx, ConditionFile& conditions, VoyageReport& report, std::string& error);

// The fixed-column loading list of the next port, in the LIS layout of the
// base data, written to file.
bool WriteFeederLoadingList(const PlanData& plan, const std::filesystem::path& file, std::string& error);
