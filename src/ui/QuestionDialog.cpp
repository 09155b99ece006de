#include "ui/QuestionDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QuestionDialog::QuestionDialog(QWidget* parent) : QDialog(parent) {
  setModal(true);
  LUpper = new QLabel(this);
  LQuestion = new QLabel(this);
  BYes = new QPushButton(tr("&Yes"), this);
  BNo = new QPushButton(tr("&No"), this);
  BCancel = new QPushButton(tr("&Cancel"), this);
  BYes->setDefault(true);
  BYes->setAutoDefault(true);
  connect(BYes, &QPushButton::clicked, this, [this] { done(ResultYes); });
  connect(BNo, &QPushButton::clicked, this, [this] { done(ResultNo); });
  connect(BCancel, &QPushButton::clicked, this, [this] { done(ResultCancel); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BYes);
  buttons->addWidget(BNo);
  buttons->addWidget(BCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LUpper);
  layout->addWidget(LQuestion);
  layout->addLayout(buttons);
}

void QuestionDialog::showEvent(QShowEvent* event) {
  setWindowTitle(QString::fromLatin1(Caption.c_str()));
  LUpper->setText(QString::fromLatin1(UpperLine.c_str()));
  LQuestion->setText(QString::fromLatin1(QuestionLine.c_str()));
  BCancel->setVisible(ShowCancel == 1);
  BYes->setFocus();
  QDialog::showEvent(event);
}

void QuestionDialog::reject() { done(ResultNo); }

void QuestionDialog::done(int result) {
  Caption.clear();
  UpperLine.clear();
  QuestionLine.clear();
  ShowCancel = 0;
  setWindowTitle(QString());
  LUpper->clear();
  LQuestion->clear();
  QDialog::done(result);
}
