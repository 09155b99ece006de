#pragma once

// What the EDIFACT export mails when its "Send Mess" box is checked: the
// subject names vessel, voyage, kind of message and port; a MOVINS goes with
// the stowage instructions of the sending folder.

#include <filesystem>
#include <string>
#include <vector>

#include "edifact/EdiImport.h"

struct PlanData;

struct EdiMail {
  std::string subject;
  std::vector<std::filesystem::path> files;
};

// exported is the file just written. The stowage instructions are attached
// only when the file exists.
EdiMail EdiMailFor(const PlanData& plan, EdiMessageKind kind, const std::filesystem::path& exported);
