#include "ui/PortsWindow.h"

#include <QColorDialog>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "core/PlanData.h"
#include "ui/PortDialog.h"
#include "ui/QtCanvas.h"
#include "vessel/Ports.h"

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

}  // namespace

PortsWindow::PortsWindow(PlanData& plan, Host& host, QWidget* parent)
    : QDialog(parent), plan_(plan), host_(host) {
  setWindowTitle("Ports");
  Grid = new QTableWidget(this);
  Grid->setColumnCount(5);
  Grid->setHorizontalHeaderLabels({"port", "country", "code", "letter", ""});
  Grid->horizontalHeader()->setStretchLastSection(false);
  Grid->verticalHeader()->hide();
  // One line of text a row, and columns as wide as their texts: a fixed
  // pixel width clips the captions and codes in larger fonts.
  Grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setStyleSheet(
      "QHeaderView::section { background-color: silver; }"
      "QTableWidget::item:selected { background-color: navy; color: white; }");
  Grid->setContextMenuPolicy(Qt::CustomContextMenu);
  Popup = new QMenu(this);
  connect(Popup->addAction("Update"), &QAction::triggered, this, &PortsWindow::UpdateClick);
  connect(Popup->addAction("New port"), &QAction::triggered, this, &PortsWindow::NewPortClick);
  connect(Popup->addAction("Delete"), &QAction::triggered, this, &PortsWindow::DeleteClick);
  connect(Popup->addAction("Color"), &QAction::triggered, this, &PortsWindow::ColorClick);
  connect(Grid, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { Popup->popup(Grid->viewport()->mapToGlobal(at)); });
  connect(Grid, &QTableWidget::cellDoubleClicked, this, [this] { UpdateClick(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Grid);
  resize(340, 520);
}

void PortsWindow::showEvent(QShowEvent* event) {
  if (plan_.PortsChanged) Reload();
  FillGrid();
  Grid->clearSelection();
  QDialog::showEvent(event);
}

void PortsWindow::Reload() {
  // ReadPorts writes unsaved changes first, so nothing is lost.
  ReadPorts(plan_, std::filesystem::path(plan_.DataDir), host_);
}

void PortsWindow::FillGrid() {
  const int scroll = Grid->verticalScrollBar()->value();
  Grid->setRowCount(plan_.PortCount);
  for (int i = 0; i < plan_.PortCount; ++i) {
    const StructPor& p = plan_.Ports[static_cast<size_t>(i)];
    const QString texts[] = {Latin1(p.PORT), Latin1(p.COUNTRY), Latin1(p.CODE), Latin1(p.LETTER), QString()};
    for (int c = 0; c < 5; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      if (c == 4 && p.WINCOLOR > 0) item->setBackground(ToQColor(static_cast<Colour>(p.WINCOLOR)));
      Grid->setItem(i, c, item);
    }
  }
  Grid->resizeColumnsToContents();
  Grid->setColumnWidth(0, std::max(Grid->columnWidth(0), fontMetrics().horizontalAdvance("M") * 16));
  Grid->setColumnWidth(4, fontMetrics().height() + 8);
  int width = Grid->verticalScrollBar()->sizeHint().width() + 2 * Grid->frameWidth();
  for (int c = 0; c < 5; ++c) width += Grid->columnWidth(c);
  Grid->setMinimumWidth(width);
  Grid->verticalScrollBar()->setValue(scroll);
}

int PortsWindow::SelectedPort() const {
  const QList<QTableWidgetItem*> items = Grid->selectedItems();
  if (items.isEmpty()) return -1;
  const int row = items.first()->row();
  return row < plan_.PortCount ? row : -1;
}

void PortsWindow::EditPort(int index) {
  PortDialog form(plan_, this);
  if (index >= 0) {
    const StructPor& p = plan_.Ports[static_cast<size_t>(index)];
    form.Fill(QString(), Latin1(p.COUNTRY), Latin1(p.CODE), Latin1(p.PORT), Latin1(p.LETTER));
  } else {
    form.Fill(QString(), {}, {}, {}, {});
  }
  form.exec();
  if (form.Added) {
    // A new entry: the table is saved and read back in its sorted order.
    Reload();
    FillGrid();
  } else if (index >= 0) {
    FillGrid();
    Grid->selectRow(index);
  }
}

void PortsWindow::UpdateClick() {
  const int index = SelectedPort();
  if (index >= 0) EditPort(index);
}

void PortsWindow::NewPortClick() { EditPort(-1); }

void PortsWindow::DeleteClick() {
  const int index = SelectedPort();
  if (index < 0) return;
  for (int i = index; i + 1 < plan_.PortCount; ++i)
    plan_.Ports[static_cast<size_t>(i)] = plan_.Ports[static_cast<size_t>(i + 1)];
  --plan_.PortCount;
  plan_.Ports[static_cast<size_t>(plan_.PortCount)] = StructPor{};
  plan_.PortsChanged = 1;
  FillGrid();
}

void PortsWindow::ColorClick() {
  const int index = SelectedPort();
  if (index < 0) return;
  StructPor& p = plan_.Ports[static_cast<size_t>(index)];
  const QColor colour = QColorDialog::getColor(ToQColor(static_cast<Colour>(p.WINCOLOR)), this);
  if (!colour.isValid()) return;
  p.WINCOLOR = static_cast<int>(RgbColour(colour.red(), colour.green(), colour.blue()));
  plan_.PortsChanged = 1;
  FillGrid();
  Grid->selectRow(index);
}
