// The containers list and the totals windows, offscreen, in the program
// started on a copy of the demo installation (the feeder on its Hamburg
// departure): "Change data" on a row changes the unit in its cell through
// the placement checks and the totals follow through the main window; the
// totals take at most four grouping columns, each once; the list window's
// stored size falls back when it is too small to be a size.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "conditions/ListColumns.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "reports/Totals.h"
#include "ui/Application.h"
#include "ui/ChangeValueDialog.h"
#include "ui/ContainersListWindow.h"
#include "ui/Program.h"
#include "ui/TotalsWindow.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPodColumn = 3;

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

void Highlight(QListWidget* list, const QStringList& texts) {
  list->clearSelection();
  for (const QString& text : texts) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    found.first()->setSelected(true);
  }
}

}  // namespace

class ReportWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<PlanData> plan_;
  std::unique_ptr<Zum4Program> program_;

  fs::path Demo() const { return fs::path(dir_->path().toStdString()) / "demo"; }
  MainWindow& Main() { return program_->main; }

  void Start() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", Demo(), fs::copy_options::recursive);
    plan_ = CreatePlanData();
    plan_->ProgramDir = Demo().string();
    program_ = std::make_unique<Zum4Program>(*plan_);
    program_->Load(Demo());
    QVERIFY(program_->installed);
    program_->Show();
    QVERIFY(plan_->CurVessel >= 0);
  }

  // The x in the list's pixels of the middle of a column's first character.
  int ColumnX(ContainersListWindow& list, int column) {
    int start = list.CBss->isChecked() ? 5 : 0;
    for (int c : LayoutColumns(*plan_, list.RG1->currentIndex())) {
      if (c == column) break;
      start += ListColumnWidth(*plan_, c) + 1;
    }
    const QFontMetrics metrics(list.LB1->font());
    const int margin = list.LB1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list.LB1) + 1;
    return margin + metrics.horizontalAdvance(QLatin1Char('M')) * start + 2;
  }

  int RowOf(const QListWidget* list, int record) {
    for (int row = 0; row < list->count(); ++row)
      if (list->item(row)->data(Qt::UserRole).toInt() == record) return row;
    return -1;
  }

  // Saves what a window shows when the screenshots are asked for.
  static void Picture(QWidget& window, const char* name) {
    const QByteArray folder = qgetenv("ZUM4_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QCoreApplication::processEvents();
    QVERIFY(window.grab().save(QString::fromLocal8Bit(folder) + "/" + name));
  }

 private slots:
  void init() { Zum4Application::SetErrorDisplay([](const QString& text) { QFAIL(qPrintable(text)); }); }

  void cleanup() {
    program_.reset();
    plan_.reset();
    dir_.reset();
    Zum4Application::SetErrorDisplay(nullptr);
  }

  void geometryFallsBackBelowFifty_data() {
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("kept") << "600" << "800" << QRect(20, 10, 800, 600);
    QTest::newRow("both too small") << "49" << "12" << QRect(20, 10, 400, 400);
    QTest::newRow("fifty is a size") << "50" << "-3" << QRect(20, 10, 400, 50);
    QTest::newRow("never stored") << "" << "" << QRect(20, 10, 400, 400);
  }

  void geometryFallsBackBelowFifty() {
    QFETCH(QString, height);
    QFETCH(QString, width);
    QFETCH(QRect, expected);
    auto plan = CreatePlanData();
    plan->Settings[59] = "10";
    plan->Settings[60] = "20";
    plan->Settings[61] = height.toStdString();
    plan->Settings[62] = width.toStdString();
    QCOMPARE(ContainersListGeometry(*plan), expected);
  }

  // A POD changed through the list reaches the unit in its cell and the
  // totals grouped by POD; a POD the checks refuse leaves the unit and its
  // row as they were.
  void changeDataReachesTheUnitAndTheTotals() {
    Start();
    plan_->CheckOnPlace = 1;
    Main().TotalsClick();
    TotalsWindow& totals = *Main().Tot;
    QVERIFY(totals.isVisible());
    Highlight(totals.LBfm, {"POL", "POD"});
    totals.SB1Click();
    totals.SBsumClick();
    const QStringList before = Texts(totals.LB1);
    QVERIFY(before.size() > 3);

    Main().ContainersListClick();
    ContainersListWindow& list = *Main().Lis;
    QVERIFY(list.isVisible());
    QCOMPARE(list.RG1->currentIndex(), 0);
    QVERIFY(list.LB1->count() > 10);
    // The first row from Hamburg to Gdynia goes to Aarhus instead.
    int record = -1;
    for (int row = 0; row < list.LB1->count() && record < 0; ++row) {
      const int r = list.LB1->item(row)->data(Qt::UserRole).toInt();
      const StructDat& unit = plan_->Cur()[static_cast<size_t>(r)];
      if (unit.POL == "HAM" && unit.POD == "GDY") record = r;
    }
    QVERIFY(record >= 0);
    const std::string container = plan_->Cur()[static_cast<size_t>(record)].CONTAINER;
    list.LB1->clearSelection();
    list.LB1->item(RowOf(list.LB1, record))->setSelected(true);
    QString asked;
    std::string answer = "AAR";
    list.AskValue = [&](const std::string& heading, int width, std::string& value) {
      asked = QString::fromStdString(heading + "|" + std::to_string(width) + "|" + value);
      value = answer;
      return true;
    };
    list.ChangeData(RowOf(list.LB1, record), ColumnX(list, kPodColumn));
    QCOMPARE(asked, QString("POD|3|GDY"));
    const StructDat& changed = plan_->Cur()[static_cast<size_t>(record)];
    QCOMPARE(changed.CONTAINER, container);
    QCOMPARE(changed.POD, std::string("AAR"));
    QVERIFY(plan_->ConditionModified);
    QVERIFY(list.ChosenRecords().empty());
    QVERIFY(list.LB1->item(RowOf(list.LB1, record))->text().contains(" AAR "));

    TotalsOptions options;
    options.plane = plan_->CurPlane;
    options.columns = {2, kPodColumn};
    QStringList expected;
    for (const TotalsLine& line : BuildTotals(*plan_, options).lines) expected << QString::fromLatin1(line.text.c_str());
    QVERIFY(expected != before);
    QCOMPARE(Texts(totals.LB1), expected);
    Picture(list, "containers_list.png");
    Picture(totals, "totals_pol_pod.png");

    // No POD at all: refused, the unit back as it was, its row still chosen.
    list.LB1->item(RowOf(list.LB1, record))->setSelected(true);
    answer = "";
    list.ChangeData(RowOf(list.LB1, record), ColumnX(list, kPodColumn));
    QCOMPARE(plan_->Cur()[static_cast<size_t>(record)].POD, std::string("AAR"));
    QCOMPARE(plan_->Cur()[static_cast<size_t>(record)].STATUS, 1);
    QCOMPARE(list.ChosenRecords(), std::vector<int>{record});
    QCOMPARE(Texts(totals.LB1), expected);
  }

  // "Restows List": the reference condition read, the restows marked
  // through the seam the move computation fills, and only those listed in
  // the restows layout.
  void restowsListShowsTheRestowsOnly() {
    Start();
    int marked = -1;
    Main().ComputeRestows = [&] {
      for (int i = 0; i < plan_->CellCount && marked < 0; ++i)
        if (plan_->Cur()[static_cast<size_t>(i)].STATUS == 1) marked = i;
      plan_->Cur()[static_cast<size_t>(marked)].RESTOW = 1;
    };
    Main().RestowsListClick();
    ContainersListWindow& list = *Main().Lis;
    QVERIFY(list.isVisible());
    QCOMPARE(list.RG1->currentIndex(), 9);
    QVERIFY(list.PAhead->text().startsWith("TO CEL "));
    QCOMPARE(list.LB1->count(), 1);
    QCOMPARE(list.LB1->item(0)->data(Qt::UserRole).toInt(), marked);
    // "rst" lists every unit; "Containers List" brings the standard layout.
    list.SBrsClick();
    QVERIFY(list.LB1->count() > 100);
    list.close();
    Main().ContainersListClick();
    QCOMPARE(list.RG1->currentIndex(), 0);
  }

  // "To File" writes the header and every row with CR LF; a file that
  // cannot be written is named in the error and nothing is left behind.
  void listIsWrittenWholeOrNotAtAll() {
    Start();
    Main().ContainersListClick();
    ContainersListWindow& list = *Main().Lis;
    const fs::path good = Demo() / "list.txt";
    const fs::path bad = Demo() / "no such folder" / "list.txt";
    fs::path chosen = good;
    list.ChooseFile = [&chosen] { return chosen.string(); };
    list.SBsaveClick();
    std::ifstream in(good, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    QVERIFY(bytes.rfind(list.PAhead->text().toStdString() + "\r\n", 0) == 0);
    QCOMPARE(static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')), list.LB1->count() + 1);
    QCOMPARE(static_cast<int>(std::count(bytes.begin(), bytes.end(), '\r')), list.LB1->count() + 1);

    QStringList errors;
    Zum4Application::SetErrorDisplay([&errors](const QString& text) { errors << text; });
    chosen = bad;
    list.SBsaveClick();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("no such folder/list.txt"), qPrintable(errors.first()));
    QVERIFY(!fs::exists(bad.parent_path()));
  }

  // The "Change" dialog: the column's heading, its value, capitals only and
  // no longer than the column.
  void changeDialogTakesCapitalsUpToTheWidth() {
    ChangeValueDialog dialog("POD", 3, "GDY");
    QCOMPARE(dialog.windowTitle(), QString("Change"));
    QCOMPARE(dialog.LAhead->text(), QString("POD"));
    QCOMPARE(dialog.EDvalue->text(), QString("GDY"));
    dialog.show();
    dialog.EDvalue->clear();
    QTest::keyClicks(dialog.EDvalue, "aarhus");
    QCOMPARE(dialog.Value(), std::string("AAR"));
    Picture(dialog, "change_value_dialog.png");
  }

  // "Voy" lists the units loaded over the voyage, which cannot be changed
  // from here; a change of the plan brings both windows back to the
  // working condition.
  void voyageUnitsUntilThePlanChanges() {
    Start();
    Main().ContainersListClick();
    ContainersListWindow& list = *Main().Lis;
    const int working = list.LB1->count();
    list.CBvoy->setChecked(true);
    list.CBvoyClick();
    QVERIFY(plan_->VoyUnitCount > 0);
    QVERIFY(list.LB1->count() > 0);
    QVERIFY(list.LB1->count() != working);
    for (int row = 0; row < list.LB1->count(); ++row)
      QVERIFY(list.LB1->item(row)->data(Qt::UserRole).toInt() < plan_->VoyUnitCount);
    bool asked = false;
    list.AskValue = [&asked](const std::string&, int, std::string&) { return asked = true; };
    list.LB1->item(0)->setSelected(true);
    list.ChangeData(0, ColumnX(list, kPodColumn));
    QVERIFY(!asked);

    Main().TotalsClick();
    TotalsWindow& totals = *Main().Tot;
    totals.CBvoy->setChecked(true);
    Main().Session()->ctx.MarkConditionModified(true);
    QVERIFY(!list.CBvoy->isChecked());
    QVERIFY(!totals.CBvoy->isChecked());
    QCOMPARE(list.LB1->count(), working);
  }

  void totalsTakeFourColumnsEachOnce() {
    Start();
    Main().TotalsClick();
    TotalsWindow& totals = *Main().Tot;
    Highlight(totals.LBfm, {"POL", "POD", "TYP", "SIZ", "OPERATOR"});
    totals.SB1Click();
    QCOMPARE(Texts(totals.LBto), (QStringList{"POL", "POD", "TYP", "SIZ"}));
    totals.SBclearClick();
    QVERIFY(totals.LBto->count() == 0 && totals.LB1->count() == 0);
    Highlight(totals.LBfm, {"POD"});
    totals.SB1Click();
    emit totals.LBfm->itemDoubleClicked(totals.LBfm->findItems("POD", Qt::MatchExactly).first());
    QCOMPARE(Texts(totals.LBto), QStringList{"POD"});
    Highlight(totals.LBfm, {"POL", "POD"});
    totals.SB1Click();
    QCOMPARE(Texts(totals.LBto), (QStringList{"POD", "POL"}));
    totals.SBsumClick();
    QCOMPARE(totals.Report.levels, 2);
  }
};

QTEST_MAIN(ReportWindowsTest)
#include "ReportWindowsTest.moc"
