#pragma once

// TFormMain: the main window, the application's main form.

#include <QMainWindow>
#include <functional>

struct PlanData;
class QLabel;

class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFormMain(PlanData& plan, QWidget* parent = nullptr);

  QLabel* LDataDir = nullptr;

  // After "Base Data" or "Customizing" changed the settings: the program
  // loads the base data again and writes the settings file.
  std::function<void()> onSettingsChanged;

  void BaseDataClick();
  void CustomizingClick();

 private:
  PlanData& plan_;
};
