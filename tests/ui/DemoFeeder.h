#pragma once

// The demo installation copied to a temporary folder, the feeder opened on
// its Hamburg departure with its stability, and the bay plan editor made on
// it inside a main window of 1300 x 900, not shown yet.

#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "ui/BayPlanEditor.h"
#include "vessel/BaseData.h"

class DemoFeeder {
 public:
  std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
  std::filesystem::path demo = std::filesystem::path(dir->path().toStdString()) / "demo";
  std::unique_ptr<PlanData> plan = CreatePlanData();
  QuietHost host;
  std::unique_ptr<BaseData> base;
  std::unique_ptr<VesselSession> session;
  std::unique_ptr<QWidget> main;
  BayPlanEditor* editor = nullptr;

  // False when a step failed.
  bool Open() {
    namespace fs = std::filesystem;
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", demo, fs::copy_options::recursive);
    base = std::make_unique<BaseData>(*plan, host);
    if (!base->CreateBaseData(demo) || !base->LoadBaseData()) return false;
    session = std::make_unique<VesselSession>(*plan, host, base->TotalsLabels);
    int feeder = -1;
    for (int k = 0; k < plan->VesselCount; ++k)
      if (plan->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
    if (!session->Open(feeder)) return false;
    if (!session->conditions.ReadCondition(demo / "FEEDER" / "COND" / "DHAM012N.TXT", plan->CurPlane, false))
      return false;
    session->stability.ComputeStability();
    main = std::make_unique<QWidget>();
    main->resize(1300, 900);
    editor = new BayPlanEditor(*plan, session->ctx, session->selection, main.get());
    editor->Stability = [this]() -> const StabilityResults* { return &session->stability.Results; };
    plan->Settings[53] = "800";
    plan->Settings[54] = "1200";
    return true;
  }

  // The middle of a cell of the editor's plan, in its paint box.
  QPoint Centre(int cell) const {
    const StructCel& box = plan->Cells[static_cast<size_t>(cell)];
    return {box.X + plan->CellPitchX / 2, box.Y + plan->CellPitchY / 2};
  }

  ~DemoFeeder() {
    // The windows go before the session they show.
    main.reset();
    session.reset();
  }
};
