// The bay plan as a picture of each demo condition: every unit of the
// condition shows in its own cell, in its discharge port's colour, and the
// free cells stay the free cells' grey.

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "planning/BayLayout.h"
#include "planning/CellDrawing.h"
#include "ui/PlanPicture.h"
#include "ui/QtCanvas.h"
#include "vessel/BaseData.h"

namespace fs = std::filesystem;

class PlanPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void everyUnitShowsInItsCell_data() {
    QTest::addColumn<QString>("condition");
    for (const char* name : {"ARTM012N", "DRTM012N", "AHAM012N", "DHAM012N"}) QTest::newRow(name) << name;
  }

  void everyUnitShowsInItsCell() {
    QFETCH(QString, condition);
    QTemporaryDir dir;
    const fs::path demo = fs::path(dir.path().toStdString()) / "demo";
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", demo, fs::copy_options::recursive);
    std::unique_ptr<PlanData> plan = CreatePlanData();
    QuietHost host;
    BaseData base(*plan, host);
    QVERIFY(base.CreateBaseData(demo));
    QVERIFY(base.LoadBaseData());
    VesselSession session(*plan, host, base.TotalsLabels);
    int feeder = -1;
    for (int k = 0; k < plan->VesselCount; ++k)
      if (plan->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
    QVERIFY(session.Open(feeder));
    QVERIFY(session.conditions.ReadCondition(demo / "FEEDER" / "COND" / (condition.toStdString() + ".TXT"),
                                             plan->CurPlane, false));
    plan->ColourMode = 0;
    plan->LetterMode = 1;

    const QImage image = RenderPlanPicture(*plan, BayView{}, 1600, 1000);
    // The boxes as the picture placed them.
    BayLayout layout;
    ComputeBayLayout(*plan, layout, kTargetScreen);
    ComputeCellBoxes(*plan, layout, 1600, 1000, kTargetScreen);
    // How much of a cell's box shows colour: marks (high cube, hazard,
    // reefer, over-size) cover parts of a unit, never most of it.
    const int w = plan->CellPitchX, h = plan->CellPitchY;
    auto share = [&](const StructCel& box, const QColor& colour) {
      int hits = 0;
      for (int y = box.Y + 1; y < box.Y + h; ++y)
        for (int x = box.X + 1; x < box.X + w; ++x) hits += image.pixelColor(x, y) == colour;
      return static_cast<double>(hits) / ((w - 1) * (h - 1));
    };
    int units = 0;
    for (int i = 0; i < plan->CellCount; ++i) {
      const StructDat& unit = plan->Cur()[static_cast<size_t>(i)];
      const StructCel& box = plan->Cells[static_cast<size_t>(i)];
      const QString where = QString::fromStdString(box.CELL + " " + unit.CONTAINER);
      if (unit.STATUS == 1) {
        ++units;
        QVERIFY2(unit.PODIX >= 0, qPrintable(where));
        const auto& port = plan->VoyPorts[static_cast<size_t>(unit.PODIX)];
        QVERIFY2(share(box, ToQColor(static_cast<Colour>(port.WINCOLOR))) > 0.2, qPrintable(where));
      } else if (unit.STATUS == 0 && box.RESTR == 0 && box.FL_RF == 0) {
        QVERIFY2(share(box, ToQColor(kColourSilver)) > 0.5, qPrintable(where));
      }
    }
    QVERIFY(units > 500);
  }
};

QTEST_MAIN(PlanPictureTest)
#include "PlanPictureTest.moc"
