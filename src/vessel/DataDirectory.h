#pragma once

// Where the program finds its installation (settings, parameter file, ports,
// vessels). The working directory is used when it holds one; otherwise the
// per-user installation; a folder named on the command line beats both.

#include <filesystem>
#include <string>

struct StartLocation {
  std::filesystem::path workingDir;
  std::string dataOption;   // --data DIR, empty when not given
  std::string xdgDataHome;  // $XDG_DATA_HOME, may be empty
  std::string home;         // $HOME
};

// A folder is an installation when it holds userpar.txt or the old par.dbf.
bool IsDataDirectory(const std::filesystem::path& dir);

// $XDG_DATA_HOME/zum4, or ~/.local/share/zum4 when that variable is unset or
// not absolute (as the XDG rules say).
std::filesystem::path UserInstallationDir(const std::string& xdgDataHome, const std::string& home);

std::filesystem::path ResolveProgramDir(const StartLocation& start);

// The same from this process's working directory and environment.
StartLocation CurrentStartLocation(const std::string& dataOption);
