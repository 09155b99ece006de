#include "cli/Installation.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

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

OpenedCondition::OpenedCondition(Installation& inst)
    : session(*inst.plan, inst.host, inst.base.TotalsLabels),
      stability(session.stability),
      ctx(session.ctx),
      conditions(session.conditions),
      ves(session.ves) {}

bool OpenedCondition::Open(Installation& inst, const std::string& vessel, const std::string& file) {
  PlanData& plan = *inst.plan;
  const int index = inst.FindVessel(vessel);
  if (index < 0) {
    std::fprintf(stderr, "error: no installed vessel is named %s\n", vessel.c_str());
    return false;
  }
  if (!session.Open(index)) {
    std::fprintf(stderr, "error: the vessel %s cannot be opened (ptc.txt missing or unreadable)\n", vessel.c_str());
    return false;
  }
  if (file.empty()) return true;  // the vessel as it opens
  // A bare name is a condition of the vessel's conditions folder.
  std::filesystem::path path(file);
  if (!std::filesystem::exists(path) && !path.has_parent_path()) path = ConditionDirectory(plan) / file;
  if (!conditions.ReadCondition(path, kCurPlane, false)) {
    std::fprintf(stderr, "error: %s: no such condition file\n", path.string().c_str());
    return false;
  }
  return true;
}
