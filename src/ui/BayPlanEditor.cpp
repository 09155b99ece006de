#include "ui/BayPlanEditor.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/BayPlanPicture.h"
#include "planning/EditorCaption.h"
#include "planning/PlanContext.h"
#include "planning/Selection.h"
#include "planning/StackRules.h"
#include "planning/UnitRules.h"
#include "ui/Application.h"
#include "ui/QtCanvas.h"
#include "ui/UpperCaseEdit.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

constexpr int kLoad = 1;
constexpr int kDisch = 2;
constexpr int kRestow = 3;

// Settings of the window.
constexpr int kHeightSetting = 53;
constexpr int kWidthSetting = 54;
constexpr int kLeftSetting = 55;
constexpr int kTopSetting = 56;
constexpr int kProtectSetting = 73;

// The load totals' categories in the order the counters show them: 20'
// full, 40' full, 20' empty, 40' empty, break bulk.
constexpr std::array<int, 5> kShownCategories = {0, 2, 1, 3, 4};
constexpr std::array<const char*, 5> kCategoryHints = {"20' full", "40'full", "20'mty", "40'mty",
                                                       "BreakBulk"};

QToolButton* Button(QWidget* parent, const QString& text, const QString& hint = QString()) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(hint.isEmpty() ? text : hint);
  button->setAutoRaise(false);
  return button;
}

int PortSlot(const std::array<std::string, kTotalsPorts>& list, int count, const std::string& code) {
  for (int k = 0; k <= count && k < kTotalsPorts; ++k)
    if (list[static_cast<size_t>(k)] == code) return k;
  return -1;
}

}  // namespace

TPlanBox::TPlanBox(BayPlanEditor& form, QWidget* parent) : QWidget(parent), form_(form) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void TPlanBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (form_.Picture.isNull()) {
    painter.fillRect(event->rect(), ToQColor(form_.Background()));
    return;
  }
  painter.drawImage(event->rect(), form_.Picture, event->rect());
}

void TPlanBox::mouseMoveEvent(QMouseEvent* event) {
  form_.PBMouseMove(event->position().toPoint(), event->buttons());
}

void TPlanBox::mousePressEvent(QMouseEvent* event) {
  form_.PBMouseDown(event->position().toPoint(), event->button());
}

void TPlanBox::mouseReleaseEvent(QMouseEvent*) { form_.leftHeld_ = false; }

void TPlanBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  form_.RunLayout();
}

