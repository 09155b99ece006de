#pragma once

// QuayStrip, the editor's quay strip (PAqua): the route choice, the group
// labels with their counts, the high-cube filter, the weight classes and
// "to Quay", and the quay menu on the labels. It is shown in quay mode,
// when units the editor discharges go to the quay and Load presses take
// the chosen group's units from it. Everything it does is a call on the
// editor's LoadingList.

#include <QWidget>
#include <array>

#include "conditions/LoadingList.h"

class BayPlanEditor;
class PlanContext;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

class QuayStrip : public QWidget {
  Q_OBJECT

 public:
  QuayStrip(BayPlanEditor& editor, PlanContext& ctx, LoadingList& list, QWidget* parent);

  QToolButton* SpeedButton6 = nullptr;  // "Close Quay"
  QToolButton* SBqlist = nullptr;       // "Loading List"
  QComboBox* CBportsQ = nullptr;
  std::array<QLabel*, kQuayGroups> L{};  // the group labels, tagged by category
  QLabel* Q20 = nullptr;
  QLabel* Q40 = nullptr;
  QToolButton* SBhicu = nullptr;
  // Weight-class limits, in the order of Settings 0..5.
  QLineEdit* ED20h = nullptr;
  QLineEdit* ED20m = nullptr;
  QLineEdit* ED20l = nullptr;
  QLineEdit* ED40h = nullptr;
  QLineEdit* ED40m = nullptr;
  QLineEdit* ED40l = nullptr;
  QToolButton* SBtoq = nullptr;  // "to Quay", with the editor's EDtoq
  QMenu* PMquay = nullptr;
  QAction* Reload1 = nullptr;
  QAction* DeleteOne1 = nullptr;
  QAction* DeleteGroup1 = nullptr;
  QAction* DeletePort = nullptr;  // "Remove " + the chosen route
  QAction* ClearQuay1 = nullptr;

  // The route choice rebuilt from the quay, then everything shown again.
  void RefreshRoutes();
  // The route choice, the counts and the frame from the list as it is.
  void ShowGroups();
  void CBportsQSelect(int choice);
  // A group label clicked (right: the menu follows).
  void L0Click(int category);
  void SBhicuClick();
  void SBtoqClick();
  // The weight-class fields from Settings 0..5, and back when one changes.
  void LoadWeightClasses();
  void ED40lChange();
  void PMquayPopup();
  void ClearQuay1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // After a command changed the quay or the plan: counts, list and plan.
  void AfterQuayCommand(bool planChanged);
  std::array<QLineEdit*, 6> WeightFields() const;

  BayPlanEditor& editor_;
  PlanContext& ctx_;
  LoadingList& list_;
  bool loadingWeights_ = false;
};
