#include "checks/CheckDigit.h"

#include <algorithm>
#include <cctype>

#include "core/TextHelpers.h"

namespace {

// Index of a character in this table is its value; the blanks hold the
// places of the multiples of 11, which ISO 6346 leaves out.
constexpr std::string_view kValues = "0123456789A BCDEFGHIJK LMNOPQRSTU VWXYZ";

}  // namespace

std::string CheckDigit(std::string_view number) {
  if (number.empty()) return "0";
  // Weights are kept modulo 11, so a long text cannot overflow the sum.
  int sum = 0;
  int weight = 1;
  for (size_t i = 0; i + 1 < number.size(); ++i) {
    const unsigned char ch = static_cast<unsigned char>(number[i]);
    if (ch <= ' ') continue;
    const size_t value = kValues.find(static_cast<char>(ch));
    if (value != std::string_view::npos) sum = (sum + static_cast<int>(value) * weight) % 11;
    weight = weight * 2 % 11;
  }
  return std::string(1, static_cast<char>('0' + sum % 10));
}

CheckDigitResult JudgeCheckDigit(std::string_view number) {
  CheckDigitResult result;
  if (number.size() <= 10) return result;
  const std::string judged = TrimRight(Columns(number, 1, 12));
  if (judged.empty()) return result;
  result.checked = true;
  result.written = judged.back();
  result.correct = CheckDigit(judged);
  result.matches = result.correct[0] == result.written;
  return result;
}
