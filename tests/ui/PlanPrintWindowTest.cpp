// The letter plan and bay plan window on the demo feeder: printed into PDF
// files that the poppler tools read back, pictures read back by Qt, and the
// MOVINS run's unattended letter plans.

#include <QImageReader>
#include <QImageWriter>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <QToolBar>
#include <filesystem>

#include "DemoFeeder.h"
#include "ModalWindows.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/Selection.h"
#include "ui/PlanPrintWindow.h"
#include "ui/PrintService.h"

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int PdfPages(const QString& file) {
  const QString info = Run("pdfinfo", {file});
  const qsizetype at = info.indexOf("Pages:");
  return at < 0 ? -1 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

QString PdfText(const QString& file, int page) {
  return Run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-layout", file, "-"});
}

void PrintInto(PrintService& printer, const QString& file) {
  printer.choosePrinter = [file](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(file);
    return true;
  };
}

// Saves the window as it shows when a folder for screenshots is given.
void Screenshot(QWidget& window, const char* name) {
  const QByteArray folder = qgetenv("ZUM4_SCREENSHOTS");
  if (!folder.isEmpty()) window.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

}  // namespace

class PlanPrintWindowTest : public QObject {
  Q_OBJECT

 private:
  DemoFeeder demo_;
  QTemporaryDir out_;

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() || QStandardPaths::findExecutable("pdfinfo").isEmpty())
      QFAIL("pdftotext and pdfinfo (poppler-utils) are needed: tools/setup.sh installs them");
    QVERIFY(demo_.Open());
  }

  void init() {
    demo_.session->selection.RequestedPlane = kCurPlane;
    demo_.session->selection.ResetSelection();
  }

  // Portrait: the first page has the title and the legend, the second the
  // date line and the totals; landscape puts it all on one page.
  void letterPlanPagesFollowTheOrientation_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("pages");
    QTest::newRow("portrait") << "0" << 2;
    QTest::newRow("landscape") << "1" << 1;
  }
  void letterPlanPagesFollowTheOrientation() {
    QFETCH(QString, setting);
    QFETCH(int, pages);
    PlanData& plan = *demo_.plan;
    plan.Settings[79] = setting.toStdString();
    PrintService printer(plan);
    const QString file = out_.filePath("letter" + setting + ".pdf");
    PrintInto(printer, file);
    PlanPrintWindow form(plan, demo_.session->selection, printer, false);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Screenshot(form, "letterplan-preview.png");
    form.PrintPlan();
    QCOMPARE(PdfPages(file), pages);
    QCOMPARE(plan.PrintJobOpen, std::uint8_t{0});
    QCOMPARE(plan.SectionFilter, 0);
    const QString first = PdfText(file, 1), last = PdfText(file, pages);
    const QString vessel = QString::fromLatin1(Trim(plan.VesHdr[VesHdrIx::Vessel]).c_str());
    QVERIFY2(first.contains("m/v " + vessel), qPrintable(first.left(400)));
    QVERIFY(first.contains("HAMBURG"));
    QVERIFY(first.contains("Hazardous"));
    QVERIFY(last.contains("20'full"));
    QVERIFY(last.contains(" total"));
    if (pages == 2) {
      QVERIFY(!last.contains("Hazardous"));
      QVERIFY(!first.contains("20'full"));
    }
    form.close();
  }

  void cancelledPrintWritesNothing() {
    PlanData& plan = *demo_.plan;
    PrintService printer(plan);
    const QString file = out_.filePath("cancelled.pdf");
    printer.choosePrinter = [file](QPrinter& p) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(file);
      return false;
    };
    PlanPrintWindow form(plan, demo_.session->selection, printer, false);
    form.show();
    form.PrintPlan();
    QCOMPARE(form.PagesPrinted, 0);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(plan.PrintJobOpen, std::uint8_t{0});
  }

  // One page per chosen bay; the choices are taken back as they print.
  void bayPlanPrintsAPagePerChosenBay() {
    PlanData& plan = *demo_.plan;
    PrintService printer(plan);
    const QString file = out_.filePath("bays.pdf");
    PrintInto(printer, file);
    PlanPrintWindow form(plan, demo_.session->selection, printer, true);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.LIbay->count() >= 3);
    // A click on one bay shows it.
    form.LIbay->item(1)->setSelected(true);
    form.SelectBay();
    QCOMPARE(form.ShownBay, ParseInt(form.LIbay->item(1)->text().toStdString()));
    QVERIFY(!form.Bitmap.isNull());
    form.SBfields->trigger();
    QTest::qWait(50);  // the preview follows its room
    Screenshot(form, "bayplan-preview.png");
    form.ChooseBays({ParseInt(form.LIbay->item(0)->text().toStdString()),
                     ParseInt(form.LIbay->item(2)->text().toStdString())});
    form.PrintPlan();
    QCOMPARE(PdfPages(file), 2);
    QVERIFY(form.LIbay->selectedItems().isEmpty());
    const QString bay = form.LIbay->item(2)->text();
    QVERIFY2(PdfText(file, 2).contains(bay), qPrintable(bay));
  }

  // Pictures come out in the format their name asks for, or not at all
  // with the reason said.
  void picturesAreReadable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("png") << "plan.png" << QByteArray("png");
    QTest::newRow("bmp") << "plan.bmp" << QByteArray("bmp");
    QTest::newRow("tif") << "plan.tif" << QByteArray("tiff");
  }
  void picturesAreReadable() {
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    PlanData& plan = *demo_.plan;
    PrintService printer(plan);
    PlanPrintWindow form(plan, demo_.session->selection, printer, false);
    const QString file = out_.filePath(name);
    form.ChoosePictureFile = [file] { return file; };
    QString told;
    form.Tell = [&told](const QString& text) { told = text; };
    const std::string sendingFolder = plan.Settings[SettingsIx::SendingDir];
    const QString written = form.SavePicture();
    // The dialog starts in the sending folder; saving elsewhere leaves it.
    QCOMPARE(plan.Settings[SettingsIx::SendingDir], sendingFolder);
    if (!QImageWriter::supportedImageFormats().contains(format)) {
      QVERIFY(written.isEmpty());
      QVERIFY2(told.contains("cannot write TIF"), qPrintable(told));
      QVERIFY(!QFile::exists(file));
      return;
    }
    QCOMPARE(written, file);
    QVERIFY(told.isEmpty());
    QImageReader reader(file);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QCOMPARE(image.size(), form.Bitmap.size());
    QCOMPARE(image.width(), 1600);  // the picture width of the demo settings
  }

  // The MOVINS run: a loading and a discharging plan into one document,
  // each titled with its own kind of port only; afterwards the job is
  // closed, the print mode and the selection back to normal.
  void movinsRunPrintsLoadAndDischargePlans() {
    PlanData& plan = *demo_.plan;
    plan.Settings[79] = "1";
    PrintService printer(plan);
    const QString file = out_.filePath("movins.pdf");
    printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    printer.Printer().setOutputFileName(file);
    printer.Printer().setPageOrientation(QPageLayout::Landscape);
    int layouts = 0;
    PrintMovinsLetterPlans(plan, demo_.session->selection, printer, true, true, [&layouts] { ++layouts; });
    QCOMPARE(PdfPages(file), 2);
    QCOMPARE(layouts, 2);
    QCOMPARE(plan.PlanPrintMode, 0);
    QCOMPARE(plan.PrintJobOpen, std::uint8_t{0});
    QVERIFY(!demo_.session->selection.SelectionFilterActive());
    const QString loading = PdfText(file, 1);
    QVERIFY2(loading.contains("Loading HAMBURG"), qPrintable(loading.left(300)));
    QVERIFY(!loading.contains("Discharging"));
    QVERIFY(!PdfText(file, 2).contains("Loading"));
  }

  // From the main window's tool bar, beside the editor: the window opens
  // modally, and the editor's cells are where they were on the screen
  // afterwards (a page lays the plan out for paper in the same cells).
  void opensFromTheMainWindowAndGivesTheEditorItsLayoutBack() {
    namespace fs = std::filesystem;
    QTemporaryDir dir;
    const fs::path demo = fs::path(dir.path().toStdString()) / "demo";
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", demo, fs::copy_options::recursive);
    std::unique_ptr<PlanData> plan = CreatePlanData();
    plan->ProgramDir = demo.string();
    auto program = std::make_unique<Zum4Program>(*plan);
    program->Load(demo);
    QVERIFY(program->installed);
    program->Show();
    MainWindow& main = program->main;
    QVERIFY(plan->CurVessel >= 0);
    main.AllBaysClick();
    QVERIFY(QTest::qWaitForWindowExposed(main.AllBays));
    std::vector<std::pair<int, int>> boxes;
    for (int i = 0; i < plan->CellCount; ++i) boxes.emplace_back(plan->Cells[i].X, plan->Cells[i].Y);
    const int pitch = plan->CellPitchX;

    QStringList hints;
    for (QAction* action : main.TB->actions()) hints << action->toolTip();
    const qsizetype at = hints.indexOf("Letter Plan");
    QVERIFY2(at > 0 && hints.at(at + 1) == "Bay Plan", qPrintable(hints.join(",")));
    QVERIFY(hints.indexOf("Export MOVINS") < at);

    bool seen = false;
    OnModal<PlanPrintWindow>([&](PlanPrintWindow* form) {
      seen = true;
      QVERIFY(form->windowTitle().startsWith("Letter Plan - "));
      QVERIFY(!form->BayPlanMode);
      QVERIFY(!form->Bitmap.isNull());
      form->reject();
    });
    main.TB->actions().at(at)->trigger();
    QVERIFY(seen);
    QCOMPARE(plan->CellPitchX, pitch);
    for (int i = 0; i < plan->CellCount; ++i) {
      QCOMPARE(plan->Cells[i].X, boxes[static_cast<size_t>(i)].first);
      QCOMPARE(plan->Cells[i].Y, boxes[static_cast<size_t>(i)].second);
    }
    main.close();
    program->Finish();
  }
};

QTEST_MAIN(PlanPrintWindowTest)
#include "PlanPrintWindowTest.moc"