BayPlanEditor::BayPlanEditor(PlanData& plan, PlanContext& ctx, Selection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), plan_(plan), ctx_(ctx), selection_(selection) {
  setObjectName("BayPlanEditor");
  // The command bar: operation, selection, search, check, modes.
  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  SBope = Button(this, "Load", "Operation");
  connect(SBope, &QToolButton::clicked, this, &BayPlanEditor::OperationClick);
  SBport = Button(this, "");
  connect(SBport, &QToolButton::clicked, this, [this] {
    selection_.PresetConditionPort(plan_.CurPlane);
    RefreshPlan();
  });
  SBsel = Button(this, "Sel", "Selection");
  connect(SBsel, &QToolButton::clicked, this, [this] {
    if (OpenSelection) OpenSelection();
    RefreshPlan();
  });
  SBrs = Button(this, "rs", "Reset the selection");
  connect(SBrs, &QToolButton::clicked, this, [this] {
    selection_.RequestedPlane = plan_.CurPlane;
    selection_.ResetSelection();
    RefreshPlan();
  });
  SBsearch = Button(this, "Search", "Search Container");
  connect(SBsearch, &QToolButton::clicked, this, [this] {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, "Search Container", "Container", QLineEdit::Normal, "", &ok);
    if (ok) SearchContainer(text);
  });
  SBchk = Button(this, "Chk", "Stowage check");
  connect(SBchk, &QToolButton::clicked, this, [this] {
    if (RunCheck) RunCheck();
    RefreshPlan();
  });
  SBp = Button(this, "+", "Enlarge");
  connect(SBp, &QToolButton::clicked, this, [this] { Zoom(true); });
  SBm = Button(this, "-", "Fit the window");
  connect(SBm, &QToolButton::clicked, this, [this] { Zoom(false); });
  SBm->hide();
  for (QToolButton* b : {SBope, SBport, SBsel, SBrs, SBsearch, SBchk, SBp, SBm}) bar->addWidget(b);
  bar->addSpacing(8);

  // The colour and the letter modes: each a group of buttons, one pressed.
  auto modeButtons = [this, bar](QToolButton** buttons,
                                 const std::vector<std::pair<const char*, const char*>>& modes,
                                 void (BayPlanEditor::*choose)(int)) {
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(modes.size()); ++i) {
      buttons[i] = Button(this, modes[static_cast<size_t>(i)].first, modes[static_cast<size_t>(i)].second);
      buttons[i]->setCheckable(true);
      group->addButton(buttons[i], i);
      bar->addWidget(buttons[i]);
    }
    connect(group, &QButtonGroup::idClicked, this, choose);
    bar->addSpacing(8);
  };
  modeButtons(SBc.data(),
              {{"D", "Colour by port of discharge"},
               {"L", "Colour by port of loading"},
               {"DL", "Colour by both ports"},
               {"W", "Colour by weight"}},
              &BayPlanEditor::SetColourMode);
  modeButtons(SBl.data(),
              {{"no", "No letter"},
               {"D", "Discharge port letter"},
               {"L", "Loading port letter"},
               {"W", "Tons"},
               {"Imo", "IMO class"},
               {"Si", "Size"},
               {"cW", "Weight class"}},
              &BayPlanEditor::SetLetterMode);
  CBsection = new QComboBox(this);
  CBsection->addItems({"All bays", "1st half", "2nd half"});
  CBsection->setToolTip("Bays shown");
  connect(CBsection, &QComboBox::activated, this, &BayPlanEditor::SetSection);
  bar->addWidget(CBsection);
  SBoptions = Button(this, "Options");
  PopOpt = new QMenu(this);
  Onlyport1 = PopOpt->addAction("Protection on the other ports");
  Onlyport1->setCheckable(true);
  connect(Onlyport1, &QAction::toggled, this, [this](bool on) { ProtectOtherPorts = on; });
  HighCubeslimit = PopOpt->addAction("High Cubes restrictions U/D");
  HighCubeslimit->setCheckable(true);
  connect(HighCubeslimit, &QAction::toggled, this, [this](bool on) { plan_.HighCubeLimits = on ? 1 : 0; });
  connect(PopOpt, &QMenu::aboutToShow, this, [this] {
    Onlyport1->setChecked(ProtectOtherPorts);
    HighCubeslimit->setChecked(plan_.HighCubeLimits != 0);
  });
  connect(SBoptions, &QToolButton::clicked, this, [this] { PopOpt->popup(QCursor::pos()); });
  bar->addWidget(SBoptions);
  bar->addSpacing(8);
  SBolder = Button(this, "<", "The condition before");
  SBnewer = Button(this, ">", "The condition after");
  connect(SBolder, &QToolButton::clicked, this, [this] {
    if (Neighbour) Neighbour(true, true);
  });
  connect(SBnewer, &QToolButton::clicked, this, [this] {
    if (Neighbour) Neighbour(false, true);
  });
  bar->addWidget(SBolder);
  bar->addWidget(SBnewer);
  bar->addStretch();

  // The plan, and beside it the bay list of the one-bay view.
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setWidgetResizable(true);
  PB = new TPlanBox(*this, ScrollBox1);
  ScrollBox1->setWidget(PB);
  LIbay = new QListWidget(this);
  LIbay->setMaximumWidth(60);
  LIbay->hide();
  connect(LIbay, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    plan_.OneBayNumber = ParseInt(item->text().toLatin1().toStdString());
    RunLayout();
  });
  auto* planRow = new QHBoxLayout;
  planRow->addWidget(ScrollBox1, 1);
  planRow->addWidget(LIbay);

  // The plan's menu: what is shown works without the editing commands.
  Pop1 = new QMenu(this);
  OneBay1 = Pop1->addAction("One Bay");
  OneBay1->setShortcut(QKeySequence("Ctrl+Z"));
  addAction(OneBay1);
  connect(OneBay1, &QAction::triggered, this, &BayPlanEditor::OneBayClick);
  PortColor1 = Pop1->addAction("Colors");
  connect(PortColor1, &QAction::triggered, this, &BayPlanEditor::PortColourClick);

  // The bottom: position, stack weight, route totals.
  auto* bottom = new QHBoxLayout;
  LBbay = new QLabel(this);
  LBrow = new QLabel(this);
  LBtie = new QLabel(this);
  for (QLabel* l : {LBbay, LBrow, LBtie}) {
    l->setStyleSheet("color: blue; font-weight: bold;");
    l->setMinimumWidth(70);
    bottom->addWidget(l);
  }
  LBstk = new QLabel(this);
  LBstk->setMinimumWidth(90);
  LBstk->setToolTip("Stack weight / limit");
  LBostk = new QLabel(this);
  LBostk->setMinimumWidth(50);
  LBostk->setAutoFillBackground(true);
  bottom->addWidget(LBstk);
  bottom->addWidget(LBostk);
  bottom->addSpacing(16);
  auto* totals = new QGridLayout;
  totals->setHorizontalSpacing(6);
  totals->setVerticalSpacing(0);
  LBfrto = new QLabel(this);
  LBfm = new QLabel(this);
  LBto = new QLabel(this);
  totals->addWidget(LBfrto, 1, 0);
  totals->addWidget(LBfm, 2, 0);
  totals->addWidget(LBto, 3, 0);
  for (int c = 0; c < 5; ++c) {
    auto* header = new QLabel(kCategoryHints[static_cast<size_t>(c)], this);
    header->setAlignment(Qt::AlignRight);
    totals->addWidget(header, 0, c + 1);
    std::array<QLabel*, 5>* rows[] = {&LBroute, &LBfrom, &LBtowards};
    for (int r = 0; r < 3; ++r) {
      auto* label = new QLabel(this);
      label->setAlignment(Qt::AlignRight);
      label->setMinimumWidth(50);
      label->setToolTip(kCategoryHints[static_cast<size_t>(c)]);
      (*rows[r])[static_cast<size_t>(c)] = label;
      totals->addWidget(label, r + 1, c + 1);
    }
  }
  bottom->addLayout(totals);
  bottom->addStretch();

  BuildPanel();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(bar);
  layout->addLayout(planRow, 1);
  layout->addLayout(bottom);
  layout->addWidget(PAed);
  resize(1200, 800);
}

