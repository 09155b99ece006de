#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "conditions/ConditionFile.h"
#include "conditions/ConditionList.h"
#include "conditions/CsvExport.h"
#include "conditions/LoadingListFile.h"
#include "conditions/VesselSession.h"
#include "core/DateText.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/SaveSet.h"
#include "core/TextHelpers.h"
#include "edifact/EdiExport.h"
#include "edifact/EdiImport.h"
#include "planning/BayLayout.h"
#include "planning/CellDrawing.h"
#include "planning/VesImport.h"
#include "reports/RdrReport.h"
#include "stability/Strength.h"
#include "ui/BaseDataDialog.h"
#include "ui/BayPlanEditor.h"
#include "ui/LoadingListWindow.h"
#include "ui/LongViewWindow.h"
#include "ui/OutsidePrograms.h"
#include "ui/QuayLayoutWindow.h"
#include "ui/QuayStrip.h"
#include "ui/CallDateDialog.h"
#include "ui/ContainersListWindow.h"
#include "ui/OutsidePrograms.h"
#include "ui/TotalsWindow.h"
#include "ui/CheckWindow.h"
#include "ui/CustomizingDialog.h"
#include "ui/EdiExportDialog.h"
#include "ui/EdiImportDialog.h"
#include "ui/PortsWindow.h"
#include "ui/QtCanvas.h"
#include "ui/SaveConditionDialog.h"
#include "ui/PlanPrintWindow.h"
#include "ui/PrintService.h"
#include "ui/SelectionWindow.h"
#include "ui/StabilityFrame.h"
#include "ui/StressesWindow.h"
#include "ui/TanksWindow.h"
#include "ui/UpperCaseEdit.h"
#include "vessel/BaseData.h"
#include "vessel/PtcFile.h"
#include "vessel/VesExchange.h"

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.c_str()); }

QLabel* TitlePanel(QWidget* parent) {
  auto* label = new QLabel(parent);
  QFont font("Arial", 16);
  font.setBold(true);
  label->setFont(font);
  label->setStyleSheet("color: navy;");
  return label;
}

// A colour setting, or fallback when it holds none.
QColor SettingColour(const std::string& text, const QColor& fallback) {
  if (Trim(text).empty()) return fallback;
  return ToQColor(static_cast<Colour>(ParseInt(text)));
}

// Light lists get black text and dark lists white text, as units do on the
// bay plan, so that no choice of colour leaves the names unreadable.
void ColourList(QListWidget* list, const QColor& background, QColor text = QColor()) {
  if (!text.isValid())
    text = ToQColor(TextOn(RgbColour(background.red(), background.green(), background.blue())));
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Text, text);
  list->setPalette(palette);
}

std::string& VesselField(PlanData& plan, int entry, int field) {
  return plan.VesselList[static_cast<size_t>(entry * kVesselListFields + field)];
}

}  // namespace

