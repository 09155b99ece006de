#include "planning/AttributePanel.h"

#include <algorithm>
#include <string>

#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/UnitRules.h"

namespace {

// Where the serial number starts in a container number: after the owner
// code and the category letter.
constexpr size_t kOwnerCodeLength = 4;
constexpr size_t kCompactNumberLength = 11;

bool IsFlatOrBreakBulk(const std::string& type) {
  StructDat probe;
  probe.TYP = type;
  return IsFlatType(probe) || IsBreakBulk(probe);
}

}  // namespace

std::string PanelType(std::string_view typed) {
  std::string type = Trim(typed);
  return type.size() < 2 ? std::string("DV") : type;
}

void ClearFieldsByType(const PlanData& plan, PanelTexts& texts) {
  const std::string type = PanelType(texts.type);
  if (texts.empty || !IsFlatOrBreakBulk(type)) {
    texts.overWidthPort.clear();
    texts.overWidthStarboard.clear();
    texts.overLength.clear();
    // Open and hard tops may stand out above their frame, nowhere else.
    if (type != "OT" && type != "HO") texts.overHeight.clear();
  }
  StructDat probe;
  probe.TYP = type;
  if (texts.empty || !IsReeferType(plan, probe)) {
    texts.tempMax.clear();
    if (StripBlanks(texts.imo).empty() || ParseInt(texts.tempMin) == 0) texts.tempMin.clear();
  }
}

void ReadPanelTexts(const PanelTexts& texts, StructDat& record) {
  record.POL = texts.pol;
  record.POD = texts.pod;
  record.PRS = texts.prs;
  record.FRM = texts.frm;
  record.SIZ = texts.size;
  record.TYP = PanelType(texts.type);
  record.ISO = texts.iso;
  record.CONTAINER = texts.container;
  record.WEIGHT = ParseReal(texts.weight);
  record.MTY = texts.empty ? 1 : 0;
  record.OPERATOR = texts.oper;
  record.TEMP = ParseInt(texts.tempMin);
  record.TEMP_2 = ParseInt(texts.tempMax);
  record.IMO[0] = texts.imo;
  record.UN[0] = texts.un;
  record.OH = ParseInt(texts.overHeight);
  record.OWP = ParseInt(texts.overWidthPort);
  record.OWS = ParseInt(texts.overWidthStarboard);
  record.OL = ParseInt(texts.overLength);
  record.STATUS = 1;
  record.SELECTED = 1;
}

PanelTexts PanelTextsOf(const PlanData& plan, const StructDat& record) {
  PanelTexts texts;
  texts.container = record.CONTAINER;
  texts.pol = record.POL;
  texts.pod = record.POD;
  texts.prs = record.PRS;
  texts.frm = record.FRM;
  texts.weight = RealOrEmpty(record.WEIGHT);
  texts.size = record.SIZ;
  texts.type = record.TYP;
  texts.iso = record.ISO;
  texts.imo = record.IMO[0];
  texts.un = record.UN[0];
  texts.oper = record.OPERATOR;
  texts.empty = record.MTY == 1;
  // A reefer's setting of 0 degrees is a setting: it is shown.
  if (IsReeferType(plan, record)) {
    texts.tempMin = std::to_string(record.TEMP);
    texts.tempMax = std::to_string(record.TEMP_2);
  } else if (!StripBlanks(record.IMO[0]).empty() && record.TEMP >= 1) {
    texts.tempMin = std::to_string(record.TEMP);
    texts.flashPoint = true;
  }
  texts.overHeight = IntOrEmpty(record.OH);
  texts.overWidthPort = IntOrEmpty(record.OWP);
  texts.overWidthStarboard = IntOrEmpty(record.OWS);
  texts.overLength = IntOrEmpty(record.OL);
  return texts;
}

TypeLabels LabelsForType(std::string_view type) {
  if (Trim(type) == "BB") return {"HEI ", "WID ", "LEN", false};
  return {"OH", "OWP", " OL", true};
}

std::string NormaliseNumber(std::string_view text) {
  std::string number;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < static_cast<unsigned char>('0')) continue;
    number += (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : c;
  }
  if (number.empty()) return number;
  const size_t owner = std::min(kOwnerCodeLength, number.size());
  if (number.size() < kCompactNumberLength) number.insert(owner, kCompactNumberLength - number.size(), '0');
  number.insert(kOwnerCodeLength, 1, ' ');
  return number;
}

bool SkipsNumberCheck(std::string_view type, std::string_view number) {
  return Trim(type) == "BB" || number.starts_with("ET+") || number.starts_with("ET:");
}
