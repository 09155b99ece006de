// The condition list of the main window without the window: its order and
// marks, the commands on it, the question about a modified condition and the
// voyage data set.

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ConditionFixture.h"
#include "conditions/ConditionList.h"
#include "conditions/Schedule.h"
#include "conditions/UnitColumns.h"
#include "core/SaveSet.h"
#include "core/TextFile.h"
#include "core/TextHelpers.h"
#include "vessel/BaseData.h"
#include "vessel/Ports.h"
#include "vessel/VesselData.h"

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

void SetModified(const fs::path& file, std::tm when) {
  const std::time_t seconds = std::mktime(&when);
  fs::last_write_time(file,
                      std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(seconds)));
}

// One "C" line of a condition file: a 20' unit in its own cell.
std::string UnitRecord(const std::string& cell, const std::string& container, const std::string& pol,
                       const std::string& pod) {
  UnitColumnTexts c;
  c[0] = cell;
  c[1] = container;
  c[2] = pol;
  c[3] = pod;
  c[6] = "10";
  c[7] = "GP";
  c[8] = "20";
  c[30] = "1";
  std::string line = "C|";
  for (const std::string& text : c) line += text + "|";
  return line;
}

class ConditionListTest : public ConditionTest {
 protected:
  ConditionListTest() {
    plan.Settings[SettingsIx::ArchiveRoot] = (dir.path() / "ARCHIVE").string();
    plan.VesHdr[VesHdrIx::Dir] = "ZUMV";
    plan.Settings[SettingsIx::SaveWithoutAsking] = "0";
    plan.Settings[SettingsIx::AutoSaveToTemp] = "0";
    list.StatusPanelText = "ZUM VOYAGER - GENOA / 003W Departure";
    list.Views.ConditionOpened = [this] { ++opened; };
    list.Views.ConditionReverted = [this] { ++reverted; };
    list.Views.ConditionSaved = [this] { ++saved; };
  }

  // A condition file in the conditions folder, dated when.
  fs::path Condition(const std::string& name, std::tm when, const std::vector<std::string>& units = {}) {
    std::string bytes = "A|ZUM VOYAGER|" + name + ".TXT|0|0|0|10|\r\n";
    for (const std::string& unit : units) bytes += unit + "\r\n";
    const fs::path file = CondPath(name + ".TXT");
    WriteBytes(file, bytes);
    SetModified(file, when);
    return file;
  }

  void Refresh() {
    ASSERT_TRUE(list.RebuildSchedule(false));
    list.FillConditionList();
  }

  int IndexOf(const std::string& name) const {
    for (int i = 0; i < static_cast<int>(list.Items.size()); ++i)
      if (Trim(list.NameField(i)) == name) return i;
    return -1;
  }

  void Select(const std::string& name) {
    list.Selected = IndexOf(name);
    ASSERT_GE(list.Selected, 0) << name;
  }

  std::vector<std::string> ScheduleOf(const fs::path& folder) const {
    std::vector<std::string> lines;
    std::string error;
    EXPECT_TRUE(ReadSchedule(folder, lines, error)) << error;
    return lines;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(list.Items.size()); ++i) names.push_back(Trim(list.NameField(i)));
    return names;
  }

  void RegisterPort(const std::string& code, const std::string& country) {
    AddOrUpdatePort(plan, code, "", country, "", false);
    AddVoyPort(plan, code);
  }

  // Three conditions of voyage 003W at Genoa, the departure open.
  void GenoaConditions() {
    Condition("AGOA003W", LocalTime(2026, 5, 30, 8, 0), {UnitRecord("050082", "ZUMU1000001", "HAM", "GOA")});
    Condition("DGOA003W", LocalTime(2026, 5, 31, 12, 0), {UnitRecord("010082", "ZUMU2000002", "GOA", "SIN")});
    Condition("ASIN003W", LocalTime(2026, 6, 3, 6, 0));
    Refresh();
  }

  fs::path ArchiveDir() const { return dir.path() / "ARCHIVE" / "ZUMV"; }

  ConditionList list{ctx, file};
  int opened = 0;
  int reverted = 0;
  int saved = 0;
};

