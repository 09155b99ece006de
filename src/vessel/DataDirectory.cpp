#include "vessel/DataDirectory.h"

#include <cstdlib>
#include <system_error>

#include "vessel/FileNames.h"

bool IsDataDirectory(const std::filesystem::path& dir) {
  return !FindFileNoCase(dir, "userpar.txt").empty() || !FindFileNoCase(dir, "par.dbf").empty();
}

std::filesystem::path UserInstallationDir(const std::string& xdgDataHome, const std::string& home) {
  std::filesystem::path base(xdgDataHome);
  if (xdgDataHome.empty() || !base.is_absolute()) base = std::filesystem::path(home) / ".local" / "share";
  return base / "zum4";
}

std::filesystem::path ResolveProgramDir(const StartLocation& start) {
  if (!start.dataOption.empty()) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(start.dataOption, ec);
    return ec ? std::filesystem::path(start.dataOption) : absolute.lexically_normal();
  }
  if (IsDataDirectory(start.workingDir)) return start.workingDir;
  return UserInstallationDir(start.xdgDataHome, start.home);
}

StartLocation CurrentStartLocation(const std::string& dataOption) {
  StartLocation start;
  std::error_code ec;
  start.workingDir = std::filesystem::current_path(ec);
  start.dataOption = dataOption;
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) start.xdgDataHome = xdg;
  if (const char* home = std::getenv("HOME")) start.home = home;
  return start;
}
