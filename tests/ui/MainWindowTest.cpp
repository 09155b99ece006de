// The main window driven offscreen on a copy of the demo installation, as a
// planner uses it: the feeder opens with its last condition, conditions are
// opened, saved under a new name and dated, archived and restored, a
// modified condition is saved, put aside or kept on leaving, the program
// reopens where it was left, and a BAPLIE comes in through the dialog.

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "ModalWindows.h"
#include "conditions/ConditionList.h"
#include "conditions/Schedule.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/AttributePanel.h"
#include "planning/BayLayout.h"
#include "planning/CellOps.h"
#include "ui/Application.h"
#include "ui/BayPlanEditor.h"
#include "ui/CallDateDialog.h"
#include "ui/LoadingListWindow.h"
#include "ui/OutsidePrograms.h"
#include "ui/QuestionDialog.h"
#include "ui/CheckWindow.h"
#include "ui/EdiExportDialog.h"
#include "ui/EdiImportDialog.h"
#include "ui/MessageWindow.h"
#include "ui/Program.h"
#include "ui/SaveConditionDialog.h"
#include "ui/SelectionWindow.h"
#include "ui/StabilityFrame.h"
#include "ui/StressesWindow.h"
#include "ui/TanksWindow.h"
#include "vessel/CellAddress.h"