TEST_F(ConditionListTest, ItemsNewestFirstWithTheOpenConditionMarked) {
  GenoaConditions();
  Condition("XGOA003W", LocalTime(2026, 6, 9, 0, 0));  // not a condition type: never listed
  Refresh();
  EXPECT_EQ(list.Items,
            (std::vector<std::string>{"6/06/03 ASIN003W ", "6/05/31 DGOA003W <", "6/05/30 AGOA003W "}));
  EXPECT_EQ(list.Selected, 1);
  EXPECT_EQ(list.OpenConditionIndex, 1);
  EXPECT_EQ(list.DisplayText(1), "6/05/31*DGOA003W ");
  EXPECT_EQ(list.DisplayText(0), "6/06/03 ASIN003W ");
  EXPECT_EQ(list.NameField(1), "DGOA003W ");
  EXPECT_EQ(list.SelectedConditionPath(false), "DGOA003W ");
  EXPECT_EQ(list.SelectedConditionPath(true), CondPath("DGOA003W.TXT").string());

  // Archived lines of a schedule are not working conditions.
  std::string error;
  ASSERT_TRUE(WriteSchedule(dir.path() / "COND",
                            {"2026/05/31 12.00 DGOA003W       W", "2026/06/01 12.00 AGEN003W       A"},
                            error));
  list.FillConditionList();
  EXPECT_EQ(list.Items, std::vector<std::string>{"6/05/31 DGOA003W <"});

  // No open condition: nothing marked or selected.
  SetCondition("", "", "");
  list.FillConditionList();
  EXPECT_EQ(list.Items, std::vector<std::string>{"6/05/31 DGOA003W "});
  EXPECT_EQ(list.Selected, -1);
  EXPECT_EQ(list.OpenConditionIndex, -1);
  EXPECT_EQ(list.SelectedConditionPath(true), "");
}

TEST_F(ConditionListTest, LongNamesAreShownAndMatchedByNineCharacters) {
  SetCondition("GOA", "003W01", "D");
  Condition("DGOA003W01", LocalTime(2026, 5, 31, 12, 0));
  Refresh();
  EXPECT_EQ(list.Items, std::vector<std::string>{"6/05/31 DGOA003W0<"});
  EXPECT_EQ(list.SelectedConditionPath(true), CondPath("DGOA003W01.TXT").string());
}

TEST_F(ConditionListTest, DamagedScheduleNeverNamesAFileOutsideTheFolder) {
  const fs::path outside = dir.Write("x1.txt", "A|V|x1.txt|0|0|0|10|\r\n");
  std::string error;
  ASSERT_TRUE(WriteSchedule(dir.path() / "COND", {"2026/05/31 12.00 ../x1          W"}, error));
  list.FillConditionList();
  ASSERT_EQ(list.Items, std::vector<std::string>{"6/05/31 ../x1    "});
  list.Selected = 0;
  EXPECT_EQ(list.SelectedConditionPath(true), "");
  EXPECT_FALSE(list.DeleteSelectedCondition());
  EXPECT_FALSE(list.OpenSelectedCondition());
  EXPECT_FALSE(list.MoveSelectedCondition());
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(fs::exists(outside));
}

TEST_F(ConditionListTest, ListFollowsFilesThatAppearAndDisappear) {
  GenoaConditions();
  Condition("DSIN003W", LocalTime(2026, 6, 4, 18, 0));
  Refresh();
  EXPECT_EQ(Names(), (std::vector<std::string>{"DSIN003W", "ASIN003W", "DGOA003W", "AGOA003W"}));
  fs::remove(CondPath("AGOA003W.TXT"));
  Refresh();
  EXPECT_EQ(Names(), (std::vector<std::string>{"DSIN003W", "ASIN003W", "DGOA003W"}));
  EXPECT_EQ(ScheduleOf(dir.path() / "COND").size(), 3u);
  EXPECT_EQ(list.OpenConditionIndex, 2);
}

TEST_F(ConditionListTest, PortRotationAfterTheOpenCondition) {
  RegisterPort("GOA", "IT");
  RegisterPort("SIN", "SG");
  RegisterPort("HKG", "HK");
  struct Case {
    const char* title;
    std::vector<std::string> oldestFirst;  // the open condition is DGOA003W
    std::vector<std::string> rotation;
  };
  std::vector<std::string> manyPorts = {"DGOA003W"};
  std::vector<std::string> manyCodes;
  for (int i = 10; i < 35; ++i) {
    manyPorts.push_back("DQ" + std::to_string(i) + "003W");
    if (manyCodes.size() < 19) manyCodes.push_back("XXQ" + std::to_string(i));
  }
  const std::vector<Case> cases = {
      {"back at the open condition's port",
       {"AGOA003W", "DGOA003W", "ASIN003W", "DSIN003W", "AHKG003W", "DHKG003W", "AGOA004W", "DSIN004W"},
       {"SGSIN", "HKHKG"}},
      {"a port met again starts the next round",
       {"DGOA003W", "DSIN003W", "DHKG003W", "ASIN004W", "DHKG004W"},
       {"SGSIN", "HKHKG"}},
      {"the open condition is the newest", {"AGOA003W", "DGOA003W"}, {}},
      {"at most 19 ports", manyPorts, manyCodes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path() / "COND"))
      fs::remove(entry.path());
    int minute = 0;
    for (const std::string& name : c.oldestFirst) Condition(name, LocalTime(2026, 5, 1, 0, minute++));
    Refresh();
    EXPECT_EQ(list.PortRotation, c.rotation);
  }
}

