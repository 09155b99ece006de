#pragma once

// QuestionDialog: the shared Yes/No/Cancel question box. Callers set the caption
// and the two lines, optionally ShowCancel, and show it modally. Closing
// clears everything, so every caller starts from an empty box without Cancel.

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

class QuestionDialog : public QDialog {
  Q_OBJECT

 public:
  // Modal results of the three buttons.
  static constexpr int ResultYes = 1;
  static constexpr int ResultCancel = 2;
  static constexpr int ResultNo = 7;

  explicit QuestionDialog(QWidget* parent = nullptr);

  std::string Caption;
  std::string UpperLine;
  std::string QuestionLine;
  int ShowCancel = 0;

  void done(int result) override;
  void reject() override;  // Escape and the close box answer No

  QPushButton* BYes = nullptr;
  QPushButton* BNo = nullptr;
  QPushButton* BCancel = nullptr;
  QLabel* LUpper = nullptr;
  QLabel* LQuestion = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};
