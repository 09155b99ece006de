#pragma once

// The ports table shared by all vessels (por.txt in the data directory) and
// the open vessel's voyage ports. por.txt holds one line per port:
//   PORT ; CODE ; LETTER ; COUNTRY ; WINCOLOR ;
// each field followed by its separator. Lines are kept sorted as byte
// strings, which sorts them by name.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class Host;
class SaveSet;
struct PlanData;

// Dark grey: the colour of a port added without one.
inline constexpr int kDefaultPortColour = 2631720;

// Loads por.txt (found without regard to case) into Ports and sets
// PortCount; returns the count. When por.txt is missing it is first created
// from the legacy dBASE table Por.dbf; with neither the table is empty.
// Unsaved changes (PortsChanged) are written first; when that or the reading
// fails the failure is reported and the table in memory is kept as it is,
// as it is when the file is no ports table (binary, or text of which no line
// holds a separator). Lines without a separator and a last line cut off are
// reported as a warning and passed over.
int ReadPorts(PlanData& plan, const std::filesystem::path& dataDir, Host& host);

// Writes Ports to por.txt (atomically) and clears PortsChanged. A failure is
// reported with the file's name; PortsChanged then stays set. With a set the
// file joins it, and PortsChanged is cleared when the set is committed.
bool WritePorts(PlanData& plan, const std::filesystem::path& dataDir, Host& host, SaveSet* set = nullptr);

// The reading rule on lines already in memory: the lines are sorted, the
// separator is taken from the first line holding a "," or ";" (";" when that
// line has one), lines without the separator are skipped, and a field is
// stored only when its separator follows it. At most kPortsLoadLimit entries:
// later lines overwrite the last one. Sets and returns PortCount.
int ParsePortLines(PlanData& plan, std::vector<std::string> lines);

// The lines WritePorts writes, sorted. Names beginning " *NEW*" are first
// renamed to " " + COUNTRY + " " + CODE in the table itself.
std::vector<std::string> PortFileLines(PlanData& plan);

// Index in Ports of the first entry whose CODE equals code exactly; -1 if none.
int FindPort(const PlanData& plan, std::string_view code);
// The port's name without trailing blanks; the code itself when unknown.
std::string PortName(const PlanData& plan, std::string_view code);

// Registers the port of the first three characters of code in VoyPorts and
// returns its index there; -1 for a code of two characters or fewer (blanks
// not counted), a code not in Ports, or when VoyPorts is full.
int AddVoyPort(PlanData& plan, std::string_view code);

// Adds the port when its code is new (returns 1), else updates it unless
// onlyIfNew (returns 0). An empty letter becomes the code's first two
// characters, an empty name country + code.
int AddOrUpdatePort(PlanData& plan, const std::string& code, const std::string& name, const std::string& country,
                    const std::string& letter, bool onlyIfNew);

// The editor's colour choice for a port, in VoyPorts and in Ports.
void SetPortColour(PlanData& plan, std::string_view code, int colour);
