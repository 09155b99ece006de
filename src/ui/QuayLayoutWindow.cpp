#include "ui/QuayLayoutWindow.h"

#include <QPainter>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "core/TextFile.h"
#include "ui/QtCanvas.h"

QuayLayoutWindow::QuayLayoutWindow(PlanData& plan, QWidget* parent)
    : QWidget(parent, Qt::Window), plan_(plan) {
  setObjectName("QuayLayoutWindow");
  setWindowTitle("Quay");
  resize(800, 450);
}

bool QuayLayoutWindow::ReadLayout() {
  std::vector<std::string> lines;
  std::string error;
  if (!ReadTextLines(QuayLayoutFile(plan_), lines, error)) {
    Layout = QuayLayout{};
    return false;
  }
  return ReadQuayLayout(lines, Layout);
}

void QuayLayoutWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ReadLayout();
}

void QuayLayoutWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  // As wide as the window; the quay's proportions give the height.
  const int h = QuayPictureHeight(Layout, width());
  if (h <= 0) return;
  QtCanvas canvas(painter, width(), h);
  DrawQuayLayout(canvas, Layout, plan_.Dim[0], plan_.Dim[1]);
}
