#pragma once

// EdiExportDialog, the BAPLIE or MOVINS export: the header values of the
// message, which the planner may correct, and the file to write. OK writes
// the file through ExportEdi; Cancel writes nothing. The termination and the
// vessel-id choice are kept for next time however the window is closed.

#include <QDialog>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "edifact/EdiExport.h"
#include "ui/OutsidePrograms.h"

struct PlanData;
class Host;
class Selection;
class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class EdiExportDialog : public QDialog {
  Q_OBJECT

 public:
  // kind: Baplie or Movins; portRotation: the ports after the condition's
  // port. selection, when given, is the filter the window resets on opening
  // and "Sel" works on; without it the data set's marks are reset directly.
  EdiExportDialog(PlanData& plan, Host& host, EdiMessageKind kind,
                  const std::vector<std::string>& portRotation, Selection* selection = nullptr,
                  QWidget* parent = nullptr);

  // The "Export Baplie" command: the window for the working data set,
  // modal. True when a file was written.
  static bool ExportBaplie(PlanData& plan, Host& host, const std::vector<std::string>& portRotation,
                           Selection* selection = nullptr, QWidget* parent = nullptr);

  // Fills every field with what the window offers first, as of now.
  void ShowDefaults(const std::tm& now);
  // The fields as options for ExportEdi.
  EdiExportOptions CurrentOptions() const;

  // The OK button: writes the file and closes; on failure the error is
  // shown and the window stays open.
  void BOkClick();
  // The "Sel" button (BAPLIE): the selection filter on the exported data set.
  void BSelClick();
  // Opens the selection window for a data set; set by whoever owns it.
  std::function<void(int plane)> OpenSelection;

  // The crane count of the cranes window, shown in the MOVINS report choice.
  void SetCraneCount(int cranes);

  // A file was written (the main window then runs the chosen reports).
  bool FileWritten = false;
  // Units written to the file.
  int UnitsWritten = 0;

  // The defaults and what the fields do not show (kind, data set, "now",
  // nationality, port rotation).
  EdiExportOptions Options;

  QLineEdit* EDdischVoy = nullptr;
  QLineEdit* EDloadVoy = nullptr;
  QLineEdit* EDdeparture = nullptr;
  QDateTimeEdit* DTarrival = nullptr;
  QDateTimeEdit* DTdeparture = nullptr;
  QDateEdit* DTeta = nullptr;
  QLineEdit* EDnextPort = nullptr;
  QLineEdit* EDrecipient = nullptr;
  QLineEdit* EDsender = nullptr;
  QLineEdit* EDcarrier = nullptr;
  QGroupBox* RGvesselId = nullptr;
  QGroupBox* RGfunction = nullptr;
  QGroupBox* RGversion = nullptr;
  QGroupBox* RGtermination = nullptr;
  QGroupBox* RGvoid = nullptr;
  QButtonGroup* vesselIdButtons = nullptr;  // 0 "Call sign", 1 "IMO number"
  QButtonGroup* functionButtons = nullptr;
  QButtonGroup* versionButtons = nullptr;      // 0 '15', 1 '20', 2 '22'
  QButtonGroup* terminationButtons = nullptr;  // 0 'LF/CR', 1 'CR', 2 'NIL'
  QButtonGroup* voidButtons = nullptr;         // 0 'yes', 1 'no'
  QLineEdit* EDfileName = nullptr;
  QLineEdit* EDfolder = nullptr;

  // MOVINS report choices.
  QGroupBox* PAreports = nullptr;
  QCheckBox* CBinstructions = nullptr;
  QCheckBox* CBcranes = nullptr;
  QCheckBox* CBlpLoad = nullptr;
  QCheckBox* CBlpDisch = nullptr;

  // "Send Mess": the file written is mailed (see MailExportedFile).
  QCheckBox* CBsendMess = nullptr;
  // The mail composer; tests replace its launcher.
  OutsidePrograms Programs;
  // Hands the file just written (and for a MOVINS the stowage instructions)
  // to the mail composer, then removes the exported file from its folder.
  // When no composer could be started the file stays and the person is told
  // where it is. True when the composer was started.
  bool MailExportedFile();

  QLabel* LUnits = nullptr;
  QLabel* LUnitsCaption = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;
  QPushButton* BSel = nullptr;

 public slots:
  void done(int result) override;

 private:
  void ResetSelection();

  PlanData& plan_;
  Host& host_;
  Selection* selection_;
  bool stored_ = false;
};
