#include "ui/UnitMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "conditions/ConditionFile.h"
#include "conditions/ConditionList.h"
#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "ui/FrameStab.h"
#include "ui/UnitBapliex.h"
#include "ui/UnitBaplimp.h"
#include "ui/UnitCommon.h"
#include "ui/UnitCust.h"
#include "ui/UnitPorts.h"
#include "vessel/PtcFile.h"
#include "vessel/TDmBase.h"

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

std::string& VesselField(PlanData& plan, int entry, int field) {
  return plan.VesselList[static_cast<size_t>(entry * kVesselListFields + field)];
}

}  // namespace

TFormMain::TFormMain(PlanData& plan, QWidget* parent) : QMainWindow(parent), plan_(plan) {
  setWindowTitle(Latin1(plan_.ProductName));
  resize(1200, 760);

  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* exitVessel = file->addAction(tr("Exit &Vessel"));
  connect(exitVessel, &QAction::triggered, this, &TFormMain::SelectVesselExecute);
  vesselActions_ << exitVessel;
  QAction* exit = file->addAction(tr("E&xit"));
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* settings = menuBar()->addMenu(tr("&Settings"));
  connect(settings->addAction(tr("&Base Data...")), &QAction::triggered, this, &TFormMain::BaseDataClick);
  connect(settings->addAction(tr("&Customizing...")), &QAction::triggered, this, &TFormMain::CustomizingClick);
  noVesselActions_ << settings->menuAction();
  QMenu* edifact = menuBar()->addMenu(tr("&Edifact"));
  QAction* importEdi = edifact->addAction(tr("&Import BAPLIE/MOVINS/COPRAR..."));
  connect(importEdi, &QAction::triggered, this, &TFormMain::ImportEdiClick);
  QAction* exportEdi = edifact->addAction(tr("&Export BAPLIE..."));
  connect(exportEdi, &QAction::triggered, this, &TFormMain::ExportBaplieClick);
  vesselActions_ << edifact->menuAction();
  QMenu* tables = menuBar()->addMenu(tr("&Tables"));
  connect(tables->addAction(tr("&Ports")), &QAction::triggered, this, &TFormMain::PortsClick);

  // The tool bar: the commands that work on the open vessel.
  TB = addToolBar(tr("Commands"));
  TB->setMovable(false);
  QAction* selectVessel = TB->addAction(tr("Select Vessel"));
  selectVessel->setToolTip(tr("Exit Vessel"));
  connect(selectVessel, &QAction::triggered, this, &TFormMain::SelectVesselExecute);
  TB->addSeparator();
  TB->addAction(importEdi);
  TB->addAction(exportEdi);
  importEdi->setToolTip(tr("Import BAPLIE/MOVINS/COPRAR"));
  exportEdi->setToolTip(tr("Export BAPLIE"));
  TB->addSeparator();
  PAt = TitlePanel(TB);
  TB->addWidget(PAt);

  // No vessel: the installed vessels.
  LB1 = new QListWidget(this);
  LB1->setFont(QFont("DejaVu Sans Mono", 12));
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
  connect(LB1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const std::string name = item->text().toLatin1().toStdString();
    for (int k = 0; k < plan_.VesselCount; ++k) {
      if (VesselField(plan_, k, 0) == name) {
        OpenVesselEntry(k);
        return;
      }
    }
  });

  // A vessel: its conditions beside the stability frame.
  auto* vesselPage = new QWidget(this);
  LBcond = new QListWidget(vesselPage);
  LBcond->setFont(QFont("DejaVu Sans Mono", 10));
  LBcond->setMinimumWidth(300);
  connect(LBcond, &QListWidget::itemDoubleClicked, this, [this] { OpenSelectedCondition(); });
  connect(LBcond, &QListWidget::currentRowChanged, this, [this](int row) {
    if (conditions_) conditions_->Selected = row;
  });
  PMcond = new QMenu(LBcond);
  LBcond->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LBcond, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (!conditions_) return;
    PMcond->clear();
    connect(PMcond->addAction(Latin1(conditions_->ArchiveMenuText())), &QAction::triggered, this, [this] {
      conditions_->ToggleArchive();
      FillConditionItems();
    });
    connect(PMcond->addAction(Latin1(conditions_->MoveMenuText())), &QAction::triggered, this, [this] {
      conditions_->MoveSelectedCondition();
      FillConditionItems();
    });
    QAction* remove = PMcond->addAction(tr("&Remove Condition"));
    remove->setEnabled(conditions_->RemoveAllowed());
    connect(remove, &QAction::triggered, this, [this] {
      conditions_->DeleteSelectedCondition();
      FillConditionItems();
    });
    PMcond->popup(LBcond->viewport()->mapToGlobal(at));
  });
  FrameStab = new TFrameStab(plan_, vesselPage);
  auto* splitter = new QSplitter(Qt::Vertical, vesselPage);
  splitter->addWidget(LBcond);
  splitter->addWidget(FrameStab);
  splitter->setStretchFactor(0, 1);
  PAb = TitlePanel(vesselPage);
  auto* vesselLayout = new QVBoxLayout(vesselPage);
  vesselLayout->addWidget(splitter, 1);
  vesselLayout->addWidget(PAb);

  pages_ = new QStackedWidget(this);
  pages_->addWidget(LB1);
  pages_->addWidget(vesselPage);
  setCentralWidget(pages_);

  LDataDir = new QLabel(QString::fromLocal8Bit(plan_.ProgramDir.c_str()), this);
  statusBar()->addWidget(LDataDir);
  ShowVesselState(false);
}

