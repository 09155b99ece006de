#include "ui/PrintService.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "core/DateText.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/ListPrinter.h"
#include "ui/QtCanvas.h"

PrintService::PrintService(PlanData& plan) : plan_(plan), printer_(std::make_unique<QPrinter>()) {
  choosePrinter = [](QPrinter& printer) {
    QPrintDialog dialog(&printer);
    return dialog.exec() == QDialog::Accepted;
  };
}

PrintService::~PrintService() {
  // A document left open is finished, not lost.
  if (painter_) painter_->end();
}

void PrintService::PrintJob(bool open) {
  if (open && !plan_.PrintJobOpen) {
    painter_ = std::make_unique<QPainter>();
    if (painter_->begin(printer_.get())) {
      const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
      page_ = std::make_unique<QtCanvas>(*painter_, page.width(), page.height(), printer_.get());
    } else {
      painter_.reset();
      open = false;
    }
  } else if (!open && plan_.PrintJobOpen) {
    page_.reset();
    if (painter_) painter_->end();
    painter_.reset();
  }
  plan_.PrintJobOpen = open ? 1 : 0;
}

QtCanvas* PrintService::Page() { return page_.get(); }

std::string PrintService::FooterText() const {
  const std::tm now = LocalNow();
  return plan_.ProductName + " - " + FormatDateTime(now, kDatePattern) + " " + FormatDateTime(now, kPrintTimePattern);
}

void PrintService::PrintPageFooter(int number, int lineHeight) {
  if (page_) ::PrintPageFooter(*page_, number, lineHeight, FooterText());
}

bool PrintService::PrintLines(const std::vector<std::string>& lines, bool withHeader, int kind,
                              const std::string& subtitle, const std::string& frameLine, int dataSet) {
  const size_t first = withHeader ? 2 : 0;
  if (lines.size() <= first) return false;
  if (!plan_.PrintJobOpen) {
    const bool landscape = plan_.PlanPrintMode == 3 && plan_.Settings[79] < "1";
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    // The ports report turns the page when it is wider than high in lines.
    if (kind == 5) {
      QFont font(QString::fromLatin1(plan_.Settings[SettingsIx::ListFontName].c_str()));
      font.setPointSize(11);
      const QFontMetrics metrics(font, printer_.get());
      int widest = 0;
      for (size_t k = first; k < lines.size(); ++k)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(lines[k].c_str())));
      const QRect page = printer_->pageLayout().paintRectPixels(printer_->resolution());
      const int n = static_cast<int>(withHeader ? lines.size() : lines.size() + 2);
      const int lineHeight = metrics.height() * 5 / 4;
      if ((page.width() > 0 && lineHeight > 0 && page.height() / page.width() < widest / ((n + 4) * lineHeight)) ||
          plan_.PodCount < plan_.PolCount)
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
    if (!choosePrinter(*printer_)) return false;
  }
  PrintJob(true);
  if (!page_) return false;
  ListPrintRequest request;
  request.lines = lines;
  request.withHeader = withHeader;
  request.kind = kind;
  request.title = TitleLine(plan_, dataSet);
  request.subtitle = subtitle;
  request.frameLine = frameLine;
  request.fontName = plan_.Settings[SettingsIx::ListFontName];
  request.footer = FooterText();
  PrintListPages(*page_, request);
  if (plan_.PlanPrintMode != 3) PrintJob(false);
  return true;
}