Colour BayPlanEditor::Background() const {
  const QColor window = palette().color(QPalette::Window);
  return PlanBackground(plan_, RgbColour(window.red(), window.green(), window.blue()));
}

void BayPlanEditor::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  SBsel->setVisible(static_cast<bool>(OpenSelection));
  SBchk->setVisible(static_cast<bool>(RunCheck));
  if (opened_) return;
  opened_ = true;
  RefreshCaption();
  ProtectOtherPorts = plan_.Settings[kProtectSetting] == "1";
  plan_.CurPlane = 0;
  plan_.HighCubeLimits = 1;
  HoverCell = -1;
  // The window where it was left; a size never stored fits the main window.
  QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
  int h = ParseInt(plan_.Settings[kHeightSetting]);
  int w = ParseInt(plan_.Settings[kWidthSetting]);
  if (h < 50) h = (main ? main->height() : 850) - 50;
  if (w < 50) w = (main ? main->width() : 1250) - 50;
  resize(w, h);
  if (!plan_.Settings[kLeftSetting].empty() && !plan_.Settings[kTopSetting].empty())
    move(ParseInt(plan_.Settings[kLeftSetting]), ParseInt(plan_.Settings[kTopSetting]));
  // The editor always opens in Load, with all bays.
  plan_.EditorOperation = kRestow;
  OperationClick();
  plan_.OneBayNumber = 0;
  LIbay->hide();
  LIbay->clear();
  for (int b = 0; b < plan_.BayCount && b < kMaxBays; ++b) LIbay->addItem(Latin1(plan_.Bays[b].BAY));
  SBc[static_cast<size_t>(std::clamp(plan_.ColourMode, 0, 3))]->setChecked(true);
  SBl[static_cast<size_t>(std::clamp(plan_.LetterMode, 0, 6))]->setChecked(true);
  FillCodeLists();
  LBports->hide();
  ShowRecordInPanel(PanelRecord, 0);
  ComputeBayLayout(plan_, Layout, kTargetScreen);
  RefreshPlan();
}

void BayPlanEditor::closeEvent(QCloseEvent* event) {
  if (!isMaximized() && !isMinimized()) {
    plan_.Settings[kHeightSetting] = std::to_string(height());
    plan_.Settings[kWidthSetting] = std::to_string(width());
    plan_.Settings[kLeftSetting] = std::to_string(x());
    plan_.Settings[kTopSetting] = std::to_string(y());
  }
  opened_ = false;
  QWidget::closeEvent(event);
}

void BayPlanEditor::RefreshCaption() {
  const StabilityResults* results = Stability ? Stability() : nullptr;
  setWindowTitle(Latin1(EditorCaption(plan_, results)));
  SBport->setText(Latin1(plan_.VesHdr[VesHdrIx::Port]));
  SBport->setToolTip(Latin1("Select " + plan_.VesHdr[VesHdrIx::Port]));
  UpdateNavigation();
}

void BayPlanEditor::UpdateNavigation() {
  SBolder->setVisible(static_cast<bool>(Neighbour));
  SBnewer->setVisible(static_cast<bool>(Neighbour));
  if (Neighbour) {
    SBolder->setEnabled(Neighbour(true, false));
    SBnewer->setEnabled(Neighbour(false, false));
  }
}

void BayPlanEditor::RefreshPlan() {
  if (!isVisible()) return;
  // The load totals are counted again from the cells as they are drawn.
  plan_.RedrawAll = 1;
  plan_.PolCount = -1;
  plan_.PodCount = -1;
  RunLayout();
  RefreshCaption();
}

void BayPlanEditor::RunLayout() {
  if (plan_.CellCount <= 0 || !PB) return;
  ComputeCellBoxes(plan_, Layout, PB->width(), PB->height(), kTargetScreen);
  PaintPicture();
}

void BayPlanEditor::PaintPicture() {
  if (PB->width() <= 0 || PB->height() <= 0) return;
  if (Picture.size() != PB->size()) Picture = QImage(PB->size(), QImage::Format_RGB32);
  View.onlyDangerous = selection_.Checks.OnlyDangerous;
  {
    QPainter painter(&Picture);
    QtCanvas canvas(painter, Picture.width(), Picture.height());
    PaintBayPlan(canvas, plan_, Layout, View, Background(), kTargetScreen);
  }
  if (HoverCell >= 0) DrawOneCell(HoverCell, kDrawFrameWhite);
  PB->update();
}

QRect BayPlanEditor::CellRect(int cell) const {
  const StructCel& box = plan_.Cells[static_cast<size_t>(cell)];
  // A cell draws marks a little beyond its box: over-size bars, the frame.
  return QRect(box.X - 3, box.Y - 3, plan_.CellPitchX + 7, plan_.CellPitchY + 7);
}

