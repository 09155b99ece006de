// Files saved as a set: all of them replaced or none, and a set cut off by
// a crash finished or undone by the next start.

#include "core/SaveSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/TextFile.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir)) names.push_back(fs::relative(e.path(), dir).string());
  std::sort(names.begin(), names.end());
  return names;
}

class SaveSetTest : public ::testing::Test {
 protected:
  SaveSetTest() {
    for (const fs::path& f : files) dir.Write(fs::relative(f, dir.path()).string(), "old " + f.filename().string());
  }
  // The files' contents, in the order of files.
  std::vector<std::string> Contents() const {
    std::vector<std::string> out;
    for (const fs::path& f : files) out.push_back(ReadBytes(f));
    return out;
  }

  TempDir dir;
  const std::vector<fs::path> files = {dir.path() / "COND" / "DHAM012N.TXT", dir.path() / "QUA.TXT",
                                       dir.path() / "inst" / "por.txt"};
  const fs::path markFolder = dir.path() / "inst";
  const std::vector<std::string> old = {"old DHAM012N.TXT", "old QUA.TXT", "old por.txt"};
};

TEST_F(SaveSetTest, CommitReplacesEveryFileAndLeavesNothingElse) {
  const std::vector<std::string> before = Entries(dir.path());
  int committed = 0;
  {
    SaveSet set(markFolder);
    set.Add(files[0], "new condition");
    set.AddLines(files[1], {"quay line"});
    set.Add(files[2], "new ports");
    set.OnCommitted([&committed] { ++committed; });
    std::string error;
    ASSERT_TRUE(set.Commit(error)) << error;
  }
  EXPECT_EQ(Contents(), (std::vector<std::string>{"new condition", "quay line\r\n", "new ports"}));
  EXPECT_EQ(committed, 1);
  EXPECT_EQ(Entries(dir.path()), before);
}

TEST_F(SaveSetTest, AFileThatCannotBeWrittenLeavesTheOldSet) {
  const std::vector<std::string> before = Entries(dir.path());
  int committed = 0;
  SaveSet set(markFolder);
  set.Add(files[0], "new condition");
  set.Add(dir.path() / "no such folder" / "QUA.TXT", "new quay");
  set.OnCommitted([&committed] { ++committed; });
  std::string error;
  EXPECT_FALSE(set.Commit(error));
  EXPECT_NE(error.find("no such folder/QUA.TXT.set~: "), std::string::npos) << error;
  EXPECT_EQ(Contents(), old);
  EXPECT_EQ(committed, 0);
  EXPECT_EQ(Entries(dir.path()), before);
}

// What a crash leaves at each step of a commit, and what the next start
// makes of it.
TEST_F(SaveSetTest, TheNextStartFinishesOrUndoesACutSet) {
  struct Case {
    const char* what;
    const char* state;   // the mark's state, "" for no mark
    int temporaries;     // the first n files have their temporary
    bool finished;       // the new set stands afterwards
  } cases[] = {
      {"cut before the mark", "", 0, false},
      {"cut while writing the temporaries", "writing", 2, false},
      {"cut after the mark said renaming", "renaming", 3, true},
      {"cut after the first rename", "renaming", 2, true},
      {"cut after the last rename", "renaming", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    for (size_t i = 0; i < files.size(); ++i) {
      // A file renamed before the cut already holds the new bytes.
      const bool renamed = std::string(c.state) == "renaming" && static_cast<int>(i) >= c.temporaries;
      ASSERT_TRUE(WriteFileAtomically(files[i], renamed ? "new" : old[i], error)) << error;
      if (static_cast<int>(i) < c.temporaries) dir.Write(fs::relative(SaveSetTemporary(files[i]), dir.path()), "new");
    }
    if (*c.state) {
      std::vector<std::string> mark{"Zum4 save set", c.state};
      for (const fs::path& f : files) mark.push_back(f.string());
      ASSERT_TRUE(WriteTextLines(markFolder / kSaveSetMarkName, mark, error)) << error;
    }
    const CutSaveSet cut = FinishCutSaveSet(markFolder);
    EXPECT_EQ(cut.found, *c.state != '\0');
    EXPECT_EQ(cut.error, "");
    EXPECT_EQ(Contents(), c.finished ? std::vector<std::string>(3, "new") : old);
    EXPECT_FALSE(fs::exists(markFolder / kSaveSetMarkName));
    for (const fs::path& f : files) EXPECT_FALSE(fs::exists(SaveSetTemporary(f))) << f;
    if (cut.found) {
      EXPECT_NE(cut.Text().find(files[1].string()), std::string::npos) << cut.Text();
    }
  }
}

TEST_F(SaveSetTest, AMarkThatIsNoneIsReportedAndKept) {
  dir.Write("inst/" + std::string(kSaveSetMarkName), "something else\r\n");
  const CutSaveSet cut = FinishCutSaveSet(markFolder);
  EXPECT_TRUE(cut.found);
  EXPECT_NE(cut.Text().find("not a save set mark"), std::string::npos) << cut.Text();
  EXPECT_TRUE(fs::exists(markFolder / kSaveSetMarkName));
  EXPECT_EQ(Contents(), old);
}

}  // namespace
