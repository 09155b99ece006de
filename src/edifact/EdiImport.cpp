#include "edifact/EdiImport.h"

#include <algorithm>
#include <cctype>

#include "core/Host.h"
#include "core/InputCheck.h"
#include "core/TextHelpers.h"
#include "planning/CellOps.h"
#include "planning/PlanContext.h"
#include "planning/Quay.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"
#include "vessel/Ports.h"

namespace {

bool OptionOn(const std::string& value) { return value > "0"; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Temperatures outside what a reefer can hold were written in tenths.
int TenthsToDegrees(int t) { return (t < -99 || t > 999) ? t / 10 : t; }

int FahrenheitToCelsius(int t) { return (t - 32) * 5 / 9; }

int CapAt(int value, int limit) { return value > limit ? limit : value; }

}  // namespace

void SetDumpLoad(EdiImportOptions& options, bool on) {
  options.DumpLoad = on;
  if (on) options.DumpAll = false;
}

void SetDumpAll(EdiImportOptions& options, bool on) {
  options.DumpAll = on;
  if (on) options.DumpLoad = false;
}

std::string EdiDateText(std::string_view value, std::string_view format) {
  if (!format.empty() && format[0] == '4') return Columns(value, 1, 2) + ":" + Columns(value, 3, 4);
  // Formats 102, 203, 204 and 303 carry the century; the others do not.
  const bool century = format == "102" || format == "204" || (format.size() >= 3 && format[2] == '3');
  std::string text;
  int next = 1;
  if (century) {
    text = Columns(value, 1, 4);
    next = 5;
  } else {
    text = "20" + Columns(value, 1, 2);
    next = 3;
  }
  text += "/" + Columns(value, next, next + 1) + "/" + Columns(value, next + 2, next + 3);
  if (!format.empty() && (format[0] == '2' || format[0] == '3'))
    text += " " + Columns(value, next + 4, next + 5) + ":" + Columns(value, next + 6, next + 7);
  return text;
}

std::string NormaliseContainerNumber(std::string_view text, bool sevenDigits) {
  std::string number;
  bool digitSeen = false;
  for (char c : text) {
    if (static_cast<unsigned char>(c) <= ' ') continue;
    if (IsDigit(c) && !digitSeen) {
      digitSeen = true;
      if (!number.empty()) number += ' ';
    }
    number += c;
  }
  if (sevenDigits && number.size() > 12 && (number[5] == '0' || number[5] == ' ')) number.erase(5, 1);
  return number;
}

EdiImport::EdiImport(PlanContext& ctx, BaseData& base) : ctx_(ctx), plan_(ctx.plan), base_(base) {}

EdiInterchangeCheck CheckInterchange(std::string_view bytes) {
  EdiInterchangeCheck check;
  if (IsBlankContent(bytes)) {
    check.refusal = "is empty, not an EDIFACT interchange";
    return check;
  }
  EdiSegmentReader reader(bytes);
  EdiSegment segment;
  bool serviceSegment = false;
  bool interchangeOpen = false;  // UNB read, its UNZ not yet
  bool coprar = false;
  int inMessage = 0;  // segments since UNH, UNH counted; 0 outside a message
  std::string reference;
  while (reader.Next(segment)) {
    const std::string& tag = segment.Tag();
    if (tag == "UNB" || tag == "UNH") serviceSegment = true;
    if (tag == "UNB") interchangeOpen = true;
    if (tag == "UNZ") interchangeOpen = false;
    if (tag == "UNH") {
      inMessage = 0;
      reference = segment.At(1);
      coprar = segment.At(2).rfind("COPR", 0) == 0;
    }
    if (tag == "UNH" || inMessage > 0) ++inMessage;
    if (tag == "EQD") ++check.equipment;
    if (segment.Is("LOC", "147") || (coprar && tag == "EQD")) ++check.unitStarts;
    if (tag == "UNT" && inMessage > 0) {
      const std::string& stated = segment.At(1);
      if (!IsNumberText(stated) || ParseInt(stated) != inMessage)
        check.countWarnings.push_back("message " + reference + ": its UNT counts " +
                                      (stated.empty() ? std::string("no") : stated) + " segments, it has " +
                                      std::to_string(inMessage));
      inMessage = 0;
    }
  }
  if (inMessage > 0)
    check.countWarnings.push_back("message " + reference + " has no UNT: the file ends inside it, it may be cut off");
  else if (interchangeOpen)
    check.countWarnings.push_back("the interchange has no UNZ: the file may be cut off");
  if (!serviceSegment) check.refusal = "not an EDIFACT interchange (no UNB or UNH segment)";
  return check;
}

bool EdiImport::Open(const std::filesystem::path& file) {
  std::string bytes;
  opened_ = false;
  if (!ReadEdiFile(file, bytes, ctx_.host)) return false;
  const EdiInterchangeCheck check = CheckInterchange(bytes);
  std::string refusal = check.refusal;
  // Units are there, but none begins where a unit begins: the import would
  // read none of them.
  if (refusal.empty() && check.equipment > 0 && check.unitStarts == 0)
    refusal = "no unit can be read: its " + std::to_string(check.equipment) +
              " EQD segments stand without a stowage position (LOC+147) to begin a unit";
  if (!refusal.empty()) {
    ctx_.host.ReportError(file.string() + ": " + refusal);
    return false;
  }
  for (const std::string& warning : check.countWarnings)
    ctx_.host.ReportWarning(file.string() + ": " + warning + "; the message is read as it is");
  OpenBytes(std::move(bytes));
  return true;
}

void EdiImport::OpenBytes(std::string bytes) {
  bytes_ = std::move(bytes);
  opened_ = true;
  Header = EdiHeader{};
  Options = EdiImportOptions{};
  Options.ClearWeights = OptionOn(plan_.Settings[SettingsIx::MovinsClearWeights]);
  Options.SevenDigits = OptionOn(plan_.Settings[SettingsIx::EdiSevenDigits]);
  defaultOperator_.clear();
  substitutions_.clear();
  BusyCursor busy(ctx_.host);
  ReadInterchange(0);
}

std::string EdiImport::ThisPort3() const { return Columns(Options.ThisPort, 3, 5); }

bool EdiImport::IsBodyStart() const {
  if (seg_.Is("LOC", "147")) return true;
  if (Header.Kind == EdiMessageKind::Movins && seg_.Tag() == "HAN") return true;
  return Header.Kind == EdiMessageKind::Coprar && seg_.Tag() == "EQD";
}

void EdiImport::ReadInterchange(int pass) {
  EdiSegmentReader reader(bytes_);
  pending_ = -9;
  Loaded = 0;
  bool body = false;
  while (reader.Next(seg_)) {
    if (!body) body = IsBodyStart();
    if (!body) {
      if (pass == 0) HeaderSegment();
      continue;
    }
    if (pass == 0) return;
    BodySegment(pass);
  }
  // A file cut off after its last unit (no UNT, no UNZ) still has that unit.
  if (pending_ != -9 && (pass == 2 || (pass == 1 && handling_ == "***"))) {
    CompleteUnit(pass);
    if (pass == 2 && UnitDone) UnitDone();
  }
  pending_ = -9;
}

// ---------------------------------------------------------------------------
// Header pass

void EdiImport::HeaderSegment() {
  const std::string& tag = seg_.Tag();
  const std::string& qualifier = seg_.At(1);
  if (tag == "UNB") {
    Header.Sender = seg_.At(2);
    Header.Recipient = seg_.At(3);
    Header.Carrier = seg_.At(10);
  } else if (tag == "UNH") {
    Header.MessageType = seg_.At(2);
    Header.Caption = "Import " + Header.MessageType;
    const std::string kind = Header.MessageType.substr(0, 4);
    Header.Kind = kind == "MOVI"   ? EdiMessageKind::Movins
                  : kind == "COPR" ? EdiMessageKind::Coprar
                                   : EdiMessageKind::Baplie;
    const std::string& version = seg_.At(2, 4);
    Header.Version = version == "SMDG15" ? "1.5" : version == "SMDG22" ? "2.2" : "2.0";
    if (Header.Kind != EdiMessageKind::Movins) handling_ = "LOA";
    SetDumpLoad(Options, true);
  } else if (tag == "BGM") {
    const std::string& code = seg_.At(3);
    Header.Function = code == "2"    ? EdiFunction::Add
                      : code == "4"  ? EdiFunction::Change
                      : code == "5"  ? EdiFunction::Replace
                      : code == "3"  ? EdiFunction::Delete
                      : code == "22" ? EdiFunction::Final
                                     : EdiFunction::Original;
  } else if (tag == "LOC" && (qualifier == "5" || qualifier == "9" || qualifier == "11")) {
    Header.Departure = Pad(seg_.At(2), 5, true, "X");
    Options.ThisPort = Header.Departure;
  } else if (tag == "LOC" && qualifier == "61") {
    Header.NextPort = seg_.At(2);
  } else if (tag == "RFF" && qualifier == "VON") {
    Header.LoadingVoy = seg_.At(1, 1);
  } else if (tag == "RFF" && qualifier == "VM") {
    Header.VesselCode = seg_.At(1, 1);
  } else if (tag == "TDT") {
    Header.DischargingVoy = seg_.At(2);
    if (Header.Version == "1.5") {
      Header.VesselName = seg_.At(4, 3);
      if (seg_.At(4, 1) == "103") Header.VesselCode = seg_.At(4);
      Header.Carrier = seg_.At(6);
    } else {
      Header.VesselName = seg_.At(8, 3);
      if (seg_.At(8, 1) == "103" || seg_.At(8, 1) == "146") Header.VesselCode = seg_.At(8);
      Header.Carrier = seg_.At(5);
    }
    defaultOperator_ = Header.Carrier;
  } else if (tag == "DTM") {
    const std::string text = EdiDateText(seg_.At(1, 1), seg_.At(1, 2));
    if (qualifier == "178") {
      Header.ArrivalDate = text;
    } else if (qualifier == "132") {
      if (Header.Kind == EdiMessageKind::Movins) {
        (Header.ArrivalDate.empty() ? Header.ArrivalDate : Header.NextPortArrival) = text;
      } else {
        if (Header.ArrivalDate.empty()) Header.ArrivalDate = text;
        if (Header.Kind == EdiMessageKind::Baplie) Header.NextPortArrival = text;
      }
    } else if (qualifier == "136" || qualifier == "133" || qualifier == "186") {
      Header.DepartureDate = text;
    }
  } else if (tag == "NAD" && qualifier == "CF") {
    defaultOperator_ = seg_.At(2);
  }
}

// ---------------------------------------------------------------------------
// Body passes

void EdiImport::BodySegment(int pass) {
  const std::string& tag = seg_.Tag();
  const bool movins = Header.Kind == EdiMessageKind::Movins;
  const bool coprar = Header.Kind == EdiMessageKind::Coprar;
  if (movins && tag == "HAN") {
    handling_ = seg_.At(1);
    return;
  }
  const bool boundary = seg_.Is("LOC", "147") || tag == "UNT" || tag == "UNZ" || (coprar && tag == "EQD");
  if (boundary) {
    if (pending_ != -9 && (pass == 2 || (pass == 1 && handling_ == "***"))) {
      CompleteUnit(pass);
      if (pass == 2 && UnitDone) UnitDone();
    }
    pending_ = -9;
  }
  if (pass == 1 && handling_ == "LOA") return;
  if (pass == 2 && handling_ == "DIS") return;
  if (NewPosition(pass)) return;
  FieldSegment();
}

// The segments that start a unit or say where it goes. True when the
// segment is done with.
bool EdiImport::NewPosition(int pass) {
  const bool movins = Header.Kind == EdiMessageKind::Movins;
  const bool coprar = Header.Kind == EdiMessageKind::Coprar;
  const bool loc147 = seg_.Is("LOC", "147");
  const bool equipment = coprar && seg_.Tag() == "EQD";
  const bool newCell =
      movins && (handling_ == "RES" || handling_ == "SHI") && pending_ != -9 && seg_.Is("RFF", "DSI");
  if (!loc147 && !equipment && !newCell) return false;

  if (loc147 || equipment) {
    unit_ = StructDat{};
    temperatureSeen_ = false;
    temperatureUnit_.clear();
    attached_ = 0;
    rawPosition_.clear();
  }
  if (loc147 || (newCell && pass == 2)) ReadPosition(loc147 ? seg_.At(2) : seg_.At(1, 1));
  if (movins && pass == 1 && (newCell || handling_ == "DIS")) {
    RemoveQuietly(pending_);
    return true;
  }
  if (newCell) unit_.RESTOW = 1;
  if (pending_ >= 0) unit_.POSITION = plan_.Cells[static_cast<size_t>(pending_)].CELL;
  if (equipment) {
    pending_ = -1;
    return false;  // the EQD rule reads the unit's equipment
  }
  return true;
}

void EdiImport::ReadPosition(const std::string& text) {
  const std::string trimmed = StripBlanks(text);
  if (Header.Kind == EdiMessageKind::Coprar) {
    rawPosition_ = trimmed;
    pending_ = -8;
    return;
  }
  const int length = std::max(plan_.BayLen + plan_.RowLen + plan_.TierLen, 1);
  if (trimmed.empty()) {
    // A slot without a position: nothing to look for on board.
    rawPosition_.clear();
    pending_ = -1;
    return;
  }
  std::string position = Pad(trimmed, length, true, "0");
  const int pairs = std::clamp(plan_.BayTransCount, 0, kMaxBayTrans / 2);
  for (int k = 0; k < pairs; ++k) {
    const std::string& from = plan_.BayTrans[static_cast<size_t>(2 * k)];
    if (!from.empty() && Columns(position, 1, 3) == from) {
      position = plan_.BayTrans[static_cast<size_t>(2 * k + 1)] + Columns(position, 4, 7);
      break;
    }
  }
  if (static_cast<int>(position.size()) > length)
    position = position.substr(position.size() - static_cast<size_t>(length));
  rawPosition_ = position;
  const int bay = BayOf(plan_, position);
  if (bay > 0 && bay % 2 == 0) {
    position = MakePosition(plan_, bay - 1, RowOf(plan_, position), TierOf(plan_, position));
    unit_.SIZ = "40";
  } else {
    unit_.SIZ = "20";
  }
  unit_.TYP = "DV";
  pending_ = FindCell(position);
}

int EdiImport::FindCell(const std::string& position) const {
  if (cellIndex_.empty()) return FindCellByPosition(plan_, position);
  const auto found = cellIndex_.find(position);
  return found == cellIndex_.end() ? -1 : found->second;
}

void EdiImport::FieldSegment() {
  const std::string& tag = seg_.Tag();
  const std::string& qualifier = seg_.At(1);
  const bool coprar = Header.Kind == EdiMessageKind::Coprar;

  if (tag == "RFF") {
    if (qualifier == "BN") {
      unit_.BOOKING = seg_.At(1, 1);
    } else if (qualifier == "ET") {
      unit_.CONTAINER = "ET:" + Columns(seg_.At(1, 1), 2, 7);
      unit_.FL3 = 1;
    }
  } else if (tag == "MEA") {
    if (qualifier == "VGM" || qualifier == "WT" || qualifier == "AAE" || seg_.At(2) == "AET") {
      const std::string& text = seg_.At(3, 1);
      // A measurement without a value says nothing; it must not wipe out a
      // weight read before it.
      if (Trim(text).empty()) return;
      double value = ParseReal(text);
      // Dividing (not multiplying by 0.001) keeps 26900 kg at 26.9 t, as written.
      if (seg_.At(3) != "TNE" && !(value > 1 && value < 100)) value /= 1000;
      unit_.WEIGHT = value;
      if (qualifier == "VGM" || seg_.At(2) == "VGM") unit_.WEIGHT_KIND = "VGM";
    }
  } else if (tag == "LOC") {
    if (qualifier == "9" || qualifier == "6") {
      unit_.POL = Port(seg_, true);
    } else if (qualifier == "11" || qualifier == "12") {
      unit_.POD = Port(seg_, true);
    } else if (qualifier == "76" || qualifier == "80") {
      unit_.FRM = Port(seg_, true);
    } else if (qualifier == "5" && coprar && unit_.NOTE_ZZZ.starts_with("PRE")) {
      unit_.FRM = Port(seg_, true);
      unit_.NOTE_ZZZ.clear();
    } else if (qualifier == "83" || qualifier == "7" || qualifier == "65" || qualifier == "170") {
      unit_.PRS = Port(seg_, false);
    }
  } else if (tag == "TDT") {
    if (coprar && qualifier == "10" && seg_.At(3) == "1")
      unit_.NOTE_ZZZ = "PRECARRIAGE " + seg_.At(8, 3) + " " + seg_.At(2);
  } else if (tag == "NAD") {
    unit_.OPERATOR = base_.TranslateCode(seg_.At(2), "O");
  } else if (tag == "DGS") {
    ReadDgs();
  } else if (tag == "TMP") {
    ReadTemperature(false);
  } else if (tag == "RNG") {
    ReadTemperature(true);
  } else if (tag == "DIM") {
    ReadDimensions();
  } else if (tag == "FTX") {
    const std::string& text = seg_.At(4);
    if (Trim(text).size() <= 3) return;
    if (qualifier == "AAA") {
      unit_.NOTE_AAA = text;
    } else if (qualifier == "CLR") {
      unit_.NOTE_CLR = text;
    } else if (qualifier == "HAN") {
      unit_.NOTE_HAN = text;
    } else {
      unit_.NOTE_ZZZ += text + " ";
    }
  } else if (tag == "EQD") {
    unit_.FL3 = 0;
    if (qualifier == "BB") {
      unit_.TYP = "BB";
      unit_.CONTAINER = seg_.At(2);
      return;
    }
    unit_.MTY = Trim(seg_.At(6)) == "4" ? 1 : 0;
    if (qualifier == "TE") unit_.TYP = "TE";
    if (qualifier == "ZZZ") unit_.TYP = "ZZ";
    if (qualifier == "CN") {
      unit_.CONTAINER = NormaliseContainerNumber(seg_.At(2), Options.SevenDigits);
      unit_.ISO = seg_.At(3);
      if (unit_.ISO == "XX") {
        unit_.TYP = "??";
        unit_.FRM = "???";
      }
      unit_.HEIGHT = BaseData::IsoHeight(unit_.ISO);
      const std::string sizeType = base_.IsoSizeType(unit_.ISO);
      if (!sizeType.empty()) {
        unit_.TYP = Columns(sizeType, 3, 4);
        unit_.SIZ = Columns(sizeType, 1, 2);
      }
      if (Header.Kind == EdiMessageKind::Movins) unit_.ISO.clear();
    }
  } else if (tag == "EQA" && qualifier == "CN") {
    if (unit_.CONTAINER.empty() || attached_ > 4) return;
    std::string& slot = unit_.EQA[static_cast<size_t>(attached_)];
    slot = NormaliseContainerNumber(seg_.At(2), Options.SevenDigits);
    if (slot == unit_.CONTAINER)
      slot.clear();
    else if (!slot.empty())
      ++attached_;
  }
}

void EdiImport::ReadDgs() {
  std::string imoClass = Trim(seg_.At(2));
  if (imoClass.starts_with("3")) imoClass = "3";
  const std::string un = Trim(seg_.At(3));
  if (imoClass.empty() && un.empty()) return;
  int count = 0;
  while (count < kImoSlots &&
         !(unit_.IMO[static_cast<size_t>(count)].empty() && unit_.UN[static_cast<size_t>(count)].empty()))
    ++count;
  for (int i = 0; i < count; ++i) {
    const std::string& storedClass = unit_.IMO[static_cast<size_t>(i)];
    std::string& storedUn = unit_.UN[static_cast<size_t>(i)];
    if (storedClass != imoClass) continue;
    if (storedUn == un || un == "9999") return;
    if (storedUn == "9999") {
      storedUn = un;
      return;
    }
  }
  const int slot = std::min(count, kImoSlots - 1);
  unit_.IMO[static_cast<size_t>(slot)] = imoClass;
  unit_.UN[static_cast<size_t>(slot)] = un;
  if (count == 0 && !Trim(seg_.At(4)).empty() && !IsReeferType(plan_, unit_)) {
    int flashPoint = ParseInt(seg_.At(4));
    if (seg_.At(4, 1) == "FAH") flashPoint = FahrenheitToCelsius(flashPoint);
    unit_.TEMP = flashPoint;
  }
}

void EdiImport::ReadTemperature(bool range) {
  if (range) {
    temperatureUnit_ = seg_.At(2);
    const int minimum = ParseInt(seg_.At(2, 1));
    const int maximum = ParseInt(seg_.At(2, 2));
    if (minimum == 0 && maximum == 0 && temperatureSeen_ && unit_.TEMP != 0) {
      unit_.TEMP_2 = unit_.TEMP;
    } else {
      unit_.TEMP = minimum;
      unit_.TEMP_2 = maximum;
    }
  } else {
    temperatureUnit_ = seg_.At(2, 1);
    unit_.TEMP = unit_.TEMP_2 = ParseInt(seg_.At(2));
  }
  temperatureSeen_ = true;
  if (temperatureUnit_ == "FAH") {
    unit_.TEMP = FahrenheitToCelsius(unit_.TEMP);
    unit_.TEMP_2 = FahrenheitToCelsius(unit_.TEMP_2);
  }
  unit_.TEMP = TenthsToDegrees(unit_.TEMP);
  unit_.TEMP_2 = TenthsToDegrees(unit_.TEMP_2);
}

void EdiImport::ReadDimensions() {
  const std::string& qualifier = seg_.At(1);
  const int length = ParseInt(seg_.At(2, 1));
  const int width = ParseInt(seg_.At(2, 2));
  const int height = ParseInt(seg_.At(2, 3));
  if (qualifier == "5" || qualifier == "6") {
    unit_.OL += length;
  } else if (qualifier == "7") {
    unit_.OWS = width;
  } else if (qualifier == "8") {
    unit_.OWP = width;
  } else if (qualifier == "9" || qualifier == "1") {
    unit_.OH = height;
    unit_.OL += length;
    if (width > 0) {
      if (qualifier == "1") {
        unit_.OWP = width;
      } else {
        unit_.OWS = width / 2;
        unit_.OWP = width - unit_.OWS;
      }
    }
  }
  unit_.OWP = CapAt(unit_.OWP, 999);
  unit_.OWS = CapAt(unit_.OWS, 999);
  unit_.OH = CapAt(unit_.OH, 999);
  unit_.OL = CapAt(unit_.OL, 9999);
}

// ---------------------------------------------------------------------------
// Ports

std::string EdiImport::Port(const EdiSegment& segment, bool strict) {
  const std::string code = Trim(segment.At(2));
  if (code.empty()) return {};
  std::string country = "XX";
  std::string port = code;
  std::string description = segment.At(3);
  if (code.size() >= 5) {
    country = code.substr(0, 2);
    port = code.substr(2, 3);
  } else if (code.size() == 4) {
    port = code.substr(0, 3);
    description = code;
  }
  if (strict) port = Trim(base_.TranslateCode(port, "P"));
  if (FindPort(plan_, port) >= 0) return port;
  if (!strict) {
    if (country != "XX" && country != "ZZ") AddOrUpdatePort(plan_, port, "", country, "", true);
    return port;
  }
  for (const auto& [read, chosen] : substitutions_)
    if (read == port) return chosen;
  const std::string chosen = Trim(ctx_.host.AskNewPort(country, port, description, Columns(port, 1, 2)));
  if (static_cast<int>(substitutions_.size()) < kMaxPortSubstitutions)
    substitutions_.emplace_back(port, chosen);
  return chosen;
}

// ---------------------------------------------------------------------------
// Completing a unit

void EdiImport::RemoveQuietly(int cell) {
  if (cell < 0) return;
  const std::uint8_t toQuay = plan_.RemoveToQuay;
  plan_.RemoveToQuay = 0;
  RemoveUnit(ctx_, cell);
  plan_.RemoveToQuay = toQuay;
}

// Whether the unit read already stands on board where the message puts it,
// so that a Dump/Load import may leave it alone.
bool EdiImport::StandsInPendingCell() const {
  if (pending_ < 0) {
    return unit_.CONTAINER.size() >= 6 && FindUnitByNumber(plan_, unit_.CONTAINER, plan_.CurPlane) >= 0;
  }
  // A 40' unit named by its aft cell stands there too, as the covered copy.
  const StructDat& there = plan_.Cur()[static_cast<size_t>(pending_)];
  if (there.STATUS != 1 && there.STATUS != -1) return false;
  if (unit_.CONTAINER.empty())
    return there.CONTAINER.empty() && there.POL == unit_.POL && there.POD == unit_.POD;
  if (there.CONTAINER == unit_.CONTAINER) return true;
  return std::find(there.EQA.begin(), there.EQA.end(), unit_.CONTAINER) != there.EQA.end();
}

void EdiImport::ToQuay(StructDat unit) {
  if (pending_ < 0) unit.POSITION = rawPosition_;
  if (!PutToQuay(plan_, unit)) ++notStored_;
  ++Refused;
}

void EdiImport::CompleteUnit(int pass) {
  const bool movins = Header.Kind == EdiMessageKind::Movins;
  const bool coprar = Header.Kind == EdiMessageKind::Coprar;
  const std::string here = ThisPort3();

  unit_.STATUS = 1;
  unit_.SELECTED = 1;
  if (!temperatureSeen_ && IsReeferType(plan_, unit_)) unit_.TEMP = unit_.TEMP_2 = 999;
  if (coprar) {
    if (unit_.POL.empty()) unit_.POL = here;
    if (unit_.OPERATOR.empty()) unit_.OPERATOR = defaultOperator_;
  }

  bool merge = false;
  if (!coprar && pending_ >= 0) {
    const StructDat& there = plan_.Cur()[static_cast<size_t>(pending_)];
    merge = there.STATUS == 1 && there.MTY == 1 && unit_.CONTAINER.size() > 5 &&
            unit_.CONTAINER != there.CONTAINER && unit_.POL == there.POL && unit_.POD == there.POD &&
            unit_.SIZ == there.SIZ;
  }

  if (pass == 1) {
    if (handling_ != "***" || merge || unit_.POL == here || pending_ < 0) return;
    const StructDat& there = plan_.Cur()[static_cast<size_t>(pending_)];
    if (there.STATUS == 0 || (there.STATUS == 1 && there.CONTAINER != unit_.CONTAINER)) {
      const int elsewhere = FindUnitByNumber(plan_, unit_.CONTAINER, plan_.CurPlane);
      if (elsewhere >= 0) {
        RemoveQuietly(elsewhere);
        ++Moved;
      }
      if (plan_.Cur()[static_cast<size_t>(pending_)].STATUS == 1) RemoveQuietly(pending_);
    }
    return;
  }

  const bool restow = !movins && Options.DumpLoad && pending_ >= 0 && Moved > 0 &&
                      plan_.Cur()[static_cast<size_t>(pending_)].STATUS == 0 && unit_.POL != here;
  const bool take =
      coprar || movins || !Options.DumpLoad || unit_.POL == here || restow || !StandsInPendingCell();
  if (!take) return;  // it already stands where the message says

  StructDat work = unit_;
  const double weightRead = work.WEIGHT;
  if (restow) {
    ++Restows;
    work.RESTOW = 1;
  }
  if (merge && AttachedCount(plan_, pending_) < kEqaSlots) {
    const StructDat& there = plan_.Cur()[static_cast<size_t>(pending_)];
    work = there;
    work.EQA[static_cast<size_t>(AttachedCount(plan_, pending_))] = unit_.CONTAINER;
    work.WEIGHT += unit_.WEIGHT;
    RemoveQuietly(pending_);
  }
  if (movins && Options.ClearWeights && work.RESTOW < 1 && work.CONTAINER.empty()) work.WEIGHT = 0;

  StructDat& hand = plan_.Cur()[static_cast<size_t>(plan_.UnitInHandIndex)];
  bool placed = false;
  if (!coprar && pending_ >= 0) {
    hand = work;
    placed = PlaceUnit(ctx_, pending_, movins ? kPlaceInteractive : kPlaceFromQuay);
  }
  if (placed) {
    ++Loaded;
    return;
  }
  hand = StructDat{};
  if (!merge) work.WEIGHT = weightRead;
  ToQuay(work);
}

// ---------------------------------------------------------------------------
// The OK button

void EdiImport::Summarise(const std::string& text) {
  plan_.Messages[51] = text;
  Summaries.push_back(text);
  ctx_.host.ShowMessageNo(51);
}

bool EdiImport::Run() {
  if (!opened_) return false;
  BusyCursor busy(ctx_.host);
  const bool coprar = Header.Kind == EdiMessageKind::Coprar;
  const std::uint8_t noRecalc = plan_.NoRecalc;
  plan_.NoRecalc = 1;
  Summaries.clear();

  AskClearQuay(plan_, ctx_.host, Header.Caption);

  Refused = 0;
  Moved = 0;
  for (char& c : Options.ThisPort) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string here = ThisPort3();
  if (!coprar) {
    const int cells = std::min({plan_.CellCount, plan_.UnitInHandIndex, kMaxCells});
    for (int i = 0; i < cells; ++i) plan_.Cur()[static_cast<size_t>(i)].SELECTED = 1;
    ctx_.SelectionStale = true;
    const std::uint8_t toQuay = plan_.RemoveToQuay;
    plan_.RemoveToQuay = 0;
    if (Options.DumpAll) {
      ClearAllUnits(ctx_);
    } else if (Options.DumpLoad && !here.empty()) {
      ChangeUnitAttribute(ctx_, here, "", kChangePod, true);
      ChangeUnitAttribute(ctx_, here, "", kChangePol, true);
    }
    plan_.RemoveToQuay = toQuay;
  }

  // The cells as the bays hold them, the first of a name winning, as a
  // search of the bay would find them.
  cellIndex_.clear();
  for (int b = 0; b < std::clamp(plan_.BayCount, 0, kMaxBays); ++b) {
    const int last =
        std::min(plan_.Bays[static_cast<size_t>(b)].LASTCELL, std::min(plan_.CellCount, kMaxCells) - 1);
    for (int i = std::max(plan_.Bays[static_cast<size_t>(b)].FIRSTCELL, 0); i <= last; ++i)
      cellIndex_.emplace(plan_.Cells[static_cast<size_t>(i)].CELL, i);
  }

  if (Header.Kind == EdiMessageKind::Movins) {
    plan_.VesHdr[VesHdrIx::Adp] = "P";
    ReadInterchange(1);
  } else if (Header.Kind == EdiMessageKind::Baplie && Options.DumpLoad) {
    handling_ = "***";
    ReadInterchange(1);
    handling_ = "LOA";
  }

  Restows = 0;
  notStored_ = 0;
  ReadInterchange(2);
  cellIndex_.clear();
  plan_.NoRecalc = noRecalc;
  if (notStored_ > 0)
    ctx_.host.ReportError("The quay is full: " + IntOrEmpty(notStored_) + " units of " +
                          (Header.MessageType.empty() ? std::string("the message") : Header.MessageType) +
                          " could not be put to the quay");

  if (Refused > 0) {
    const char* tail = plan_.ConfigMode != 0 ? " cells not created"
                       : coprar              ? " units to quay"
                                             : " units refused and put to quay";
    Summarise(IntOrEmpty(Refused) + tail);
  }
  if (Restows > 0) Summarise(IntOrEmpty(Restows) + " restows ");

  if (!coprar) {
    plan_.RedrawAll = 1;
    ctx_.MarkConditionModified(true);
  } else {
    ctx_.host.PlanChanged();
  }
  return true;
}