void BayPlanEditor::DrawOneCell(int cell, int highlight) {
  if (cell < 0 || cell >= plan_.CellCount || Picture.isNull()) return;
  {
    QPainter painter(&Picture);
    QtCanvas canvas(painter, Picture.width(), Picture.height());
    SetCellFont(canvas, plan_, Layout, kTargetScreen);
    DrawCell(canvas, plan_, Layout, View, cell, highlight, kTargetScreen);
  }
  PB->update(CellRect(cell));
}

void BayPlanEditor::RefreshCells(const std::vector<int>& cells) {
  for (int cell : cells) DrawOneCell(cell, cell == HoverCell ? cell : kDrawNormal);
  RefreshCaption();
}

void BayPlanEditor::HighlightCells(const std::vector<int>& cells) {
  RefreshPlan();
  if (cells.empty() || cells.front() < 0 || cells.front() >= plan_.CellCount) return;
  if (!CellIsShown(plan_, Layout, cells.front())) {
    plan_.OneBayNumber = 0;
    CBsection->setCurrentIndex(0);
    plan_.SectionFilter = 0;
    RunLayout();
  }
  const StructCel& box = plan_.Cells[static_cast<size_t>(cells.front())];
  MovePointer(QPoint(box.X + plan_.CellPitchX / 2, box.Y + plan_.CellPitchY / 2));
}

void BayPlanEditor::PBMouseMove(QPoint at, Qt::MouseButtons buttons) {
  pointer_ = at;
  leftHeld_ = buttons & Qt::LeftButton;
  if (plan_.CellCount <= 0) return;
  const int previous = HoverCell;
  if (previous >= 0) DrawOneCell(previous, kDrawFrameBlack);
  HoverCell = CellAtPoint(plan_, Layout, at.x(), at.y());
  if (HoverCell >= 0) {
    // A unit's drawing ends with its black frame: the white one of the
    // pointer goes on top.
    if (HoverCell != previous) DrawOneCell(HoverCell, HoverCell);
    DrawOneCell(HoverCell, kDrawFrameWhite);
  }
  ShowHint(HoverCell);
  if (HoverCell < 0) {
    ShowPosition(-1);
    ShowStackWeight(-1);
    ClearRouteTotals();
    ShowRecordInPanel(PanelRecord, 0);
    return;
  }
  // Dragging with the button held acts on every cell passed.
  if (leftHeld_ && plan_.EditorOperation != kRestow && HoverCell != previous && CellClick) {
    if (CellClick(HoverCell, false)) RefreshCells({HoverCell});
  }
  ShowPosition(HoverCell);
  ShowStackWeight(HoverCell);
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(HoverCell)];
  if (unit.STATUS >= 1) {
    ShowRecordInPanel(unit, 1);
    ShowRouteTotals(HoverCell);
  } else {
    ShowRecordInPanel(PanelRecord, 0);
    ClearRouteTotals();
  }
}

void BayPlanEditor::PBMouseDown(QPoint at, Qt::MouseButton button) {
  if (plan_.CellCount <= 0) return;
  const int cell = CellAtPoint(plan_, Layout, at.x(), at.y());
  if (button == Qt::RightButton) {
    // Beside the bays the right button turns Load into Disch and back.
    if (cell < 0) {
      OperationClick();
      if (plan_.EditorOperation == kRestow) OperationClick();
    } else if (HoverCell >= 0) {
      Pop1->popup(PB->mapToGlobal(at));
    }
    return;
  }
  if (button != Qt::LeftButton) return;
  leftHeld_ = true;
  if (cell >= 0 && CellClick && CellClick(cell, false)) RefreshCells({cell});
}

void BayPlanEditor::OperationClick() {
  plan_.EditorOperation = plan_.EditorOperation % 3 + 1;
  if (plan_.ConfigMode && plan_.EditorOperation == kRestow) plan_.EditorOperation = kLoad;
  struct Look {
    const char* caption;
    const char* colour;
    int cursor;
  };
  static const Look looks[] = {
      {"Load", "navy", 0}, {"Disch", "red", kCursorDisch}, {"Restow", "green", kCursorRestow}};
  const Look& look = looks[plan_.EditorOperation - 1];
  SBope->setText(look.caption);
  SBope->setStyleSheet(QString("color: %1; font-weight: bold;").arg(look.colour));
  auto* app = qobject_cast<Zum4Application*>(QCoreApplication::instance());
  if (look.cursor != 0 && app && app->Cursors.count(look.cursor))
    PB->setCursor(app->Cursors.at(look.cursor));
  else
    PB->unsetCursor();
}

void BayPlanEditor::SetColourMode(int mode) {
  plan_.ColourMode = mode;
  if (mode == 2) {
    plan_.LetterMode = 0;
    SBl[0]->setChecked(true);
  }
  SBc[static_cast<size_t>(mode)]->setChecked(true);
  PaintPicture();
}

void BayPlanEditor::SetLetterMode(int mode) {
  plan_.LetterMode = mode;
  SBl[static_cast<size_t>(mode)]->setChecked(true);
  PaintPicture();
}

