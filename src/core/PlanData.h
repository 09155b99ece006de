#pragma once

// The plan object: every vessel, cargo, base-table and working datum of the
// program in one plain aggregate of fixed-capacity arrays with counts beside
// them. Nothing in it grows; every loader stops at the capacity declared here.
// It is created once on the heap by start-up and handed to code by reference.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// Capacities. Loaders stop or cap at these.
inline constexpr int kMaxBayTrans = 100;       // 50 source/target pairs
inline constexpr int kMaxCells = 9990;
inline constexpr int kPlaneCount = 4;
inline constexpr int kMaxBays = 60;
inline constexpr int kMaxTra = 100;
inline constexpr int kTraLoadLimit = 99;
inline constexpr int kMaxXls = 150;
inline constexpr int kMaxVoyPorts = 300;
inline constexpr int kMaxPorts = 4000;
inline constexpr int kPortsLoadLimit = 2000;
inline constexpr int kMaxTypes = 40;
inline constexpr int kMaxIsos = 300;
inline constexpr int kMaxImos = 30;
inline constexpr int kMaxCsvCols = 80;
inline constexpr int kMaxLisCols = 80;
inline constexpr int kMaxVesParams = 110;
inline constexpr int kVesHdrSize = 150;
inline constexpr int kMaxVet = 150;
inline constexpr int kVesselListSize = 2000;
inline constexpr int kVesselListFields = 5;    // texts per installed vessel
inline constexpr int kMaxVessels = kVesselListSize / kVesselListFields;
inline constexpr int kMaxReeferTypes = 10;
inline constexpr int kSettingsSize = 200;
inline constexpr int kMaxSizes = 40;
inline constexpr int kUnnSize = 15000;
inline constexpr int kUnnFields = 5;            // texts per UN number
inline constexpr int kMaxUnn = kUnnSize / kUnnFields;
inline constexpr int kMessagesSize = 100;
inline constexpr int kSegSize = 25;
inline constexpr int kMaxCsg = 40;
inline constexpr int kDimSize = 20;
inline constexpr int kLimSize = 6;
inline constexpr int kTotalsPorts = 41;
inline constexpr int kTotalsCategories = 21;
inline constexpr int kMaxHatchNames = 50;
inline constexpr int kMaxRouteKeys = 50;
inline constexpr int kRouteLoadLimit = 49;
inline constexpr int kRouteCategories = 20;
inline constexpr int kMaxRepNames = 80;
inline constexpr int kRepDefSize = 26;
inline constexpr int kMaxTre = 16;
inline constexpr int kImoSlots = 10;            // IMO classes and UN numbers per unit
inline constexpr int kEqaSlots = 6;             // attached equipment numbers per unit
inline constexpr int kStackRows = 19;           // rows 0..18 with a stack weight limit
inline constexpr int kStackKinds = 4;           // deck 20', deck 40', hold 20', hold 40'
inline constexpr int kPrintFields = 10;
inline constexpr int kBatchFlags = 5;

// Record UnitInHand of a data set is the unit in hand; 9800..9899 are the
// editor's move queue. Vessel cells use indexes below it only.
inline constexpr int kUnitInHand = 9800;
inline constexpr int kMoveQueueSize = 100;

// Which bulk run raised which of the batch flags.
inline constexpr int kBatchAttributeChange = 0;  // ChangeUnitAttribute, one unit at a time
inline constexpr int kBatchAttributeBulk = 1;    // ChangeUnitAttribute, bulk run
inline constexpr int kBatchClearAll = 2;         // ClearAllUnits
inline constexpr int kBatchReadCondition = 3;    // a condition is being read
inline constexpr int kBatchWriteCondition = 4;   // a condition is being written

// Fixed data-set indexes of Dat.
inline constexpr int kCurPlane = 0;
inline constexpr int kRefPlane = 1;
inline constexpr int kVoyPlane = 2;
inline constexpr int kQuayPlane = 3;

inline constexpr int kWhite = 0xFFFFFF;         // colours are 0x00BBGGRR