namespace fs = std::filesystem;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<PlanData> plan_;
  std::unique_ptr<Zum4Program> program_;
  QStringList errors_;
  QStringList warnings_;

  fs::path Demo() const { return fs::path(dir_->path().toStdString()) / "demo"; }
  fs::path CondDir() const { return Demo() / "FEEDER" / "COND"; }
  MainWindow& Main() { return program_->main; }
  ConditionList& List() { return *Main().Conditions(); }

  // Starts the program on the demo copy as the executable does.
  void Start() {
    plan_ = CreatePlanData();
    plan_->ProgramDir = Demo().string();
    program_ = std::make_unique<Zum4Program>(*plan_);
    program_->Load(Demo());
    QVERIFY(program_->installed);
    program_->Show();
  }

  // Leaves the program as closing its window does; false when it stayed.
  bool Quit() {
    Main().close();
    if (Main().isVisible()) return false;
    program_->Finish();
    program_.reset();
    plan_.reset();
    return true;
  }

  QStringList Items() const {
    QStringList items;
    for (int i = 0; i < program_->main.LBcond->count(); ++i)
      items << program_->main.LBcond->item(i)->text().trimmed();
    return items;
  }

  int Row(const QString& name) const {
    for (int i = 0; i < program_->main.LBcond->count(); ++i)
      if (program_->main.LBcond->item(i)->text().trimmed().endsWith(name)) return i;
    return -1;
  }

  void Open(const QString& name) {
    const int row = Row(name);
    QVERIFY2(row >= 0, qPrintable(name));
    Main().LBcond->setCurrentRow(row);
    Main().OpenSelectedCondition();
  }

  // A change of the working condition: one unit leaves the ship.
  void Modify() {
    PlanContext& ctx = Main().Session()->ctx;
    for (int i = 0; i < plan_->CellCount; ++i) {
      if (plan_->Cur()[static_cast<size_t>(i)].STATUS != 1) continue;
      QVERIFY(RemoveUnit(ctx, i));
      ctx.MarkConditionModified(true);
      return;
    }
    QFAIL("no unit on board");
  }

  int UnitsOnBoard() const {
    int n = 0;
    for (int i = 0; i < plan_->CellCount; ++i) n += plan_->Cur()[static_cast<size_t>(i)].STATUS == 1;
    return n;
  }

  static std::string FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Triggers an item of the conditions list's pop-up menu.
  void ConditionMenu(const QString& text) {
    emit Main().LBcond->customContextMenuRequested(QPoint(5, 5));
    for (QAction* action : Main().PMcond->actions()) {
      if (action->text() != text) continue;
      Main().PMcond->hide();
      action->trigger();
      return;
    }
    QFAIL(qPrintable("no menu item " + text));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", Demo(), fs::copy_options::recursive);
    errors_.clear();
    warnings_.clear();
    Zum4Application::SetErrorDisplay([this](const QString& text) { errors_ << text; });
    Zum4Application::SetWarningDisplay([this](const QString& text) { warnings_ << text; });
  }

  void cleanup() {
    program_.reset();
    plan_.reset();
    dir_.reset();
    Zum4Application::SetErrorDisplay(nullptr);
    Zum4Application::SetWarningDisplay(nullptr);
  }

  // "Save as CSV" writes cntrs.csv only when the selection window is left
  // with OK, then opens it in the spreadsheet; "RDR" hands its lines to the
  // word processor through word.txt.
  void exportsCsvAndTheRdrReport() {
    Start();
    std::vector<std::string> started;
    Main().Programs->run = [&](const std::string& line, const std::string&, bool) {
      started.push_back(line);
      return true;
    };
    const fs::path csv = fs::path(plan_->Settings[SettingsIx::SendingDir]) / "cntrs.csv";
    OnModal<SelectionWindow>([](SelectionWindow* form) { form->close(); });
    Main().SaveAsCsvClick();
    QVERIFY(!fs::exists(csv));
    QVERIFY(started.empty());
    OnModal<SelectionWindow>([](SelectionWindow* form) { QTest::mouseClick(form->BOk, Qt::LeftButton); });
    Main().SaveAsCsvClick();
    const std::string bytes = FileBytes(csv);
    QCOMPARE(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 587L);  // the heading and every unit
    QCOMPARE(started.size(), size_t(1));
    QVERIFY2(started[0].find(csv.string()) != std::string::npos, started[0].c_str());

    QAction* rdr = nullptr;
    for (QAction* action : Main().menuBar()->findChildren<QAction*>())
      if (action->text() == "Tots by Pod/Pol") rdr = action;
    QVERIFY(rdr != nullptr);
    // With ZUM4_SCREENSHOTS naming a folder, the window and the menu as they look.
    if (const QString shots = qEnvironmentVariable("ZUM4_SCREENSHOTS"); !shots.isEmpty()) {
      Main().grab().save(shots + "/main-window-exports.png");
      if (auto* menu = qobject_cast<QMenu*>(rdr->parent())) {
        menu->popup(QPoint(0, 0));
        menu->grab().save(shots + "/main-window-rdr-menu.png");
        menu->hide();
      }
    }
    rdr->trigger();
    std::vector<std::string> lines;
    std::string error;
    QVERIFY(ReadTextLines(fs::path(plan_->DataDir) / "word.txt", lines, error));
    QCOMPARE(lines.front(), std::string("North Europe feeder - REGIONAL DEPARTURE REPORT"));
    QVERIFY(std::find(lines.begin(), lines.end(), "WAYPORTS:") != lines.end());
    QCOMPARE(lines[lines.size() - 2], std::string("REGARDS"));
    QVERIFY(errors_.isEmpty());
    QCOMPARE(started.size(), size_t(2));
    QVERIFY2(started[1].find("word.txt") != std::string::npos, started[1].c_str());
  }

  // ./run.sh shows the feeder with its departure from Hamburg, the
  // stability of that condition and the conditions in calling order.
  void startsWithTheFeederAndItsLastCondition() {
    Start();
    QVERIFY(plan_->CurVessel >= 0);
    QVERIFY(Main().LBcond->isVisible());
    QVERIFY(!Main().LB1->isVisible());
    QCOMPARE(Main().PAt->text(), QString("ZUM FEEDER - HAMBURG / 012N Departure"));
    QCOMPARE(Main().PAb->text(), Main().PAt->text());
    QCOMPARE(Items(),
             (QStringList{"6/11/30*DHAM012N", "6/11/30 PHAM012N", "6/11/30 AHAM012N", "6/11/28 DRTM012N",
                          "6/11/28 ARTM012N"}));
    QVERIFY(UnitsOnBoard() > 0);
    QVERIFY(Main().Session()->stability.Displacement().W > 0);
    QVERIFY(!Main().RestoreAction->isVisible());
    QVERIFY(errors_.isEmpty());
  }

  void opensAConditionAndNamesItInTheTitle() {
    Start();
    Open("ARTM012N");
    QCOMPARE(Main().PAt->text(), QString("ZUM FEEDER - ROTTERDAM / 012N Arrival"));
    QCOMPARE(Items().at(Row("ARTM012N")), QString("6/11/28*ARTM012N"));
    QCOMPARE(Items().at(Row("DHAM012N")), QString("6/11/30 DHAM012N"));
  }

  // A new name through the save dialog, its call date through the date
  // dialog: the new condition heads the list.
  void savesUnderANewNameAndDatesIt() {
    Start();
    Modify();
    QVERIFY(Main().RestoreAction->isVisible());
    QString refusal;
    OnModal<SaveConditionDialog>([&refusal](SaveConditionDialog* form) {
      QCOMPARE(form->windowTitle(), QString("Save Condition"));
      QCOMPARE(form->CBport->currentText(), QString("HAM"));
      QCOMPARE(form->EDvoy->text(), QString("012N"));
      QCOMPARE(form->RGtype->checkedButton()->text(), QString("Departure"));
      // Too short a voyage keeps the dialog open with its reason.
      form->EDvoy->setText("13");
      QTest::mouseClick(form->BSave, Qt::LeftButton);
      refusal = form->LMessage->text();
      QVERIFY(form->isVisible());
      form->EDvoy->clear();
      QTest::keyClicks(form->EDvoy, "013n");
      form->RGtype->button(0)->click();  // Arrival
      OnModal<CallDateDialog>([](CallDateDialog* date) {
        QCOMPARE(date->windowTitle(), QString("Call Date/Time"));
        date->DTdate->setDate(QDate(2026, 12, 2));
        date->DTtime->setTime(QTime(6, 30));
        date->accept();
      });
      QTest::mouseClick(form->BSave, Qt::LeftButton);
    });
    Main().SaveAction->trigger();
    QCOMPARE(refusal, QString("wrong voy number"));
    QVERIFY(fs::exists(CondPath("AHAM013N.TXT")));
    QCOMPARE(Items().first(), QString("6/12/02*AHAM013N"));
    QCOMPARE(Main().PAt->text(), QString("ZUM FEEDER - HAMBURG / 013N Arrival"));
    QVERIFY(!Main().RestoreAction->isVisible());
    std::vector<std::string> lines;
    std::string error;
    QVERIFY(ReadSchedule(CondDir(), lines, error));
    bool dated = false;
    for (const std::string& line : lines) dated = dated || line.rfind("2026/12/02 06.30 AHAM013N", 0) == 0;
    QVERIFY(dated);
  }

  void changesTheDateOfACondition() {
    Start();
    Main().LBcond->setCurrentRow(Row("ARTM012N"));
    OnModal<CallDateDialog>([](CallDateDialog* date) {
      QCOMPARE(date->DTdate->date(), QDate(2026, 11, 28));
      QCOMPARE(date->DTtime->time(), QTime(6, 0));
      date->DTdate->setDate(QDate(2026, 12, 5));
      date->accept();
    });
    ConditionMenu("&Change date");
    QCOMPARE(Items().first(), QString("6/12/05 ARTM012N"));
  }

  void archivesAndRestoresACondition() {
    Start();
    Main().LBcond->setCurrentRow(Row("ARTM012N"));
    ConditionMenu("Move to Archive");
    QCOMPARE(Row("ARTM012N"), -1);
    QVERIFY(!fs::exists(CondPath("ARTM012N.TXT")));
    ConditionMenu("Open Archive");
    QCOMPARE(Items(), QStringList{"6/11/28 ARTM012N"});
    Main().LBcond->setCurrentRow(0);
    ConditionMenu("Restore Condition");
    QVERIFY(Items().isEmpty());
    ConditionMenu("Close Archive");
    QCOMPARE(Items().last(), QString("6/11/28 ARTM012N"));
    QVERIFY(fs::exists(CondPath("ARTM012N.TXT")));
  }

  // "Automatic Save" writes the condition on leaving; with the temporary
  // file option the work is put aside in temp.TXT and comes back as the
  // modified condition at the next opening.
  void automaticSaveAndTheTemporaryFile() {
    Start();
    plan_->Settings[SettingsIx::SaveWithoutAsking] = "1";
    Main().SelectVesselExecute();
    Main().OpenLastVessel();  // "Exit Vessel" forgets the vessel: nothing reopens
    QVERIFY(plan_->CurVessel < 0);
    QVERIFY(Main().LB1->isVisible());
    const QList<QListWidgetItem*> feeder = Main().LB1->findItems("ZUM FEEDER", Qt::MatchExactly);
    QCOMPARE(feeder.size(), 1);
    emit Main().LB1->itemDoubleClicked(feeder.first());
    QCOMPARE(Main().PAcus->text(), QString("Automatic Save"));
    const int before = UnitsOnBoard();
    Modify();
    QVERIFY(Quit());

    Start();
    QCOMPARE(UnitsOnBoard(), before - 1);
    QVERIFY(!plan_->ConditionModified);
    plan_->Settings[SettingsIx::SaveWithoutAsking] = "0";
    plan_->Settings[SettingsIx::AutoSaveToTemp] = "1";
    const std::string saved = FileBytes(CondPath("DHAM012N.TXT"));
    Modify();
    QVERIFY(Quit());
    QCOMPARE(FileBytes(CondPath("DHAM012N.TXT")), saved);
    QVERIFY(fs::exists(CondPath("temp.TXT")));

    Start();
    QCOMPARE(UnitsOnBoard(), before - 2);
    QVERIFY(plan_->ConditionModified);
    QVERIFY(Main().RestoreAction->isVisible());
    QVERIFY(!fs::exists(CondPath("temp.TXT")));
    // "Restore Condition" goes back to the saved file.
    Main().RestoreAction->trigger();
    QCOMPARE(UnitsOnBoard(), before - 1);
    QVERIFY(!Main().RestoreAction->isVisible());
  }

  // Cancel keeps the program open with the work; No leaves it unsaved.
  // The previous condition of the voyage with the moves of the working plan
  // made on it: the departure's units stand where the departure has them,
  // the working condition keeps its name, and the editor's steps go.
  void alignsOnThePreviousCondition() {
    Start();
    Open("DHAM012N");
    const std::string title = plan_->PlaneTitle[kCurPlane];
    const int departureUnits = UnitsOnBoard();
    std::vector<std::string> before;
    for (int i = 0; i < plan_->CellCount; ++i)
      before.push_back(plan_->Cur()[static_cast<size_t>(i)].CONTAINER);
    OnModal<QuestionDialog>([](QuestionDialog* dialog) { QTest::mouseClick(dialog->BNo, Qt::LeftButton); });
    QVERIFY(!Main().AlignToPreviousCondition());
    QVERIFY(!plan_->ConditionModified);

    OnModal<QuestionDialog>([](QuestionDialog* dialog) {
      QCOMPARE(QString::fromStdString(dialog->QuestionLine), QString("Allign to previous condition"));
      QTest::mouseClick(dialog->BYes, Qt::LeftButton);
    });
    QVERIFY(Main().AlignToPreviousCondition());
    QCOMPARE(plan_->PlaneTitle[kCurPlane], title);
    QCOMPARE(plan_->VesHdr[VesHdrIx::Adp], std::string("D"));
    QVERIFY(plan_->ConditionModified);
    int same = 0, units = 0;
    for (int i = 0; i < plan_->CellCount; ++i) {
      const StructDat& u = plan_->Cur()[static_cast<size_t>(i)];
      if (u.STATUS != 1) continue;
      ++units;
      if (NormaliseNumber(u.CONTAINER) == NormaliseNumber(before[static_cast<size_t>(i)])) ++same;
    }
    QCOMPARE(units, departureUnits);
    QVERIFY2(units > 0 && same == units,
             qPrintable(QString("%1 of %2 units where the departure has them").arg(same).arg(units)));
    QVERIFY(errors_.isEmpty());
  }

  void closingAModifiedConditionAsks() {
    Start();
    plan_->Settings[SettingsIx::SaveWithoutAsking] = "0";
    plan_->Settings[SettingsIx::AutoSaveToTemp] = "0";
    const std::string saved = FileBytes(CondPath("DHAM012N.TXT"));
    const int before = UnitsOnBoard();
    Modify();
    QString question;
    OnModal<QuestionDialog>([&question](QuestionDialog* dialog) {
      question = QString::fromStdString(dialog->QuestionLine);
      QTest::mouseClick(dialog->BCancel, Qt::LeftButton);
    });
    QVERIFY(!Quit());
    QCOMPARE(question, QString("The current condition has been modified - Replace?"));
    QVERIFY(plan_->CurVessel >= 0);
    QCOMPARE(UnitsOnBoard(), before - 1);

    OnModal<QuestionDialog>([](QuestionDialog* dialog) { QTest::mouseClick(dialog->BNo, Qt::LeftButton); });
    QVERIFY(Quit());
    QCOMPARE(FileBytes(CondPath("DHAM012N.TXT")), saved);
    QVERIFY(!fs::exists(CondPath("temp.TXT")));
  }

  void reopensWhereItWasLeft() {
    Start();
    Open("DRTM012N");
    QVERIFY(Quit());
    Start();
    QCOMPARE(Main().PAt->text(), QString("ZUM FEEDER - ROTTERDAM / 012N Departure"));
    QCOMPARE(Items().at(Row("DRTM012N")), QString("6/11/28*DRTM012N"));
  }

  // The particulars panel stores what was typed, never the folder name,
  // and the vessel list follows a new vessel name.
  void particularsAreStoredWhenThePanelCloses() {
    Start();
    Main().ParticularsClick();
    QVERIFY(Main().PAp->isVisible());
    QVERIFY(!Main().LBcond->isVisible());
    QLineEdit* name = nullptr;
    for (QLineEdit* edit : Main().PAp->findChildren<QLineEdit*>())
      if (edit->text() == "ZUM FEEDER") name = edit;
    QVERIFY(name);
    name->selectAll();
    QTest::keyClicks(name, "zum coaster");
    QCOMPARE(name->text(), QString("ZUM COASTER"));
    Main().ParticularsClick();
    QVERIFY(Main().LBcond->isVisible());
    QVERIFY(Main().ParticularsChanged);
    QCOMPARE(plan_->VesHdr[VesHdrIx::Vessel], std::string("ZUM COASTER"));
    QVERIFY(Main().PAt->text().startsWith("ZUM COASTER - "));
    QVERIFY(Quit());
    Start();
    QCOMPARE(plan_->VesHdr[VesHdrIx::Vessel], std::string("ZUM COASTER"));
    QVERIFY(plan_->CurVessel >= 0);
  }

  // "Exit Vessel" with the particulars shown closes the panel as its own
  // command does; the next vessel opens on its conditions.
  void exitVesselClosesTheParticulars() {
    Start();
    Main().ParticularsClick();
    QVERIFY(Main().PAp->isVisible());
    Main().SelectVesselExecute();
    QVERIFY(plan_->CurVessel < 0);
    QVERIFY(!Main().PAp->isVisible());
    const QList<QListWidgetItem*> feeder = Main().LB1->findItems("ZUM FEEDER", Qt::MatchExactly);
    QCOMPARE(feeder.size(), 1);
    emit Main().LB1->itemDoubleClicked(feeder.first());
    QVERIFY(plan_->CurVessel >= 0);
    QVERIFY(!Main().PAp->isVisible());
    QVERIFY(Main().LBcond->isVisible());
  }

  // Opening a vessel lays out its bays at once, drops the other vessel's
  // selection lists and, without hydrostatics, its drafts; a vessel whose
  // particulars cannot be read is named once, without the general message
  // that is kept for a vessel with no particulars at all.
  void openingAVesselStartsFromItsOwnData() {
    Start();
    QVERIFY(!Main().AllBays->isVisible());
    auto laidOut = [this] {
      BayLayout expected;
      ComputeBayLayout(*plan_, expected, kTargetScreen);
      const BayLayout& got = Main().AllBays->Layout;
      return got.lineCount > 0 && got.lineCount == expected.lineCount && got.maxSlot == expected.maxSlot &&
             got.MaxTiers == expected.MaxTiers;
    };
    QVERIFY(laidOut());
    Main().Session()->selection.RefillSelectionLists();
    QVERIFY(!Main().Session()->selection.ListsStale());
    const double feederDraft = Main().Session()->stability.Results.MeanDraft;
    QVERIFY(feederDraft != 7.0);

    auto entry = [this](const char* name) {
      for (int k = 0; k < plan_->VesselCount; ++k)
        if (Trim(plan_->VesselList[static_cast<size_t>(k * kVesselListFields)]) == name) return k;
      return -1;
    };
    const fs::path barge = Demo() / "BARGE";
    fs::rename(barge / "HYD.txt", barge / "HYD.off");
    QVERIFY(Main().OpenVesselEntry(entry("ZUM BARGE")));
    QVERIFY(Main().Session()->selection.ListsStale());
    QCOMPARE(Main().Session()->stability.Results.MeanDraft, 7.0);
    QCOMPARE(Main().Session()->stability.Results.KM, 0.0);
    QVERIFY(laidOut());

    QStringList told;
    OnModal<MessageWindow>([&told](MessageWindow* message) {
      told << message->LText->text();
      message->accept();
    });
    Main().SelectVesselExecute();  // closing writes ptc.txt
    {
      std::ofstream broken(barge / "ptc.txt", std::ios::binary | std::ios::trunc);
      broken.write("\0\1\2\3", 4);
    }
    errors_.clear();
    QVERIFY(!Main().OpenVesselEntry(entry("ZUM BARGE")));
    QCOMPARE(errors_.size(), 1);
    QVERIFY2(errors_.first().contains("ptc.txt"), qPrintable(errors_.first()));
    QVERIFY(told.isEmpty());
    fs::remove(barge / "ptc.txt");
    QVERIFY(!Main().OpenVesselEntry(entry("ZUM BARGE")));
    QTRY_COMPARE(told.size(), 1);
  }

  // A vessel whose folder has gone is left out of the list, and the planner
  // is told so in a warning, not an error: the program starts.
  void aWarningReachesTheScreen() {
    {
      std::ofstream vex(Demo() / "vex.txt", std::ios::binary | std::ios::app);
      vex << "ZUM GHOST;GHOST;1;\r\n";
    }
    Start();
    QVERIFY(plan_->CurVessel >= 0);
    QVERIFY(errors_.isEmpty());
    QCOMPARE(warnings_.size(), 1);
    QVERIFY2(warnings_.first().contains("vex.txt: 1 line not read: line 3: no vessel folder \"GHOST\""),
             qPrintable(warnings_.first()));
  }

  // The editor opens from the main window; its "Sel" filters the units and
  // a double click on a line of its check shows just that line's cells.
  void editorSelectionAndCheck() {
    Start();
    Main().AllBaysClick();
    BayPlanEditor& editor = *Main().AllBays;
    QVERIFY(editor.isVisible());
    QVERIFY(editor.windowTitle().startsWith("ZUM FEEDER - HAMBURG / 012N Departure"));
    auto selected = [this] {
      int n = 0;
      for (int i = 0; i < plan_->CellCount; ++i)
        n += plan_->Cur()[static_cast<size_t>(i)].STATUS == 1 &&
             plan_->Cur()[static_cast<size_t>(i)].SELECTED == 1;
      return n;
    };
    const int units = UnitsOnBoard();
    QCOMPARE(selected(), units);
    OnModal<SelectionWindow>([](SelectionWindow* form) {
      const QList<QListWidgetItem*> got = form->ListBox2->findItems("GOT", Qt::MatchExactly);
      QCOMPARE(got.size(), 1);
      got.first()->setSelected(true);
      QTest::mouseClick(form->BOk, Qt::LeftButton);
    });
    QTest::mouseClick(editor.SBsel, Qt::LeftButton);
    QVERIFY(selected() > 0 && selected() < units);
    QTest::mouseClick(editor.SBrs, Qt::LeftButton);
    QCOMPARE(selected(), units);

    OnModal<CheckWindow>([](CheckWindow* check) {
      QCOMPARE(check->LB->count(), 1);
      QVERIFY(check->LB->item(0)->text().startsWith("SEGREGATION"));
      check->LB->setCurrentRow(0);
      check->LBDblClick();
    });
    QTest::mouseClick(editor.SBchk, Qt::LeftButton);
    QCOMPARE(editor.HoverCell, FindCellByPosition(*plan_, "090482"));
    QCOMPARE(plan_->Cur()[static_cast<size_t>(FindCellByPosition(*plan_, "090484"))].SELECTED, 1);
    QCOMPARE(selected(), 2);
  }

  // The MOVINS goes out for the condition as saved, and the planner is told
  // where it went; no report choice is offered.
  void exportsAMovinsOfTheSavedCondition() {
    Start();
    plan_->Settings[SettingsIx::SaveWithoutAsking] = "0";
    const int units = UnitsOnBoard();
    Modify();
    const fs::path sending = Demo() / "SENDING";
    bool reportsOffered = true;
    QString told;
    OnModal<EdiExportDialog>([&](EdiExportDialog* form) {
      QCOMPARE(form->windowTitle(), QString("Export MOVINS"));
      reportsOffered = form->PAreports->isVisible();
      form->EDfolder->setText(QString::fromStdString(sending.string()));
      form->EDfileName->setText("MOVINS.edi");
      OnModal<MessageWindow>([&told](MessageWindow* message) {
        told = message->LText->text();
        message->accept();
      });
      QTest::mouseClick(form->BOk, Qt::LeftButton);
    });
    Main().ExportMovinsClick();
    QVERIFY(!reportsOffered);
    QVERIFY(fs::exists(sending / "MOVINS.edi"));
    QVERIFY2(told.endsWith(QString::fromStdString(plan_->Settings[SettingsIx::SendingDir])),
             qPrintable(told));
    QVERIFY(!plan_->ConditionModified);
    // The file on disk holds the change.
    plan_->Settings[SettingsIx::SaveWithoutAsking] = "1";
    QVERIFY(Quit());
    Start();
    QCOMPARE(UnitsOnBoard(), units - 1);
  }

  // The plan handed over through the exchange folder comes back whole with
  // "Import Final", which then asks for the condition's name.
  void exchangeRoundTripAsksForTheName() {
    const fs::path exchange = Demo() / "EXCHANGE";
    fs::create_directories(exchange);
    Start();
    // No exchange folder named yet: the loading list is the only way in.
    QVERIFY(Main().Interface->menuAction()->isVisible());
    QVERIFY(!Main().ExportVesAction->isVisible());
    plan_->Settings[SettingsIx::ExchangeDir] = exchange.string();
    const int units = UnitsOnBoard();
    Main().ExportVesClick();
    QVERIFY(fs::exists(exchange / "ves.dbf"));
    Modify();
    bool saveEnabled = true;
    OnModal<SaveConditionDialog>([&saveEnabled](SaveConditionDialog* form) {
      saveEnabled = form->BSave->isEnabled();  // the type is the planner's choice
      form->RGtype->button(3)->click();
      QTest::mouseClick(form->BSave, Qt::LeftButton);
    });
    Main().ImportFinalClick();
    QVERIFY(!saveEnabled);
    QCOMPARE(UnitsOnBoard(), units);
    QVERIFY(!plan_->ConditionModified);
    QVERIFY(errors_.isEmpty());
  }

  // "LoadList to Quay" adds the port's loading list to the quay; "Import
  // Final" without an exchange folder reads it in place of the port's units,
  // putting each where its position says or on the quay.
  void theLoadingListComesInThroughInterface() {
    Start();
    const fs::path file = Demo() / "RECEIVE" / "LOADLIST_GOT012N.TXT";
    Main().ChooseLoadingListFile = [&file] { return QString::fromStdString(file.string()); };
    OnModal<MessageWindow>([](MessageWindow* message) { message->accept(); });
    // The list window's "Import Loading List" is the same command.
    Main().AllBays->FormQuay->SpeedButton1->click();
    const int onQuay = plan_->QuayLive;
    QVERIFY(onQuay > 10);
    QVERIFY(plan_->ConditionModified);
    QCOMPARE(Main().AllBays->Quay.Routes.empty(), false);
    // No file chosen: nothing changes.
    Main().ChooseLoadingListFile = [] { return QString(); };
    QVERIFY(!Main().ImportLoadingListClick(true));
    QCOMPARE(plan_->QuayLive, onQuay);
    // Import Final falls back to the list; the full quay is kept (the
    // question is answered No) and the list's units already there are not
    // taken twice.
    int chosen = 0;
    Main().ChooseLoadingListFile = [&file, &chosen] {
      ++chosen;
      return QString::fromStdString(file.string());
    };
    OnModal<QuestionDialog>([](QuestionDialog* question) {
      OnModal<MessageWindow>([](MessageWindow* message) { message->accept(); });
      QTest::mouseClick(question->BNo, Qt::LeftButton);
    });
    Main().ImportFinalClick();
    QCOMPARE(chosen, 1);
    QVERIFY(plan_->QuayLive >= onQuay);
    QVERIFY(errors_.isEmpty());
  }

  // The feeder's departure goes out as a BAPLIE and comes back in through
  // the import dialog, which counts every unit.
  void importsADemoBaplieThroughTheDialog() {
    Start();
    const int units = UnitsOnBoard();
    const fs::path sending = Demo() / "SENDING";
    OnModal<EdiExportDialog>([&sending](EdiExportDialog* form) {
      form->EDfolder->setText(QString::fromStdString(sending.string()));
      form->EDfileName->setText("DHAM012N.edi");
      OnModal<MessageWindow>([](MessageWindow* message) { message->accept(); });
      QTest::mouseClick(form->BOk, Qt::LeftButton);
    });
    Main().ExportBaplieClick();
    QVERIFY(fs::exists(sending / "DHAM012N.edi"));

    QString loaded, toQuay;
    OnModal<EdiImportDialog>([&loaded, &toQuay](EdiImportDialog* form) {
      form->CBdumpo->setChecked(false);
      form->CBdum->setChecked(true);
      QTest::mouseClick(form->BOk, Qt::LeftButton);
      loaded = form->LLoaded->text();
      toQuay = form->LToQuay->text();
    });
    QVERIFY(EdiImportDialog::ImportFile(Main().Session()->ctx, program_->base,
                                        (sending / "DHAM012N.edi").string(), &Main()));
    QCOMPARE(loaded, QString::number(units));
    QCOMPARE(toQuay, QString("0"));
    QCOMPARE(UnitsOnBoard(), units);
  }

  // The Result menu: the tanks and stresses windows, or the message that
  // says which table the vessel lacks; a tank changed in the tanks window
  // shows in the main window's frame at once.
  void resultMenu_data() {
    QTest::addColumn<QString>("missing");  // a table removed from the feeder
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("message");      // 0: the window opens
    QTest::newRow("trim and stability") << "" << "&Trim and Stability" << 0;
    QTest::newRow("tanks/stability") << "" << "T&anks/Stability" << 0;
    QTest::newRow("stresses") << "" << "&Stresses" << 0;
    QTest::newRow("no hydrostatic table") << "HYD.txt" << "T&anks/Stability" << 39;
    QTest::newRow("no strength data") << "STR.txt" << "&Stresses" << 11;
  }
  void resultMenu() {
    QFETCH(QString, missing);
    QFETCH(QString, command);
    QFETCH(int, message);
    if (!missing.isEmpty()) fs::remove(Demo() / "FEEDER" / missing.toStdString());
    Start();
    QCOMPARE(plan_->VesHdr[VesHdrIx::Vessel], std::string("ZUM FEEDER"));
    QCOMPARE(Main().TrimStabilityButton->isVisible(), missing != "HYD.txt");
    QAction* action = nullptr;
    for (QAction* menu : Main().menuBar()->actions())
      if (menu->text() == "&Result")
        for (QAction* item : menu->menu()->actions())
          if (item->text() == command) action = item;
    QVERIFY(action);
    program_->messages.MessageNo = -1;
    if (message) OnModal<MessageWindow>([](MessageWindow* m) { m->accept(); });
    action->trigger();
    QWidget* window = command == "&Stresses" ? static_cast<QWidget*>(Main().Stre) : Main().Tanks;
    if (message) {
      QCOMPARE(program_->messages.MessageNo, message);
      QVERIFY(!window->isVisible());
      return;
    }
    QVERIFY(window->isVisible());
    if (window != Main().Tanks) return;
    const QString draft = Main().Stability->LBdraft->text();
    Main().Tanks->SelectRow(0);  // the fore peak, full on departure
    Main().Tanks->ToggleSelectedTank();
    QVERIFY(Main().Stability->LBdraft->text() != draft);
    QVERIFY(plan_->ConditionModified);
    // Closing gives the weight panel back to the frame.
    Main().Tanks->close();
    QCOMPARE(Main().Stability->Panel1->parentWidget(), Main().Stability);
  }

 private:
  fs::path CondPath(const std::string& name) const { return CondDir() / name; }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
