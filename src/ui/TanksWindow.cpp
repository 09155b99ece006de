#include "ui/TanksWindow.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/CellDrawing.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"
#include "ui/OutsidePrograms.h"
#include "ui/PrintService.h"
#include "ui/QtCanvas.h"
#include "ui/StabilityFrame.h"

namespace {

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr const char* kGroupCaptions[] = {"Water Ballast", "Fuel Oil",    "Diesel Oil",
                                          "Lube Oil",      "Fresh Water", "Miscellaneous"};

// The tank plan's paint box: draws through the canvas and hands presses
// and double clicks to the window.
class TankPlanBox : public QWidget {
 public:
  TankPlanBox(TanksWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    setMinimumSize(530, 110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  int selectedTank = -1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    const QColor back = palette().color(QPalette::Window);
    DrawTankPlan(canvas, *tanks, window_.SelectedGroup, window_.SelectedTank, width(), height(),
                 RgbColour(back.red(), back.green(), back.blue()));
  }
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    window_.PBMouseDown(at.x(), at.y(), event->button() == Qt::RightButton);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) window_.ToggleSelectedTank();
  }

 public:
  const Tanks* tanks = nullptr;

 private:
  TanksWindow& window_;
};

}  // namespace

TanksWindow::TanksWindow(PlanData& plan, Stability& stability, StabilityFrame& frame, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      plan_(plan),
      stability_(stability),
      tanks_(stability.tanks()),
      frame_(frame),
      frameAlive_(&frame),
      printer_(std::make_unique<PrintService>(plan)),
      programs_(std::make_unique<OutsidePrograms>(plan)) {
  setWindowTitle("Tanks");
  layout_ = new QHBoxLayout(this);
  layout_->setContentsMargins(4, 4, 4, 4);
  auto* tankPanel = new QWidget(this);
  auto* column = new QVBoxLayout(tankPanel);
  column->setContentsMargins(0, 0, 0, 0);

  // The group buttons, one always down.
  auto* buttons = new QHBoxLayout();
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (int g = kFirstTankGroup; g <= kLastTankGroup; ++g) {
    auto* button = new QToolButton(tankPanel);
    button->setText(kGroupCaptions[g - kFirstTankGroup]);
    button->setCheckable(true);
    button->setProperty("tag", g);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, ToQColor(TankGroupColour(g)));
    button->setPalette(palette);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    group->addButton(button, g);
    buttons->addWidget(button);
    SB[static_cast<size_t>(g - kFirstTankGroup)] = button;
  }
  SB[0]->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, &TanksWindow::GroupClick);
  buttons->addStretch(1);
  column->addLayout(buttons);

  auto* gridRow = new QHBoxLayout();
  SGtnk = new QTableWidget(0, 4, tankPanel);
  SGtnk->horizontalHeader()->hide();
  SGtnk->verticalHeader()->hide();
  SGtnk->setSelectionMode(QAbstractItemView::SingleSelection);
  SGtnk->setSelectionBehavior(QAbstractItemView::SelectItems);
  // A double click fills or empties the tank; typing edits the content.
  SGtnk->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                         QAbstractItemView::SelectedClicked);
  SGtnk->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  connect(SGtnk, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (Updating && row != previous) SelectRow(row);
  });
  connect(SGtnk, &QTableWidget::cellChanged, this, &TanksWindow::CellEdited);
  connect(SGtnk, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row != SelectedRow) SelectRow(row);
    ToggleSelectedTank();
  });
  gridRow->addWidget(SGtnk, 1);
  TrackBar = new QSlider(Qt::Vertical, tankPanel);
  // The minimum stands at the top: the thumb stands at the fill level.
  TrackBar->setInvertedAppearance(true);
  TrackBar->setInvertedControls(true);
  TrackBar->setTickPosition(QSlider::TicksRight);
  TrackBar->setEnabled(false);
  connect(TrackBar, &QSlider::valueChanged, this, &TanksWindow::TrackBarChange);
  gridRow->addWidget(TrackBar);
  column->addLayout(gridRow, 1);

  auto* box = new TankPlanBox(*this, tankPanel);
  box->tanks = &tanks_;
  PB = box;
  column->addWidget(PB);

  auto* commands = new QHBoxLayout();
  BAllFull = new QPushButton("All full", tankPanel);
  BAllEmpty = new QPushButton("All empty", tankPanel);
  SBreport = new QToolButton(tankPanel);
  SBreport->setText("Report");
  SBreport->setToolTip("Tanks Report");
  connect(BAllFull, &QPushButton::clicked, this, &TanksWindow::AllFullClick);
  connect(BAllEmpty, &QPushButton::clicked, this, &TanksWindow::AllEmptyClick);
  connect(SBreport, &QToolButton::clicked, this, &TanksWindow::ReportClick);
  commands->addWidget(BAllFull);
  commands->addWidget(BAllEmpty);
  commands->addStretch(1);
  commands->addWidget(SBreport);
  column->addLayout(commands);

  layout_->addWidget(tankPanel, 1);
  ApplyGroupColours();
}

