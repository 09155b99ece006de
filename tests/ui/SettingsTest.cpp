// The settings windows and the hand-over to outside programs, offscreen.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "ui/BaseDataDialog.h"
#include "ui/CustomizingDialog.h"
#include "ui/OutsidePrograms.h"

class SettingsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<PlanData> plan_ = CreatePlanData();

 private slots:
  // A box that agrees with its setting leaves the text alone ("2" stays
  // "2"); a box that disagrees writes "0" or "1".
  void customizingRewritesOnlyWhatChanged() {
    auto& s = plan_->Settings;
    s[67] = "2";
    s[68] = "0";
    s[69] = "1";
    s[70] = "";
    CustomizingDialog form(*plan_);
    int stored = 0;
    form.onStored = [&stored] { ++stored; };
    form.show();
    QVERIFY(form.Box(0)->isChecked());
    QVERIFY(!form.Box(1)->isChecked());
    QVERIFY(form.Box(2)->isChecked());
    QVERIFY(!form.Box(3)->isChecked());
    form.Box(1)->setChecked(true);
    form.Box(2)->setChecked(false);
    form.close();
    QCOMPARE(s[67], std::string("2"));
    QCOMPARE(s[68], std::string("1"));
    QCOMPARE(s[69], std::string("0"));
    QCOMPARE(s[70], std::string(""));
    QCOMPARE(stored, 1);
    QCOMPARE(form.Box(8)->text(), QString("All Bays: Immediate check of segregation "));
  }

  // The window's close button stores the edits like any other way out.
  void baseDataStoresOnEveryClose() {
    auto& s = plan_->Settings;
    s[22] = "ZUM4 DEMO";
    s[23] = "/srv/vessels";
    for (int way = 0; way < 2; ++way) {
      BaseDataDialog form(*plan_);
      int stored = 0;
      form.onStored = [&stored] { ++stored; };
      form.show();
      QCOMPARE(form.EditFor(23)->text(), QString::fromStdString(s[23]));
      form.EditFor(22)->setText(way == 0 ? "ACME LINES" : "ACME SHIPPING");
      if (way == 0)
        form.close();
      else
        QTest::keyClick(&form, Qt::Key_Escape);
      QCOMPARE(s[22], std::string(way == 0 ? "ACME LINES" : "ACME SHIPPING"));
      QCOMPARE(s[23], std::string("/srv/vessels"));
      QCOMPARE(stored, 1);
    }
  }

  // word.txt is written whatever becomes of the command; a blank setting
  // falls back to a program that is there.
  void wordTextIsWrittenAndHandedOver() {
    QTemporaryDir dir;
    plan_->DataDir = dir.path().toStdString();
    OutsidePrograms programs(*plan_);
    std::vector<std::string> started;
    programs.run = [&started](const std::string& command, const std::string& folder, bool) {
      started.push_back(command + " @ " + folder);
      return false;
    };
    std::string error;
    plan_->Settings[32] = "lowriter";
    QVERIFY(programs.OpenInWordProcessor({"LINE 1", "LINE 2"}, error));
    QFile word(dir.filePath("word.txt"));
    QVERIFY(word.open(QIODevice::ReadOnly));
    QCOMPARE(word.readAll(), QByteArray("LINE 1\r\nLINE 2\r\n"));
    QCOMPARE(started.back(), "lowriter word.txt @ " + plan_->DataDir);

    plan_->Settings[32] = " ";
    QVERIFY(programs.OpenInWordProcessor({"LINE 3"}, error));
    const std::string fallback = started.back();
    QVERIFY2(fallback.rfind("libreoffice --writer word.txt", 0) == 0 ||
                 fallback.rfind("xdg-open word.txt", 0) == 0,
             fallback.c_str());

    plan_->Settings[31] = "";
    plan_->Settings[SettingsIx::SendingDir] = "/srv/send";
    programs.OpenInSpreadsheet("ships list.csv");
    QVERIFY2(started.back().find("\"/srv/send/ships list.csv\" @ /srv/send") != std::string::npos,
             started.back().c_str());
  }

  void aCommandThatDoesNotExistIsNoError() {
    QVERIFY(!RunCommand("/nonexistent/zum4-no-such-program word.txt", "", false));
    QVERIFY(!RunCommand("", "", false));
  }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
