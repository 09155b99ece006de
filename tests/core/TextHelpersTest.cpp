#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "core/NumberFormat.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"

namespace {

// Every case runs once with "." and once with "," as the decimal separator.
class BothSeparators : public ::testing::TestWithParam<char> {
 protected:
  void SetUp() override { SetNumberFormat(AdjustNumberFormat({GetParam(), ' '})); }
  void TearDown() override { SetNumberFormat({}); }
  // An expected text written with "." in the table, in the current separator.
  static std::string Local(std::string text) {
    for (char& ch : text)
      if (ch == '.') ch = DecimalSeparator();
    return text;
  }
};

INSTANTIATE_TEST_SUITE_P(Separator, BothSeparators, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Dot" : "Comma"; });

TEST_P(BothSeparators, ParseRealIsLenient) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"12,5", 12.5},  {"12.5", 12.5},    {"1,5", 1.5},       {"1.5", 1.5},    {"1.2.3", 1.23},
      {"1,2.3", 1.23}, {"5-", -5},        {"--2", -2},        {"", 0},         {"abc", 0},
      {"1 000 kg", 1000}, {" 3,25 m", 3.25}, {"+7", 7},       {"1e5", 15},     {".5", 0.5},
      {"5.", 5},       {"-0.75", -0.75},  {"-", 0},           {",", 0},        {"007", 7},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseReal(c.text), c.value) << '"' << c.text << '"';
}