TanksWindow::~TanksWindow() {
  // The weight panel is the frame's: it goes back before this window goes.
  if (frameAlive_ && frame_.Panel1 && frame_.Panel1->parentWidget() == this) frame_.RestorePanel1();
}

PrintService& TanksWindow::Printer() { return *printer_; }
OutsidePrograms& TanksWindow::Programs() { return *programs_; }

void TanksWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  std::string title;
  if (TitleText) {
    title = TitleText();
  } else {
    title = plan_.VesHdr[VesHdrIx::Vessel];
    const std::string& condition = plan_.PlaneTitle[static_cast<size_t>(plan_.CurPlane)];
    if (!Trim(condition).empty()) title += " - " + condition;
  }
  setWindowTitle("Tanks - " + Latin1(title));
  QString fontName = Latin1(plan_.Settings[SettingsIx::ListFontName]);
  QFont font = SGtnk->font();
  if (!fontName.trimmed().isEmpty()) font.setFamily(fontName);
  SGtnk->setFont(font);
  const int points = std::max(8, font.pointSize());
  const int rowHeight = std::max(points + 4, QFontMetrics(font).height() + 4);
  SGtnk->verticalHeader()->setDefaultSectionSize(rowHeight);
  // Room for a large group (a feeder's ballast tanks) without scrolling.
  SGtnk->setMinimumHeight(16 * rowHeight + 2 * SGtnk->frameWidth());
  for (int g = kFirstTankGroup; g <= kLastTankGroup; ++g) {
    const std::string name = TrimRight(stability_.ItemName(g));
    if (!name.empty()) SB[static_cast<size_t>(g - kFirstTankGroup)]->setText(Latin1(name));
  }
  // The weight panel beside the tanks, as the frame shows it.
  frame_.Panel1->setParent(this);
  layout_->addWidget(frame_.Panel1);
  frame_.Panel1->show();
  frame_.RefreshOnShow();
  ShowGroup();
  Updating = true;
  layout_->activate();
  adjustSize();
}

void TanksWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (event->spontaneous()) return;
  if (frame_.Panel1->parentWidget() == this) frame_.RestorePanel1();
}

void TanksWindow::ApplyGroupColours() {
  QPalette palette = SGtnk->palette();
  palette.setColor(QPalette::Highlight, ToQColor(TankHighlightColour(SelectedGroup)));
  // Readable on every group's highlight, navy's blue as well as yellow.
  palette.setColor(QPalette::HighlightedText, ToQColor(TextOn(TankHighlightColour(SelectedGroup))));
  SGtnk->setPalette(palette);
}

void TanksWindow::ShowGroup() {
  const bool updating = Updating;
  Updating = false;
  SGtnk->clearContents();
  RowTanks.clear();
  for (int t = 0; t < tanks_.Count() && static_cast<int>(RowTanks.size()) < kMaxGroupRows; ++t)
    if (tanks_.Group(t) == SelectedGroup) RowTanks.push_back(t);
  SGtnk->setRowCount(static_cast<int>(RowTanks.size()));
  for (int row = 0; row < static_cast<int>(RowTanks.size()); ++row) {
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem();
      if (c != 3) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) item->setForeground(ToQColor(TankGroupColour(SelectedGroup)));
      SGtnk->setItem(row, c, item);
    }
    RefreshRow(row);
  }
  SGtnk->resizeColumnsToContents();
  SGtnk->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  Updating = updating;
  SelectRow(RowTanks.empty() ? -1 : 0);
}

void TanksWindow::RefreshRow(int row) {
  if (row < 0 || row >= static_cast<int>(RowTanks.size())) return;
  const int tank = RowTanks[static_cast<size_t>(row)];
  // An empty tank keeps no content text.
  if (tanks_.Content(tank) <= 0) tanks_.Records[static_cast<size_t>(tank)][TankField::Content].clear();
  const std::array<std::string, 4> texts = TankRowTexts(tanks_, tank);
  const bool updating = Updating;
  Updating = false;
  for (int c = 0; c < 4; ++c)
    if (QTableWidgetItem* item = SGtnk->item(row, c)) item->setText(Latin1(texts[static_cast<size_t>(c)]));
  if (tank == SelectedTank) SetTrackBar(tank);
  Updating = updating;
  PB->update();
}

