// The EDIFACT import and export windows, offscreen, on a copy of the demo
// installation with its feeder open: the windows show what the message or
// the plan says, the import places units and counts them as it goes, unknown
// ports are settled in the ports-table dialog, and the export writes its file.

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "../support/EdiTrailer.h"
#include "ModalWindows.h"
#include "conditions/VesselSession.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "ui/Application.h"
#include "ui/EdiExportDialog.h"
#include "ui/EdiImportDialog.h"
#include "ui/MessageWindow.h"
#include "ui/PortDialog.h"
#include "ui/QtHost.h"
#include "ui/QuestionDialog.h"
#include "vessel/BaseData.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

// Answers the next numbered message, keeping its text.
void ReadNextMessage(QString& text) {
  OnModal<MessageWindow>([&text](MessageWindow* messages) {
    text = messages->LText->text();
    messages->accept();
  });
}

const std::string kBaplieHeader =
    "UNB+UNOA:2+TERMINAL HAM+ZUM+240315:0930+HAM0001+++++ZUM'\r\n"
    "UNH+HAM0001+BAPLIE:D:95B:UN:SMDG20'\r\n"
    "BGM++HAM0001+9'\r\n"
    "DTM+137:2403150930:201'\r\n"
    "TDT+20+011S+++ZUM:172:20+++9HZF012:103:ZZZ:ZUM FEEDER'\r\n"
    "LOC+5+DEHAM:139:6'\r\n"
    "LOC+61+NLRTM:139:6'\r\n"
    "DTM+178:2403140800:201'\r\n"
    "DTM+136:2403152300:201'\r\n"
    "DTM+132:240317:101'\r\n"
    "RFF+VON:012N'\r\n";

std::string Message(const std::string& body) { return WithTrailer(body, "HAM0001", "\r\n"); }

std::string Unit(const std::string& position, const std::string& number, const std::string& kilograms,
                 const std::string& pod = "NLRTM", const std::string& podName = "") {
  return "LOC+147+" + position + "::5'\r\nMEA+WT++KGM:" + kilograms + "'\r\nLOC+9+DEHAM:139:6'\r\nLOC+11+" +
         pod + ":139:6" + (podName.empty() ? "" : "+" + podName) + "'\r\nRFF+BM:1'\r\nEQD+CN+" + number +
         "+22G1+++5'\r\nNAD+CA+ZUM:172:20'\r\n";
}

}  // namespace

class EdiWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<PlanData> plan_;
  std::unique_ptr<QuestionDialog> dialog_;
  std::unique_ptr<MessageWindow> messages_;
  std::unique_ptr<QtHost> host_;
  std::unique_ptr<BaseData> base_;
  std::unique_ptr<VesselSession> session_;
  QStringList errors_;

  fs::path Dir() const { return fs::path(dir_->path().toStdString()); }
  PlanData& plan() { return *plan_; }
  PlanContext& ctx() { return session_->ctx; }

  int Cell(const std::string& name) const {
    for (int i = 0; i < plan_->CellCount; ++i)
      if (plan_->Cells[static_cast<size_t>(i)].CELL == name) return i;
    return -1;
  }
  const StructDat& At(const std::string& name) const { return plan_->Cur()[static_cast<size_t>(Cell(name))]; }
  std::vector<StructDat> Quay() const {
    std::vector<StructDat> units;
    for (int i = 0; i < plan_->QuayCount; ++i)
      if (plan_->Dat[plan_->QuayPlane][static_cast<size_t>(i)].STATUS > 0)
        units.push_back(plan_->Dat[plan_->QuayPlane][static_cast<size_t>(i)]);
    return units;
  }
  int UnitsOnBoard() const {
    int n = 0;
    for (int i = 0; i < plan_->CellCount; ++i)
      if (plan_->Cur()[static_cast<size_t>(i)].STATUS == 1) ++n;
    return n;
  }

  std::string WriteMessage(const std::string& name, const std::string& bytes) {
    const fs::path file = Dir() / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

  // Two units for cells of the feeder and one for a position it lacks.
  std::string SampleBaplie() {
    return Message(kBaplieHeader + Unit("0010182", "ZUMU1234565", "20000") + Unit("010282", "ZUMU 2345670", "18500") +
                   Unit("990182", "ZUMU3456787", "12000"));
  }

  // Imports the sample through the window, answering the summary message.
  void ImportSample() {
    EdiImportDialog form(ctx(), *base_);
    QVERIFY(form.OpenFile(WriteMessage("sample.edi", SampleBaplie())));
    form.show();
    QString summary;
    ReadNextMessage(summary);
    QTest::mouseClick(form.BOk, Qt::LeftButton);
    QCOMPARE(summary, QString("1 units refused and put to quay"));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", Dir() / "demo", fs::copy_options::recursive);
    plan_ = CreatePlanData();
    dialog_ = std::make_unique<QuestionDialog>();
    messages_ = std::make_unique<MessageWindow>(*plan_);
    host_ = std::make_unique<QtHost>(*messages_, *dialog_, *plan_);
    base_ = std::make_unique<BaseData>(*plan_, *host_);
    errors_.clear();
    Zum4Application::SetErrorDisplay([this](const QString& text) { errors_ << text; });
    QVERIFY(base_->CreateBaseData(Dir() / "demo"));
    QVERIFY(base_->LoadBaseData());
    session_ = std::make_unique<VesselSession>(*plan_, *host_, base_->TotalsLabels);
    int feeder = -1;
    for (int k = 0; k < plan_->VesselCount; ++k)
      if (plan_->VesselList[static_cast<size_t>(k * kVesselListFields + 1)] == "FEEDER") feeder = k;
    QVERIFY(feeder >= 0);
    QVERIFY(session_->Open(feeder));
    plan_->VesHdr[VesHdrIx::Port] = "HAM";
    plan_->VesHdr[VesHdrIx::Voy] = "012N";
    plan_->VesHdr[VesHdrIx::Adp] = "D";
    QCOMPARE(UnitsOnBoard(), 0);
    QVERIFY(Quay().empty());
    EdiImportDialog::ForgetImportFolder();
  }

  void cleanup() {
    Zum4Application::SetErrorDisplay(nullptr);
    session_.reset();
    base_.reset();
    host_.reset();
    messages_.reset();
    dialog_.reset();
    plan_.reset();
    dir_.reset();
  }

  // The header as the message gives it, the BAPLIE rows and the options'
  // defaults; the header panel cannot be edited.
  void importWindowShowsTheHeader() {
    EdiImportDialog form(ctx(), *base_);
    QVERIFY(form.OpenFile(WriteMessage("sample.edi", SampleBaplie())));
    QCOMPARE(form.windowTitle(), QString("Import BAPLIE"));
    const std::pair<QLineEdit*, const char*> boxes[] = {
        {form.EDvessel, "ZUM FEEDER"},
        {form.EDvesselCode, "9HZF012"},
        {form.EDdischVoy, "011S"},
        {form.EDloadVoy, "012N"},
        {form.EDdeparture, "DEHAM"},
        {form.EDarrivalDate, "2024/03/14 08:00"},
        {form.EDdepartureDate, "2024/03/15 23:00"},
        {form.EDnextPort, "NLRTM"},
        {form.EDnextArrival, "2024/03/17"},
        {form.EDsender, "TERMINAL HAM"},
        {form.EDrecipient, "ZUM"},
        {form.EDcarrier, "ZUM"},
        {form.EDpod, "DEHAM"},
    };
    for (const auto& [box, text] : boxes) QCOMPARE(box->text(), QString(text));
    QCOMPARE(form.versionButtons->checkedButton()->text(), QString("2.0"));
    QCOMPARE(form.functionButtons->checkedButton()->text(), QString("Original"));
    QVERIFY(!form.PAheader->isEnabled());
    QVERIFY(form.CBdumpo->isChecked());
    QVERIFY(!form.CBdum->isChecked());
    QVERIFY(form.CBwei->isHidden());
    QVERIFY(!form.RowOf(form.EDdepartureDate)->isHidden());
    QCOMPARE(UnitsOnBoard(), 0);  // opening reads the header only
  }

  // MOVINS and COPRAR show only the rows their messages fill.
  void importWindowRowsFollowTheMessage() {
    struct Case {
      const char* type;
      const char* title;
      const char* voyCaption;
      const char* departureCaption;
      bool departureDate, nextArrival, loadVoy, nextPort, recipient, version, options, clearWeights, loaded;
    };
    const Case cases[] = {
        {"MOVINS:D:95B:UN:SMDG20", "Import MOVINS", "Discharging voy number", "Place of departure", false,
         false, true, true, true, true, true, true, true},
        {"COPRAR:D:95B:UN:ITG13", "Import COPRAR", "Voy number", "Port of Loading", true, false, false, false,
         false, false, false, false, false},
        {"BAPLIE:D:95B:UN:SMDG22", "Import BAPLIE", "Discharging voy number", "Place of departure", true,
         true, true, true, true, true, true, false, true},
    };
    plan().Settings[SettingsIx::MovinsClearWeights] = "1";
    for (const Case& c : cases) {
      EdiImportDialog form(ctx(), *base_);
      form.OpenBytes(Message("UNB+UNOA:2+A+B+240315:0930+R1'UNH+R1+" + std::string(c.type) + "'BGM++R1+5'" +
                             "LOC+5+DEHAM'"));
      QCOMPARE(form.windowTitle(), QString(c.title));
      QCOMPARE(form.LdischVoy->text(), QString(c.voyCaption));
      QCOMPARE(form.Ldeparture->text(), QString(c.departureCaption));
      QCOMPARE(!form.RowOf(form.EDdepartureDate)->isHidden(), c.departureDate);
      QCOMPARE(!form.RowOf(form.EDnextArrival)->isHidden(), c.nextArrival);
      QCOMPARE(!form.RowOf(form.EDloadVoy)->isHidden(), c.loadVoy);
      QCOMPARE(!form.RowOf(form.EDnextPort)->isHidden(), c.nextPort);
      QCOMPARE(!form.RowOf(form.EDrecipient)->isHidden(), c.recipient);
      QCOMPARE(!form.RGversion->isHidden(), c.version);
      QCOMPARE(!form.PAoptions->isHidden(), c.options);
      QCOMPARE(!form.CBwei->isHidden(), c.clearWeights);
      QCOMPARE(!form.LLoaded->isHidden(), c.loaded);
      QCOMPARE(form.functionButtons->checkedButton()->text(), QString("Replace"));
      if (c.clearWeights) QVERIFY(form.CBwei->isChecked());
    }
  }

  // OK places what fits, sends the rest to the quay with its position, and
  // the counters run with every unit.
  void importPlacesUnitsAndCountsThem() {
    EdiImportDialog form(ctx(), *base_);
    QVERIFY(form.OpenFile(WriteMessage("sample.edi", SampleBaplie())));
    form.show();
    QSignalSpy counters(&form, &EdiImportDialog::countersChanged);
    QStringList shownWhileCounting;
    connect(&form, &EdiImportDialog::countersChanged, &form,
            [&] { shownWhileCounting << form.LLoaded->text() + "/" + form.LToQuay->text(); });
    QString summary;
    ReadNextMessage(summary);
    QTest::mouseClick(form.BOk, Qt::LeftButton);

    QCOMPARE(summary, QString("1 units refused and put to quay"));
    QCOMPARE(shownWhileCounting, QStringList({"1/0", "2/0", "2/1"}));
    QCOMPARE(counters.count(), 3);
    QVERIFY(form.Imported);
    QVERIFY(!form.isVisible());
    QCOMPARE(UnitsOnBoard(), 2);
    QCOMPARE(At("010182").CONTAINER, std::string("ZUMU 1234565"));
    QCOMPARE(At("010182").WEIGHT, 20.0);
    QCOMPARE(At("010282").CONTAINER, std::string("ZUMU 2345670"));
    QCOMPARE(At("010282").POD, std::string("RTM"));
    const auto quay = Quay();
    QCOMPARE(quay.size(), size_t{1});
    QCOMPARE(quay[0].CONTAINER, std::string("ZUMU 3456787"));
    QCOMPARE(quay[0].POSITION, std::string("990182"));
    QCOMPARE(plan().ConditionModified, std::uint8_t{1});
  }

  // Cancel leaves the plan as it was, and "Dump all" and "Dump/Load" never
  // stand together.
  void cancelAndDumpChoices() {
    ImportSample();
    QCOMPARE(UnitsOnBoard(), 2);

    EdiImportDialog form(ctx(), *base_);
    QVERIFY(form.OpenFile(WriteMessage("empty.edi", Message(kBaplieHeader))));
    form.show();
    QTest::mouseClick(form.CBdum, Qt::LeftButton);
    QVERIFY(form.CBdum->isChecked());
    QVERIFY(!form.CBdumpo->isChecked());
    QTest::mouseClick(form.CBdumpo, Qt::LeftButton);
    QVERIFY(form.CBdumpo->isChecked());
    QVERIFY(!form.CBdum->isChecked());
    QTest::mouseClick(form.CBdumpo, Qt::LeftButton);
    QVERIFY(!form.CBdumpo->isChecked() && !form.CBdum->isChecked());
    QTest::mouseClick(form.CBdum, Qt::LeftButton);
    QTest::mouseClick(form.BCancel, Qt::LeftButton);
    QVERIFY(!form.Imported);
    QCOMPARE(UnitsOnBoard(), 2);

    // The quay holds the refused unit: the window asks before clearing it.
    EdiImportDialog again(ctx(), *base_);
    QVERIFY(again.OpenFile(WriteMessage("empty.edi", Message(kBaplieHeader))));
    again.show();
    QTest::mouseClick(again.CBdum, Qt::LeftButton);
    QString question;
    OnModal<QuestionDialog>([&](QuestionDialog* dialog) {
      question = dialog->LQuestion->text();
      QTest::mouseClick(dialog->BNo, Qt::LeftButton);
    });
    QTest::mouseClick(again.BOk, Qt::LeftButton);
    QCOMPARE(question, QString("The Quay is not empty - clear the Quay?"));
    QVERIFY(again.Imported);
    QCOMPARE(UnitsOnBoard(), 0);  // "Dump all" emptied the vessel
    QCOMPARE(Quay().size(), size_t{1});
  }

  // The command entry: a modal window on the file; an unreadable file is
  // reported by its name and nothing opens.
  void importFileEntry() {
    const std::string missing = (Dir() / "nowhere" / "BAPLIE.EDI").string();
    QVERIFY(!EdiImportDialog::ImportFile(ctx(), *base_, missing));
    QCOMPARE(errors_.size(), 1);
    QVERIFY(errors_.first().contains(QString::fromStdString(missing)));

    OnModal<EdiImportDialog>([](EdiImportDialog* form) {
      QCOMPARE(form->EDvessel->text(), QString("ZUM FEEDER"));
      QString summary;
      ReadNextMessage(summary);
      QTest::mouseClick(form->BOk, Qt::LeftButton);
    });
    QVERIFY(EdiImportDialog::ImportFile(ctx(), *base_, WriteMessage("sample.edi", SampleBaplie())));
    QCOMPARE(UnitsOnBoard(), 2);

    // In configuration mode the import runs without the window.
    plan().ConfigMode = 1;
    OnModal<QuestionDialog>([](QuestionDialog* dialog) {  // the quay keeps the refused unit
      QTest::mouseClick(dialog->BNo, Qt::LeftButton);
    });
    QString summary;
    ReadNextMessage(summary);
    QVERIFY(EdiImportDialog::ImportFile(
        ctx(), *base_,
        WriteMessage("config.edi", Message(kBaplieHeader + Unit("990282", "ZUMU4567893", "1000")))));
    QCOMPARE(summary, QString("1 cells not created"));
  }

  // An unknown port is settled once per code in "Ports table update": the
  // code left in the box is taken, "Ignore" adds nothing to the table and
  // "Update Table" adds the port.
  void unknownPortsAskedInThePortDialog() {
    QCOMPARE(FindPort(plan(), "QQQ"), -1);
    const std::string bytes = Message(kBaplieHeader + Unit("010182", "ZUMU1234565", "20000", "XYQQQ", "QUAYSIDE") +
                                      Unit("010282", "ZUMU2345670", "20000", "XYQQQ", "QUAYSIDE") +
                                      Unit("010382", "ZUMU3456787", "20000", "XYWWW", "WESTPORT"));
    EdiImportDialog form(ctx(), *base_);
    form.OpenBytes(bytes);
    form.show();
    QStringList asked;
    OnModal<PortDialog>([&](PortDialog* inp) {
      asked << inp->LTitle->text() + "|" + inp->ECountry->text() + "|" + inp->ECode->text() + "|" +
                   inp->EName->text() + "|" + inp->ELetter->text() + "|" + inp->BCancel->text();
      inp->ECode->setText("RTM");
      QTest::mouseClick(inp->BCancel, Qt::LeftButton);  // "Ignore"
      OnModal<PortDialog>([&](PortDialog* second) {
        asked << second->ECode->text();
        QTest::mouseClick(second->BUpdate, Qt::LeftButton);
      });
    });
    QTest::mouseClick(form.BOk, Qt::LeftButton);

    QCOMPARE(asked, QStringList({"New port|XY|QQQ|QUAYSIDE|QQ|Ignore", "WWW"}));
    QCOMPARE(At("010182").POD, std::string("RTM"));
    QCOMPARE(At("010282").POD, std::string("RTM"));
    QCOMPARE(At("010382").POD, std::string("WWW"));
    QCOMPARE(FindPort(plan(), "QQQ"), -1);
    const int added = FindPort(plan(), "WWW");
    QVERIFY(added >= 0);
    QCOMPARE(plan().Ports[static_cast<size_t>(added)].PORT, std::string("WESTPORT"));
  }

  // Where the file dialog starts, later rules winning; a folder entered in
  // the dialog is where the next one starts.
  void importFileDialogFolders() {
    plan().VesselDir = "/ships/FEEDER";
    plan().VesHdr[VesHdrIx::EdiDir] = " ";
    plan().Settings[SettingsIx::EdiFileInSending] = "0";
    plan().Settings[SettingsIx::SendingDir] = "/out";
    QCOMPARE(EdiImportDialog::ImportStartFolder(plan()), QString("/ships/FEEDER/edi"));
    plan().VesHdr[VesHdrIx::EdiDir] = "/exchange/feeder";
    QCOMPARE(EdiImportDialog::ImportStartFolder(plan()), QString("/exchange/feeder"));
    plan().Settings[SettingsIx::EdiFileInSending] = "1";
    QCOMPARE(EdiImportDialog::ImportStartFolder(plan()), QString("/out"));

    const QString start = QString::fromStdString((Dir() / "start").string());
    const QString other = QString::fromStdString((Dir() / "other").string());
    fs::create_directories(Dir() / "start");
    fs::create_directories(Dir() / "other");
    plan().Settings[SettingsIx::SendingDir] = start.toStdString();
    const std::string chosen = WriteMessage("other/PLAN.EDI", SampleBaplie());
    QString startedIn;
    QStringList filters;
    OnModal<QFileDialog>([&](QFileDialog* dialog) {
      startedIn = dialog->directory().absolutePath();
      filters = dialog->nameFilters();
      dialog->setDirectory(other);
      dialog->selectFile(QString::fromStdString(chosen));
      static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(EdiImportDialog::AskImportFile(plan()), chosen);
    QCOMPARE(startedIn, start);
    QCOMPARE(filters, QStringList({"All Files (*)", "EDI Files (*.edi)"}));
    QCOMPARE(EdiImportDialog::ImportStartFolder(plan()), other);

    // Moving back and cancelling still moves the next start.
    OnModal<QFileDialog>([&](QFileDialog* dialog) {
      QCOMPARE(dialog->directory().absolutePath(), other);
      dialog->setDirectory(start);
      dialog->reject();
    });
    QCOMPARE(EdiImportDialog::AskImportFile(plan()), std::string());
    QCOMPARE(EdiImportDialog::ImportStartFolder(plan()), start);

    // A start folder that does not exist is not replaced by wherever the
    // dialog fell back to.
    EdiImportDialog::ForgetImportFolder();
    const QString missing = QString::fromStdString((Dir() / "no-such-folder").string());
    plan().Settings[SettingsIx::SendingDir] = missing.toStdString();
    OnModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QCOMPARE(EdiImportDialog::AskImportFile(plan()), std::string());
    QCOMPARE(EdiImportDialog::ImportStartFolder(plan()), missing);
  }

  // The export offers the plan's values, writes the units on board into the
  // folder chosen, says where, and keeps the choices for next time.
  void exportWritesTheFile() {
    ImportSample();
    plan().Settings[SettingsIx::EdiSegmentEnd] = "1";
    plan().Settings[SettingsIx::EdiVesselIdImo] = "0";
    plan().Settings[SettingsIx::EdiFileInSending] = "0";
    EdiExportDialog form(plan(), *host_, EdiMessageKind::Baplie, {"RTM", "ANR"}, nullptr);
    std::tm now{};
    now.tm_year = 124;
    now.tm_mon = 2;
    now.tm_mday = 15;
    now.tm_hour = 9;
    now.tm_min = 30;
    form.ShowDefaults(now);
    const std::pair<QLineEdit*, QString> fields[] = {
        {form.EDdischVoy, ""},
        {form.EDloadVoy, "012N"},
        {form.EDdeparture, "DEHAM"},
        {form.EDnextPort, "NLRTM"},
        {form.EDrecipient, "NLRTM"},
        {form.EDsender, QString::fromStdString(plan().Settings[SettingsIx::EdiSenderId])},
        {form.EDcarrier, QString::fromStdString(plan().Settings[SettingsIx::EdiCarrierCode])},
        {form.EDfileName, "ZFD_012N_HAM.EDI"},
        {form.EDfolder, QString::fromStdString((fs::path(plan().VesselDir) / "edi").string())},
    };
    for (const auto& [field, text] : fields) QCOMPARE(field->text(), text);
    QVERIFY(form.EDdeparture->isReadOnly());
    QCOMPARE(form.DTarrival->dateTime(), QDateTime(QDate(2024, 3, 15), QTime(9, 30)));
    QCOMPARE(form.versionButtons->checkedButton()->text(), QString("20"));
    QCOMPARE(form.terminationButtons->checkedButton()->text(), QString("LF/CR    "));
    QCOMPARE(form.vesselIdButtons->checkedButton()->text(), QString("Call sign"));
    QCOMPARE(form.functionButtons->checkedButton()->text(), QString("Original"));
    QVERIFY(!form.BSel->isHidden());
    QVERIFY(form.PAreports->isHidden());
    QCOMPARE(form.LUnitsCaption->text(), QString("to baplie"));

    const fs::path out = Dir() / "out";
    form.EDfolder->setText(QString::fromStdString(out.string()));
    form.show();
    form.vesselIdButtons->button(1)->click();
    form.terminationButtons->button(2)->click();  // NIL
    form.functionButtons->button(3)->click();     // Replace
    form.DTarrival->setDateTime(QDateTime(QDate(2024, 3, 14), QTime(8, 0)));
    QString message;
    ReadNextMessage(message);
    QTest::mouseClick(form.BOk, Qt::LeftButton);

    const fs::path file = out / "ZFD_012N_HAM.EDI";
    QCOMPARE(message, QString::fromStdString("created BAPLIE: " + file.string()));
    QVERIFY(form.FileWritten);
    QCOMPARE(form.UnitsWritten, 2);
    QCOMPARE(form.LUnits->text(), QString("2"));
    QVERIFY(!form.isVisible());
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string written = text.str();
    QVERIFY(written.find('\n') == std::string::npos);  // no segment termination
    QVERIFY(written.find("BGM++DDEHAM012N+5'") != std::string::npos);
    QVERIFY(written.find("DTM+178:2403140800:201'") != std::string::npos);
    QVERIFY(written.find(":146:11:") != std::string::npos);  // named by IMO number
    QVERIFY(written.find("EQD+CN+ZUMU1234565+22G1") != std::string::npos);
    QVERIFY(written.find("RFF+VON:012N'") != std::string::npos);
    QCOMPARE(plan().Settings[SettingsIx::EdiVesselIdImo], std::string("1"));
    QCOMPARE(plan().Settings[SettingsIx::EdiSegmentEnd], std::string("1"));  // NIL leaves it as it was
  }

  // "Send Mess": the export goes to the mail composer with its subject and
  // is then taken out of its folder; with no composer to start it stays
  // where it was written and the message says where.
  void sendMessMailsTheExportOrKeepsIt() {
    ImportSample();
    for (const bool composerInstalled : {true, false}) {
      EdiExportDialog form(plan(), *host_, EdiMessageKind::Baplie, {}, nullptr);
      std::string program;
      std::vector<std::string> arguments;
      form.Programs.findProgram = [&](const std::string& name) {
        return composerInstalled ? "/usr/bin/" + name : std::string();
      };
      form.Programs.start = [&](const std::string& p, const std::vector<std::string>& a) {
        program = p;
        arguments = a;
        return true;
      };
      const fs::path out = Dir() / "out";
      form.EDfolder->setText(QString::fromStdString(out.string()));
      form.CBsendMess->setChecked(true);
      form.show();
      if (const QString shots = qEnvironmentVariable("ZUM4_SCREENSHOTS"); !shots.isEmpty())
        form.grab().save(shots + "/edi-export-send-mess.png");
      QString created, mailNote;
      OnModal<MessageWindow>([&](MessageWindow* messages) {
        created = messages->LText->text();
        if (!composerInstalled) ReadNextMessage(mailNote);
        messages->accept();
      });
      QTest::mouseClick(form.BOk, Qt::LeftButton);
      const fs::path file = out / "ZFD_012N_HAM.EDI";
      QVERIFY(form.FileWritten);
      QCOMPARE(created, QString::fromStdString("created BAPLIE: " + file.string()));
      if (composerInstalled) {
        QCOMPARE(program, std::string("/usr/bin/xdg-email"));
        QCOMPARE(arguments.size(), size_t(6));
        const std::vector<std::string> head(arguments.begin(), arguments.begin() + 5);
        QCOMPARE(head, (std::vector<std::string>{"--subject", "ZUM FEEDER-012N-BAPLIE-dep HAM", "--body", "Regards",
                                                 "--attach"}));
        // The composer has its own copy of the message; the export has left the folder.
        std::ifstream copy(arguments[5], std::ios::binary);
        std::stringstream text;
        text << copy.rdbuf();
        QVERIFY(text.str().find("BGM++DDEHAM012N") != std::string::npos);
        QVERIFY(!fs::exists(file));
        QVERIFY(mailNote.isEmpty());
      } else {
        QVERIFY(program.empty());
        QVERIFY(fs::exists(file));
        QVERIFY2(mailNote.contains(QString::fromStdString(file.string())), qPrintable(mailNote));
        QVERIFY(mailNote.contains("ZUM FEEDER-012N-BAPLIE-dep HAM"));
      }
    }
  }

  // A file that cannot be written is reported and the window stays open.
  void exportFailureKeepsTheWindow() {
    ImportSample();
    EdiExportDialog form(plan(), *host_, EdiMessageKind::Baplie, {}, nullptr);
    const fs::path blocker = Dir() / "blocker";
    std::ofstream(blocker) << "a file where the folder should be";
    form.EDfolder->setText(QString::fromStdString((blocker / "edi").string()));
    form.show();
    QTest::mouseClick(form.BOk, Qt::LeftButton);
    QCOMPARE(errors_.size(), 1);
    QVERIFY(errors_.first().contains("ZFD_012N_HAM.EDI"));
    QVERIFY(!form.FileWritten);
    QVERIFY(form.isVisible());
    QCOMPARE(form.LUnits->text(), QString("0"));
  }

  // The MOVINS form: report choices instead of "Sel", a fixed version, the
  // sending folder, and the termination kept on cancel unless switched off.
  void movinsExportChoices() {
    struct Case {
      const char* stored;
      int clicked;
      const char* kept;
    };
    const Case cases[] = {{"1", 1, "2"}, {"2", 0, "1"}, {"0", 1, "0"}};
    ImportSample();  // the condition's port is then among the voyage's ports
    for (const Case& c : cases) {
      plan().Settings[SettingsIx::MovinsCreateReports] = "1";
      plan().Settings[SettingsIx::SendingDir] = "/out/sending";
      plan().Settings[SettingsIx::EdiSegmentEnd] = c.stored;
      EdiExportDialog form(plan(), *host_, EdiMessageKind::Movins, {"RTM"}, nullptr);
      form.SetCraneCount(3);
      QVERIFY(!form.PAreports->isHidden());
      QVERIFY(form.BSel->isHidden());
      QVERIFY(!form.RGversion->isEnabled());
      QCOMPARE(form.CBcranes->text(), QString("3 Cranes split"));
      for (QCheckBox* box : {form.CBinstructions, form.CBcranes, form.CBlpLoad, form.CBlpDisch})
        QVERIFY(box->isChecked());
      QCOMPARE(form.EDfileName->text(), QString("ZFD_012N_HAM_MOVINS.EDI"));
      QCOMPARE(form.EDfolder->text(), QString("/out/sending"));
      QCOMPARE(form.EDrecipient->text(), QString("DEHAM"));
      QCOMPARE(form.LUnitsCaption->text(), QString("to Movins"));
      QCOMPARE(form.palette().color(QPalette::Window), QColor(0xC0, 0xDC, 0xC0));
      form.show();
      form.terminationButtons->button(c.clicked)->click();
      QTest::mouseClick(form.BCancel, Qt::LeftButton);
      QVERIFY(!form.FileWritten);
      QCOMPARE(plan().Settings[SettingsIx::EdiSegmentEnd], std::string(c.kept));
    }
  }

  // Opening the export selects every unit again; "Sel" hands the data set to
  // the selection window.
  void exportResetsTheSelection() {
    ImportSample();
    plan().Cur()[static_cast<size_t>(Cell("010182"))].SELECTED = 0;
    EdiExportDialog form(plan(), *host_, EdiMessageKind::Baplie, {}, nullptr);
    QCOMPARE(At("010182").SELECTED, 1);
    int selectedPlane = -1;
    form.OpenSelection = [&](int plane) {
      selectedPlane = plane;
      plan().Cur()[static_cast<size_t>(Cell("010282"))].SELECTED = 0;
    };
    form.show();
    QTest::mouseClick(form.BSel, Qt::LeftButton);
    QCOMPARE(selectedPlane, kCurPlane);
    form.EDfolder->setText(QString::fromStdString((Dir() / "sel").string()));
    QString message;
    ReadNextMessage(message);
    QTest::mouseClick(form.BOk, Qt::LeftButton);
    QCOMPARE(form.UnitsWritten, 1);
  }
};

QTEST_MAIN(EdiWindowsTest)
#include "EdiWindowsTest.moc"