MainWindow::MainWindow(PlanData& plan, QWidget* parent) : QMainWindow(parent), plan_(plan) {
  setWindowTitle(Latin1(plan_.ProductName));
  resize(1200, 760);
  QAction* colour = new QAction(tr("Color"), this);
  connect(colour, &QAction::triggered, this, &MainWindow::ColourClick);

  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* exitVessel = file->addAction(tr("Exit &Vessel"));
  connect(exitVessel, &QAction::triggered, this, &MainWindow::SelectVesselExecute);
  vesselActions_ << exitVessel;
  QAction* exit = file->addAction(tr("E&xit"));
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* settings = menuBar()->addMenu(tr("&Settings"));
  connect(settings->addAction(tr("&Base Data...")), &QAction::triggered, this, &MainWindow::BaseDataClick);
  connect(settings->addAction(tr("&Customizing...")), &QAction::triggered, this,
          &MainWindow::CustomizingClick);
  noVesselActions_ << settings->menuAction();

  QMenu* conditions = menuBar()->addMenu(tr("&Conditions"));
  SaveAction = conditions->addAction(tr("&Save..."));
  SaveAction->setShortcut(QKeySequence::Save);
  SaveAction->setToolTip(tr("Save Condition"));
  connect(SaveAction, &QAction::triggered, this, &MainWindow::SaveConditionClick);
  RestoreAction = conditions->addAction(tr("&Restore Condition"));
  RestoreAction->setToolTip(tr("Restore Condition"));
  connect(RestoreAction, &QAction::triggered, this, &MainWindow::RevertConditionClick);
  // The spreadsheet exports.
  Programs = std::make_unique<OutsidePrograms>(plan_);
  QAction* saveCsv = conditions->addAction(tr("Save as CSV"));
  connect(saveCsv, &QAction::triggered, this, &MainWindow::SaveAsCsvClick);
  connect(conditions->addAction(tr("Save Voy as CSV")), &QAction::triggered, this,
          &MainWindow::SaveVoyageAsCsvClick);
  vesselActions_ << conditions->menuAction();

  QMenu* edifact = menuBar()->addMenu(tr("&Edifact"));
  QAction* importEdi = edifact->addAction(tr("&Import BAPLIE/MOVINS/COPRAR..."));
  importEdi->setToolTip(tr("Import BAPLIE/MOVINS/COPRAR"));
  connect(importEdi, &QAction::triggered, this, &MainWindow::ImportEdiClick);
  QAction* exportEdi = edifact->addAction(tr("&Export BAPLIE..."));
  exportEdi->setToolTip(tr("Export BAPLIE"));
  connect(exportEdi, &QAction::triggered, this, &MainWindow::ExportBaplieClick);
  QAction* exportMovins = edifact->addAction(tr("Export &MOVINS..."));
  exportMovins->setToolTip(tr("Export MOVINS"));
  connect(exportMovins, &QAction::triggered, this, &MainWindow::ExportMovinsClick);
  vesselActions_ << edifact->menuAction();

  Interface = menuBar()->addMenu(tr("&Interface"));
  connect(Interface->addAction(tr("&LoadList to Quay")), &QAction::triggered, this,
          [this] { ImportLoadingListClick(true); });
  ExportVesAction = Interface->addAction(tr("&Export "));
  connect(ExportVesAction, &QAction::triggered, this, &MainWindow::ExportVesClick);
  connect(Interface->addAction(tr("&Import Final")), &QAction::triggered, this,
          &MainWindow::ImportFinalClick);
  connect(Interface->addAction(tr("Export &Loading List")), &QAction::triggered, this,
          &MainWindow::ExportLoadingListClick);

  QMenu* cargo = menuBar()->addMenu(tr("C&argo"));
  QAction* allBays = cargo->addAction(tr("&AllBays"));
  QuayAction = cargo->addAction(tr("&Quay"));
  connect(QuayAction, &QAction::triggered, this, [this] {
    Quaylay->show();
    Quaylay->raise();
  });
  allBays->setToolTip(tr("All Bays"));
  connect(allBays, &QAction::triggered, this, &MainWindow::AllBaysClick);
  vesselActions_ << cargo->menuAction();

  QAction* totals = cargo->addAction(tr("&Totals"));
  totals->setToolTip(tr("Totals"));
  connect(totals, &QAction::triggered, this, &MainWindow::TotalsClick);

  // Reports: the printed plans and the lists.
  QMenu* reports = menuBar()->addMenu(tr("&Reports"));
  vesselActions_ << reports->menuAction();
  QAction* letterPlan = reports->addAction(tr("&Letter Plan"));
  QAction* bayPlan = reports->addAction(tr("&Bay Plan"));
  letterPlan->setToolTip(tr("Letter Plan"));
  bayPlan->setToolTip(tr("Bay Plan"));
  connect(letterPlan, &QAction::triggered, this, [this] { PlanPrintClick(false); });
  connect(bayPlan, &QAction::triggered, this, [this] { PlanPrintClick(true); });
  QAction* containersList = reports->addAction(tr("&Containers List"));
  containersList->setToolTip(tr("Containers List"));
  connect(containersList, &QAction::triggered, this, &MainWindow::ContainersListClick);
  QAction* restowsList = reports->addAction(tr("&Restows List"));
  restowsList->setToolTip(tr("Restows List"));
  connect(restowsList, &QAction::triggered, this, &MainWindow::RestowsListClick);
  // The regional departure report, by its four groupings.
  QMenu* rdr = reports->addMenu(tr("RDR"));
  for (const auto& [caption, grouping] : {std::pair{"Tots by Pol", 2}, std::pair{"Tots by Pod", 1},
                                          std::pair{"Tots by Pol/Pod", 3}, std::pair{"Tots by Pod/Pol", 4}})
    connect(rdr->addAction(tr(caption)), &QAction::triggered, this, [this, g = grouping] { RdrReportClick(g); });
  QMenu* result = menuBar()->addMenu(tr("&Result"));
  QAction* trimStability = result->addAction(tr("&Trim and Stability"));
  connect(trimStability, &QAction::triggered, this, &MainWindow::TanksClick);
  QAction* stresses = result->addAction(tr("&Stresses"));
  connect(stresses, &QAction::triggered, this, &MainWindow::StressesClick);
  connect(result->addAction(tr("T&anks/Stability")), &QAction::triggered, this, &MainWindow::TanksClick);
  vesselActions_ << result->menuAction();

  QAction* particulars = menuBar()->addAction(tr("&Particulars"));
  connect(particulars, &QAction::triggered, this, &MainWindow::ParticularsClick);
  vesselActions_ << particulars;
  QMenu* tables = menuBar()->addMenu(tr("&Tables"));
  connect(tables->addAction(tr("&Ports")), &QAction::triggered, this, &MainWindow::PortsClick);

  // The tool bar: the commands that work on the open vessel, the title and,
  // at the right end, the way back to the vessel list.
  TB = addToolBar(tr("Commands"));
  TB->setMovable(false);
  TB->addAction(RestoreAction);
  TB->addAction(SaveAction);
  QAction* openWithExcel = TB->addAction(tr("Open with Excel"));
  openWithExcel->setToolTip(tr("Save as CSV"));
  connect(openWithExcel, &QAction::triggered, this, &MainWindow::SaveAsCsvClick);
  TB->addSeparator();
  TB->addAction(importEdi);
  TB->addAction(exportEdi);
  TB->addSeparator();
  TB->addAction(allBays);
  TB->addAction(totals);
  TB->addAction(exportMovins);
  TB->addSeparator();
  TB->addAction(letterPlan);
  TB->addAction(bayPlan);
  TB->addAction(containersList);
  TB->addAction(restowsList);
  TB->addSeparator();
  BuildDocumentCommands(tables);
  TrimStabilityButton = new QAction(tr("Trim and Stability"), this);
  TrimStabilityButton->setToolTip(tr("Trim and Stability"));
  connect(TrimStabilityButton, &QAction::triggered, this, &MainWindow::TanksClick);
  StressesButton = new QAction(tr("Stresses"), this);
  StressesButton->setToolTip(tr("Stresses"));
  connect(StressesButton, &QAction::triggered, this, &MainWindow::StressesClick);
  TB->addAction(LongViewButton);
  TB->addAction(TrimStabilityButton);
  TB->addAction(StressesButton);
  TB->addAction(DocumentButton);
  TB->addSeparator();
  PAt = TitlePanel(TB);
  // The title takes the room the commands leave, so that "Select Vessel"
  // always stays at the right end of the bar.
  PAt->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  PAt->setMinimumWidth(40);
  TB->addWidget(PAt);
  BuVes = TB->addAction(tr("Select Vessel"));
  BuVes->setToolTip(tr("Exit Vessel"));
  connect(BuVes, &QAction::triggered, this, &MainWindow::SelectVesselExecute);

  // No vessel: the installed vessels, as wide as the longest name.
  auto* vesselListPage = new QWidget(this);
  LB1 = new QListWidget(vesselListPage);
  LB1->setContextMenuPolicy(Qt::ActionsContextMenu);
  QAction* allVessels = new QAction(tr("All Vessels"), LB1);
  connect(allVessels, &QAction::triggered, this, [this, allVessels] {
    AllVesselsMode = !AllVesselsMode;
    allVessels->setText(AllVesselsMode ? tr("Selected Vessels") : tr("All Vessels"));
    FillVesselList();
  });
  QAction* hideShow = new QAction(tr("Hide/Show"), LB1);
  connect(hideShow, &QAction::triggered, this, [this] {
    for (QListWidgetItem* item : LB1->selectedItems()) {
      const std::string name = item->text().toLatin1().toStdString();
      for (int k = 0; k < plan_.VesselCount; ++k) {
        if (VesselField(plan_, k, 0) != name) continue;
        std::string& flag = VesselField(plan_, k, 2);
        const bool shown = flag == "1";
        flag = std::string(shown ? "0" : "1");
        plan_.VesselListChanged = 1;
        break;
      }
    }
    FillVesselList();
  });
  LB1->addAction(hideShow);
  LB1->addAction(allVessels);
  LB1->addAction(colour);
  connect(LB1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const std::string name = item->text().toLatin1().toStdString();
    for (int k = 0; k < plan_.VesselCount; ++k) {
      if (VesselField(plan_, k, 0) == name) {
        OpenVesselEntry(k);
        return;
      }
    }
  });
  auto* vesselListLayout = new QHBoxLayout(vesselListPage);
  vesselListLayout->addWidget(LB1);
  vesselListLayout->addStretch();

  // A vessel: its conditions (or its particulars) beside the stability frame.
  auto* vesselPage = new QWidget(this);
  vesselPage->setContextMenuPolicy(Qt::ActionsContextMenu);
  vesselPage->addAction(colour);
  LBcond = new QListWidget(vesselPage);
  LBcond->setMinimumWidth(300);
  connect(LBcond, &QListWidget::itemDoubleClicked, this, [this] { OpenSelectedCondition(); });
  connect(LBcond, &QListWidget::currentRowChanged, this, [this](int row) {
    if (conditions_) conditions_->Selected = row;
  });
  PMcond = new QMenu(LBcond);
  LBcond->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LBcond, &QWidget::customContextMenuRequested, this, &MainWindow::ShowConditionMenu);
  PAp = new QWidget(vesselPage);
  PAp->setAutoFillBackground(true);
  PAp->hide();
  Stability = new StabilityFrame(plan_, vesselPage);
  auto* splitter = new QSplitter(Qt::Vertical, vesselPage);
  splitter->addWidget(LBcond);
  splitter->addWidget(PAp);
  splitter->addWidget(Stability);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  PAb = TitlePanel(vesselPage);
  auto* vesselLayout = new QVBoxLayout(vesselPage);
  vesselLayout->addWidget(splitter, 1);
  vesselLayout->addWidget(PAb);

  pages_ = new QStackedWidget(this);
  pages_->addWidget(vesselListPage);
  pages_->addWidget(vesselPage);
  setCentralWidget(pages_);

  LDataDir = new QLabel(QString::fromLocal8Bit(plan_.ProgramDir.c_str()), this);
  statusBar()->addWidget(LDataDir, 1);
  PAcus = new QLabel(this);
  statusBar()->addPermanentWidget(PAcus);
  ShowVesselState(false);
}

