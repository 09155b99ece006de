#pragma once

// Writing the units of a data set as one EDIFACT interchange: a BAPLIE (the
// bay plan as the vessel leaves the port) or a MOVINS (the restows, then the
// loads of this port). Every value the export dialog offers is a field of
// EdiExportOptions; EdiExportDefaults gives what the dialog shows first.
// Service characters inside values are released with "?", so any text
// reads back as it was written.

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/PlanData.h"
#include "edifact/EdiImport.h"

class Host;

struct EdiExportOptions {
  EdiMessageKind Kind = EdiMessageKind::Baplie;  // Baplie or Movins
  std::string Version = "20";                    // "15", "20" or "22"; MOVINS is always "20"
  std::string DischargingVoy;
  std::string LoadingVoy;
  std::string PlaceOfDeparture;
  std::string NextPort;
  std::string Recipient;
  std::string Sender;
  std::string Carrier;
  bool VesselIdImoNumber = false;  // "IMO number", else "Call sign"
  std::string Nationality;         // of the vessel, written in TDT
  EdiFunction Function = EdiFunction::Original;
  std::tm Now{};
  std::tm Arrival{};
  std::tm Departure{};
  std::tm EstimatedArrival{};
  std::string SegmentEnd;  // "\r\n" ('LF/CR'), "\r" ('CR') or "" ('NIL')
  bool VoidSlots = false;  // bundle members are written too
  std::filesystem::path Folder;
  std::string FileName;
  // The ports after this one (port codes), for the next port of call and
  // the further ports of a MOVINS.
  std::vector<std::string> PortRotation;
  int Plane = kCurPlane;  // the data set written
};

// What the export dialog shows when it opens.
EdiExportOptions EdiExportDefaults(const PlanData& plan, EdiMessageKind kind,
                                   const std::vector<std::string>& portRotation, const std::tm& now);

// Stores the choices the dialog keeps for next time: the segment
// termination (unless switched off with "0") and the vessel-id choice.
void StoreExportChoices(PlanData& plan, const EdiExportOptions& options);

// The reference written in UNB, UNH, BGM, UNT and UNZ.
std::string InterchangeReference(const PlanData& plan);

struct EdiExportResult {
  std::string Text;  // the whole interchange
  int Units = 0;     // units written
  int Segments = 0;  // segments written before UNT, UNB included
};

// Builds the interchange from the records chosen: STATUS above 0, SELECTED
// (BAPLIE only), bundle members only with VoidSlots.
EdiExportResult WriteInterchange(const PlanData& plan, const EdiExportOptions& options);

// Writes Folder/FileName (replacing a file of that name), resets the
// selection marks of the data set and fills message 51: for a BAPLIE
// "created BAPLIE: " + the path, shown unless silent; for a MOVINS message
// 52 + the sending folder, left for the caller to show. False, with the
// file's name and the reason reported, when the file cannot be written.
bool ExportEdi(PlanData& plan, const EdiExportOptions& options, Host& host, bool silent);
