#pragma once

// TotalsWindow, "Totals": the units of the working (or the voyage) data set
// counted in groups of up to four list columns, one line per group at every
// level and a grand total, with full, empty and break-bulk figures. The
// columns are picked from LBfm into LBto; LB1 shows the lines on coloured
// bands. It stays on top, centred, and follows every change of the plan.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "reports/Totals.h"

struct PlanData;
class Selection;
class QCheckBox;
class QListWidget;
class QToolButton;

class TotalsWindow : public QWidget {
  Q_OBJECT

 public:
  TotalsWindow(PlanData& plan, Selection& selection, QWidget* parent = nullptr);

  QListWidget* LBfm = nullptr;  // the columns offered
  QListWidget* LBto = nullptr;  // the columns chosen, in grouping order
  QListWidget* LB1 = nullptr;   // the lines
  QToolButton* SB1 = nullptr;   // add
  QToolButton* SB2 = nullptr;   // remove
  QToolButton* SBclear = nullptr;
  QToolButton* SBsum = nullptr;
  QToolButton* SBsel = nullptr;
  QToolButton* SBrs = nullptr;
  QToolButton* SBpri = nullptr;
  QToolButton* SBword = nullptr;
  QCheckBox* CBvoy = nullptr;
  QCheckBox* CBnot = nullptr;  // "One tots level"

  // The RDR report's narrower total columns while it uses the window.
  bool CompactTotals = false;
  // The lines last built, with the heading kept as the print title.
  TotalsReport Report;

  // Shows the window centred, the totals computed when columns are chosen.
  void ShowTotals();
  int ShownPlane() const;
  // The unit columns of LBto, in order.
  std::vector<int> ChosenColumns() const;

  // Highlighted LBfm entries appended to LBto: none once four are chosen,
  // and a column already chosen is not taken twice.
  void SB1Click();
  void SB2Click();
  void SBclearClick();
  void SBsumClick();
  void BuildTotals();
  void SBselClick();
  void SBrsClick();
  void CBvoyClick();
  void SBpriClick();
  void SBwordClick();
  // The main window's part after the plan changed: "Voy" unchecked and,
  // while shown, the totals computed again.
  void PlanModified();

  std::function<void()> BuildVoyage;
  std::function<void(int plane)> OpenSelection;
  std::function<void()> EditorChanged;
  // The lines with the heading as printed (dashes kept), and a frame line
  // whose "+" ends the first grouping column: a rule between its groups.
  std::function<bool(const std::vector<std::string>& lines, const std::string& frameLine, int plane)> Print;
  std::function<bool(const std::vector<std::string>& lines, std::string& error)> Word;
  std::function<void(const std::string& error)> ReportError;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillOffered();
  void FitToLines();

  PlanData& plan_;
  Selection& selection_;
  bool busy_ = false;
};