MainWindow::~MainWindow() = default;

void MainWindow::Attach(Host& h, BaseData& base) {
  host = &h;
  base_ = &base;
  session_ = std::make_unique<VesselSession>(plan_, h, base.TotalsLabels);
  conditions_ = std::make_unique<ConditionList>(session_->ctx, session_->conditions);
  conditions_->Views.ConditionOpened = [this] { AfterConditionChange(); };
  conditions_->Views.ConditionReverted = [this] { AfterConditionChange(); };
  Stability->SetStability(&session_->stability);
  connect(Stability, &StabilityFrame::conditionChanged, this, [this] {
    if (session_) session_->ctx.MarkConditionModified(true);
  });
  BuildParticulars();
  ApplyFontsAndColours();
  AllBays = new BayPlanEditor(plan_, session_->ctx, session_->selection, this);
  AllBays->Stability = [this]() -> const StabilityResults* { return &session_->stability.Results; };
  // The editor's layout follows the vessel at once: other windows and the
  // checks use it before the editor is first shown.
  session_->ves.steps.ComputeLayout = [this] { ComputeBayLayout(plan_, AllBays->Layout, kTargetScreen); };
  // The editor steps through the conditions from the open one.
  AllBays->Neighbour = [this](bool older, bool open) {
    if (conditions_->NeighbourOfOpenCondition(older, open).empty()) return false;
    if (open) {
      FillConditionItems();
      AfterConditionChange();
    }
    return true;
  };
  Sel = new SelectionWindow(session_->selection, plan_, this);
  Quaylay = new QuayLayoutWindow(plan_, this);
  Mess = new CheckWindow(plan_, h, this);
  Mess->HighlightCells = [this](const std::vector<int>& cells) { AllBays->HighlightCells(cells); };
  Mess->EditorVisible = [this] { return AllBays->isVisible(); };
  Mess->PrepareFullCheck = [this] { conditions_->LoadReferenceCondition(plan_.RefPlane); };
  AllBays->OpenSelection = [this] { Sel->ShowSelection(plan_.CurPlane); };
  AllBays->RunCheck = [this] { Mess->ShowCheck(false, -1); };
  // A hazardous unit just placed is checked against its neighbours at once
  // when the planner asked for it; the window opens only on a finding.
  AllBays->Commands.SegregationCheck = [this](int cell) { return Mess->ShowCheck(true, cell); };
  AllBays->AlignToPrevious = [this] { return AlignToPreviousCondition(); };
  AllBays->FormQuay->Import = [this] { ImportLoadingListClick(true); };
  AttachReportWindows();
  Tanks = new TanksWindow(plan_, session_->stability, *Stability, this);
  Tanks->TitleText = [this] { return PAt->text().toLatin1().toStdString(); };
  Stre = new StressesWindow(plan_, session_->stability, this);
  FillVesselList();
}

