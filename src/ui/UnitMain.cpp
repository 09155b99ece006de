#include "ui/UnitMain.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "core/PlanData.h"
#include "ui/UnitCommon.h"
#include "ui/UnitCust.h"
#include "ui/UnitPorts.h"

TFormMain::TFormMain(PlanData& plan, QWidget* parent) : QMainWindow(parent), plan_(plan) {
  setWindowTitle(QString::fromLatin1(plan_.ProductName.c_str()));
  resize(1024, 700);

  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* exit = file->addAction(tr("E&xit"));
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* settings = menuBar()->addMenu(tr("&Settings"));
  connect(settings->addAction(tr("&Base Data...")), &QAction::triggered, this, &TFormMain::BaseDataClick);
  connect(settings->addAction(tr("&Customizing...")), &QAction::triggered, this, &TFormMain::CustomizingClick);
  QMenu* tables = menuBar()->addMenu(tr("&Tables"));
  connect(tables->addAction(tr("&Ports")), &QAction::triggered, this, &TFormMain::PortsClick);

  LDataDir = new QLabel(QString::fromLocal8Bit(plan_.ProgramDir.c_str()), this);
  statusBar()->addWidget(LDataDir);
}

void TFormMain::BaseDataClick() {
  TFormCommon form(plan_, this);
  form.onStored = [this] {
    if (onSettingsChanged) onSettingsChanged();
  };
  form.exec();
}

void TFormMain::CustomizingClick() {
  TFormCust form(plan_, this);
  form.onStored = [this] {
    if (onSettingsChanged) onSettingsChanged();
  };
  form.exec();
}

void TFormMain::PortsClick() {
  if (!host) return;
  TFormPorts form(plan_, *host, this);
  form.exec();
}
