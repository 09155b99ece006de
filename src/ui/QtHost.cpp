#include "ui/QtHost.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>

#include "ui/Application.h"
#include "ui/MessageWindow.h"
#include "ui/PortDialog.h"
#include "ui/QuestionDialog.h"

QtHost::QtHost(MessageWindow& messages, QuestionDialog& dialog, QObject* parent)
    : QObject(parent), messages_(messages), dialog_(dialog) {}

QtHost::QtHost(MessageWindow& messages, QuestionDialog& dialog, PlanData& plan, QObject* parent)
    : QObject(parent), messages_(messages), dialog_(dialog), plan_(&plan) {}

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
    case QuestionDialog::ResultYes:
      return Answer::Yes;
    case QuestionDialog::ResultCancel:
      return Answer::Cancel;
    default:
      return Answer::No;
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

void QtHost::ReportWarning(const std::string& text) { ShowWarning(QString::fromLatin1(text.c_str())); }

// The code left in the code box is taken whichever button closed the
// dialog: "Update Table" also adds the port, "Ignore" only renames it for
// this import.
std::string QtHost::AskNewPort(const std::string& country, const std::string& code,
                               const std::string& description, const std::string& letter) {
  if (plan_ == nullptr) return Host::AskNewPort(country, code, description, letter);
  PortDialog form(*plan_, QApplication::activeModalWidget());
  form.Fill("New port", QString::fromLatin1(country.c_str()), QString::fromLatin1(code.c_str()),
            QString::fromLatin1(description.c_str()), QString::fromLatin1(letter.c_str()));
  form.BCancel->setText("Ignore");
  // The import is running under the hourglass; the question needs the arrow.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  form.exec();
  QApplication::restoreOverrideCursor();
  return form.ECode->text().trimmed().toUpper().toLatin1().toStdString();
}
