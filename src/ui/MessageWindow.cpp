#include "ui/MessageWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/PlanData.h"

MessageWindow::MessageWindow(const PlanData& plan, QWidget* parent) : QDialog(parent), plan_(plan) {
  setModal(true);
  setWindowTitle(tr("Messages"));
  LText = new QLabel(this);
  LText->setWordWrap(true);
  LText->setMinimumWidth(360);
  BOk = new QPushButton(tr("OK"), this);
  BOk->setDefault(true);
  connect(BOk, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LText);
  layout->addLayout(buttons);
}

void MessageWindow::ShowMessageNo(int n) {
  MessageNo = n;
  exec();
}

void MessageWindow::showEvent(QShowEvent* event) {
  // A number beyond the table shows an empty line rather than failing.
  if (MessageNo >= 0) {
    const bool known = MessageNo < kMessagesSize;
    LText->setText(known ? QString::fromLatin1(plan_.Messages[MessageNo].c_str()) : QString());
  }
  QDialog::showEvent(event);
}
