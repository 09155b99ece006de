#include "cli/Installation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>
#include <vector>

#include "conditions/ConditionList.h"
#include "conditions/Schedule.h"
#include "core/TextHelpers.h"
#include "vessel/DataDirectory.h"
#include "vessel/FileNames.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

bool HasTxtExtension(std::string_view name) {
  return name.size() > 4 && Upper(std::string(name.substr(name.size() - 4))) == ".TXT";
}

std::string WithoutTxtExtension(const std::string& name) {
  return HasTxtExtension(name) ? name.substr(0, name.size() - 4) : name;
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

constexpr const char* kConditionNameRule =
    "a condition name is its type A, B, P or D, a three-letter port code and a voyage of four to six "
    "letters or digits, such as DHAM012N";

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
  const int index = inst.FindVessel(vessel);
  if (index < 0) {
    std::fprintf(stderr, "error: no installed vessel is named %s\n", vessel.c_str());
    return false;
  }
  const int errorsBefore = inst.host.errorCount;
  if (!session.Open(index)) {
    if (inst.host.errorCount > errorsBefore)
      std::fprintf(stderr, "error: the vessel %s cannot be opened: a file of it was refused (above)\n",
                   vessel.c_str());
    else
      std::fprintf(stderr, "error: the vessel %s cannot be opened: its folder holds no ptc.txt\n", vessel.c_str());
    return false;
  }
  if (file.empty()) return true;  // the vessel as it opens
  std::string tried;
  const fs::path path = FindConditionFile(*this, file, tried);
  std::error_code ec;
  if (path.empty() && fs::is_directory(file, ec)) {
    std::fprintf(stderr, "error: %s: is a folder, not a file\n", file.c_str());
    return false;
  }
  if (path.empty()) {
    std::fprintf(stderr, "error: no such condition file: %s (tried %s)\n", file.c_str(), tried.c_str());
    return false;
  }
  if (!conditions.ReadCondition(path, kCurPlane, false)) {
    // The reader has reported why.
    std::fprintf(stderr, "error: %s: the condition could not be read\n", path.string().c_str());
    return false;
  }
  return true;
}

fs::path FindConditionFile(OpenedCondition& opened, const std::string& given, std::string& tried) {
  tried.clear();
  if (given.empty()) return {};
  const fs::path path(given);
  if (path.has_parent_path()) {
    if (IsFile(path)) return path;
    tried = path.string();
    return {};
  }

  // The vessel's own conditions come first: the command names the vessel,
  // and a planner types what the main window shows, without ".TXT".
  const fs::path dir = ConditionDirectory(opened.ctx.plan);
  std::vector<std::string> names{given};
  if (!HasTxtExtension(given)) names.push_back(given + ".TXT");
  for (const std::string& name : names) {
    const fs::path found = FindFileNoCase(dir, name);
    if (IsFile(found)) return found;
  }
  // The list shows only the first nine characters of a name: a longer one
  // is found the way a double click on its item finds it.
  ConditionList list(opened.ctx, opened.conditions);
  list.FillConditionList();
  const std::string shown = Upper(WithoutTxtExtension(given));
  for (int i = 0; i < static_cast<int>(list.Items.size()); ++i) {
    if (Upper(Trim(list.NameField(i))) != shown) continue;
    list.Selected = i;
    const fs::path found = list.SelectedConditionPath(true);
    if (IsFile(found)) return found;
  }
  if (IsFile(path)) return path;

  tried = names.front();
  if (names.size() > 1) tried += " and " + names.back();
  tried += " in " + dir.string() + " without regard to case, the names its condition list shows, and " +
           given + " in the current folder";
  return {};
}

fs::path SaveConditionAs(OpenedCondition& opened, Installation& inst, const std::string& name,
                         std::string& error, const std::function<bool(SaveSet&)>& alongside) {
  PlanData& plan = *inst.plan;
  error.clear();
  const std::string stem = WithoutTxtExtension(Trim(name));
  // The name becomes the condition's type, port and voyage, which the
  // program reads back from it: a path or a longer name would be a file the
  // list cannot show or that reads back as another condition.
  if (stem.find_first_of("/\\") != std::string::npos) {
    error = name + " is a path: a condition is saved by its name into the vessel's conditions folder (" +
            kConditionNameRule + ")";
    return {};
  }
  const std::string type = Upper(stem.substr(0, 1));
  if (stem.size() > 10 || (type != "A" && type != "B" && type != "P" && type != "D")) {
    error = "cannot save as " + name + ": " + kConditionNameRule;
    return {};
  }
  SaveConditionFields fields;
  fields.type = type;
  fields.port = stem.substr(1, 3);
  fields.voyage = stem.size() > 4 ? stem.substr(4) : std::string();

  ConditionList list(opened.ctx, opened.conditions);
  const SaveConditionOutcome outcome = list.SaveCondition(fields, alongside);
  if (!outcome.closed) {
    // A refused name comes back as the save dialog's message line; a file
    // that could not be written has been reported by the writer.
    error = "cannot save as " + name + ": " +
            (outcome.messageLine.empty() ? std::string("the condition file could not be written")
                                         : outcome.messageLine + " (" + kConditionNameRule + ")");
    return {};
  }
  const std::string saved =
      plan.VesHdr[VesHdrIx::Adp] + plan.VesHdr[VesHdrIx::Port] + plan.VesHdr[VesHdrIx::Voy];
  const fs::path file = ConditionDirectory(plan) / (saved + ".TXT");
  // The save has rebuilt the schedule; one that could not be written was
  // reported, and the condition would then be missing from the main window.
  std::vector<std::string> lines;
  std::string scheduleError;
  const std::string key = Pad(saved.substr(0, 9), 9, false);
  if (!ReadSchedule(ConditionDirectory(plan), lines, scheduleError) ||
      std::none_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return ScheduleName(line) == key && ScheduleStatus(line) == kScheduleWorking;
      })) {
    error = file.string() + " was written but is not listed in " +
            ScheduleFile(ConditionDirectory(plan)).string();
    if (!scheduleError.empty()) error += ": " + scheduleError;
    return {};
  }
  return file;
}

bool SaveConditionWithQuay(OpenedCondition& opened, Installation& inst, const std::string& name) {
  PlanData& plan = *inst.plan;
  // The quay holds the units that found no cell, and the ports table the
  // ports that came in: they are saved with the condition as one set, so
  // that a crash never leaves the one without the others.
  const auto alongside = [&](SaveSet& set) {
    return opened.conditions.WriteCondition("", false, plan.QuayPlane, &set).written &&
           (!plan.PortsChanged || WritePorts(plan, plan.DataDir, inst.host, &set));
  };
  std::string error;
  const fs::path out = SaveConditionAs(opened, inst, name, error, alongside);
  if (out.empty()) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return false;
  }
  std::printf("Written: %s\n", out.string().c_str());
  // The quay stays where the program reads it when the vessel is opened.
  std::printf("Quay file: %s\n", (fs::path(plan.VesselDir) / "QUA.TXT").string().c_str());
  return true;
}
