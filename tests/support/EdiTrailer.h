#pragma once

// Closes a test message as a correct one is closed: UNT counts the segments
// from UNH on, itself included (a wrong count is read with a warning).

#include <algorithm>
#include <string>

inline std::string WithTrailer(const std::string& body, const std::string& reference,
                               const std::string& lineEnd = "") {
  const size_t unh = body.find("UNH+");
  const long segments =
      unh == std::string::npos ? 0 : std::count(body.begin() + static_cast<long>(unh), body.end(), '\'') + 1;
  return body + "UNT+" + std::to_string(segments) + "+" + reference + "'" + lineEnd + "UNZ+1+" + reference + "'" +
         lineEnd;
}
