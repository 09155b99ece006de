#include "ui/Program.h"

#include "core/PlanData.h"

Zum4Program::Zum4Program(PlanData& plan)
    : dialog(), messages(plan), host(messages, dialog, plan), base(plan, host), ves(plan, host), main(plan) {}

void Zum4Program::Load(const std::filesystem::path& programDir) {
  installed = base.CreateBaseData(programDir);
  if (installed) base.LoadBaseData();
  // New folders take effect at once, and the settings are on disk before
  // anything else can go wrong.
  main.onSettingsChanged = [this] {
    if (!installed) return;
    base.LoadBaseData();
    base.SaveSettings();
  };
  main.host = &host;
  if (installed) main.Attach(host, base);
  QObject::connect(&host, &QtHost::planChanged, &main, &MainWindow::PlanChanged);
}

void Zum4Program::Show() {
  main.show();
  if (installed) main.OpenLastVessel();
}

void Zum4Program::Finish() {
  if (installed) base.CloseBaseData();
}
