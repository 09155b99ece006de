#pragma once

// LoadingListWindow, "Loading List": the units of the quay's chosen route
// and group, one line each, as the core's LoadingList builds them. The
// window only shows the lines and hands the buttons to the list; the editor
// takes its next unit from the line selected here.

#include <QWidget>
#include <functional>

class LoadingList;
struct PlanData;
class QCheckBox;
class QLabel;
class QListWidget;
class QToolButton;

class LoadingListWindow : public QWidget {
  Q_OBJECT

 public:
  LoadingListWindow(LoadingList& list, PlanData& plan, QWidget* parent = nullptr);

  // The quay changed through this window (a removal, a new mode or
  // selection): the editor's counts and plan follow.
  std::function<void()> Changed;
  // "Import Loading List": the main window's import in add mode.
  std::function<void()> Import;

  // The lines again from the list, after it changed elsewhere.
  void Refresh();

  QToolButton* SBins = nullptr;     // "Load" / "Update"
  QToolButton* SBselAll = nullptr;  // "Select  All"
  QCheckBox* CBwgh = nullptr;       // "sort by tons"
  QCheckBox* CBex = nullptr;        // "Exact merge", Update mode only
  QCheckBox* CBfilt = nullptr;      // the high-cube filter on the units on board too
  QToolButton* SpeedButton1 = nullptr;   // "Import Loading List"
  QToolButton* DeleteSelected = nullptr;  // "Remove Selected"
  QToolButton* RemoveALL = nullptr;       // "Remove ALL"
  QLabel* PAtit = nullptr;  // the column titles; a click deselects every line
  QListWidget* LB1 = nullptr;

  void SBinsClick();
  // A line clicked: it alone selected, or with control added or taken away.
  void LB1Click(int row, bool add);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RebuildWhenDirty();
  void ShowMode();
  void AfterChange();

  LoadingList& list_;
  PlanData& plan_;
};
