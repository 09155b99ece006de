// The stresses window offscreen on the demo feeder's Hamburg departure: its
// place and size kept in the settings, and a picture that follows the
// condition.

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "DemoFeeder.h"
#include "stability/Stability.h"
#include "stability/Tanks.h"
#include "ui/StressesWindow.h"

class StressesWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<DemoFeeder> feeder_;
  std::unique_ptr<StressesWindow> window_;

  std::string& Setting(int i) { return feeder_->plan->Settings[static_cast<size_t>(i)]; }

 private slots:
  void init() {
    feeder_ = std::make_unique<DemoFeeder>();
    QVERIFY(feeder_->Open());
    window_ = std::make_unique<StressesWindow>(*feeder_->plan, feeder_->session->stability);
  }
  void cleanup() {
    window_.reset();
    feeder_.reset();
  }

  // Settings 116 to 119: height, width, left, top.
  void placeFromTheSettings_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QRect>("expected");  // width 0: the window's own size
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("kept place") << QStringList{"400", "700", "30", "40"} << QRect(30, 40, 700, 400);
    QTest::newRow("beyond the screen") << QStringList{"400", "700", "30000", "40"}
                                       << QRect(screen.topLeft(), QSize(700, 400));
    QTest::newRow("nothing kept") << QStringList{"", "", "", ""} << QRect(0, 0, 0, 0);
    QTest::newRow("width 20 or less") << QStringList{"400", "20", "30", "40"} << QRect(0, 0, 0, 0);
  }
  void placeFromTheSettings() {
    QFETCH(QStringList, stored);
    QFETCH(QRect, expected);
    for (int i = 0; i < 4; ++i) Setting(116 + i) = stored[i].toStdString();
    const QSize own = window_->size();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    if (expected.width() == 0) {
      QCOMPARE(window_->size(), own);
    } else {
      QCOMPARE(window_->size(), expected.size());
      QCOMPARE(window_->pos(), expected.topLeft());
    }
  }

  void closingKeepsThePlace() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->resize(640, 360);
    window_->move(50, 60);
    window_->close();
    QCOMPARE(Setting(116), std::string("360"));
    QCOMPARE(Setting(117), std::string("640"));
    QCOMPARE(Setting(118), std::to_string(window_->x()));
    QCOMPARE(Setting(119), std::to_string(window_->y()));
  }

  // Every paint computes first: the fore peak emptied while nothing
  // recomputes still shows in the next picture.
  void paintShowsThePresentCondition() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    const QImage before = window_->PB->grab().toImage();
    feeder_->plan->NoRecalc = 1;
    Tanks& tanks = feeder_->session->stability.tanks();
    tanks.SetTankContent(tanks.FindTank("FPT"), 0);
    const QImage after = window_->PB->grab().toImage();
    QVERIFY(before != after);
  }
};

QTEST_MAIN(StressesWindowTest)
#include "StressesWindowTest.moc"
