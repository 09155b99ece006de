#pragma once

// Reading a BAPLIE, MOVINS or COPRAR interchange into the working data set.
//
// The file is read in up to three passes over the same bytes: the header
// pass fills the header values the import dialog shows; the pre-pass takes
// away what the message moves (the discharges and restows of a MOVINS; in a
// BAPLIE with "Dump/Load", the units that stand elsewhere than the message
// says); the load pass places every unit of the message or, when it cannot
// be placed, puts it on the quay. No unit read is lost on the way.

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/PlanData.h"
#include "edifact/EdiSegments.h"

class PlanContext;
class BaseData;

enum class EdiMessageKind { Baplie, Movins, Coprar };

// The "Function code" choices, in the order the dialogs list them.
enum class EdiFunction { Original, Add, Change, Replace, Delete, Final };

// The header values of a message, as the import dialog shows them.
struct EdiHeader {
  std::string Caption = "Import Baplie";
  std::string MessageType;  // first component of the UNH message type
  EdiMessageKind Kind = EdiMessageKind::Baplie;
  std::string Version = "2.0";  // "1.5", "2.0" or "2.2"
  EdiFunction Function = EdiFunction::Original;
  std::string VesselName;
  std::string VesselCode;
  std::string DischargingVoy;
  std::string LoadingVoy;
  std::string Departure;  // place of departure, five characters
  std::string ArrivalDate;
  std::string DepartureDate;
  std::string NextPort;
  std::string NextPortArrival;
  std::string Sender;
  std::string Recipient;
  std::string Carrier;
};

// The options of the import dialog. Open() sets them to the dialog's
// defaults; the caller may change them before Run().
struct EdiImportOptions {
  bool DumpLoad = true;       // "Dump/Load": this port's discharges and loads are replaced
  bool DumpAll = false;       // "Dump all": the data set is emptied first
  bool ClearWeights = false;  // "Clear weigths" (MOVINS): units without number weigh nothing
  bool SevenDigits = false;   // a seven-digit serial with a leading zero loses the zero
  std::string ThisPort;       // "EDpod": the five-character code of this port
};

// "Dump/Load" and "Dump all" exclude each other; setting one clears the other.
void SetDumpLoad(EdiImportOptions& options, bool on);
void SetDumpAll(EdiImportOptions& options, bool on);

// "20" + year etc.: the text of a DTM value in the format its code names.
std::string EdiDateText(std::string_view value, std::string_view format);

// Four letters, a blank and the digits, however the number was written;
// with sevenDigits a leading zero of a seven-digit serial is dropped.
std::string NormaliseContainerNumber(std::string_view text, bool sevenDigits);

inline constexpr int kMaxPortSubstitutions = 300;

// What an interchange holds before it is imported: why it is none at all
// (empty: it is one), the messages whose UNT count disagrees with their
// segments and the signs of a file cut off (no UNT, no UNZ), its EQD
// segments and the segments that start a unit (LOC+147, or EQD in a
// COPRAR).
struct EdiInterchangeCheck {
  std::string refusal;
  std::vector<std::string> countWarnings;
  int equipment = 0;
  int unitStarts = 0;
};
EdiInterchangeCheck CheckInterchange(std::string_view bytes);

class EdiImport {
 public:
  EdiImport(PlanContext& ctx, BaseData& base);

  // Reads the file and runs the header pass. False, with the file's name and
  // the reason reported, when the file cannot be read or is "not an EDIFACT
  // interchange" (no UNB and no UNH segment, an empty file), and when it has
  // EQD segments but no segment that begins a unit, so that no unit could
  // be read (the reason is given); the plan is untouched. A message whose
  // UNT count disagrees with its segments is read, with a warning.
  bool Open(const std::filesystem::path& file);
  // The same for an interchange already in memory, taken as it is.
  void OpenBytes(std::string bytes);

  // The OK button: runs the passes and leaves the summary in message 51
  // (shown when units were refused or restowed). False when nothing was
  // opened.
  bool Run();

  // Reads the whole interchange once: 0 header pass, 1 pre-pass, 2 load pass.
  void ReadInterchange(int pass);

  EdiHeader Header;
  EdiImportOptions Options;

  // Called after each unit of the load pass is dealt with (placed, put to
  // the quay or left where it stands), so that a window can show the
  // counters while a long message is read. Optional.
  std::function<void()> UnitDone;

  // Counters of the last Run.
  int Loaded = 0;   // placed into a cell
  int Refused = 0;  // put to the quay
  int Moved = 0;    // taken away in the BAPLIE pre-pass
  int Restows = 0;
  // The summary texts the last Run put into message 51, in order.
  std::vector<std::string> Summaries;

 private:
  void HeaderSegment();
  void BodySegment(int pass);
  bool NewPosition(int pass);
  void FieldSegment();
  void ReadPosition(const std::string& text);
  int FindCell(const std::string& position) const;
  void CompleteUnit(int pass);
  bool StandsInPendingCell() const;
  void ToQuay(StructDat unit);
  void RemoveQuietly(int cell);
  std::string Port(const EdiSegment& segment, bool strict);
  void ReadDgs();
  void ReadTemperature(bool range);
  void ReadDimensions();
  std::string ThisPort3() const;
  bool IsBodyStart() const;
  void Summarise(const std::string& text);

  PlanContext& ctx_;
  PlanData& plan_;
  BaseData& base_;
  std::string bytes_;
  bool opened_ = false;

  EdiSegment seg_;
  StructDat unit_;
  int pending_ = -9;
  std::string handling_ = "LOA";
  std::string defaultOperator_;
  std::string rawPosition_;
  std::string temperatureUnit_;
  bool temperatureSeen_ = false;
  int attached_ = 0;
  int notStored_ = 0;  // refused units the full quay could not take
  std::vector<std::pair<std::string, std::string>> substitutions_;
  // The cells by name while Run reads the message: a message names every
  // cell, and a search of the bay for each would cost more than the rest
  // of the unit's reading.
  std::unordered_map<std::string, int> cellIndex_;
};