void MainWindow::AttachReportWindows() {
  outside_ = std::make_unique<OutsidePrograms>(plan_);
  Lis = new ContainersListWindow(plan_, session_->ctx, session_->selection, this);
  Tot = new TotalsWindow(plan_, session_->selection, this);
  auto buildVoyage = [this] { conditions_->BuildVoyageDataSet(plan_.VesHdr[VesHdrIx::Voy]); };
  auto openSelection = [this](int plane) { Sel->ShowSelection(plane); };
  auto editorChanged = [this] {
    if (AllBays->isVisible()) AllBays->RefreshPlan();
  };
  auto word = [this](const std::vector<std::string>& lines, std::string& error) {
    return outside_->OpenInWordProcessor(lines, error);
  };
  Lis->BuildVoyage = buildVoyage;
  Lis->OpenSelection = openSelection;
  Lis->EditorChanged = editorChanged;
  Lis->ShowTotals = [this] { TotalsClick(); };
  Lis->Word = word;
  Lis->Print = [this](const std::vector<std::string>& lines, const std::string& header, int plane) {
    return Printing->PrintLines(lines, false, 3, header, "", plane);
  };
  Tot->BuildVoyage = buildVoyage;
  Tot->OpenSelection = openSelection;
  Tot->EditorChanged = editorChanged;
  Tot->Word = word;
  Tot->ReportError = [this](const std::string& error) { host->ReportError(error); };
  Tot->Print = [this](const std::vector<std::string>& lines, const std::string& frame, int plane) {
    return Printing->PrintLines(lines, false, 1, "", frame, plane);
  };
  // The editor's selection changes what both lists show.
  AllBays->SelectionChanged = [this] {
    if (Lis->isVisible()) Lis->BuildList();
    if (Tot->isVisible()) Tot->BuildTotals();
  };
}

void MainWindow::TotalsClick() {
  if (Tot && plan_.CurVessel >= 0) Tot->ShowTotals();
}

void MainWindow::ContainersListClick() {
  if (Lis && plan_.CurVessel >= 0) Lis->ShowContainersList(0);
}

void MainWindow::RestowsListClick() {
  if (!Lis || plan_.CurVessel < 0) return;
  conditions_->LoadReferenceCondition(plan_.RefPlane);
  if (ComputeRestows) ComputeRestows();
  session_->selection.PresetRestowsOnly(plan_.CurPlane);
  Lis->ShowContainersList(9);
}

void MainWindow::ApplyFontsAndColours() {
  std::string& size = plan_.Settings[SettingsIx::ListFontSize];
  const int points = ParseInt(size);
  if (points < 8 || points > 16) size = "10";
  QString family = Latin1(plan_.Settings[SettingsIx::ListFontName]);
  if (family.trimmed().isEmpty()) family = "DejaVu Sans Mono";
  LB1->setFont(QFont(family, ParseInt(size)));
  LBcond->setFont(QFont(family, 10));
  const QColor lists = SettingColour(plan_.Settings[SettingsIx::ListColour], Qt::white);
  ColourList(LB1, lists);
  // The archive is told apart at a glance: white with navy text.
  if (plan_.ArchiveMode)
    ColourList(LBcond, Qt::white, QColor("navy"));
  else
    ColourList(LBcond, lists);
  QPalette window = palette();
  window.setColor(QPalette::Window,
                  SettingColour(plan_.Settings[SettingsIx::WindowColour], window.color(QPalette::Window)));
  setPalette(window);
}

