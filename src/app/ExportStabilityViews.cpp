#include "app/ExportStabilityViews.h"

#include "app/ExportFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QLayout>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>

#include "cli/Installation.h"
#include "core/TextHelpers.h"
#include "reports/StrengthDrawing.h"
#include "reports/TankPlanDrawing.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "ui/QtCanvas.h"
#include "ui/StabilityFrame.h"

namespace {

constexpr int kTitleBand = 26;

// Draws a view on a canvas of width x height device pixels.
using ViewPainter = std::function<void(QPainter& painter, int width, int height)>;

bool EndsWith(const std::string& text, const char* ending) {
  const size_t n = std::strlen(ending);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != ending[i]) return false;
  return true;
}

// The condition's title above the view.
void PaintWithTitle(QPainter& painter, int width, int height, const std::string& title, const ViewPainter& view) {
  {
    QtCanvas canvas(painter, width, kTitleBand);
    canvas.SetBrush(kColourWhite);
    canvas.FillRect(0, 0, width, kTitleBand);
    CanvasFont font;
    font.size = 10;
    font.bold = true;
    canvas.SetFont(font);
    canvas.Text(6, (kTitleBand - canvas.TextHeight(title)) / 2, title);
  }
  painter.save();
  painter.translate(0, kTitleBand);
  view(painter, width, height - kTitleBand);
  painter.restore();
}

int Fail(const std::string& output, const std::string& reason) {
  std::fprintf(stderr, "error: %s: %s\n", output.c_str(), reason.c_str());
  return 1;
}

// A picture is written beside the target and renamed over it: the file is
// whole or not there.
int WriteView(const std::string& output, QSize size, const std::string& title, const ViewPainter& view) {
  if (EndsWith(output, ".png")) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      PaintWithTitle(painter, size.width(), size.height(), title, view);
    }
    if (!WritePng(image, output)) return 1;
    std::printf("%s: %dx%d\n", output.c_str(), size.width(), size.height());
    return 0;
  }
  if (EndsWith(output, ".pdf")) {
    const std::string part = output + ".part";
    // Screen resolution: the tank plan and the frame are laid out in pixels.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(part.c_str()));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
      QFile::remove(QString::fromLocal8Bit(part.c_str()));
      return Fail(output, "cannot be written");
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintWithTitle(painter, page.width(), page.height(), title, view);
    if (!painter.end()) {
      QFile::remove(QString::fromLocal8Bit(part.c_str()));
      return Fail(output, "cannot be written");
    }
    if (!FinishPdf(part, output)) return 1;
    std::printf("%s: 1 page\n", output.c_str());
    return 0;
  }
  std::fprintf(stderr, "error: %s: the picture must end in .png or .pdf\n", output.c_str());
  return 2;
}

std::string Title(const PlanData& plan, const char* view) {
  return TitleLine(plan, plan.CurPlane) + " - " + view;
}

}  // namespace

int ExportTanks(OpenedCondition& opened, const std::string& output, QSize size) {
  if (!size.isValid()) size = QSize(1200, 900);
  const Stability& stability = opened.stability;
  return WriteView(output, size, Title(opened.session.plan, "Tanks"),
                   [&](QPainter& painter, int width, int height) {
                     QtCanvas canvas(painter, width, height);
                     DrawTanksSheet(canvas, stability.tanks(), stability, width, height);
                   });
}

int ExportStresses(OpenedCondition& opened, const std::string& output, QSize size) {
  if (!size.isValid()) size = QSize(1400, 700);
  PlanData& plan = opened.session.plan;
  Stability& stability = opened.stability;
  if (!stability.strength().Loaded()) return Fail(output, "the vessel has no strength data (STR.txt)");
  stability.ComputeStability();
  const double loa = ParseReal(plan.VesHdr[VesHdrIx::DrawingLength]);
  const double lbp = ParseReal(plan.VesHdr[VesHdrIx::BaysLength]);
  return WriteView(output, size, Title(plan, "Stresses"), [&](QPainter& painter, int width, int height) {
    QtCanvas canvas(painter, width, height);
    DrawStrength(canvas, stability.strength(), loa, lbp, width, height);
  });
}

int ExportStability(OpenedCondition& opened, const std::string& output, QSize size) {
  if (!size.isValid()) size = QSize(1200, 480);
  PlanData& plan = opened.session.plan;
  Stability& stability = opened.stability;
  if (stability.Hyd.size() <= 2) return Fail(output, "the vessel has no hydrostatic table (HYD.txt)");
  stability.ComputeStability();
  StabilityFrame frame(plan);
  frame.setAttribute(Qt::WA_DontShowOnScreen);
  frame.SetStability(&stability);
  frame.resize(size.width(), size.height() - kTitleBand);
  frame.show();
  return WriteView(output, size, Title(plan, "Trim and Stability"), [&](QPainter& painter, int width, int height) {
    // The frame laid out at the size of the picture or page it fills.
    frame.resize(width, height);
    if (QLayout* layout = frame.layout()) layout->activate();
    QCoreApplication::sendPostedEvents();
    // A page narrower than the frame can be takes it scaled down.
    const double scale = std::min({1.0, static_cast<double>(width) / frame.width(),
                                   static_cast<double>(height) / frame.height()});
    painter.save();
    painter.scale(scale, scale);
    frame.render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
    painter.restore();
  });
}
