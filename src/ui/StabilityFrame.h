#pragma once

// StabilityFrame, the trim and stability frame of the main window: the weight
// summary (Panel1, which the tanks window borrows while it is open), the
// drafts, trim, GM and the other hydrostatic values, the strength
// percentages, the load-line zone, the draft survey boxes, the intact
// stability criteria and the GZ curve. It shows what the stability object
// computed; the main window calls Refresh whenever the condition changes.
// Values beyond their limits are red; values that no longer belong to the
// present displacement (beyond the hydrostatic table) are grey under a red
// caption that says so.

#include <QWidget>
#include <array>

#include "stability/Stability.h"

struct PlanData;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class StabilityFrame : public QWidget {
  Q_OBJECT

 public:
  explicit StabilityFrame(PlanData& plan, QWidget* parent = nullptr);

  // The stability of the open vessel, nullptr while none is open. Call it
  // again after a vessel is opened: the load-line drafts are the vessel's.
  void SetStability(Stability* stability);
  Stability* CurrentStability() const { return stability_; }

  // Shows the present results; computes nothing but missing load lines.
  void Refresh();
  // What showing the frame does: the load lines when they are missing, the
  // water density of the present zone (which recomputes), then Refresh.
  // The tanks window calls it when it takes Panel1.
  void RefreshOnShow();
  // Puts Panel1 back in its place after the tanks window had it.
  void RestorePanel1();

  // Weight panel: per item its name, tonnes, LCG, VCG and TCG.
  struct WeightRow {
    QLabel* Name = nullptr;
    QLabel* Tons = nullptr;
    QLabel* LCG = nullptr;
    QLabel* VCG = nullptr;
    QLabel* TCG = nullptr;
  };
  QWidget* Panel1 = nullptr;
  std::array<WeightRow, kMaxWeightItems> WeightRows{};

  // Why the values shown are not the present condition's (empty otherwise).
  QLabel* LBstate = nullptr;
  QLabel* LBsaved = nullptr;  // the file's totals, when the sums differ from them

  // Stability panel.
  QWidget* PanelStab = nullptr;
  QLabel* LBdraft = nullptr;
  QLabel* LBtrim = nullptr;
  QLabel* LBgm = nullptr;
  QLabel* LBfs = nullptr;
  QLabel* LBgmc = nullptr;  // GM'
  QLabel* LBheel = nullptr;
  QLabel* LBkm = nullptr;
  QLabel* LBlcf = nullptr;
  QLabel* LBlcb = nullptr;
  QLabel* LBmtc = nullptr;
  QLabel* LBshear = nullptr;
  QLabel* LBbending = nullptr;
  QLabel* LBtorsion = nullptr;
  QPushButton* BLoadLine = nullptr;  // left click: next zone; right click: previous
  QLabel* LBloadLine = nullptr;      // the zone's draft
  QLineEdit* EAft = nullptr;         // drafts at the marks; observed drafts for the survey
  QLineEdit* EFore = nullptr;
  QPushButton* BCalc = nullptr;
  QPushButton* BRst = nullptr;

  // Criteria panel and the GZ curve.
  QWidget* PanelCrit = nullptr;
  QLabel* LBgz30 = nullptr;
  QLabel* LBarea30 = nullptr;
  QLabel* LBarea40 = nullptr;
  QLabel* LBangleMax = nullptr;
  QLabel* LBarea3040 = nullptr;
  QLabel* LBflooding = nullptr;
  QWidget* PBgz = nullptr;

  // Event handlers.
  void BLoadLineClick();       // next zone
  void BLoadLineRightClick();  // previous zone
  void BCalcClick();
  void BRstClick();

 signals:
  // The frame changed the condition itself: another load-line zone, or a
  // draft survey correction entered or cleared.
  void conditionChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildWeightPanel();
  QWidget* BuildStabilityPanel();
  QWidget* BuildCriteriaPanel();
  void RefreshWeights();
  void RefreshStability();
  void RefreshCriteria();
  void ShowMarksDrafts();
  // An observed draft from a box; false (and the box marked) when the text
  // is no draft at all.
  bool ReadDraftBox(QLineEdit* box, double& draft);
  void StepLoadLine(int step);

  PlanData& plan_;
  Stability* stability_ = nullptr;
  QHBoxLayout* layout_ = nullptr;
  std::array<QLabel*, 3> strengthCaptions_{};
  QLabel* floodingCaption_ = nullptr;
  // Their texts name the flooding angle when the areas end there.
  QLabel* area40Caption_ = nullptr;
  QLabel* area3040Caption_ = nullptr;
  bool rightPressOnLoadLine_ = false;
};
