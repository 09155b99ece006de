#include "app/ExportDocumentViews.h"

#include "app/ExportFiles.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "cli/Installation.h"
#include "core/DateText.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/Documents.h"
#include "reports/ListPrinter.h"
#include "reports/LongView.h"
#include "ui/QtCanvas.h"

namespace {

constexpr int kPictureWidth = 1600;

enum class Format { Png, Pdf, Other };

Format FormatOf(const std::string& output) {
  const QString suffix = QFileInfo(QString::fromLocal8Bit(output.c_str())).suffix().toLower();
  return suffix == "png" ? Format::Png : suffix == "pdf" ? Format::Pdf : Format::Other;
}

bool Refuse(const std::string& output, const std::string& why) {
  std::fprintf(stderr, "error: %s: %s\n", output.c_str(), why.c_str());
  return false;
}

// A PDF is printed into a file beside the target and renamed over it, so
// that a failed run leaves no half document where one was asked for.
template <typename Draw>
bool SavePdf(const std::string& output, QPageLayout::Orientation orientation, Draw draw) {
  const std::filesystem::path target(output);
  std::filesystem::path temporary = target;
  temporary += ".part";
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(temporary.string().c_str()));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(orientation);
  QPainter painter;
  if (!painter.begin(&printer)) return Refuse(output, "cannot be written");
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  QtCanvas canvas(painter, page.width(), page.height(), &printer);
  draw(canvas);
  painter.end();
  return FinishPdf(temporary.string(), output);
}

std::string Footer(const PlanData& plan) {
  const std::tm now = LocalNow();
  return plan.ProductName + " - " + FormatDateTime(now, kDatePattern) + " " + FormatDateTime(now, kPrintTimePattern);
}

}  // namespace

int ExportLongView(OpenedCondition& opened, const std::string& output) {
  const Format format = FormatOf(output);
  if (format == Format::Other) {
    Refuse(output, "write a .png or a .pdf");
    return 2;
  }
  PlanData& plan = opened.session.plan;
  ApplyEyeDefaults(plan);
  opened.stability.ComputeStability();
  const StabilityResults& results = opened.stability.Results;
  if (format == Format::Png) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    int height = 0;
    {
      QPainter painter(&scratch);
      QtCanvas canvas(painter, kPictureWidth, 1);
      height = LongViewHeightForWidth(canvas, plan, kPictureWidth);
    }
    QImage image(kPictureWidth, std::max(height, 50), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      QtCanvas canvas(painter, image.width(), image.height());
      DrawLongView(canvas, plan, results, image.width(), image.height());
    }
    if (!WritePng(image, output)) return 1;
    std::printf("%s: %dx%d\n", output.c_str(), image.width(), image.height());
  } else {
    const bool written = SavePdf(output, QPageLayout::Landscape, [&](QtCanvas& page) {
      PrintLongView(page, plan, results);
      PrintPageFooter(page, 0, page.TextHeight("0") * 2, Footer(plan));
    });
    if (!written) return 1;
    std::printf("%s: 1 page\n", output.c_str());
  }
  return 0;
}

int ExportConditionDocument(OpenedCondition& opened, const std::string& output) {
  const Format format = FormatOf(output);
  if (format == Format::Other) {
    Refuse(output, "write a .png or a .pdf");
    return 2;
  }
  PlanData& plan = opened.session.plan;
  if (opened.stability.Hyd.size() <= 2) {
    Refuse(output, "the vessel has no hydrostatic table");
    return 1;
  }
  opened.stability.ComputeStability();
  const std::vector<std::string> lines = DocumentLines(plan, opened.stability, DocumentKind::Condition);
  if (format == Format::Png) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const std::string& line : lines)
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1((line + "    ").c_str())));
    const int margin = metrics.height();
    QImage image(widest + 2 * margin, static_cast<int>(lines.size() + 1) * metrics.height() + 2 * margin,
                 QImage::Format_RGB32);
    const bool dark = DocumentIsDark(plan, DocumentKind::Condition);
    image.fill(dark ? Qt::black : Qt::white);
    {
      QPainter painter(&image);
      painter.setFont(font);
      painter.setPen(dark ? Qt::white : Qt::black);
      int y = margin + metrics.ascent();
      for (const std::string& line : lines) {
        painter.drawText(margin, y, QString::fromLatin1(line.c_str()));
        y += metrics.height();
      }
    }
    if (!WritePng(image, output)) return 1;
    std::printf("%s: %dx%d, %d lines\n", output.c_str(), image.width(), image.height(), static_cast<int>(lines.size()));
  } else {
    int pages = 0;
    const bool written = SavePdf(output, QPageLayout::Portrait, [&](QtCanvas& page) {
      ListPrintRequest request;
      request.lines = lines;
      request.title = TitleLine(plan, plan.CurPlane);
      request.fontName = plan.Settings[SettingsIx::ListFontName];
      request.footer = Footer(plan);
      pages = PrintListPages(page, request);
    });
    if (!written) return 1;
    std::printf("%s: %d page%s, %d lines\n", output.c_str(), pages, pages == 1 ? "" : "s",
                static_cast<int>(lines.size()));
  }
  return 0;
}
