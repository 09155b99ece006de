#include "ui/PortDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/PlanData.h"
#include "ui/UpperCaseEdit.h"
#include "vessel/Ports.h"

PortDialog::PortDialog(PlanData& plan, QWidget* parent) : QDialog(parent), plan_(plan) {
  setModal(true);
  setWindowTitle("Ports table update");
  LTitle = new QLabel(this);
  ECountry = UpperEdit(this, 2);
  ECode = UpperEdit(this, 3);
  EName = UpperEdit(this, 0);
  EName->setMinimumWidth(240);
  ELetter = UpperEdit(this, 2);
  auto* form = new QFormLayout;
  form->addRow("Country", ECountry);
  form->addRow("Code", ECode);
  form->addRow("Name", EName);
  form->addRow("Letter", ELetter);
  BUpdate = new QPushButton("Update Table", this);
  BUpdate->setDefault(true);
  BCancel = new QPushButton("Cancel", this);
  connect(BUpdate, &QPushButton::clicked, this, &PortDialog::UpdateTable);
  connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BUpdate);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LTitle);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

void PortDialog::Fill(const QString& title, const QString& country, const QString& code, const QString& name,
                      const QString& letter) {
  LTitle->setText(title);
  LTitle->setVisible(!title.isEmpty());
  ECountry->setText(country.trimmed().toUpper());
  ECode->setText(code.trimmed().toUpper());
  EName->setText(name.trimmed().toUpper());
  ELetter->setText(letter.trimmed().toUpper());
}

void PortDialog::showEvent(QShowEvent* event) {
  Added = 0;
  QDialog::showEvent(event);
  EName->setFocus();
}

void PortDialog::UpdateTable() {
  const std::string code = UpperText(ECode);
  // A port needs its code; the name may be left to the country and code.
  if (code.empty()) {
    ECode->setFocus();
    return;
  }
  Added = AddOrUpdatePort(plan_, code, UpperText(EName), UpperText(ECountry), UpperText(ELetter), false);
  accept();
}
