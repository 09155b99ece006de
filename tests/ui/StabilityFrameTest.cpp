// The trim and stability frame, offscreen: the demo feeder with one of its
// conditions on a copy of the demo installation, and a small hand-made
// vessel for the states the feeder never reaches.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "conditions/ConditionFile.h"
#include "conditions/VesselSession.h"
#include "core/Host.h"
#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "stability/Strength.h"
#include "ui/StabilityFrame.h"
#include "vessel/BaseData.h"

namespace {

namespace fs = std::filesystem;

// A value as the frame writes it: fixed decimals, 0 written out.
QString Shown(double x, int decimals) {
  std::string text = FormatFixed(x, decimals);
  if (text.empty())
    text = decimals > 0 ? "0" + std::string(1, DecimalSeparator()) + std::string(decimals, '0') : "0";
  return QString::fromLatin1(text.c_str());
}

QColor TextColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }
bool IsRed(const QWidget* w) { return TextColour(w) == QColor(Qt::red); }
bool IsGrey(const QWidget* w) { return TextColour(w) == QColor(Qt::gray); }

double Number(const QLineEdit* box) { return ParseReal(box->text().toStdString()); }
double Number(const QLabel* label) { return ParseReal(label->text().toStdString()); }

const std::vector<std::string> kItemNames = {
    "Lightship",     "Constant", "Containers",    "Spare",      "Fuel oil",   "Diesel oil",  "Fresh water",
    "Ballast water", "Lub oil",  "Miscellaneous", "Correction", "Deadweight", "Displacement"};

}  // namespace

class StabilityFrameTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<PlanData> plan_ = CreatePlanData();
  QuietHost host_;
  std::unique_ptr<BaseData> base_;
  std::unique_ptr<VesselSession> session_;

  Stability& stability() { return session_->stability; }
  const StabilityResults& results() { return session_->stability.Results; }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    const fs::path inst = fs::path(dir_.path().toStdString()) / "inst";
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", inst, fs::copy_options::recursive);
    base_ = std::make_unique<BaseData>(*plan_, host_);
    QVERIFY(base_->CreateBaseData(inst));
    QVERIFY(base_->LoadBaseData());
    session_ = std::make_unique<VesselSession>(*plan_, host_, base_->TotalsLabels);
    int feeder = -1;
    for (int k = 0; k < plan_->VesselCount; ++k)
      if (plan_->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
    QVERIFY(feeder >= 0);
    QVERIFY(session_->Open(feeder));
    QVERIFY(stability().strength().Loaded());
  }

  // Every test starts from the departure condition as the file holds it.
  void init() {
    QVERIFY(
        session_->conditions.ReadCondition(ConditionDirectory(*plan_) / "DHAM012N.TXT", kCurPlane, false));
    plan_->LoadLineZone = 0;
    stability().SelectLoadLine(0);
    QCOMPARE(results().State, HydrostaticState::Current);
    QVERIFY(results().W > 10000);
  }

  void shownValuesAreTheResults() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.show();
    const StabilityResults& r = results();
    QCOMPARE(frame.LBdraft->text(), Shown(r.MeanDraft, 3));
    QCOMPARE(frame.LBtrim->text(), Shown(r.Trim, 2));
    QCOMPARE(frame.LBgm->text(), Shown(r.GM, 2));
    QCOMPARE(frame.LBgmc->text(), Shown(r.GMCorrected, 2));
    QCOMPARE(frame.LBfs->text(), Shown(r.FreeSurfaceCorrection, 2));
    QCOMPARE(frame.LBkm->text(), Shown(r.KM, 2));
    QCOMPARE(frame.LBheel->text(), Shown(r.Heel, 2));
    QCOMPARE(frame.EAft->text(), Shown(r.AftMarksDraft, 2));
    QCOMPARE(frame.EFore->text(), Shown(r.ForeMarksDraft, 2));
    QVERIFY(!frame.LBstate->isVisible());

    // The feeder has strength data: the three percentages are shown.
    const Strength::Results& s = stability().strength().Result;
    QVERIFY(frame.LBshear->isVisible());
    QCOMPARE(frame.LBshear->text(), Shown(s.MaxShearPercent, 1) + "%");
    QCOMPARE(frame.LBbending->text(), Shown(s.MaxBendingPercent, 1) + "%");
    QCOMPARE(frame.LBtorsion->text(), Shown(s.MaxTorsionPercent, 1) + "%");

    QVERIFY(frame.PanelCrit->isVisible());
    QCOMPARE(frame.LBarea30->text(), Shown(r.Area30, 3));
    QCOMPARE(frame.LBarea3040->text(), Shown(r.Area30To40, 3));
    QCOMPARE(frame.LBgz30->text(), Shown(r.Gz30, 2));
    QCOMPARE(frame.LBangleMax->text(), Shown(r.GzMaxAngle, 0));
    QCOMPARE(frame.LBflooding->isVisible(), r.FloodingAngle > 0);

    // Weight panel: one row per item, the displacement last.
    const int n = stability().ItemCount();
    QCOMPARE(n, 13);
    const auto& last = frame.WeightRows[static_cast<size_t>(n - 1)];
    QCOMPARE(last.Name->text(), QString("Displacement"));
    QCOMPARE(last.Tons->text(), Shown(r.W, 2));
    QCOMPARE(last.LCG->text(), Shown(r.LCG, 2));
    const auto& boxes = frame.WeightRows[kContainersItem];
    QVERIFY(Number(boxes.Tons) > 1000);
    QVERIFY(!frame.WeightRows[static_cast<size_t>(n)].Name->isVisible());
    // An item that weighs nothing has its centres at 0.
    const auto& spare = frame.WeightRows[3];
    QCOMPARE(spare.Tons->text(), Shown(0, 2));
    QCOMPARE(spare.LCG->text(), QString("0"));
  }

  // A value at or below its limit is red, one just above it is not.
  void valuesAtTheirLimitsAreRed() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.show();
    const StabilityResults& r = results();
    struct Case {
      const char* name;
      QLabel* label;
      int limit;
      double value;
      double above;  // a limit the value is just above
    };
    const Case cases[] = {
        {"GM", frame.LBgm, 0, r.GM, 0.01},
        {"GM'", frame.LBgmc, 0, r.GMCorrected, 0.01},
        {"area 0-30", frame.LBarea30, 1, r.Area30, 0.001},
        {"area 0-40", frame.LBarea40, 2, r.Area40, 0.001},
        {"area 30-40", frame.LBarea3040, 3, r.Area30To40, 0.001},
        {"GZ at 30", frame.LBgz30, 4, r.Gz30, 0.01},
        {"angle of GZ max", frame.LBangleMax, 5, r.GzMaxAngle, 1},
    };
    const auto saved = plan_->Lim;
    for (const Case& c : cases) {
      auto& limit = plan_->Lim[static_cast<size_t>(c.limit)];
      limit = c.value;
      frame.Refresh();
      QVERIFY2(IsRed(c.label), c.name);
      limit = c.value - c.above;
      frame.Refresh();
      QVERIFY2(!IsRed(c.label), c.name);
      plan_->Lim = saved;
    }

    // The mean draft turns red when it reaches the draft of the load line.
    auto& summer = stability().LoadLines[0];
    const double savedSummer = summer;
    summer = r.MeanDraft;
    frame.Refresh();
    QVERIFY(IsRed(frame.LBdraft));
    summer = r.MeanDraft + 0.01;
    frame.Refresh();
    QVERIFY(!IsRed(frame.LBdraft));
    summer = savedSummer;
  }

  // The prestowage with a heavy deck floods at an opening before 40
  // degrees: the area captions name that angle and the areas cut there are
  // the ones judged. The departure floods later and keeps 40 degrees.
  void areasEndAtTheFloodingAngleInTheCaptions() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.show();
    auto caption = [&frame](const QString& start) {
      for (QLabel* label : frame.findChildren<QLabel*>())
        if (label->text().startsWith(start)) return label->text();
      return QString();
    };
    QVERIFY(results().FloodingAngle > 40);
    QCOMPARE(caption("area 40"), QString::fromUtf8("area 40°      (0.090)"));
    QCOMPARE(caption(QString::fromUtf8("area 30°4")), QString::fromUtf8("area 30°40° (0.030)"));

    QVERIFY(session_->conditions.ReadCondition(ConditionDirectory(*plan_) / "PHAM012N.TXT", kCurPlane, false));
    stability().ComputeStability();
    frame.Refresh();
    const StabilityResults& r = results();
    QVERIFY(r.FloodingAngle > 30 && r.FloodingAngle < 40);
    QCOMPARE(r.AreaUpperAngle, r.FloodingAngle);
    const QString angle = QString::fromStdString(FormatFixed(r.FloodingAngle, 1));
    QCOMPARE(caption("area " + angle), QString::fromUtf8("area %1°    (0.090)").arg(angle));
    QCOMPARE(caption(QString::fromUtf8("area 30°") + angle), QString::fromUtf8("area 30°%1° (0.030)").arg(angle));
    QVERIFY(caption("area 40").isEmpty());
    QCOMPARE(frame.LBarea40->text(), Shown(r.Area40, 3));
    QVERIFY(IsRed(frame.LBarea40));
    QVERIFY(IsRed(frame.LBarea3040));
    QVERIFY(!IsRed(frame.LBgmc));
  }

  void loadLineButtonStepsThroughTheZones() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.show();
    QSignalSpy changed(&frame, &StabilityFrame::conditionChanged);
    QCOMPARE(frame.BLoadLine->text(), QString("Summer"));
    QCOMPARE(frame.BLoadLine->toolTip(), QString("Load Line"));
    QCOMPARE(frame.LBloadLine->text(), Shown(stability().LoadLines[0], 3));
    const double summerDraft = Number(frame.LBdraft);

    QTest::mouseClick(frame.BLoadLine, Qt::LeftButton);
    QCOMPARE(frame.BLoadLine->text(), QString("Winter"));
    QCOMPARE(plan_->LoadLineZone, 1);
    QCOMPARE(frame.LBloadLine->text(), Shown(stability().LoadLines[1], 3));
    QVERIFY(Number(frame.LBloadLine) < stability().LoadLines[0]);

    // Back past Summer comes Fresh Water, where the ship floats deeper.
    QTest::mouseClick(frame.BLoadLine, Qt::RightButton);
    QCOMPARE(frame.BLoadLine->text(), QString("Summer"));
    QTest::mouseClick(frame.BLoadLine, Qt::RightButton);
    QCOMPARE(frame.BLoadLine->text(), QString("Fresh Water"));
    QCOMPARE(plan_->LoadLineZone, 4);
    QCOMPARE(plan_->SeaDensity, 1.000);
    QCOMPARE(frame.LBloadLine->text(), Shown(stability().LoadLines[4], 3));
    QVERIFY(Number(frame.LBdraft) > summerDraft);
    QCOMPARE(frame.LBdraft->text(), Shown(results().MeanDraft, 3));
    QCOMPARE(changed.count(), 3);

    // A right press released off the button is no click.
    QTest::mousePress(frame.BLoadLine, Qt::RightButton);
    QTest::mouseRelease(frame.BLoadLine, Qt::RightButton, {}, QPoint(-20, -20));
    QCOMPARE(frame.BLoadLine->text(), QString("Fresh Water"));
    QCOMPARE(changed.count(), 3);
  }

  void draftBoxesEnterAndClearACorrection() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.show();
    QSignalSpy changed(&frame, &StabilityFrame::conditionChanged);
    const int item = stability().CorrectionItem();
    const WeightItem before = stability().Items[static_cast<size_t>(item)];
    QCOMPARE(before, WeightItem{});
    const double aft = results().AftMarksDraft;
    const double fore = results().ForeMarksDraft;
    const QString aftText = frame.EAft->text();
    const QString draftText = frame.LBdraft->text();

    struct Refused {
      const char* name;
      QString aft, fore;
    };
    // Within 0.02 m of the computed drafts the boxes simply show those again;
    // a box without a draft in it changes nothing either.
    const Refused refused[] = {
        {"within tolerance", Shown(aft + 0.01, 2), Shown(fore - 0.01, 2)},
        {"no number", "abc", Shown(fore + 0.3, 2)},
        {"empty", "", Shown(fore + 0.3, 2)},
        {"zero", "0", Shown(fore + 0.3, 2)},
    };
    for (const Refused& c : refused) {
      frame.EAft->setText(c.aft);
      frame.EFore->setText(c.fore);
      QTest::mouseClick(frame.BCalc, Qt::LeftButton);
      QVERIFY2(stability().Items[static_cast<size_t>(item)] == WeightItem{}, c.name);
      QCOMPARE(changed.count(), 0);
      QCOMPARE(frame.LBdraft->text(), draftText);
    }
    frame.EAft->setText(Shown(aft + 0.01, 2));
    frame.EFore->setText(Shown(fore - 0.01, 2));
    QTest::mouseClick(frame.BCalc, Qt::LeftButton);
    QCOMPARE(frame.EAft->text(), aftText);

    // Observed 30 cm deeper: the correction weight makes the ship float there.
    frame.EAft->setText(Shown(aft + 0.30, 2));
    frame.EFore->setText(Shown(fore + 0.30, 2));
    QTest::mouseClick(frame.BCalc, Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    const WeightItem& correction = stability().Items[static_cast<size_t>(item)];
    QVERIFY(correction.Tonnes() > 100);
    QCOMPARE(frame.WeightRows[static_cast<size_t>(item)].Tons->text(), Shown(correction.Tonnes(), 2));
    QVERIFY(std::abs(Number(frame.EAft) - (aft + 0.30)) <= 0.05);
    QVERIFY(std::abs(Number(frame.EFore) - (fore + 0.30)) <= 0.05);
    QCOMPARE(frame.LBdraft->text(), Shown(results().MeanDraft, 3));

    QCOMPARE(frame.BRst->toolTip(), QString("Clear Correction"));
    QTest::mouseClick(frame.BRst, Qt::LeftButton);
    QCOMPARE(stability().Items[static_cast<size_t>(item)], WeightItem{});
    QCOMPARE(frame.EAft->text(), aftText);
    QCOMPARE(frame.LBdraft->text(), draftText);
    QCOMPARE(changed.count(), 2);
    // Nothing left to clear: the condition stays as it is.
    QTest::mouseClick(frame.BRst, Qt::LeftButton);
    QCOMPARE(changed.count(), 2);
  }

  // A vessel with a tiny hydrostatic table: loaded beyond it, the drafts and
  // GM on show are those of the last displacement inside it, and the frame
  // says so; without a table the stability panel goes.
  void beyondTheTableTheValuesAreMarkedStale() {
    std::unique_ptr<PlanData> plan = CreatePlanData();
    plan->VesHdr[VesHdrIx::BaysLength] = "100";
    plan->VesHdr[14] = "20";
    plan->VesHdr[17] = "5";
    plan->Lim = {0.15, 0.055, 0.09, 0.03, 0.2, 25};
    Stability s(*plan);
    s.SetItemNames(kItemNames);
    for (double draft : {2.0, 4.0, 6.0}) {
      HydRow row{};
      row[0] = draft;
      row[1] = draft * 1000 - 1000;
      row[2] = 8.0;
      row[8] = row[9] = 50.0;
      row[10] = 100.0;
      s.Hyd.push_back(row);
    }
    s.CrossCurves.Names = {"T", "DISP", "KN10", "KN20", "KN30", "KN40", "FL_"};
    s.CrossCurves.Rows = {{0, 1000, 1.4, 2.8, 4.1, 5.0, 35}, {0, 5000, 1.4, 2.8, 4.1, 5.0, 35}};
    // Centre of gravity forward of the centre of buoyancy: trimmed by the head.
    s.UpdateWeightItem(kLightshipItem, 3000, 52.0, 6.0, 0.0, +1);
    s.ComputeStability();
    QCOMPARE(s.Results.State, HydrostaticState::Current);

    StabilityFrame frame(*plan);
    frame.SetStability(&s);
    frame.show();
    QVERIFY(!frame.LBstate->isVisible());
    QVERIFY(frame.PanelStab->isVisible());
    QVERIFY(!frame.LBshear->isVisible());  // no strength data
    QVERIFY(s.Results.Trim < 0);
    QVERIFY(IsRed(frame.LBtrim));
    QVERIFY(!IsGrey(frame.LBkm));
    const QString draft = frame.LBdraft->text();

    s.UpdateWeightItem(kLightshipItem, 5000, 52.0, 6.0, 0.0, +1);
    s.ComputeStability();
    QCOMPARE(s.Results.State, HydrostaticState::OutsideTable);
    frame.Refresh();
    QVERIFY(frame.LBstate->isVisible());
    QVERIFY(IsRed(frame.LBstate));
    QVERIFY(frame.LBstate->text().contains("beyond the hydrostatic table"));
    for (QLabel* stale : {frame.LBdraft, frame.LBtrim, frame.LBgm, frame.LBgmc, frame.LBkm, frame.LBlcb,
                          frame.LBgz30, frame.LBarea30})
      QVERIFY2(IsGrey(stale), qPrintable(stale->text()));
    QCOMPARE(frame.LBdraft->text(), draft);
    QVERIFY(QDir().mkpath("/tmp/zum4-shots"));
    QVERIFY(frame.grab().save("/tmp/zum4-shots/stability-frame-beyond-table.png"));
    // The weights are this condition's all the same.
    QCOMPARE(frame.WeightRows[12].Tons->text(), Shown(8000, 2));
    QVERIFY(!IsGrey(frame.WeightRows[12].Tons));

    s.UpdateWeightItem(kLightshipItem, 5000, 52.0, 6.0, 0.0, -1);
    s.ComputeStability();
    frame.Refresh();
    QVERIFY(!frame.LBstate->isVisible());
    QVERIFY(!IsGrey(frame.LBkm));
    QVERIFY(IsRed(frame.LBtrim));

    s.Hyd.resize(2);
    s.ComputeStability();
    frame.Refresh();
    QVERIFY(!frame.PanelStab->isVisible());
    QVERIFY(!frame.PanelCrit->isVisible());
    QVERIFY(frame.LBstate->isVisible());
    QVERIFY(frame.Panel1->isVisible());
  }

  // The tanks window borrows the weight panel and gives it back.
  void weightPanelComesBack() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.show();
    QWidget other;
    frame.Panel1->setParent(&other);
    other.show();
    frame.RestorePanel1();
    QCOMPARE(frame.Panel1->parentWidget(), &frame);
    QVERIFY(frame.Panel1->isVisible());
  }

  void picture() {
    StabilityFrame frame(*plan_);
    frame.SetStability(&stability());
    frame.resize(1100, 340);
    frame.show();
    QVERIFY(QDir().mkpath("/tmp/zum4-shots"));
    QVERIFY(frame.grab().save("/tmp/zum4-shots/stability-frame.png"));
  }
};

QTEST_MAIN(StabilityFrameTest)
#include "StabilityFrameTest.moc"
