#include "ui/BayPlanEditor.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
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
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "checks/CheckDigit.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/AttributePanel.h"
#include "planning/BayPlanPicture.h"
#include "planning/CellOps.h"
#include "planning/EditorCaption.h"
#include "planning/PlanContext.h"
#include "planning/Selection.h"
#include "planning/StackRules.h"
#include "planning/UnitRules.h"
#include "ui/Application.h"
#include "ui/DetailGridPanel.h"
#include "ui/LoadingListWindow.h"
#include "ui/NoteDialog.h"
#include "ui/OneFieldDialog.h"
#include "ui/QtCanvas.h"
#include "ui/QuayStrip.h"
#include "ui/UpperCaseEdit.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

// Settings of the window.
constexpr int kHeightSetting = 53;
constexpr int kWidthSetting = 54;
constexpr int kLeftSetting = 55;
constexpr int kTopSetting = 56;
constexpr int kProtectSetting = 73;
constexpr int kQuayOpenedSetting = 74;
// The position labels' look, unless a list unit's position is shown.
constexpr const char* kPositionStyle = "color: blue; font-weight: bold;";

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

// Slot of code in a port list of the load totals, -1 when it is not
// there. Only looked up: showing a unit never adds its ports to the totals.
int FindPortSlot(const std::array<std::string, kTotalsPorts>& list, int count, const std::string& code) {
  for (int k = 0; k <= count && k < kTotalsPorts; ++k)
    if (list[static_cast<size_t>(k)] == code) return k;
  return -1;
}

// The UN table's description of a UN number; empty when it is not listed.
std::string UnDescription(const PlanData& plan, const std::string& un) {
  if (un.empty()) return "";
  for (int k = 0; k < plan.UnnCount && k < kMaxUnn; ++k)
    if (plan.Unn[static_cast<size_t>(k * kUnnFields)] == un)
      return plan.Unn[static_cast<size_t>(k * kUnnFields + 2)];
  return "";
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

void TPlanBox::mouseReleaseEvent(QMouseEvent*) { form_.PBMouseUp(); }

void TPlanBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  form_.RunLayout();
}

