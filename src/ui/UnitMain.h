#pragma once

// TFormMain: the main window, the application's main form.

#include <QMainWindow>

struct PlanData;
class QLabel;

class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFormMain(PlanData& plan, QWidget* parent = nullptr);

  QLabel* LDataDir = nullptr;

 private:
  PlanData& plan_;
};
