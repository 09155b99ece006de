#pragma once

// The modules and windows of one run, destroyed before the plan they use:
// what the start-up builds and wires, so that the window tests start the
// program as a planner does.

#include <filesystem>

#include "ui/MainWindow.h"
#include "ui/MessageWindow.h"
#include "ui/QtHost.h"
#include "ui/QuestionDialog.h"
#include "vessel/BaseData.h"
#include "vessel/VesselData.h"

struct PlanData;

struct Zum4Program {
  // The two shared dialogs come first: the base data may already need them
  // to report a problem with the installation.
  explicit Zum4Program(PlanData& plan);
  QuestionDialog dialog;
  MessageWindow messages;
  QtHost host;
  BaseData base;
  VesselData ves;
  MainWindow main;
  // The installation was found and its base data loaded.
  bool installed = false;

  // Loads the installation in programDir and connects the main window to
  // it. A missing or broken installation is reported and the program still
  // opens; it then writes nothing back into that folder at the end.
  void Load(const std::filesystem::path& programDir);
  // Shows the main window with the vessel that was open when the program
  // was last left.
  void Show();
  // Writes the base data back at the end of the run.
  void Finish();
};
