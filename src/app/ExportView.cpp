#include "app/ExportView.h"

#include "app/ExportDocumentViews.h"
#include "app/ExportStabilityViews.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ExportPlan.h"
#include "cli/Installation.h"
#include "core/TextHelpers.h"
#include "reports/PlanPage.h"
#include "ui/PlanPrintWindow.h"
#include "ui/PrintService.h"
#include "vessel/CellAddress.h"

namespace {

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

// What every view is given: the opened condition and the rest of the
// command line after VIEW OUT.
struct ViewRequest {
  std::string data, vessel, condition;
  QString output;
  QStringList options;  // the view's own options, still to be read
};

struct ViewEntry {
  const char* name;
  const char* usage;  // the view's options
  int (*run)(const ViewRequest& request);
};

bool Fail(const std::string& text) {
  std::fprintf(stderr, "error: %s\n", text.c_str());
  return false;
}

// The bay numbers of "--bays 1,3,5"; every bay when the option is absent.
bool ReadBays(const ViewRequest& request, const PlanData& plan, std::vector<int>& bays, std::string& error) {
  bays.clear();
  for (qsizetype i = 0; i < request.options.size(); ++i) {
    const QString& a = request.options.at(i);
    if (a != "--bays" || i + 1 >= request.options.size()) {
      error = a == "--bays" ? "a missing value after --bays" : "unknown argument " + Local(a);
      return false;
    }
    for (const QString& part : request.options.at(++i).split(',', Qt::SkipEmptyParts)) {
      bool ok = false;
      const int bay = part.trimmed().toInt(&ok);
      if (!ok || bay <= 0) {
        error = "a wrong bay number '" + Local(part) + "' after --bays";
        return false;
      }
      if (FindBayByNumber(plan, bay) < 0) {
        error = "the vessel has no bay " + Pad(std::to_string(bay), 2, true, "0");
        return false;
      }
      bays.push_back(bay);
    }
  }
  if (bays.empty())
    for (int b = 0; b < plan.BayCount; ++b) bays.push_back(ParseInt(plan.Bays[static_cast<size_t>(b)].BAY));
  return true;
}

// A picture per bay when several are asked for: OUT's name with the bay
// number before the extension.
QString BayFile(const QString& output, int bay, size_t count) {
  if (count <= 1) return output;
  const QFileInfo info(output);
  return info.dir().filePath(info.completeBaseName() + QString("-%1.").arg(bay, 2, 10, QChar('0')) + info.suffix());
}

int ExportPlanPages(const ViewRequest& request, bool bayPlan) {
  const QString suffix = QFileInfo(request.output).suffix().toLower();
  if (suffix != "pdf" && suffix != "png") {
    Fail(Local(request.output) + ": the file must end in .pdf or .png");
    return 2;
  }
  Installation inst;
  if (!inst.Load(request.data)) return 1;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, request.vessel, request.condition)) return 1;
  PlanData& plan = *inst.plan;
  std::vector<int> bays;
  std::string error;
  if (bayPlan && !ReadBays(request, plan, bays, error)) {
    Fail(error);
    return error.find("no bay") != std::string::npos ? 1 : 2;
  }
  if (!bayPlan && !request.options.isEmpty()) {
    Fail("unknown argument " + Local(request.options.first()));
    return 2;
  }
  opened.session.selection.RequestedPlane = plan.CurPlane;
  opened.session.selection.ResetSelection();

  PrintService printer(plan);
  PlanPrintWindow form(plan, opened.session.selection, printer, bayPlan);
  if (suffix == "png") {
    for (const int bay : bayPlan ? bays : std::vector<int>{0}) {
      form.ShownBay = bay;
      form.RenderPlan(PlanPrintWindow::kPicture);
      const QString file = BayFile(request.output, bay, bays.size());
      QString problem;
      if (!form.WritePicture(file, problem)) {
        Fail(Local(problem));
        return 1;
      }
      std::printf("%s: %dx%d\n", Local(file).c_str(), form.Bitmap.width(), form.Bitmap.height());
    }
    return 0;
  }

  // The pages go to a file beside OUT and replace it once the document is
  // complete: a failed run leaves no half PDF under the name asked for.
  const QFileInfo target(request.output);
  if (!target.absoluteDir().exists()) {
    Fail(Local(request.output) + ": the folder does not exist");
    return 1;
  }
  const QString partial = target.absoluteDir().filePath("." + target.fileName() + ".part");
  QPrinter& sheet = printer.Printer();
  sheet.setOutputFormat(QPrinter::PdfFormat);
  sheet.setOutputFileName(partial);
  sheet.setPageSize(QPageSize(QPageSize::A4));
  sheet.setPageOrientation(PlanPrintsPortrait(plan, bayPlan) ? QPageLayout::Portrait : QPageLayout::Landscape);
  if (bayPlan) form.ChooseBays(bays);
  form.PrintPlan();
  std::error_code ec;
  if (form.PagesPrinted == 0 || !std::filesystem::exists(Local(partial), ec)) {
    std::filesystem::remove(Local(partial), ec);
    Fail(Local(request.output) + ": nothing was printed");
    return 1;
  }
  std::filesystem::rename(Local(partial), Local(target.absoluteFilePath()), ec);
  if (ec) {
    std::filesystem::remove(Local(partial), ec);
    Fail(Local(request.output) + ": " + ec.message());
    return 1;
  }
  std::printf("%s: %d pages\n", Local(request.output).c_str(), form.PagesPrinted);
  return 0;
}