void BayPlanEditor::OneBayClick() {
  if (plan_.OneBayNumber > 0 || HoverCell < 0) {
    plan_.OneBayNumber = 0;
    OneBay1->setText("One Bay");
  } else {
    plan_.OneBayNumber = BayOf(plan_, HoverCell);
    OneBay1->setText("All Bays");
    const QString number = Latin1(plan_.Bays[static_cast<size_t>(plan_.Cells[HoverCell].BAYIX)].BAY);
    LIbay->clearSelection();
    for (int i = 0; i < LIbay->count(); ++i)
      if (LIbay->item(i)->text() == number) LIbay->item(i)->setSelected(true);
  }
  LIbay->setVisible(plan_.OneBayNumber > 0);
  HoverCell = -1;
  RunLayout();
}

void BayPlanEditor::SetSection(int section) {
  plan_.SectionFilter = section;
  HoverCell = -1;
  RunLayout();
}

void BayPlanEditor::Zoom(bool in) {
  if (in) {
    zoomed_ = true;
    ScrollBox1->setWidgetResizable(false);
    PB->resize(PB->width() + PB->width() / 6, PB->height() + PB->height() / 6);
  } else {
    zoomed_ = false;
    ScrollBox1->setWidgetResizable(true);
  }
  SBm->setVisible(zoomed_);
  RunLayout();
}

bool BayPlanEditor::SearchContainer(const QString& text) {
  const std::string wanted = text.toLatin1().toStdString();
  for (int i = 0; i < plan_.CellCount && !wanted.empty(); ++i) {
    const StructDat& unit = plan_.Cur()[static_cast<size_t>(i)];
    if (unit.CONTAINER.find(wanted) == std::string::npos) continue;
    if (!CellIsShown(plan_, Layout, i)) {
      plan_.OneBayNumber = 0;
      plan_.SectionFilter = 0;
      CBsection->setCurrentIndex(0);
      LIbay->hide();
      RunLayout();
    }
    const StructCel& box = plan_.Cells[static_cast<size_t>(i)];
    MovePointer(QPoint(box.X + plan_.CellPitchX / 2, box.Y + plan_.CellPitchY / 2));
    return true;
  }
  QCursor::setPos(SBsearch->mapToGlobal(SBsearch->rect().center()));
  return false;
}

void BayPlanEditor::MovePointer(QPoint to) {
  ScrollBox1->ensureVisible(to.x(), to.y());
  QCursor::setPos(PB->mapToGlobal(to));
  // The platform may not report a move it did not see: the editor follows
  // the pointer itself.
  PBMouseMove(to, Qt::NoButton);
}

void BayPlanEditor::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape) {
    close();
    return;
  }
  if (plan_.ConfigMode) return;
  const int step = event->modifiers() & Qt::AltModifier ? 5 : 1;
  QPoint delta;
  if (key == Qt::Key_Left) delta = QPoint(-plan_.CellPitchX * step, 0);
  if (key == Qt::Key_Right) delta = QPoint(plan_.CellPitchX * step, 0);
  if (key == Qt::Key_Up) delta = QPoint(0, -plan_.CellPitchY * step);
  if (key == Qt::Key_Down) delta = QPoint(0, plan_.CellPitchY * step);
  if (!delta.isNull()) {
    QPoint from = pointer_;
    if (from.x() < 0) from = PB->mapFromGlobal(QCursor::pos());
    MovePointer(from + delta);
    return;
  }
  if (key == Qt::Key_Space && HoverCell >= 0) {
    Pop1->popup(PB->mapToGlobal(pointer_));
    return;
  }
  QWidget::keyPressEvent(event);
}

void BayPlanEditor::ShowPosition(int cell) {
  if (cell < 0) {
    LBbay->setText("Bay");
    LBrow->setText("Row");
    LBtie->setText("Tier");
    return;
  }
  const StructCel& c = plan_.Cells[static_cast<size_t>(cell)];
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  int bay = BayOf(plan_, cell);
  // A 40' unit stands in its 40' bay, which the bay names for deck and hold.
  if (unit.STATUS != 0 && !Is20Foot(unit)) {
    const StructBay& b = plan_.Bays[static_cast<size_t>(c.BAYIX)];
    const int forty = ParseInt(IsDeckTier(TierOf(plan_, cell)) ? b.D40 : b.H40);
    if (forty > 0) bay = forty;
  }
  LBbay->setText(QString("Bay %1").arg(bay, 2, 10, QChar('0')));
  LBrow->setText(QString("Row %1").arg(Latin1(c.CELL.substr(2, 2))));
  LBtie->setText(QString("Tier %1").arg(Latin1(c.CELL.substr(4, 2))));
}

