#include "ui/StressesWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <string>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/StrengthDrawing.h"
#include "stability/Stability.h"
#include "stability/Strength.h"
#include "ui/QtCanvas.h"

namespace {

// The paint box: every paint shows the strength of the condition as it is
// now, so it computes first.
class StrengthBox : public QWidget {
 public:
  StrengthBox(PlanData& plan, Stability& stability, QWidget* parent)
      : QWidget(parent), plan_(plan), stability_(stability) {
    setMinimumSize(400, 250);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    stability_.ComputeStability();
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    DrawStrength(canvas, stability_.strength(), ParseReal(plan_.VesHdr[VesHdrIx::DrawingLength]),
                 ParseReal(plan_.VesHdr[VesHdrIx::BaysLength]), width(), height());
  }

 private:
  PlanData& plan_;
  Stability& stability_;
};

}  // namespace

StressesWindow::StressesWindow(PlanData& plan, Stability& stability, QWidget* parent)
    : QWidget(parent, Qt::Window), plan_(plan), stability_(stability) {
  setWindowTitle("Stresses");
  resize(900, 520);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  PB = new StrengthBox(plan, stability, this);
  layout->addWidget(PB);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* print = new QAction("Print...", this);
  connect(print, &QAction::triggered, this, &StressesWindow::PrintClick);
  addAction(print);
}

void StressesWindow::RestorePlace() {
  const auto& s = plan_.Settings;
  if (ParseInt(s[kWidthSetting]) <= 20) return;
  const int height = ParseInt(s[kHeightSetting]);
  const int width = ParseInt(s[kWidthSetting]);
  QPoint at(ParseInt(s[kLeftSetting]), ParseInt(s[kTopSetting]));
  resize(width, std::max(height, 100));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  if (!area.contains(at)) at = area.topLeft();
  move(at);
}

void StressesWindow::StorePlace() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  auto& s = plan_.Settings;
  s[kHeightSetting] = std::to_string(height());
  s[kWidthSetting] = std::to_string(width());
  s[kLeftSetting] = std::to_string(x());
  s[kTopSetting] = std::to_string(y());
}

void StressesWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) RestorePlace();
  QWidget::showEvent(event);
}

void StressesWindow::closeEvent(QCloseEvent* event) {
  StorePlace();
  QWidget::closeEvent(event);
}

void StressesWindow::PrintClick() {
  QPrinter printer;
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  QtCanvas canvas(painter, page.width(), page.height(), &printer);
  stability_.ComputeStability();
  DrawStrength(canvas, stability_.strength(), ParseReal(plan_.VesHdr[VesHdrIx::DrawingLength]),
               ParseReal(plan_.VesHdr[VesHdrIx::BaysLength]), page.width(), page.height());
  painter.end();
}
