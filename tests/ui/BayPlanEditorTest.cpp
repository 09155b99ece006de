// The bay plan editor's view driven offscreen on the demo feeder's
// departure: the cell under the pointer and what is shown of it, the arrow
// keys, the operation switch by the right button, the display modes, one
// bay, search, zoom and the window's stored size.

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

#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/UnitRules.h"
#include "DemoFeeder.h"
#include "ui/BayPlanEditor.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace fs = std::filesystem;

class BayPlanEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DemoFeeder> feeder_;
  PlanData* plan_ = nullptr;
  VesselSession* session_ = nullptr;
  BayPlanEditor* form_ = nullptr;

  int Cell(const std::string& name) const { return FindCellByPosition(*plan_, name); }
  // A double click that ends with the button up: the test library's own
  // leaves it down, and the next test's pointer moves would then be drags.
  static void DoubleClick(QWidget* widget) {
    QTest::mouseDClick(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
  }
  // The panel is edited with the pointer off the plan. A move to where the
  // pointer already is reports nothing: it goes there by way of a neighbour.
  void PointerOffThePlan() {
    QTest::mouseMove(form_->PB, QPoint(2, 2));
    QTest::mouseMove(form_->PB, QPoint(1, 1));
  }
  static int Slot(const std::array<std::string, kTotalsPorts>& list, int count, const std::string& code) {
    for (int k = 0; k <= count; ++k)
      if (list[static_cast<size_t>(k)] == code) return k;
    return -1;
  }
  int MarkCount() const {
    return static_cast<int>(std::count(form_->AttributeMarks.begin(), form_->AttributeMarks.end(), true));
  }
  // The pointer onto a cell. A move to where the pointer already is (the
  // last test may have left it there) reports nothing: it comes by way of a
  // neighbouring point.
  void Hover(int cell) {
    QTest::mouseMove(form_->PB, feeder_->Centre(cell) + QPoint(1, 1));
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    QCOMPARE(form_->HoverCell, cell);
  }
  int UnitsOnBoard() const {
    int n = 0;
    for (int i = 0; i < plan_->CellCount; ++i) n += plan_->Cur()[static_cast<size_t>(i)].STATUS > 0 ? 1 : 0;
    return n;
  }
  // The first occupied cell of the plan.
  int AUnit() const {
    for (int i = 0; i < plan_->CellCount; ++i)
      if (plan_->Cur()[static_cast<size_t>(i)].STATUS == 1) return i;
    return -1;
  }

 private slots:
  void init() {
    feeder_ = std::make_unique<DemoFeeder>();
    QVERIFY(feeder_->Open());
    plan_ = feeder_->plan.get();
    session_ = feeder_->session.get();
    form_ = feeder_->editor;
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    // Its keys are window shortcuts: they act in the active window.
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QVERIFY(plan_->CellPitchX > 0 && plan_->CellPitchY > 0);
  }

  void cleanup() { feeder_.reset(); }

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
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
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
    QTest::mouseMove(form_->PB, feeder_->Centre(a));
    QTest::mouseMove(form_->PB, feeder_->Centre(b));
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
    QTest::mouseMove(form_->PB, feeder_->Centre(start));
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
      const QPoint at = s.onCell ? feeder_->Centre(AUnit()) : QPoint(1, 1);
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
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
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
      DoubleClick(c.field);
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
    DoubleClick(form_->EDpol);
    QTest::mouseClick(form_->LBports->viewport(), Qt::RightButton);
    QVERIFY(!form_->LBports->isVisible());
    QCOMPARE(form_->PanelRecord.POL, std::string("HAM"));
  }

  // The route totals count the units of the plan, whatever order the totals
  // keep their ports in: the unit chosen has its ports in different slots
  // of the loading and the discharge list.
  void routeTotalsCountTheUnitsOfTheRoute() {
    PointerOffThePlan();
    int cell = -1;
    for (int i = 0; i < plan_->CellCount && cell < 0; ++i) {
      const StructDat& u = plan_->Cur()[static_cast<size_t>(i)];
      if (u.STATUS == 1 &&
          Slot(plan_->PolList, plan_->PolCount, u.POL) != Slot(plan_->PodList, plan_->PodCount, u.POD))
        cell = i;
    }
    QVERIFY(cell >= 0);
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    const StructDat hovered = plan_->Cur()[static_cast<size_t>(cell)];
    const int shownCategories[] = {0, 2, 1, 3, 4};
    for (int c = 0; c < 5; ++c) {
      int route = 0, from = 0, to = 0;
      for (int i = 0; i < plan_->CellCount; ++i) {
        const StructDat& u = plan_->Cur()[static_cast<size_t>(i)];
        if (u.STATUS < 1 || u.FL3 > 0 || u.SELECTED <= 0 || TotalsCategory(u) != shownCategories[c]) continue;
        route += u.POL == hovered.POL && u.POD == hovered.POD;
        from += u.POL == hovered.POL;
        to += u.POD == hovered.POD;
      }
      QCOMPARE(form_->LBroute[static_cast<size_t>(c)]->text().toInt(), route);
      QCOMPARE(form_->LBfrom[static_cast<size_t>(c)]->text().toInt(), from);
      QCOMPARE(form_->LBtowards[static_cast<size_t>(c)]->text().toInt(), to);
    }
    // A port the totals do not know shows nothing and is not added.
    PointerOffThePlan();
    plan_->Cur()[static_cast<size_t>(cell)].POD = "ZZZ";
    const int pods = plan_->PodCount;
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    QCOMPARE(plan_->PodCount, pods);
    QVERIFY(form_->LBfrto->text().isEmpty());
  }

  void sizeListIsTheParameterFilesTable() {
    form_->close();
    form_->CBsiz->clear();
    const char* sizes[] = {"202", "404", "45L", "53X", "40X"};
    for (int k = 0; k < 5; ++k) plan_->Sizes[static_cast<size_t>(k)] = sizes[k];
    plan_->SizeCount = 5;
    form_->show();
    QStringList items;
    for (int i = 0; i < form_->CBsiz->count(); ++i) items << form_->CBsiz->itemText(i);
    QCOMPARE(items, QStringList({"20", "40", "45", "53"}));
  }

  void fieldLengthsAndTheIsoLabel() {
    struct Case {
      const char* name;
      QLineEdit* field;
      int max;
    };
    const Case cases[] = {{"EDcnt", form_->EDcnt, 12},
                          {"EDpol", form_->EDpol, 3},
                          {"EDpod", form_->EDpod, 3},
                          {"EDprs", form_->EDprs, 3},
                          {"EDfrm", form_->EDfrm, 3},
                          {"EDwei", form_->EDwei, 6},
                          {"CBsiz", form_->CBsiz->lineEdit(), 2},
                          {"CBtyp", form_->CBtyp->lineEdit(), 2},
                          {"EDimo", form_->EDimo, 3},
                          {"EDunn", form_->EDunn, 4},
                          {"EDtmi", form_->EDtmi, 3},
                          {"EDtma", form_->EDtma, 3},
                          {"EDohi", form_->EDohi, 3},
                          {"EDowp", form_->EDowp, 3},
                          {"EDows", form_->EDows, 3},
                          {"EDolf", form_->EDolf, 4},
                          {"EDope", form_->EDope, 4},
                          {"EDtoq", form_->EDtoq, 3}};
    for (const Case& c : cases) QVERIFY2(c.field->maxLength() == c.max, c.name);
    PointerOffThePlan();
    form_->EDcnt->clear();
    QTest::keyClicks(form_->EDcnt, "abcd 1234567");
    QCOMPARE(form_->EDcnt->text(), QString("ABCD 1234567"));
    QCOMPARE(form_->PanelRecord.CONTAINER, std::string("ABCD 1234567"));
    const int cell = AUnit();
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    QCOMPARE(form_->LBiso->text(), QString::fromStdString(plan_->Cur()[static_cast<size_t>(cell)].ISO));
    QVERIFY(!form_->LBiso->text().isEmpty());
  }

  // The second cell of a 40' unit is not free: it shows its unit and hint.
  void secondCellOfAFortyFootUnitShowsTheUnit() {
    int cell = -1;
    for (int i = 0; i < plan_->CellCount && cell < 0; ++i)
      if (plan_->Cur()[static_cast<size_t>(i)].STATUS == -1) cell = i;
    QVERIFY(cell >= 0);
    StructDat& unit = plan_->Cur()[static_cast<size_t>(cell)];
    unit.IMO[0] = "3";
    unit.UN[0] = "1993";
    QString description;
    for (int k = 0; k < plan_->UnnCount; ++k)
      if (plan_->Unn[static_cast<size_t>(k * kUnnFields)] == "1993")
        description = QString::fromStdString(plan_->Unn[static_cast<size_t>(k * kUnnFields + 2)]);
    QVERIFY(!description.isEmpty());
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    QCOMPARE(form_->HoverCell, cell);
    QCOMPARE(form_->PanelMode, 1);
    QVERIFY(!form_->PAed->isEnabled());
    QCOMPARE(form_->EDcnt->text(), QString::fromStdString(unit.CONTAINER));
    QCOMPARE(form_->PB->toolTip(), description + " ");
  }

  // Where row and tier stand in a cell name is the vessel's, not fixed.
  void positionFollowsTheCellNameLayout() {
    const int cell = Cell("130282");
    for (int i = 0; i < plan_->CellCount; ++i) plan_->Cells[static_cast<size_t>(i)].CELL.insert(0, "X");
    plan_->BayPos = 2;
    plan_->RowPos = 4;
    plan_->TierPos = 6;
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    QCOMPARE(form_->HoverCell, cell);
    QCOMPARE(form_->LBrow->text(), QString("Row 02"));
    QCOMPARE(form_->LBtie->text(), QString("Tier 82"));
  }

  void panelModesColourAndLockThePanel() {
    struct Case {
      int mode;
      QColor background, text;
      bool enabled, editable;
    };
    const Case cases[] = {{0, Qt::white, Qt::red, true, true},
                          {1, QColor(0xE6, 0xE6, 0xE6), Qt::black, false, false},
                          {2, QColor(0xCA, 0xFF, 0xCA), Qt::black, false, false},
                          {3, QColor(0xFF, 0xC1, 0xFF), Qt::black, false, false},
                          {4, Qt::white, QColor(0, 0, 0x80), true, true}};
    StructDat unit = plan_->Cur()[static_cast<size_t>(AUnit())];
    unit.POL = "RTM";
    for (const Case& c : cases) {
      form_->ShowRecordInPanel(unit, false, c.mode);
      form_->SetPanelEditable(true);
      QCOMPARE(form_->PanelMode, c.mode);
      QCOMPARE(form_->PAed->isEnabled(), c.enabled);
      QCOMPARE(form_->PanelEditable, c.editable);
      QCOMPARE(form_->EDpod->isReadOnly(), !c.editable);
      form_->EDpod->ensurePolished();
      QCOMPARE(form_->EDpod->palette().color(QPalette::Base), c.background);
      QCOMPARE(form_->EDpod->palette().color(QPalette::Text), c.text);
      // The template loads in the condition's port.
      QCOMPARE(form_->EDpol->text(), QString(c.mode == 0 ? "HAM" : "RTM"));
    }
    QCOMPARE(form_->PanelRecord.POL, std::string("HAM"));
    form_->ShowRecordInPanel(unit, true, 1);
    QVERIFY(form_->EDcnt->text().isEmpty());
  }

  // What is typed into the template becomes the record, by the rules of its
  // type, and shows again as typed.
  void templateReadsWhatIsTyped() {
    PointerOffThePlan();
    form_->CBtyp->lineEdit()->clear();
    QTest::keyClicks(form_->CBtyp->lineEdit(), "f");
    QCOMPARE(form_->PanelRecord.TYP, std::string("DV"));
    QTest::keyClicks(form_->EDohi, "12");
    QVERIFY(form_->EDohi->text().isEmpty());  // no over-height on a dry van
    form_->CBtyp->lineEdit()->setFocus();
    QTest::keyClicks(form_->CBtyp->lineEdit(), "r");
    QCOMPARE(form_->PanelRecord.TYP, std::string("FR"));
    QTest::keyClicks(form_->EDohi, "12");
    QTest::keyClicks(form_->EDolf, "130");
    QTest::keyClicks(form_->EDpod, "rtm");
    QTest::keyClicks(form_->EDwei, "4,5");
    const StructDat& read = form_->PanelRecord;
    QCOMPARE(read.OH, 12);
    QCOMPARE(read.OL, 130);
    QCOMPARE(read.POD, std::string("RTM"));
    QCOMPARE(read.WEIGHT, 4.5);
    QCOMPARE(read.STATUS, 1);
    QCOMPARE(read.SELECTED, 1);
    const StructDat typed = read;
    form_->ShowRecordInPanel(typed, false, 0);
    form_->SetPanelEditable(true);
    form_->ReadPanel();
    QCOMPARE(form_->PanelRecord, typed);
    // An empty flat carries no over-sizes.
    QTest::mouseClick(form_->CBmty, Qt::LeftButton);
    QCOMPARE(form_->PanelRecord.MTY, 1);
    QCOMPARE(form_->PanelRecord.OH, 0);
    QVERIFY(form_->EDolf->text().isEmpty());
    // Break bulk is measured: other captions, no second width.
    form_->CBtyp->setEditText("BB");
    QCOMPARE(form_->LBoh->text(), QString("HEI "));
    QVERIFY(form_->EDows->isHidden());
    form_->CBtyp->setEditText("FR");
    QCOMPARE(form_->LBoh->text(), QString("OH"));
    QVERIFY(!form_->EDows->isHidden());
  }

  void keypadTypesIntoItsField() {
    PointerOffThePlan();
    form_->EDwei->setText("9");
    DoubleClick(form_->EDwei);
    QVERIFY(form_->PAnum->isVisible());
    QVERIFY(form_->EDwei->text().isEmpty());
    auto press = [this](const QString& keys) {
      for (QChar key : keys) {
        QToolButton* b = key == ','   ? form_->SBdec
                         : key == '-' ? form_->SBmen
                                      : form_->SBdigit[key.digitValue()];
        QTest::mouseClick(b, Qt::LeftButton);
      }
    };
    // The sign goes in front; sign and decimal comma only once.
    press("12,5,--");
    QCOMPARE(form_->EDwei->text(), QString("-12,5"));
    QCOMPARE(form_->PanelRecord.WEIGHT, -12.5);
    QTest::mouseClick(form_->SBclear, Qt::LeftButton);
    QVERIFY(form_->EDwei->text().isEmpty());
    // At its full length the field hands on and the keypad goes.
    press("123456");
    QCOMPARE(form_->EDwei->text(), QString("123456"));
    QVERIFY(!form_->PAnum->isVisible());
    // A click on another number field moves the open keypad there.
    form_->CBtyp->setEditText("FR");
    form_->ReadPanel();
    DoubleClick(form_->EDwei);
    const int x = form_->PAnum->x();
    QTest::mouseClick(form_->EDolf, Qt::LeftButton);
    QVERIFY(form_->PAnum->x() > x);
    press("88");
    QCOMPARE(form_->EDolf->text(), QString("88"));
    QVERIFY(form_->EDwei->text().isEmpty());
    QTest::mouseClick(form_->SBok, Qt::LeftButton);
    QVERIFY(!form_->PAnum->isVisible());
  }

  void attributeMarksToggleAndClear() {
    struct Case {
      QLabel* label;
      int index;
    };
    const Case cases[] = {{form_->LBpol, 0}, {form_->LBsiz, 4}, {form_->LBope, 8}};
    for (const Case& c : cases) {
      QTest::mouseClick(c.label, Qt::LeftButton);
      QVERIFY(form_->AttributeMarks[static_cast<size_t>(c.index)]);
      QCOMPARE(c.label->palette().color(QPalette::Window), QColor(0, 0xFF, 0));
    }
    QTest::mouseClick(form_->LBpol, Qt::LeftButton);
    QVERIFY(!form_->AttributeMarks[0]);
    QCOMPARE(MarkCount(), 2);
    // Marks hold for one operation only.
    form_->OperationClick();
    QCOMPARE(MarkCount(), 0);
    QVERIFY(form_->LBope->palette().color(QPalette::Window) != QColor(0, 0xFF, 0));
  }

  // Full fields move the focus on; the container number takes its stored
  // form on leaving and a wrong check digit is named.
  void fieldsAdvanceAndTheNumberIsChecked() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    PointerOffThePlan();
    form_->EDpol->clear();
    form_->EDpol->setFocus();
    QTest::keyClicks(form_->EDpol, "rtm");
    QCOMPARE(QApplication::focusWidget(), form_->EDpod);
    form_->EDcnt->clear();
    QTest::keyClicks(form_->EDcnt, "abcd-12345");
    form_->EDcntExit();
    QCOMPARE(form_->EDcnt->text(), QString("ABCD 0012345"));
    QCOMPARE(form_->PanelRecord.CONTAINER, std::string("ABCD 0012345"));
    QVERIFY(form_->LBcd->isVisible());
    QCOMPARE(form_->LBcd->text(), QString(" digit 1 "));
    // A right number: LBcd goes and the focus moves on to the operator.
    form_->EDcnt->clear();
    form_->EDcnt->setFocus();
    QTest::keyClicks(form_->EDcnt, "ABCD 0012341");
    QVERIFY(!form_->LBcd->isVisible());
    QCOMPARE(QApplication::focusWidget(), form_->EDope);
    // Break bulk has no container number to check.
    form_->CBtyp->setEditText("BB");
    form_->EDcnt->setText("BULK 1");
    form_->EDcntExit();
    QCOMPARE(form_->EDcnt->text(), QString("BULK 1"));
    QVERIFY(!form_->LBcd->isVisible());
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
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
    form_->OneBay1->trigger();
    QCOMPARE(plan_->OneBayNumber, 9);
    QVERIFY(form_->LIbay->isVisible());
    QCOMPARE(form_->LIbay->selectedItems().size(), 1);
    // The enlarged bay: the same cell is far larger and still found.
    QVERIFY(plan_->CellPitchX > 40);
    QTest::mouseMove(form_->PB, feeder_->Centre(cell));
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
  // The editing commands through the window: presses, keys and the menu
  // change the plan, and the caption and the cells follow at once.
  void pressInLoadPlacesTheTemplate() {
    const int cell = Cell("010288");  // its stack takes a 20' unit on deck
    QVERIFY(cell >= 0 && IsFreeRecord(plan_->Cur()[static_cast<size_t>(cell)]));
    StructDat unit;
    unit.CONTAINER = "ZUMU 1234565";
    unit.POL = "HAM";
    unit.POD = "GOT";
    unit.SIZ = "20";
    unit.TYP = "DV";
    unit.WEIGHT = 17.5;
    form_->PanelRecord = unit;
    const double before = session_->stability.Results.W;
    const QString caption = form_->windowTitle();
    Hover(cell);
    QTest::mouseClick(form_->PB, Qt::LeftButton, {}, feeder_->Centre(cell));
    const StructDat& placed = plan_->Cur()[static_cast<size_t>(cell)];
    QCOMPARE(QString::fromStdString(placed.CONTAINER), QString("ZUMU 1234565"));
    QCOMPARE(placed.WEIGHT, 17.5);
    QVERIFY(qAbs(session_->stability.Results.W - before - 17.5) < 0.01);
    QVERIFY2(form_->windowTitle() != caption, qPrintable(form_->windowTitle()));
    // The panel shows the unit now under the pointer, on grey.
    QCOMPARE(form_->PanelMode, 1);
    // Undo by its key takes it out again, with its weight.
    QTest::keyClick(form_, Qt::Key_Backspace, Qt::AltModifier);
    QVERIFY(IsFreeRecord(plan_->Cur()[static_cast<size_t>(cell)]));
    QVERIFY(qAbs(session_->stability.Results.W - before) < 0.001);
    QTest::keyClick(form_, Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(QString::fromStdString(plan_->Cur()[static_cast<size_t>(cell)].CONTAINER),
             QString("ZUMU 1234565"));
  }

  void thePanelTakesInputWhenThePointerComesOntoIt() {
    Hover(AUnit());
    QCOMPARE(form_->PanelMode, 1);
    QVERIFY(!form_->PanelEditable);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(form_->PAed->parentWidget()->parentWidget()->parentWidget(), &enter);
    QCOMPARE(form_->PanelMode, 0);
    QVERIFY(form_->PanelEditable);
    QCOMPARE(form_->HoverCell, -1);
  }

  void deleteDischargesWhateverTheOperation() {
    const int cell = AUnit();
    const int units = UnitsOnBoard();
    Hover(cell);
    QTest::keyClick(form_, Qt::Key_Delete);
    QVERIFY(IsFreeRecord(plan_->Cur()[static_cast<size_t>(cell)]));
    QCOMPARE(UnitsOnBoard(), units - 1);
    QCOMPARE(plan_->EditorOperation, 1);
    QCOMPARE(form_->SBope->text(), QString("Load"));
  }

  void ctrlTFillsTheTier() {
    const int cell = Cell("010188");
    form_->PanelRecord.POL = "HAM";
    form_->PanelRecord.POD = "GOT";
    form_->PanelRecord.SIZ = "20";
    form_->PanelRecord.TYP = "DV";
    form_->PanelRecord.WEIGHT = 10;
    const int units = UnitsOnBoard();
    Hover(cell);
    QTest::keyClick(form_, Qt::Key_T, Qt::ControlModifier);
    QVERIFY2(UnitsOnBoard() > units, "Ctrl+T placed nothing");
    for (int i = 0; i < plan_->CellCount; ++i) {
      const StructDat& u = plan_->Cur()[static_cast<size_t>(i)];
      if (u.STATUS > 0 && u.WEIGHT == 10 && u.POD == "GOT" && u.CONTAINER.empty())
        QCOMPARE(TierOf(*plan_, i), 88);
    }
  }

  void editTakesTheUnitIntoThePanelAndThePressPutsItBack() {
    const int cell = AUnit();
    const std::string number = plan_->Cur()[static_cast<size_t>(cell)].CONTAINER;
    Hover(cell);
    QTest::keyClick(form_, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(form_->Commands.State.EditMode);
    QCOMPARE(form_->PanelMode, 4);
    form_->EDwei->setText("21.5");
    form_->ReadPanel();
    QTest::mouseClick(form_->PB, Qt::LeftButton, {}, feeder_->Centre(cell));
    QVERIFY(!form_->Commands.State.EditMode);
    QCOMPARE(plan_->Cur()[static_cast<size_t>(cell)].WEIGHT, 21.5);
    QCOMPARE(plan_->Cur()[static_cast<size_t>(cell)].CONTAINER, number);
  }

  void storedSizeAndUnstoredSize() {
    form_->resize(900, 600);
    form_->close();
    QCOMPARE(plan_->Settings[53], std::string("600"));
    QCOMPARE(plan_->Settings[54], std::string("900"));
    plan_->Settings[53] = "0";
    form_->show();
    QCOMPARE(form_->height(), feeder_->main->height() - 50);
    QCOMPARE(form_->width(), 900);
  }
};

QTEST_MAIN(BayPlanEditorTest)
#include "BayPlanEditorTest.moc"
