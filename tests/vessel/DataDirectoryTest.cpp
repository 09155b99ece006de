#include <gtest/gtest.h>

#include "TempDir.h"
#include "vessel/DataDirectory.h"
#include "vessel/FileNames.h"

namespace {

namespace fs = std::filesystem;

TEST(DataDirectory, WhereTheProgramStarts) {
  TempDir installed;  // holds userpar.txt
  installed.Write("userpar.txt", "");
  TempDir legacy;     // holds only the old marker, in other case
  legacy.Write("PAR.DBF", "");
  TempDir bare;       // an ordinary folder

  struct Case {
    const char* name;
    StartLocation start;
    fs::path expected;
  };
  const Case cases[] = {
      {"working dir with settings", {installed.path(), "", "/xdg", "/home/p"}, installed.path()},
      {"working dir with par.dbf", {legacy.path(), "", "", "/home/p"}, legacy.path()},
      {"bare folder: XDG installation", {bare.path(), "", "/xdg", "/home/p"}, "/xdg/zum4"},
      {"bare folder, no XDG", {bare.path(), "", "", "/home/p"}, "/home/p/.local/share/zum4"},
      {"relative XDG is ignored", {bare.path(), "", "rel", "/home/p"}, "/home/p/.local/share/zum4"},
      {"--data beats everything", {installed.path(), bare.path().string(), "/xdg", "/home/p"}, bare.path()},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveProgramDir(c.start), c.expected) << c.name;
}

TEST(DataDirectory, RelativeDataOptionBecomesAbsolute) {
  const fs::path resolved = ResolveProgramDir({"/", "some/../demo", "", "/home/p"});
  EXPECT_TRUE(resolved.is_absolute());
  EXPECT_EQ(resolved.filename(), "demo");
}

TEST(FileNames, FoundWithoutRegardToCase) {
  TempDir dir;
  dir.Write("TNK.txt", "x");
  dir.Write("cel.txt", "y");
  EXPECT_EQ(FindFileNoCase(dir.path(), "tnk.txt").filename(), "TNK.txt");
  EXPECT_EQ(FindFileNoCase(dir.path(), "cel.txt").filename(), "cel.txt");
  EXPECT_TRUE(FindFileNoCase(dir.path(), "bay.txt").empty());
  EXPECT_TRUE(FindFileNoCase(dir.path() / "missing", "cel.txt").empty());
}

}  // namespace
