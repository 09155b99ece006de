#include "conditions/CsvExport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "ConditionFixture.h"
#include "core/TextFile.h"

namespace fs = std::filesystem;

namespace {

class CsvExportTest : public ConditionTest {
 protected:
  CsvExportTest() {
    const StructCsv cols[] = {{1, "", "Container"}, {6, "", "Weight"}};
    plan.CsvCount = 0;
    for (const StructCsv& c : cols) plan.CsvCols[plan.CsvCount++] = c;
    Place("010082", Unit("ZUMU1000001", "GOA", "HAM", "20", 12.5));
    Place("010182", Unit("ZUMU1000002", "GOA", "RTM", "20", 7.25));
    Place("030082", Unit("ZUMU1000003", "GOA", "RTM", "20", 3));
  }
  fs::path Sending() const { return dir.path() / "send"; }
  std::vector<std::string> Lines(const fs::path& file) const {
    std::vector<std::string> lines;
    std::string error;
    EXPECT_TRUE(ReadTextLines(file, lines, error)) << error;
    return lines;
  }
  static std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(CsvExportTest, WritesTheSelectedUnitsIntoTheSendingFolder) {
  plan.Cur()[Cell("010182")].SELECTED = 0;
  const fs::path written = SaveAsCsv(ctx, file);
  EXPECT_EQ(written, Sending() / "cntrs.csv");
  EXPECT_EQ(Lines(written), (std::vector<std::string>{"Container,Weight,", "ZUMU1000001,12.5,", "ZUMU1000003,3,"}));
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(CsvExportTest, VoyageFileIsNamedByTheVoyage) {
  plan.Dat[kVoyPlane][0] = plan.Cur()[Cell("010082")];
  plan.VoyUnitCount = 1;
  const fs::path written = SaveVoyageAsCsv(ctx, file);
  EXPECT_EQ(written, Sending() / "VG_003W.csv");
  EXPECT_EQ(Lines(written), (std::vector<std::string>{"VOY,Container,Weight,", "ZUM003W,ZUMU1000001,12.5,"}));
}

// A sending folder that is not set, missing or not writable: a message
// naming it, and neither a file nor a temporary left, an older export kept.
TEST_F(CsvExportTest, SendingFolderThatCannotTakeTheFileIsNamedAndLeftAsItWas) {
  enum class Fault { NotSet, Missing, AFile, ReadOnly };
  const struct {
    Fault fault;
    const char* says;
  } cases[] = {{Fault::NotSet, "No sending folder is set"},
               {Fault::Missing, "does not exist"},
               {Fault::AFile, "does not exist"},
               {Fault::ReadOnly, "cntrs.csv"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    host.errors.clear();
    const fs::path folder = dir.path() / ("send" + std::to_string(static_cast<int>(c.fault)));
    plan.Settings[SettingsIx::SendingDir] = c.fault == Fault::NotSet ? "  " : folder.string();
    if (c.fault == Fault::AFile) dir.Write(folder.filename().string(), "not a folder");
    if (c.fault == Fault::ReadOnly) {
      dir.Write(folder.filename().string() + "/cntrs.csv", "older export\r\n");
      ::chmod(folder.c_str(), 0555);
    }
    // The superuser writes anywhere: the write is tried as nobody.
    const bool asNobody = c.fault == Fault::ReadOnly && ::geteuid() == 0 && ::seteuid(65534) == 0;
    const fs::path written = SaveAsCsv(ctx, file);
    if (asNobody) {
      ASSERT_EQ(::seteuid(0), 0);
    }
    ::chmod(folder.c_str(), 0755);

    EXPECT_TRUE(written.empty());
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find(c.says), std::string::npos) << host.errors[0];
    if (c.fault != Fault::NotSet) {
      EXPECT_NE(host.errors[0].find(folder.string()), std::string::npos);
    }
    if (c.fault == Fault::ReadOnly) {
      EXPECT_EQ(Names(folder), std::vector<std::string>{"cntrs.csv"});
      EXPECT_EQ(ReadBytes(folder / "cntrs.csv"), "older export\r\n");
    }
  }
  EXPECT_EQ(Names(dir.path() / "send"), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists("cntrs.csv"));  // nothing in the folder the tests run in either
}

}  // namespace
