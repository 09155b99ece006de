#include "ui/CallDateDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QTimeEdit>
#include <QVBoxLayout>

CallDateDialog::CallDateDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Call Date/Time");
  setModal(true);
  DTdate = new QDateEdit(this);
  DTdate->setDisplayFormat("yyyy/MM/dd");
  DTdate->setCalendarPopup(true);
  DTtime = new QTimeEdit(this);
  DTtime->setDisplayFormat("HH.mm");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* pickers = new QHBoxLayout;
  pickers->addWidget(DTdate);
  pickers->addWidget(DTtime);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pickers);
  layout->addWidget(buttons);
}

void CallDateDialog::SetWhen(const std::tm& when) {
  DTdate->setDate(QDate(when.tm_year + 1900, when.tm_mon + 1, when.tm_mday));
  DTtime->setTime(QTime(when.tm_hour, when.tm_min));
}

std::tm CallDateDialog::When() const {
  std::tm when{};
  const QDate date = DTdate->date();
  const QTime time = DTtime->time();
  when.tm_year = date.year() - 1900;
  when.tm_mon = date.month() - 1;
  when.tm_mday = date.day();
  when.tm_hour = time.hour();
  when.tm_min = time.minute();
  when.tm_isdst = -1;
  return when;
}

bool CallDateDialog::Ask(std::tm& when, QWidget* parent) {
  CallDateDialog form(parent);
  form.SetWhen(when);
  if (form.exec() != QDialog::Accepted) return false;
  when = form.When();
  return true;
}