BayPlanEditor::BayPlanEditor(PlanData& plan, PlanContext& ctx, Selection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      Commands(ctx),
      Quay(ctx),
      plan_(plan),
      ctx_(ctx),
      selection_(selection) {
  setObjectName("BayPlanEditor");
  CellClick = [this](int cell, bool secondary) { return Commands.CellClick(cell, secondary); };
  Quay.Connect(Commands);
  Commands.CellChanged = [this](int cell) {
    if (cell >= 0) changed_.push_back(cell);
  };
  // The command bar: operation, selection, search, check, modes.
  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  SBope = Button(this, "Load", "Operation");
  connect(SBope, &QToolButton::clicked, this, &BayPlanEditor::OperationClick);
  SBport = Button(this, "");
  connect(SBport, &QToolButton::clicked, this, [this] {
    selection_.PresetConditionPort(plan_.CurPlane);
    RefreshPlan();
    if (SelectionChanged) SelectionChanged();
  });
  SBsel = Button(this, "Sel", "Selection");
  connect(SBsel, &QToolButton::clicked, this, [this] {
    if (OpenSelection) OpenSelection();
    RefreshPlan();
    if (SelectionChanged) SelectionChanged();
  });
  SBrs = Button(this, "rs", "Reset the selection");
  connect(SBrs, &QToolButton::clicked, this, [this] {
    selection_.RequestedPlane = plan_.CurPlane;
    selection_.ResetSelection();
    RefreshPlan();
    if (SelectionChanged) SelectionChanged();
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
  SBquay = Button(this, "QUAY", "Quay");
  SBquay->setCheckable(true);
  connect(SBquay, &QToolButton::clicked, this, &BayPlanEditor::SBquayClick);
  for (QToolButton* b : {SBope, SBport, SBsel, SBrs, SBsearch, SBchk, SBp, SBm, SBquay}) bar->addWidget(b);
  // The units held after picking them up, and "Clear" that gives them back.
  LabelMess = new QLabel(this);
  LabelMess->setStyleSheet("color: green; font-weight: bold;");
  SBmov = Button(this, "Clear", "Put the held units back where they came from");
  connect(SBmov, &QToolButton::clicked, this, &BayPlanEditor::ClearQueueClick);
  SpeedButton2 = Button(this, "Align", "Allign to previous condition");
  connect(SpeedButton2, &QToolButton::clicked, this, &BayPlanEditor::AlignClick);
  LabelMess->hide();
  SBmov->hide();
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
  // Last on the bar, so that showing the held units moves no other button.
  bar->addSpacing(8);
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton2, LabelMess, SBmov}) bar->addWidget(w);
  bar->addStretch();

  // The plan, and beside it the bay list of the one-bay view.
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setWidgetResizable(true);
  PB = new TPlanBox(*this, ScrollBox1);
  ScrollBox1->setWidget(PB);
  LIbay = new QListWidget(this);
  LIbay->setMaximumWidth(60);
  LIbay->hide();
  LIbay->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The bay shown is the first one selected, in the list's order.
  connect(LIbay, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
    for (int i = 0; i < LIbay->count(); ++i) {
      if (!LIbay->item(i)->isSelected()) continue;
      plan_.OneBayNumber = ParseInt(LIbay->item(i)->text().toLatin1().toStdString());
      break;
    }
    RunLayout();
  });
  auto* planRow = new QHBoxLayout;
  planRow->addWidget(ScrollBox1, 1);
  planRow->addWidget(LIbay);

  // The plan's menu: the editing commands on the cell under the pointer.
  Pop1 = new QMenu(this);
  auto item = [this](QMenu* menu, const char* text, const char* keys, auto handler) {
    QAction* action = menu->addAction(text);
    if (keys) {
      action->setShortcut(QKeySequence(keys));
      action->setShortcutContext(Qt::WindowShortcut);
      addAction(action);
    }
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  Edit = item(Pop1, "Edit", "Ctrl+E", [this] { EditClick(); });
  Dump1 = Pop1->addMenu("Dump");
  Disch = item(Dump1, "Discharging", nullptr, [this] { DumpClick(kDumpDischarging); });
  Loading = item(Dump1, "Loaded", nullptr, [this] { DumpClick(kDumpLoaded); });
  LoadDisch = item(Dump1, "Route", nullptr, [this] { DumpClick(kDumpRoute); });
  DumpBay1 = item(Dump1, "Bay", nullptr, [this] { DumpClick(kDumpBay); });
  Operator = item(Dump1, "Operator", nullptr, [this] { DumpClick(kDumpOperator); });
  DumpAll1 = item(Dump1, "A L L", nullptr, [this] { DumpClick(kDumpAll); });
  PortColor1 = item(Pop1, "Colors", nullptr, [this] { PortColourClick(); });
  Change1 = Pop1->addMenu("Change");
  item(Change1, "Pol", nullptr, [this] { ChangeClick(kChangePol); });
  item(Change1, "Pod", nullptr, [this] { ChangeClick(kChangePod); });
  item(Change1, "Operator", nullptr, [this] { ChangeClick(kChangeOperator); });
  item(Change1, "Type", nullptr, [this] { ChangeClick(kChangeType); });
  Notes1 = item(Pop1, "Notes", nullptr, [this] { NotesClick(); });
  ImoAdditional1 = item(Pop1, "Imo Additional", nullptr, [this] { ImoAdditionalClick(); });
  Flatspkg1 = item(Pop1, "Bundle", nullptr, [this] { BundleClick(); });
  FillTier = item(Pop1, "Fill Tier", "Ctrl+T", [this] { FillClick(kFillTier); });
  FillRow = item(Pop1, "Fill Row", "Ctrl+R", [this] { FillClick(kFillRow); });
  FillBay = item(Pop1, "Fill Bay", "Ctrl+B", [this] { FillClick(kFillBay); });
  OneBay1 = item(Pop1, "One Bay", "Ctrl+Z", [this] { OneBayClick(); });
  Pop1->addSeparator();
  // Ctrl+Z belongs to One Bay.
  Undo1 = item(Pop1, "Undo", "Alt+Backspace", [this] { UndoClick(); });
  Redo1 = item(Pop1, "Redo", "Shift+Alt+Backspace", [this] { RedoClick(); });
  connect(Pop1, &QMenu::aboutToShow, this, &BayPlanEditor::Pop1Popup);
  connect(Pop1, &QMenu::aboutToHide, this, [this] { Commands.State.MenuBusy = false; });

  // The unit's additional dangerous goods and its bundle, over the plan.
  PAimo = new DetailGridPanel({"IMO", "UN"}, {3, 4}, this);
  PAfls = new DetailGridPanel({"Attached equipment"}, {12}, this);
  PAimo->hide();
  PAfls->hide();
  PAimo->Saved = [this](const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::pair<std::string, std::string>> goods;
    for (const auto& row : rows) goods.emplace_back(row[0], row[1]);
    const int cell = menuCell_;
    RunCommand([&] { return Commands.SetAdditionalImo(cell, goods); }, false);
    PAimo->hide();
  };
  PAfls->Saved = [this](const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> numbers;
    for (const auto& row : rows) numbers.push_back(row[0]);
    const int cell = menuCell_;
    RunCommand([&] { return Commands.SetBundle(cell, numbers); }, false);
    PAfls->hide();
  };
  PAimo->Closed = PAfls->Closed = [this] { Commands.State.MenuBusy = false; };

  // The bottom: position, stack weight, route totals.
  auto* bottom = new QHBoxLayout;
  LBbay = new QLabel(this);
  LBrow = new QLabel(this);
  LBtie = new QLabel(this);
  for (QLabel* l : {LBbay, LBrow, LBtie}) {
    l->setStyleSheet(kPositionStyle);
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
  // Wide enough for two port codes and the words around them.
  for (QLabel* l : {LBfrto, LBfm, LBto})
    l->setMinimumWidth(fontMetrics().horizontalAdvance("WWW  -  WWW") + 4);
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
  PAqua = new QuayStrip(*this, ctx, Quay, this);
  PAqua->hide();
  FormQuay = new LoadingListWindow(Quay, plan_, this);
  FormQuay->Changed = [this] {
    PAqua->ShowGroups();
    RefreshPlan();
  };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(bar);
  layout->addLayout(planRow, 1);
  layout->addWidget(PAqua);
  layout->addLayout(bottom);
  layout->addWidget(panelScroll_);
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
  SpeedButton2->setVisible(static_cast<bool>(AlignToPrevious));
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
  EditorState& state = Commands.State;
  state.EditMode = false;
  state.TeuLostMode = false;
  state.SwallowNextPress = false;
  state.MenuBusy = false;
  state.ClearPressGuards();
  // The editor always opens in Load, with all bays.
  plan_.EditorOperation = kOpRestow;
  OperationClick();
  plan_.OneBayNumber = 0;
  LIbay->hide();
  LIbay->clear();
  for (int b = 0; b < plan_.BayCount && b < kMaxBays; ++b) LIbay->addItem(Latin1(plan_.Bays[b].BAY));
  SBc[static_cast<size_t>(std::clamp(plan_.ColourMode, 0, 3))]->setChecked(true);
  SBl[static_cast<size_t>(std::clamp(plan_.LetterMode, 0, 6))]->setChecked(true);
  FillCodeLists();
  LBports->hide();
  LBcd->hide();
  PAnum->hide();
  // Quay mode as the planner set it up, at the first opening of a run;
  // afterwards as it was left.
  if (!quayModeRead_ && !plan_.ConfigMode) plan_.RemoveToQuay = plan_.Settings[kQuayOpenedSetting] == "1" ? 1 : 0;
  quayModeRead_ = true;
  PAqua->LoadWeightClasses();
  if (plan_.RemoveToQuay) PAqua->RefreshRoutes();
  ShowQuayMode();
  ClearAttributeMarks();
  // The template starts as the first size of the table, without weight.
  if (PanelRecord.SIZ.empty() && CBsiz->count() > 0)
    PanelRecord.SIZ = CBsiz->itemText(0).toLatin1().toStdString();
  ShowRecordInPanel(PanelRecord, false, 0);
  SetPanelEditable(true);
  EDwei->clear();
  ReadPanel();
  ShowRecordInPanel(PanelRecord, false, 0);
  ComputeBayLayout(plan_, Layout, kTargetScreen);
  RefreshPlan();
}

void BayPlanEditor::closeEvent(QCloseEvent* event) {
  LBports->hide();
  PAimo->hide();
  PAfls->hide();
  Commands.EndEditMode();
  panelScroll_->setStyleSheet("");
  ShowRecordInPanel(PanelRecord, false, 0);
  if (Commands.State.TeuLostMode) Commands.ToggleTeuLost(-1);
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
  EditorState& state = Commands.State;
  // While a menu or an edit is open the pointer only looks.
  if (state.MenuBusy || state.EditMode) return;
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
  const bool holding = state.MoveQueueTop >= 0;
  if (HoverCell < 0) {
    ShowPosition(-1);
    ShowStackWeight(-1);
    ClearRouteTotals();
    if (holding) {
      ShowRecordInPanel(Commands.UnitInHand(), false, 2);
    } else {
      ShowRecordInPanel(PanelRecord, false, 0);
      SetPanelEditable(true);
    }
    return;
  }
  // Dragging with the button held acts on every cell passed.
  if (leftHeld_ && plan_.EditorOperation != kOpRestow && !state.TeuLostMode && HoverCell != previous &&
      CellClick)
    RunCommand([this] { return CellClick(HoverCell, false); }, false);
  ShowPosition(HoverCell);
  ShowStackWeight(HoverCell);
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(HoverCell)];
  // The second cell of a 40' unit shows that unit too.
  if (!IsFreeRecord(unit)) {
    ShowRecordInPanel(unit, false, 1);
    ShowRouteTotals(HoverCell);
  } else if (holding) {
    ShowRecordInPanel(Commands.UnitInHand(), false, 2);
    ClearRouteTotals();
  } else {
    ShowRecordInPanel(PanelRecord, false, 0);
    ClearRouteTotals();
  }
}

void BayPlanEditor::PBMouseDown(QPoint at, Qt::MouseButton button) {
  if (plan_.CellCount <= 0) return;
  EditorState& state = Commands.State;
  const int cell = CellAtPoint(plan_, Layout, at.x(), at.y());
  if (button == Qt::RightButton && cell < 0 && !state.MenuBusy && !state.EditMode) {
    // Beside the bays the right button turns Load into Disch and back.
    OperationClick();
    if (plan_.EditorOperation == kOpRestow) OperationClick();
    return;
  }
  state.ClearPressGuards();
  if (state.SwallowNextPress) {
    state.SwallowNextPress = false;
    return;
  }
  if (state.MenuBusy) return;
  if (button == Qt::RightButton) {
    if (HoverCell >= 0 && state.MoveQueueTop < 0 && !state.EditMode && !plan_.ConfigMode) {
      menuCell_ = HoverCell;
      Pop1->popup(PB->mapToGlobal(at));
    }
    return;
  }
  if (button != Qt::LeftButton) return;
  const bool editing = state.EditMode;
  if (HoverCell < 0 && cell >= 0) HoverCell = cell;
  const int target = HoverCell;
  leftHeld_ = true;
  RunCommand([&] { return CellClick && CellClick(target, false); }, false);
  if (editing) {
    // The edit ends with this press, whatever it did.
    Commands.EndEditMode();
    panelScroll_->setStyleSheet("");
    state.MenuBusy = false;
    ShowRecordInPanel(PanelRecord, false, 0);
  }
}

void BayPlanEditor::PBMouseUp() {
  leftHeld_ = false;
  Commands.State.ClearPressGuards();
  Commands.State.MenuBusy = false;
}

int BayPlanEditor::ActionCell() const { return menuCell_ >= 0 ? menuCell_ : HoverCell; }

void BayPlanEditor::RunCommand(const std::function<bool()>& command, bool wholePlan) {
  changed_.clear();
  const bool changed = command();
  AfterCommand(changed, wholePlan);
}

void BayPlanEditor::AfterCommand(bool changed, bool wholePlan) {
  if (wholePlan) {
    RefreshPlan();
  } else {
    std::vector<int> cells = changed_;
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    cells.erase(
        std::remove_if(cells.begin(), cells.end(), [this](int c) { return c < 0 || c >= plan_.CellCount; }),
        cells.end());
    // Stack marks and totals follow a placement; the plan is cheap to
    // repaint once the cells themselves are drawn again.
    if (changed) RefreshCells(cells);
  }
  changed_.clear();
  ShowQueue();
  // A Load press took a list unit, a discharge put one on the quay.
  if (plan_.RemoveToQuay) {
    PAqua->ShowGroups();
    if (FormQuay->isVisible()) FormQuay->Refresh();
  }
  if (changed && HoverCell >= 0) {
    // The panel and the figures of the cell under the pointer follow.
    const int cell = HoverCell;
    HoverCell = -1;
    const bool held = leftHeld_;
    PBMouseMove(pointer_, Qt::NoButton);
    leftHeld_ = held;
    if (HoverCell < 0) HoverCell = cell;
  }
}

void BayPlanEditor::ShowQueue() {
  const EditorState& state = Commands.State;
  const bool holding = state.MoveQueueTop >= 0 && !state.TeuLostMode;
  LabelMess->setVisible(holding);
  SBmov->setVisible(holding);
  if (holding) LabelMess->setText(QString("%1 held").arg(state.MoveQueueTop + 1));
  auto* app = qobject_cast<Zum4Application*>(QCoreApplication::instance());
  const bool queueCursor = state.MoveQueueTop >= 0;
  if (queueCursor && app && app->Cursors.count(kCursorLoad))
    PB->setCursor(app->Cursors.at(kCursorLoad));
  else if (!queueCursor)
    OperationLook();
}

void BayPlanEditor::SBquayClick() {
  if (Commands.State.EditMode) {
    ShowQuayMode();
    return;
  }
  PAnum->hide();
  plan_.EditorOperation = kOpLoad;
  OperationLook();
  plan_.RemoveToQuay = plan_.RemoveToQuay ? 0 : 1;
  if (!plan_.RemoveToQuay) {
    if (FormQuay->isVisible()) FormQuay->close();
  } else {
    PAqua->RefreshRoutes();
    if (plan_.Settings[SettingsIx::LoadingListOpened] > "0") {
      Quay.Layout = Quay.SortByTons ? kListByWeight : kListNormal;
      FormQuay->show();
    }
  }
  ShowQuayMode();
  // The quay's commands are offered at once, unless the list merges
  // into placeholders, where its menu has nothing to remove.
  if (plan_.RemoveToQuay && isVisible() && !(FormQuay->isVisible() && !Quay.LoadMode))
    PAqua->PMquay->popup(PAqua->mapToGlobal(PAqua->L[0]->geometry().bottomLeft()));
  RefreshPlan();
}

void BayPlanEditor::SBqlistClick() {
  if (FormQuay->isVisible()) {
    FormQuay->close();
    return;
  }
  Quay.ChooseGroup(Quay.QuayGroup);
  FormQuay->show();
  FormQuay->raise();
}

void BayPlanEditor::ShowQuayMode() {
  const bool on = plan_.RemoveToQuay != 0;
  PAqua->setVisible(on);
  EDtoq->setVisible(on);
  SBquay->setChecked(on);
  SBquay->setToolTip(on ? "Close Quay" : "Quay");
  if (on) PAqua->ShowGroups();
}

void BayPlanEditor::OperationClick() {
  Commands.SwitchOperation();
  ClearAttributeMarks();
  OperationLook();
}

void BayPlanEditor::OperationLook() {
  struct Look {
    const char* caption;
    const char* colour;
    int cursor;
  };
  static const Look looks[] = {
      {"Load", "navy", 0}, {"Disch", "red", kCursorDisch}, {"Restow", "green", kCursorRestow}};
  const Look& look = looks[std::clamp(plan_.EditorOperation, 1, 3) - 1];
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
  EditorState& state = Commands.State;
  const bool idle = state.MoveQueueTop < 0 && !state.EditMode && HoverCell >= 0;
  if (key == Qt::Key_Space && idle) {
    menuCell_ = HoverCell;
    Pop1->popup(PB->mapToGlobal(pointer_));
    return;
  }
  if (key == Qt::Key_Delete && idle && !PAimo->isVisible() && !PAfls->isVisible()) {
    // Delete discharges whatever the operation shown.
    const int saved = plan_.EditorOperation;
    plan_.EditorOperation = kOpDisch;
    state.ClearPressGuards();
    const int cell = HoverCell;
    RunCommand([&] { return Commands.CellClick(cell, false); }, false);
    plan_.EditorOperation = saved;
    OperationLook();
    return;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && idle && !focusWidget()->inherits("QLineEdit")) {
    const int cell = HoverCell;
    RunCommand(
        [&] {
          Commands.UnitInHand() = PanelRecord;
          const bool ok = Commands.EditorPlace(cell, false);
          if (!ok) Commands.UnitInHand() = StructDat{};
          return ok;
        },
        false);
    return;
  }
  if (key == Qt::Key_L && plan_.EditorOperation == kOpLoad && !focusWidget()->inherits("QLineEdit")) {
    if (Commands.ToggleTeuLost(HoverCell)) {
      PB->setToolTip(state.TeuLostMode ? "Teus lost" : "");
      if (state.TeuLostMode) QToolTip::showText(QCursor::pos(), "Teus lost", PB);
      ShowQueue();
    }
    return;
  }
  QWidget::keyPressEvent(event);
}

void BayPlanEditor::Pop1Popup() {
  Commands.State.MenuBusy = true;
  const int cell = menuCell_ >= 0 ? menuCell_ : HoverCell;
  menuCell_ = cell;
  const bool hovered = cell >= 0 && cell < plan_.CellCount;
  for (QAction* a : {Edit, Dump1->menuAction(), PortColor1, Change1->menuAction(), Notes1, ImoAdditional1,
                     OneBay1, Flatspkg1, FillBay, FillTier, FillRow})
    a->setVisible(false);
  Undo1->setEnabled(Commands.History.CanUndo());
  Redo1->setEnabled(Commands.History.CanRedo());
  OneBay1->setVisible(true);
  if (!hovered) return;
  Commands.State.SwallowNextPress = true;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  const bool occupied = !IsFreeRecord(unit);
  for (QAction* a :
       {Edit, Dump1->menuAction(), PortColor1, Change1->menuAction(), Notes1, ImoAdditional1, Flatspkg1})
    a->setVisible(occupied);
  Edit->setEnabled(!Commands.State.EditMode);
  const bool numbered = unit.CONTAINER.size() >= 5;
  if (!numbered || !IsHazardous(unit)) ImoAdditional1->setVisible(false);
  if (!numbered) {
    Notes1->setVisible(false);
    Flatspkg1->setVisible(false);
  }
  if (unit.STATUS < 1 || unit.FL3 > 0)
    for (QAction* a : {Edit, Notes1, ImoAdditional1, Flatspkg1}) a->setVisible(false);
  for (QAction* a : {FillBay, FillTier, FillRow}) a->setVisible(!occupied);
  if (occupied) {
    Disch->setText(Latin1("Discharging " + unit.POD));
    Loading->setText(Latin1("Loaded " + unit.POL));
    LoadDisch->setText(Latin1(unit.POL + " / " + unit.POD));
    Operator->setText(Latin1("Operator " + unit.OPERATOR));
  }
}

void BayPlanEditor::EditClick() {
  const int cell = ActionCell();
  menuCell_ = -1;
  if (!Commands.StartEdit(cell)) return;
  ShowRecordInPanel(PanelRecord, false, 4);
  SetPanelEditable(true);
  // The panel's red frame says the next press puts the edited unit back.
  panelScroll_->setStyleSheet("QScrollArea { border: 2px solid #ff0000; }");
  ClearAttributeMarks();
}

void BayPlanEditor::FillClick(int kind) {
  const int cell = ActionCell();
  menuCell_ = -1;
  if (cell < 0 || !IsFreeRecord(plan_.Cur()[static_cast<size_t>(cell)])) return;
  ReadPanel();
  RunCommand([&] { return Commands.FillCells(cell, false, kind) > 0; }, true);
}

void BayPlanEditor::DumpClick(int kind) {
  const int cell = ActionCell();
  menuCell_ = -1;
  if (cell < 0) return;
  const std::string question = Commands.DumpQuestion(cell, kind);
  const std::string value = Commands.DumpValue(cell, kind);
  if (ctx_.host.Ask("DUMP", "", question, false) != Host::Answer::Yes) {
    Commands.State.MenuBusy = false;
    return;
  }
  RunCommand([&] { return Commands.DumpUnits(cell, value, kind) > 0; }, true);
}

void BayPlanEditor::ChangeClick(int kind) {
  const int cell = ActionCell();
  menuCell_ = -1;
  if (cell < 0) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  const std::string old = kind == kChangePol        ? unit.POL
                          : kind == kChangePod      ? unit.POD
                          : kind == kChangeOperator ? unit.OPERATOR
                                                    : unit.TYP;
  std::string value;
  if (!OneFieldDialog::Ask(Latin1(EditorCommands::ChangeCaption(kind)), Latin1(old),
                           EditorCommands::ChangeValueLength(kind), true, value, this)) {
    Commands.State.MenuBusy = false;
    return;
  }
  RunCommand([&] { return Commands.ChangeAttribute(old, value, kind) > 0; }, true);
}

void BayPlanEditor::NotesClick() {
  const int cell = ActionCell();
  menuCell_ = -1;
  if (cell < 0) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  NoteDialog dialog(unit.CONTAINER, {unit.NOTE_HAN, unit.NOTE_CLR, unit.NOTE_AAA, unit.NOTE_ZZZ}, this);
  // Above the bottom panel, centred.
  dialog.adjustSize();
  dialog.move(mapToGlobal(
      QPoint((width() - dialog.width()) / 2, std::max(0, panelScroll_->y() - dialog.height() - 8))));
  dialog.exec();
  if (dialog.Changed) RunCommand([&] { return Commands.SetNotes(cell, dialog.Notes); }, false);
  Commands.State.MenuBusy = false;
  Commands.State.SwallowNextPress = false;
}

namespace {

// Places a detail panel over the plan, just above the bottom panel.
void PlaceOverPlan(QWidget* panel, QWidget* under, QWidget* window) {
  panel->adjustSize();
  const QPoint at = under->mapTo(window, QPoint(0, 0));
  panel->move(std::max(0, at.x()), std::max(0, at.y() - panel->height() - 4));
  panel->raise();
  panel->show();
}

}  // namespace

void BayPlanEditor::ImoAdditionalClick() {
  const int cell = ActionCell();
  if (cell < 0) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  std::vector<std::vector<std::string>> rows;
  for (size_t slot = 1; slot <= 5; ++slot) rows.push_back({unit.IMO[slot], unit.UN[slot]});
  PAimo->SetRows(rows);
  Commands.State.MenuBusy = true;
  PlaceOverPlan(PAimo, panelScroll_, this);
}

void BayPlanEditor::BundleClick() {
  const int cell = ActionCell();
  if (cell < 0) return;
  const StructDat& unit = plan_.Cur()[static_cast<size_t>(cell)];
  std::vector<std::vector<std::string>> rows;
  for (size_t slot = 0; slot < 5; ++slot) rows.push_back({unit.EQA[slot]});
  PAfls->SetRows(rows);
  Commands.State.MenuBusy = true;
  PlaceOverPlan(PAfls, panelScroll_, this);
}

void BayPlanEditor::UndoClick() {
  menuCell_ = -1;
  RunCommand([this] { return Commands.Undo(); }, true);
}

void BayPlanEditor::RedoClick() {
  menuCell_ = -1;
  RunCommand([this] { return Commands.Redo(); }, true);
}

void BayPlanEditor::ClearQueueClick() {
  RunCommand([this] { return Commands.ClearMoveQueue() > 0; }, true);
  OperationLook();
}

void BayPlanEditor::AlignClick() {
  if (!AlignToPrevious || !AlignToPrevious()) return;
  Commands.History.Clear();
  RefreshPlan();
}

void BayPlanEditor::ShowPosition(int cell) {
  // The purple of a list unit's position is gone once a cell is shown.
  if (LBbay->styleSheet().contains("800080"))
    for (QLabel* l : {LBbay, LBrow, LBtie}) l->setStyleSheet(kPositionStyle);
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
  // Where the digits stand in a cell name is the vessel's own layout.
  LBrow->setText(
      QString("Row %1").arg(Latin1(Columns(c.CELL, plan_.RowPos, plan_.RowPos + plan_.RowLen - 1))));
  LBtie->setText(
      QString("Tier %1").arg(Latin1(Columns(c.CELL, plan_.TierPos, plan_.TierPos + plan_.TierLen - 1))));
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
  const int pol = FindPortSlot(plan_.PolList, plan_.PolCount, unit.POL);
  const int pod = FindPortSlot(plan_.PodList, plan_.PodCount, unit.POD);
  if (pol < 0 || pod < 0) return;
  LBfm->setText(Latin1("from " + unit.POL));
  LBto->setText(Latin1("to " + unit.POD));
  LBfrto->setText(Latin1(unit.POL + "  -  " + unit.POD));
  // The totals are kept by port of discharge first, then port of loading.
  const auto& count = plan_.LoadTotals.COUNT;
  for (size_t c = 0; c < kShownCategories.size(); ++c) {
    const int category = kShownCategories[c];
    int fromPol = 0;
    int toPod = 0;
    for (int k = 0; k <= plan_.PodCount && k < kTotalsPorts; ++k) fromPol += count[k][pol][category];
    for (int k = 0; k <= plan_.PolCount && k < kTotalsPorts; ++k) toPod += count[pod][k][category];
    LBroute[c]->setText(QString::number(count[pod][pol][category]));
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
  if (!IsFreeRecord(unit)) {
    if (IsHazardous(unit)) {
      hint = UnDescription(plan_, unit.UN[0]) + " ";
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
  // Captions above, fields below, each caption exactly as wide as its
  // field: the captions stay clickable (marks) while the fields are
  // disabled for a unit on board.
  // On a narrow screen the panel scrolls sideways rather than widening the
  // window.
  auto* panel = new QWidget;
  auto* panelRows = new QVBoxLayout(panel);
  panelRows->setContentsMargins(0, 0, 0, 0);
  panelRows->setSpacing(0);
  PAlbl = new QWidget(panel);
  PAed = new QWidget(panel);
  PAed->setAutoFillBackground(true);
  panelRows->addWidget(PAlbl);
  panelRows->addWidget(PAed);
  panelScroll_ = new QScrollArea(this);
  panelScroll_->setFrameShape(QFrame::NoFrame);
  panelScroll_->setWidgetResizable(true);
  panelScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  panelScroll_->setWidget(panel);
  panelScroll_->installEventFilter(this);
  auto* captions = new QHBoxLayout(PAlbl);
  auto* fields = new QHBoxLayout(PAed);
  for (QHBoxLayout* row : {captions, fields}) {
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(6);
  }
  const QFontMetrics metrics(font());
  auto edit = [this](int tag, int maxLength) {
    QLineEdit* e = UpperEdit(PAed, maxLength);
    e->setProperty("tag", tag);
    connect(e, &QLineEdit::textEdited, this, [this, e] { EDChange(e); });
    return e;
  };
  auto combo = [this](int tag) {
    auto* c = new QComboBox(PAed);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setProperty("tag", tag);
    // Two-character codes: completing "F" to "FL" would fill the field and
    // move the focus on before the second letter is typed.
    c->setCompleter(nullptr);
    c->lineEdit()->setMaxLength(2);
    MakeUpperCase(c->lineEdit());
    connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, c] { EDChange(c); });
    return c;
  };
  EDcnt = edit(1, 12);
  EDpol = edit(2, 3);
  EDpod = edit(3, 3);
  EDprs = edit(4, 3);
  EDfrm = edit(5, 3);
  EDwei = edit(6, 6);
  CBsiz = combo(8);
  CBtyp = combo(8);
  EDimo = edit(10, 3);
  EDunn = edit(11, 4);
  EDtmi = edit(13, 3);
  EDtma = edit(14, 3);
  EDohi = edit(15, 3);
  EDowp = edit(16, 3);
  EDows = edit(17, 3);
  EDolf = edit(18, 4);
  CBmty = new QCheckBox(PAed);
  CBmty->setProperty("tag", 20);
  EDope = edit(21, 4);
  EDtoq = edit(99, 3);
  EDtoq->setToolTip("Units to put on the quay");
  LBiso = new QLabel("ISO", PAed);
  connect(EDcnt, &QLineEdit::editingFinished, this, &BayPlanEditor::EDcntExit);
  connect(CBsiz, &QComboBox::activated, this, [this] {
    ReadPanel();
    CBtyp->setFocus();
  });
  connect(CBtyp, &QComboBox::activated, this, [this] {
    ReadPanel();
    EDpol->setFocus();
    LabelsByType();
  });
  connect(CBtyp, &QComboBox::currentTextChanged, this, &BayPlanEditor::LabelsByType);
  connect(CBmty, &QCheckBox::clicked, this, [this] {
    ReadPanel();
    CBsiz->setFocus();
  });

  LBpol = new QLabel("POL", PAlbl);
  LBpod = new QLabel("POD", PAlbl);
  LBprs = new QLabel("PRS", PAlbl);
  LBfrm = new QLabel("FRM", PAlbl);
  LBsiz = new QLabel("SIZE", PAlbl);
  LBtyp = new QLabel("TYPE", PAlbl);
  LBwei = new QLabel("TONS", PAlbl);
  LBmty = new QLabel("MTY", PAlbl);
  LBope = new QLabel("OPER", PAlbl);
  LBtemps = new QLabel("TMin", PAlbl);
  LBoh = new QLabel("OH", PAlbl);
  LBowp = new QLabel("OWP", PAlbl);
  LBows = new QLabel("OWS", PAlbl);
  LBol = new QLabel(" OL", PAlbl);
  equipmentCaption_ = new QLabel("EQUIPMENT", PAlbl);
  for (QLabel* mark : MarkLabels()) {
    mark->setAutoFillBackground(true);
    mark->setToolTip("Click: mark for transfer to the units clicked");
    mark->installEventFilter(this);
  }

  // Column widths: codes are measured in W, numbers in 0, with room for
  // the frame; a combo box also holds its arrow.
  auto wide = [&metrics](const QString& sample) { return metrics.horizontalAdvance(sample) + 12; };
  struct Column {
    QLabel* caption;
    QWidget* field;
    int width;
  };
  const Column columns[] = {
      {LBpol, EDpol, wide("WWW")},
      {LBpod, EDpod, wide("WWW")},
      {LBprs, EDprs, wide("WWW")},
      {LBfrm, EDfrm, wide("WWW")},
      {LBsiz, CBsiz, wide("WW") + 24},
      {LBtyp, CBtyp, wide("WW") + 24},
      {LBwei, EDwei, wide("000,00")},
      {LBmty, CBmty, 0},
      {LBope, EDope, wide("WWWW")},
      {new QLabel("ISO", PAlbl), LBiso, wide("WWWW")},
      {equipmentCaption_, EDcnt, wide("WWWW 0000000")},
      {new QLabel("IMO", PAlbl), EDimo, wide("0.0")},
      {new QLabel("UN", PAlbl), EDunn, wide("0000")},
      {LBtemps, EDtmi, wide("-000")},
      {new QLabel("TMax", PAlbl), EDtma, wide("-000")},
      {LBoh, EDohi, wide("000")},
      {LBowp, EDowp, wide("000")},
      {LBows, EDows, wide("000")},
      {LBol, EDolf, wide("0000")},
      {new QLabel("", PAlbl), EDtoq, wide("000")},
  };
  for (const Column& c : columns) {
    const int width =
        std::max({c.width, c.caption->sizeHint().width(), c.field->sizeHint().width() * (c.width == 0)});
    c.caption->setFixedWidth(width);
    c.field->setFixedWidth(width);
    captions->addWidget(c.caption);
    fields->addWidget(c.field);
  }
  captions->addStretch();
  fields->addStretch();
  EDtoq->hide();
  panelScroll_->setFixedHeight(PAlbl->sizeHint().height() + PAed->sizeHint().height() +
                               panelScroll_->horizontalScrollBar()->sizeHint().height());
  // Grey while focused, so that the key that checks it has a visible target.
  CBmty->setStyleSheet("QCheckBox:focus { background: #808080; }");

  LBcd = new QLabel(PAlbl);
  LBcd->setStyleSheet("background: red; color: white; font-weight: bold;");
  LBcd->setAlignment(Qt::AlignCenter);
  LBcd->hide();

  // The code fields open the picker of their codes on a double click; on
  // the number fields it brings the keypad.
  for (QWidget* field : std::initializer_list<QWidget*>{EDpol, EDpod, EDprs, EDfrm, CBtyp, EDimo, EDunn}) {
    field->installEventFilter(this);
    field->setToolTip("Double click: the codes");
  }
  // A double click on an editable combo box reaches its edit.
  CBtyp->lineEdit()->installEventFilter(this);
  for (QLineEdit* field : {EDwei, EDtmi, EDtma, EDohi, EDowp, EDows, EDolf, EDtoq}) {
    field->installEventFilter(this);
    if (field->toolTip().isEmpty()) field->setToolTip("Double click: the keypad");
  }
  LBports = new QListWidget(this);
  LBports->setToolTip("Click right to close");
  LBports->hide();
  LBports->viewport()->installEventFilter(this);
  connect(LBports, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { PickEntry(item->text()); });
  BuildKeypad();
}

void BayPlanEditor::BuildKeypad() {
  PAnum = new QFrame(this);
  static_cast<QFrame*>(PAnum)->setFrameStyle(QFrame::Box | QFrame::Raised);
  PAnum->setAutoFillBackground(true);
  auto* grid = new QGridLayout(PAnum);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(2);
  auto key = [this](const QString& text) {
    QToolButton* b = Button(PAnum, text);
    // The field keeps the focus: the keys type into it.
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(30, 26);
    return b;
  };
  for (int d = 0; d < 10; ++d) {
    SBdigit[static_cast<size_t>(d)] = key(QString::number(d));
    connect(SBdigit[static_cast<size_t>(d)], &QToolButton::clicked, this,
            [this, d] { KeypadKey(QString::number(d)); });
  }
  // 7 8 9 / 4 5 6 / 1 2 3 / 0 , -
  for (int d = 1; d < 10; ++d) grid->addWidget(SBdigit[static_cast<size_t>(d)], 2 - (d - 1) / 3, (d - 1) % 3);
  SBdec = key(",");
  SBmen = key("-");
  grid->addWidget(SBdigit[0], 3, 0);
  grid->addWidget(SBdec, 3, 1);
  grid->addWidget(SBmen, 3, 2);
  connect(SBdec, &QToolButton::clicked, this, [this] { KeypadKey(","); });
  connect(SBmen, &QToolButton::clicked, this, [this] { KeypadKey("-"); });
  SBclear = key("Clear");
  SBok = key("OK");
  grid->addWidget(SBclear, 4, 0, 1, 2);
  grid->addWidget(SBok, 4, 2);
  connect(SBclear, &QToolButton::clicked, this, [this] {
    if (!keypadField_) return;
    keypadField_->clear();
    EDChange(keypadField_);
  });
  connect(SBok, &QToolButton::clicked, PAnum, &QWidget::hide);
  PAnum->adjustSize();
  PAnum->hide();
}

std::array<QLabel*, 9> BayPlanEditor::MarkLabels() const {
  return {LBpol, LBpod, LBprs, LBfrm, LBsiz, LBtyp, LBwei, LBmty, LBope};
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
  if (CBsiz->count() == 0) {
    // The size table's entries carry the ISO length character behind the
    // two-character size code the units hold.
    for (int k = 0; k < plan_.SizeCount && k < kMaxSizes; ++k) {
      const QString code = Latin1(Trim(Columns(plan_.Sizes[static_cast<size_t>(k)], 1, 2)));
      if (!code.isEmpty() && CBsiz->findText(code) < 0) CBsiz->addItem(code);
    }
  }
}

void BayPlanEditor::ShowRecordInPanel(const StructDat& record, bool clear, int mode) {
  // Restyling is dear and the pointer moves often: only a change of mode.
  if (styledMode_ != mode) {
    styledMode_ = mode;
    struct Look {
      const char* background;
      const char* text;
    };
    static const Look looks[] = {{"white", "red"},
                                 {"#e6e6e6", "black"},
                                 {"#caffca", "black"},
                                 {"#ffc1ff", "black"},
                                 {"white", "#000080"}};
    const Look& look = looks[std::clamp(mode, 0, 4)];
    // The ISO label keeps black: a disabled panel would grey it.
    PAed->setStyleSheet(
        QString("QLineEdit, QComboBox { background: %1; color: %2; } QLabel { color: black; }")
            .arg(look.background, look.text));
  }
  // A unit on board, in hand or waiting on the list is shown, not edited.
  PAed->setEnabled(mode < 1 || mode > 3);
  StructDat shown = clear ? StructDat{} : record;
  // The template loads in the port the condition stands for.
  if (mode == 0 && !plan_.ConfigMode) {
    PanelRecord.POL = plan_.VesHdr[VesHdrIx::Port];
    if (!clear) shown.POL = PanelRecord.POL;
  }
  PanelMode = mode;
  const PanelTexts texts = PanelTextsOf(plan_, shown);
  const std::pair<QLineEdit*, const std::string&> edits[] = {{EDcnt, texts.container},
                                                             {EDpol, texts.pol},
                                                             {EDpod, texts.pod},
                                                             {EDprs, texts.prs},
                                                             {EDfrm, texts.frm},
                                                             {EDwei, texts.weight},
                                                             {EDimo, texts.imo},
                                                             {EDunn, texts.un},
                                                             {EDtmi, texts.tempMin},
                                                             {EDtma, texts.tempMax},
                                                             {EDohi, texts.overHeight},
                                                             {EDowp, texts.overWidthPort},
                                                             {EDows, texts.overWidthStarboard},
                                                             {EDolf, texts.overLength},
                                                             {EDope, texts.oper}};
  for (const auto& [edit, text] : edits) edit->setText(Latin1(text));
  CBtyp->setEditText(Latin1(texts.type));
  CBsiz->setEditText(Latin1(texts.size));
  LBiso->setText(Latin1(texts.iso));
  LBtemps->setText(texts.flashPoint ? "FlshP" : "TMin");
  LBtemps->setStyleSheet(texts.flashPoint ? "color: red;" : "");
  CBmty->setChecked(texts.empty);
  LabelsByType();
  SetPanelEditable(false);
}

void BayPlanEditor::SetPanelEditable(bool editable) {
  PanelEditable = editable && (PanelMode == 0 || PanelMode == 4);
  for (QLineEdit* edit : {EDcnt, EDpol, EDpod, EDprs, EDfrm, EDwei, EDimo, EDunn, EDtmi, EDtma, EDohi, EDowp,
                          EDows, EDolf, EDope})
    edit->setReadOnly(!PanelEditable);
  for (QWidget* w : std::initializer_list<QWidget*>{CBsiz, CBtyp, CBmty}) w->setEnabled(PanelEditable);
}

void BayPlanEditor::ReadPanel() {
  if (!PanelEditable) return;
  if (PanelMode != 0 && PanelMode != 4) {
    ShowPosition(-1);
    ShowStackWeight(-1);
    ClearRouteTotals();
    ShowRecordInPanel(PanelRecord, false, 0);
    return;
  }
  auto text = [](const QLineEdit* e) { return UpperText(e); };
  PanelTexts texts;
  texts.container = text(EDcnt);
  texts.pol = text(EDpol);
  texts.pod = text(EDpod);
  texts.prs = text(EDprs);
  texts.frm = text(EDfrm);
  texts.weight = text(EDwei);
  texts.size = text(CBsiz->lineEdit());
  texts.type = text(CBtyp->lineEdit());
  texts.iso = LBiso->text().trimmed().toLatin1().toStdString();
  texts.imo = text(EDimo);
  texts.un = text(EDunn);
  texts.tempMin = text(EDtmi);
  texts.tempMax = text(EDtma);
  texts.overHeight = text(EDohi);
  texts.overWidthPort = text(EDowp);
  texts.overWidthStarboard = text(EDows);
  texts.overLength = text(EDolf);
  texts.oper = text(EDope);
  texts.empty = CBmty->isChecked();
  ClearFieldsByType(plan_, texts);
  // What the type leaves no meaning is emptied on the screen too.
  const std::pair<QLineEdit*, const std::string&> cleared[] = {{EDtmi, texts.tempMin},
                                                               {EDtma, texts.tempMax},
                                                               {EDohi, texts.overHeight},
                                                               {EDowp, texts.overWidthPort},
                                                               {EDows, texts.overWidthStarboard},
                                                               {EDolf, texts.overLength}};
  for (const auto& [edit, value] : cleared)
    if (value.empty() && !edit->text().isEmpty()) edit->clear();
  ReadPanelTexts(texts, PanelRecord);
}

void BayPlanEditor::EDChange(QWidget* field) {
  if (PanelEditable) ReadPanel();
  QLineEdit* edit = qobject_cast<QLineEdit*>(field);
  if (auto* combo = qobject_cast<QComboBox*>(field)) edit = combo->lineEdit();
  if (!edit || edit->maxLength() <= 0 || edit->text().size() < edit->maxLength()) return;
  QWidget* next = nullptr;
  if (field == EDpol) next = EDpod;
  if (field == EDpod) next = EDprs;
  if (field == EDprs) next = EDfrm;
  if (field == EDfrm) next = EDcnt;
  if (field == EDcnt) {
    EDcntExit();
    if (LBcd->isVisible()) return;
    next = EDope;
  }
  if (field == EDope) next = EDimo;
  if (field == EDimo) next = EDunn;
  if (field == EDunn) next = EDtmi;
  if (field == EDtmi) next = EDtma;
  if (field == EDtma) next = EDohi;
  if (field == EDohi) next = EDowp;
  if (field == EDowp) next = EDows->isHidden() ? EDolf : EDows;
  if (field == EDows) next = EDolf;
  if (field == CBsiz) next = CBtyp;
  if (field == CBtyp) next = EDpol;
  if (field == EDwei) next = CBmty;
  if (!next) return;
  PAnum->hide();
  next->setFocus();
}

void BayPlanEditor::EDcntExit() {
  LBcd->hide();
  const std::string typed = UpperText(EDcnt);
  if (SkipsNumberCheck(UpperText(CBtyp->lineEdit()), typed)) return;
  const std::string number = NormaliseNumber(typed);
  if (!number.empty()) {
    const std::string digit = CheckDigit(number);
    if (!digit.empty() && number.back() != digit.front()) {
      LBcd->setText(Latin1(" digit " + digit + " "));
      // Over the number's caption, where the eye is while typing it.
      LBcd->setGeometry(equipmentCaption_->geometry());
      LBcd->show();
      LBcd->raise();
    }
  }
  if (EDcnt->text() == Latin1(number)) return;
  EDcnt->setText(Latin1(number));
  ReadPanel();
}

void BayPlanEditor::LabelsByType() {
  const TypeLabels labels = LabelsForType(CBtyp->currentText().toLatin1().toStdString());
  LBoh->setText(labels.overHeight);
  LBowp->setText(labels.overWidthPort);
  LBol->setText(labels.overLength);
  LBows->setVisible(labels.overWidthStarboard);
  EDows->setVisible(labels.overWidthStarboard);
}

void BayPlanEditor::ClearAttributeMarks() {
  AttributeMarks.fill(false);
  for (QLabel* mark : MarkLabels()) mark->setPalette(PAlbl->palette());
}

void BayPlanEditor::ToggleAttributeMark(int index) {
  if (index < 0 || index >= static_cast<int>(AttributeMarks.size())) return;
  bool& mark = AttributeMarks[static_cast<size_t>(index)];
  mark = !mark;
  QLabel* label = MarkLabels()[static_cast<size_t>(index)];
  QPalette palette = PAlbl->palette();
  if (mark) palette.setColor(QPalette::Window, QColor(0x00, 0xFF, 0x00));
  label->setPalette(palette);
}

void BayPlanEditor::ShowKeypad(QLineEdit* field) {
  keypadField_ = field;
  PAnum->adjustSize();
  // Above the panel's captions, centred under the field.
  const QPoint at = field->mapTo(this, QPoint(field->width() / 2, 0));
  const int top = PAlbl->mapTo(this, QPoint(0, 0)).y() - PAnum->height();
  const int left = std::clamp(at.x() - PAnum->width() / 2, 0, std::max(0, width() - PAnum->width()));
  PAnum->move(left, std::max(0, top));
  PAnum->show();
  PAnum->raise();
}

void BayPlanEditor::KeypadKey(const QString& key) {
  QLineEdit* field = keypadField_;
  if (!field || !PAnum->isVisible()) return;
  const QString text = field->text();
  if (field->maxLength() > 0 && text.size() >= field->maxLength()) return;
  if ((key == "-" || key == "," || key == ".") && text.contains(key)) return;
  // A sign goes in front of the digits already typed.
  field->setText(key == "-" ? key + text : text + key);
  EDChange(field);
}

bool BayPlanEditor::eventFilter(QObject* watched, QEvent* event) {
  if (!LBports || !PAnum) return QWidget::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  // The pointer coming down from a cell onto the panel leaves that cell's
  // unit behind: the panel shows the template again and takes input.
  if (watched == panelScroll_ && type == QEvent::Enter && Commands.State.MoveQueueTop < 0 &&
      !Commands.State.EditMode && PanelMode != 0) {
    if (HoverCell >= 0) DrawOneCell(HoverCell, kDrawFrameBlack);
    HoverCell = -1;
    ShowPosition(-1);
    ShowStackWeight(-1);
    ClearRouteTotals();
    ShowRecordInPanel(PanelRecord, false, 0);
    SetPanelEditable(true);
  }
  if (type == QEvent::MouseButtonPress) {
    const std::array<QLabel*, 9> marks = MarkLabels();
    const auto mark = std::find(marks.begin(), marks.end(), watched);
    if (mark != marks.end()) {
      ToggleAttributeMark(static_cast<int>(mark - marks.begin()));
      return true;
    }
    if (watched == EDunn) {
      const QString description = Latin1(UnDescription(plan_, UpperText(EDunn)));
      EDunn->setToolTip(description.isEmpty() ? QString("Double click: the codes") : description);
    }
  }
  auto* keypadField = qobject_cast<QLineEdit*>(watched);
  const bool numberField =
      keypadField &&
      (keypadField == EDwei || keypadField == EDtmi || keypadField == EDtma || keypadField == EDohi ||
       keypadField == EDowp || keypadField == EDows || keypadField == EDolf || keypadField == EDtoq);
  if (numberField && type == QEvent::MouseButtonDblClick) {
    // The keypad composes the template: a unit shown gives way to it.
    if (PanelMode >= 1 && PanelMode <= 3) ShowRecordInPanel(PanelRecord, false, 0);
    SetPanelEditable(true);
    keypadField->clear();
    ReadPanel();
    ShowKeypad(keypadField);
    return true;
  }
  // The count of "to Quay" copies the template: a unit shown gives way to it.
  if (watched == EDtoq && type == QEvent::MouseButtonPress && PanelMode != 0) {
    ShowRecordInPanel(PanelRecord, false, 0);
    SetPanelEditable(true);
  }
  if (numberField && type == QEvent::MouseButtonPress && PAnum->isVisible() && keypadField != keypadField_)
    ShowKeypad(keypadField);
  if (type == QEvent::MouseButtonDblClick && watched != LBports->viewport() && !numberField) {
    ShowPicker(watched == CBtyp->lineEdit() ? CBtyp : static_cast<QWidget*>(watched));
    return true;
  }
  if (watched == LBports->viewport() && type == QEvent::MouseButtonPress &&
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
  ShowRecordInPanel(PanelRecord, false, 0);
  SetPanelEditable(true);
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
  SetPanelEditable(true);
  if (field == EDpol || field == EDpod || field == EDprs || field == EDfrm) {
    static_cast<QLineEdit*>(field)->setText(entry);
  } else if (field == CBtyp) {
    for (int k = 0; k < plan_.TypeCount && k < kMaxTypes; ++k) {
      const StructTyp& type = plan_.Types[static_cast<size_t>(k)];
      if (type.TYP + "-" + type.DESCR != text) continue;
      CBtyp->setEditText(Latin1(type.TYP));
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
