#include "core/TextHelpers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/NumberFormat.h"
#include "core/PlanData.h"

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The digits, an optional '.' and the sign collected by the lenient walk.
struct CleanNumber {
  std::string digits;
  bool negative = false;
};

CleanNumber Clean(std::string_view text, bool stopAtSeparator) {
  CleanNumber n;
  bool separatorSeen = false;
  for (char ch : text) {
    if (ch == '.' || ch == ',') {
      if (stopAtSeparator) separatorSeen = true;
      else if (!separatorSeen) {
        n.digits += '.';
        separatorSeen = true;
      }
    } else if (IsDigit(ch)) {
      if (!(stopAtSeparator && separatorSeen)) n.digits += ch;
    } else if (ch == '-') {
      n.negative = true;
    }
  }
  return n;
}

// The plain text of x with '.' as separator: shortest that reads back exactly.
std::string PlainText(double x) {
  char buffer[400];  // a double's fixed form has at most 309 + 17 digits or so
  auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
  if (result.ec != std::errc()) return "";
  return std::string(buffer, result.ptr);
}

std::string WithDecimalSeparator(std::string text) {
  const char sep = DecimalSeparator();
  for (char& ch : text)
    if (ch == '.') ch = sep;
  return text;
}

}  // namespace

double ParseReal(std::string_view text) {
  CleanNumber n = Clean(text, false);
  bool anyDigit = false;
  for (char ch : n.digits) anyDigit = anyDigit || IsDigit(ch);
  if (!anyDigit) return n.negative ? -0.0 : 0.0;
  std::string number = "0" + n.digits;  // "0" keeps ".5" and "5." readable
  double value = 0;
  auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  // A digit string beyond the range of a double has no sensible value;
  // reading it as 0 keeps it from spreading infinities through sums.
  if (result.ec != std::errc()) value = 0;
  return n.negative ? -value : value;
}

int ParseInt(std::string_view text) {
  CleanNumber n = Clean(text, true);
  // Long digit strings saturate instead of wrapping into another number.
  long long value = 0;
  for (char ch : n.digits) {
    value = value * 10 + (ch - '0');
    if (value > std::numeric_limits<int>::max()) {
      value = std::numeric_limits<int>::max();
      break;
    }
  }
  return static_cast<int>(n.negative ? -value : value);
}

std::string RealOrEmpty(double x) {
  if (x == 0 || !std::isfinite(x)) return "";
  return WithDecimalSeparator(PlainText(x));
}

std::string IntOrEmpty(int n) {
  if (n == 0) return "";
  return std::to_string(n);
}

std::string FormatFixed(double x, int decimals) {
  if (x == 0 || !std::isfinite(x)) return "";
  if (decimals <= 0) {
    const double whole = std::trunc(x);
    if (whole == 0) return "";
    return PlainText(whole);
  }
  // The bias works on the magnitude, so that -2.00 stays -2.00 (raising the
  // value itself would show -1.99) and a value and its negative show the
  // same digits.
  const bool negative = x < 0;
  std::string t = PlainText(std::abs(x) + 0.49 * std::pow(10.0, -decimals));
  if (t.empty()) t = "0";
  const auto p = t.find('.');
  if (p == std::string::npos) {
    t += '.';
    t.append(static_cast<size_t>(decimals), '0');
  } else {
    const size_t after = t.size() - p - 1;
    if (after > static_cast<size_t>(decimals)) t.resize(p + 1 + static_cast<size_t>(decimals));
    else t.append(static_cast<size_t>(decimals) - after, '0');
  }
  // Only a value that shows a digit other than 0 carries its sign.
  if (negative && t.find_first_of("123456789") != std::string::npos) t.insert(0, "-");
  return WithDecimalSeparator(t);
}

std::string Pad(std::string text, int width, bool inFront, std::string_view padText) {
  if (padText.empty()) return text;
  while (static_cast<int>(text.size()) < width) {
    if (inFront) text.insert(0, padText);
    else text.append(padText);
  }
  return text;
}

std::string StripBlanks(std::string_view text) {
  std::string result;
  for (char ch : text)
    if (ch != ' ') result += ch;
  return result;
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  return TrimRight(text.substr(begin));
}

std::string Columns(std::string_view text, int first, int last) {
  if (first < 1) first = 1;
  if (last < first || static_cast<size_t>(first) > text.size()) return "";
  return std::string(text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1)));
}

std::string NormaliseImoClass(std::string_view text) {
  std::string result;
  bool dotSeen = false;
  int digitsSinceDot = 0;
  for (char ch : text) {
    const bool classDigit = ch >= '1' && ch <= '9';
    if ((ch == '.' && !dotSeen && result.size() == 1) || (classDigit && digitsSinceDot == 0)) {
      result += ch;
      if (ch == '.') {
        dotSeen = true;
        digitsSinceDot = 0;
      }
    }
    if (classDigit) ++digitsSinceDot;
    if (result.size() == 3) break;
  }
  if (ParseInt(result) == 0) result.clear();
  return result;
}

int ImoColour(const PlanData& plan, std::string_view imoClass) {
  const std::string wanted = Pad(std::string(imoClass), 3, false);
  for (int i = 0; i < plan.ImoCount && i < kMaxImos; ++i)
    if (Pad(plan.Imos[i].CLASS, 3, false) == wanted) return plan.Imos[i].VALUE;
  return kWhite;
}

std::string TitleLine(const PlanData& plan, int dataSet) {
  std::string title = TrimRight(plan.Settings[SettingsIx::CompanyTitle]) + " - m/v " +
                      TrimRight(plan.VesHdr[VesHdrIx::Vessel]) + " - ";
  if (dataSet >= 0 && dataSet < kPlaneCount) title += plan.PlaneTitle[dataSet];
  return title;
}

namespace {

// Code page 1252 at 0x80..0x9F; the other bytes above 127 are Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the well-formed UTF-8 sequence starting at text[at], 0 if none.
size_t Utf8SequenceAt(std::string_view text, size_t at) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || at + length > text.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t k = 2; k < length; ++k)
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  return length;
}

}  // namespace

std::string WindowsTextToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    if (const size_t length = Utf8SequenceAt(text, i); length > 0) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    const char16_t code = c < 0xA0 ? kWindows1252High[c - 0x80] : static_cast<char16_t>(c);
    if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
    ++i;
  }
  return out;
}
