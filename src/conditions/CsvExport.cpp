#include "conditions/CsvExport.h"

#include <system_error>

#include "conditions/ConditionFile.h"
#include "core/Host.h"
#include "core/PlanData.h"
#include "core/TextHelpers.h"
#include "planning/PlanContext.h"

namespace fs = std::filesystem;

std::string VoyageCsvName(const PlanData& plan) { return "VG_" + Trim(plan.VesHdr[VesHdrIx::Voy]) + ".csv"; }

fs::path SendingFolder(const PlanData& plan, std::string& error) {
  const std::string folder = Trim(plan.Settings[SettingsIx::SendingDir]);
  if (folder.empty()) {
    // An empty setting would put the file wherever the program happens to run.
    error = "No sending folder is set (Base Data, \"Sending \"): nothing was written";
    return {};
  }
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = "The sending folder " + folder + " does not exist: nothing was written";
    return {};
  }
  return fs::path(folder);
}

bool WriteCsvFile(PlanContext& ctx, ConditionFile& conditions, int plane, const fs::path& file) {
  // The writer puts a CSV name into the sending folder; an absolute path
  // stays what it is there.
  std::error_code ec;
  const fs::path absolute = fs::absolute(file, ec);
  if (ec) {
    ctx.host.ReportError(file.string() + ": " + ec.message());
    return false;
  }
  return conditions.WriteCondition(absolute.string(), true, plane).written;
}

namespace {

fs::path SaveInSendingFolder(PlanContext& ctx, ConditionFile& conditions, int plane, const std::string& name) {
  std::string error;
  const fs::path folder = SendingFolder(ctx.plan, error);
  if (folder.empty()) {
    ctx.host.ReportError(error);
    return {};
  }
  const fs::path file = folder / name;
  return WriteCsvFile(ctx, conditions, plane, file) ? file : fs::path();
}

}  // namespace

fs::path SaveAsCsv(PlanContext& ctx, ConditionFile& conditions) {
  return SaveInSendingFolder(ctx, conditions, ctx.plan.CurPlane, kConditionCsvName);
}

fs::path SaveVoyageAsCsv(PlanContext& ctx, ConditionFile& conditions) {
  return SaveInSendingFolder(ctx, conditions, ctx.plan.VoyPlane, VoyageCsvName(ctx.plan));
}
