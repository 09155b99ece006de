#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "TempDir.h"
#include "core/TextFile.h"

namespace {

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(TextFile, ReadsEitherLineEnd) {
  TempDir dir;
  struct Case {
    const char* bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},  // last line without its end
      {"", {}},
      {"\r\n\r\n", {"", ""}},
      {"x\ry\n", {"x\ry"}},  // a lone CR inside a line stays
  };
  for (const Case& c : cases) {
    const auto file = dir.Write("f.txt", c.bytes);
    std::vector<std::string> lines{"stale"};
    std::string error;
    ASSERT_TRUE(ReadTextLines(file, lines, error)) << error;
    EXPECT_EQ(lines, c.lines) << '"' << c.bytes << '"';
  }
}

TEST(TextFile, MissingFileNamesTheFile) {
  TempDir dir;
  std::vector<std::string> lines;
  std::string error;
  EXPECT_FALSE(ReadTextLines(dir.path() / "por.txt", lines, error));
  EXPECT_NE(error.find("por.txt"), std::string::npos) << error;
  std::filesystem::create_directory(dir.path() / "cel.txt");  // a folder where a file should be
  EXPECT_FALSE(ReadTextLines(dir.path() / "cel.txt", lines, error));
  EXPECT_NE(error.find("cel.txt"), std::string::npos) << error;
}

TEST(TextFile, WritesCrLfAndReadsBackTheSameLines) {
  TempDir dir;
  const std::vector<std::string> lines = {"MSCU1234566;DEHAM;", "", "\xE9t\xE9 Latin-1"};
  std::string error;
  ASSERT_TRUE(WriteTextLines(dir.path() / "out.txt", lines, error)) << error;
  EXPECT_EQ(Bytes(dir.path() / "out.txt"), "MSCU1234566;DEHAM;\r\n\r\n\xE9t\xE9 Latin-1\r\n");
  std::vector<std::string> back;
  ASSERT_TRUE(ReadTextLines(dir.path() / "out.txt", back, error));
  EXPECT_EQ(back, lines);
}

TEST(TextFile, AFailedWriteLeavesTheOldFileAndNoLitter) {
  TempDir dir;
  const auto file = dir.Write("cel.txt", "old\r\n");
  std::string error;
  ASSERT_TRUE(WriteTextLines(file, {"new"}, error));
  EXPECT_EQ(Bytes(file), "new\r\n");

  // A folder standing where the file should go, or a name ending in the
  // folder separator, is named as a folder.
  std::filesystem::create_directory(dir.path() / "bay.txt");
  EXPECT_FALSE(WriteTextLines(dir.path() / "bay.txt", {"x"}, error));
  EXPECT_EQ(error, (dir.path() / "bay.txt").string() + ": is a folder, not a file");
  EXPECT_FALSE(WriteTextLines(dir.path().string() + "/", {"x"}, error));
  EXPECT_NE(error.find("is a folder, not a file"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "bay.txt"));

  EXPECT_FALSE(WriteTextLines(dir.path() / "missing" / "ptc.txt", {"x"}, error));
  EXPECT_NE(error.find("ptc.txt"), std::string::npos) << error;

  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2);  // cel.txt and the bay.txt folder: no temporary left behind
}

}  // namespace

// A save is flushed with its folder; a path that is not there cannot be.
TEST(TextFile, SyncsFilesAndFoldersButNotWhatIsMissing) {
  TempDir dir;
  const auto file = dir.Write("a.txt", "x");
  EXPECT_TRUE(SyncToDisk(file));
  EXPECT_TRUE(SyncToDisk(dir.path()));
  EXPECT_FALSE(SyncToDisk(dir.path() / "missing.txt"));
}
