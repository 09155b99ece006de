// The checks every reader of outside files shares.

#include "core/InputCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "BadFiles.h"
#include "TempDir.h"

namespace {

TEST(InputCheck, BinaryContentIsNoText) {
  struct Case {
    std::string bytes;
    bool binary;
  } cases[] = {
      {"", false},
      {"A|ZUM FEEDER|DHAM012N.TXT|\r\n", false},
      {"K\xd6LN;DEK\xd6L;\tTAB\r\n\x1a", false},  // code-page letters, a tab, an old end-of-file mark
      {std::string("A|\0|\r\n", 5), true},         // one zero byte
      {"abcdefghijklmnopqrs\x01", true},           // one control character in twenty
      {"abcdefghijklmnopqrst\x01", false},         // a stray one in a longer text
      {RandomBytes(3000), true},
  };
  for (const Case& c : cases) EXPECT_EQ(!BinaryContentReason(c.bytes).empty(), c.binary) << c.bytes;
  EXPECT_EQ(BinaryContentReason(std::string("ab\0", 3)), "holds binary data (a zero byte at byte 3), not text");
}

TEST(InputCheck, NumbersAsTheFilesWriteThem) {
  for (const char* text : {"0", "12", "-3.5", " 4,25 ", "+7", ".5", "5.", "\t9"}) EXPECT_TRUE(IsNumberText(text)) << text;
  for (const char* text : {"", " ", "-", "1.2.3", "x1", "1e5", "1 2", "12a", ","}) EXPECT_FALSE(IsNumberText(text)) << text;
}

TEST(InputCheck, LastLineCutOff) {
  struct Case {
    const char* bytes;
    bool sameKind;
    bool cut;
  } cases[] = {
      {"", false, false},
      {"a;b;\r\nc;d;\r\n", false, false},
      {"a;b;\r\nc;d;", false, false},   // a last line without its line end, but whole
      {"a;b;\r\nc;d", false, true},     // ends inside a field
      {"a;b;c;\r\nd;", false, true},    // fewer fields than the line before
      {"a;b;c;\r\n\r\nd;e;f;", false, false},
      {"C|1|2|3|\r\nT|x|\r\nC|4|", true, true},  // fewer than the last line of its kind
      {"C|1|2|3|\r\nT|x|y|z|\r\nT|w|", true, true},
      {"C|1|2|3|\r\nT|x|", true, false},  // the first of its kind
  };
  for (const Case& c : cases)
    EXPECT_EQ(EndsInsideALine(c.bytes, c.bytes[0] == 'C' ? '|' : ';', c.sameKind), c.cut) << c.bytes;
}

TEST(InputCheck, SkippedLinesAreCountedAndTheFirstTenListed) {
  EXPECT_EQ(SkippedLinesMessage("f.txt", {}), "");
  EXPECT_EQ(SkippedLinesMessage("f.txt", {{4, "odd"}}), "f.txt: 1 line not read: line 4: odd");
  std::vector<SkippedLine> many;
  for (int i = 1; i <= 12; ++i) many.push_back({i, "bad"});
  const std::string text = SkippedLinesMessage("f.txt", many);
  EXPECT_EQ(text.rfind("f.txt: 12 lines not read: line 1: bad; line 2: bad", 0), 0u) << text;
  EXPECT_NE(text.find("line 10: bad; and 2 more"), std::string::npos) << text;
  EXPECT_EQ(text.find("line 11"), std::string::npos);
}

TEST(InputCheck, FilesThatCannotBeReadSayWhy) {
  TempDir dir;
  const std::filesystem::path file = dir.path() / "f.txt";
  for (BadFile kind : {BadFile::Folder, BadFile::NoReadPermission}) {
    SCOPED_TRACE(BadFileName(kind));
    PlaceBadFile(kind, file, "text\r\n", "");
    std::string bytes = "left over", error;
    {
      ReadAsNobody nobody(kind);
      EXPECT_FALSE(ReadFileBytes(file, bytes, error));
    }
    EXPECT_EQ(error, file.string() + ": " + (kind == BadFile::Folder ? "is a folder, not a file" : "Permission denied"));
    EXPECT_EQ(bytes, "");
  }
  std::string bytes, error;
  EXPECT_FALSE(ReadFileBytes(dir.path() / "none.txt", bytes, error));
  EXPECT_EQ(error, (dir.path() / "none.txt").string() + ": No such file or directory");
}

}  // namespace
