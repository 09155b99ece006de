#pragma once

// ContainersListWindow, "Containers List": the units of the working (or the
// voyage) data set as a sorted fixed-pitch list in one of the list layouts
// of the parameter file. Rows can be chosen, one column of the chosen units
// changed in place ("Change data", right button), and the list printed,
// saved or handed to the word processor. It stays on top and is rebuilt
// whenever the plan or the selection changes.

#include <QRect>
#include <QWidget>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct PlanData;
class PlanContext;
class Selection;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QToolButton;

// Where the window stands, from Settings 59..62 (top, left, height,
// width): a height or width below 50 is taken as 400.
QRect ContainersListGeometry(const PlanData& plan);
void StoreContainersListGeometry(PlanData& plan, const QRect& frame);

class ContainersListWindow : public QWidget {
  Q_OBJECT

 public:
  ContainersListWindow(PlanData& plan, PlanContext& ctx, Selection& selection, QWidget* parent = nullptr);

  QComboBox* RG1 = nullptr;  // list layouts
  QCheckBox* CBss = nullptr;  // "sequence"
  QCheckBox* CBvoy = nullptr;
  QToolButton* SBsel = nullptr;
  QToolButton* SBrs = nullptr;
  QToolButton* SBall = nullptr;
  QToolButton* SBtot = nullptr;
  QToolButton* SBpri = nullptr;
  QToolButton* SBsave = nullptr;
  QToolButton* SBword = nullptr;
  QLabel* PAhead = nullptr;
  QListWidget* LB1 = nullptr;

  // Shows the window in list layout (-1 keeps the one chosen last).
  void ShowContainersList(int layout = -1);
  // Rebuilds the rows; rows of the records in keep stay chosen.
  void BuildList(const std::set<int>& keep = {});
  // The data set shown: the voyage data set while "Voy" is checked.
  int ShownPlane() const;
  // The list as it is printed and written: the header, then every row.
  std::vector<std::string> ExportLines() const;
  // The records of the chosen rows, in list order.
  std::vector<int> ChosenRecords() const;

  // The main window's part after the plan changed: "Voy" unchecked and,
  // while shown and not busy, the list rebuilt.
  void PlanModified();

  void CBvoyClick();
  void SBselClick();
  void SBrsClick();
  void SBallClick();
  void SBpriClick();
  void SBsaveClick();
  void SBwordClick();
  // "Change data" for the column under x (pixels in the list) of row.
  void ChangeData(int row, int x);

  // What the window asks of the program around it; unset, nothing happens
  // (the dialogs fall back to their own).
  std::function<void()> BuildVoyage;                   // the voyage data set read in
  std::function<void(int plane)> OpenSelection;        // the selection window, modally
  std::function<void()> EditorChanged;                 // the bay plan editor repaints
  std::function<void()> ShowTotals;                    // the main window's "Totals"
  std::function<bool(const std::vector<std::string>& lines, const std::string& title, int plane)> Print;
  std::function<bool(const std::vector<std::string>& lines, std::string& error)> Word;
  std::function<std::string()> ChooseFile;  // the save dialog; "" when cancelled
  std::function<bool(const std::string& heading, int width, std::string& value)> AskValue;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  int Layout() const;
  void AfterSelectionChange();

  PlanData& plan_;
  PlanContext& ctx_;
  Selection& selection_;
  std::string header_;
  bool busy_ = false;
  bool placed_ = false;
};
