// The bay plan editor's view driven offscreen on the demo feeder's
// departure: the cell under the pointer and what is shown of it, the arrow
// keys, the operation switch by the right button, the display modes, one
// bay, search, zoom and the window's stored size.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "ui/BayPlanEditor.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace fs = std::filesystem;

class BayPlanEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<PlanData> plan_;
  QuietHost host_;
  std::unique_ptr<BaseData> base_;
  std::unique_ptr<VesselSession> session_;
  std::unique_ptr<QWidget> main_;
  BayPlanEditor* form_ = nullptr;

  int Cell(const std::string& name) const { return FindCellByPosition(*plan_, name); }
  QPoint Centre(int cell) const {
    const StructCel& box = plan_->Cells[static_cast<size_t>(cell)];
    return {box.X + plan_->CellPitchX / 2, box.Y + plan_->CellPitchY / 2};
  }
  // The first occupied cell of the plan.
  int AUnit() const {
    for (int i = 0; i < plan_->CellCount; ++i)
      if (plan_->Cur()[static_cast<size_t>(i)].STATUS == 1) return i;
    return -1;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    const fs::path demo = fs::path(dir_->path().toStdString()) / "demo";
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", demo, fs::copy_options::recursive);
    plan_ = CreatePlanData();
    base_ = std::make_unique<BaseData>(*plan_, host_);
    QVERIFY(base_->CreateBaseData(demo));
    QVERIFY(base_->LoadBaseData());
    session_ = std::make_unique<VesselSession>(*plan_, host_, base_->TotalsLabels);
    int feeder = -1;
    for (int k = 0; k < plan_->VesselCount; ++k)
      if (plan_->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
    QVERIFY(session_->Open(feeder));
    QVERIFY(session_->conditions.ReadCondition(demo / "FEEDER" / "COND" / "DHAM012N.TXT", plan_->CurPlane,
                                               false));
    session_->stability.ComputeStability();
    main_ = std::make_unique<QWidget>();
    main_->resize(1300, 900);
    form_ = new BayPlanEditor(*plan_, session_->ctx, session_->selection, main_.get());
    form_->Stability = [this]() -> const StabilityResults* { return &session_->stability.Results; };
    plan_->Settings[53] = "800";
    plan_->Settings[54] = "1200";
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QVERIFY(plan_->CellPitchX > 0 && plan_->CellPitchY > 0);
  }

  void cleanup() {
    main_.reset();
    session_.reset();
    base_.reset();
    plan_.reset();
    dir_.reset();
  }

  void opensInLoadWithTheConditionInItsCaption() {
    QCOMPARE(plan_->EditorOperation, 1);
    QCOMPARE(form_->SBope->text(), QString("Load"));
    QVERIFY2(form_->windowTitle().startsWith("ZUM FEEDER - HAMBURG / 012N Departure"),
             qPrintable(form_->windowTitle()));
    QVERIFY(form_->windowTitle().contains("gm' "));
    QCOMPARE(form_->SBport->text(), QString("HAM"));
    QCOMPARE(form_->size(), QSize(1200, 800));
  }

  // The cell under the pointer, its position, stack weight and route.
  void followsThePointer() {
    const int cell = AUnit();
    QVERIFY(cell >= 0);
    QTest::mouseMove(form_->PB, Centre(cell));
    QCOMPARE(form_->HoverCell, cell);
    const std::string& name = plan_->Cells[static_cast<size_t>(cell)].CELL;
    const StructDat& hovered = plan_->Cur()[static_cast<size_t>(cell)];
    // A 20' unit in its own bay, a 40' unit in the 40' bay between.
    const int bay = std::stoi(name.substr(0, 2)) + (hovered.SIZ.rfind("2", 0) == 0 ? 0 : 1);
    QCOMPARE(form_->LBbay->text(), QString("Bay %1").arg(bay, 2, 10, QChar('0')));
    QCOMPARE(form_->LBrow->text(), QString("Row %1").arg(QString::fromStdString(name.substr(2, 2))));
    QCOMPARE(form_->LBtie->text(), QString("Tier %1").arg(QString::fromStdString(name.substr(4, 2))));
    QVERIFY(form_->LBstk->text().contains('/'));
    const StructDat& unit = plan_->Cur()[static_cast<size_t>(cell)];
    QCOMPARE(form_->LBfrto->text(), QString::fromStdString(unit.POL + "  -  " + unit.POD));
    QVERIFY(form_->LBroute[0]->text().toInt() + form_->LBroute[1]->text().toInt() +
                form_->LBroute[2]->text().toInt() + form_->LBroute[3]->text().toInt() +
                form_->LBroute[4]->text().toInt() >=
            1);
    // Beside the bays nothing is shown.
    QTest::mouseMove(form_->PB, QPoint(1, 1));
    QCOMPARE(form_->HoverCell, -1);
    QCOMPARE(form_->LBtie->text(), QString("Tier"));
    QVERIFY(form_->LBfrto->text().isEmpty());
  }

  // Arrow keys move the pointer a cell, five with Alt.
  // Hovering changes the cells passed and nothing else of the picture; the
  // pointer's cell wears a white frame, the one it left a black one.
  void hoverChangesOnlyTheCellsPassed() {
    const int a = Cell("090282");
    const int b = Cell("130282");
    QTest::mouseMove(form_->PB, QPoint(1, 1));
    const QImage before = form_->Picture.copy();
    QTest::mouseMove(form_->PB, Centre(a));
    QTest::mouseMove(form_->PB, Centre(b));
    QCOMPARE(form_->HoverCell, b);
    QRegion cells;
    for (int cell : {a, b}) {
      const StructCel& box = plan_->Cells[static_cast<size_t>(cell)];
      cells += QRect(box.X - 3, box.Y - 3, plan_->CellPitchX + 7, plan_->CellPitchY + 7);
    }
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
      for (int x = 0; x < before.width(); ++x) {
        if (before.pixel(x, y) == form_->Picture.pixel(x, y)) continue;
        ++changed;
        QVERIFY2(cells.contains(QPoint(x, y)), qPrintable(QString("%1,%2").arg(x).arg(y)));
      }
    QVERIFY(changed > 0);
    const StructCel& at = plan_->Cells[static_cast<size_t>(b)];
    const StructCel& left = plan_->Cells[static_cast<size_t>(a)];
    QCOMPARE(QColor(form_->Picture.pixel(at.X, at.Y)), QColor(Qt::white));
    QCOMPARE(QColor(form_->Picture.pixel(left.X, left.Y)), QColor(Qt::black));
  }

  void arrowKeysStepFromCellToCell() {
    const int start = Cell("130282");
    QVERIFY(start >= 0);
    QTest::mouseMove(form_->PB, Centre(start));
    QTest::keyClick(form_, Qt::Key_Up);
    QCOMPARE(form_->HoverCell, Cell("130284"));
    QTest::keyClick(form_, Qt::Key_Down);
    QCOMPARE(form_->HoverCell, start);
    const QPoint before = form_->Pointer();
    QTest::keyClick(form_, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(form_->Pointer(), before + QPoint(5 * plan_->CellPitchX, 0));
    QCOMPARE(form_->HoverCell,
             CellAtPoint(*plan_, form_->Layout, form_->Pointer().x(), form_->Pointer().y()));
  }

  void rightButtonBesideTheBaysSwitchesLoadAndDisch() {
    struct Step {
      bool onCell;
      int operation;
    };
    const Step steps[] = {{false, 2}, {false, 1}, {true, 1}, {false, 2}};
    for (const Step& s : steps) {
      const QPoint at = s.onCell ? Centre(AUnit()) : QPoint(1, 1);
      QTest::mouseMove(form_->PB, at);
      form_->PBMouseDown(at, Qt::RightButton);
      form_->Pop1->hide();
      QCOMPARE(plan_->EditorOperation, s.operation);
    }
    QCOMPARE(form_->SBope->text(), QString("Disch"));
  }

  // The panel shows the unit under the pointer and, beside the bays, the
  // template, whose code fields are filled from their pickers.
  void panelAndCodePickers() {
    const int cell = AUnit();
    QTest::mouseMove(form_->PB, Centre(cell));
    const StructDat& unit = plan_->Cur()[static_cast<size_t>(cell)];
    QCOMPARE(form_->EDcnt->text(), QString::fromStdString(unit.CONTAINER));
    QVERIFY(form_->EDpod->isReadOnly());
    QTest::mouseMove(form_->PB, QPoint(1, 1));
    QVERIFY(form_->EDcnt->text().isEmpty());
    QVERIFY(!form_->EDpod->isReadOnly());

    struct Case {
      QLineEdit* field;
      const char* entryStart;  // the entry picked: the first that starts so
      QString pod, imo, un;    // the template's fields afterwards
    };
    const Case cases[] = {{form_->EDpod, "RTM", "RTM", "", ""}, {form_->EDunn, "1993-", "RTM", "3", "1993"}};
    for (const Case& c : cases) {
      QTest::mouseDClick(c.field, Qt::LeftButton);
      QVERIFY(form_->LBports->isVisible());
      QListWidgetItem* entry = nullptr;
      for (int i = 0; i < form_->LBports->count() && !entry; ++i)
        if (form_->LBports->item(i)->text().startsWith(c.entryStart)) entry = form_->LBports->item(i);
      QVERIFY2(entry, c.entryStart);
      emit form_->LBports->itemDoubleClicked(entry);
      QVERIFY(!form_->LBports->isVisible());
      QCOMPARE(QString::fromStdString(form_->PanelRecord.POD), c.pod);
      QCOMPARE(QString::fromStdString(form_->PanelRecord.IMO[0]), c.imo);
      QCOMPARE(QString::fromStdString(form_->PanelRecord.UN[0]), c.un);
    }
    // A right click closes the picker and changes nothing.
    QTest::mouseDClick(form_->EDpol, Qt::LeftButton);
    QTest::mouseClick(form_->LBports->viewport(), Qt::RightButton);
    QVERIFY(!form_->LBports->isVisible());
    QVERIFY(form_->PanelRecord.POL.empty());
  }

  void modeButtonsSetTheDrawing() {
    const QImage before = form_->Picture.copy();
    QTest::mouseClick(form_->SBc[1], Qt::LeftButton);
    QCOMPARE(plan_->ColourMode, 1);
    QVERIFY(form_->Picture != before);
    QTest::mouseClick(form_->SBl[5], Qt::LeftButton);
    QCOMPARE(plan_->LetterMode, 5);
    // Both ports in the cell leave no room for a letter.
    QTest::mouseClick(form_->SBc[2], Qt::LeftButton);
    QCOMPARE(plan_->ColourMode, 2);
    QCOMPARE(plan_->LetterMode, 0);
    QVERIFY(form_->SBl[0]->isChecked());
  }

  void oneBayAndBack() {
    const int cell = Cell("090282");
    QTest::mouseMove(form_->PB, Centre(cell));
    form_->OneBay1->trigger();
    QCOMPARE(plan_->OneBayNumber, 9);
    QVERIFY(form_->LIbay->isVisible());
    QCOMPARE(form_->LIbay->selectedItems().size(), 1);
    // The enlarged bay: the same cell is far larger and still found.
    QVERIFY(plan_->CellPitchX > 40);
    QTest::mouseMove(form_->PB, Centre(cell));
    QCOMPARE(form_->HoverCell, cell);
    form_->OneBay1->trigger();
    QCOMPARE(plan_->OneBayNumber, 0);
    QVERIFY(!form_->LIbay->isVisible());
  }

  void searchMovesThePointerToTheUnit() {
    const int cell = AUnit();
    const std::string number = plan_->Cur()[static_cast<size_t>(cell)].CONTAINER;
    QVERIFY(form_->SearchContainer(QString::fromStdString(number.substr(4))));
    QCOMPARE(form_->HoverCell, cell);
    QVERIFY(!form_->SearchContainer("NOSUCH9"));
  }

  void zoomEnlargesBySixths() {
    const int width = form_->PB->width();
    const int pitch = plan_->CellPitchX;
    QTest::mouseClick(form_->SBp, Qt::LeftButton);
    QCOMPARE(form_->PB->width(), width + width / 6);
    QTest::mouseClick(form_->SBp, Qt::LeftButton);
    const int twice = width + width / 6;
    QCOMPARE(form_->PB->width(), twice + twice / 6);
    QVERIFY(plan_->CellPitchX > pitch);
    QVERIFY(form_->SBm->isVisible());
    QTest::mouseClick(form_->SBm, Qt::LeftButton);
    QVERIFY(!form_->SBm->isVisible());
    QCOMPARE(plan_->CellPitchX, pitch);
  }

  // A size never stored fits the main window; the size is kept on closing.
  void storedSizeAndUnstoredSize() {
    form_->resize(900, 600);
    form_->close();
    QCOMPARE(plan_->Settings[53], std::string("600"));
    QCOMPARE(plan_->Settings[54], std::string("900"));
    plan_->Settings[53] = "0";
    form_->show();
    QCOMPARE(form_->height(), main_->height() - 50);
    QCOMPARE(form_->width(), 900);
  }
};

QTEST_MAIN(BayPlanEditorTest)
#include "BayPlanEditorTest.moc"
