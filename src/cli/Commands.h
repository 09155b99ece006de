#pragma once

// The commands of zum4-cli; each returns the process exit code.

#include <string>
#include <vector>

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
int CmdCheck(Installation& inst, const std::string& vessel, const std::string& file, bool segregationOnly);
// The stability report, tanks report and strength maxima of the vessel as
// it opens (file empty) or of a condition; with json one object of figures.
int CmdStability(Installation& inst, const std::string& vessel, const std::string& file, bool json);
// For each container number: whether its check digit is right and what it
// should be; 0 when every one is right, 3 otherwise.
int CmdCheckDigit(const std::vector<std::string>& numbers);
