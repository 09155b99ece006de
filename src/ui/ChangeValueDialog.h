#pragma once

// ChangeValueDialog, "Change": one new value for a column of the rows
// chosen in a list. The label names the column; the edit is upper case and
// takes no more characters than the column shows.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class ChangeValueDialog : public QDialog {
  Q_OBJECT

 public:
  ChangeValueDialog(const std::string& heading, int width, const std::string& value, QWidget* parent = nullptr);

  QLabel* LAhead = nullptr;
  QLineEdit* EDvalue = nullptr;
  QPushButton* BYes = nullptr;
  QPushButton* BNo = nullptr;

  // The value typed, trimmed and in upper case.
  std::string Value() const;

  // Shows the dialog modally; true with value set when Yes closed it.
  static bool Ask(const std::string& heading, int width, std::string& value, QWidget* parent);
};
