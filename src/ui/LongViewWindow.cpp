#include "ui/LongViewWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/LongView.h"
#include "stability/Stability.h"
#include "ui/PrintService.h"
#include "ui/QtCanvas.h"

namespace {

// Where the window's height, width, left and top are kept.
constexpr int kHeightSetting = 105;
constexpr int kWidthSetting = 106;
constexpr int kLeftSetting = 107;
constexpr int kTopSetting = 108;

const StabilityResults& NoResults() {
  static const StabilityResults none;
  return none;
}

}  // namespace

LongViewWindow::LongViewWindow(PlanData& plan, QWidget* parent) : QWidget(parent, Qt::Window), plan_(plan) {
  setObjectName("LongViewWindow");
  setWindowTitle("Long View");
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(900, 300);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  QAction* print = new QAction(tr("Print"), this);
  connect(print, &QAction::triggered, this, &LongViewWindow::Print);
  addAction(print);
}

int LongViewWindow::HeightForWidth(int width) const {
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  QtCanvas canvas(painter, width, 1);
  return LongViewHeightForWidth(canvas, plan_, width);
}

void LongViewWindow::showEvent(QShowEvent* event) {
  ApplyEyeDefaults(plan_);
  const auto setting = [this](int k) { return ParseInt(plan_.Settings[static_cast<size_t>(k)]); };
  if (setting(kWidthSetting) > 20) {
    QPoint at(setting(kLeftSetting), setting(kTopSetting));
    const QScreen* shown = QGuiApplication::screenAt(at);
    if (!shown) at = QPoint(0, 0);  // a position off every screen opens at the corner
    resize(setting(kWidthSetting), setting(kHeightSetting));
    move(at);
  }
  QWidget::showEvent(event);
  resize(width(), HeightForWidth(width()));
}

void LongViewWindow::closeEvent(QCloseEvent* event) {
  if (windowState() == Qt::WindowNoState) {
    plan_.Settings[kHeightSetting] = std::to_string(height());
    plan_.Settings[kWidthSetting] = std::to_string(width());
    plan_.Settings[kLeftSetting] = std::to_string(x());
    plan_.Settings[kTopSetting] = std::to_string(y());
  }
  QWidget::closeEvent(event);
}

void LongViewWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fitting_) return;
  const int wanted = HeightForWidth(width());
  if (wanted > 0 && wanted != height()) {
    fitting_ = true;
    resize(width(), wanted);
    fitting_ = false;
  }
}

void LongViewWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(painter, width(), height());
  const StabilityResults* r = Results ? Results() : nullptr;
  DrawLongView(canvas, plan_, r ? *r : NoResults(), width(), height());
}

bool LongViewWindow::Print() {
  if (!Printing) return false;
  Printing->Printer().setPageOrientation(QPageLayout::Landscape);
  if (!plan_.PrintJobOpen && !Printing->choosePrinter(Printing->Printer())) return false;
  Printing->PrintJob(true);
  QtCanvas* page = Printing->Page();
  if (!page) return false;
  const StabilityResults* r = Results ? Results() : nullptr;
  PrintLongView(*page, plan_, r ? *r : NoResults());
  Printing->PrintPageFooter(0, page->TextHeight("0") * 2);
  Printing->PrintJob(false);
  return true;
}
