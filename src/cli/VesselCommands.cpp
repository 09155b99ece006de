#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "core/TextHelpers.h"
#include "vessel/FileNames.h"

int CmdVessels(Installation& inst) {
  const PlanData& plan = *inst.plan;
  for (int k = 0; k < plan.VesselCount && k < kMaxVessels; ++k) {
    const std::string* entry = &plan.VesselList[k * kVesselListFields];
    std::printf("%s;%s;%s\n", entry[0].c_str(), entry[1].c_str(), entry[2] == "1" ? "shown" : "hidden");
  }
  // A file of the installation refused at the start (reported) is a failure
  // a script must see.
  return inst.host.errorCount == 0 ? 0 : 1;
}

int CmdVessel(Installation& inst, const std::string& nameOrFolder) {
  PlanData& plan = *inst.plan;
  // Opened as every command opens it, so that its tables are read and a
  // broken one is told apart from a good one.
  OpenedCondition opened(inst);
  if (!opened.Open(inst, nameOrFolder, "")) return 1;
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
  for (const auto& t : tables) {
    const std::filesystem::path file = FindFileNoCase(plan.VesselDir, std::string(t.name) + ".txt");
    const bool refused = !file.empty() && std::any_of(opened.session.TableErrors().begin(),
                                                      opened.session.TableErrors().end(),
                                                      [&file](const std::string& error) {
                                                        return error.find(file.string() + ":") != std::string::npos;
                                                      });
    std::printf("%-22s%s\n", t.caption, file.empty() ? "no" : refused ? "not read (see the error above)" : "yes");
  }
  return inst.host.errorCount == 0 ? 0 : 1;
}
