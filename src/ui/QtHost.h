#pragma once

// The windows' side of Host: numbered messages in MessageWindow, questions in
// QuestionDialog, the hourglass as an override cursor, errors in the
// application's error display, unknown ports in PortDialog.

#include <QObject>

#include "core/Host.h"

struct PlanData;
class QuestionDialog;
class MessageWindow;

class QtHost : public QObject, public Host {
  Q_OBJECT

 public:
  QtHost(MessageWindow& messages, QuestionDialog& dialog, QObject* parent = nullptr);
  // With the plan, unknown ports are asked about in the ports-table dialog,
  // which can add them to the plan's ports table.
  QtHost(MessageWindow& messages, QuestionDialog& dialog, PlanData& plan, QObject* parent = nullptr);
  ~QtHost() override;

  void ShowMessageNo(int n) override;
  Answer Ask(const std::string& caption, const std::string& upperLine, const std::string& question,
             bool showCancel) override;
  void SetBusy(bool busy) override;
  void PlanChanged() override;
  void ReportError(const std::string& text) override;
  void ReportWarning(const std::string& text) override;
  std::string AskNewPort(const std::string& country, const std::string& code, const std::string& description,
                         const std::string& letter) override;

 signals:
  void planChanged();

 private:
  MessageWindow& messages_;
  QuestionDialog& dialog_;
  PlanData* plan_ = nullptr;
  int busyDepth_ = 0;
};