TEST_F(ConditionListTest, SavedUnderANewNameItAppearsFirstOnceDated) {
  RegisterPort("GOA", "IT");
  AddOrUpdatePort(plan, "SIN", "SINGAPORE", "SG", "", false);
  // Conditions dated ahead of the clock, so the new file starts last.
  Condition("AGOA003W", LocalTime(2099, 5, 30, 8, 0), {UnitRecord("050082", "ZUMU1000001", "HAM", "GOA")});
  Condition("DGOA003W", LocalTime(2099, 5, 31, 12, 0), {UnitRecord("010082", "ZUMU2000002", "GOA", "SIN")});
  Refresh();
  ASSERT_TRUE(list.OpenSelectedCondition());
  Place("030082", Unit("ZUMU3000003", "GOA", "SIN"));

  EXPECT_EQ(list.SaveDialogPorts(), (std::vector<std::string>{"GOA", "SIN"}));
  const SaveConditionFields start = list.SaveDialogFields();
  EXPECT_EQ(start.port, "GOA");
  EXPECT_EQ(start.voyage, "003W");
  EXPECT_EQ(start.type, "D");

  const SaveConditionOutcome first = list.SaveCondition({"sin", "003w", "A"});
  EXPECT_TRUE(first.closed);
  EXPECT_TRUE(first.newFile);
  EXPECT_EQ(first.messageLine, "");
  EXPECT_EQ(saved, 1);
  EXPECT_TRUE(fs::exists(CondPath("ASIN003W.TXT")));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "SIN");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "003W");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "A");
  EXPECT_EQ(plan.ConditionModified, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"DGOA003W", "AGOA003W", "ASIN003W"}));
  EXPECT_EQ(list.OpenConditionIndex, 2);
  EXPECT_EQ(list.Selected, 2);

  // The date the person gives puts it in its place, and the mark goes with it.
  std::tm when{};
  ASSERT_TRUE(list.SelectedConditionDate(when));
  ASSERT_TRUE(list.ChangeConditionDate(LocalTime(2099, 6, 3, 6, 30)));
  EXPECT_EQ(list.Items.front(), "9/06/03 ASIN003W <");
  EXPECT_EQ(list.OpenConditionIndex, 0);
  ASSERT_TRUE(list.SelectedConditionDate(when));
  EXPECT_EQ(when.tm_mday, 3);
  EXPECT_EQ(when.tm_hour, 6);
  EXPECT_EQ(when.tm_min, 30);
  EXPECT_EQ(ScheduleOf(dir.path() / "COND").back(), "2099/06/03 06.30 ASIN003W       W");
  // A new date moves it.
  ASSERT_TRUE(list.ChangeConditionDate(LocalTime(2099, 5, 30, 9, 0)));
  EXPECT_EQ(Names(), (std::vector<std::string>{"DGOA003W", "ASIN003W", "AGOA003W"}));
  EXPECT_FALSE(list.ChangeConditionDate(LocalTime(2099, 13, 1, 0, 0)));

  // Saving again under the same name is no new file: no date to ask for.
  const SaveConditionOutcome again = list.SaveCondition({"SIN", "003W", "A"});
  EXPECT_TRUE(again.closed);
  EXPECT_FALSE(again.newFile);
}

// The files saved with a condition are one set with it: when one of them
// cannot be written, no file of the set changes and the condition keeps the
// name of the file it came from.
TEST_F(ConditionListTest, ASetThatCannotBeWrittenChangesNoFile) {
  RegisterPort("GOA", "IT");
  Condition("DGOA003W", LocalTime(2099, 5, 31, 12, 0), {UnitRecord("010082", "ZUMU2000002", "GOA", "SIN")});
  Refresh();
  Select("DGOA003W");
  ASSERT_TRUE(list.OpenSelectedCondition());
  Place("030082", Unit("ZUMU3000003", "GOA", "SIN"));
  const std::string before = ReadBytes(CondPath("DGOA003W.TXT"));
  const SaveConditionOutcome outcome = list.SaveCondition({"GOA", "004W", "D"}, [&](SaveSet& set) {
    set.Add(dir.path() / "no such folder" / "QUA.TXT", "quay");
    return true;
  });
  EXPECT_FALSE(outcome.closed);
  EXPECT_FALSE(fs::exists(CondPath("DGOA004W.TXT")));
  EXPECT_EQ(ReadBytes(CondPath("DGOA003W.TXT")), before);
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "003W");
  EXPECT_EQ(plan.ConditionModified, 1);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("no such folder/QUA.TXT"), std::string::npos) << host.errors[0];
}

