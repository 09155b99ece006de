#pragma once

// One run of the headless tool on an installation folder: the plan, the
// console host and the base data, set up as the program does at start.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "cli/ConsoleHost.h"
#include "conditions/ConditionFile.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "planning/PlanContext.h"
#include "stability/Stability.h"
#include "vessel/BaseData.h"
#include "vessel/VesselData.h"

class SaveSet;

struct Installation {
  Installation();
  std::unique_ptr<PlanData> plan;
  ConsoleHost host;
  BaseData base;

  // Settings, parameter file, ports, UN numbers and the vessel list of the
  // folder (or of the folder start-up would choose when dataOption is empty).
  bool Load(const std::string& dataOption);

  // Index of the installed vessel named so, by its name or its folder
  // (without regard to case); -1 when none.
  int FindVessel(const std::string& nameOrFolder) const;
};

// One vessel of the installation opened (with its quay) and one of its
// conditions read into the working data set, as the commands on a condition
// need them.
struct OpenedCondition {
  explicit OpenedCondition(Installation& inst);
  VesselSession session;
  Stability& stability;
  PlanContext& ctx;
  ConditionFile& conditions;
  VesselData& ves;

  // vessel is a name or folder; file names a condition as FindConditionFile
  // takes it (empty: the vessel as it opens). False, with the reason
  // printed, when either cannot be found or read.
  bool Open(Installation& inst, const std::string& vessel, const std::string& file);
};

// The condition file a command line names for the open vessel. A name with
// a folder in it is a path. A bare name is, in this order: a file of the
// vessel's conditions folder named so or so plus ".TXT" (any case), a
// condition of the condition list shown so (its first nine characters),
// a file of the current folder. Empty when nothing matches; tried then
// says what was looked for, for the error message.
std::filesystem::path FindConditionFile(OpenedCondition& opened, const std::string& given,
                                        std::string& tried);

// Saves the working condition as the program's "Save" does: NAME.TXT in the
// vessel's conditions folder (name with or without ".TXT", any case),
// written atomically, entered in sch.dat so that the main window lists it,
// and the working condition takes its type, port and voyage from the name
// (type letter A, B, P or D, a three-letter port code, a voyage of four to
// six characters: "DHAM012N"). The file written, or empty with error set
// when the name is not one the list can show or the save failed.
// alongside adds the files saved with the condition to its set (see
// ConditionList::SaveCondition).
std::filesystem::path SaveConditionAs(OpenedCondition& opened, Installation& inst, const std::string& name,
                                      std::string& error,
                                      const std::function<bool(SaveSet&)>& alongside = {});

// SaveConditionAs, and with the condition the vessel's quay file QUA.TXT
// and the ports table when ports were added, as closing the vessel would
// keep them: prints the files written, or why not and then false.
bool SaveConditionWithQuay(OpenedCondition& opened, Installation& inst, const std::string& name);
