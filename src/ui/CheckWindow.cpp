#include "ui/CheckWindow.h"

#include <QFont>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include "checks/StowageCheck.h"
#include "core/PlanData.h"

CheckWindow::CheckWindow(PlanData& plan, Host& host, QWidget* parent)
    : QDialog(parent), plan_(plan), host_(host) {
  setWindowTitle("Check");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  LB = new QListWidget(this);
  // The lines are laid out in columns: only a fixed-pitch font keeps the
  // cell names of the lines under one another.
  QFont font("Lucida Console", 9);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  LB->setFont(font);
  LB->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(LB, &QListWidget::itemDoubleClicked, this, [this] { LBDblClick(); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(LB);
  resize(420, 260);
}

bool CheckWindow::RunCheck(bool segregationOnly, int cell) {
  if (!segregationOnly && cell == -1 && PrepareFullCheck) PrepareFullCheck();
  const bool clean = RunStowageCheck(plan_, host_, segregationOnly, cell, Lines);
  LB->clear();
  for (const std::string& line : Lines) LB->addItem(QString::fromLatin1(line.c_str()));
  return clean;
}

bool CheckWindow::ShowCheck(bool segregationOnly, int cell) {
  const bool clean = RunCheck(segregationOnly, cell);
  // After a placement the planner only wants to hear about a problem.
  if (cell == -1 || !clean) exec();
  return clean;
}

void CheckWindow::LBDblClick() {
  if (EditorVisible && !EditorVisible()) return;
  const QListWidgetItem* item = LB->currentItem();
  if (item == nullptr) return;
  const std::vector<int> cells = HighlightCheckLine(plan_, item->text().toLatin1().toStdString());
  if (HighlightCells) HighlightCells(cells);
  close();
}

void CheckWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}
