#include "vessel/PtcFile.h"

#include <fstream>
#include <iterator>
#include <vector>

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

bool ReadPtc(PlanData& plan, const std::filesystem::path& file, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = file.string() + ": cannot be read";
    return false;
  }
  ParsePtc(plan, std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  return true;
}

bool WritePtc(const PlanData& plan, const std::filesystem::path& file, std::string& error) {
  if (Trim(plan.VesHdr[VesHdrIx::Vessel]).empty()) return true;
  std::vector<std::string> lines;
  for (int i = 0; i < plan.VetCount && i < kMaxVet && i < kVesHdrSize; ++i)
    lines.push_back(plan.Vet[i] + ";" + plan.VesHdr[i]);
  return WriteTextLines(file, lines, error);
}
