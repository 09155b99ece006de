// Zum4: the start-up sequence. Everything else lives in the libraries, so
// that tests link all of it.

#include <QStringList>
#include <exception>
#include <memory>

#include "app/ExportPlan.h"
#include "app/ExportStabilityViews.h"
#include "core/PlanData.h"
#include "ui/Application.h"
#include "ui/Program.h"
#include "vessel/DataDirectory.h"

namespace {

std::string DataOption(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--data"));
  if (at < 0 || at + 1 >= arguments.size()) return {};
  return arguments.at(at + 1).toLocal8Bit().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  // A picture from the command line needs no screen.
  const bool exportPlan = WantsExportPlan(argc, argv);
  const bool exportView = WantsExportView(argc, argv);
  if ((exportPlan || exportView) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  Zum4Application app(argc, argv);
  if (exportPlan) return ExportPlan(app.arguments());
  if (exportView) return ExportStabilityView(app.arguments());
  ApplySystemNumberFormat();
  app.Cursors = LoadEditorCursors();

  std::unique_ptr<PlanData> plan = CreatePlanData();
  app.setApplicationName(QString::fromLatin1(plan->ProductName.c_str()));
  int exitCode = 0;
  try {
    const auto programDir = ResolveProgramDir(CurrentStartLocation(DataOption(app.arguments())));
    plan->ProgramDir = programDir.string();
    Zum4Program program(*plan);
    program.Load(programDir);
    program.Show();
    exitCode = app.exec();
    program.Finish();
  } catch (const std::exception& e) {
    ShowError(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowError(QString());
  }
  plan.reset();  // last, after every window that reads it
  return exitCode;
}
