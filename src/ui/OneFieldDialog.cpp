#include "ui/OneFieldDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/UpperCaseEdit.h"

OneFieldDialog::OneFieldDialog(const QString& caption, const QString& oldValue, int maxLength, bool upperCase,
                               QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  setModal(true);
  auto* form = new QFormLayout;
  if (!oldValue.isEmpty()) {
    Edit1 = new QLineEdit(oldValue, this);
    Edit1->setReadOnly(true);
    form->addRow("Old", Edit1);
  }
  Edit2 = upperCase ? UpperEdit(this, maxLength) : new QLineEdit(this);
  if (!upperCase && maxLength > 0) Edit2->setMaxLength(maxLength);
  form->addRow(oldValue.isEmpty() ? "Value" : "New", Edit2);
  OKBtn = new QPushButton(oldValue.isEmpty() ? "OK" : "Update", this);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  Edit2->setFocus();
}

bool OneFieldDialog::Ask(const QString& caption, const QString& oldValue, int maxLength, bool upperCase,
                         std::string& value, QWidget* parent) {
  OneFieldDialog dialog(caption, oldValue, maxLength, upperCase, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  value = upperCase ? UpperText(dialog.Edit2) : dialog.Edit2->text().toLatin1().toStdString();
  return true;
}
