#pragma once

// What every reader of outside files shares, so that each tells a broken
// file from a good one in the same words: reading the whole file (a folder,
// a missing file or one without read permission named as such), recognising
// content that is no text at all, and listing the lines it passed over.
//
// A reader refuses a file that is not of its kind before it changes
// anything, so that what was loaded before stays as it was; a file of its
// kind with a few lines it cannot read is read, and those lines are listed.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A line a reader passed over, and why.
struct SkippedLine {
  int line = 0;  // 1-based line number in the file
  std::string reason;
  // "line 17: position 990282 is not a cell of the vessel"
  std::string Text() const;
};

// Reads the whole file. False with error "<file>: <reason>", the reason
// being "is a folder, not a file", the system's word for a missing file or
// one that may not be read, or "read error".
bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes, std::string& error);

// ReadFileBytes, refusing bytes that are no text as well (the reason after
// "<file>: " as BinaryContentReason gives it).
bool ReadTextBytes(const std::filesystem::path& file, std::string& bytes, std::string& error);

// Why bytes cannot be the text of any of the program's files: a zero byte,
// or more control characters than a text ever holds. Empty when they may be
// text (the Windows code page's letters above 127 are text).
std::string BinaryContentReason(std::string_view bytes);

// Nothing but blanks, tabs and line ends (an empty file too).
bool IsBlankContent(std::string_view bytes);

// Whether a line holds a control character that no text line holds (a tab
// is text).
bool HasControlCharacter(std::string_view line);

// A number as the files write it: blanks around it, an optional sign,
// digits with at most one "." or "," among or before them. The lenient
// number rules read anything; this tells a number from a text that only
// happens to contain digits.
bool IsNumberText(std::string_view text);

// Whether the file ends inside its last line, cut off by a transfer or a
// copy: the writers end every field with the separator and every line with
// a line end, and the last line has no line end and either does not end
// with the separator or holds fewer of them than the line before it (with
// sameKind, the line before it that begins with the same field).
bool EndsInsideALine(std::string_view bytes, char separator, bool sameKind = false);
inline constexpr std::string_view kCutOffLine = "the file ends inside this line: it was cut off";

// "<file>: 2 lines not read: line 4: <reason>; line 9: <reason>", the first
// ten lines listed and the rest counted. Empty when nothing was skipped.
std::string SkippedLinesMessage(const std::filesystem::path& file, const std::vector<SkippedLine>& lines);
