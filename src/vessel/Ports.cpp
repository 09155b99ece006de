#include "vessel/Ports.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "core/Host.h"
#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/SaveSet.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/DbfTable.h"
#include "vessel/FileNames.h"

namespace {

constexpr const char* kPortsFile = "por.txt";
constexpr const char* kLegacyPortsTable = "Por.dbf";

std::filesystem::path PortsFile(const std::filesystem::path& dataDir) {
  std::filesystem::path file = FindFileNoCase(dataDir, kPortsFile);
  return file.empty() ? dataDir / kPortsFile : file;
}

// A field must not carry the separator or a line feed into the file, or the
// line would read back as other fields or other ports. (A lone CR is harmless:
// only CR LF ends a line.)
std::string FieldText(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    if (ch == ';') ch = ',';
    else if (ch == '\n') ch = ' ';
  }
  return out;
}

std::string ColourText(int colour) { return colour == 0 ? "0" : IntOrEmpty(colour); }

// The legacy table: PORT is its second column, CODE its first; LETTER,
// COUNTRY and WINCOLOR are taken by name. A missing column gives an empty
// field in its own place, so the fields after it keep their meaning.
bool LinesFromLegacyTable(const std::filesystem::path& table, std::vector<std::string>& lines, std::string& error) {
  auto dbf = DbfTable::Open(table, error);
  if (!dbf) return false;
  std::array<int, 3> named{};
  const std::array<const char*, 3> names = {"LETTER", "COUNTRY", "WINCOLOR"};
  for (size_t k = 0; k < names.size(); ++k) {
    const int column = dbf->FieldIndex(names[k]);
    named[k] = column >= 2 ? column : -1;
  }
  lines.clear();
  for (int record = 0; record < dbf->RecordCount(); ++record) {
    std::string line = FieldText(dbf->Read(record, 1)) + ";" + FieldText(dbf->Read(record, 0)) + ";";
    for (int column : named) line += (column < 0 ? std::string() : FieldText(dbf->Read(record, column))) + ";";
    lines.push_back(std::move(line));
  }
  std::sort(lines.begin(), lines.end());
  return true;
}

}  // namespace

int ParsePortLines(PlanData& plan, std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  // The separator is the first "," or ";" of the first line that has one. A
  // name may hold a comma, so a line holding a ";" means ";".
  char separator = 0;
  for (const std::string& line : lines) {
    const size_t at = line.find_first_of(",;");
    if (at == std::string::npos) continue;
    separator = line.find(';') != std::string::npos ? ';' : line[at];
    break;
  }
  int count = 0;
  if (separator != 0) {
    for (const std::string& line : lines) {
      // A line without a single field would only make an empty port.
      if (line.find(separator) == std::string::npos) continue;
      const int i = std::min(count, kPortsLoadLimit - 1);
      StructPor& entry = plan.Ports[i];
      entry = StructPor{};  // fields missing from the line stay empty, not another port's
      size_t start = 0;
      for (int field = 0; field < 5; ++field) {
        const size_t end = line.find(separator, start);
        if (end == std::string::npos) break;
        const std::string text = line.substr(start, end - start);
        switch (field) {
          case 0: entry.PORT = text; break;
          case 1: entry.CODE = text; break;
          case 2: entry.LETTER = text; break;
          case 3: entry.COUNTRY = text; break;
          default: entry.WINCOLOR = ParseInt(text); break;
        }
        start = end + 1;
      }
      if (count < kPortsLoadLimit) ++count;
    }
  }
  plan.PortCount = count;
  return count;
}

