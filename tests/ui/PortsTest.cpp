// The ports window and the port dialog, offscreen, on a por.txt of a
// temporary data folder.

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "ModalWindows.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "ui/PortDialog.h"
#include "ui/PortsWindow.h"
#include "vessel/Ports.h"

class PortsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<PlanData> plan_ = CreatePlanData();
  QuietHost host_;
  QTemporaryDir dir_;

  void Load() {
    std::string error;
    QVERIFY(WriteTextLines(
        std::filesystem::path(dir_.path().toStdString()) / "por.txt",
        {"ANTWERP;ANR;AN;BE;4921830;", "GENOA;GOA;GE;IT;2631720;", "HAMBURG;HAM;HH;DE;1696255;"}, error));
    plan_->DataDir = dir_.path().toStdString();
    plan_->PortsChanged = 0;
    QCOMPARE(ReadPorts(*plan_, plan_->DataDir, host_), 3);
  }

 private slots:
  void init() { Load(); }

  // Typed in lower case, stored in upper case; an unknown code is added, a
  // known one updated, and a changed code adds a port beside the old one.
  void portDialogAddsOrUpdates() {
    PortDialog form(*plan_);
    form.Fill("", "it", "goa", "genova", "");
    form.show();
    QCOMPARE(form.ECode->text(), QString("GOA"));
    QTest::keyClicks(form.ELetter, "gn");
    QCOMPARE(form.ELetter->text(), QString("GN"));
    form.BUpdate->click();
    QCOMPARE(form.Added, 0);
    QCOMPARE(plan_->Ports[static_cast<size_t>(FindPort(*plan_, "GOA"))].PORT, std::string("GENOVA"));
    QCOMPARE(plan_->PortCount, 3);

    PortDialog changed(*plan_);
    changed.Fill("", "IT", "SPE", "LA SPEZIA", "");
    changed.show();
    changed.BUpdate->click();
    QCOMPARE(changed.Added, 1);
    QCOMPARE(plan_->PortCount, 4);
    QVERIFY(FindPort(*plan_, "GOA") >= 0);
    QCOMPARE(plan_->Ports[static_cast<size_t>(FindPort(*plan_, "SPE"))].LETTER, std::string("SP"));
    QCOMPARE(plan_->PortsChanged, std::uint8_t{1});
  }

  void cancelAddsNothing() {
    PortDialog form(*plan_);
    form.Fill("", "NL", "RTM", "ROTTERDAM", "RT");
    form.show();
    form.BCancel->click();
    QCOMPARE(form.Added, 0);
    QCOMPARE(FindPort(*plan_, "RTM"), -1);
  }

  // A port added from the window is saved and comes back in its sorted
  // place; a deleted one is gone from por.txt the next time it is shown.
  void windowAddsDeletesAndSaves() {
    PortsWindow form(*plan_, host_);
    form.show();
    QCOMPARE(form.Grid->rowCount(), 3);
    OnNextModal([](QWidget* modal) {
      auto* inp = qobject_cast<PortDialog*>(modal);
      QVERIFY(inp);
      inp->Fill("", "DE", "BRV", "BREMERHAVEN", "BV");
      inp->BUpdate->click();
    });
    form.NewPortClick();
    QCOMPARE(form.Grid->rowCount(), 4);
    QCOMPARE(form.Grid->item(1, 0)->text(), QString("BREMERHAVEN"));
    QCOMPARE(plan_->PortsChanged, std::uint8_t{0});

    form.Grid->selectRow(0);
    form.DeleteClick();
    QCOMPARE(form.Grid->rowCount(), 3);
    QCOMPARE(form.Grid->item(0, 0)->text(), QString("BREMERHAVEN"));
    QCOMPARE(plan_->PortsChanged, std::uint8_t{1});
    form.hide();
    form.show();
    std::vector<std::string> lines;
    std::string error;
    QVERIFY(ReadTextLines(std::filesystem::path(plan_->DataDir) / "por.txt", lines, error));
    QCOMPARE(lines.size(), size_t{3});
    QCOMPARE(lines.front(), std::string("BREMERHAVEN;BRV;BV;DE;2631720;"));
  }

  void colourIsTakenFromTheDialog() {
    PortsWindow form(*plan_, host_);
    form.show();
    form.Grid->selectRow(2);
    OnNextModal([](QWidget* modal) {
      auto* dialog = qobject_cast<QColorDialog*>(modal);
      QVERIFY(dialog);
      dialog->setCurrentColor(QColor(255, 0, 0));
      dialog->accept();
    });
    form.ColorClick();
    QCOMPARE(plan_->Ports[2].WINCOLOR, 0x0000FF);  // red as 0x00BBGGRR
    QCOMPARE(form.Grid->item(2, 4)->background().color(), QColor(255, 0, 0));
    QCOMPARE(plan_->PortsChanged, std::uint8_t{1});
  }
};

QTEST_MAIN(PortsTest)
#include "PortsTest.moc"
