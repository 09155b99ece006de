#include "ui/PlanPicture.h"

#include <QPainter>

#include "core/PlanData.h"
#include "planning/BayLayout.h"
#include "planning/BayPlanPicture.h"
#include "ui/QtCanvas.h"

QImage RenderPlanPicture(PlanData& plan, const BayView& view, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  BayLayout layout;
  ComputeBayLayout(plan, layout, kTargetScreen);
  ComputeCellBoxes(plan, layout, width, height, kTargetScreen);
  plan.RedrawAll = 1;
  plan.PolCount = -1;
  plan.PodCount = -1;
  // The editor's background, with the light grey of a window.
  const Colour background = PlanBackground(plan, RgbColour(0xF0, 0xF0, 0xF0));
  QPainter painter(&image);
  QtCanvas canvas(painter, width, height);
  PaintBayPlan(canvas, plan, layout, view, background, kTargetScreen);
  return image;
}
