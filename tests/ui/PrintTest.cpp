// The common list printer into a PDF file, offscreen, read back with the
// poppler tools: the page count and the page footers.

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "core/PlanData.h"
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

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<PlanData> plan_ = CreatePlanData();
  QTemporaryDir dir_;

  // Prints count lines into a PDF and returns its path ("" when nothing was printed).
  QString PrintToPdf(PrintService& service, int count, const QString& name) {
    const QString file = dir_.filePath(name);
    service.choosePrinter = [file](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(file);
      return true;
    };
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("010082  ZUMU" + std::to_string(3100000 + i) + "  HAM  GOT  24.5");
    return service.PrintLines(lines, false, 3, "", "", kCurPlane) ? file : QString();
  }

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() || QStandardPaths::findExecutable("pdfinfo").isEmpty())
      QFAIL("pdftotext and pdfinfo (poppler-utils) are needed: tools/setup.sh installs them");
    plan_->Settings[SettingsIx::ListFontName] = "DejaVu Sans Mono";
    plan_->VesHdr[VesHdrIx::Vessel] = "ZUM FEEDER";
  }

  // Long enough to need several pages even at the smallest size; the
  // number of pages follows from the font, so the test finds how many a
  // page holds and asks for three pages' worth.
  void threePagesAreNumberedOneToThree() {
    PrintService probe(*plan_);
    const QString one = PrintToPdf(probe, 2000, "probe.pdf");
    QVERIFY(!one.isEmpty());
    const int probePages = PdfPages(one);
    QVERIFY2(probePages > 1, "2000 lines fit one page");
    const int perPage = 2000 / probePages;  // about; the last page may be short

    PrintService service(*plan_);
    const QString file = PrintToPdf(service, perPage * 2 + perPage / 2, "three.pdf");
    QVERIFY(!file.isEmpty());
    QCOMPARE(PdfPages(file), 3);
    QCOMPARE(plan_->PrintJobOpen, std::uint8_t{0});
    for (int page = 1; page <= 3; ++page) {
      const QString text = Run("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), file, "-"});
      QVERIFY2(text.contains(QString("- %1 -").arg(page)), qPrintable(QString("page %1 has no number").arg(page)));
      QVERIFY2(text.contains("ZUM FEEDER"), "the title on every page");
      QVERIFY2(text.contains(QString::fromLatin1(plan_->ProductName.c_str()) + " - "), "the footer on every page");
    }
  }

  void aShortListHasNoPageNumber() {
    PrintService service(*plan_);
    const QString file = PrintToPdf(service, 12, "short.pdf");
    QVERIFY(!file.isEmpty());
    QCOMPARE(PdfPages(file), 1);
    const QString text = Run("pdftotext", {"-layout", file, "-"});
    QVERIFY(text.contains("ZUMU3100012"));
    QVERIFY(!text.contains("- 1 -"));
  }

  void cancellingTheDialogPrintsNothing() {
    PrintService service(*plan_);
    service.choosePrinter = [](QPrinter&) { return false; };
    QVERIFY(!service.PrintLines({"a line"}, false, 3, "", "", kCurPlane));
    QCOMPARE(plan_->PrintJobOpen, std::uint8_t{0});
  }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