void TanksWindow::SetTrackBar(int tank) {
  const bool updating = Updating;
  Updating = false;
  const int maximum = static_cast<int>(std::trunc(tanks_.Capacity(tank)));
  TrackBar->setEnabled(tank >= 0 && maximum > 0);
  TrackBar->setRange(0, std::max(0, maximum));
  TrackBar->setTickInterval(std::max(1, static_cast<int>(std::trunc(tanks_.Capacity(tank) * 0.05))));
  TrackBar->setValue(maximum - static_cast<int>(std::trunc(tanks_.Content(tank))));
  Updating = updating;
}

void TanksWindow::SelectRow(int row) {
  if (row < 0 || row >= static_cast<int>(RowTanks.size())) {
    SelectedRow = -1;
    SelectedTank = -1;
    TrackBar->setEnabled(false);
    PB->update();
    return;
  }
  SelectedRow = row;
  SelectedTank = RowTanks[static_cast<size_t>(row)];
  const bool updating = Updating;
  Updating = false;
  if (SGtnk->currentRow() != row) SGtnk->setCurrentCell(row, 3);
  Updating = updating;
  SetTrackBar(SelectedTank);
  PB->update();
}

void TanksWindow::SetContent(int tank, double content) {
  tanks_.SetTankContent(tank, content);
  for (int row = 0; row < static_cast<int>(RowTanks.size()); ++row)
    if (RowTanks[static_cast<size_t>(row)] == tank) RefreshRow(row);
}

void TanksWindow::GroupClick(int group) {
  if (group == SelectedGroup || group < kFirstTankGroup || group > kLastTankGroup) return;
  SelectedGroup = group;
  SB[static_cast<size_t>(group - kFirstTankGroup)]->setChecked(true);
  ApplyGroupColours();
  ShowGroup();
}

void TanksWindow::TrackBarChange(int position) {
  if (!Updating || SelectedTank < 0) return;
  SetContent(SelectedTank, TrackBar->maximum() - position);
}

void TanksWindow::CellEdited(int row, int column) {
  if (!Updating || column != 3 || row < 0 || row >= static_cast<int>(RowTanks.size())) return;
  const int tank = RowTanks[static_cast<size_t>(row)];
  const std::string text = SGtnk->item(row, column)->text().toLatin1().toStdString();
  double content = ParseReal(text);
  content = std::min(content, tanks_.Capacity(tank));
  SetContent(tank, content);
  // The cell shows the content as taken, also when nothing changed.
  RefreshRow(row);
}

void TanksWindow::ToggleSelectedTank() {
  if (SelectedTank < 0) return;
  SetContent(SelectedTank, tanks_.Content(SelectedTank) > 0 ? 0.0 : tanks_.Capacity(SelectedTank));
}

void TanksWindow::PBMouseDown(int x, int y, bool rightButton) {
  Shapes = TankPlanShapes(tanks_, SelectedGroup, 0, PB->height() / 2);
  const int at = TankShapeAt(Shapes, x, y);
  if (at < 0) return;
  const TankShape& shape = Shapes[static_cast<size_t>(at)];
  const auto found = std::find(RowTanks.begin(), RowTanks.end(), shape.tank);
  if (found == RowTanks.end()) return;
  const int row = static_cast<int>(found - RowTanks.begin());
  SelectRow(row);
  SGtnk->scrollToItem(SGtnk->item(row, 3));
  if (rightButton) SetContent(shape.tank, ContentAtHeight(shape, tanks_.Capacity(shape.tank), y));
}

void TanksWindow::AllFullClick() {
  tanks_.FillGroup(SelectedGroup);
  ShowGroup();
}

void TanksWindow::AllEmptyClick() {
  tanks_.EmptyGroup(SelectedGroup);
  ShowGroup();
}

std::vector<std::string> TanksWindow::ReportLines() const {
  std::vector<std::string> lines = {TitleLine(plan_, plan_.CurPlane), " "};
  tanks_.TanksReport(lines);
  return lines;
}

void TanksWindow::ReportClick() {
  if (OpenReport) {
    OpenReport();
    return;
  }
  QMenu menu(this);
  QAction* word = menu.addAction("Word");
  QAction* print = menu.addAction("To printer");
  QAction* chosen = menu.exec(SBreport->mapToGlobal(QPoint(0, SBreport->height())));
  if (chosen == word) {
    std::string error;
    if (!ReportToWord(error)) QMessageBox::warning(this, windowTitle(), Latin1(error));
  } else if (chosen == print) {
    ReportToPrinter();
  }
}

bool TanksWindow::ReportToWord(std::string& error) { return programs_->OpenInWordProcessor(ReportLines(), error); }

bool TanksWindow::ReportToPrinter() {
  // The printer puts the title line on every page itself.
  std::vector<std::string> lines;
  tanks_.TanksReport(lines);
  return printer_->PrintLines(lines, false, 0, "", "", plan_.CurPlane);
}
