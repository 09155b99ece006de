#include "edifact/EdiExport.h"

#include <algorithm>
#include <cmath>

#include "core/DateText.h"
#include "core/Host.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"
#include "vessel/BaseData.h"
#include "vessel/CellAddress.h"

namespace {

namespace fs = std::filesystem;

// Releases the service characters inside a value.
std::string Esc(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (c == '?' || c == '+' || c == ':' || c == '\'') out += '?';
    out += c;
  }
  return out;
}

// Free texts lose the characters that other programs take for separators.
std::string BlankSeparators(std::string text) {
  for (char& c : text)
    if (c == '+' || c == ':' || c == '\'' || c == ';' || c == ',') c = ' ';
  return text;
}

// Whole numbers as the files write them: "0" included.
std::string IntText(long long n) {
  if (n == 0) return "0";
  const long long limit = 2000000000LL;
  return IntOrEmpty(static_cast<int>(std::clamp(n, -limit, limit)));
}

std::string DateDigits(const std::tm& t, bool withTime) {
  return FormatDateTime(t, withTime ? "yyyymmddhhnn" : "yyyymmdd").substr(2);
}

std::string FunctionCode(EdiFunction f) {
  switch (f) {
    case EdiFunction::Add:
      return "2";
    case EdiFunction::Change:
      return "4";
    case EdiFunction::Replace:
      return "5";
    case EdiFunction::Delete:
      return "3";
    case EdiFunction::Final:
      return "22";
    case EdiFunction::Original:
      break;
  }
  return "9";
}

class Writer {
 public:
  Writer(const PlanData& plan, const EdiExportOptions& options) : plan_(plan), o_(options) {
    movins_ = o_.Kind == EdiMessageKind::Movins;
    version_ = movins_ ? "20" : o_.Version;
    suffix_ = version_ == "15" ? "" : ":139:6";
    reference_ = Esc(InterchangeReference(plan));
  }

  EdiExportResult Run() {
    WriteHeader();
    const bool quay = o_.Plane == plan_.QuayPlane;
    const int count =
        std::clamp(quay ? plan_.QuayCount : std::min(plan_.CellCount, plan_.UnitInHandIndex), 0, kMaxCells);
    const std::string port = plan_.VesHdr[VesHdrIx::Port];
    if (movins_) {
      bool first = true;
      for (int i = 0; i < count; ++i) {
        const StructDat& u = Record(i);
        if (!Chosen(u) || u.RESTOW < 1 || u.POL == port) continue;
        if (first) Segment("HAN+RES");
        first = false;
        WriteUnit(i, true);
      }
      Segment("HAN+LOA");
      for (int i = 0; i < count; ++i) {
        const StructDat& u = Record(i);
        if (Chosen(u) && u.POL == port) WriteUnit(i, false);
      }
    } else {
      for (int i = 0; i < count; ++i)
        if (Chosen(Record(i))) WriteUnit(i, false);
    }
    WriteTrailer();
    result_.Text = std::move(text_);
    return result_;
  }

 private:
  const StructDat& Record(int i) const {
    return plan_.Dat[static_cast<size_t>(o_.Plane)][static_cast<size_t>(i)];
  }

  bool Chosen(const StructDat& u) const {
    return u.STATUS > 0 && (movins_ || u.SELECTED != 0) && (u.FL3 < 1 || o_.VoidSlots);
  }

  void Segment(std::string text, bool keepBlanks = false) {
    if (text.size() <= 1) return;
    if (!keepBlanks) {
      std::string cleaned;
      for (char c : text)
        if (!(c == ' ' && !cleaned.empty() && cleaned.back() == ' ')) cleaned += c;
      text = std::move(cleaned);
    }
    text_ += text + "'" + o_.SegmentEnd;
    ++result_.Segments;
  }

  std::string Locode(const std::string& code) const {
    return code.empty() ? std::string() : PortLocode(plan_, code);
  }