void MainWindow::BuildParticulars() {
  auto* grid = new QGridLayout(PAp);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setVerticalSpacing(1);
  particulars_.clear();
  std::vector<const StructPat*> shown;
  for (int i = 0; i < plan_.VesParamCount && i < kMaxVesParams; ++i) {
    const StructPat& field = plan_.VesParams[static_cast<size_t>(i)];
    if (field.KIND != "-" && field.INDEX >= 0 && field.INDEX < kVesHdrSize) shown.push_back(&field);
  }
  // Two columns of label and edit, the first one filled first.
  const int rows = (static_cast<int>(shown.size()) + 1) / 2;
  for (int k = 0; k < static_cast<int>(shown.size()); ++k) {
    const int column = rows > 0 ? (k / rows) * 2 : 0;
    auto* label = new QLabel(Latin1(TrimRight(shown[k]->CAPTION)), PAp);
    // A folder keeps its case: file names are case-sensitive here.
    QLineEdit* edit = shown[k]->INDEX == VesHdrIx::EdiDir ? new QLineEdit(PAp) : UpperEdit(PAp, 0);
    edit->setFrame(false);
    edit->setStyleSheet("QLineEdit { background: white; color: black; }");
    grid->addWidget(label, k % rows, column);
    grid->addWidget(edit, k % rows, column + 1);
    particulars_.emplace_back(shown[k]->INDEX, edit);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(rows, 1);
}

void MainWindow::FillParticulars() {
  for (auto& [index, edit] : particulars_) edit->setText(Latin1(plan_.VesHdr[static_cast<size_t>(index)]));
}

bool MainWindow::StoreParticulars() {
  bool changed = false;
  for (auto& [index, edit] : particulars_) {
    // The vessel's folder name is where its files are: it is not renamed here.
    // Only what the person typed is stored: a value shown in capitals is
    // not rewritten in capitals just because the panel was opened.
    if (index == VesHdrIx::Dir || !edit->isModified()) continue;
    const std::string text = edit->text().trimmed().toLatin1().toStdString();
    std::string& value = plan_.VesHdr[static_cast<size_t>(index)];
    if (text == value) continue;
    value = text;
    changed = true;
  }
  // The vessel list shows the name just stored, not the one before it.
  if (plan_.CurVessel >= 0 && plan_.CurVessel < plan_.VesselCount) {
    std::string& listed = VesselField(plan_, plan_.CurVessel, 0);
    const std::string& name = plan_.VesHdr[VesHdrIx::Vessel];
    if (!name.empty() && listed != name) {
      if (plan_.Settings[SettingsIx::LastVessel] == listed) plan_.Settings[SettingsIx::LastVessel] = name;
      listed = name;
      plan_.VesselListChanged = 1;
      FillVesselList();
    }
  }
  return changed;
}

void MainWindow::ParticularsClick() {
  if (plan_.CurVessel < 0) return;
  const bool show = !PAp->isVisible();
  if (!show) {
    if (StoreParticulars()) ParticularsChanged = true;
    FillParticulars();
    RefreshTitles();
  }
  PAp->setVisible(show);
  LBcond->setVisible(!show);
}

void MainWindow::ShowVesselState(bool open) {
  if (!open && PAp->isVisible()) ParticularsClick();
  pages_->setCurrentIndex(open ? 1 : 0);
  TB->setVisible(open);
  for (QAction* a : vesselActions_) a->setVisible(open);
  for (QAction* a : noVesselActions_) a->setVisible(!open);
  // Without the exchange folder the way in is the loading list.
  Interface->menuAction()->setVisible(open);
  ExportVesAction->setVisible(open && HasExchangeFolder(plan_));
  const bool hydrostatics = open && session_ && session_->stability.Hyd.size() > 2;
  TrimStabilityButton->setVisible(hydrostatics);
  StressesButton->setVisible(hydrostatics);
  std::error_code noFile;
  QuayAction->setVisible(open && std::filesystem::exists(QuayLayoutFile(plan_), noFile));
}

int MainWindow::FillVesselList() {
  LB1->clear();
  int result = -1;
  const std::string& last = plan_.Settings[SettingsIx::LastVessel];
  for (int k = 0; k < plan_.VesselCount && k < kMaxVessels; ++k) {
    const std::string& name = VesselField(plan_, k, 0);
    const bool shown = ParseInt(VesselField(plan_, k, 2)) == 1;
    if (!shown && !AllVesselsMode) continue;
    auto* item = new QListWidgetItem(Latin1(name), LB1);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Listed only in the "All Vessels" view: black on white.
    if (!shown) {
      item->setForeground(Qt::black);
      item->setBackground(Qt::white);
    }
    if (!last.empty() && name == last) result = k;
  }
  LB1->sortItems();
  std::string longest;
  for (int k = 0; k < plan_.VesselCount && k < kMaxVessels; ++k)
    if (VesselField(plan_, k, 0).size() > longest.size()) longest = VesselField(plan_, k, 0);
  const QFontMetrics metrics(LB1->font());
  LB1->setFixedWidth(metrics.horizontalAdvance(Latin1(longest + "MM")) + 2 * LB1->frameWidth() +
                     LB1->verticalScrollBar()->sizeHint().width());
  return result;
}

void MainWindow::OpenLastVessel() {
  const int last = FillVesselList();
  if (last >= 0) OpenVesselEntry(last);
}

bool MainWindow::OpenVesselEntry(int index) {
  if (!session_) return false;
  if (plan_.CurVessel >= 0 && !CloseVessel()) return false;
  BusyCursor busy(*host);
  if (!session_->Open(index)) {
    // A file that could not be read has been named already.
    if (!session_->ves.OpenFailureReported()) host->ShowMessageNo(53);
    ShowVesselState(false);
    return false;
  }
  plan_.PlaneTitle[0].clear();
  // The list shows the working conditions, and the one open when the vessel
  // was left is opened again.
  plan_.ArchiveMode = 1;
  conditions_->ToggleArchive();
  ApplyFontsAndColours();
  FillConditionItems();
  const std::string wanted =
      Trim(plan_.VesHdr[VesHdrIx::Adp] + plan_.VesHdr[VesHdrIx::Port] + plan_.VesHdr[VesHdrIx::Voy]);
  int found = -1;
  for (int i = 0; i < static_cast<int>(conditions_->Items.size()) && !wanted.empty(); ++i)
    if (Trim(conditions_->NameField(i)) == wanted) found = i;
  if (found >= 0) {
    conditions_->Selected = found;
    LBcond->setCurrentRow(found);
    conditions_->OpenSelectedCondition();
    FillConditionItems();
  } else {
    plan_.VesHdr[VesHdrIx::Adp].clear();
    plan_.VesHdr[VesHdrIx::Port].clear();
    plan_.VesHdr[VesHdrIx::Voy].clear();
  }
  plan_.Settings[SettingsIx::LastVessel] = VesselField(plan_, index, 0);
  ParticularsChanged = false;
  FillParticulars();
  setWindowTitle(Latin1(plan_.ProductName + " - " + plan_.VesHdr[VesHdrIx::Vessel]));
  ShowVesselState(true);
  PAcus->setText(plan_.Settings[SettingsIx::SaveWithoutAsking] > "0" ? tr("Automatic Save") : QString());
  AfterConditionChange();
  return true;
}

void MainWindow::FillConditionItems() {
  if (!conditions_) return;
  // Refilling moves the widget's cursor; the list's own selection stays.
  const QSignalBlocker quiet(LBcond);
  LBcond->clear();
  for (int i = 0; i < static_cast<int>(conditions_->Items.size()); ++i) {
    auto* item = new QListWidgetItem(Latin1(conditions_->DisplayText(i)), LBcond);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (conditions_->Selected >= 0) LBcond->setCurrentRow(conditions_->Selected);
}

void MainWindow::OpenSelectedCondition() {
  if (!conditions_) return;
  conditions_->Selected = LBcond->currentRow();
  BusyCursor busy(*host);
  if (conditions_->OpenSelectedCondition()) FillConditionItems();
  AfterConditionChange();
}

void MainWindow::AfterConditionChange() {
  // Another condition is read: the editor's steps belong to the one before.
  if (AllBays) AllBays->Commands.History.Clear();
  if (session_) session_->stability.ComputeStability();
  PlanChanged();
  if (AllBays) AllBays->RefreshPlan();
  if (Tanks && Tanks->isVisible()) Tanks->ShowGroup();
}

bool MainWindow::AlignToPreviousCondition() {
  if (!session_ || !conditions_ || plan_.CurVessel < 0) return false;
  if (host->Ask("", "", "Allign to previous condition", false) != Host::Answer::Yes) return false;
  // Without a condition before this one the working plan would be read
  // onto itself.
  if (conditions_->NeighbourOfOpenCondition(true, false).empty()) {
    host->ReportError("There is no condition before this one to align on.");
    return false;
  }
  PlanData& plan = plan_;
  const std::string port = plan.VesHdr[VesHdrIx::Port];
  const std::string voyage = plan.VesHdr[VesHdrIx::Voy];
  const std::string type = plan.VesHdr[VesHdrIx::Adp];
  const std::string title = plan.PlaneTitle[kCurPlane];
  auto clearRestows = [&plan] {
    for (int i = 0; i < plan.CellCount; ++i) {
      plan.Cur()[static_cast<size_t>(i)].RESTOW = 0;
      plan.Cur()[static_cast<size_t>(i)].RESTOW_FROM.clear();
    }
  };
  clearRestows();
  // The working plan as the moves of this port.
  EdiExportOptions movins =
      EdiExportDefaults(plan, EdiMessageKind::Movins, conditions_->PortRotation, LocalNow());
  movins.Folder = plan.DataDir;
  movins.FileName = "movins.edi";
  const std::filesystem::path file = std::filesystem::path(plan.DataDir) / movins.FileName;
  if (!ExportEdi(plan, movins, *host, true)) return false;
  BusyCursor busy(*host);
  // Read as when a condition is opened: the working set starts empty.
  if (!conditions_->LoadReferenceCondition(kCurPlane))
    host->ReportError("The previous condition could not be read; the working plan is in " + file.string());
  clearRestows();
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    std::string& clearWeights = plan.Settings[SettingsIx::MovinsClearWeights];
    const std::string saved = clearWeights;
    clearWeights = "0";
    EdiImport import(session_->ctx, *base_);
    if (import.Open(file)) import.Run();
    clearWeights = saved;
  }
  plan.VesHdr[VesHdrIx::Port] = port;
  plan.VesHdr[VesHdrIx::Voy] = voyage;
  plan.VesHdr[VesHdrIx::Adp] = type;
  plan.PlaneTitle[kCurPlane] = title;
  plan.RedrawAll = 1;
  plan.PolCount = -1;
  plan.PodCount = -1;
  session_->ctx.MarkConditionModified(true);
  AfterConditionChange();
  return true;
}

void MainWindow::AllBaysClick() {
  if (!AllBays || plan_.CurVessel < 0) return;
  plan_.ConfigMode = 0;
  AllBays->show();
  AllBays->raise();
  AllBays->activateWindow();
}

void MainWindow::PlanPrintClick(bool bayPlan) {
  if (!session_ || plan_.CurVessel < 0) return;
  PrintService printer(plan_);
  PlanPrintWindow form(plan_, session_->selection, printer, bayPlan, this);
  form.StatusText = PAb->text().toLatin1().toStdString();
  form.OpenSelection = [this] { Sel->ShowSelection(plan_.CurPlane); };
  // A page is laid out for paper in the plan's cells: the editor's boxes
  // are put back after each one.
  form.RestoreScreenLayout = [this] {
    if (!AllBays) return;
    ComputeBayLayout(plan_, AllBays->Layout, kTargetScreen);
    AllBays->RunLayout();
  };
  form.exec();
}

void MainWindow::PlanChanged() {
  Stability->Refresh();
  RefreshTitles();
  if (AllBays) AllBays->RefreshCaption();
  if (LongView && LongView->isVisible()) LongView->update();
  RestoreAction->setVisible(plan_.CurVessel >= 0 && plan_.ConditionModified);
  if (Tot) Tot->PlanModified();
  if (Lis) Lis->PlanModified();
  if (Stre && Stre->isVisible()) Stre->PB->update();
}

void MainWindow::RefreshTitles() {
  std::string text = plan_.VesHdr[VesHdrIx::Vessel];
  const std::string& title = plan_.PlaneTitle[static_cast<size_t>(plan_.CurPlane)];
  if (!Trim(title).empty()) text += " - " + title;
  PAt->setText(Latin1(text));
  PAb->setText(Latin1(text));
}

bool MainWindow::CloseVessel() {
  if (!session_ || plan_.CurVessel < 0) return true;
  if (plan_.ConditionModified && !conditions_->AskSaveModified(true)) return false;
  // The panel closes as its command closes it (the edits are stored) while
  // the vessel is still open; afterwards the command would do nothing and
  // the next vessel would open on the particulars.
  if (PAp->isVisible()) ParticularsClick();
  if (AllBays) AllBays->close();
  if (Lis) Lis->close();
  if (Tot) Tot->close();
  if (LongView) LongView->close();
  if (Tanks) Tanks->close();
  if (Stre) Stre->close();
  if (plan_.CelChanged) session_->ves.SaveCells();
  setWindowTitle(Latin1(plan_.ProductName));
  BusyCursor busy(*host);
  // The quay and the particulars (with the condition open now) are kept,
  // as one set: the particulars name the condition the quay belongs to.
  if (StoreParticulars()) ParticularsChanged = true;
  SaveSet set(plan_.DataDir);
  session_->conditions.WriteCondition("", false, plan_.QuayPlane, &set);
  if (!Trim(plan_.VesHdr[VesHdrIx::Vessel]).empty())
    set.AddLines(std::filesystem::path(plan_.VesselDir) / "ptc.txt", PtcLines(plan_));
  std::string error;
  if (!set.Commit(error)) host->ReportError(error);
  plan_.CurVessel = -1;
  RestoreAction->setVisible(false);
  ShowVesselState(false);
  FillVesselList();
  return true;
}

void MainWindow::SelectVesselExecute() {
  if (CloseVessel()) plan_.Settings[SettingsIx::LastVessel].clear();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!CloseVessel()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindow::BaseDataClick() {
  BaseDataDialog form(plan_, this);
  form.onStored = [this] {
    if (onSettingsChanged) onSettingsChanged();
    FillVesselList();
  };
  form.exec();
}

void MainWindow::CustomizingClick() {
  CustomizingDialog form(plan_, this);
  form.onStored = [this] {
    if (onSettingsChanged) onSettingsChanged();
  };
  form.exec();
}

void MainWindow::PortsClick() {
  if (!host) return;
  PortsWindow form(plan_, *host, this);
  form.exec();
}

void MainWindow::ImportEdiClick() {
  if (!session_ || !base_ || plan_.CurVessel < 0) return;
  const std::string path = EdiImportDialog::AskImportFile(plan_, this);
  if (path.empty()) return;
  if (EdiImportDialog::ImportFile(session_->ctx, *base_, path, this)) AfterConditionChange();
}

void MainWindow::ExportBaplieClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  EdiExportDialog form(plan_, *host, EdiMessageKind::Baplie, conditions_->PortRotation, &session_->selection,
                       this);
  form.OpenSelection = [this](int plane) { Sel->ShowSelection(plane); };
  form.exec();
}

void MainWindow::ExportMovinsClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  EdiExportDialog* form = nullptr;
  {
    BusyCursor busy(*host);
    session_->selection.ResetSelection();
    conditions_->LoadReferenceCondition(plan_.RefPlane);
    // The message describes the condition as it is on disk.
    if (plan_.ConditionModified) conditions_->SaveOpenCondition();
    form = new EdiExportDialog(plan_, *host, EdiMessageKind::Movins, conditions_->PortRotation,
                               &session_->selection, this);
  }
  std::unique_ptr<EdiExportDialog> owner(form);
  // The reports that may follow a MOVINS are not part of this program yet:
  // their choice is not offered.
  form->PAreports->hide();
  form->exec();
  if (form->FileWritten) host->ShowMessageNo(51);
  PlanChanged();
}

