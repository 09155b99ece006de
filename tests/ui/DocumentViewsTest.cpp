// The long view and the document window driven from the main window on a
// copy of the demo installation: "Visibility" and its refusal, the window's
// height following its width and its place kept in the settings, the
// condition document and the types list, and the manifest comparison with
// a list read as the manifest.

#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "ModalWindows.h"
#include "conditions/LoadingListFile.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "reports/LongView.h"
#include "ui/Application.h"
#include "ui/BayPlanEditor.h"
#include "ui/DocumentWindow.h"
#include "ui/LongViewWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageWindow.h"
#include "ui/PrintService.h"
#include "ui/Program.h"
#include "ui/QuestionDialog.h"

namespace fs = std::filesystem;

class DocumentViewsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<PlanData> plan_;
  std::unique_ptr<Zum4Program> program_;
  QStringList errors_;

  fs::path Demo() const { return fs::path(dir_->path().toStdString()) / "demo"; }
  MainWindow& Main() { return program_->main; }

  static void Snap(QWidget* window, const char* name) {
    const QString folder = qEnvironmentVariable("ZUM4_SCREENSHOTS");
    if (!folder.isEmpty()) window->grab().save(folder + "/" + name + ".png");
  }

  // The printer of the main window writes into name in the temporary
  // folder; PdfText then reads it back: "ok" when it holds the vessel's name
  // and want, else what went wrong.
  void PrintInto(const QString& name) {
    const QString file = dir_->filePath(name);
    Main().Printing->choosePrinter = [file](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(file);
      return true;
    };
  }
  QString PdfText(const QString& name, const QString& want = "FP") {
    if (name.isEmpty()) return "nothing printed";
    QProcess pdftotext;
    pdftotext.start("pdftotext", {dir_->filePath(name), "-"});
    if (!pdftotext.waitForFinished(30000)) return "pdftotext failed";
    const QString text = QString::fromLocal8Bit(pdftotext.readAllStandardOutput());
    if (!text.contains("ZUM FEEDER")) return "no vessel name in " + text.left(200);
    return text.contains(want) ? "ok" : "no " + want + " in " + text.left(200);
  }

  // The lines a document window shows, read back from its list.
  static QStringList Shown(DocumentWindow* window) {
    QStringList lines;
    for (int i = 0; i < window->LB->count(); ++i) lines << window->LB->item(i)->text();
    return lines;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", Demo(), fs::copy_options::recursive);
    errors_.clear();
    Zum4Application::SetErrorDisplay([this](const QString& text) { errors_ << text; });
    plan_ = CreatePlanData();
    plan_->ProgramDir = Demo().string();
    program_ = std::make_unique<Zum4Program>(*plan_);
    program_->Load(Demo());
    QVERIFY(program_->installed);
    program_->Show();
    QVERIFY(plan_->CurVessel >= 0);
  }

  void cleanup() {
    program_.reset();
    plan_.reset();
    dir_.reset();
    Zum4Application::SetErrorDisplay(nullptr);
  }

  void commandsInTheMenusAndTheToolBar() {
    auto menu = [this](const QString& caption) -> QMenu* {
      for (QAction* a : Main().menuBar()->actions())
        if (a->menu() && a->text().remove('&') == caption) return a->menu();
      return nullptr;
    };
    auto captions = [](const QList<QAction*>& actions) {
      QStringList texts;
      for (QAction* a : actions) texts << a->text().remove('&');
      return texts;
    };
    QVERIFY(menu("Result") && menu("Tables") && menu("Reports"));
    QVERIFY(captions(menu("Result")->actions()).contains("Visibility"));
    QVERIFY(captions(menu("Result")->actions()).contains("Condition Document"));
    QVERIFY(captions(menu("Reports")->actions()).contains("Manifest Comparision"));
    QVERIFY(captions(menu("Tables")->actions()).contains("Types"));
    QStringList hints;
    for (QAction* a : Main().TB->actions()) hints << a->toolTip();
    QVERIFY(hints.contains("Long View"));
    QVERIFY(hints.contains("Condition Document"));
  }

  void visibilityOpensTheLongView() {
    // Without an eye height the command refuses with message 40.
    plan_->VesHdr[VesHdrIx::LongViewHeight] = "0";
    int message = -1;
    OnModal<MessageWindow>([&message](MessageWindow* window) {
      message = window->MessageNo;
      window->accept();
    });
    Main().VisibilityClick();
    QCOMPARE(message, 40);
    QVERIFY(!Main().LongView || !Main().LongView->isVisible());

    // An eye position under 10 m is taken as 40 m, and written so.
    plan_->VesHdr[VesHdrIx::LongViewHeight] = "33";
    plan_->VesHdr[VesHdrIx::LongViewLength] = "5";
    Main().VisibilityClick();
    LongViewWindow* view = Main().LongView;
    QVERIFY(view && view->isVisible());
    PrintInto("long-view.pdf");
    QCOMPARE(view->windowTitle(), QString("Long View"));
    QCOMPARE(plan_->VesHdr[VesHdrIx::LongViewLength], std::string("40"));
    plan_->VesHdr[VesHdrIx::LongViewLength] = "24.5";

    // The height follows the width.
    view->resize(1400, 200);
    QCOMPARE(view->height(), view->HeightForWidth(1400));
    view->resize(900, 600);
    QCOMPARE(view->height(), view->HeightForWidth(900));
    QVERIFY(view->HeightForWidth(900) < view->HeightForWidth(1400));
    view->resize(1400, 1);
    Snap(view, "long-view-window");

    // Printed (into a PDF here) under the condition's title.
    QCOMPARE(PdfText(view->Print() ? "long-view.pdf" : ""), QString("ok"));

    // Closed, it keeps its size and place; opened again, it takes them.
    view->move(30, 40);
    view->close();
    QCOMPARE(plan_->Settings[105], std::to_string(view->height()));
    QCOMPARE(plan_->Settings[106], std::string("1400"));
    plan_->Settings[106] = "1000";
    Main().VisibilityClick();
    QCOMPARE(view->width(), 1000);
    QCOMPARE(view->height(), view->HeightForWidth(1000));
    QVERIFY(errors_.isEmpty());
  }

  void conditionDocumentAndTypes() {
    PrintInto("document.pdf");
    QStringList shown;
    QString caption;
    OnModal<DocumentWindow>([&](DocumentWindow* window) {
      caption = window->windowTitle();
      shown = Shown(window);
      QVERIFY(!window->SBsel->isVisible());
      // Sized to its lines, within the main window.
      QVERIFY(window->width() <= Main().width());
      QVERIFY(window->height() <= Main().height());
      Snap(window, "condition-document");
      QCOMPARE(PdfText(window->PrintClick() ? "document.pdf" : "", "TRIM AND STABILITY"), QString("ok"));
      // Saved to a file, line by line.
      const QString file = QString::fromStdString((fs::path(dir_->path().toStdString()) / "doc.txt").string());
      window->ChooseSaveFile = [file] { return file; };
      QVERIFY(window->SaveToClick());
      window->accept();
    });
    QVERIFY(Main().DocumentClick(DocumentKind::Condition));
    QCOMPARE(caption, QString("Condition Document"));
    QVERIFY(shown.size() > 10);
    QCOMPARE(shown.at(1), QString(" "));
    std::vector<std::string> saved;
    std::string error;
    QVERIFY(ReadTextLines(fs::path(dir_->path().toStdString()) / "doc.txt", saved, error));
    QCOMPARE(static_cast<int>(saved.size()), static_cast<int>(shown.size()));
    QCOMPARE(QString::fromLatin1(saved.back().c_str()), shown.back());

    OnModal<DocumentWindow>([&](DocumentWindow* window) {
      caption = window->windowTitle();
      shown = Shown(window);
      window->accept();
    });
    QVERIFY(Main().DocumentClick(DocumentKind::Types));
    QCOMPARE(caption, QString("Container Types"));
    // One line a type, without the condition's title.
    QVERIFY(shown.size() > 3);
    QVERIFY(shown.first().startsWith(QString::fromLatin1(plan_->Types[0].TYP.c_str()) + " "));
    QVERIFY(errors_.isEmpty());
  }

  // The manifest is the condition's own loading list less its first unit,
  // with one unit kept on the quay before: the first unit is found on board
  // but not on the manifest, nothing differs, and the quay is as before.
  void manifestComparison() {
    std::vector<std::string> lines = LoadingListLines(*plan_);
    QVERIFY(lines.size() > 5);
    const std::string firstLine = lines.front();
    lines.erase(lines.begin());
    const fs::path manifest = Demo() / "RECEIVE" / "manifest.txt";
    std::string error;
    QVERIFY(WriteTextLines(manifest, lines, error));
    StructDat kept;
    kept.CONTAINER = "KEPT 1234567";
    kept.SIZ = "20";
    kept.TYP = "DV";
    kept.POL = "HAM";
    kept.POD = "RTM";
    kept.WEIGHT = 12;
    kept.STATUS = 1;
    QVERIFY(Main().AllBays->Quay.PutToQuay(kept, 1) == 1);
    const int quayBefore = plan_->QuayCount;

    Main().ChooseLoadingListFile = [manifest] { return QString::fromStdString(manifest.string()); };
    QStringList shown;
    OnModal<QuestionDialog>([&](QuestionDialog* question) {
      OnModal<DocumentWindow>([&](DocumentWindow* window) {
        shown = Shown(window);
        Snap(window, "manifest-comparison");
        window->accept();
      });
      QTest::mouseClick(question->BNo, Qt::LeftButton);  // the quay is kept
    });
    QVERIFY(Main().ManifestComparisonClick());
    QVERIFY(shown.size() >= 6);
    QCOMPARE(shown.at(2), QString(" SERIAL #     CELL  DOCUMENT   TYPE POL POD WEIGHT MTY OPER IMO "));
    QVERIFY(!shown.contains("1) DISCREPANCES"));
    QVERIFY(!shown.contains("3)  NOT ON VESSEL"));
    const int notOnManifest = static_cast<int>(shown.indexOf("2)  NOT ON MANIFEST"));
    QVERIFY(notOnManifest > 0);
    // Only the unit left out of the list, and not the kept quay unit.
    QCOMPARE(shown.at(notOnManifest + 2), QString(" "));
    QVERIFY(firstLine.find(shown.at(notOnManifest + 1).left(12).remove(' ').toStdString()) != std::string::npos);
    QCOMPARE(plan_->QuayCount, quayBefore);
    QCOMPARE(plan_->QuayLive, 1);
    QVERIFY(errors_.isEmpty());
  }
};

QTEST_MAIN(DocumentViewsTest)
#include "DocumentViewsTest.moc"
