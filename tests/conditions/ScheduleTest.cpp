// sch.dat: the dates and order of the conditions of a folder, kept across
// rebuilds, and what happens to a damaged or unreadable one.

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BadFiles.h"
#include "TempDir.h"
#include "conditions/Schedule.h"

namespace fs = std::filesystem;

namespace {

std::tm LocalTime(int year, int month, int day, int hour, int minute) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_isdst = -1;
  return when;
}

// Gives a file the modification time of a local date and time.
void SetModified(const fs::path& file, std::tm when) {
  const std::time_t seconds = std::mktime(&when);
  fs::last_write_time(file, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(seconds)));
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Schedule(const fs::path& dir) {
  std::vector<std::string> lines;
  std::string error;
  EXPECT_TRUE(ReadSchedule(dir, lines, error)) << error;
  return lines;
}

class ScheduleTest : public ::testing::Test {
 protected:
  fs::path Condition(const std::string& name, std::tm when) {
    const fs::path file = dir.Write(name, "A|V|" + name + "|0|0|0|10|\r\n");
    SetModified(file, when);
    return file;
  }

  std::vector<SkippedLine> damagedLines;
  bool Rebuild(char status = kScheduleWorking) {
    std::string error;
    const bool ok = RebuildScheduleIn(dir.path(), status, error, &damagedLines);
    lastError = error;
    return ok;
  }

  TempDir dir;
  std::string lastError;
};

TEST(ScheduleLineTest, ColumnsOfALine) {
  const std::string line = ScheduleLine(LocalTime(2026, 5, 31, 7, 4), "DGOA003W", 'W');
  EXPECT_EQ(line, "2026/05/31 07.04 DGOA003W       W");
  EXPECT_EQ(line.size(), 33u);
  EXPECT_EQ(ScheduleName(line), "DGOA003W ");
  EXPECT_EQ(ScheduleStatus(line), 'W');
  std::tm back{};
  ASSERT_TRUE(ScheduleDate(line, back));
  EXPECT_EQ(back.tm_year, 126);
  EXPECT_EQ(back.tm_mon, 4);
  EXPECT_EQ(back.tm_mday, 31);
  EXPECT_EQ(back.tm_hour, 7);
  EXPECT_EQ(back.tm_min, 4);

  // A name too long for its columns is cut, so the status stays in column 33.
  const std::string longName = ScheduleLine(LocalTime(2026, 1, 2, 3, 4), "DGOA003WEXTRALONGNAME", 'A');
  EXPECT_EQ(longName.size(), 33u);
  EXPECT_EQ(ScheduleStatus(longName), 'A');
  EXPECT_EQ(ScheduleName(longName), "DGOA003WE");
}

TEST(ScheduleLineTest, WhichFilesAreConditions) {
  struct Case {
    const char* name;
    bool listed;
  };
  for (const Case& c : {Case{"DGOA003W.TXT", true}, Case{"AGOA003W.txt", true}, Case{"PGOA003W.Txt", true},
                        Case{"BGOA003W.TXT", true}, Case{"temp.TXT", false}, Case{"QUA.TXT", false},
                        Case{"XGOA003W.TXT", false}, Case{"dgoa003w.txt", false}, Case{"DGOA003W.csv", false},
                        Case{"sch.dat", false}, Case{".txt", false}, Case{"D.txt", true}})
    EXPECT_EQ(IsScheduledConditionFile(c.name), c.listed) << c.name;
}

TEST_F(ScheduleTest, RebuildDatesNewFilesAndKeepsAssignedDates) {
  Condition("DGOA003W.TXT", LocalTime(2026, 5, 31, 12, 0));
  Condition("AGOA003W.TXT", LocalTime(2026, 5, 30, 8, 15));
  Condition("temp.TXT", LocalTime(2026, 6, 1, 0, 0));
  Condition("XGOA003W.TXT", LocalTime(2026, 6, 1, 0, 0));
  dir.Write("notes.doc", "x");
  ASSERT_TRUE(Rebuild()) << lastError;
  EXPECT_EQ(Schedule(dir.path()),
            (std::vector<std::string>{"2026/05/30 08.15 AGOA003W       W", "2026/05/31 12.00 DGOA003W       W"}));
  // CR LF line ends.
  EXPECT_EQ(ReadBytes(dir.path() / "sch.dat"),
            "2026/05/30 08.15 AGOA003W       W\r\n2026/05/31 12.00 DGOA003W       W\r\n");

  // An assigned date survives a rebuild even when the file is touched again;
  // a file that is gone loses its line; the status follows the folder.
  std::string error;
  ASSERT_TRUE(WriteSchedule(dir.path(),
                            {"2026/07/01 09.30 DGOA003W       W", "2026/05/30 08.15 AGOA003W       W",
                             "2026/04/01 10.00 DSIN002W       W"},
                            error));
  SetModified(dir.path() / "DGOA003W.TXT", LocalTime(2026, 8, 1, 0, 0));
  ASSERT_TRUE(Rebuild(kScheduleArchived)) << lastError;
  EXPECT_EQ(Schedule(dir.path()),
            (std::vector<std::string>{"2026/05/30 08.15 AGOA003W       A", "2026/07/01 09.30 DGOA003W       A"}));
}

