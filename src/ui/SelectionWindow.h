#pragma once

// SelectionWindow, "Selection": the window of the selection filter. It shows the
// eight lists of distinct values of a data set (a highlighted item leaves
// out the units with that value), the check boxes and the container-number
// field, all bound to one Selection that keeps them between showings.
// Nothing reaches the units while the window is open except "Reset";
// closing it in any way applies the filter, and only its OK button sets
// Accepted.

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "planning/Selection.h"

struct PlanData;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QWidget;

class SelectionWindow : public QDialog {
  Q_OBJECT

 public:
  SelectionWindow(Selection& selection, PlanData& plan, QWidget* parent = nullptr);

  // The window for data set plane, modal; afterwards the units' SELECTED
  // marks follow the filter. Returns Accepted (closed with OK).
  bool ShowSelection(int plane);

  // The lists, each under its header button.
  QListWidget* ListBox1 = nullptr;  // POL
  QListWidget* ListBox2 = nullptr;  // POD
  QListWidget* ListBox3 = nullptr;  // PRS
  QListWidget* ListBox6 = nullptr;  // FRM
  QListWidget* ListBox5 = nullptr;  // OPER
  QListWidget* LBsiz = nullptr;
  QListWidget* LBtyp = nullptr;
  QListWidget* LBiso = nullptr;
  QPushButton* SBpol = nullptr;
  QPushButton* SBpod = nullptr;
  QPushButton* SBprs = nullptr;
  QPushButton* SBfrm = nullptr;
  QPushButton* SBoper = nullptr;
  QPushButton* SBsiz = nullptr;
  QPushButton* SBtyp = nullptr;
  QPushButton* SBiso = nullptr;

  QCheckBox* CBfull = nullptr;
  QCheckBox* CBempty = nullptr;
  QCheckBox* CBawkward = nullptr;
  QCheckBox* CBdangerous = nullptr;
  QCheckBox* CBondeck = nullptr;
  QCheckBox* CBbelowdeck = nullptr;
  QCheckBox* CBrestows = nullptr;
  QLineEdit* EDnumber = nullptr;
  QPushButton* BReset = nullptr;
  QPushButton* BOk = nullptr;

  // The list widget and header button of a list (kSelPol ... kSelIso).
  QListWidget* List(int list) const;
  QPushButton* Header(int list) const;

  // A header button: every item of its list inverted.
  void HeaderClick(int list);
  // The right button on a list: the bulk change of its first highlighted
  // item, then the lists rebuilt (which resets the filter).
  void ChangeListClick(int list);
  void BResetClick();
  void BOkClick();
  // Every control from the filter's state.
  void FillControls();

  // The text of the main window's condition title panel, for the caption of
  // the working data sets; unset, the vessel and the data set's title.
  std::function<std::string()> ConditionTitle;
  // Asks for the new value of a bulk change of kind (ChangeUnitAttribute's
  // kinds), offering oldValue; false when the person cancels. Unset, a small
  // dialog of this window asks.
  std::function<bool(int kind, const std::string& oldValue, std::string& newValue)> AskNewValue;

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillList(int list);
  void FillChecks();
  void ListSelectionChanged(int list);
  void CheckClicked(QCheckBox* box, bool on);
  void FitToContents();
  std::string DefaultConditionTitle() const;

  Selection& selection_;
  PlanData& plan_;
  std::array<QListWidget*, kSelListCount> lists_{};
  std::array<QPushButton*, kSelListCount> headers_{};
  QScrollArea* scroll_ = nullptr;
  QWidget* listPanel_ = nullptr;
  QWidget* sidePanel_ = nullptr;
  bool filling_ = false;
};
