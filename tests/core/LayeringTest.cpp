// The core layers use only the standard library, so the CLI and the tests run
// them without Qt. This scans their sources for any Qt include.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

const char* const kCoreFolders[] = {"core",   "vessel",  "stability", "planning", "conditions",
                                    "checks", "edifact", "reports",   "cli"};

// "file:line: text" for every line that includes a Qt header below dir.
std::vector<std::string> QtIncludes(const fs::path& dir) {
  static const std::regex include(
      R"(^\s*#\s*include\s*[<"](Qt[A-Za-z]*/|Qt[A-Z][A-Za-z]*[>"]|Q[A-Z][A-Za-z]*(\.h)?[>"]|q[a-z_]+\.h[>"]))");
  std::vector<std::string> hits;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
      if (std::regex_search(line, include))
        hits.push_back(entry.path().string() + ":" + std::to_string(number) + ": " + line);
  }
  return hits;
}

TEST(Layering, CoreFoldersIncludeNoQtHeader) {
  const fs::path src = fs::path(ZUM4_SOURCE_DIR) / "src";
  for (const char* folder : kCoreFolders) {
    ASSERT_TRUE(fs::is_directory(src / folder)) << folder;
    for (const std::string& hit : QtIncludes(src / folder)) ADD_FAILURE() << "Qt in a core layer: " << hit;
  }
}

TEST(Layering, TheScanFindsEveryFormOfQtInclude) {
  TempDir dir;
  dir.Write("a.cpp", "#include <QString>\n");
  dir.Write("sub/b.h", "// fine\n  #  include \"QtCore/QObject\"\n");
  dir.Write("c.cpp", "#include <qglobal.h>\n");
  dir.Write("d.cpp", "#include <QtWidgets>\n");
  dir.Write("clean.cpp",
            "#include <string>\n#include \"planning/Quay.h\"\n// QString in a comment\n"
            "#include \"core/QuayList.h\"\n");
  EXPECT_EQ(QtIncludes(dir.path()).size(), 4u);
}

}  // namespace