void BayPlanEditor::ShowStackWeight(int cell) {
  if (cell < 0) {
    LBstk->clear();
    LBostk->clear();
    return;
  }
  const double w = EvaluateStack(plan_, cell);
  // A stack without 20' weight is held to the 40' limit.
  bool forty = true;
  const int bay = plan_.Cells[static_cast<size_t>(cell)].BAYIX;
  const int row = RowOf(plan_, cell);
  const bool deck = IsDeckTier(TierOf(plan_, cell));
  const StructBay& b = plan_.Bays[static_cast<size_t>(bay)];
  for (int i = std::max(b.FIRSTCELL, 0); i <= std::min(b.LASTCELL, plan_.CellCount - 1); ++i) {
    const StructDat& u = plan_.Cur()[static_cast<size_t>(i)];
    if (RowOf(plan_, i) == row && IsDeckTier(TierOf(plan_, i)) == deck && u.WEIGHT > 0 && Is20Foot(u))
      forty = false;
  }
  const double l = StackWeightLimit(plan_, cell, forty);
  const long W = std::lround(w);
  const long L = std::lround(l);
  if (W == 0) {
    LBstk->clear();
    LBostk->clear();
    return;
  }
  LBstk->setText(QString("%1/%2").arg(W).arg(L));
  {
    QPainter painter(&Picture);
    QtCanvas canvas(painter, Picture.width(), Picture.height());
    DrawStackOverweight(canvas, plan_, Layout, cell, w > l && l > 0, Background());
  }
  // The mark lies under the stack: only that column is shown again.
  PB->update(QRect(plan_.Cells[static_cast<size_t>(cell)].X, 0, plan_.CellPitchX + 1, PB->height()));
  QPalette palette = LBostk->palette();
  if (w > l && l > 0) {
    LBostk->setText(QString::number(W - L));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Window, Qt::red);
  } else {
    long spare = L - W;
    if (spare < 0) {
      spare = W - L;
      LBstk->clear();
    }
    LBostk->setText(QString::number(spare));
    palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    palette.setColor(QPalette::Window, Qt::white);
  }
  LBostk->setPalette(palette);
}

void BayPlanEditor::ClearRouteTotals() {
  for (QLabel* l : {LBfrto, LBfm, LBto}) l->clear();
  for (auto* row : {&LBroute, &LBfrom, &LBtowards})
    for (QLabel* l : *row) l->clear();
}

void BayPlanEditor::ShowRouteTotals(int cell) {
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  const int pol = PortSlot(plan_.PolList, plan_.PolCount, unit.POL);
  const int pod = PortSlot(plan_.PodList, plan_.PodCount, unit.POD);
  if (pol < 0 || pod < 0) return;
  LBfm->setText(Latin1("from " + unit.POL));
  LBto->setText(Latin1("to " + unit.POD));
  LBfrto->setText(Latin1(unit.POL + "  -  " + unit.POD));
  const auto& count = plan_.LoadTotals.COUNT;
  for (size_t c = 0; c < kShownCategories.size(); ++c) {
    const int category = kShownCategories[c];
    int fromPol = 0;
    int toPod = 0;
    for (int k = 0; k <= plan_.PodCount && k < kTotalsPorts; ++k) fromPol += count[pol][k][category];
    for (int k = 0; k <= plan_.PolCount && k < kTotalsPorts; ++k) toPod += count[k][pod][category];
    LBroute[c]->setText(QString::number(count[pol][pod][category]));
    LBfrom[c]->setText(QString::number(fromPol));
    LBtowards[c]->setText(QString::number(toPod));
  }
}

void BayPlanEditor::ShowHint(int cell) {
  if (cell < 0) {
    PB->setToolTip(QString());
    return;
  }
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  std::string hint;
  if (unit.STATUS >= 1) {
    if (IsHazardous(unit)) {
      for (int k = 0; k < plan_.UnnCount && k < kMaxUnn; ++k)
        if (plan_.Unn[static_cast<size_t>(k * kUnnFields)] == unit.UN[0])
          hint = plan_.Unn[static_cast<size_t>(k * kUnnFields + 2)] + " ";
    } else if (unit.RESTOW > 0 && !Trim(unit.RESTOW_FROM).empty()) {
      hint = "Restowed fm position " + unit.RESTOW_FROM;
    }
    if ((unit.FL2 == 1 || unit.FL2 == 4 || unit.FL2 == 5) &&
        !(unit.NOTE_HAN.empty() && unit.NOTE_CLR.empty() && unit.NOTE_AAA.empty() && unit.NOTE_ZZZ.empty()))
      hint += " " + unit.NOTE_HAN + " " + unit.NOTE_CLR + " " + unit.NOTE_AAA + " " + unit.NOTE_ZZZ;
  }
  PB->setToolTip(Latin1(hint));
}

void BayPlanEditor::PortColourClick() {
  if (HoverCell < 0) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(HoverCell)];
  if (unit.STATUS < 1) return;
  const std::string code = plan_.ColourMode == 1 ? unit.POL : unit.POD;
  QColor start = Qt::white;
  for (int p = 0; p < plan_.VoyPortCount; ++p)
    if (plan_.VoyPorts[static_cast<size_t>(p)].CODE == code)
      start = ToQColor(static_cast<Colour>(plan_.VoyPorts[static_cast<size_t>(p)].WINCOLOR));
  const QColor chosen = QColorDialog::getColor(start, this, "Color");
  if (!chosen.isValid()) return;
  SetPortColour(plan_, code, static_cast<int>(RgbColour(chosen.red(), chosen.green(), chosen.blue())));
  PaintPicture();
}

