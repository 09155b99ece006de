#include "edifact/EdiSegments.h"

#include "core/Host.h"
#include "core/InputCheck.h"

namespace {

const std::string kNoText;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// A UNA advice is only taken when its separators can be told apart and none
// of them is a character the reader drops anyway.
bool UsableAdvice(const EdiServiceChars& s) {
  const char separators[] = {s.Component, s.Element, s.Terminator};
  for (char c : separators)
    if (IsLineEnd(c) || c == ' ' || c == '\0') return false;
  if (s.Component == s.Element || s.Component == s.Terminator || s.Element == s.Terminator) return false;
  if (s.Release != '\0' && (s.Release == s.Component || s.Release == s.Element || s.Release == s.Terminator))
    return false;
  return true;
}

}  // namespace

const std::string& EdiSegment::At(int element, int component) const {
  if (element < 0 || element >= kEdiElements || component < 0 || component >= kEdiComponents) return kNoText;
  return Parts[static_cast<size_t>(element)][static_cast<size_t>(component)];
}

void EdiSegment::Clear() {
  const int used = ElementCount < kEdiElements ? ElementCount : kEdiElements;
  for (int e = 0; e < used || e == 0; ++e)
    for (std::string& c : Parts[static_cast<size_t>(e)]) c.clear();
  ElementCount = 0;
}

EdiServiceChars ReadServiceAdvice(std::string_view bytes, size_t& dataStart) {
  dataStart = 0;
  size_t i = 0;
  // A byte-order mark or line ends before the advice do not hide it.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  while (i < bytes.size() && (IsLineEnd(bytes[i]) || bytes[i] == ' ')) ++i;
  if (bytes.size() < i + 9 || bytes.substr(i, 3) != "UNA") return {};
  EdiServiceChars advice;
  advice.Component = bytes[i + 3];
  advice.Element = bytes[i + 4];
  // bytes[i + 5] is the decimal mark: numbers are read leniently anyway.
  advice.Release = bytes[i + 6] == ' ' ? '\0' : bytes[i + 6];
  advice.Terminator = bytes[i + 8];
  if (!UsableAdvice(advice)) return {};
  dataStart = i + 9;
  return advice;
}

EdiSegmentReader::EdiSegmentReader(std::string_view bytes) : bytes_(bytes) {
  service_ = ReadServiceAdvice(bytes_, pos_);
}

bool EdiSegmentReader::Next(EdiSegment& segment) {
  const EdiServiceChars s = service_;
  while (pos_ < bytes_.size()) {
    segment.Clear();
    segment.ElementCount = 1;
    int element = 0;
    int component = 0;
    // Blanks are dropped after a blank and at the start of a segment (the
    // indentation of hand-edited files); line ends do not count as bytes.
    char previous = s.Terminator;
    bool released = false;
    bool ended = false;
    while (pos_ < bytes_.size()) {
      const char c = bytes_[pos_++];
      if (IsLineEnd(c)) continue;
      if (released) {
        released = false;
      } else if (s.Release != '\0' && c == s.Release) {
        released = true;
        previous = c;
        continue;
      } else if (c == s.Terminator) {
        ended = true;
        break;
      } else if (c == s.Element) {
        ++element;
        component = 0;
        if (element < kEdiElements) segment.ElementCount = element + 1;
        previous = c;
        continue;
      } else if (c == s.Component) {
        ++component;
        previous = c;
        continue;
      }
      if (c == ' ' && (previous == ' ' || previous == s.Terminator)) continue;
      previous = c;
      if (element < kEdiElements && component < kEdiComponents)
        segment.Parts[static_cast<size_t>(element)][static_cast<size_t>(component)] += c;
    }
    (void)ended;  // a last segment without its terminator still counts
    // A UNA advice that could not be taken is no data either.
    if (element > 0 && segment.Tag() != "UNA") return true;
  }
  segment.Clear();
  return false;
}

bool ReadEdiFile(const std::filesystem::path& file, std::string& bytes, Host& host) {
  std::string error;
  if (ReadFileBytes(file, bytes, error)) return true;
  host.ReportError(error);
  return false;
}