TFormMain::~TFormMain() = default;

void TFormMain::Attach(Host& h, TDmBase& base) {
  host = &h;
  base_ = &base;
  session_ = std::make_unique<VesselSession>(plan_, h, base.TotalsLabels);
  conditions_ = std::make_unique<ConditionList>(session_->ctx, session_->conditions);
  conditions_->Views.ConditionOpened = [this] { AfterConditionChange(); };
  conditions_->Views.ConditionReverted = [this] { AfterConditionChange(); };
  FrameStab->SetStability(&session_->stability);
  connect(FrameStab, &TFrameStab::conditionChanged, this, [this] {
    if (session_) session_->ctx.MarkConditionModified(true);
  });
  FillVesselList();
}

void TFormMain::ShowVesselState(bool open) {
  pages_->setCurrentIndex(open ? 1 : 0);
  TB->setVisible(open);
  for (QAction* a : vesselActions_) a->setVisible(open);
  for (QAction* a : noVesselActions_) a->setVisible(!open);
}

int TFormMain::FillVesselList() {
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
  return result;
}

void TFormMain::OpenLastVessel() {
  const int last = FillVesselList();
  if (last >= 0) OpenVesselEntry(last);
}

bool TFormMain::OpenVesselEntry(int index) {
  if (!session_) return false;
  if (plan_.CurVessel >= 0 && !CloseVessel()) return false;
  BusyCursor busy(*host);
  if (!session_->Open(index)) {
    host->ShowMessageNo(53);
    ShowVesselState(false);
    return false;
  }
  plan_.PlaneTitle[0].clear();
  // The list shows the working conditions, and the one open when the vessel
  // was left is opened again.
  plan_.ArchiveMode = 1;
  conditions_->ToggleArchive();
  FillConditionItems();
  const std::string wanted = Trim(plan_.VesHdr[VesHdrIx::Adp] + plan_.VesHdr[VesHdrIx::Port] +
                                  plan_.VesHdr[VesHdrIx::Voy]);
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
  setWindowTitle(Latin1(plan_.ProductName + " - " + plan_.VesHdr[VesHdrIx::Vessel]));
  ShowVesselState(true);
  AfterConditionChange();
  return true;
}

void TFormMain::FillConditionItems() {
  if (!conditions_) return;
  LBcond->clear();
  for (int i = 0; i < static_cast<int>(conditions_->Items.size()); ++i) {
    auto* item = new QListWidgetItem(Latin1(conditions_->DisplayText(i)), LBcond);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (conditions_->Selected >= 0) LBcond->setCurrentRow(conditions_->Selected);
}

void TFormMain::OpenSelectedCondition() {
  if (!conditions_) return;
  conditions_->Selected = LBcond->currentRow();
  BusyCursor busy(*host);
  if (conditions_->OpenSelectedCondition()) FillConditionItems();
  AfterConditionChange();
}

void TFormMain::AfterConditionChange() {
  if (session_) session_->stability.ComputeStability();
  FrameStab->Refresh();
  RefreshTitles();
}

void TFormMain::RefreshTitles() {
  std::string text = plan_.VesHdr[VesHdrIx::Vessel];
  const std::string& title = plan_.PlaneTitle[static_cast<size_t>(plan_.CurPlane)];
  if (!Trim(title).empty()) text += " - " + title;
  PAt->setText(Latin1(text));
  PAb->setText(Latin1(text));
}

bool TFormMain::CloseVessel() {
  if (!session_ || plan_.CurVessel < 0) return true;
  if (plan_.ConditionModified && !conditions_->AskSaveModified(true)) return false;
  if (plan_.CelChanged) session_->ves.SaveCells();
  setWindowTitle(Latin1(plan_.ProductName));
  BusyCursor busy(*host);
  // The quay and the particulars (with the condition open now) are kept.
  session_->conditions.WriteCondition("", false, plan_.QuayPlane);
  std::string error;
  if (!WritePtc(plan_, std::filesystem::path(plan_.VesselDir) / "ptc.txt", error)) host->ReportError(error);
  plan_.CurVessel = -1;
  ShowVesselState(false);
  FillVesselList();
  return true;
}

void TFormMain::SelectVesselExecute() {
  if (CloseVessel()) plan_.Settings[SettingsIx::LastVessel].clear();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!CloseVessel()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TFormMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TFormMain::BaseDataClick() {
  TFormCommon form(plan_, this);
  form.onStored = [this] {
    if (onSettingsChanged) onSettingsChanged();
    FillVesselList();
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

void TFormMain::ImportEdiClick() {
  if (!session_ || !base_ || plan_.CurVessel < 0) return;
  const std::string path = TFormBaplimp::AskImportFile(plan_, this);
  if (path.empty()) return;
  if (TFormBaplimp::ImportFile(session_->ctx, *base_, path, this)) AfterConditionChange();
}

void TFormMain::ExportBaplieClick() {
  if (!session_ || !host || plan_.CurVessel < 0) return;
  TFormBapliex::ExportBaplie(plan_, *host, conditions_->PortRotation, &session_->selection, this);
}
