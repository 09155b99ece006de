#pragma once

// The windows' side of Host: numbered messages in TFormMess1, questions in
// TFormDialog, the hourglass as an override cursor, errors in the
// application's error display.

#include <QObject>

#include "core/Host.h"

class TFormDialog;
class TFormMess1;

class QtHost : public QObject, public Host {
  Q_OBJECT

 public:
  QtHost(TFormMess1& messages, TFormDialog& dialog, QObject* parent = nullptr);
  ~QtHost() override;

  void ShowMessageNo(int n) override;
  Answer Ask(const std::string& caption, const std::string& upperLine, const std::string& question,
             bool showCancel) override;
  void SetBusy(bool busy) override;
  void PlanChanged() override;
  void ReportError(const std::string& text) override;

 signals:
  void planChanged();

 private:
  TFormMess1& messages_;
  TFormDialog& dialog_;
  int busyDepth_ = 0;
};
