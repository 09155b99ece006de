#pragma once

// The windows' side of Host: numbered messages in TFormMess1, questions in
// TFormDialog, the hourglass as an override cursor, errors in the
// application's error display, unknown ports in TFormInp.

#include <QObject>

#include "core/Host.h"

struct PlanData;
class TFormDialog;
class TFormMess1;

class QtHost : public QObject, public Host {
  Q_OBJECT

 public:
  QtHost(TFormMess1& messages, TFormDialog& dialog, QObject* parent = nullptr);
  // With the plan, unknown ports are asked about in the ports-table dialog,
  // which can add them to the plan's ports table.
  QtHost(TFormMess1& messages, TFormDialog& dialog, PlanData& plan, QObject* parent = nullptr);
  ~QtHost() override;

  void ShowMessageNo(int n) override;
  Answer Ask(const std::string& caption, const std::string& upperLine, const std::string& question,
             bool showCancel) override;
  void SetBusy(bool busy) override;
  void PlanChanged() override;
  void ReportError(const std::string& text) override;
  std::string AskNewPort(const std::string& country, const std::string& code, const std::string& description,
                         const std::string& letter) override;

 signals:
  void planChanged();

 private:
  TFormMess1& messages_;
  TFormDialog& dialog_;
  PlanData* plan_ = nullptr;
  int busyDepth_ = 0;
};
