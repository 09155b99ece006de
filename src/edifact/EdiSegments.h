#pragma once

// Splitting an EDIFACT interchange into segments, data elements and
// components. The service characters are the standard ones (' + : and the
// release character ?) unless the interchange opens with a UNA service
// string advice, whose characters then hold for the whole file. Line ends are
// never part of the data, so a file on one line, one with a line end after
// each segment and one with blank lines between units read the same.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

class Host;

// Elements beyond the 30th and components beyond the 10th are not kept.
inline constexpr int kEdiElements = 30;
inline constexpr int kEdiComponents = 10;

struct EdiServiceChars {
  char Component = ':';
  char Element = '+';
  char Release = '?';  // '\0': no release character
  char Terminator = '\'';
};

// One segment: element 0 component 0 is the tag; element n component m is
// the m-th component of the n-th data element after the tag.
struct EdiSegment {
  std::array<std::array<std::string, kEdiComponents>, kEdiElements> Parts;
  int ElementCount = 0;  // elements seen, the tag included

  const std::string& Tag() const { return Parts[0][0]; }
  // The text, or an empty text when the segment has no such part.
  const std::string& At(int element, int component = 0) const;
  bool Is(std::string_view tag, std::string_view qualifier) const {
    return Tag() == tag && At(1) == qualifier;
  }
  void Clear();
};

// Walks the segments of an interchange held in memory.
class EdiSegmentReader {
 public:
  explicit EdiSegmentReader(std::string_view bytes);

  // The next segment with at least one data element; false at the end.
  // Segments without any data element (and the UNA advice) are skipped.
  bool Next(EdiSegment& segment);
  const EdiServiceChars& Service() const { return service_; }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
  EdiServiceChars service_;
};

// The service characters a UNA advice at the start of bytes declares, and
// where the segments after it begin. Without a usable advice the standard
// characters and 0.
EdiServiceChars ReadServiceAdvice(std::string_view bytes, size_t& dataStart);

// Reads a whole interchange file. False, with "<file>: <reason>" reported
// through host, when it cannot be opened or read.
bool ReadEdiFile(const std::filesystem::path& file, std::string& bytes, Host& host);