  void WriteHeader() {
    const std::tm& now = o_.Now;
    Segment("UNB+UNOA:" + std::string(version_ == "15" || movins_ ? "1" : "2") + "+" + Esc(o_.Sender) + "+" +
                Esc(o_.Recipient) + "+" + DateDigits(now, false) + ":" + FormatDateTime(now, "hhnn") + "+" +
                reference_ + "+++++" + Esc(o_.Carrier),
            true);
    if (version_ == "15")
      Segment("UNH+" + reference_ + "+BAPLIE:1:911:UN:SMDG15");
    else
      Segment("UNH+" + reference_ + "+" + (movins_ ? "MOVINS" : "BAPLIE") + ":D:95B:UN:SMDG" + version_);
    Segment("BGM++" + reference_ + "+" + FunctionCode(o_.Function));
    Segment("DTM+137:" + DateDigits(now, true) + ":201");
    const std::string vessel = Esc(plan_.VesHdr[VesHdrIx::Vessel]);
    const std::string voy = Esc(o_.DischargingVoy);
    const std::string nationality = Esc(o_.Nationality);
    if (version_ == "15") {
      Segment("TDT+20+" + voy + "++" + Esc(plan_.VesHdr[VesHdrIx::CallSign]) + ":103::" + vessel + ":" +
              nationality + "++" + Esc(o_.Carrier) + ":172:20");
    } else if (o_.VesselIdImoNumber) {
      Segment("TDT+20+" + voy + "+++" + Esc(o_.Carrier) + ":172:20+++" +
              Esc(plan_.VesHdr[VesHdrIx::ImoNumber]) + ":146:11:" + vessel + ":" + nationality);
    } else {
      Segment("TDT+20+" + voy + "+++" + Esc(o_.Carrier) + ":172:20+++" +
              Esc(plan_.VesHdr[VesHdrIx::CallSign]) + ":103:ZZZ:" + vessel + ":" + nationality);
    }
    Segment("LOC+5+" + Esc(o_.PlaceOfDeparture) + suffix_);
    Segment("LOC+61+" + Esc(o_.NextPort) + suffix_);
    if (movins_) {
      for (size_t k = 1; k < o_.PortRotation.size(); ++k) {
        const std::string further = Locode(o_.PortRotation[k]);
        if (k == 1 && further == o_.NextPort) continue;
        Segment("LOC+92+" + Esc(further) + suffix_);
      }
      Segment("DTM+132:" + DateDigits(o_.Arrival, true) + ":201");
    } else {
      Segment("DTM+178:" + DateDigits(o_.Arrival, true) + ":201");
      Segment("DTM+136:" + DateDigits(o_.Departure, true) + ":201");
      Segment("DTM+132:" + DateDigits(o_.EstimatedArrival, false) + ":101");
    }
    Segment("RFF+VON:" + Esc(o_.LoadingVoy));
  }

  // The position of a cell as the message names it: the 40' bay for a unit
  // that is not 20', never beyond the 40' bay the vessel declares.
  std::string MessagePosition(const std::string& cellName, bool is20) const {
    if (is20) return cellName;
    const int bay = BayOf(plan_, cellName);
    if (bay < 0) return cellName;
    int fortyBay = bay + 1;
    const int cell = FindCellByPosition(plan_, cellName);
    if (cell >= 0) {
      const int b = plan_.Cells[static_cast<size_t>(cell)].BAYIX;
      if (b >= 0 && b < std::min(plan_.BayCount, kMaxBays)) {
        const StructBay& bayRecord = plan_.Bays[static_cast<size_t>(b)];
        const int declared = ParseInt(IsDeckTier(TierOf(plan_, cellName)) ? bayRecord.D40 : bayRecord.H40);
        if (declared > 0 && fortyBay > declared) fortyBay = declared;
      }
    }
    return MakePosition(plan_, fortyBay, RowOf(plan_, cellName), TierOf(plan_, cellName));
  }