// Indexes of VesHdr with a fixed meaning in the code.
namespace VesHdrIx {
inline constexpr int Code = 0;
inline constexpr int Vessel = 1;
inline constexpr int CallSign = 3;
inline constexpr int LightshipWeight = 4;      // 4..7 lightship W, VCG, LCG, TCG
inline constexpr int FixedWeight = 8;          // 8..11 second fixed weight W, VCG, LCG, TCG
inline constexpr int DrawingLength = 12;       // overall length used by drawings and centres
inline constexpr int BaysLength = 13;          // length between perpendiculars
inline constexpr int CellVcgAddition = 31;     // added to the VCG of every cell
inline constexpr int StackLimitDeck20 = 27;    // default stack weight limits when a bay has none
inline constexpr int StackLimitDeck40 = 28;
inline constexpr int StackLimitHold20 = 29;
inline constexpr int StackLimitHold40 = 30;
inline constexpr int Dir = 33;
inline constexpr int VesselOpened = 36;        // "1" once a vessel is opened
inline constexpr int BaysPerLine = 37;
inline constexpr int LongViewLength = 38;
inline constexpr int LongViewHeight = 39;
inline constexpr int Port = 45;
inline constexpr int Voy = 46;
inline constexpr int Adp = 47;                 // condition type letter A, D, P or B
inline constexpr int ImoNumber = 70;
inline constexpr int BridgeBay = 97;           // bay number aft of the bridge
inline constexpr int OpenMark = 109;           // "*" once a vessel is opened
inline constexpr int EdiDir = 105;             // folder of EDIFACT files, when set
}  // namespace VesHdrIx

// Indexes of Settings with a fixed meaning in the code.
namespace SettingsIx {
inline constexpr int WeightClass20Heavy = 0;   // weight-class thresholds, heaviest first
inline constexpr int WeightClass20Medium = 1;
inline constexpr int WeightClass20Light = 2;
inline constexpr int WeightClass40Heavy = 3;
inline constexpr int WeightClass40Medium = 4;
inline constexpr int WeightClass40Light = 5;
inline constexpr int EdiSenderId = 6;
inline constexpr int EdiCarrierCode = 7;
inline constexpr int DataDir = 8;
inline constexpr int ConditionsSubdir = 14;    // "CDZ" if so set, otherwise "COND"
inline constexpr int SendingDir = 15;
inline constexpr int ReceivingDir = 16;
inline constexpr int ListColour = 17;      // both lists of the main window, decimal 0x00BBGGRR
inline constexpr int WindowColour = 18;    // the main window
inline constexpr int CompanyTitle = 22;        // first part of printed title lines
inline constexpr int VesselsRoot = 23;
inline constexpr int ArchiveRoot = 44;
inline constexpr int ColourMode = 50;
inline constexpr int LetterMode = 51;
inline constexpr int SaveWithoutAsking = 67;
inline constexpr int LoadingListOpened = 68;   // show the loading list when quay mode starts
inline constexpr int CheckReeferSegregation = 69;   // running reefers take part in the segregation check
inline constexpr int ImmediateSegregationCheck = 75;  // check after each hazardous placement
inline constexpr int AutoSaveToTemp = 76;
inline constexpr int FirstCustomOption = 67;
inline constexpr int LoadingListAutoselect = 80;    // every line of the list selected
inline constexpr int LoadingListSortByWeight = 81;
inline constexpr int LoadingListLoadMode = 82;      // the list opens in Load mode, else Update mode
inline constexpr int MovinsClearWeights = 83;  // customizing options of the EDIFACT exchange
inline constexpr int MovinsCreateReports = 84;
inline constexpr int EdiFileInSending = 85;
inline constexpr int EdiVoidSlots = 86;
inline constexpr int EdiSegmentEnd = 87;       // "1" CR LF, "2" CR, else nothing
inline constexpr int EdiSevenDigits = 88;
inline constexpr int LoadingListAsText = 89;   // the import's file chooser offers text files first
inline constexpr int LastCustomOption = 90;
inline constexpr int LastVessel = 109;
inline constexpr int ListFontName = 110;
inline constexpr int ListFontSize = 112;
inline constexpr int ParameterFile = 113;
inline constexpr int ExchangeDir = 114;
inline constexpr int EdiVesselIdImo = 124;    // "1": vessels named by IMO number
}  // namespace SettingsIx

