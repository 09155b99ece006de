#include "ui/QtHost.h"

#include <QApplication>
#include <QCursor>

#include "ui/Application.h"
#include "ui/UnitDialog1.h"
#include "ui/UnitMess1.h"

QtHost::QtHost(TFormMess1& messages, TFormDialog& dialog, QObject* parent)
    : QObject(parent), messages_(messages), dialog_(dialog) {}

QtHost::~QtHost() {
  while (busyDepth_ > 0) SetBusy(false);
}

void QtHost::ShowMessageNo(int n) { messages_.ShowMessageNo(n); }

Host::Answer QtHost::Ask(const std::string& caption, const std::string& upperLine,
                         const std::string& question, bool showCancel) {
  dialog_.Caption = caption;
  dialog_.UpperLine = upperLine;
  dialog_.QuestionLine = question;
  dialog_.ShowCancel = showCancel ? 1 : 0;
  switch (dialog_.exec()) {
    case TFormDialog::ResultYes: return Answer::Yes;
    case TFormDialog::ResultCancel: return Answer::Cancel;
    default: return Answer::No;
  }
}

// Busy periods nest; the pointer comes back only when the outermost ends.
void QtHost::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busyDepth_;
  } else if (busyDepth_ > 0) {
    QApplication::restoreOverrideCursor();
    --busyDepth_;
  }
}

void QtHost::PlanChanged() { emit planChanged(); }

void QtHost::ReportError(const std::string& text) { ShowError(QString::fromLatin1(text.c_str())); }
