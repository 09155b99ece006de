#pragma once

// OneFieldDialog: one value asked for, with the value it replaces shown
// beside it when there is one (change a port, operator or type over every
// unit; search a container number).

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class OneFieldDialog : public QDialog {
  Q_OBJECT

 public:
  // oldValue empty: only the new value is shown. upperCase: codes in capitals.
  OneFieldDialog(const QString& caption, const QString& oldValue, int maxLength, bool upperCase,
                 QWidget* parent = nullptr);

  QLineEdit* Edit1 = nullptr;  // the present value, read-only
  QLineEdit* Edit2 = nullptr;  // the new value
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // Shows the dialog; true with value on OK.
  static bool Ask(const QString& caption, const QString& oldValue, int maxLength, bool upperCase,
                  std::string& value, QWidget* parent = nullptr);
};