// What the stack rules allow in the stack of the cell last evaluated.
struct StructStackRules {
  bool Allow20 = true;
  bool Allow40 = true;
  bool AllowHighCube = true;
  bool FortyOnlyStack = true;
};

// One cell (container slot) of the open vessel.
struct StructCel {
  std::string CELL;      // bay, row and tier digits, zero-padded
  int BAYIX = 0;         // index in Bays
  double LCG = 0;        // 900 or more: takes no 20' unit
  double VCG = 0;
  double TCG = 0;
  double LCG_40 = 0;     // 900 or more: takes no 40' unit
  int FL_RF = 0;         // 1 = reefer socket
  int RESTR = 0;         // 0 none, 2 no 40', 4 no 20', -9 deleted
  int COLUMN = 0;        // drawing column within the bay picture
  int LINE = 0;          // drawing line within the bay picture
  int X = 0;
  int Y = 0;
  int BLK_OH = -1;       // cell whose unit's over-height blocks this one
  int BLK_OWP = -1;      // cell whose unit's over-width to port blocks this one
  int BLK_OWS = -1;      // cell whose unit's over-width to starboard blocks this one
};

// The container data of one cell in one data set. A default-constructed record
// is the empty record: what the condition reader makes of a line whose columns
// are all empty. Copying is a whole-record copy, texts by value.
struct StructDat {
  std::string CONTAINER;
  std::string POL;
  std::string POD;
  std::string PRS;
  std::string FRM;
  double WEIGHT = 0;
  std::string TYP;
  std::string SIZ;
  std::string ISO;
  std::array<std::string, kImoSlots> IMO;
  std::array<std::string, kImoSlots> UN;
  double HEIGHT = 0;
  int TEMP = 0;
  int TEMP_2 = 0;
  int OH = 0;
  int OWP = 0;
  int OWS = 0;
  int OL = 0;
  int OL_2 = 0;
  int MTY = 0;
  std::string OPERATOR;
  std::string BOOKING;
  int RESTOW = 0;
  int FL2 = 0;           // handling class computed on placement
  int FL3 = 0;           // > 0: bundle member of the base unit named in CONTAINER
  std::string BAYTXT;
  int STATUS = 0;        // 0 free, 1 own cell, -1 covered by a 40' unit, 9 transient
  int BUNDLES = 0;
  std::string COL52;
  std::string COL51;
  int ONDECK = 0;
  int COL54 = 0;
  int COL55 = 0;
  std::string COL56;
  std::string COL57;
  std::string NOTE_HAN;
  std::string NOTE_CLR;
  std::string NOTE_AAA;
  std::string NOTE_ZZZ;
  std::array<std::string, kEqaSlots> EQA;
  int POLIX = -1;
  int PODIX = -1;
  int SELECTED = 1;
  std::uint8_t CHANGED = 0;
  std::string POSITION;
  std::string RESTOW_FROM;
  int COL59 = 0;
  std::string COL60;
  std::string COL61;
  std::string COL62;
  std::string COL29;
  std::string WEIGHT_KIND;

  bool operator==(const StructDat&) const = default;
};

// A record holds no unit when nothing stands on, covers or refers to it.
bool IsFreeRecord(const StructDat& record);

// One bay of the open vessel.
struct StructBay {
  std::string BAY;
  int D00 = 0;
  int H00 = 0;
  std::string D40;
  std::string H40;
  int XB5 = 0;
  int XB6 = 0;
  int ROWSHIFT1 = 0;
  int ROWSHIFT2 = 0;
  int ROWSHIFT3 = 0;
  int ROWSHIFT4 = 0;
  int ROWSHIFT5 = 0;
  int D42 = 0;
  int H42 = 0;
  int SECTION = 0;
  int XB15 = 0;
  int XB16 = 0;
  std::string HOLDSHIFT;
  int ATHWART = 0;
  int HC_MAX = 0;
  int TWDK = 0;
  std::array<std::array<double, kStackKinds>, kStackRows> STACKW{};
  std::array<double, 8> FIGURES{};  // running figures, recomputed by placement
  std::array<int, 5> EXTENTS{};     // drawing extents, recomputed by the layout
  int FIRSTCELL = 0;
  int LASTCELL = 0;
  int HOLD = 0;                     // cargo hold under the bay (hld.txt), 0 = not given
  int HATCH = 0;                    // hatch group the bay belongs to
  int HATCHFIRST = 0;               // 1 on the first bay of its hatch group
  int YOFFSET = 0;
  int ROWWEIGHT = 0;
};

