#pragma once

// The editor's attribute panel without its widgets: which fields a type
// leaves meaningful, how the typed texts become the unit record and a
// record becomes texts again, the captions that change with the type, and
// how a typed container number is tidied and checked.

#include <string>
#include <string_view>

struct PlanData;
struct StructDat;

// The panel's fields as texts, trimmed and in upper case as typed.
struct PanelTexts {
  std::string container;
  std::string pol;
  std::string pod;
  std::string prs;
  std::string frm;
  std::string weight;
  std::string size;
  std::string type;
  std::string iso;
  std::string imo;
  std::string un;
  std::string tempMin;  // reefer minimum, or a hazardous unit's flash point
  std::string tempMax;
  std::string overHeight;
  std::string overWidthPort;
  std::string overWidthStarboard;
  std::string overLength;
  std::string oper;
  bool empty = false;
  // Set by PanelTextsOf: tempMin shows a flash point, not a reefer setting.
  bool flashPoint = false;
};

// The type the record takes from the type field: a code shorter than two
// characters stands for a dry van.
std::string PanelType(std::string_view typed);

// Empties the fields the unit's type gives no meaning: the over-sizes
// unless a full flat or break-bulk unit (an open top or hard top keeps its
// over-height), the temperatures unless a full reefer (a hazardous unit
// keeps a flash point).
void ClearFieldsByType(const PlanData& plan, PanelTexts& texts);

// The panel's texts into the record's fields; the fields the panel does not
// show keep their values. A record read from the panel is a unit standing
// in its own cell and selected.
void ReadPanelTexts(const PanelTexts& texts, StructDat& record);

// What the panel shows of record.
PanelTexts PanelTextsOf(const PlanData& plan, const StructDat& record);

// Break bulk is measured, not over-sized: its fields read as height, width
// and length, and it has no second width.
struct TypeLabels {
  const char* overHeight;
  const char* overWidthPort;
  const char* overLength;
  bool overWidthStarboard;
};
TypeLabels LabelsForType(std::string_view type);

// A container number as typed, in its stored form: upper case, only the
// characters from "0" on (no blanks, hyphens, dots), a short number filled
// to eleven with zeros after the owner code, then a blank after the owner
// code: "abcd-12345" gives "ABCD 0012345". Empty stays empty.
std::string NormaliseNumber(std::string_view text);
// Break bulk and lost-slot markers ("ET:", "ET+") carry no container number
// to tidy or check.
bool SkipsNumberCheck(std::string_view type, std::string_view number);
