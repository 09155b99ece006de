#pragma once

// TanksWindow, the tanks of the open vessel one group at a time: the group
// buttons, the grid of the group's tanks, a track bar for the selected
// tank and the tank plan (PB). While it is shown it holds the stability
// frame's weight panel, so every change of a tank shows its effect at once.
// A change goes through the tank table, which marks the condition modified
// and so recomputes stability and strength.

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reports/TankPlanDrawing.h"
#include "stability/Tanks.h"

struct PlanData;
class OutsidePrograms;
class PrintService;
class QHBoxLayout;
class QPushButton;
class QSlider;
class QTableWidget;
class QToolButton;
class Stability;
class StabilityFrame;
class Tanks;

class TanksWindow : public QWidget {
  Q_OBJECT

 public:
  TanksWindow(PlanData& plan, Stability& stability, StabilityFrame& frame, QWidget* parent = nullptr);
  ~TanksWindow() override;

  // Group buttons SB4 to SB9 (index 0 is SB4).
  std::array<QToolButton*, kLastTankGroup - kFirstTankGroup + 1> SB{};
  QTableWidget* SGtnk = nullptr;
  QSlider* TrackBar = nullptr;
  QWidget* PB = nullptr;
  QPushButton* BAllFull = nullptr;
  QPushButton* BAllEmpty = nullptr;
  QToolButton* SBreport = nullptr;

  // The text of the main window's title panel, for the caption.
  std::function<std::string()> TitleText;
  // Shows the tanks report in the document window; unset, the report button
  // offers the word processor and the printer directly.
  std::function<void()> OpenReport;
  // Where the report goes without the document window; tests replace them.
  PrintService& Printer();
  OutsidePrograms& Programs();

  // Window state.
  int SelectedGroup = kFirstTankGroup;
  std::vector<int> RowTanks;  // grid row -> tank
  int SelectedRow = -1;
  int SelectedTank = -1;
  std::vector<TankShape> Shapes;  // of the drawing, in its pixels
  // On while the person moves the grid or the track bar; off while the
  // window positions them itself.
  bool Updating = false;

  // Rebuilds the grid for the selected group and repaints the plan.
  void ShowGroup();
  // Selects a grid row and its tank and sets the track bar.
  void SelectRow(int row);
  void GroupClick(int group);
  void TrackBarChange(int position);
  void CellEdited(int row, int column);
  // Double click on the grid or the plan: empties a tank holding something,
  // fills an empty one.
  void ToggleSelectedTank();
  // Press on the plan at (x, y) of PB: selects the tank there; the right
  // button also fills it up to that height.
  void PBMouseDown(int x, int y, bool rightButton);
  void AllFullClick();
  void AllEmptyClick();
  void ReportClick();
  // Title line, a blank line and the tanks report.
  std::vector<std::string> ReportLines() const;
  // The report in the word processor (false with error when word.txt
  // cannot be written), or through the common list printer (false when
  // nothing was printed).
  bool ReportToWord(std::string& error);
  bool ReportToPrinter();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void RefreshRow(int row);
  void SetTrackBar(int tank);
  void SetContent(int tank, double content);
  void ApplyGroupColours();

  PlanData& plan_;
  Stability& stability_;
  Tanks& tanks_;
  StabilityFrame& frame_;
  // The frame may go first when the program ends.
  QPointer<StabilityFrame> frameAlive_;
  QHBoxLayout* layout_ = nullptr;
  std::unique_ptr<PrintService> printer_;
  std::unique_ptr<OutsidePrograms> programs_;
};