  std::string TranslatedPosition(const std::string& position) const {
    std::string text = "0" + position;
    const int pairs = std::clamp(plan_.BayTransCount, 0, kMaxBayTrans / 2);
    for (int k = 0; k < pairs; ++k) {
      const std::string& outside = plan_.BayTrans[static_cast<size_t>(2 * k + 1)];
      if (!outside.empty() && Columns(text, 1, 3) == outside) {
        text = plan_.BayTrans[static_cast<size_t>(2 * k)] + text.substr(std::min<size_t>(3, text.size()));
        break;
      }
    }
    return text;
  }

  std::string Number(const std::string& container) const {
    if (version_ == "15" || container.size() < 6) return container;
    return StripBlanks(container);
  }

  std::string IsoCode(const StructDat& u) const {
    const std::string iso = Trim(u.ISO);
    if (iso.size() >= 4 && !iso.starts_with("00")) return iso;
    std::string lengthCode;
    const int sizes = std::clamp(plan_.SizeCount, 0, kMaxSizes);
    for (int i = 0; i < sizes && lengthCode.empty(); ++i) {
      const std::string& entry = plan_.Sizes[static_cast<size_t>(i)];
      if (entry.size() >= 3 && entry.substr(0, 2) == u.SIZ) lengthCode = entry.substr(2, 1);
    }
    // Without a size table the usual length codes stand in.
    if (lengthCode.empty()) lengthCode = u.SIZ == "45" ? "L" : Columns(u.SIZ, 1, 1);
    std::string typeCode = u.TYP;
    const int types = std::clamp(plan_.TypeCount, 0, kMaxTypes);
    for (int i = 0; i < types; ++i) {
      if (plan_.Types[static_cast<size_t>(i)].TYP == u.TYP) {
        typeCode = Columns(plan_.Types[static_cast<size_t>(i)].ISO20, 3, 4);
        break;
      }
    }
    return lengthCode + BaseData::HeightCode(u) + typeCode;
  }

