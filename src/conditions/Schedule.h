#pragma once

// sch.dat: the schedule of one conditions folder. It dates every condition
// file of the folder and so decides the order of the condition list. One
// line per condition, fixed columns counted from 1:
//    1-16  date and time "yyyy/mm/dd hh.nn"
//   17     blank
//   18-32  condition name (file name without ".txt"), blank-padded
//   33     "W" working condition, "A" archived one
// The lines are kept sorted as text, which sorts them by date and time.
// Conditions are told apart by columns 18-26 alone (their first nine
// characters), as the list shows them.

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputCheck.h"

inline constexpr std::string_view kScheduleFileName = "sch.dat";
inline constexpr char kScheduleWorking = 'W';
inline constexpr char kScheduleArchived = 'A';
inline constexpr int kScheduleNameEnd = 32;   // last column before the status letter
inline constexpr int kScheduleStatusColumn = 33;

// The folder's sch.dat, found without regard to case; dir/sch.dat when the
// folder has none yet.
std::filesystem::path ScheduleFile(const std::filesystem::path& dir);

// Reads the folder's schedule. A missing sch.dat is an empty schedule; false
// with error set ("<file>: <reason>") when it exists and cannot be read or
// is no schedule (not one line begins with a date: a binary file, another
// kind of file). Damaged lines of a schedule are read as they are.
bool ReadSchedule(const std::filesystem::path& dir, std::vector<std::string>& lines, std::string& error);
// Sorts the lines and writes them atomically as the folder's sch.dat.
bool WriteSchedule(const std::filesystem::path& dir, std::vector<std::string> lines, std::string& error);

// A schedule line for a condition named name (without ".txt") dated when.
std::string ScheduleLine(const std::tm& when, std::string_view name, char status);
// Columns 18-26: the nine characters a condition is known by, blank-padded.
std::string ScheduleName(std::string_view line);
// The status letter of column 33; '\0' when the line has none.
char ScheduleStatus(std::string_view line);
// True when columns 1-16 hold digits where the date and time have them.
bool HasScheduleDate(std::string_view line);
// The date and time of columns 1-16 (seconds 0); false when they are not a
// date (see HasScheduleDate).
bool ScheduleDate(std::string_view line, std::tm& when);

// Whether a file of a conditions folder is a condition the schedule lists:
// "*.txt" (any case) whose name begins with the type letter P, A, D or B.
bool IsScheduledConditionFile(std::string_view fileName);

// Brings the folder's sch.dat up to date with its condition files: a
// condition already listed keeps its date, a new one is dated by its file's
// modification time, lines of files that are gone or whose date columns are
// damaged are dropped; every kept line gets status. A folder that does not
// exist has nothing to schedule (true, nothing written). False with error
// when sch.dat cannot be read (it is then left as it is, so no date is
// lost) or written. damaged, when given, receives the lines dropped for
// their damaged date columns (a condition of such a line is dated anew by
// its file, which the planner should know).
bool RebuildScheduleIn(const std::filesystem::path& dir, char status, std::string& error,
                       std::vector<SkippedLine>* damaged = nullptr);
