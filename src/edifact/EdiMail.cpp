#include "edifact/EdiMail.h"

#include <system_error>

#include "core/PlanData.h"

EdiMail EdiMailFor(const PlanData& plan, EdiMessageKind kind, const std::filesystem::path& exported) {
  EdiMail mail;
  const bool movins = kind == EdiMessageKind::Movins;
  mail.subject = plan.VesHdr[VesHdrIx::Vessel] + "-" + plan.VesHdr[VesHdrIx::Voy] +
                 (movins ? "-MOVINS/INSTRUCTIONS-" : "-BAPLIE-dep ") + plan.VesHdr[VesHdrIx::Port];
  mail.files.push_back(exported);
  if (movins) {
    const std::filesystem::path instructions =
        std::filesystem::path(plan.Settings[SettingsIx::SendingDir]) / "STOWINST.TXT";
    std::error_code ec;
    if (std::filesystem::is_regular_file(instructions, ec)) mail.files.push_back(instructions);
  }
  return mail;
}