TEST_F(ScheduleTest, NamesAreMatchedByTheirFirstNineCharacters) {
  Condition("DGOA003W01.TXT", LocalTime(2026, 5, 31, 12, 0));
  std::string error;
  ASSERT_TRUE(WriteSchedule(dir.path(), {"2026/01/01 00.00 DGOA003W0      W"}, error));
  ASSERT_TRUE(Rebuild()) << lastError;
  EXPECT_EQ(Schedule(dir.path()), std::vector<std::string>{"2026/01/01 00.00 DGOA003W0      W"});
}

TEST_F(ScheduleTest, WriteSortsAndReadGivesTheLinesBack) {
  const std::vector<std::string> lines = {"2026/05/31 12.00 DGOA003W       W", "2025/12/31 23.59 ASIN002W       W",
                                          "2026/05/31 11.00 PGOA003W       W"};
  std::string error;
  ASSERT_TRUE(WriteSchedule(dir.path(), lines, error)) << error;
  EXPECT_EQ(Schedule(dir.path()),
            (std::vector<std::string>{lines[1], lines[2], lines[0]}));
  // A folder without sch.dat has an empty schedule.
  TempDir empty;
  EXPECT_TRUE(Schedule(empty.path()).empty());
}

TEST_F(ScheduleTest, DamagedLinesGiveWayToTheFilesOwnDates) {
  Condition("DGOA003W.TXT", LocalTime(2026, 5, 31, 12, 0));
  Condition("AGOA003W.TXT", LocalTime(2026, 5, 30, 8, 0));
  Condition("PGOA003W.TXT", LocalTime(2026, 5, 29, 8, 0));
  const std::string damaged = std::string("garbage\r\n") +
                              "2026/0x/31 12.00 DGOA003W       W\r\n" +  // date columns damaged
                              "2026/01/01 01.00 AGOA\r\n" +               // cut short inside the name
                              std::string("\0\x01\xff binary\r\n", 12) +
                              "2026/02/02 02.02 PGOA003W\r\n" +           // no status: still its date
                              "2026/03/03 03.03 DSIN002W       W\r\n";   // file gone
  dir.Write("sch.dat", damaged);
  ASSERT_TRUE(Rebuild()) << lastError;
  EXPECT_EQ(Schedule(dir.path()),
            (std::vector<std::string>{"2026/02/02 02.02 PGOA003W       W", "2026/05/30 08.00 AGOA003W       W",
                                      "2026/05/31 12.00 DGOA003W       W"}));
  // The damaged lines are named; a line of a file that is gone is not damage.
  std::vector<int> numbers;
  for (const SkippedLine& line : damagedLines) numbers.push_back(line.line);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 4}));
}

TEST_F(ScheduleTest, UnreadableScheduleIsReportedAndLeftAlone) {
  Condition("DGOA003W.TXT", LocalTime(2026, 5, 31, 12, 0));
  fs::create_directory(dir.path() / "SCH.DAT");  // found without regard to case, cannot be read
  EXPECT_FALSE(Rebuild());
  EXPECT_NE(lastError.find("SCH.DAT"), std::string::npos) << lastError;
  EXPECT_TRUE(fs::is_directory(dir.path() / "SCH.DAT"));
  EXPECT_FALSE(fs::exists(dir.path() / "sch.dat"));
}

// A file that is no schedule is refused and left as it is; an empty one and
// one cut off inside its last line are rebuilt, the cut line giving way to
// its file's own date as a damaged line does.
TEST_F(ScheduleTest, BadSchedulesAreRefusedAndLeftAlone) {
  Condition("DGOA003W.TXT", LocalTime(2026, 5, 31, 12, 0));
  Condition("AGOA003W.TXT", LocalTime(2026, 5, 30, 8, 0));
  const std::string good = "2026/02/02 02.02 AGOA003W       W\r\n2026/03/03 03.03 DGOA003W       W\r\n";
  const fs::path file = dir.path() / "sch.dat";
  for (BadFile kind : AllBadFiles()) {
    SCOPED_TRACE(BadFileName(kind));
    PlaceBadFile(kind, file, good, "CODE;ZFD\r\nVESSEL;ZUM FEEDER\r\n");  // a ptc.txt
    const std::string placed = fs::is_regular_file(file) ? ReadBytes(file) : "";
    bool rebuilt = false;
    {
      ReadAsNobody nobody(kind);
      rebuilt = Rebuild();
    }
    if (kind == BadFile::Empty || kind == BadFile::CutOff) {
      EXPECT_TRUE(rebuilt) << lastError;
      EXPECT_EQ(Schedule(dir.path()).size(), 2u);
      continue;
    }
    EXPECT_FALSE(rebuilt);
    ExpectRefused({lastError}, file, RefusalSays(kind, "", "not a schedule"));
    if (kind != BadFile::Folder) {
      fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
      EXPECT_EQ(ReadBytes(file), placed);
    }
  }
}

TEST_F(ScheduleTest, MissingFolderHasNothingToSchedule) {
  std::string error;
  EXPECT_TRUE(RebuildScheduleIn(dir.path() / "nowhere", kScheduleWorking, error));
  EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));
}

}  // namespace
