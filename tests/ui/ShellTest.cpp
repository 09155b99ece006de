// The application shell driven offscreen: the shared question box, the
// numbered-message window, the error display, the Host of the windows.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <stdexcept>

#include "ModalWindows.h"
#include "core/PlanData.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/MessageWindow.h"
#include "ui/QtHost.h"
#include "ui/QuestionDialog.h"

namespace {

class ThrowingWidget : public QWidget {
 public:
  bool throwStd = true;
  int handled = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) {
      if (throwStd) throw std::runtime_error("cell index out of range");
      throw 42;
    }
    if (e->type() == QEvent::User + 1) ++handled;
    return QWidget::event(e);
  }
};

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { plan = CreatePlanData(); }

  void dialogAnswersByButton_data() {
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("expected");
    QTest::newRow("yes") << "yes" << QuestionDialog::ResultYes;
    QTest::newRow("no") << "no" << QuestionDialog::ResultNo;
    QTest::newRow("cancel") << "cancel" << QuestionDialog::ResultCancel;
    QTest::newRow("escape") << "escape" << QuestionDialog::ResultNo;
    QTest::newRow("enter") << "enter" << QuestionDialog::ResultYes;
  }

  void dialogAnswersByButton() {
    QFETCH(QString, press);
    QFETCH(int, expected);
    QuestionDialog dialog;
    dialog.Caption = "Save";
    dialog.UpperLine = "The condition was changed.";
    dialog.QuestionLine = "Save it?";
    dialog.ShowCancel = 1;
    bool cancelShown = false;
    QString caption;
    QString question;
    OnNextModal([&](QWidget*) {
      cancelShown = dialog.BCancel->isVisible();
      caption = dialog.windowTitle();
      question = dialog.LQuestion->text();
      if (press == "yes") QTest::mouseClick(dialog.BYes, Qt::LeftButton);
      if (press == "no") QTest::mouseClick(dialog.BNo, Qt::LeftButton);
      if (press == "cancel") QTest::mouseClick(dialog.BCancel, Qt::LeftButton);
      if (press == "escape") QTest::keyClick(&dialog, Qt::Key_Escape);
      if (press == "enter") QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), expected);
    QVERIFY(cancelShown);
    QCOMPARE(caption, QString("Save"));
    QCOMPARE(question, QString("Save it?"));
  }

  void dialogResetsOnClose() {
    QuestionDialog dialog;
    dialog.Caption = "First";
    dialog.UpperLine = "upper";
    dialog.QuestionLine = "question";
    dialog.ShowCancel = 1;
    OnNextModal([&](QWidget*) { QTest::mouseClick(dialog.BNo, Qt::LeftButton); });
    dialog.exec();
    QCOMPARE(dialog.ShowCancel, 0);
    QVERIFY(dialog.Caption.empty() && dialog.UpperLine.empty() && dialog.QuestionLine.empty());

    // The next caller did not ask for Cancel: it is not offered.
    dialog.QuestionLine = "Second?";
    bool cancelShown = true;
    QString upper = "not read";
    OnNextModal([&](QWidget*) {
      cancelShown = dialog.BCancel->isVisible();
      upper = dialog.LUpper->text();
      QTest::mouseClick(dialog.BYes, Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), QuestionDialog::ResultYes);
    QVERIFY(!cancelShown);
    QCOMPARE(upper, QString());
  }

  void messageWindowShowsEachPreparedText() {
    MessageWindow messages(*plan);
    QStringList shown;
    auto readAndClose = [&](QWidget*) {
      shown << messages.LText->text();
      QTest::mouseClick(messages.BOk, Qt::LeftButton);
    };
    plan->Messages[51] = "3 units imported";
    OnNextModal(readAndClose);
    messages.ShowMessageNo(51);
    plan->Messages[51] = "BAPLIE written";
    OnNextModal(readAndClose);
    messages.ShowMessageNo(51);
    OnNextModal(readAndClose);
    messages.ShowMessageNo(40);  // an empty entry still opens the window
    OnNextModal(readAndClose);
    messages.ShowMessageNo(250);  // beyond the table
    QCOMPARE(shown, QStringList({"3 units imported", "BAPLIE written", "", ""}));
    QCOMPARE(messages.windowTitle(), QString("Messages"));
    QCOMPARE(messages.MessageNo, 250);
  }

  void errorEscapingAHandlerIsShownAndTheProgramGoesOn() {
    QStringList shown;
    Zum4Application::SetErrorDisplay([&](const QString& text) { shown << text; });
    ThrowingWidget widget;
    QEvent failing(QEvent::User);
    QCoreApplication::sendEvent(&widget, &failing);
    widget.throwStd = false;
    QCoreApplication::sendEvent(&widget, &failing);
    QEvent ordinary(static_cast<QEvent::Type>(QEvent::User + 1));
    QCoreApplication::sendEvent(&widget, &ordinary);
    Zum4Application::SetErrorDisplay(nullptr);
    QCOMPARE(shown, QStringList({"cell index out of range", ""}));
    QCOMPARE(widget.handled, 1);
  }

  void hostRoutesToTheWindows() {
    QuestionDialog dialog;
    MessageWindow messages(*plan);
    QtHost host(messages, dialog);

    OnNextModal([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(&dialog));
      QVERIFY(dialog.BCancel->isVisible());
      QTest::mouseClick(dialog.BCancel, Qt::LeftButton);
    });
    QCOMPARE(host.Ask("Exit", "Vessel changed", "Save?", true), Host::Answer::Cancel);
    OnNextModal([&](QWidget*) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(host.Ask("Exit", "", "Save?", false), Host::Answer::No);

    plan->Messages[53] = "Vessel files are missing";
    QString text;
    OnNextModal([&](QWidget*) {
      text = messages.LText->text();
      messages.accept();
    });
    host.ShowMessageNo(53);
    QCOMPARE(text, QString("Vessel files are missing"));

    QSignalSpy changed(&host, &QtHost::planChanged);
    host.PlanChanged();
    QCOMPARE(changed.count(), 1);

    QStringList errors;
    Zum4Application::SetErrorDisplay([&](const QString& t) { errors << t; });
    host.ReportError("cannot write cel.txt: disk full");
    Zum4Application::SetErrorDisplay(nullptr);
    QCOMPARE(errors, QStringList({"cannot write cel.txt: disk full"}));
  }

  void busyPeriodsNest() {
    QuestionDialog dialog;
    MessageWindow messages(*plan);
    QtHost host(messages, dialog);
    QVERIFY(!QApplication::overrideCursor());
    {
      BusyCursor outer(host);
      BusyCursor inner(host);
      QVERIFY(QApplication::overrideCursor());
      QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QApplication::overrideCursor());
    host.SetBusy(false);  // an unmatched end does not take away someone else's cursor
    QVERIFY(!QApplication::overrideCursor());
  }

  void mainWindowCaptionIsTheProductName() {
    plan->ProgramDir = "/home/planner/.local/share/zum4";
    MainWindow main(*plan);
    QCOMPARE(main.windowTitle(), QString("Zum4"));
    QCOMPARE(main.LDataDir->text(), QString("/home/planner/.local/share/zum4"));
  }

  void threeDistinctEditorCursors() {
    const auto cursors = LoadEditorCursors();
    QCOMPARE(cursors.size(), size_t(3));
    QList<QImage> images;
    for (int slot : {kCursorRestow, kCursorLoad, kCursorDisch}) {
      QVERIFY(cursors.count(slot));
      const QPixmap pixmap = cursors.at(slot).pixmap();
      QVERIFY(!pixmap.isNull());
      QVERIFY(!images.contains(pixmap.toImage()));
      images << pixmap.toImage();
    }
  }

 private:
  std::unique_ptr<PlanData> plan;
};

int main(int argc, char** argv) {
  Zum4Application app(argc, argv);
  ShellTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ShellTest.moc"
