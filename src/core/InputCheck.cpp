#include "core/InputCheck.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

constexpr size_t kListedLines = 10;

bool IsTextControl(unsigned char ch) {
  // Tab, line ends, form feed and the old end-of-file mark stand in texts.
  return ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f' || ch == 0x1a;
}

bool IsControl(unsigned char ch) { return (ch < 0x20 && !IsTextControl(ch)) || ch == 0x7f; }

}  // namespace

std::string SkippedLine::Text() const { return "line " + std::to_string(line) + ": " + reason; }

bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes, std::string& error) {
  bytes.clear();
  std::error_code ec;
  // The stream library throws on reading a folder instead of failing.
  if (std::filesystem::is_directory(file, ec)) {
    error = file.string() + ": is a folder, not a file";
    return false;
  }
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = file.string() + ": " + std::strerror(errno ? errno : ENOENT);
    return false;
  }
  try {
    std::ostringstream content;
    content << in.rdbuf();
    bytes = std::move(content).str();
  } catch (const std::exception& e) {
    error = file.string() + ": " + e.what();
    return false;
  }
  if (in.bad()) {
    error = file.string() + ": read error";
    bytes.clear();
    return false;
  }
  return true;
}

bool ReadTextBytes(const std::filesystem::path& file, std::string& bytes, std::string& error) {
  if (!ReadFileBytes(file, bytes, error)) return false;
  const std::string binary = BinaryContentReason(bytes);
  if (binary.empty()) return true;
  error = file.string() + ": " + binary;
  bytes.clear();
  return false;
}

std::string BinaryContentReason(std::string_view bytes) {
  size_t controls = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto ch = static_cast<unsigned char>(bytes[i]);
    if (ch == 0) return "holds binary data (a zero byte at byte " + std::to_string(i + 1) + "), not text";
    if (IsControl(ch)) ++controls;
  }
  // A text may hold a stray control character; one in twenty is no text.
  if (controls > 0 && controls * 20 >= bytes.size())
    return "holds binary data (" + std::to_string(controls) + " control characters in " +
           std::to_string(bytes.size()) + " bytes), not text";
  return {};
}

bool IsBlankContent(std::string_view bytes) {
  return bytes.find_first_not_of(" \t\r\n\f\x1a") == std::string_view::npos;
}

bool HasControlCharacter(std::string_view line) {
  for (char c : line)
    if (IsControl(static_cast<unsigned char>(c))) return true;
  return false;
}

bool IsNumberText(std::string_view text) {
  size_t i = text.find_first_not_of(" \t");
  const size_t end = text.find_last_not_of(" \t");
  if (i == std::string_view::npos) return false;
  if (text[i] == '-' || text[i] == '+') ++i;
  bool digits = false;
  bool separator = false;
  for (; i <= end; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if ((c == '.' || c == ',') && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  return digits;
}

bool EndsInsideALine(std::string_view bytes, char separator, bool sameKind) {
  if (IsBlankContent(bytes) || bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == 0x1a) return false;
  if (bytes.back() != separator) return true;
  const size_t start = bytes.find_last_of("\r\n") + 1;  // npos + 1 is 0
  const std::string_view last = bytes.substr(start);
  const std::string_view kind = last.substr(0, last.find(separator) + 1);
  // The line before it, of the same kind when asked.
  size_t end = start;
  while (end > 0) {
    const size_t lineEnd = bytes.find_last_not_of("\r\n", end - 1);
    if (lineEnd == std::string_view::npos) break;
    const size_t lineStart = bytes.find_last_of("\r\n", lineEnd);
    const size_t from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    const std::string_view line = bytes.substr(from, lineEnd + 1 - from);
    end = from;
    if (IsBlankContent(line) || (sameKind && line.substr(0, kind.size()) != kind)) continue;
    return std::count(line.begin(), line.end(), separator) > std::count(last.begin(), last.end(), separator);
  }
  return false;
}

std::string SkippedLinesMessage(const std::filesystem::path& file, const std::vector<SkippedLine>& lines) {
  if (lines.empty()) return {};
  std::string text = file.string() + ": " + std::to_string(lines.size()) +
                     (lines.size() == 1 ? " line" : " lines") + " not read: ";
  for (size_t i = 0; i < lines.size() && i < kListedLines; ++i) text += (i ? "; " : "") + lines[i].Text();
  if (lines.size() > kListedLines) text += "; and " + std::to_string(lines.size() - kListedLines) + " more";
  return text;
}
