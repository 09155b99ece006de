// The tanks window offscreen on the demo feeder's Hamburg departure: every
// way of changing a tank's content reaches the tank table, and the
// displacement follows at once by exactly the change; the groups, "All
// full"/"All empty" and the weight panel taken from the stability frame.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "DemoFeeder.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"
#include "ui/OutsidePrograms.h"
#include "ui/PrintService.h"
#include "ui/StabilityFrame.h"
#include "ui/TanksWindow.h"

class TanksWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DemoFeeder> feeder_;
  std::unique_ptr<StabilityFrame> frame_;
  std::unique_ptr<TanksWindow> window_;

  Stability& stability() { return feeder_->session->stability; }
  Tanks& tanks() { return stability().tanks(); }
  double Displacement() { return stability().Results.W; }
  int Row(const std::string& key) {
    const int tank = tanks().FindTank(key);
    for (int row = 0; row < static_cast<int>(window_->RowTanks.size()); ++row)
      if (window_->RowTanks[static_cast<size_t>(row)] == tank) return row;
    return -1;
  }
  // The middle of a tank's rectangle in the plan's paint box.
  QPoint Middle(const std::string& key) {
    const int tank = tanks().FindTank(key);
    for (const TankShape& s : TankPlanShapes(tanks(), window_->SelectedGroup, 0, window_->PB->height() / 2))
      if (s.tank == tank) return {(s.left + s.right) / 2, (s.top + s.bottom) / 2};
    return {-1, -1};
  }

 private slots:
  void init() {
    feeder_ = std::make_unique<DemoFeeder>();
    QVERIFY(feeder_->Open());
    frame_ = std::make_unique<StabilityFrame>(*feeder_->plan);
    frame_->SetStability(&stability());
    window_ = std::make_unique<TanksWindow>(*feeder_->plan, stability(), *frame_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() {
    window_.reset();
    frame_.reset();
    feeder_.reset();
  }

  // Each way of editing a level, on a ballast tank of the departure
  // (FPT 522 t of 521.86, DB2S 404.49 full, WT2P 12 t of 684.96).
  void editingALevelMovesTheDisplacement_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("way");
    QTest::addColumn<double>("expected");
    enum { Typed, TypedTooMuch, Track, DoubleClick, RightPress, LeftPress };
    QTest::newRow("typed in column 3") << "DB2S" << int(Typed) << 100.5;
    QTest::newRow("typed above the capacity") << "WT2P" << int(TypedTooMuch) << 684.96;
    QTest::newRow("track bar") << "WT2P" << int(Track) << 400.0;
    QTest::newRow("double click empties") << "DB2S" << int(DoubleClick) << 0.0;
    QTest::newRow("double click fills an empty tank") << "WT3S" << int(DoubleClick) << 595.3;
    QTest::newRow("right press at half height") << "DB3S" << int(RightPress) << 426.38 / 2;
    // WT2P lies over the side of DB3P: the tank seen is the one chosen.
    QTest::newRow("left press only selects") << "WT2P" << int(LeftPress) << 12.0;
  }
  void editingALevelMovesTheDisplacement() {
    QFETCH(QString, key);
    QFETCH(int, way);
    QFETCH(double, expected);
    const std::string name = key.toStdString();
    const int tank = tanks().FindTank(name);
    const int row = Row(name);
    QVERIFY(tank >= 0 && row >= 0);
    const double before = tanks().Content(tank);
    const double displacement = Displacement();
    QTableWidget* grid = window_->SGtnk;
    switch (way) {
      case 0:
      case 1: {
        grid->setCurrentCell(row, 3);
        grid->editItem(grid->item(row, 3));
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, way == 0 ? "100,5" : "9999");
        QTest::keyClick(editor, Qt::Key_Return);
        break;
      }
      case 2:
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, 0)).center());
        QCOMPARE(window_->SelectedTank, tank);
        QCOMPARE(window_->TrackBar->maximum(), 684);
        QCOMPARE(window_->TrackBar->value(), 684 - 12);
        window_->TrackBar->setValue(684 - 400);
        break;
      case 3: {
        const QPoint at = grid->visualItemRect(grid->item(row, 1)).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
        break;
      }
      case 4:
      case 5:
        QTest::mousePress(window_->PB, way == 4 ? Qt::RightButton : Qt::LeftButton, {}, Middle(name));
        QTest::mouseRelease(window_->PB, way == 4 ? Qt::RightButton : Qt::LeftButton, {}, Middle(name));
        QCOMPARE(window_->SelectedTank, tank);
        QCOMPARE(grid->currentRow(), row);
        break;
    }
    // An edit is committed once the event loop runs.
    QTRY_COMPARE(tanks().Content(tank), expected);
    QVERIFY(qAbs(Displacement() - (displacement + expected - before)) < 0.002);
    // The row shows what the tank holds.
    const QString shown = grid->item(row, 3)->text();
    if (expected > 0) QVERIFY(qAbs(shown.toDouble() - expected) < 0.006);
    else QVERIFY(shown.isEmpty());
  }

  void groupsAllFullAndAllEmpty() {
    // Ballast first, with its 16 tanks.
    QCOMPARE(window_->SelectedGroup, 4);
    QCOMPARE(window_->SGtnk->rowCount(), 16);
    window_->SB[1]->click();  // fuel oil
    QCOMPARE(window_->SelectedGroup, 5);
    QCOMPARE(window_->SGtnk->rowCount(), 2);
    QCOMPARE(window_->SGtnk->item(0, 0)->text(), QString("Fuel Oil 1 SB"));
    QCOMPARE(window_->SGtnk->item(0, 2)->text(), QString(" 39%"));  // 150 of 388.01

    const double displacement = Displacement();
    window_->BAllFull->click();
    QCOMPARE(stability().Items[5].Tonnes(), 2 * 388.01);
    QVERIFY(qAbs(Displacement() - (displacement + 2 * (388.01 - 150))) < 0.002);
    window_->BAllEmpty->click();
    QCOMPARE(stability().Items[5].W, 0);
    QVERIFY(qAbs(Displacement() - (displacement - 300)) < 0.002);
    QVERIFY(window_->SGtnk->item(1, 3)->text().isEmpty());
  }

  // The report, to the word processor and to the printer, lists the tanks
  // with what they hold now.
  void reportGoesOutWithThePresentContents() {
    tanks().SetTankContent(tanks().FindTank("WT2P"), 100);
    std::string started;
    window_->Programs().run = [&started](const std::string& line, const std::string&, bool) {
      started = line;
      return true;
    };
    std::string error;
    QVERIFY(window_->ReportToWord(error));
    QVERIFY(started.find("word.txt") != std::string::npos);
    QFile word(QString::fromStdString(feeder_->plan->DataDir + "/word.txt"));
    QVERIFY(word.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(word.readAll());
    QVERIFY(text.contains(QRegularExpression("Wing Tank 2 PS +684\\.96.* 15 +100\\.00")));

    const QString pdf = QDir(QString::fromStdString(feeder_->dir->path().toStdString())).filePath("tanks.pdf");
    window_->Printer().choosePrinter = [pdf](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
    QVERIFY(window_->ReportToPrinter());
    QProcess toText;
    toText.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(toText.waitForFinished());
    const QString printed = QString::fromUtf8(toText.readAllStandardOutput());
    QVERIFY(printed.contains(QRegularExpression("Wing Tank 2 PS +684\\.96.* 15 +100\\.00")));
  }

  void borrowsTheWeightPanelWhileShown() {
    QCOMPARE(frame_->Panel1->parentWidget(), window_.get());
    QVERIFY(window_->windowTitle().startsWith("Tanks - ZUM FEEDER"));
    QVERIFY(window_->windowFlags() & Qt::WindowStaysOnTopHint);
    window_->close();
    QCOMPARE(frame_->Panel1->parentWidget(), frame_.get());
    // Shown again, it takes the panel again.
    window_->show();
    QCOMPARE(frame_->Panel1->parentWidget(), window_.get());
  }
};

QTEST_MAIN(TanksWindowTest)
#include "TanksWindowTest.moc"