TEST_F(ConditionListTest, SaveDialogRefusesBadFieldsAndWritesNothing) {
  RegisterPort("GOA", "IT");
  struct Case {
    SaveConditionFields fields;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{"GO", "003W", "D"}, "Wrong port code"},
      {{"", "003W", "D"}, "Wrong port code"},
      {{"GOAX", "003W", "D"}, "Wrong port code"},
      {{"G/A", "003W", "D"}, "Wrong port code"},
      {{"GOA", "03W", "D"}, "wrong voy number"},
      {{"GOA", "  03W ", "D"}, "wrong voy number"},
      {{"GOA", "..\\X1", "D"}, "wrong voy number"},
      {{"GOA", "0/../3", "D"}, "wrong voy number"},
      {{"GOA", "003W", ""}, ""},
      {{"GOA", "003W", "X"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields.port + " " + c.fields.voyage + " " + c.fields.type);
    const SaveConditionOutcome outcome = list.SaveCondition(c.fields);
    EXPECT_FALSE(outcome.closed);
    EXPECT_EQ(outcome.messageLine, c.message);
    EXPECT_TRUE(fs::is_empty(dir.path() / "COND"));
    EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "GOA");
    EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "003W");
  }
  EXPECT_EQ(saved, 0);
}

TEST_F(ConditionListTest, PortWithoutCountryIsQueriedOnceThenSaved) {
  AddOrUpdatePort(plan, "ZZZ", "", "XX", "", false);
  const int before = plan.VoyPortCount;
  const SaveConditionOutcome first = list.SaveCondition({"ZZZ", "003W", "D"});
  EXPECT_FALSE(first.closed);
  EXPECT_EQ(first.messageLine, "Port not found");
  ASSERT_EQ(plan.VoyPortCount, before + 2);
  EXPECT_EQ(plan.VoyPorts[before].CODE, "ZZZ");
  EXPECT_EQ(plan.VoyPorts[before + 1].CODE, "");
  EXPECT_FALSE(fs::exists(CondPath("DZZZ003W.TXT")));

  const SaveConditionOutcome second = list.SaveCondition({"ZZZ", "003W", "D"});
  EXPECT_TRUE(second.closed);
  EXPECT_TRUE(fs::exists(CondPath("DZZZ003W.TXT")));
}

TEST_F(ConditionListTest, FailedSaveKeepsTheOpenConditionsName) {
  RegisterPort("SIN", "SG");
  fs::create_directory(CondPath("DSIN003W.TXT"));  // nothing can be written there
  const SaveConditionOutcome outcome = list.SaveCondition({"SIN", "003W", "D"});
  EXPECT_FALSE(outcome.closed);
  EXPECT_FALSE(host.errors.empty());
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "GOA");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "D");
  EXPECT_EQ(saved, 0);
}

TEST_F(ConditionListTest, ArchiveAndRestoreMoveTheFileAndKeepItsDate) {
  GenoaConditions();
  EXPECT_EQ(list.MoveMenuText(), "Move to Archive");
  EXPECT_EQ(list.ArchiveMenuText(), "Open Archive");
  Select("AGOA003W");
  ASSERT_TRUE(list.MoveSelectedCondition());
  EXPECT_FALSE(fs::exists(CondPath("AGOA003W.TXT")));
  EXPECT_TRUE(fs::exists(ArchiveDir() / "AGOA003W.TXT"));
  EXPECT_EQ(ScheduleOf(ArchiveDir()), std::vector<std::string>{"2026/05/30 08.00 AGOA003W       A"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"ASIN003W", "DGOA003W"}));
  EXPECT_EQ(ScheduleOf(dir.path() / "COND").size(), 2u);

  list.ToggleArchive();
  EXPECT_EQ(plan.ArchiveMode, 1);
  EXPECT_EQ(list.Items, std::vector<std::string>{"6/05/30 AGOA003W "});
  EXPECT_EQ(list.MoveMenuText(), "Restore Condition");
  EXPECT_EQ(list.ArchiveMenuText(), "Close Archive");
  EXPECT_FALSE(list.RemoveAllowed());
  list.Selected = 0;
  EXPECT_FALSE(list.DeleteSelectedCondition());  // not in the archive, and nothing asked
  EXPECT_TRUE(host.questions.empty());

  ASSERT_TRUE(list.MoveSelectedCondition());
  EXPECT_TRUE(list.Items.empty());
  EXPECT_TRUE(ScheduleOf(ArchiveDir()).empty());
  EXPECT_TRUE(fs::exists(CondPath("AGOA003W.TXT")));
  list.ToggleArchive();
  EXPECT_EQ(plan.ArchiveMode, 0);
  // The copy is a new file; the date is the one the condition had.
  EXPECT_EQ(list.Items,
            (std::vector<std::string>{"6/06/03 ASIN003W ", "6/05/31 DGOA003W <", "6/05/30 AGOA003W "}));
}

