#pragma once

// StressesWindow, "Stresses": shear force, bending moment and torsion along
// the ship against their allowed values, drawn by DrawStrength. Its place
// and size are kept in the settings when it closes.

#include <QWidget>

struct PlanData;
class Stability;

class StressesWindow : public QWidget {
  Q_OBJECT

 public:
  StressesWindow(PlanData& plan, Stability& stability, QWidget* parent = nullptr);

  QWidget* PB = nullptr;

  // Height, width, left and top as the settings keep them (116 to 119).
  static constexpr int kHeightSetting = 116;
  static constexpr int kWidthSetting = 117;
  static constexpr int kLeftSetting = 118;
  static constexpr int kTopSetting = 119;
  // Places the window as the settings say: when the stored width is above
  // 20, at the stored size, and at the stored place unless that lies beyond
  // the screen (then at its top left corner).
  void RestorePlace();
  // Stores the place and size when the window is neither maximised nor
  // minimised.
  void StorePlace();
  // Prints the drawing on a page of its own.
  void PrintClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  PlanData& plan_;
  Stability& stability_;
};
