// The main window's long view and document commands: "Visibility" and the
// "Long View" button, the condition document, the notes, the manifest
// comparison and the container types.

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <filesystem>

#include "conditions/LoadingList.h"
#include "conditions/LoadingListFile.h"
#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/Quay.h"
#include "ui/BayPlanEditor.h"
#include "ui/DocumentWindow.h"
#include "ui/LoadingListWindow.h"
#include "ui/LongViewWindow.h"
#include "ui/MainWindow.h"
#include "ui/OutsidePrograms.h"
#include "ui/PrintService.h"
#include "ui/QuayStrip.h"
#include "ui/SelectionWindow.h"

namespace {

// The menu of the menu bar captioned so (without its accelerator), made
// when there is none yet.
QMenu* MenuNamed(QMenuBar* bar, const QString& caption) {
  for (QAction* a : bar->actions()) {
    QString text = a->text();
    if (a->menu() && text.remove('&') == caption) return a->menu();
  }
  return bar->addMenu("&" + caption);
}

}  // namespace

void MainWindow::BuildDocumentCommands(QMenu* tables) {
  QMenu* result = MenuNamed(menuBar(), "Result");
  QAction* visibility = result->addAction(tr("&Visibility"));
  visibility->setToolTip(tr("Long View"));
  connect(visibility, &QAction::triggered, this, &MainWindow::VisibilityClick);
  QAction* document = result->addAction(tr("Condition &Document"));
  document->setToolTip(tr("Condition Document"));
  connect(document, &QAction::triggered, this, [this] { DocumentClick(DocumentKind::Condition); });
  QMenu* reports = MenuNamed(menuBar(), "Reports");
  connect(reports->addAction(tr("&Notes")), &QAction::triggered, this, [this] { DocumentClick(DocumentKind::Notes); });
  connect(reports->addAction(tr("&Manifest Comparision")), &QAction::triggered, this,
          &MainWindow::ManifestComparisonClick);
  connect(tables->addAction(tr("&Types")), &QAction::triggered, this, [this] { DocumentClick(DocumentKind::Types); });
  vesselActions_ << result->menuAction() << reports->menuAction();
  Printing = std::make_shared<PrintService>(plan_);
  LongViewButton = visibility;
  DocumentButton = document;
}

PrintService& MainWindow::Printer() { return *Printing; }

void MainWindow::VisibilityClick() {
  if (!session_ || plan_.CurVessel < 0) return;
  if (ParseReal(plan_.VesHdr[VesHdrIx::LongViewLength]) < 1 || ParseReal(plan_.VesHdr[VesHdrIx::LongViewHeight]) < 1) {
    host->ShowMessageNo(40);
    return;
  }
  if (!LongView) {
    LongView = new LongViewWindow(plan_, this);
    LongView->Results = [this]() -> const StabilityResults* { return &session_->stability.Results; };
    LongView->Printing = &Printer();
  }
  LongView->show();
  LongView->raise();
  LongView->update();
}

bool MainWindow::DocumentClick(DocumentKind kind) {
  if (!session_ || plan_.CurVessel < 0) return false;
  if (kind == DocumentKind::Condition && session_->stability.Hyd.size() <= 2) {
    host->ShowMessageNo(39);
    return false;
  }
  DocumentWindow window(plan_, session_->stability, kind, this);
  window.Limit = rect().size();
  window.Printing = &Printer();
  OutsidePrograms outside(plan_);
  window.Outside = &outside;
  window.ReportError = [this](const std::string& error) { host->ReportError(error); };
  window.OpenSelection = [this] { Sel->ShowSelection(plan_.CurPlane); };
  window.ResetSelection = [this] { session_->selection.ResetSelection(); };
  window.exec();
  return true;
}

bool MainWindow::ManifestComparisonClick() {
  if (!session_ || !base_ || plan_.CurVessel < 0) return false;
  QString file = ChooseLoadingListFile ? ChooseLoadingListFile()
                                       : QFileDialog::getOpenFileName(this, tr("Manifest"),
                                                                      QString::fromLatin1(plan_.Settings[SettingsIx::ReceivingDir].c_str()));
  if (file.isEmpty()) return false;
  const int before = std::clamp(plan_.QuayCount, 0, kMaxCells);
  LoadingList& quay = AllBays->Quay;
  const LoadingListImport read = ImportLoadingList(session_->ctx, *base_, quay,
                                                   std::filesystem::path(file.toLocal8Bit().toStdString()), true, true, true);
  bool shown = false;
  if (read.accepted) {
    // The manifest went to the quay behind the units already there, unless
    // the planner had the quay emptied first.
    const int after = std::clamp(plan_.QuayCount, 0, kMaxCells);
    const int from = before > 0 && after == before + read.toQuay ? before : 0;
    {
      DocumentWindow window(plan_, session_->stability, DocumentKind::Manifest, this);
      window.ManifestFrom = from;
      window.Limit = rect().size();
      window.Printing = &Printer();
      OutsidePrograms outside(plan_);
      window.Outside = &outside;
      window.ReportError = [this](const std::string& error) { host->ReportError(error); };
      window.exec();
    }
    // The manifest leaves the quay; units the planner kept there stay.
    if (from > 0) {
      TruncateQuay(plan_, from);
      quay.RefreshQuayRoutes();
    } else {
      quay.EmptyQuay();
      if (before > 0) session_->ctx.MarkConditionModified(true);
    }
    shown = true;
  }
  AllBays->PAqua->ShowGroups();
  if (AllBays->FormQuay->isVisible()) AllBays->FormQuay->Refresh();
  PlanChanged();
  return shown;
}
