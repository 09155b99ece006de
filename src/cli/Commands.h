#pragma once

// The commands of zum4-cli; each returns the process exit code.

#include <string>

struct Installation;

int CmdVessels(Installation& inst);
int CmdVessel(Installation& inst, const std::string& nameOrFolder);
