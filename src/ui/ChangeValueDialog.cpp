#include "ui/ChangeValueDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/UpperCaseEdit.h"

ChangeValueDialog::ChangeValueDialog(const std::string& heading, int width, const std::string& value,
                                     QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Change");
  setModal(true);
  LAhead = new QLabel(QString::fromLatin1(heading.c_str()), this);
  EDvalue = UpperEdit(this, std::max(width, 1));
  EDvalue->setText(QString::fromLatin1(value.c_str()).left(std::max(width, 1)));
  EDvalue->selectAll();
  BYes = new QPushButton(tr("&Yes"), this);
  BNo = new QPushButton(tr("&No"), this);
  BYes->setDefault(true);
  connect(BYes, &QPushButton::clicked, this, &QDialog::accept);
  connect(BNo, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BYes);
  buttons->addWidget(BNo);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LAhead);
  layout->addWidget(EDvalue);
  layout->addLayout(buttons);
  setMinimumWidth(260);
}

std::string ChangeValueDialog::Value() const { return UpperText(EDvalue); }

bool ChangeValueDialog::Ask(const std::string& heading, int width, std::string& value, QWidget* parent) {
  ChangeValueDialog dialog(heading, width, value, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  value = dialog.Value();
  return true;
}
