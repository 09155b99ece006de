#include "app/ExportPlan.h"

#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Installation.h"
#include "planning/CellDrawing.h"
#include "ui/PlanPicture.h"
#include "vessel/CellAddress.h"

namespace {

constexpr int kDefaultWidth = 1600;
constexpr int kDefaultHeight = 1000;

struct PlanPictureRequest {
  std::string data, vessel, condition, output;
  int colourMode = 0;
  int letterMode = 1;
  int oneBay = 0;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
};

bool ReadInt(const QString& text, int low, int high, int& value) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < low || v > high) return false;
  value = v;
  return true;
}

// Fills request from the arguments; the error names the argument at fault.
bool ParseRequest(const QStringList& args, PlanPictureRequest& r, std::string& error) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args.at(i);
    const bool hasValue = i + 1 < args.size();
    const QString value = hasValue ? args.at(i + 1) : QString();
    auto text = [&](std::string& field) {
      field = value.toLocal8Bit().toStdString();
      ++i;
      return hasValue;
    };
    bool ok = true;
    if (a == "--data") ok = text(r.data);
    else if (a == "--vessel") ok = text(r.vessel);
    else if (a == "--condition") ok = text(r.condition);
    else if (a == "--export-plan") ok = text(r.output);
    else if (a == "--colour-mode") ok = hasValue && ReadInt(args.at(++i), 0, 3, r.colourMode);
    else if (a == "--letter-mode") ok = hasValue && ReadInt(args.at(++i), 0, 6, r.letterMode);
    else if (a == "--one-bay") ok = hasValue && ReadInt(args.at(++i), 1, 99, r.oneBay);
    else if (a == "--size") {
      const QStringList parts = hasValue ? args.at(++i).split('x') : QStringList();
      ok = parts.size() == 2 && ReadInt(parts[0], 200, 20000, r.width) && ReadInt(parts[1], 200, 20000, r.height);
    } else {
      error = "unknown argument " + a.toLocal8Bit().toStdString();
      return false;
    }
    if (!ok) {
      error = "a missing or wrong value after " + a.toLocal8Bit().toStdString();
      return false;
    }
  }
  if (r.vessel.empty() || r.condition.empty() || r.output.empty()) {
    error = "--vessel, --condition and --export-plan are needed";
    return false;
  }
  return true;
}

}  // namespace

bool WantsExportPlan(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--export-plan") == 0) return true;
  return false;
}

int ExportPlan(const QStringList& arguments) {
  PlanPictureRequest request;
  std::string error;
  if (!ParseRequest(arguments, request, error)) {
    std::fprintf(stderr,
                 "error: %s\nusage: zum4 [--data DIR] --vessel V --condition C --export-plan OUT.png "
                 "[--colour-mode 0-3] [--letter-mode 0-6] [--one-bay B] [--size WxH]\n",
                 error.c_str());
    return 2;
  }
  Installation inst;
  if (!inst.Load(request.data)) return 1;
  OpenedCondition opened(inst);
  if (!opened.Open(inst, request.vessel, request.condition)) return 1;
  PlanData& plan = *inst.plan;
  if (request.oneBay > 0 && FindBayByNumber(plan, request.oneBay) < 0) {
    std::fprintf(stderr, "error: the vessel has no bay %02d\n", request.oneBay);
    return 1;
  }
  plan.ColourMode = request.colourMode;
  plan.LetterMode = request.colourMode == 2 ? 0 : request.letterMode;
  plan.OneBayNumber = request.oneBay;
  const QImage image = RenderPlanPicture(plan, BayView{}, request.width, request.height);

  // Written beside the target and renamed over it: a picture is whole or
  // not there.
  const QString path = QString::fromLocal8Bit(request.output.c_str());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, nullptr) || !file.commit()) {
    std::fprintf(stderr, "error: %s: %s\n", request.output.c_str(),
                 file.errorString().isEmpty() ? "cannot be written in this format"
                                              : file.errorString().toLocal8Bit().constData());
    return 1;
  }
  int units = 0;
  for (int i = 0; i < plan.CellCount; ++i) units += plan.Cur()[static_cast<size_t>(i)].STATUS == 1;
  std::printf("%s: %dx%d, %d units\n", request.output.c_str(), request.width, request.height, units);
  return 0;
}
