#include "core/DateText.h"

#include "core/TextHelpers.h"

namespace {
std::string TwoDigits(int n) { return Pad(std::to_string(n), 2, true, "0"); }
}  // namespace

std::string FormatDateTime(const std::tm& time, std::string_view pattern) {
  std::string out;
  size_t i = 0;
  while (i < pattern.size()) {
    const std::string_view rest = pattern.substr(i);
    if (rest.starts_with("yyyy")) {
      out += Pad(std::to_string(time.tm_year + 1900), 4, true, "0");
      i += 4;
    } else if (rest.starts_with("mm")) {
      out += TwoDigits(time.tm_mon + 1);
      i += 2;
    } else if (rest.starts_with("dd")) {
      out += TwoDigits(time.tm_mday);
      i += 2;
    } else if (rest.starts_with("hh")) {
      out += TwoDigits(time.tm_hour);
      i += 2;
    } else if (rest.starts_with("nn")) {
      out += TwoDigits(time.tm_min);
      i += 2;
    } else if (rest.starts_with("ss")) {
      out += TwoDigits(time.tm_sec);
      i += 2;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}