TEST_F(ConditionListTest, NoArchiveFolderWithoutAVesselFolderName) {
  GenoaConditions();
  plan.VesHdr[VesHdrIx::Dir] = "";
  Select("AGOA003W");
  EXPECT_FALSE(list.MoveSelectedCondition());
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_TRUE(fs::exists(CondPath("AGOA003W.TXT")));
}

TEST_F(ConditionListTest, ModifiedConditionIsSavedPutAsideOrDropped) {
  struct Case {
    const char* title;
    const char* saveWithoutAsking;
    const char* autoSaveToTemp;
    bool leaving;
    std::vector<Host::Answer> answers;
    bool result;
    bool namedFile;
    bool tempFile;
    int modifiedAfter;
  };
  using A = Host::Answer;
  const std::vector<Case> cases = {
      {"automatic save", "1", "1", true, {}, true, true, false, 0},
      {"put aside when leaving", "0", "1", true, {}, true, false, true, 0},
      {"not put aside when staying", "0", "1", false, {A::Yes}, true, true, false, 0},
      {"yes saves", "0", "0", true, {A::Yes}, true, true, false, 0},
      {"no drops the changes", "0", "0", false, {A::No}, true, false, false, 0},
      {"cancel stops", "0", "0", true, {A::Cancel}, false, false, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path() / "COND"))
      fs::remove(entry.path());
    host.questions.clear();
    host.answers.assign(c.answers.begin(), c.answers.end());
    plan.Settings[SettingsIx::SaveWithoutAsking] = c.saveWithoutAsking;
    plan.Settings[SettingsIx::AutoSaveToTemp] = c.autoSaveToTemp;
    if (plan.Cur()[Cell("010082")].STATUS == 0) Place("010082", Unit("ZUMU2000002", "GOA", "SIN"));
    ctx.MarkConditionModified(true);

    EXPECT_EQ(list.AskSaveModified(c.leaving), c.result);
    EXPECT_EQ(fs::exists(CondPath("DGOA003W.TXT")), c.namedFile);
    EXPECT_EQ(fs::exists(CondPath("temp.TXT")), c.tempFile);
    EXPECT_EQ(plan.ConditionModified, c.modifiedAfter);
    ASSERT_EQ(host.questions.size(), c.answers.size());
    if (!c.answers.empty()) {
      EXPECT_EQ(host.questions[0].caption, list.StatusPanelText);
      EXPECT_EQ(host.questions[0].question, "The current condition has been modified - Replace?");
      EXPECT_TRUE(host.questions[0].showCancel);
    }
  }
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ConditionListTest, UnsavableConditionIsNeverDroppedAsSaved) {
  plan.Settings[SettingsIx::SaveWithoutAsking] = "1";
  Place("010082", Unit("ZUMU2000002", "GOA", "SIN"));
  ctx.MarkConditionModified(true);

  // The file cannot be written: the caller must not go on.
  fs::create_directory(CondPath("DGOA003W.TXT"));
  EXPECT_FALSE(list.AskSaveModified(true));
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(plan.ConditionModified, 1);

  // A condition without a name has no file to go to: the question is asked
  // even with automatic saving, and "Yes" cannot drop the work.
  SetCondition("", "", "");
  host.answers = {Host::Answer::Yes};
  EXPECT_FALSE(list.AskSaveModified(false));
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.errors.size(), 2u);
  EXPECT_FALSE(fs::exists(CondPath(".TXT")));
  EXPECT_EQ(plan.ConditionModified, 1);
}

