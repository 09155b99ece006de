#pragma once

// TFormMain: the main window, the application's main form.

#include <QMainWindow>
#include <functional>

struct PlanData;
class Host;
class QLabel;

class TFormMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFormMain(PlanData& plan, QWidget* parent = nullptr);

  QLabel* LDataDir = nullptr;

  // After "Base Data" or "Customizing" changed the settings: the program
  // loads the base data again and writes the settings file.
  std::function<void()> onSettingsChanged;

  // Where the windows opened from here report and ask; set before show.
  Host* host = nullptr;

  void BaseDataClick();
  void CustomizingClick();
  void PortsClick();

 private:
  PlanData& plan_;
};