// A view that takes no option of its own, drawn from the opened condition.
int OpenedView(const ViewRequest& request, int (*write)(OpenedCondition&, const std::string&)) {
  if (!request.options.isEmpty()) {
    Fail("unknown argument " + Local(request.options.first()));
    return 2;
  }
  Installation inst;
  if (!inst.Load(request.data)) return 1;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, request.vessel, request.condition)) return 1;
  return write(opened, Local(request.output));
}

int LongView(const ViewRequest& request) { return OpenedView(request, ExportLongView); }
int Document(const ViewRequest& request) { return OpenedView(request, ExportConditionDocument); }

// A stability view, whose picture size may be given as --size WxH.
int SizedView(const ViewRequest& request, int (*write)(OpenedCondition&, const std::string&, QSize)) {
  QSize size;
  for (qsizetype i = 0; i < request.options.size(); ++i) {
    const QString& a = request.options.at(i);
    if (a != "--size") {
      Fail("unknown argument " + Local(a));
      return 2;
    }
    const QStringList parts = i + 1 < request.options.size() ? request.options.at(++i).split('x') : QStringList();
    bool w = false, h = false;
    if (parts.size() == 2) size = QSize(parts[0].toInt(&w), parts[1].toInt(&h));
    if (!w || !h || size.width() < 200 || size.height() < 200 || size.width() > 20000 || size.height() > 20000) {
      Fail("a missing or wrong value after --size");
      return 2;
    }
  }
  Installation inst;
  if (!inst.Load(request.data)) return 1;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, request.vessel, request.condition)) return 1;
  return write(opened, Local(request.output), size);
}

int Tanks(const ViewRequest& request) { return SizedView(request, ExportTanks); }
int Stresses(const ViewRequest& request) { return SizedView(request, ExportStresses); }
int StabilityView(const ViewRequest& request) { return SizedView(request, ExportStability); }

int LetterPlan(const ViewRequest& request) { return ExportPlanPages(request, false); }
int BayPlan(const ViewRequest& request) { return ExportPlanPages(request, true); }

const ViewEntry kViews[] = {
    {"plan", "[--colour-mode N] [--letter-mode N] [--one-bay B] [--size WxH]", nullptr},
    {"letterplan", "", LetterPlan},
    {"bayplan", "[--bays B1,B2,...]  (pictures of several bays: OUT-B1.png, ...)", BayPlan},
    {"tanks", "[--size WxH]", Tanks},
    {"stresses", "[--size WxH]", Stresses},
    {"stability", "[--size WxH]  (the trim and stability frame)", StabilityView},
    {"longview", "", LongView},
    {"document", "(the condition document)", Document},
};

void Usage(const std::string& error) {
  std::fprintf(stderr, "error: %s\nusage: zum4 [--data DIR] --vessel V --condition C --export VIEW OUT.pdf|OUT.png\n",
               error.c_str());
  for (const ViewEntry& view : kViews)
    std::fprintf(stderr, "  %-11s %s\n", view.name, view.usage);
}

}  // namespace

bool WantsExport(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--export") == 0 || std::strcmp(argv[i], "--export-plan") == 0) return true;
  return false;
}

int ExportView(const QStringList& arguments) {
  if (!arguments.contains("--export")) return ExportPlan(arguments);
  ViewRequest request;
  QString view;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments.at(i);
    const bool hasValue = i + 1 < arguments.size();
    if (a == "--data" || a == "--vessel" || a == "--condition") {
      if (!hasValue) {
        Usage("a missing value after " + Local(a));
        return 2;
      }
      std::string& field = a == "--data" ? request.data : a == "--vessel" ? request.vessel : request.condition;
      field = Local(arguments.at(++i));
    } else if (a == "--export") {
      if (i + 2 >= arguments.size()) {
        Usage("--export needs a view and an output file");
        return 2;
      }
      view = arguments.at(++i);
      request.output = arguments.at(++i);
    } else {
      request.options << a;
    }
  }
  for (const ViewEntry& entry : kViews) {
    if (view != QLatin1String(entry.name)) continue;
    if (!entry.run) {
      // The plan picture of --export-plan, under its view name.
      QStringList same{arguments.first()};
      if (!request.data.empty()) same << "--data" << QString::fromLocal8Bit(request.data.c_str());
      if (!request.vessel.empty()) same << "--vessel" << QString::fromLocal8Bit(request.vessel.c_str());
      if (!request.condition.empty()) same << "--condition" << QString::fromLocal8Bit(request.condition.c_str());
      same << "--export-plan" << request.output << request.options;
      return ExportPlan(same);
    }
    if (request.vessel.empty() || request.condition.empty()) {
      Usage("--vessel and --condition are needed");
      return 2;
    }
    return entry.run(request);
  }
  Usage(view.isEmpty() ? std::string("--export needs a view") : "unknown view " + Local(view));
  return 2;
}