TEST_F(ConditionListTest, WorkPutAsideReplacesTheNextOpenedCondition) {
  GenoaConditions();
  plan.Settings[SettingsIx::AutoSaveToTemp] = "1";
  ASSERT_TRUE(list.OpenSelectedCondition());
  EXPECT_EQ(opened, 1);
  Place("030082", Unit("ZUMU3000003", "GOA", "SIN"));
  ctx.MarkConditionModified(true);
  ASSERT_TRUE(list.AskSaveModified(true));
  ASSERT_TRUE(fs::exists(CondPath("temp.TXT")));

  Select("AGOA003W");
  ASSERT_TRUE(list.OpenSelectedCondition());
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(plan.Cur()[Cell("030082")].CONTAINER, "ZUMU3000003");
  EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "ZUMU2000002");
  EXPECT_EQ(plan.Cur()[Cell("050082")].STATUS, 0);  // AGOA003W's own unit
  EXPECT_EQ(plan.ConditionModified, 1);
  EXPECT_FALSE(fs::exists(CondPath("temp.TXT")));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "A");
  EXPECT_EQ(list.OpenConditionIndex, IndexOf("AGOA003W"));
  EXPECT_EQ(list.Items[list.OpenConditionIndex], "6/05/30 AGOA003W <");
  EXPECT_EQ(list.Items[IndexOf("DGOA003W")], "6/05/31 DGOA003W ");
}

TEST_F(ConditionListTest, CancelledOpenLeavesEverythingAsItWas) {
  GenoaConditions();
  ASSERT_TRUE(list.OpenSelectedCondition());
  Place("030082", Unit("ZUMU3000003", "GOA", "SIN"));
  ctx.MarkConditionModified(true);
  const std::vector<std::string> items = list.Items;
  Select("AGOA003W");
  host.answers = {Host::Answer::Cancel};
  EXPECT_FALSE(list.OpenSelectedCondition());
  EXPECT_EQ(list.Items, items);
  EXPECT_EQ(list.OpenConditionIndex, IndexOf("DGOA003W"));
  EXPECT_EQ(plan.Cur()[Cell("030082")].CONTAINER, "ZUMU3000003");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "D");
  EXPECT_EQ(plan.ConditionModified, 1);
}

TEST_F(ConditionListTest, ListedButMissingFileLeavesNoConditionOpen) {
  GenoaConditions();
  fs::remove(CondPath("AGOA003W.TXT"));
  Select("AGOA003W");
  EXPECT_FALSE(list.OpenSelectedCondition());
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Voy], "");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "");
  EXPECT_EQ(list.OpenConditionIndex, -1);
  for (const std::string& item : list.Items) EXPECT_EQ(item.size(), 17u) << item;
  EXPECT_TRUE(list.PortRotation.empty());
}

TEST_F(ConditionListTest, RevertReadsTheSavedConditionAgain) {
  GenoaConditions();
  ASSERT_TRUE(list.OpenSelectedCondition());
  EXPECT_FALSE(list.RevertCondition());  // not modified
  EXPECT_EQ(reverted, 0);

  Place("030082", Unit("ZUMU3000003", "GOA", "SIN"));
  ctx.MarkConditionModified(true);
  ASSERT_TRUE(list.RevertCondition());
  EXPECT_EQ(reverted, 1);
  EXPECT_EQ(plan.Cur()[Cell("030082")].STATUS, 0);
  EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "ZUMU2000002");
  EXPECT_EQ(plan.ConditionModified, 0);

  // Never saved: nothing to go back to, and the work and its name stay.
  SetCondition("SIN", "009W", "D");
  Place("030082", Unit("ZUMU3000003", "GOA", "SIN"));
  ctx.MarkConditionModified(true);
  EXPECT_FALSE(list.RevertCondition());
  EXPECT_EQ(plan.Cur()[Cell("030082")].CONTAINER, "ZUMU3000003");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "SIN");
}

TEST_F(ConditionListTest, DeleteAsksFirst) {
  GenoaConditions();
  Select("AGOA003W");
  host.answers = {Host::Answer::No, Host::Answer::Yes};
  EXPECT_FALSE(list.DeleteSelectedCondition());
  EXPECT_TRUE(fs::exists(CondPath("AGOA003W.TXT")));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].question, "Deleting condition " + CondPath("AGOA003W.TXT").string());
  EXPECT_FALSE(host.questions[0].showCancel);

  EXPECT_TRUE(list.DeleteSelectedCondition());
  EXPECT_FALSE(fs::exists(CondPath("AGOA003W.TXT")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"ASIN003W", "DGOA003W"}));
  EXPECT_EQ(ScheduleOf(dir.path() / "COND").size(), 2u);
}