void BayPlanEditor::BuildPanel() {
  PAed = new QWidget(this);
  PAed->setAutoFillBackground(true);
  auto* grid = new QGridLayout(PAed);
  grid->setContentsMargins(2, 0, 2, 0);
  grid->setVerticalSpacing(0);
  auto edit = [this](int maxLength) {
    QLineEdit* e = UpperEdit(PAed, maxLength);
    // As wide as the widest code the field takes.
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QString(maxLength, 'W')) + 12);
    connect(e, &QLineEdit::textEdited, this, &BayPlanEditor::ReadPanel);
    return e;
  };
  EDpol = edit(3);
  EDpod = edit(3);
  EDprs = edit(3);
  EDfrm = edit(3);
  CBsiz = new QComboBox(PAed);
  CBtyp = new QComboBox(PAed);
  EDwei = new QLineEdit(PAed);
  EDwei->setMaximumWidth(EDwei->fontMetrics().horizontalAdvance("000.00") + 12);
  connect(EDwei, &QLineEdit::textEdited, this, &BayPlanEditor::ReadPanel);
  CBmty = new QCheckBox(PAed);
  EDope = edit(3);
  EDiso = edit(4);
  EDcnt = edit(11);
  EDimo = edit(4);
  EDunn = edit(4);
  connect(CBsiz, &QComboBox::activated, this, &BayPlanEditor::ReadPanel);
  connect(CBtyp, &QComboBox::activated, this, &BayPlanEditor::ReadPanel);
  connect(CBmty, &QCheckBox::clicked, this, &BayPlanEditor::ReadPanel);
  const std::pair<const char*, QWidget*> fields[] = {
      {"POL", EDpol},       {"POD", EDpod},  {"PRS", EDprs}, {"FRM", EDfrm},  {"SIZE", CBsiz},
      {"TYPE", CBtyp},      {"TONS", EDwei}, {"MTY", CBmty}, {"OPER", EDope}, {"ISO", EDiso},
      {"EQUIPMENT", EDcnt}, {"IMO", EDimo},  {"UN", EDunn}};
  int column = 0;
  for (const auto& [caption, field] : fields) {
    grid->addWidget(new QLabel(caption, PAed), 0, column);
    grid->addWidget(field, 1, column);
    ++column;
  }
  grid->setColumnStretch(static_cast<int>(std::size(fields)), 1);
  // The code fields open the picker of their codes on a double click.
  for (QWidget* field : std::initializer_list<QWidget*>{EDpol, EDpod, EDprs, EDfrm, CBtyp, EDimo, EDunn}) {
    field->installEventFilter(this);
    field->setToolTip("Double click: the codes");
  }
  LBports = new QListWidget(this);
  LBports->setToolTip("Click right to close");
  LBports->hide();
  LBports->viewport()->installEventFilter(this);
  connect(LBports, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { PickEntry(item->text()); });
}

void BayPlanEditor::FillCodeLists() {
  if (CBtyp->count() == 0) {
    for (int k = 0; k < plan_.TypeCount && k < kMaxTypes; ++k) {
      const StructTyp& type = plan_.Types[static_cast<size_t>(k)];
      // Types without a 20' ISO code of their own are not offered.
      if (!type.ISO20.empty() && type.ISO20[0] == '*') continue;
      CBtyp->addItem(Latin1(type.TYP));
    }
  }
  if (CBsiz->count() == 0) CBsiz->addItems({"20", "40", "45", "48"});
}

void BayPlanEditor::ShowRecordInPanel(const StructDat& record, int mode) {
  PanelMode = mode;
  const std::pair<QLineEdit*, std::string> texts[] = {
      {EDpol, record.POL},       {EDpod, record.POD},      {EDprs, record.PRS},
      {EDfrm, record.FRM},       {EDope, record.OPERATOR}, {EDiso, record.ISO},
      {EDcnt, record.CONTAINER}, {EDimo, record.IMO[0]},   {EDunn, record.UN[0]}};
  for (const auto& [edit, text] : texts) edit->setText(Latin1(text));
  EDwei->setText(record.WEIGHT > 0 ? Latin1(FormatFixed(record.WEIGHT, 2)) : QString());
  CBsiz->setCurrentText(Latin1(record.SIZ));
  const int type = CBtyp->findText(Latin1(record.TYP));
  if (type >= 0) CBtyp->setCurrentIndex(type);
  CBmty->setChecked(record.MTY > 0);
  // A unit on board is shown, not edited; the template is red and takes
  // input while no cell is under the pointer.
  const bool editable = mode == 0 && HoverCell < 0;
  PAed->setEnabled(editable || mode == 1);
  for (QLineEdit* edit : {EDpol, EDpod, EDprs, EDfrm, EDwei, EDope, EDiso, EDcnt, EDimo, EDunn})
    edit->setReadOnly(!editable);
  for (QWidget* w : std::initializer_list<QWidget*>{CBsiz, CBtyp, CBmty}) w->setEnabled(editable);
  // Restyling is dear and the pointer moves often: only a change of mode.
  if (styledMode_ != mode) {
    styledMode_ = mode;
    PAed->setStyleSheet(mode == 1 ? "QLineEdit { background: #d0d0d0; color: black; }"
                                  : "QLineEdit { background: white; color: red; }");
  }
}

