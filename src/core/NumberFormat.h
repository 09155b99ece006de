#pragma once

// The process-wide number format. Numbers are read with "." or "," as the
// decimal separator and written with the one set here, which start-up takes
// from the system locale and tests switch freely.

struct NumberFormat {
  char decimal = '.';
  char thousands = ',';
};

// The start-up rule: number reading takes both "." and "," as decimal
// separators, so when the decimal separator is "," the thousands separator
// must become "." to stay distinct. A "." decimal separator changes nothing.
NumberFormat AdjustNumberFormat(NumberFormat format);

const NumberFormat& CurrentNumberFormat();
void SetNumberFormat(NumberFormat format);

inline char DecimalSeparator() { return CurrentNumberFormat().decimal; }

// Writes with "." as the decimal separator for the life of a scope, whatever
// the locale says (files whose format fixes the separator), and puts the
// previous format back on every way out.
class PointDecimalScope {
 public:
  PointDecimalScope() : saved_(CurrentNumberFormat()) { SetNumberFormat({'.', ','}); }
  ~PointDecimalScope() { SetNumberFormat(saved_); }
  PointDecimalScope(const PointDecimalScope&) = delete;
  PointDecimalScope& operator=(const PointDecimalScope&) = delete;

 private:
  NumberFormat saved_;
};
