#pragma once

// The cell layouts of the demo ships, fitted into their hull forms: which
// cells exist, their centres, plugs and restrictions, the bay records and
// the particulars of ptc.txt.

#include "DemoShips.h"

struct PlanData;

// Fills Cells, Bays and VesHdr of plan (which holds the base data: Dim and
// the Vet names) for the ship. Returns the number of cells.
int BuildFeederLayout(PlanData& plan, const ShipDefinition& ship);
int BuildBargeLayout(PlanData& plan, const ShipDefinition& ship);