struct StructTyp {
  std::string TYP;
  std::string DESCR;
  std::string ISO20;
  std::string ISO40;
  std::string ISO45;
  std::string ISO48;
};

struct StructIso {
  std::string CODE;
  std::string TYPE;
  std::string GROUP;
  std::string DESCR;
};

struct StructImo {
  std::string CLASS;
  std::string TEXT;
  int VALUE = 0;
};

// One line of the container-ship segregation table: what a requirement
// code of the SEG table asks between two units, for one pairing of closed
// and open units. The distance fields are written in the table's own
// grammar (see ContainerShipRules.h); they are kept as read.
struct StructCsg {
  int CODE = 0;
  std::string PAIR;  // CC, CO or OO
  std::string VERT;  // Y, O, D or N
  std::string FAD;   // fore and aft, both on deck
  std::string FAH;   // fore and aft, both under deck
  std::string ATD;   // athwartships, both on deck
  std::string ATH;   // athwartships, both under deck
  std::string MIX;   // one on deck, the other under deck
  bool operator==(const StructCsg&) const = default;
};

struct StructPat {
  int INDEX = 0;
  std::string KIND;
  std::string CAPTION;
  std::string FORMAT;
};

struct StructCsv {
  int COL = 0;
  std::string KIND;
  std::string TEXT;
};

struct StructLis {
  int COL = 0;
  std::string KIND;
  int POS = 0;
  int LEN = 0;
};

struct StructXLS {
  int COL = 0;
  std::string TEXT;
};

struct StructTra {
  std::string KIND;
  std::string FROM;
  std::string TO;
};

struct StructPor {
  std::string CODE;
  std::string PORT;
  std::string COUNTRY;
  std::string LETTER;
  int WINCOLOR = 0;
  int STATE = 0;  // 0 as read, 1 colour changed, 2 added or edited
};

using DataSet = std::array<StructDat, kMaxCells>;

// Unit counts and weights by POL index x POD index x category.
struct StructTotals {
  std::array<std::array<std::array<int, kTotalsCategories>, kTotalsPorts>, kTotalsPorts> COUNT{};
  std::array<std::array<std::array<double, kTotalsCategories>, kTotalsPorts>, kTotalsPorts> WEIGHT{};
};

struct PlanData {
  std::array<std::string, kMaxBayTrans> BayTrans;
  int BayTransCount = 0;
  std::string ProductName = "Zum4";
  std::string DataDir;
  std::string VesselDir;
  std::string ProgramDir;
  std::array<std::string, kPlaneCount> PlaneTitle;
  std::array<StructCel, kMaxCells> Cells;
  std::array<DataSet, kPlaneCount> Dat;
  std::array<StructBay, kMaxBays> Bays;
  std::array<StructTra, kMaxTra> Tra;
  std::array<StructXLS, kMaxXls> Xls;
  std::array<StructPor, kMaxVoyPorts> VoyPorts;
  std::array<StructPor, kMaxPorts> Ports;
  std::array<StructTyp, kMaxTypes> Types;
  std::array<StructIso, kMaxIsos> Isos;
  std::array<StructImo, kMaxImos> Imos;
  std::array<StructCsv, kMaxCsvCols> CsvCols;
  std::array<StructLis, kMaxLisCols> LisCols;
  std::array<StructPat, kMaxVesParams> VesParams;
  std::array<std::string, kVesHdrSize> VesHdr;
  std::array<std::string, kMaxVet> Vet;
  std::array<std::string, kVesselListSize> VesselList;
  std::array<std::string, kMaxReeferTypes> ReeferTypes;
  std::array<std::string, kSettingsSize> Settings;
  std::array<std::string, kMaxSizes> Sizes;
  std::array<std::string, kUnnSize> Unn;
  int UnnCount = 0;
  std::array<std::string, kMessagesSize> Messages;
  std::array<std::array<int, kSegSize>, kSegSize> SegTable{};
  std::array<StructCsg, kMaxCsg> Csg;

