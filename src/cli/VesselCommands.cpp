#include <cstdio>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "core/TextHelpers.h"
#include "vessel/VesselData.h"

int CmdVessels(Installation& inst) {
  const PlanData& plan = *inst.plan;
  for (int k = 0; k < plan.VesselCount && k < kMaxVessels; ++k) {
    const std::string* entry = &plan.VesselList[k * kVesselListFields];
    std::printf("%s;%s;%s\n", entry[0].c_str(), entry[1].c_str(), entry[2] == "1" ? "shown" : "hidden");
  }
  return 0;
}

int CmdVessel(Installation& inst, const std::string& nameOrFolder) {
  PlanData& plan = *inst.plan;
  plan.CurVessel = inst.FindVessel(nameOrFolder);
  if (plan.CurVessel < 0) {
    std::fprintf(stderr, "error: no installed vessel is named %s\n", nameOrFolder.c_str());
    return 1;
  }
  VesselData ves(plan, inst.host);
  if (!ves.OpenVessel()) {
    std::fprintf(stderr, "error: the vessel %s cannot be opened (ptc.txt missing or unreadable)\n",
                 nameOrFolder.c_str());
    return 1;
  }
  // The particulars as the main window lists them.
  for (int i = 0; i < plan.VesParamCount && i < kMaxVesParams; ++i) {
    const StructPat& field = plan.VesParams[i];
    if (field.KIND == "-" || field.INDEX < 0 || field.INDEX >= kVesHdrSize) continue;
    std::printf("%-22s%s\n", (TrimRight(field.CAPTION) + ":").c_str(), plan.VesHdr[field.INDEX].c_str());
  }
  std::printf("%-22s%d\n", "Bays:", plan.BayCount);
  std::printf("%-22s%d\n", "Cells:", plan.CellCount);
  const struct {
    const char* name;
    const char* caption;
  } tables[] = {{"HYD", "Hydrostatic table:"},
                {"RLE", "Cross curves:"},
                {"TNK", "Tank table:"},
                {"STR", "Strength table:"}};
  for (const auto& t : tables) std::printf("%-22s%s\n", t.caption, ves.HasVesselTable(t.name) ? "yes" : "no");
  return 0;
}
