#include "conditions/Schedule.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <system_error>

#include "core/DateText.h"
#include "core/InputCheck.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/FileNames.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNameFirst = 18;
constexpr int kNameMatchLast = 26;

bool IsDigit(char ch) { return std::isdigit(static_cast<unsigned char>(ch)) != 0; }

// The file's modification time on the local clock; false when it cannot be
// had.
bool ModificationTime(const fs::path& file, std::tm& when) {
  std::error_code ec;
  const fs::file_time_type stamp = fs::last_write_time(file, ec);
  if (ec) return false;
  const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
      std::chrono::file_clock::to_sys(stamp));
  const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  return localtime_r(&seconds, &when) != nullptr;
}

}  // namespace

fs::path ScheduleFile(const fs::path& dir) {
  fs::path found = FindFileNoCase(dir, kScheduleFileName);
  return found.empty() ? dir / kScheduleFileName : found;
}

bool ReadSchedule(const fs::path& dir, std::vector<std::string>& lines, std::string& error) {
  lines.clear();
  const fs::path file = ScheduleFile(dir);
  std::error_code ec;
  if (!fs::exists(file, ec)) return true;
  std::string bytes;
  if (!ReadFileBytes(file, bytes, error)) return false;
  lines = SplitTextLines(bytes);
  // Damaged lines (binary ones too) give way to their files' own dates when
  // the schedule is rebuilt; a file of which no line is one is no schedule.
  if (IsBlankContent(bytes) || std::any_of(lines.begin(), lines.end(), HasScheduleDate)) return true;
  lines.clear();
  const std::string binary = BinaryContentReason(bytes);
  error = file.string() + ": " + (binary.empty() ? std::string("no line begins with a date and time (yyyy/mm/dd hh.nn)") : binary) +
          ": not a schedule";
  return false;
}

bool WriteSchedule(const fs::path& dir, std::vector<std::string> lines, std::string& error) {
  std::sort(lines.begin(), lines.end());
  return WriteTextLines(ScheduleFile(dir), lines, error);
}

std::string ScheduleLine(const std::tm& when, std::string_view name, char status) {
  std::string line = FormatDateTime(when, kDatePattern) + " " + FormatDateTime(when, kFileTimePattern) + " ";
  line += name;
  // A name too long for its columns would push the status letter out of
  // column 33 and the line would never be listed.
  line = Pad(line.substr(0, kScheduleNameEnd), kScheduleNameEnd, false);
  line += status;
  return line;
}

std::string ScheduleName(std::string_view line) {
  return Pad(Columns(line, kNameFirst, kNameMatchLast), kNameMatchLast - kNameFirst + 1, false);
}

char ScheduleStatus(std::string_view line) {
  return line.size() >= static_cast<size_t>(kScheduleStatusColumn) ? line[kScheduleStatusColumn - 1] : '\0';
}

bool HasScheduleDate(std::string_view line) {
  if (line.size() < 16) return false;
  for (int column : {1, 2, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16})
    if (!IsDigit(line[static_cast<size_t>(column - 1)])) return false;
  return true;
}

bool ScheduleDate(std::string_view line, std::tm& when) {
  if (!HasScheduleDate(line)) return false;
  when = std::tm{};
  when.tm_year = ParseInt(Columns(line, 1, 4)) - 1900;
  when.tm_mon = ParseInt(Columns(line, 6, 7)) - 1;
  when.tm_mday = ParseInt(Columns(line, 9, 10));
  when.tm_hour = ParseInt(Columns(line, 12, 13));
  when.tm_min = ParseInt(Columns(line, 15, 16));
  when.tm_isdst = -1;
  return true;
}

bool IsScheduledConditionFile(std::string_view fileName) {
  if (fileName.size() <= 4) return false;
  std::string extension(fileName.substr(fileName.size() - 4));
  for (char& ch : extension) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  if (extension != ".txt") return false;
  const char type = fileName.front();
  return type == 'P' || type == 'A' || type == 'D' || type == 'B';
}

bool RebuildScheduleIn(const fs::path& dir, char status, std::string& error, std::vector<SkippedLine>* damaged) {
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return true;

  std::vector<std::string> loaded;
  if (!ReadSchedule(dir, loaded, error)) return false;
  if (damaged) {
    damaged->clear();
    for (size_t i = 0; i < loaded.size(); ++i)
      if (!Trim(loaded[i]).empty() && !HasScheduleDate(loaded[i]))
        damaged->push_back({static_cast<int>(i) + 1, "no date and time (yyyy/mm/dd hh.nn) in columns 1-16: dropped"});
  }
  // Only the date and name columns of a loaded line count; its status is
  // given again below, to the lines whose file still exists.
  for (std::string& line : loaded) line = Pad(line.substr(0, std::min<size_t>(line.size(), kScheduleNameEnd)),
                                              kScheduleNameEnd, false);

  std::vector<bool> kept(loaded.size(), false);
  std::vector<std::string> added;
  fs::directory_iterator it(dir, ec);
  if (ec) {
    error = dir.string() + ": " + ec.message();
    return false;
  }
  for (const fs::directory_entry& entry : it) {
    std::error_code typeError;
    if (!entry.is_regular_file(typeError)) continue;
    const std::string fileName = entry.path().filename().string();
    if (!IsScheduledConditionFile(fileName)) continue;
    const std::string name = fileName.substr(0, fileName.size() - 4);
    std::tm when{};
    if (!ModificationTime(entry.path(), when)) continue;
    const std::string fresh = ScheduleLine(when, name, status);
    const std::string key = ScheduleName(fresh);
    bool found = false;
    for (size_t i = 0; i < loaded.size() && !found; ++i) {
      // A line whose date columns are damaged gives way to the file's own date.
      if (!HasScheduleDate(loaded[i]) || ScheduleName(loaded[i]) != key) continue;
      found = true;
      kept[i] = true;
    }
    if (!found) added.push_back(fresh);
  }

  std::vector<std::string> lines;
  for (size_t i = 0; i < loaded.size(); ++i)
    if (kept[i]) lines.push_back(loaded[i] + status);
  for (std::string& line : added)
    // Two files known by the same nine characters share one line.
    if (std::none_of(lines.begin(), lines.end(), [&](const std::string& l) { return ScheduleName(l) == ScheduleName(line); }))
      lines.push_back(std::move(line));
  return WriteSchedule(dir, std::move(lines), error);
}