void MainWindow::SaveConditionClick() {
  if (!conditions_ || plan_.CurVessel < 0) return;
  SaveConditionDialog form(*conditions_, this);
  form.exec();
  if (!form.Outcome.closed) return;
  FillConditionItems();
  AfterConditionChange();
  if (form.Outcome.newFile) ChangeDateClick();
}

void MainWindow::RevertConditionClick() {
  if (!conditions_ || !host) return;
  BusyCursor busy(*host);
  if (conditions_->RevertCondition()) FillConditionItems();
  AfterConditionChange();
}

void MainWindow::ChangeDateClick() {
  if (!conditions_) return;
  std::tm when{};
  if (!conditions_->SelectedConditionDate(when)) return;
  if (!CallDateDialog::Ask(when, this)) return;
  if (conditions_->ChangeConditionDate(when)) FillConditionItems();
}

void MainWindow::ShowConditionMenu(const QPoint& at) {
  if (!conditions_) return;
  PMcond->clear();
  connect(PMcond->addAction(Latin1(conditions_->ArchiveMenuText())), &QAction::triggered, this, [this] {
    conditions_->ToggleArchive();
    ApplyFontsAndColours();
    FillConditionItems();
  });
  connect(PMcond->addAction(Latin1(conditions_->MoveMenuText())), &QAction::triggered, this, [this] {
    conditions_->MoveSelectedCondition();
    FillConditionItems();
  });
  if (conditions_->RemoveAllowed()) {
    connect(PMcond->addAction(tr("&Remove Condition")), &QAction::triggered, this, [this] {
      conditions_->DeleteSelectedCondition();
      FillConditionItems();
    });
  }
  connect(PMcond->addAction(tr("&Change date")), &QAction::triggered, this, &MainWindow::ChangeDateClick);
  PMcond->popup(LBcond->viewport()->mapToGlobal(at));
}