TEST_F(ConditionListTest, NeighbourConditions) {
  int minute = 0;
  for (const char* name : {"DHAM002W", "AGOA003W", "PGOA003W", "DGOA003W", "ASIN003W", "PSIN003W"})
    Condition(name, LocalTime(2026, 5, 1, 0, minute++));
  Refresh();
  ASSERT_EQ(Names(), (std::vector<std::string>{"PSIN003W", "ASIN003W", "DGOA003W", "PGOA003W", "AGOA003W",
                                               "DHAM002W"}));
  struct Case {
    const char* selected;
    bool next;
    const char* neighbour;  // "" for none
  };
  const std::vector<Case> cases = {
      {"DGOA003W", true, "AGOA003W"},  // the port's prestowage is passed over
      {"DGOA003W", false, "ASIN003W"}, {"ASIN003W", true, "DGOA003W"}, {"PGOA003W", false, "DGOA003W"},
      {"AGOA003W", true, "DHAM002W"},  {"DHAM002W", true, ""},         {"PSIN003W", false, ""},
      {"PSIN003W", true, "ASIN003W"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.selected) + (c.next ? " next" : " previous"));
    Select(c.selected);
    const std::string expected = *c.neighbour ? CondPath(std::string(c.neighbour) + ".TXT").string() : "";
    EXPECT_EQ(list.NeighbourCondition(c.next, false), expected);
    EXPECT_EQ(list.Selected, IndexOf(c.selected));
  }

  // The prestowage as the last item is taken.
  fs::remove(CondPath("AGOA003W.TXT"));
  fs::remove(CondPath("DHAM002W.TXT"));
  Refresh();
  Select("DGOA003W");
  EXPECT_EQ(list.NeighbourCondition(true, false), CondPath("PGOA003W.TXT").string());

  // With open, the neighbour becomes the open condition.
  EXPECT_EQ(list.NeighbourCondition(false, true), CondPath("ASIN003W.TXT").string());
  EXPECT_EQ(list.OpenConditionIndex, IndexOf("ASIN003W"));
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Port], "SIN");
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "A");
}

TEST_F(ConditionListTest, ReferenceIsTheConditionBeforeTheOpenOne) {
  GenoaConditions();
  Select("DGOA003W");
  ASSERT_TRUE(list.OpenSelectedCondition());
  // A unit left from an earlier reference must not survive the reading.
  plan.Dat[plan.RefPlane][Cell("030082")] = Unit("ZUMU9999999", "GOA", "SIN");
  plan.Dat[plan.RefPlane][Cell("030082")].STATUS = 1;
  // The cursor on another item does not change which condition is "before".
  Select("ASIN003W");
  ctx.MarkConditionModified(false);
  ASSERT_TRUE(list.LoadReferenceCondition(plan.RefPlane));
  EXPECT_EQ(plan.Dat[plan.RefPlane][Cell("050082")].CONTAINER, "ZUMU1000001");
  EXPECT_TRUE(plan.Dat[plan.RefPlane][Cell("030082")].CONTAINER.empty());
  EXPECT_TRUE(plan.Dat[plan.RefPlane][Cell("010082")].CONTAINER.empty());
  // Reading the reference is no change of the working condition.
  EXPECT_EQ(plan.ConditionModified, 0);
  EXPECT_EQ(plan.Cur()[Cell("010082")].CONTAINER, "ZUMU2000002");

  // The oldest condition has none before it.
  Select("AGOA003W");
  ASSERT_TRUE(list.OpenSelectedCondition());
  EXPECT_FALSE(list.LoadReferenceCondition(plan.RefPlane));
}

TEST_F(ConditionListTest, VoyageDataSetOfATwoPortVoyage) {
  Condition("AGOA003W", LocalTime(2026, 5, 30, 8, 0), {UnitRecord("050082", "ZUMU1000001", "HAM", "GOA")});
  Condition(
      "DGOA003W", LocalTime(2026, 5, 31, 12, 0),
      {UnitRecord("010082", "ZUMU2000002", "GOA", "SIN"), UnitRecord("010182", "ZUMU2100002", "GOA", "HAM"),
       UnitRecord("050082", "ZUMU9000009", "HAM", "SIN")});
  Condition("ASIN003W", LocalTime(2026, 6, 3, 6, 0), {UnitRecord("010182", "ZUMU2100002", "GOA", "HAM")});
  Condition(
      "DSIN003W", LocalTime(2026, 6, 3, 20, 0),
      {UnitRecord("010182", "ZUMU2100002", "GOA", "HAM"), UnitRecord("030082", "ZUMU3000003", "SIN", "HAM")});
  Condition("DGOA004W", LocalTime(2026, 7, 1, 0, 0), {UnitRecord("010082", "ZUMU4000004", "GOA", "SIN")});
  SetCondition("SIN", "003W", "A");
  Refresh();
  ASSERT_TRUE(list.OpenSelectedCondition());
  // Work put aside belongs to the working condition: building the voyage
  // data set must leave it where it is.
  const std::string putAside = ReadBytes(CondPath("DGOA004W.TXT"));
  WriteBytes(CondPath("temp.TXT"), putAside);
  const std::vector<StructDat> working = CellRecords();
  const std::vector<std::string> items = list.Items;
  const std::vector<std::string> rotation = list.PortRotation;
  const int openedBefore = opened;

  list.BuildVoyageDataSet("003W");
  ASSERT_EQ(plan.VoyUnitCount, 3);
  EXPECT_EQ(plan.Dat[kVoyPlane][0].CONTAINER, "ZUMU2000002");
  EXPECT_EQ(plan.Dat[kVoyPlane][1].CONTAINER, "ZUMU2100002");
  EXPECT_EQ(plan.Dat[kVoyPlane][2].CONTAINER, "ZUMU3000003");
  EXPECT_EQ(plan.PolCount, 1);
  EXPECT_EQ(plan.PolList[0], "GOA");
  EXPECT_EQ(plan.PolList[1], "SIN");
  EXPECT_EQ(CellRecords(), working);
  EXPECT_EQ(plan.ConditionModified, 0);
  EXPECT_EQ(plan.VesHdr[VesHdrIx::Adp], "A");
  EXPECT_EQ(list.Items, items);
  EXPECT_EQ(list.PortRotation, rotation);
  EXPECT_FALSE(ctx.BuildingVoyage);
  EXPECT_EQ(opened, openedBefore);
  EXPECT_TRUE(fs::exists(CondPath("temp.TXT")));

  // Built once: a second call keeps it until the plan changes.
  fs::remove(CondPath("DSIN003W.TXT"));
  list.BuildVoyageDataSet("003W");
  EXPECT_EQ(plan.VoyUnitCount, 3);
  ctx.MarkConditionModified(true);
  Refresh();
  list.BuildVoyageDataSet("003W");
  EXPECT_EQ(plan.VoyUnitCount, 2);
  EXPECT_EQ(plan.PolCount, 0);
}

