// The selection and check windows, offscreen, on a copy of the demo
// installation with its feeder open and its Hamburg departure read: the
// selection window lists the distinct values of the data set and writes the
// SELECTED marks of exactly the units its criteria leave out when it closes;
// the check window lists the seeded segregation pair and a double click on
// the line hands just its two cells to the bay plan editor.

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "ModalWindows.h"
#include "conditions/ConditionFile.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "planning/CellOps.h"
#include "planning/UnitRules.h"
#include "ui/CheckWindow.h"
#include "ui/Program.h"
#include "ui/SelectionWindow.h"
#include "vessel/CellAddress.h"

namespace fs = std::filesystem;

namespace {

using UnitRule = std::function<bool(const StructDat&)>;

const char* const kSegregationLine = "SEGREGATION 2    3   5.1 090482 090484";

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

QStringList Highlighted(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row)
    if (list->item(row)->isSelected()) texts << list->item(row)->text();
  return texts;
}

void ClickItem(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(found.size() == 1, qPrintable(text));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

// A click on the box's indicator: the box is wider than its caption.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// Runs action while every check window that opens modally is closed at
// once; shown counts them.
void WhileClosingCheckWindows(int& shown, const std::function<void()>& action) {
  QTimer closer;
  closer.setInterval(0);
  QObject::connect(&closer, &QTimer::timeout, [&shown] {
    if (auto* window = qobject_cast<CheckWindow*>(QApplication::activeModalWidget())) {
      ++shown;
      window->reject();
    }
  });
  closer.start();
  action();
  QCoreApplication::processEvents();
}

void RightClick(QListWidget* list) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                          list->viewport()->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(list->viewport(), &event);
}

}  // namespace

class SelCheckWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<PlanData> plan_;
  std::unique_ptr<Zum4Program> program_;

  PlanData& plan() { return *plan_; }
  VesselSession& session() { return *program_->main.Session(); }
  Selection& selection() { return session().selection; }
  QtHost& host() { return program_->host; }
  QWidget* mainWindow() { return &program_->main; }

  int Cell(const std::string& name) const {
    for (int i = 0; i < plan_->CellCount; ++i)
      if (plan_->Cells[static_cast<size_t>(i)].CELL == name) return i;
    return -1;
  }
  StructDat& Record(int i) { return plan_->Cur()[static_cast<size_t>(i)]; }

  // Every record of the working data set carries SELECTED as rule says;
  // records that hold nothing always read as selected. Returns how many
  // units the rule left out, so a case that leaves out nothing shows.
  int ExpectMarks(const UnitRule& passes) {
    int left = 0;
    for (int i = 0; i < plan_->CellCount; ++i) {
      const StructDat& unit = Record(i);
      const int expected = IsFreeRecord(unit) || passes(unit) ? 1 : 0;
      if (unit.SELECTED != expected) {
        QTest::qFail(qPrintable(QString("cell %1 (%2): SELECTED %3, expected %4")
                                    .arg(i)
                                    .arg(QString::fromStdString(unit.POSITION))
                                    .arg(unit.SELECTED)
                                    .arg(expected)),
                     __FILE__, __LINE__);
        return -1;
      }
      if (unit.STATUS == 1 && expected == 0) ++left;
    }
    return left;
  }

  std::set<std::string> DistinctValues(int list) {
    std::set<std::string> values;
    for (int i = 0; i < plan_->CellCount; ++i)
      if (Record(i).STATUS > 0) values.insert(SelectionListValue(Record(i), list));
    return values;
  }

  // Shows the window for the working data set, non-modally, from its
  // default state.
  void ShowFresh(SelectionWindow& form) {
    selection().RequestedPlane = kCurPlane;
    form.show();
    QTest::mouseClick(form.BReset, Qt::LeftButton);
  }

 private slots:
  // The program as it starts, with the feeder opened from the main window
  // and its Hamburg departure read.
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const fs::path demo = fs::path(dir_->path().toStdString()) / "demo";
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", demo, fs::copy_options::recursive);
    plan_ = CreatePlanData();
    plan_->ProgramDir = demo.string();
    program_ = std::make_unique<Zum4Program>(*plan_);
    program_->Load(demo);
    QVERIFY(program_->installed);
    int feeder = -1;
    for (int k = 0; k < plan_->VesselCount; ++k)
      if (plan_->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
    QVERIFY(feeder >= 0);
    QVERIFY(program_->main.OpenVesselEntry(feeder));
    QVERIFY(
        session().conditions.ReadCondition(ConditionDirectory(*plan_) / "DHAM012N.TXT", kCurPlane, false));
    QVERIFY(Cell("090482") >= 0 && Cell("090484") >= 0);
    QCOMPARE(ExpectMarks([](const StructDat&) { return true; }), 0);
  }

  void cleanup() {
    program_.reset();
    plan_.reset();
    dir_.reset();
  }

  // Each list holds every value of its field once, sorted; the caption names
  // the data set.
  void selectionListsTheDistinctValues() {
    SelectionWindow form(selection(), plan(), mainWindow());
    form.ConditionTitle = [] { return std::string("FEEDER - HAMBURG 012N"); };
    selection().RequestedPlane = kCurPlane;
    form.show();
    QCOMPARE(form.windowTitle(), QString("Selection - FEEDER - HAMBURG 012N"));
    QCOMPARE(Texts(form.ListBox2), QStringList({"AAR", "GDY", "GOT"}));
    QCOMPARE(Texts(form.ListBox1), QStringList({"ANR", "FXT", "HAM", "RTM"}));
    for (int list = 0; list < kSelListCount; ++list) {
      const QStringList shown = Texts(form.List(list));
      QStringList expected;
      for (const std::string& value : DistinctValues(list)) expected << QString::fromLatin1(value.c_str());
      QStringList sortedShown = shown;
      sortedShown.sort(Qt::CaseInsensitive);
      QCOMPARE(shown, sortedShown);
      expected.sort(Qt::CaseInsensitive);
      QCOMPARE(shown, expected);
      QVERIFY(Highlighted(form.List(list)).isEmpty());
      // As tall as its items: nothing to scroll.
      QCOMPARE(form.List(list)->height(), std::max<int>(1, shown.size()) * 14 + 4);
    }
    QVERIFY(form.CBfull->isChecked() && form.CBempty->isChecked() && form.CBondeck->isChecked() &&
            form.CBbelowdeck->isChecked());
    QVERIFY(!form.CBawkward->isChecked() && !form.CBdangerous->isChecked() && !form.CBrestows->isChecked());
    QVERIFY(form.width() >= 430 && form.height() >= 325);
    form.close();
    // Nothing was chosen: closing leaves every unit selected.
    QCOMPARE(ExpectMarks([](const StructDat&) { return true; }), 0);
  }

  // A clicked POD leaves out exactly its units when the window closes by OK;
  // the highlight is still there at the next showing, the close box applies
  // too without accepting, and "Reset" selects everything at once.
  void podHighlightFiltersAndPersists() {
    SelectionWindow form(selection(), plan(), mainWindow());
    bool accepted = false;
    OnModal<SelectionWindow>([&](SelectionWindow* shown) {
      ClickItem(shown->ListBox2, "GOT");
      QCOMPARE(Highlighted(shown->ListBox2), QStringList({"GOT"}));
      QTest::mouseClick(shown->BOk, Qt::LeftButton);
    });
    accepted = form.ShowSelection(kCurPlane);
    QVERIFY(accepted);
    QVERIFY(selection().FilterActive);
    const int left = ExpectMarks([](const StructDat& u) { return u.POD != "GOT"; });
    QCOMPARE(left, 318);  // the GOT units of the departure, as its load totals count them

    OnModal<SelectionWindow>([&](SelectionWindow* shown) {
      QCOMPARE(Highlighted(shown->ListBox2), QStringList({"GOT"}));
      ClickItem(shown->ListBox2, "GDY");
      shown->close();
    });
    accepted = form.ShowSelection(kCurPlane);
    QVERIFY(!accepted);
    QVERIFY(!selection().Accepted);
    ExpectMarks([](const StructDat& u) { return u.POD == "AAR"; });

    form.show();
    QTest::mouseClick(form.BReset, Qt::LeftButton);
    // Before the window closes.
    QCOMPARE(ExpectMarks([](const StructDat&) { return true; }), 0);
    QVERIFY(Highlighted(form.ListBox2).isEmpty());
    form.close();
    QVERIFY(!selection().FilterActive);
    QCOMPARE(ExpectMarks([](const StructDat&) { return true; }), 0);
  }

  // A header button inverts its list: excluding all but one value takes one
  // header click and one item click.
  void headerInvertsItsList() {
    SelectionWindow form(selection(), plan(), mainWindow());
    ShowFresh(form);
    QTest::mouseClick(form.SBpod, Qt::LeftButton);
    QCOMPARE(Highlighted(form.ListBox2), QStringList({"AAR", "GDY", "GOT"}));
    ClickItem(form.ListBox2, "GDY");
    QCOMPARE(Highlighted(form.ListBox2), QStringList({"AAR", "GOT"}));
    QTest::mouseClick(form.BOk, Qt::LeftButton);
    QVERIFY(ExpectMarks([](const StructDat& u) { return u.POD == "GDY"; }) > 0);

    // Every POL highlighted: no unit passes.
    ShowFresh(form);
    QTest::mouseClick(form.SBpol, Qt::LeftButton);
    QTest::mouseClick(form.BOk, Qt::LeftButton);
    QCOMPARE(ExpectMarks([](const StructDat&) { return false; }), 584);
  }

  // Each check box and the number field narrow the units as their captions
  // say; each case starts from "Reset".
  void checksAndNumberFilter() {
    struct Case {
      const char* name;
      std::function<void(SelectionWindow&)> act;
      UnitRule passes;
    };
    const auto deck = [this](const StructDat& u) { return IsDeckTier(TierOf(plan(), u.POSITION)); };
    const Case cases[] = {
        {"Full off", [](SelectionWindow& f) { ClickBox(f.CBfull); },
         [](const StructDat& u) { return u.MTY == 1; }},
        {"Empty off", [](SelectionWindow& f) { ClickBox(f.CBempty); },
         [](const StructDat& u) { return u.MTY != 1; }},
        {"on deck off", [](SelectionWindow& f) { ClickBox(f.CBondeck); },
         [deck](const StructDat& u) { return !deck(u); }},
        {"below deck off", [](SelectionWindow& f) { ClickBox(f.CBbelowdeck); },
         [deck](const StructDat& u) { return deck(u); }},
        {"Only Dangerous", [](SelectionWindow& f) { ClickBox(f.CBdangerous); },
         [](const StructDat& u) { return IsHazardous(u); }},
        {"Restows", [](SelectionWindow& f) { ClickBox(f.CBrestows); },
         [](const StructDat& u) { return u.RESTOW > 0; }},
        {"Number 22", [](SelectionWindow& f) { QTest::keyClicks(f.EDnumber, "22"); },
         [](const StructDat& u) { return u.CONTAINER.find("22") != std::string::npos; }},
        {"Number typed in lower case", [](SelectionWindow& f) { QTest::keyClicks(f.EDnumber, "zumu"); },
         [](const StructDat& u) { return u.CONTAINER.find("ZUMU") != std::string::npos; }},
        {"TYPE and ISO together",
         [](SelectionWindow& f) {
           ClickItem(f.LBtyp, f.LBtyp->item(0)->text());
           ClickItem(f.LBiso, f.LBiso->item(0)->text());
         },
         [this](const StructDat& u) {
           return u.TYP != selection().Items(kSelType)[0].text && u.ISO != selection().Items(kSelIso)[0].text;
         }},
    };
    SelectionWindow form(selection(), plan(), mainWindow());
    for (const Case& c : cases) {
      ShowFresh(form);
      c.act(form);
      QTest::mouseClick(form.BOk, Qt::LeftButton);
      QVERIFY2(selection().FilterActive, c.name);
      // Every case leaves out some of the 584 units.
      const int left = ExpectMarks(c.passes);
      QVERIFY2(left > 0, c.name);
    }
  }

  // The pairs of check boxes keep one of each pair on; "Only Awkwards" and
  // "Only Dangerous" exclude each other. A single blank in "Number" leaves
  // out nothing but counts as a filter.
  void checkBoxPairsAndBlankNumber() {
    SelectionWindow form(selection(), plan(), mainWindow());
    ShowFresh(form);
    struct Pair {
      QCheckBox* first;
      QCheckBox* second;
    };
    for (const Pair& p : {Pair{form.CBempty, form.CBfull}, Pair{form.CBbelowdeck, form.CBondeck}}) {
      ClickBox(p.first);
      QVERIFY(!p.first->isChecked() && p.second->isChecked());
      ClickBox(p.second);
      QVERIFY(!p.second->isChecked());
      QVERIFY(p.first->isChecked());
    }
    ClickBox(form.CBawkward);
    ClickBox(form.CBdangerous);
    QVERIFY(form.CBdangerous->isChecked() && !form.CBawkward->isChecked());
    ClickBox(form.CBawkward);
    QVERIFY(form.CBawkward->isChecked() && !form.CBdangerous->isChecked());

    QTest::mouseClick(form.BReset, Qt::LeftButton);
    QVERIFY(form.CBfull->isChecked() && form.CBempty->isChecked() && !form.CBawkward->isChecked());
    QTest::keyClick(form.EDnumber, Qt::Key_Space);
    QTest::keyClicks(form.EDnumber, "ABCDEFGH");
    QCOMPARE(form.EDnumber->text(), QString(" ABCDE"));
    form.EDnumber->setText(" ");
    QTest::mouseClick(form.BOk, Qt::LeftButton);
    QVERIFY(selection().FilterActive);
    QCOMPARE(ExpectMarks([](const StructDat&) { return true; }), 0);
  }

  // The right button on a list changes its first highlighted value in every
  // unit and lists the data set anew; the SIZE list offers no change.
  void rightButtonChangesTheFirstHighlightedValue() {
    std::map<std::string, int> before;
    for (int i = 0; i < plan().CellCount; ++i)
      if (Record(i).STATUS == 1) ++before[Record(i).POD];
    QVERIFY(before["AAR"] > 0 && before.count("RTM") == 0);

    SelectionWindow form(selection(), plan(), mainWindow());
    struct Asked {
      int kind;
      std::string oldValue, offered;
    };
    std::vector<Asked> asked;
    form.AskNewValue = [&](int kind, const std::string& oldValue, std::string& newValue) {
      asked.push_back({kind, oldValue, newValue});
      newValue = "RTM";
      return true;
    };
    ShowFresh(form);
    ClickItem(form.LBsiz, form.LBsiz->item(0)->text());
    RightClick(form.LBsiz);
    QVERIFY(asked.empty());
    for (const char* pod : {"GOT", "AAR", "GDY"}) ClickItem(form.ListBox2, pod);
    RightClick(form.ListBox2);
    QCOMPARE(asked.size(), size_t(1));
    QCOMPARE(asked[0].kind, kChangePod);
    QCOMPARE(asked[0].oldValue, std::string("AAR"));
    QCOMPARE(asked[0].offered, std::string("AAR"));

    std::map<std::string, int> after;
    for (int i = 0; i < plan().CellCount; ++i)
      if (Record(i).STATUS == 1) ++after[Record(i).POD];
    QCOMPARE(after["RTM"], before["AAR"]);
    QCOMPARE(after.count("AAR"), size_t(0));
    QCOMPARE(after["GDY"], before["GDY"]);
    QCOMPARE(after["GOT"], before["GOT"]);
    // Listed anew and reset: no highlight anywhere, every unit selected.
    QCOMPARE(Texts(form.ListBox2), QStringList({"GDY", "GOT", "RTM"}));
    QVERIFY(Highlighted(form.ListBox2).isEmpty() && Highlighted(form.LBsiz).isEmpty());
    form.close();
    QCOMPARE(ExpectMarks([](const StructDat&) { return true; }), 0);

    // Cancelled: nothing changes.
    form.AskNewValue = [](int, const std::string&, std::string&) { return false; };
    ShowFresh(form);
    ClickItem(form.ListBox2, "GDY");
    RightClick(form.ListBox2);
    QCOMPARE(Texts(form.ListBox2), QStringList({"GDY", "GOT", "RTM"}));
    QCOMPARE(Highlighted(form.ListBox2), QStringList({"GDY"}));
    form.close();
  }

  // The voyage data set, not built yet, gives empty lists and its own
  // caption; back on the working data set the lists are built again.
  void otherDataSetRebuildsTheLists() {
    SelectionWindow form(selection(), plan(), mainWindow());
    plan().VesHdr[VesHdrIx::Voy] = "012N";
    selection().RequestedPlane = plan().VoyPlane;
    form.show();
    QCOMPARE(form.windowTitle(), QString("Selection - voy 012N"));
    for (int list = 0; list < kSelListCount; ++list) QCOMPARE(form.List(list)->count(), 0);
    form.close();
    selection().RequestedPlane = kCurPlane;
    form.show();
    QCOMPARE(Texts(form.ListBox2), QStringList({"AAR", "GDY", "GOT"}));
    form.close();
  }

  // The full check lists the seeded pair and marks its cells; a double click
  // on the line keeps just those two cells selected, gives them to the
  // editor and closes the window.
  void checkListsThePairAndDoubleClickHighlightsIt() {
    CheckWindow form(plan(), host(), mainWindow());
    int prepared = 0;
    form.PrepareFullCheck = [&] { ++prepared; };
    std::vector<std::vector<int>> highlighted;
    form.HighlightCells = [&](const std::vector<int>& cells) { highlighted.push_back(cells); };
    const int a = Cell("090482");
    const int b = Cell("090484");

    QString title;
    QStringList lines;
    bool fixedPitch = false;
    std::vector<int> marksAfterCheck;
    OnModal<CheckWindow>([&](CheckWindow* window) {
      title = window->windowTitle();
      lines = Texts(window->LB);
      fixedPitch = window->LB->font().fixedPitch();
      for (int i = 0; i < plan().CellCount; ++i) marksAfterCheck.push_back(Record(i).SELECTED);
      // Cleared, so that the double click must set them again; and one mark
      // elsewhere that it must clear.
      for (int i = 0; i < plan().CellCount; ++i) Record(i).SELECTED = 0;
      Record(0).SELECTED = 1;
      QListWidget* lb = window->LB;
      if (lb->count() > 0) {
        const QPoint at = lb->visualItemRect(lb->item(0)).center();
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(lb->viewport(), Qt::LeftButton, {}, at);
      }
      if (window->isVisible()) window->reject();  // a failure shows below, not as a hang
    });
    QVERIFY(!form.ShowCheck(false, -1));
    QCOMPARE(title, QString("Check"));
    QCOMPARE(lines, QStringList({kSegregationLine}));
    QVERIFY(fixedPitch);
    // The check marked the cells of its lines (with the second cell of a 40'
    // unit) and cleared every other mark.
    std::set<int> marked{a, b};
    for (int c : {a, b})
      if (!Is20Foot(Record(c))) marked.insert(FortyPartnerCell(plan(), c));
    QCOMPARE(marksAfterCheck.size(), static_cast<size_t>(plan().CellCount));
    for (int i = 0; i < plan().CellCount; ++i)
      QCOMPARE(marksAfterCheck[static_cast<size_t>(i)], marked.count(i) ? 1 : 0);
    QVERIFY(!form.isVisible());
    QCOMPARE(prepared, 1);
    QCOMPARE(highlighted.size(), size_t(1));
    QCOMPARE(highlighted[0], std::vector<int>({std::min(a, b), std::max(a, b)}));
    for (int i = 0; i < plan().CellCount; ++i) QCOMPARE(Record(i).SELECTED, i == a || i == b ? 1 : 0);

    // The segregation-only check needs no preparation and finds the same.
    QVERIFY(!form.RunCheck(true, -1));
    QCOMPARE(prepared, 1);
    QCOMPARE(form.Lines, std::vector<std::string>({kSegregationLine}));
  }

  // While the editor is hidden a double click does nothing; without a
  // current line neither.
  void doubleClickWaitsForTheEditor() {
    CheckWindow form(plan(), host(), mainWindow());
    bool editorVisible = false;
    form.EditorVisible = [&] { return editorVisible; };
    int calls = 0;
    form.HighlightCells = [&](const std::vector<int>&) { ++calls; };
    QVERIFY(!form.RunCheck(false, -1));
    form.show();
    std::vector<int> marks;
    for (int i = 0; i < plan().CellCount; ++i) marks.push_back(Record(i).SELECTED);

    form.LB->setCurrentRow(0);
    form.LBDblClick();
    QCOMPARE(calls, 0);
    QVERIFY(form.isVisible());
    editorVisible = true;
    form.LB->setCurrentRow(-1);
    form.LBDblClick();
    QCOMPARE(calls, 0);
    for (int i = 0; i < plan().CellCount; ++i) QCOMPARE(Record(i).SELECTED, marks[static_cast<size_t>(i)]);
    form.LB->setCurrentRow(0);
    form.LBDblClick();
    QCOMPARE(calls, 1);
    QVERIFY(!form.isVisible());
  }

  // After a placement only a finding opens the window; a plan without
  // findings lists the single no-errors line and keeps its marks.
  void oneCellCheckShowsOnlyFindings() {
    CheckWindow form(plan(), host(), mainWindow());
    struct Case {
      const char* name;
      int cell;
      bool clean;
      QStringList lines;
    };
    int empty = -1;
    for (int i = 0; i < plan().CellCount && empty < 0; ++i)
      if (Record(i).STATUS == 1 && Record(i).MTY == 1 && !IsHazardous(Record(i))) empty = i;
    QVERIFY(empty >= 0);
    const Case cases[] = {
        {"seeded hazardous cell", Cell("090482"), false, {kSegregationLine}},
        {"empty unit", empty, true, {"  *** NO ERRORS ***"}},
    };
    for (const Case& c : cases) {
      int shown = 0;
      bool clean = false;
      WhileClosingCheckWindows(shown, [&] { clean = form.ShowCheck(true, c.cell); });
      QVERIFY2(clean == c.clean, c.name);
      QVERIFY2(shown == (c.clean ? 0 : 1), c.name);
      QCOMPARE(Texts(form.LB), c.lines);
    }

    // Without the hazard the full check finds nothing and leaves the marks.
    for (int c : {Cell("090482"), Cell("090484")}) {
      Record(c).IMO[0].clear();
      Record(c).UN[0].clear();
    }
    Record(empty).SELECTED = 0;
    int shown = 0;
    bool clean = false;
    WhileClosingCheckWindows(shown, [&] { clean = form.ShowCheck(false, -1); });
    QVERIFY(clean);
    QCOMPARE(shown, 1);
    QCOMPARE(Texts(form.LB).size(), qsizetype(1));
    QCOMPARE(Texts(form.LB).first(), QString("  *** NO ERRORS ***"));
    QCOMPARE(Record(empty).SELECTED, 0);
    QCOMPARE(Record(Cell("090482")).SELECTED, 1);
  }
};

QTEST_MAIN(SelCheckWindowsTest)
#include "SelCheckWindowsTest.moc"