void MainWindow::ColourClick() {
  const bool lists = LB1->isVisible();
  const int setting = lists ? SettingsIx::ListColour : SettingsIx::WindowColour;
  const QColor start =
      SettingColour(plan_.Settings[setting], lists ? QColor(Qt::white) : palette().color(QPalette::Window));
  const QColor chosen = QColorDialog::getColor(start, this, tr("Color"));
  if (!chosen.isValid()) return;
  plan_.Settings[setting] = std::to_string(RgbColour(chosen.red(), chosen.green(), chosen.blue()));
  ApplyFontsAndColours();
}

void MainWindow::ExportVesClick() {
  if (!host || plan_.CurVessel < 0) return;
  BusyCursor busy(*host);
  ExportVes(plan_, *host);
}

void MainWindow::ImportFinalClick() {
  if (!session_ || plan_.CurVessel < 0) return;
  const VesImportOutcome outcome = ImportFinal(session_->ctx);
  if (outcome.result == VesImportResult::UseLoadList) {
    ImportLoadingListClick(false);
    return;
  }
  if (outcome.result != VesImportResult::Read) return;
  AfterConditionChange();
  // The condition now is the other program's: it is saved under a name
  // the planner gives it.
  SaveConditionClick();
}

bool MainWindow::ImportLoadingListClick(bool add) {
  if (!session_ || !base_ || plan_.CurVessel < 0) return false;
  QString file;
  if (ChooseLoadingListFile) {
    file = ChooseLoadingListFile();
  } else {
    const QStringList filters = {tr("All files (*)"), tr("CSV files (*.csv)"), tr("Text files (*.txt)")};
    // Where the planner keeps CSV bookings, the chooser offers them first.
    QString chosen = plan_.XlsCount > 0 && plan_.Settings[SettingsIx::LoadingListAsText] < "1" ? filters[1]
                                                                                                  : filters[0];
    file = QFileDialog::getOpenFileName(this, tr("Loading List"), Latin1(plan_.Settings[SettingsIx::ReceivingDir]),
                                        filters.join(";;"), &chosen);
  }
  if (file.isEmpty()) return false;
  const LoadingListImport result = ImportLoadingList(session_->ctx, *base_, AllBays->Quay,
                                                     std::filesystem::path(file.toStdString()), add, false);
  AllBays->PAqua->ShowGroups();
  if (AllBays->FormQuay->isVisible()) AllBays->FormQuay->Refresh();
  if (!result.accepted) return false;
  // The quay is saved with the condition: a new list changes it.
  session_->ctx.MarkConditionModified(true);
  if (!add) AllBays->RefreshPlan();
  PlanChanged();
  return true;
}