void BayPlanEditor::ReadPanel() {
  if (PanelMode != 0) return;
  auto text = [](const QLineEdit* e) { return e->text().trimmed().toLatin1().toStdString(); };
  PanelRecord.POL = text(EDpol);
  PanelRecord.POD = text(EDpod);
  PanelRecord.PRS = text(EDprs);
  PanelRecord.FRM = text(EDfrm);
  PanelRecord.OPERATOR = text(EDope);
  PanelRecord.ISO = text(EDiso);
  PanelRecord.CONTAINER = text(EDcnt);
  PanelRecord.IMO[0] = text(EDimo);
  PanelRecord.UN[0] = text(EDunn);
  PanelRecord.SIZ = CBsiz->currentText().toLatin1().toStdString();
  PanelRecord.TYP = CBtyp->currentText().toLatin1().toStdString();
  PanelRecord.WEIGHT = ParseReal(text(EDwei));
  PanelRecord.MTY = CBmty->isChecked() ? 1 : 0;
}

bool BayPlanEditor::eventFilter(QObject* watched, QEvent* event) {
  if (!LBports) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonDblClick && watched != LBports->viewport()) {
    ShowPicker(static_cast<QWidget*>(watched));
    return true;
  }
  if (watched == LBports->viewport() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    LBports->hide();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void BayPlanEditor::ShowPicker(QWidget* field) {
  QStringList entries;
  if (field == EDpol || field == EDpod || field == EDprs || field == EDfrm) {
    for (int k = 0; k < plan_.PortCount && k < kMaxPorts; ++k)
      entries << Latin1(plan_.Ports[static_cast<size_t>(k)].CODE);
  } else if (field == CBtyp) {
    for (int k = 0; k < plan_.TypeCount && k < kMaxTypes; ++k)
      entries << Latin1(plan_.Types[static_cast<size_t>(k)].TYP + "-" +
                        plan_.Types[static_cast<size_t>(k)].DESCR);
  } else if (field == EDimo) {
    for (int k = 0; k < plan_.ImoCount && k < kMaxImos; ++k)
      entries << Latin1(plan_.Imos[static_cast<size_t>(k)].CLASS + "-" +
                        plan_.Imos[static_cast<size_t>(k)].TEXT);
  } else if (field == EDunn) {
    for (int k = 0; k < plan_.UnnCount && k < kMaxUnn; ++k) {
      const std::string* un = &plan_.Unn[static_cast<size_t>(k * kUnnFields)];
      entries << Latin1(un[0] + "-" + un[2] + "-" + un[1]);
    }
  } else {
    return;
  }
  pickerField_ = field;
  // The picker fills the template: the panel takes input from here on.
  HoverCell = -1;
  ShowRecordInPanel(PanelRecord, 0);
  LBports->clear();
  LBports->addItems(entries);
  int widest = 0;
  for (const QString& entry : entries)
    widest = std::max(widest, LBports->fontMetrics().horizontalAdvance(entry));
  const int width = widest + LBports->fontMetrics().horizontalAdvance("AAA") + 24;
  const int height = std::min(400, std::max(120, PAed->y() - 40));
  const QPoint at = field->mapTo(this, QPoint(0, 0));
  LBports->setGeometry(std::min(at.x(), this->width() - width), std::max(0, at.y() - height), width, height);
  LBports->show();
  LBports->raise();
  LBports->setFocus();
}

void BayPlanEditor::PickEntry(const QString& entry) {
  QWidget* field = pickerField_;
  const std::string text = entry.toLatin1().toStdString();
  if (field == EDpol || field == EDpod || field == EDprs || field == EDfrm) {
    static_cast<QLineEdit*>(field)->setText(entry);
  } else if (field == CBtyp) {
    for (int k = 0; k < plan_.TypeCount && k < kMaxTypes; ++k) {
      const StructTyp& type = plan_.Types[static_cast<size_t>(k)];
      if (type.TYP + "-" + type.DESCR != text) continue;
      if (CBtyp->findText(Latin1(type.TYP)) < 0) CBtyp->addItem(Latin1(type.TYP));
      CBtyp->setCurrentText(Latin1(type.TYP));
      break;
    }
  } else if (field == EDimo) {
    for (int k = 0; k < plan_.ImoCount && k < kMaxImos; ++k) {
      const StructImo& imo = plan_.Imos[static_cast<size_t>(k)];
      if (imo.CLASS + "-" + imo.TEXT != text) continue;
      EDimo->setText(Latin1(imo.CLASS));
      break;
    }
  } else if (field == EDunn) {
    for (int k = 0; k < plan_.UnnCount && k < kMaxUnn; ++k) {
      const std::string* un = &plan_.Unn[static_cast<size_t>(k * kUnnFields)];
      if (un[0] + "-" + un[2] + "-" + un[1] != text) continue;
      // The UN number brings its class along.
      EDimo->setText(Latin1(un[2].substr(0, 3)));
      EDunn->setText(Latin1(un[0]));
      break;
    }
  }
  LBports->hide();
  ReadPanel();
  // Off the plan, so that the next pointer move does not replace the
  // template in the panel with a unit.
  QCursor::setPos(SBsearch->mapToGlobal(QPoint(SBsearch->width() / 2, SBsearch->height() / 2)));
}
