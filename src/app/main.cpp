// Zum4: the start-up sequence. Everything else lives in the libraries, so
// that tests link all of it.

#include <QStringList>
#include <exception>
#include <memory>

#include "core/PlanData.h"
#include "ui/Application.h"
#include "ui/FrameStab.h"
#include "ui/QtHost.h"
#include "ui/UnitDialog1.h"
#include "ui/UnitMain.h"
#include "ui/UnitMess1.h"
#include "vessel/DataDirectory.h"
#include "vessel/TDmBase.h"
#include "vessel/TDmVes.h"

namespace {

std::string DataOption(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--data"));
  if (at < 0 || at + 1 >= arguments.size()) return {};
  return arguments.at(at + 1).toLocal8Bit().toStdString();
}

// The modules and windows of one run, destroyed before the plan they use.
// The two shared dialogs come first: the base data may already need them to
// report a problem with the installation.
struct Program {
  explicit Program(PlanData& plan)
      : dialog(), messages(plan), host(messages, dialog, plan), base(plan, host), ves(plan, host), main(plan) {}
  TFormDialog dialog;
  TFormMess1 messages;
  QtHost host;
  TDmBase base;
  TDmVes ves;
  TFormMain main;
};

}  // namespace

int main(int argc, char** argv) {
  Zum4Application app(argc, argv);
  ApplySystemNumberFormat();
  app.Cursors = LoadEditorCursors();

  std::unique_ptr<PlanData> plan = CreatePlanData();
  app.setApplicationName(QString::fromLatin1(plan->ProductName.c_str()));
  int exitCode = 0;
  try {
    const auto programDir = ResolveProgramDir(CurrentStartLocation(DataOption(app.arguments())));
    plan->ProgramDir = programDir.string();
    Program program(*plan);
    // A missing or broken installation is reported and the program still
    // opens; it then writes nothing back into that folder at the end.
    const bool installed = program.base.CreateBaseData(programDir);
    if (installed) program.base.LoadBaseData();
    // New folders take effect at once, and the settings are on disk before
    // anything else can go wrong.
    program.main.onSettingsChanged = [&program, installed] {
      if (!installed) return;
      program.base.LoadBaseData();
      program.base.SaveSettings();
    };
    program.main.host = &program.host;
    if (installed) program.main.Attach(program.host, program.base);
    QObject::connect(&program.host, &QtHost::planChanged, &program.main, [&program] {
      program.main.FrameStab->Refresh();
      program.main.RefreshTitles();
    });
    program.main.show();
    // The vessel that was open when the program was last left.
    if (installed) program.main.OpenLastVessel();
    exitCode = app.exec();
    if (installed) program.base.CloseBaseData();
  } catch (const std::exception& e) {
    ShowError(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowError(QString());
  }
  plan.reset();  // last, after every window that reads it
  return exitCode;
}
