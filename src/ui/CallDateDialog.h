#pragma once

// CallDateDialog, "Call Date/Time": the date and time of a call, which place a
// condition in the list.

#include <QDialog>
#include <ctime>

class QDateEdit;
class QTimeEdit;

class CallDateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CallDateDialog(QWidget* parent = nullptr);

  void SetWhen(const std::tm& when);
  std::tm When() const;

  // Shows the dialog preset to when; true and when changed on OK.
  static bool Ask(std::tm& when, QWidget* parent = nullptr);

  QDateEdit* DTdate = nullptr;
  QTimeEdit* DTtime = nullptr;
};
