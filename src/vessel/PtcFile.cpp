#include "vessel/PtcFile.h"

#include <algorithm>
#include <vector>

#include "core/InputCheck.h"
#include "core/PlanData.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"

namespace {

void Assign(PlanData& plan, const std::string& name, const std::string& value) {
  for (int i = 0; i < plan.VetCount && i < kMaxVet && i < kVesHdrSize; ++i) {
    if (plan.Vet[i] == name) {
      plan.VesHdr[i] = value;
      return;
    }
  }
}

}  // namespace

void ParsePtc(PlanData& plan, std::string_view bytes) {
  std::string name;
  std::string value;
  bool inValue = false;
  for (char ch : bytes) {
    if (ch == '\r' || ch == '\n') {
      if (inValue) Assign(plan, name, value);
      name.clear();
      value.clear();
      inValue = false;
    } else if (!inValue) {
      if (ch == ';' || ch == '|') inValue = true;
      else name += ch;
    } else if (ch == ';') {
      // A further ";" makes the text before it the name of the next value.
      // The value read so far still belongs to the current name: a line
      // "VESSEL;DEMO STAR;" keeps its vessel name.
      Assign(plan, name, value);
      name = value;
      value.clear();
    } else {
      value += ch;
    }
  }
  if (inValue) Assign(plan, name, value);  // a last line without its line end
}

std::string PtcRefusal(const PlanData& plan, std::string_view bytes) {
  if (IsBlankContent(bytes)) return "is empty: no vessel particulars";
  std::string reason = BinaryContentReason(bytes);
  if (!reason.empty()) return reason;
  const int vetCount = std::min({plan.VetCount, kMaxVet, kVesHdrSize});
  for (const std::string& line : SplitTextLines(bytes)) {
    const size_t end = line.find_first_of(";|");
    if (end == std::string::npos || end == 0) continue;
    const std::string_view name = std::string_view(line).substr(0, end);
    if (vetCount <= 0) return {};
    for (int i = 0; i < vetCount; ++i)
      if (plan.Vet[i] == name) return {};
  }
  return vetCount > 0 ? "not vessel particulars: no line begins with a name of the particulars (VET) and \";\""
                      : "not vessel particulars: no line begins with a name and \";\"";
}

std::vector<SkippedLine> PtcSkippedLines(const PlanData& plan, std::string_view bytes) {
  std::vector<SkippedLine> skipped;
  const int vetCount = std::min({plan.VetCount, kMaxVet, kVesHdrSize});
  const std::vector<std::string> lines = SplitTextLines(bytes);
  for (size_t k = 0; k < lines.size(); ++k) {
    const std::string& line = lines[k];
    if (Trim(line).empty()) continue;
    const int number = static_cast<int>(k) + 1;
    if (HasControlCharacter(line)) {
      skipped.push_back({number, "holds a control character"});
      continue;
    }
    const size_t end = line.find_first_of(";|");
    if (end == std::string::npos || end == 0) {
      skipped.push_back({number, "no name ended by \";\""});
      continue;
    }
    const std::string name = line.substr(0, end);
    bool known = vetCount <= 0;
    for (int i = 0; i < vetCount && !known; ++i) known = plan.Vet[i] == name;
    if (!known) skipped.push_back({number, "\"" + name + "\" is not a name of the particulars (VET)"});
  }
  return skipped;
}

bool ReadPtc(PlanData& plan, const std::filesystem::path& file, std::string& error) {
  std::string bytes;
  if (!ReadFileBytes(file, bytes, error)) return false;
  const std::string refused = PtcRefusal(plan, bytes);
  if (!refused.empty()) {
    error = file.string() + ": " + refused;
    return false;
  }
  ParsePtc(plan, bytes);
  return true;
}

std::vector<std::string> PtcLines(const PlanData& plan) {
  std::vector<std::string> lines;
  for (int i = 0; i < plan.VetCount && i < kMaxVet && i < kVesHdrSize; ++i)
    lines.push_back(plan.Vet[i] + ";" + plan.VesHdr[i]);
  return lines;
}

bool WritePtc(const PlanData& plan, const std::filesystem::path& file, std::string& error) {
  if (Trim(plan.VesHdr[VesHdrIx::Vessel]).empty()) return true;
  return WriteTextLines(file, PtcLines(plan), error);
}
