#pragma once

// QuayLayoutWindow, the quay layout: the terminal's blocks from clu.txt,
// drawn as wide as the window.

#include <QWidget>

#include "planning/QuayLayout.h"

struct PlanData;

class QuayLayoutWindow : public QWidget {
  Q_OBJECT

 public:
  QuayLayoutWindow(PlanData& plan, QWidget* parent = nullptr);

  QuayLayout Layout;
  // clu.txt read again; false when it is missing or describes no quay.
  bool ReadLayout();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  PlanData& plan_;
};