std::vector<std::string> PortFileLines(PlanData& plan) {
  std::vector<std::string> lines;
  const int count = std::clamp(plan.PortCount, 0, kMaxPorts);
  lines.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    StructPor& entry = plan.Ports[i];
    if (entry.PORT.compare(0, 6, " *NEW*") == 0) entry.PORT = " " + entry.COUNTRY + " " + entry.CODE;
    lines.push_back(FieldText(entry.PORT) + ";" + FieldText(entry.CODE) + ";" + FieldText(entry.LETTER) + ";" +
                    FieldText(entry.COUNTRY) + ";" + ColourText(entry.WINCOLOR) + ";");
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool WritePorts(PlanData& plan, const std::filesystem::path& dataDir, Host& host, SaveSet* set) {
  const std::vector<std::string> lines = PortFileLines(plan);
  if (set) {
    set->AddLines(PortsFile(dataDir), lines);
    set->OnCommitted([&plan] { plan.PortsChanged = 0; });
    return true;
  }
  std::string error;
  if (!WriteTextLines(PortsFile(dataDir), lines, error)) {
    host.ReportError(error);
    return false;
  }
  plan.PortsChanged = 0;
  return true;
}

int ReadPorts(PlanData& plan, const std::filesystem::path& dataDir, Host& host) {
  // A reload must never drop edits that are not in the file yet.
  if (plan.PortsChanged && !WritePorts(plan, dataDir, host)) return plan.PortCount;

  std::vector<std::string> lines;
  std::string error;
  const std::filesystem::path file = FindFileNoCase(dataDir, kPortsFile);
  if (!file.empty()) {
    std::string bytes;
    if (!ReadFileBytes(file, bytes, error)) {
      host.ReportError(error);
      return plan.PortCount;
    }
    lines = SplitTextLines(bytes);
    // A table that is no ports table leaves the one in memory as it was.
    std::string refused = BinaryContentReason(bytes);
    std::vector<SkippedLine> skipped;
    bool separated = false;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find_first_of(",;") != std::string::npos) separated = true;
      else if (!IsBlankContent(lines[i])) skipped.push_back({static_cast<int>(i) + 1, "no field separator: not a port"});
    }
    if (refused.empty() && !separated && !skipped.empty()) refused = "no line holds a field separator (\";\" or \",\")";
    // A last line cut off would be a port with half its fields.
    if (refused.empty() && separated && EndsInsideALine(bytes, bytes.find(';') != std::string::npos ? ';' : ',')) {
      if (skipped.empty() || skipped.back().line != static_cast<int>(lines.size()))
        skipped.push_back({static_cast<int>(lines.size()), std::string(kCutOffLine)});
      lines.pop_back();
    }
    if (!refused.empty()) {
      host.ReportError(file.string() + ": " + refused + ": not a ports table");
      return plan.PortCount;
    }
    if (!skipped.empty()) host.ReportWarning(SkippedLinesMessage(file, skipped));
    return ParsePortLines(plan, std::move(lines));
  }

  const std::filesystem::path table = FindFileNoCase(dataDir, kLegacyPortsTable);
  if (table.empty()) return ParsePortLines(plan, {});
  if (!LinesFromLegacyTable(table, lines, error)) {
    host.ReportError(error);
    return ParsePortLines(plan, {});
  }
  // The converted table is used even when it cannot be saved; the next
  // start simply converts it again.
  if (!WriteTextLines(dataDir / kPortsFile, lines, error)) host.ReportError(error);
  return ParsePortLines(plan, std::move(lines));
}

int FindPort(const PlanData& plan, std::string_view code) {
  const int count = std::clamp(plan.PortCount, 0, kMaxPorts);
  for (int i = 0; i < count; ++i)
    if (plan.Ports[i].CODE == code) return i;
  return -1;
}

std::string PortName(const PlanData& plan, std::string_view code) {
  const int i = FindPort(plan, code);
  return i < 0 ? std::string(code) : TrimRight(plan.Ports[i].PORT);
}

int AddVoyPort(PlanData& plan, std::string_view code) {
  if (Trim(code).size() <= 2) return -1;
  const std::string_view key = code.substr(0, 3);
  const int voyCount = std::clamp(plan.VoyPortCount, 0, kMaxVoyPorts);
  for (int i = 0; i < voyCount; ++i)
    if (plan.VoyPorts[i].CODE == key) return i;
  const int found = FindPort(plan, key);
  if (found < 0 || voyCount >= kMaxVoyPorts) return -1;
  StructPor& entry = plan.VoyPorts[voyCount];
  entry = plan.Ports[found];
  if (Trim(entry.LETTER).empty()) entry.LETTER = entry.PORT.substr(0, 2);
  plan.VoyPortCount = voyCount + 1;
  return voyCount;
}

int AddOrUpdatePort(PlanData& plan, const std::string& code, const std::string& name, const std::string& country,
                    const std::string& letter, bool onlyIfNew) {
  int i = FindPort(plan, code);
  const bool added = i < 0;
  if (added) {
    i = std::clamp(plan.PortCount, 0, kMaxPorts);
    if (i >= kMaxPorts) return 0;  // the table is full: the port stays unknown
    plan.Ports[i] = StructPor{};
    plan.Ports[i].WINCOLOR = kDefaultPortColour;
    plan.PortCount = i + 1;
  }
  if (added || !onlyIfNew) {
    StructPor& entry = plan.Ports[i];
    entry.COUNTRY = country;
    entry.PORT = name.empty() ? country + code : name;
    entry.CODE = code;
    entry.STATE = 2;
    entry.LETTER = Trim(letter).empty() ? code.substr(0, 2) : letter;
    plan.PortsChanged = 1;
  }
  return added ? 1 : 0;
}

void SetPortColour(PlanData& plan, std::string_view code, int colour) {
  const int voyCount = std::clamp(plan.VoyPortCount, 0, kMaxVoyPorts);
  for (int i = 0; i < voyCount; ++i) {
    if (plan.VoyPorts[i].CODE == code) {
      plan.VoyPorts[i].WINCOLOR = colour;
      break;
    }
  }
  const int i = FindPort(plan, code);
  if (i < 0 || plan.Ports[i].WINCOLOR == colour) return;
  plan.Ports[i].WINCOLOR = colour;
  if (plan.Ports[i].STATE != 2) plan.Ports[i].STATE = 1;
  plan.PortsChanged = 1;
}