TEST_P(BothSeparators, ParseIntDropsTheFraction) {
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {
      {"12,9", 12}, {"-3.7", -3}, {"1 000", 1000}, {"7.9", 7},  {"", 0},    {"A12", 12},
      {"-", 0},     {",5", 0},    {"5-", -5},      {"1.2.3", 1}, {"+42", 42},
      {"99999999999999999999", INT_MAX}, {"-99999999999", -INT_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt(c.text), c.value) << '"' << c.text << '"';
}

TEST_P(BothSeparators, RealOrEmptyReadsBackExactly) {
  EXPECT_EQ(RealOrEmpty(0), "");
  EXPECT_EQ(RealOrEmpty(-0.0), "");
  EXPECT_EQ(RealOrEmpty(12.5), Local("12.5"));
  EXPECT_EQ(RealOrEmpty(-3), "-3");
  EXPECT_EQ(RealOrEmpty(0.1), Local("0.1"));
  const double values[] = {0.1,    1.0 / 3,  2.0 / 3,   1e-7,     123456789.125, -2.5e15, 1e300,
                           5e-324, DBL_MAX,  -DBL_MIN,  21.3456,  1.025,         9990.5,  0.30000000000000004};
  for (double x : values) {
    const std::string text = RealOrEmpty(x);
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    EXPECT_EQ(ParseReal(text), x) << text;
  }
}

TEST_P(BothSeparators, FormatFixedRaisesByFortyNineHundredthsAndCuts) {
  struct Case {
    double x;
    int decimals;
    const char* text;  // with "." standing for the separator
  };
  const Case cases[] = {
      {2.456, 2, "2.46"}, {2.454, 2, "2.45"}, {3, 2, "3.00"},    {0.004, 2, "0.00"},
      {-1.256, 2, "-1.26"}, {-2.0, 2, "-2.00"}, {-0.004, 2, "0.00"}, {0, 2, ""}, {0.5, 0, ""}, {-0.5, 0, ""},
      {12.0, 1, "12.0"},  {7.9, 0, "7"},      {-7.9, 0, "-7"},   {1234.5, 3, "1234.500"},
      {0.1, 1, "0.1"},    {99.999, 2, "100.00"}, {1e10, 0, "10000000000"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatFixed(c.x, c.decimals), Local(c.text)) << c.x << " with " << c.decimals;
}

TEST(TextHelpers, FormatFixedNeverShowsNonNumbers) {
  EXPECT_EQ(FormatFixed(NAN, 2), "");
  EXPECT_EQ(FormatFixed(INFINITY, 0), "");
  EXPECT_EQ(RealOrEmpty(NAN), "");
}

TEST(TextHelpers, IntOrEmpty) {
  EXPECT_EQ(IntOrEmpty(0), "");
  EXPECT_EQ(IntOrEmpty(42), "42");
  EXPECT_EQ(IntOrEmpty(-7), "-7");
}

TEST(TextHelpers, PadNeverCuts) {
  EXPECT_EQ(Pad("abc", 2, true), "abc");
  EXPECT_EQ(Pad("7", 3, true, "0"), "007");
  EXPECT_EQ(Pad("ab", 4, false), "ab  ");
  EXPECT_EQ(Pad("", 2, false), "  ");
  EXPECT_EQ(Pad("a", 4, true, "xy"), "xyxya");  // a longer pad may overshoot
  EXPECT_EQ(Pad("a", 4, true, ""), "a");
}

TEST(TextHelpers, BlanksAndColumns) {
  EXPECT_EQ(StripBlanks(" A B  C "), "ABC");
  EXPECT_EQ(TrimRight("ab  \r"), "ab");
  EXPECT_EQ(Trim("  ab c "), "ab c");
  EXPECT_EQ(Columns("ABCDEF", 3, 4), "CD");
  EXPECT_EQ(Columns("ABCDEF", 5, 10), "EF");
  EXPECT_EQ(Columns("ABCDEF", 8, 9), "");
  EXPECT_EQ(Columns("ABCDEF", 1, 1), "A");
  EXPECT_EQ(Columns("ABCDEF", 4, 3), "");
}

TEST(TextHelpers, NormaliseImoClass) {
  struct Case {
    const char* text;
    const char* normal;
  };
  const Case cases[] = {
      {"1.4", "1.4"}, {"CLASS 3", "3"}, {"2.1A", "2.1"}, {"12", "1"},  {"9.0", "9."},
      {"0", ""},      {"", ""},         {"5.1", "5.1"},  {".3", "3"},  {"2.", "2."},
      {"1.2.3", "1.2"}, {"6.1 PG II", "6.1"}, {"0.5", "5"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseImoClass(c.text), c.normal) << '"' << c.text << '"';
}

TEST(TextHelpers, ImoColourFromTheImoTable) {
  auto plan = CreatePlanData();
  plan->Imos[0] = {"3", "Flammable liquids", 0x0000FF};
  plan->Imos[1] = {"2.1", "Flammable gases", 0x00FF00};
  plan->Imos[2] = {"9", "Miscellaneous", 0x123456};  // beyond ImoCount: not listed
  plan->ImoCount = 2;
  EXPECT_EQ(ImoColour(*plan, "3"), 0x0000FF);
  EXPECT_EQ(ImoColour(*plan, "3  "), 0x0000FF);
  EXPECT_EQ(ImoColour(*plan, "2.1"), 0x00FF00);
  EXPECT_EQ(ImoColour(*plan, "2"), kWhite);
  EXPECT_EQ(ImoColour(*plan, "9"), kWhite);
  EXPECT_EQ(ImoColour(*plan, ""), kWhite);
}

TEST(TextHelpers, TitleLine) {
  auto plan = CreatePlanData();
  plan->Settings[SettingsIx::CompanyTitle] = "ACME Lines   ";
  plan->VesHdr[VesHdrIx::Vessel] = "DEMO STAR  ";
  plan->PlaneTitle[kRefPlane] = "ROT 001 D";
  EXPECT_EQ(TitleLine(*plan, kRefPlane), "ACME Lines - m/v DEMO STAR - ROT 001 D");
  EXPECT_EQ(TitleLine(*plan, 7), "ACME Lines - m/v DEMO STAR - ");
}

TEST(TextHelpers, WindowsTextToUtf8) {
  const struct {
    std::string windows, utf8;
  } cases[] = {
      {"GM 1.23 m", "GM 1.23 m"},                             // plain ASCII untouched
      {"heel 2.0\xB0", "heel 2.0\xC2\xB0"},                   // degree sign, Latin-1 range
      {"\x80 12", "\xE2\x82\xAC 12"},                         // euro: the code page's own range
      {"\x96", "\xE2\x80\x93"},                               // en dash
      {"S\xC3O PAULO", "S\xC3\x83O PAULO"},                   // a lone lead byte is a letter
      {"\xC3", "\xC3\x83"},                                   // cut-off sequence at the end
      {"caf\xC3\xA9 /tmp/d\xC3\xA9mo", "caf\xC3\xA9 /tmp/d\xC3\xA9mo"},  // already UTF-8: kept
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},      // a surrogate is no UTF-8
      {"\x81", "\xC2\x81"},                                   // undefined in the code page
  };
  for (const auto& c : cases) EXPECT_EQ(WindowsTextToUtf8(c.windows), c.utf8) << c.windows;
  // Converting twice changes nothing more.
  EXPECT_EQ(WindowsTextToUtf8(WindowsTextToUtf8("2.0\xB0 \x80")), "2.0\xC2\xB0 \xE2\x82\xAC");
}

}  // namespace