  // Counts, each beside the array it counts.
  int CellCount = 0;
  int BayCount = 0;
  int VoyPortCount = 0;
  int PortCount = 0;
  int TypeCount = 0;
  int IsoCount = 0;
  int ImoCount = 0;  // also the used columns of SegTable
  int CsgCount = 0;
  int CsvCount = 0;
  int LisCount = 0;
  int VesParamCount = 0;
  int VetCount = 0;
  int VesselCount = 0;
  int ReeferTypeCount = 0;
  int SizeCount = 0;
  int XlsCount = 0;
  int TraCount = 0;
  int MessageCount = 0;
  int RepCount = 0;
  int TreCount = 0;
  int QuayCount = 0;
  int VoyUnitCount = 0;

  // Where the bay, row and tier digits stand in a cell name (1-based).
  int BayPos = 1;
  int BayLen = 2;
  int RowPos = 3;
  int RowLen = 2;
  int TierPos = 5;
  int TierLen = 2;

  // Data sets of Dat. CurPlane stays 0 for the whole run.
  int CurPlane = kCurPlane;
  int RefPlane = kRefPlane;
  int VoyPlane = kVoyPlane;
  int QuayPlane = kQuayPlane;

  int CurVessel = -1;
  int UnitInHandIndex = kUnitInHand;
  int PlacementError = -1;
  StructStackRules StackRuleFlags;
  int ColourMode = 0;
  int LetterMode = 0;
  int EditorOperation = 0;  // 1 Load, 2 Disch, 3 Restow
  int CellPitchX = 0;
  int CellPitchY = 0;
  int SectionFilter = 0;
  int BaysPerLine = 0;
  int QuayLive = 0;
  int OneBayNumber = 0;
  int LoadSequence = 0;
  int PlanPrintMode = 0;
  std::uint8_t PrintJobOpen = 0;
  std::array<std::uint8_t, kPrintFields> PrintFields{};
  std::uint8_t CheckOnPlace = 1;
  std::uint8_t HighCubeLimits = 1;
  std::uint8_t RemoveToQuay = 0;
  std::uint8_t CelChanged = 0;
  std::uint8_t BayChanged = 0;
  std::uint8_t ConditionModified = 0;
  std::uint8_t RedrawAll = 0;
  std::array<std::uint8_t, kBatchFlags> BatchFlags{};
  std::uint8_t NoRecalc = 0;
  std::uint8_t ArchiveMode = 0;
  std::uint8_t PortsChanged = 0;
  std::uint8_t VesselListChanged = 0;
  std::uint8_t ConfigMode = 0;

  std::array<double, kDimSize> Dim{};
  std::array<double, kLimSize> Lim{};

  StructTotals LoadTotals;
  std::array<std::string, kTotalsPorts> PolList;
  std::array<std::string, kTotalsPorts> PodList;
  std::array<std::string, kMaxHatchNames> HatchNames;
  // Last used slot of PolList / PodList; -1 empty, -2 reset at the next
  // addition. They start empty: 0 would claim one slot holding an empty code.
  int PolCount = -1;
  int PodCount = -1;

  // Quay route matrix.
  std::array<std::string, kMaxRouteKeys> RouteKeys;
  std::array<std::array<int, kRouteCategories>, kMaxRouteKeys> RouteMatrix{};
  int RouteCount = 0;

  std::array<std::string, kMaxRepNames> RepNames;
  std::array<std::array<int, kRepDefSize>, kMaxRepNames> RepDef{};
  std::array<std::string, kMaxTre> TreNames;
  std::array<int, kMaxTre> TreVal{};

  // Sea water density, t/m3. Opening a vessel sets it again; it starts at
  // salt water so that nothing ever divides by a density of 0.
  double SeaDensity = 1.025;
  int LoadLineZone = 0;  // 0 Summer, 1 Winter, 2 Winter NA, 3 Tropical, 4 Fresh Water

  // The working data set.
  DataSet& Cur() { return Dat[CurPlane]; }
  const DataSet& Cur() const { return Dat[CurPlane]; }

  // While any batch flag is set, marking the condition modified does nothing.
  bool InBatch() const;
};

// The one allocation of the plan object, with the start values set.
std::unique_ptr<PlanData> CreatePlanData();
