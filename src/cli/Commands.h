#pragma once

// The commands of zum4-cli; each returns the process exit code.

#include <string>

struct Installation;

int CmdVessels(Installation& inst);
int CmdVessel(Installation& inst, const std::string& nameOrFolder);
// Reads a condition into the working data set of the vessel and prints the
// load totals, the quay count and the lines passed over; with writeTo the
// data set is written back out to that file.
int CmdCondition(Installation& inst, const std::string& vessel, const std::string& file,
                 const std::string& writeTo);
