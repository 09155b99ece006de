#pragma once

// MessageWindow: the numbered-message window. ShowMessageNo(n) shows message n
// of the plan's message table modally; message 51 is filled by the caller.

#include <QDialog>

struct PlanData;
class QLabel;
class QPushButton;

class MessageWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MessageWindow(const PlanData& plan, QWidget* parent = nullptr);

  int MessageNo = -1;
  void ShowMessageNo(int n);

  QLabel* LText = nullptr;
  QPushButton* BOk = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const PlanData& plan_;
};