  void WriteUnit(int i, bool restowPass) {
    const StructDat& u = Record(i);
    const bool is20 = Is20Foot(u);
    const bool quay = o_.Plane == plan_.QuayPlane;
    const std::string cellName =
        i < plan_.CellCount ? plan_.Cells[static_cast<size_t>(i)].CELL : (quay ? u.POSITION : std::string());
    const std::string present = MessagePosition(cellName, is20);
    // A restow whose old place is unknown is written from where it stands.
    const bool from = restowPass && !Trim(u.RESTOW_FROM).empty();
    const std::string written = from ? MessagePosition(u.RESTOW_FROM, is20) : present;
    Segment("LOC+147+" + Esc(TranslatedPosition(written)) + "::5");

    if (!movins_) {
      const std::pair<const char*, const std::string*> notes[] = {
          {"HAN", &u.NOTE_HAN}, {"CLR", &u.NOTE_CLR}, {"AAA", &u.NOTE_AAA}, {"ZZZ", &u.NOTE_ZZZ}};
      for (const auto& [qualifier, note] : notes)
        if (note->size() >= 2) Segment(std::string("FTX+") + qualifier + "+++" + Esc(BlankSeparators(*note)));
    }

    const long long kilograms = static_cast<long long>(std::floor(u.WEIGHT * 1000.0 + 1e-6));
    if (u.WEIGHT_KIND == "VGM" && version_ == "22")
      Segment("MEA+VGM++KGM:" + IntText(kilograms));
    else
      Segment("MEA+WT++KGM:" + IntText(kilograms));

    if (IsBreakBulk(u) && (u.OWP >= 1 || u.OWS >= 1) && u.OH >= 1 && u.OL >= 1) {
      Segment("DIM+1+CM:" + IntText(u.OL) + ":" + IntText(u.OWP + u.OWS) + ":" + IntText(u.OH));
    } else {
      if (u.OWS >= 1) Segment("DIM+7+CM::" + IntText(u.OWS));
      if (u.OWP >= 1) Segment("DIM+8+CM::" + IntText(u.OWP));
      if (u.OH != 0) Segment("DIM+9+CM:::" + IntText(u.OH));
      if (u.OL >= 1) Segment("DIM+5+CM:" + IntText(u.OL));
    }

    const bool reefer = IsReeferType(plan_, u);
    if (reefer && u.MTY != 1 && u.TEMP < 999) {
      Segment("TMP+2+" + IntText(u.TEMP) + ":CEL");
      if (u.TEMP_2 != u.TEMP) Segment("RNG+4+CEL:" + IntText(u.TEMP) + ":" + IntText(u.TEMP_2));
    }

    const bool v15 = version_ == "15";
    Segment(std::string(v15 ? "LOC+6+" : "LOC+9+") + Esc(Locode(u.POL)) + suffix_);
    Segment(std::string(v15 ? "LOC+12+" : "LOC+11+") + Esc(Locode(u.POD)) + suffix_);
    if (u.PRS > "   ") Segment("LOC+83+" + Esc(Locode(u.PRS)) + suffix_);
    if (u.FRM > "   ") Segment("LOC+76+" + Esc(Locode(u.FRM)) + suffix_);

    ++result_.Units;
    if (u.FL3 >= 1 && u.CONTAINER.starts_with("ET:")) {
      Segment("RFF+ET:0" + Esc(Columns(u.CONTAINER, 4, 9)));
      return;
    }
    Segment(IsBreakBulk(u) ? "RFF+ET:0" + Esc(present) : std::string("RFF+BM:1"));
    if (restowPass) Segment("RFF+DSI:0" + Esc(present));

    if (IsBreakBulk(u))
      Segment("EQD+BB+" + Esc(u.CONTAINER));
    else
      Segment("EQD+CN+" + Esc(Number(u.CONTAINER)) + "+" + Esc(IsoCode(u)) + "+++" +
              (u.MTY == 1 ? "4" : "5"));
    for (const std::string& attached : u.EQA)
      if (!attached.empty()) Segment("EQA+CN+" + Esc(Number(attached)));
    Segment("NAD+CA+" + Esc(u.OPERATOR.empty() ? std::string("XXX") : u.OPERATOR) + ":172:20");
    for (int k = 0; k < kImoSlots; ++k) {
      const std::string& imoClass = u.IMO[static_cast<size_t>(k)];
      const std::string& un = u.UN[static_cast<size_t>(k)];
      if (imoClass.empty() && un.empty()) continue;
      std::string dgs = "DGS+IMD+" + Esc(imoClass) + "+" + Esc(un);
      if (k == 0 && u.TEMP >= 1 && !reefer) dgs += "+" + IntText(u.TEMP) + ":CEL";
      Segment(dgs);
    }
  }

  void WriteTrailer() {
    const int counted = result_.Segments;
    Segment("UNT+" + IntText(counted) + "+" + reference_);
    Segment("UNZ+1+" + reference_);
    result_.Segments = counted;
  }

  const PlanData& plan_;
  const EdiExportOptions& o_;
  bool movins_ = false;
  std::string version_;
  std::string suffix_;
  std::string reference_;
  std::string text_;
  EdiExportResult result_;
};

}  // namespace

std::string InterchangeReference(const PlanData& plan) {
  return plan.VesHdr[VesHdrIx::Adp] + PortLocode(plan, plan.VesHdr[VesHdrIx::Port]) +
         plan.VesHdr[VesHdrIx::Voy];
}