void MainWindow::ExportLoadingListClick() {
  if (!host || plan_.CurVessel < 0) return;
  BusyCursor busy(*host);
  ExportLoadingList(plan_, *host, LoadingListExportFile(plan_));
}

void MainWindow::SaveAsCsvClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  if (!Sel->ShowSelection(plan_.CurPlane)) return;
  const std::filesystem::path file = SaveAsCsv(session_->ctx, session_->conditions);
  if (!file.empty()) Programs->OpenInSpreadsheet(file.filename().string());
  PlanChanged();
}

void MainWindow::SaveVoyageAsCsvClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  Selection& selection = session_->selection;
  {
    BusyCursor busy(*host);
    conditions_->BuildVoyageDataSet(plan_.VesHdr[VesHdrIx::Voy]);
    FillConditionItems();
  }
  selection.RequestedPlane = plan_.VoyPlane;
  selection.ResetSelection();
  if (Sel->ShowSelection(plan_.VoyPlane)) {
    const std::filesystem::path file = SaveVoyageAsCsv(session_->ctx, session_->conditions);
    if (!file.empty()) Programs->OpenInSpreadsheet(file.filename().string());
  }
  selection.RequestedPlane = plan_.CurPlane;
  selection.ResetSelection();
  PlanChanged();
}

void MainWindow::RdrReportClick(int grouping) {
  if (!session_ || !host || plan_.CurVessel < 0 || grouping < 1 || grouping > 4) return;
  RdrReport report;
  {
    BusyCursor busy(*host);
    // Built afresh: the way ports are read from the voyage's own ports.
    plan_.VoyUnitCount = 0;
    conditions_->BuildVoyageDataSet(plan_.VesHdr[VesHdrIx::Voy]);
    FillConditionItems();
    RdrSources sources;
    sources.foreDraft = session_->stability.Results.ForeDraft;
    sources.aftDraft = session_->stability.Results.AftDraft;
    report = BuildRdrReport(plan_, session_->selection, static_cast<RdrGrouping>(grouping), sources);
  }
  PlanChanged();
  if (!report.error.empty()) {
    host->ReportError(report.error);
    return;
  }
  std::string error;
  if (!Programs->OpenInWordProcessor(report.lines, error)) host->ReportError(error);
}

void MainWindow::TanksClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  if (session_->stability.Hyd.size() <= 2) {
    host->ShowMessageNo(39);
    return;
  }
  Tanks->show();
  Tanks->raise();
  Tanks->activateWindow();
}

void MainWindow::StressesClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  if (!session_->stability.strength().Loaded()) {
    host->ShowMessageNo(11);
    return;
  }
  Stre->show();
  Stre->raise();
  Stre->activateWindow();
}
