#include "cli/Installation.h"

#include <cctype>
#include <cstdio>

#include "core/TextHelpers.h"
#include "vessel/DataDirectory.h"

namespace {
std::string Upper(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}
}  // namespace

Installation::Installation() : plan(CreatePlanData()), host(*plan), base(*plan, host) {}

bool Installation::Load(const std::string& dataOption) {
  const auto dir = ResolveProgramDir(CurrentStartLocation(dataOption));
  if (!IsDataDirectory(dir)) {
    std::fprintf(stderr, "error: %s is not a Zum4 installation (no userpar.txt)\n", dir.string().c_str());
    return false;
  }
  return base.CreateBaseData(dir) && base.LoadBaseData();
}

int Installation::FindVessel(const std::string& nameOrFolder) const {
  const std::string wanted = Upper(Trim(nameOrFolder));
  for (int k = 0; k < plan->VesselCount && k < kMaxVessels; ++k) {
    const std::string& name = plan->VesselList[k * kVesselListFields];
    const std::string& folder = plan->VesselList[k * kVesselListFields + 1];
    if (Upper(Trim(name)) == wanted || Upper(Trim(folder)) == wanted) return k;
  }
  return -1;
}
