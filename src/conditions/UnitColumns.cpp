#include "conditions/UnitColumns.h"

#include <algorithm>
#include <cmath>

#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

void PutInt(std::string& out, int n) { out = std::to_string(n); }

// A real in its shortest exact form; zero is "0" like any other number.
void PutReal(std::string& out, double x) {
  if (x == 0 || !std::isfinite(x)) out.assign(1, '0');
  else out = RealOrEmpty(x);
}

std::string BayDigits(const PlanData& plan, const std::string& position) {
  return position.substr(0, static_cast<size_t>(std::max(plan.BayLen, 0)));
}

}  // namespace

void UnitToColumns(const PlanData& plan, const StructDat& u, UnitColumnTexts& c) {
  c[0] = u.POSITION;
  c[1] = u.CONTAINER;
  c[2] = u.POL;
  c[3] = u.POD;
  c[4] = u.PRS;
  c[5] = u.FRM;
  PutReal(c[6], u.WEIGHT);
  c[7] = u.TYP;
  c[8] = u.SIZ;
  c[9] = u.ISO;
  c[10] = u.IMO[0];
  c[11] = u.UN[0];
  PutReal(c[12], u.HEIGHT);
  PutInt(c[13], u.TEMP);
  PutInt(c[14], u.TEMP_2);
  PutInt(c[15], u.OH);
  PutInt(c[16], u.OWP);
  PutInt(c[17], u.OWS);
  PutInt(c[18], u.OL);
  c[19] = u.BOOKING;
  PutInt(c[20], u.MTY);
  c[21] = u.OPERATOR;
  PutInt(c[22], u.RESTOW);
  PutInt(c[23], u.FL2);
  PutInt(c[24], u.FL3);
  c[25].clear();
  c[26].clear();
  c[27].clear();
  c[28] = BayDigits(plan, u.POSITION);
  c[29] = u.COL29;
  PutInt(c[30], u.STATUS);
  PutInt(c[31], u.BUNDLES);
  c[32] = u.NOTE_HAN;
  c[33] = u.NOTE_CLR;
  c[34] = u.NOTE_AAA;
  c[35] = u.NOTE_ZZZ;
  for (int k = 0; k < 5; ++k) {
    c[36 + k] = u.EQA[k];
    c[41 + k] = u.IMO[k + 1];
    c[46 + k] = u.UN[k + 1];
  }
  c[51] = u.COL51;
  c[52] = u.COL52;
  PutInt(c[53], u.ONDECK);
  PutInt(c[54], u.COL54);
  PutInt(c[55], u.COL55);
  c[56] = u.COL56;
  c[57] = u.COL57;
  c[58] = u.RESTOW_FROM;
  PutInt(c[59], u.COL59);
  c[60] = u.COL60;
  c[61] = u.COL61;
  c[62].clear();
  c[63] = u.WEIGHT_KIND;
}

UnitColumnTexts UnitToColumns(const PlanData& plan, const StructDat& unit) {
  UnitColumnTexts columns;
  UnitToColumns(plan, unit, columns);
  return columns;
}

void ColumnsToUnit(const PlanData& plan, std::span<const std::string> columns, StructDat& u) {
  static const std::string kEmpty;
  auto col = [&](int i) -> const std::string& {
    return static_cast<size_t>(i) < columns.size() ? columns[static_cast<size_t>(i)] : kEmpty;
  };
  u.POSITION = col(0);
  u.CONTAINER = col(1);
  u.POL = col(2);
  u.POD = col(3);
  u.PRS = col(4);
  u.FRM = col(5);
  u.WEIGHT = ParseReal(col(6));
  u.TYP = col(7);
  u.SIZ = col(8);
  u.ISO = col(9);
  u.IMO[0] = col(10);
  u.UN[0] = col(11);
  u.HEIGHT = ParseReal(col(12));
  u.TEMP = ParseInt(col(13));
  u.TEMP_2 = ParseInt(col(14));
  u.OH = ParseInt(col(15));
  u.OWP = ParseInt(col(16));
  u.OWS = ParseInt(col(17));
  u.OL = ParseInt(col(18));
  u.OL_2 = 0;
  u.BOOKING = col(19);
  u.MTY = ParseInt(col(20));
  u.OPERATOR = col(21);
  u.RESTOW = ParseInt(col(22));
  u.FL2 = ParseInt(col(23));
  u.FL3 = ParseInt(col(24));
  u.BAYTXT = BayDigits(plan, col(0));
  u.COL29 = col(29);
  u.STATUS = ParseInt(col(30));
  u.BUNDLES = ParseInt(col(31));
  u.NOTE_HAN = col(32);
  u.NOTE_CLR = col(33);
  u.NOTE_AAA = col(34);
  u.NOTE_ZZZ = col(35);
  for (int k = 0; k < 5; ++k) {
    u.EQA[k] = col(36 + k);
    u.IMO[k + 1] = col(41 + k);
    u.UN[k + 1] = col(46 + k);
  }
  u.EQA[5].clear();
  for (int k = 6; k < kImoSlots; ++k) {
    u.IMO[k].clear();
    u.UN[k].clear();
  }
  u.COL51 = col(51);
  u.COL52 = col(52);
  u.ONDECK = ParseInt(col(53));
  u.COL54 = ParseInt(col(54));
  u.COL55 = ParseInt(col(55));
  u.COL56 = col(56);
  u.COL57 = col(57);
  u.RESTOW_FROM = col(58);
  u.COL59 = ParseInt(col(59));
  u.COL60 = col(60);
  // A whole number kept as text: "0007" from the loading sequence reads as
  // "7", and an empty or zero column stays empty like a fresh record's.
  u.COL61 = IntOrEmpty(ParseInt(col(61)));
  u.COL62.clear();
  u.WEIGHT_KIND = col(63);
  u.POLIX = -1;
  u.PODIX = -1;
  u.SELECTED = 1;
  u.CHANGED = 0;
}

StructDat ColumnsToUnit(const PlanData& plan, std::span<const std::string> columns) {
  StructDat unit;
  ColumnsToUnit(plan, columns, unit);
  return unit;
}