EdiExportOptions EdiExportDefaults(const PlanData& plan, EdiMessageKind kind,
                                   const std::vector<std::string>& portRotation, const std::tm& now) {
  EdiExportOptions o;
  o.Kind = kind == EdiMessageKind::Movins ? EdiMessageKind::Movins : EdiMessageKind::Baplie;
  const bool movins = o.Kind == EdiMessageKind::Movins;
  const std::string& adp = plan.VesHdr[VesHdrIx::Adp];
  const std::string& voy = plan.VesHdr[VesHdrIx::Voy];
  const std::string& port = plan.VesHdr[VesHdrIx::Port];
  const std::string& code = plan.VesHdr[VesHdrIx::Code];
  const bool arrival = adp == "A";
  (arrival ? o.DischargingVoy : o.LoadingVoy) = voy;
  if (!arrival) o.PlaceOfDeparture = PortLocode(plan, port);
  o.Now = o.Arrival = o.Departure = o.EstimatedArrival = now;
  o.PortRotation = portRotation;
  if (arrival)
    o.NextPort = PortLocode(plan, port);
  else if (!portRotation.empty() && !portRotation.front().empty())
    o.NextPort = PortLocode(plan, portRotation.front());
  o.Recipient = movins ? PortLocode(plan, port) : o.NextPort;
  o.Sender = plan.Settings[SettingsIx::EdiSenderId];
  o.Carrier = plan.Settings[SettingsIx::EdiCarrierCode];
  o.VesselIdImoNumber = plan.Settings[SettingsIx::EdiVesselIdImo] == "1";
  o.Version = "20";
  const std::string& ending = plan.Settings[SettingsIx::EdiSegmentEnd];
  o.SegmentEnd = ending == "1" ? "\r\n" : ending == "2" ? "\r" : "";
  o.VoidSlots = plan.Settings[SettingsIx::EdiVoidSlots] == "1";
  o.FileName = code + "_" + voy + "_" + port + (movins ? "_MOVINS.EDI" : ".EDI");
  fs::path folder = fs::path(plan.VesselDir) / "edi";
  const std::string& ediDir = plan.VesHdr[VesHdrIx::EdiDir];
  if (ediDir > " ") folder = ediDir;
  if (movins || plan.Settings[SettingsIx::EdiFileInSending] > "0")
    folder = plan.Settings[SettingsIx::SendingDir];
  o.Folder = folder;
  return o;
}

void StoreExportChoices(PlanData& plan, const EdiExportOptions& options) {
  std::string& ending = plan.Settings[SettingsIx::EdiSegmentEnd];
  if (ending != "0") ending = options.SegmentEnd == "\r\n" ? "1" : options.SegmentEnd == "\r" ? "2" : ending;
  plan.Settings[SettingsIx::EdiVesselIdImo] = options.VesselIdImoNumber ? "1" : "0";
}

EdiExportResult WriteInterchange(const PlanData& plan, const EdiExportOptions& options) {
  if (options.Plane < 0 || options.Plane >= kPlaneCount) return {};
  return Writer(plan, options).Run();
}

bool ExportEdi(PlanData& plan, const EdiExportOptions& options, Host& host, bool silent) {
  BusyCursor busy(host);
  const EdiExportResult result = WriteInterchange(plan, options);
  const fs::path file = options.Folder / options.FileName;
  std::error_code ec;
  if (!options.Folder.empty()) fs::create_directories(options.Folder, ec);
  std::string error;
  if (!WriteFileAtomically(file, result.Text, error)) {
    host.ReportError(error);
    return false;
  }
  if (options.Plane >= 0 && options.Plane < kPlaneCount)
    for (StructDat& record : plan.Dat[static_cast<size_t>(options.Plane)]) record.SELECTED = 1;
  if (options.Kind == EdiMessageKind::Movins) {
    plan.Messages[51] = plan.Messages[52] + plan.Settings[SettingsIx::SendingDir];
  } else {
    plan.Messages[51] = "created BAPLIE: " + file.string();
    if (!silent) host.ShowMessageNo(51);
  }
  return true;
}
