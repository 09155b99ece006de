#pragma once

// The VES exchange: the plan of the open vessel handed to and taken from
// another program as dBASE tables. In the exchange folder (Settings[114])
// stand ves.dbf (the vessel and condition), por.dbf (the ports table) and
// typ.dbf (the container types); its VES subfolder holds cel.dbf (one row
// per cell with the cell's centres and the unit in it) and bay.dbf (one row
// per bay). Tables are found without regard to case.

#include <string>
#include <vector>

#include "core/PlanData.h"

class Host;

// The exchange folder named in the settings exists: the exchange commands
// are offered.
bool HasExchangeFolder(const PlanData& plan);

// Empties and refills the five tables from the working data set. A 40' unit
// is written at its own cell (YES_NO 1) and again, as its copy, at the second
// cell it covers (YES_NO 0); that second cell's record is made a full copy of
// the unit on the way. False, with the failure reported through the host,
// when the exchange folder is missing or a table cannot be written.
bool ExportVes(PlanData& plan, Host& host);

enum class VesImportResult {
  Read,             // the tables belong to the open vessel: Units holds them
  UseLoadList,      // no exchange folder: the loading-list import is the way in
  OtherVessel,      // the tables are of another vessel; message 51 was shown
  Failed,           // a table is missing or unreadable; reported through the host
};

// One unit of the exchange, ready to be put into the unit in hand.
struct VesImportUnit {
  int cell = -1;    // the cell its CELL names
  StructDat unit;   // the empty record filled from the row
};

struct VesImport {
  VesImportResult result = VesImportResult::Failed;
  std::vector<VesImportUnit> units;  // the rows with YES_NO set whose cell exists, in table order
  int skipped = 0;                   // rows with YES_NO set whose cell does not exist
  std::string vessel;                // the VESSEL of ves.dbf, trimmed
};

// Reads the exchange tables of the open vessel. It changes no unit: the
// caller replaces the working data set with the units read (removing every
// unit, placing each read unit through the unit in hand with the quay off,
// then marking the condition modified and asking for the condition to be
// saved). Messages[51] is set and shown when the tables are another vessel's.
VesImport ImportVes(PlanData& plan, Host& host);