// The demo feeder's voyage 012N, called at Rotterdam and then Hamburg, as
// its committed schedule dates the conditions.
TEST(DemoFeederConditions, VoyageDataSetHoldsEachUnitOnceFromItsPortOfLoading) {
  TempDir dir;
  fs::copy(fs::path(ZUM4_SOURCE_DIR) / "data" / "demo", dir.path(), fs::copy_options::recursive);
  std::unique_ptr<PlanData> planOwner = CreatePlanData();
  PlanData& plan = *planOwner;
  ScriptedHost host;
  BaseData base(plan, host);
  ASSERT_TRUE(base.CreateBaseData(dir.path()));
  ASSERT_TRUE(base.LoadBaseData());
  for (int k = 0; k < plan.VesselCount; ++k)
    if (plan.VesselList[k * kVesselListFields] == "ZUM FEEDER") plan.CurVessel = k;
  ASSERT_GE(plan.CurVessel, 0);
  Stability stability(plan);
  PlanContext ctx(plan, stability, host);
  ConditionFile conditions(ctx);
  VesselData ves(plan, host);
  ASSERT_TRUE(ves.OpenVessel());

  plan.VesHdr[VesHdrIx::Adp] = "A";
  plan.VesHdr[VesHdrIx::Port] = "RTM";
  plan.VesHdr[VesHdrIx::Voy] = "012N";
  ConditionList list(ctx, conditions);
  ASSERT_TRUE(list.RebuildSchedule(false));
  list.FillConditionList();
  ASSERT_EQ(list.Items, (std::vector<std::string>{"6/11/30 DHAM012N ", "6/11/30 PHAM012N ", "6/11/30 AHAM012N ",
                                                  "6/11/28 DRTM012N ", "6/11/28 ARTM012N <"}));
  ASSERT_TRUE(list.OpenSelectedCondition());
  const std::vector<StructDat> working(plan.Cur().begin(), plan.Cur().begin() + plan.CellCount);

  list.BuildVoyageDataSet("012N");
  ASSERT_EQ(plan.PolCount, 1);
  EXPECT_EQ(plan.PolList[0], "RTM");
  EXPECT_EQ(plan.PolList[1], "HAM");
  ASSERT_GT(plan.VoyUnitCount, 0);
  std::set<std::string> containers;
  std::set<std::string> ports;
  for (int i = 0; i < plan.VoyUnitCount; ++i) {
    const StructDat& unit = plan.Dat[kVoyPlane][i];
    ports.insert(unit.POL);
    EXPECT_TRUE(containers.insert(unit.CONTAINER).second) << unit.CONTAINER << " twice";
  }
  EXPECT_EQ(ports, (std::set<std::string>{"HAM", "RTM"}));
  EXPECT_TRUE(std::equal(working.begin(), working.end(), plan.Cur().begin()));
  EXPECT_EQ(list.OpenConditionIndex, 4);  // the Rotterdam arrival, last of the five
  EXPECT_TRUE(host.errors.empty()) << host.errors.front();
}

}  // namespace
