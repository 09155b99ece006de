#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "edifact/EdiSegments.h"

namespace {

// Every segment as "TAG|e1c0:e1c1|e2c0..." so that a whole file compares in one go.
std::vector<std::string> Flatten(const std::string& bytes) {
  std::vector<std::string> out;
  EdiSegmentReader reader(bytes);
  EdiSegment segment;
  while (reader.Next(segment)) {
    std::string text = segment.Tag();
    for (int e = 1; e < segment.ElementCount; ++e) {
      text += "|";
      int last = kEdiComponents - 1;
      while (last > 0 && segment.At(e, last).empty()) --last;
      for (int c = 0; c <= last; ++c) text += (c > 0 ? ":" : "") + segment.At(e, c);
    }
    out.push_back(text);
  }
  return out;
}

// A blank after a blank is dropped, so the doubled blank of the text reads as one.
const std::vector<std::string> kExpected = {"UNH|1|BAPLIE:D:95B:UN:SMDG20", "LOC|147|0010682::5",
                                            "MEA|WT||KGM:24000", "FTX|AAA|||KEEP COOL", "UNT|4|1"};

TEST(EdiSegments, LayoutsReadTheSame) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"one line",
       "UNH+1+BAPLIE:D:95B:UN:SMDG20'LOC+147+0010682::5'MEA+WT++KGM:24000'FTX+AAA+++KEEP  COOL'UNT+4+1'"},
      {"CR LF",
       "UNH+1+BAPLIE:D:95B:UN:SMDG20'\r\nLOC+147+0010682::5'\r\nMEA+WT++KGM:24000'\r\n"
       "FTX+AAA+++KEEP  COOL'\r\nUNT+4+1'\r\n"},
      {"LF and blank lines",
       "UNH+1+BAPLIE:D:95B:UN:SMDG20'\n\nLOC+147+0010682::5'\nMEA+WT++KGM:24000'\n\n"
       "FTX+AAA+++KEEP  COOL'\nUNT+4+1'\n\n"},
      {"indented",
       "  UNH+1+BAPLIE:D:95B:UN:SMDG20'\r\n   LOC+147+0010682::5'\r\n MEA+WT++KGM:24000'\r\n"
       "FTX+AAA+++KEEP  COOL'\r\n\tUNT+4+1'"},
      {"no last terminator",
       "UNH+1+BAPLIE:D:95B:UN:SMDG20'LOC+147+0010682::5'MEA+WT++KGM:24000'"
       "FTX+AAA+++KEEP  COOL'UNT+4+1"},
      {"line break inside a segment",
       "UNH+1+BAPLIE:D:95B:UN:SMDG20'LOC+147+00106\r\n82::5'MEA+WT++KGM:24000'"
       "FTX+AAA+++KEEP  COOL'UNT+4+1'"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> got = Flatten(c.bytes);
    // A tab is not a blank: the indented case keeps it in the tag.
    if (std::string(c.name) == "indented") {
      ASSERT_EQ(got.size(), kExpected.size());
      EXPECT_EQ(got.back(), "\tUNT|4|1");
      got.back() = "UNT|4|1";
    }
    EXPECT_EQ(got, kExpected) << c.name;
  }
}

TEST(EdiSegments, ReleaseCharacterAndUnaAdvice) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
  } cases[] = {
      {"released separators", "FTX+AAA+++A?+B?:C?'D??E'LOC+9+X'", {"FTX|AAA|||A+B:C'D?E", "LOC|9|X"}},
      {"release before a line end", "FTX+AAA+++AB?\r\n:C'", {"FTX|AAA|||AB:C"}},
      {"release at the very end", "FTX+AAA+++AB?", {"FTX|AAA|||AB"}},
      {"standard advice", "UNA:+.? 'UNB+UNOA:2+S'LOC+9+A?+B'", {"UNB|UNOA:2|S", "LOC|9|A+B"}},
      {"advice after line ends", "\r\nUNA:+.? '\r\nLOC+9+X'", {"LOC|9|X"}},
      {"own characters",
       "UNA|*.# ~UNB*UNOA|2*S~FTX*AAA***a+b:c'd#~e~",
       {"UNB|UNOA:2|S", "FTX|AAA|||a+b:c'd~e"}},
      {"advice without release", "UNA:+.  ;LOC+9+A?B;", {"LOC|9|A?B"}},
      {"unusable advice is ignored", "UNA+++? 'LOC+9+X'", {"LOC|9|X"}},
      {"short advice", "UNA:+", {}},
      {"segments without elements", "UNH'XYZ'LOC+9+X'''+'", {"LOC|9|X", "|"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Flatten(c.bytes), c.expected) << c.name;
}

TEST(EdiSegments, ExtraElementsAndComponentsAreDropped) {
  std::string bytes = "GID";
  for (int e = 1; e <= 40; ++e) bytes += "+" + std::to_string(e);
  bytes += "'DIM+1";
  for (int c = 0; c < 15; ++c) bytes += ":" + std::to_string(c);
  bytes += "'";
  EdiSegmentReader reader(bytes);
  EdiSegment segment;
  ASSERT_TRUE(reader.Next(segment));
  EXPECT_EQ(segment.ElementCount, kEdiElements);
  EXPECT_EQ(segment.At(29), "29");
  EXPECT_EQ(segment.At(30), "");
  EXPECT_EQ(segment.At(-1, 0), "");
  ASSERT_TRUE(reader.Next(segment));
  EXPECT_EQ(segment.Tag(), "DIM");
  EXPECT_EQ(segment.At(1, 9), "8");
  EXPECT_EQ(segment.At(1, 10), "");
  EXPECT_EQ(segment.At(2), "") << "nothing of the previous segment is left";
  EXPECT_FALSE(reader.Next(segment));
}

TEST(EdiSegments, FileThatCannotBeReadIsReported) {
  TempDir dir;
  ScriptedHost host;
  std::string bytes = "old";
  EXPECT_FALSE(ReadEdiFile(dir.path() / "missing.edi", bytes, host));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("missing.edi"), std::string::npos);
  EXPECT_TRUE(bytes.empty());

  EXPECT_FALSE(ReadEdiFile(dir.path(), bytes, host)) << "a folder is no file";
  EXPECT_EQ(host.errors.size(), 2u);

  const auto file = dir.Write("plan.edi", "UNH+1+BAPLIE'");
  EXPECT_TRUE(ReadEdiFile(file, bytes, host));
  EXPECT_EQ(bytes, "UNH+1+BAPLIE'");
}

}  // namespace
