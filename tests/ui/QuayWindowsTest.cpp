// The quay strip of the bay plan editor and the "Loading List" window,
// driven offscreen on the demo feeder with its Gothenburg loading list on
// the quay: quay mode on and off, a group chosen by its label, Load presses
// taking that group's units, and the list window following the quay.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "conditions/LoadingList.h"
#include "conditions/LoadingListFile.h"
#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "DemoFeeder.h"
#include "ui/BayPlanEditor.h"
#include "ui/LoadingListWindow.h"
#include "ui/QuayLayoutWindow.h"
#include "ui/QuayStrip.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace fs = std::filesystem;

class QuayWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DemoFeeder> feeder_;
  PlanData* plan_ = nullptr;
  VesselSession* session_ = nullptr;
  BayPlanEditor* form_ = nullptr;
  QuayStrip* strip_ = nullptr;

  // With ZUM4_SCREENSHOTS naming a folder, the window as it looks is kept
  // there, for a person to look at.
  static void Snap(QWidget* window, const char* name) {
    const QString folder = qEnvironmentVariable("ZUM4_SCREENSHOTS");
    if (!folder.isEmpty()) window->grab().save(folder + "/" + name + ".png");
  }
  QLabel* Label(int category) const { return strip_->L[static_cast<size_t>(category)]; }
  // The first route of the choice holding 20' full units, chosen, and the
  // category of its first such group; -1 when there is none.
  int ChooseA20FootFullGroup() {
    for (int r = 0; r < strip_->CBportsQ->count(); ++r) {
      strip_->CBportsQ->setCurrentIndex(r);
      strip_->CBportsQSelect(r);
      for (int c = 0; c < 4; ++c)
        if (form_->Quay.GroupCount(c) > 1) return c;
    }
    return -1;
  }

 private slots:
  void init() {
    feeder_ = std::make_unique<DemoFeeder>();
    QVERIFY(feeder_->Open());
    plan_ = feeder_->plan.get();
    session_ = feeder_->session.get();
    form_ = feeder_->editor;
    strip_ = form_->PAqua;
    const LoadingListImport read =
        ImportLoadingList(session_->ctx, *feeder_->base, form_->Quay,
                          feeder_->demo / "RECEIVE" / "LOADLIST_GOT012N.TXT", true, true);
    QVERIFY(read.accepted);
    QVERIFY(plan_->QuayLive > 10);
    plan_->Settings[74] = "0";  // the editor opens out of quay mode
    plan_->Settings[68] = "0";  // and quay mode leaves the list closed
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
  }

  void cleanup() { feeder_.reset(); }

  void theQuayButtonTogglesQuayModeAndTheStrip() {
    QVERIFY(!strip_->isVisible());
    QVERIFY(!form_->EDtoq->isVisible());
    form_->SBquay->click();
    strip_->PMquay->hide();  // quay mode offers its menu at once
    QCOMPARE(plan_->RemoveToQuay, std::uint8_t{1});
    QVERIFY(strip_->isVisible());
    QVERIFY(form_->EDtoq->isVisible());
    QCOMPARE(form_->SBquay->toolTip(), QString("Close Quay"));
    // The strip's routes and counts are the quay's: the 20' and 40'
    // totals add up to the chosen route's units.
    QVERIFY(strip_->CBportsQ->count() > 0);
    int sum = 0;
    for (int c = 0; c < kQuayGroups; ++c) sum += Label(c)->text().toInt();
    QCOMPARE(sum, form_->Quay.Count20() + form_->Quay.Count40());
    QVERIFY(sum > 0);
    strip_->SpeedButton6->click();
    QCOMPARE(plan_->RemoveToQuay, std::uint8_t{0});
    QVERIFY(!strip_->isVisible());
  }

  void aLoadPressPlacesTheChosenGroupsUnitAndTheCountsFollow() {
    form_->SBquay->click();
    strip_->PMquay->hide();
    const int group = ChooseA20FootFullGroup();
    QVERIFY(group >= 0);
    form_->SBqlistClick();
    QVERIFY(form_->FormQuay->isVisible());
    QTest::mouseClick(Label(group), Qt::LeftButton);
    // The frame is around the chosen label alone, and the list shows the
    // group: as many lines as the label counts.
    QVERIFY(Label(group)->styleSheet().contains("2px"));
    QVERIFY(!Label(group == 0 ? 1 : 0)->styleSheet().contains("2px"));
    const int before = Label(group)->text().toInt();
    QCOMPARE(form_->FormQuay->LB1->count(), before);
    // The window's first line is the one the next press takes.
    form_->FormQuay->LB1Click(0, false);
    const int record = form_->Quay.Lines.front().record;
    const std::string number = plan_->Dat[static_cast<size_t>(plan_->QuayPlane)][static_cast<size_t>(record)].CONTAINER;
    const int cell = FindCellByPosition(*plan_, "010288");  // a free deck cell taking a 20' unit
    QVERIFY(cell >= 0 && IsFreeRecord(plan_->Cur()[static_cast<size_t>(cell)]));
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    QTest::mouseClick(form_->PB, Qt::LeftButton, {}, feeder_->Centre(cell));
    QCOMPARE(QString::fromStdString(plan_->Cur()[static_cast<size_t>(cell)].CONTAINER),
             QString::fromStdString(number));
    QCOMPARE(Label(group)->text().toInt(), before - 1);
    QCOMPARE(form_->FormQuay->LB1->count(), before - 1);
    // Loaded from the list in view: the unit counts in the loading sequence.
    QCOMPARE(QString::fromStdString(plan_->Cur()[static_cast<size_t>(cell)].COL61), QString("0001"));
    form_->FormQuay->LB1Click(0, false);
    Snap(form_, "editor-quay-strip");
    // "to Quay": a click on its count brings the template back into the
    // panel, and its copies go onto the quay under the template's route.
    QVERIFY(form_->PanelMode != 0);  // the unit just placed, under the pointer
    QTest::mouseClick(form_->EDtoq, Qt::LeftButton);
    QCOMPARE(form_->PanelMode, 0);
    form_->PanelRecord.POD = "AAR";
    form_->PanelRecord.WEIGHT = 10;
    form_->ShowRecordInPanel(form_->PanelRecord, false, 0);
    form_->EDtoq->setText("3");
    const int live = plan_->QuayLive;
    strip_->SBtoq->click();
    QCOMPARE(plan_->QuayLive, live + 3);
    // The template loads in the condition's port.
    QCOMPARE(strip_->CBportsQ->currentText(), QString::fromStdString(plan_->VesHdr[VesHdrIx::Port] + " AAR"));
    QVERIFY(form_->EDtoq->text().isEmpty());
    for (int line = 0; line < form_->FormQuay->LB1->count(); ++line)
      QVERIFY(!form_->FormQuay->LB1->item(line)->text().contains(QString::fromStdString(number)));
  }

  void theListWindowsButtonsActOnTheQuay() {
    form_->SBquay->click();
    strip_->PMquay->hide();
    QVERIFY(ChooseA20FootFullGroup() >= 0);
    // The route's fullest group.
    int group = 0;
    for (int c = 1; c < kQuayGroups; ++c)
      if (form_->Quay.GroupCount(c) > form_->Quay.GroupCount(group)) group = c;
    QTest::mouseClick(Label(group), Qt::LeftButton);
    form_->SBqlistClick();
    LoadingListWindow* list = form_->FormQuay;
    const int lines = list->LB1->count();
    QVERIFY(lines > 1);
    // Select all, then the title deselects; selected lines are white on navy.
    list->SBselAll->click();
    QCOMPARE(list->LB1->item(lines - 1)->foreground().color(), QColor(Qt::white));
    QTest::mouseClick(list->PAtit, Qt::LeftButton);
    QCOMPARE(list->LB1->item(0)->foreground().color() == QColor(Qt::white), false);
    // Control adds a line to the selection.
    list->LB1Click(0, false);
    list->LB1Click(1, true);
    QCOMPARE(list->LB1->item(1)->foreground().color(), QColor(Qt::white));
    Snap(list, "loading-list");
    // The mode button switches Load and Update; "Exact merge" only in Update.
    list->SBinsClick();
    QCOMPARE(list->SBins->text(), QString("Update"));
    QVERIFY(list->CBex->isVisible());
    list->SBinsClick();
    QCOMPARE(list->SBins->text(), QString("Load"));
    QVERIFY(!list->CBex->isVisible());
    // Remove Selected takes the one line selected, Remove ALL the group.
    list->LB1Click(0, false);
    list->DeleteSelected->click();
    QCOMPARE(list->LB1->count(), lines - 1);
    QCOMPARE(Label(group)->text().toInt(), lines - 1);
    list->RemoveALL->click();
    QCOMPARE(list->LB1->count(), 0);
    QCOMPARE(Label(group)->text().toInt(), 0);
    // Its place is kept for the next opening.
    list->move(40, 50);
    list->close();
    QCOMPARE(plan_->Settings[65], std::to_string(list->height()));
    QVERIFY(!plan_->Settings[63].empty() && !plan_->Settings[64].empty());
  }

  void theQuayLayoutShowsTheBlocksOfCluTxt() {
    QuayLayoutWindow window(*plan_);
    window.resize(900, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.Layout.blocks.size(), size_t{4});
    const QImage picture = window.grab().toImage();
    // The first block's first slot is grey, the quay around it white.
    const double s = 900.0 / window.Layout.width;
    const CanvasPoint first = window.Layout.blocks.front();
    QCOMPARE(picture.pixelColor(int(first.x * s) + 3, int(first.y * s) + 3), QColor(0x80, 0x80, 0x80));
    QCOMPARE(picture.pixelColor(int(first.x * s) - 3, int(first.y * s) - 3), QColor(Qt::white));
    Snap(&window, "quay-layout");
  }
};

QTEST_MAIN(QuayWindowsTest)
#include "QuayWindowsTest.moc"
