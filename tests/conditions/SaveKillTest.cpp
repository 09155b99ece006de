// Saves killed at random moments: a save that a crash cuts off leaves the
// old file or the new one, never part of either; an import's condition,
// quay and ports, saved as one set, are after the next start either all
// the old ones or all the new ones.
//
// A child process saves generation after generation until it is killed
// (SIGKILL, at a random moment within about two saves); the test then does
// what the next start does and reads what is on the disk. A killed process
// loses nothing the system already holds, so the files live in memory
// (/dev/shm) where there is one: the flushes cost nothing there and a few
// hundred kills take seconds.

#include <gtest/gtest.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ConditionFixture.h"
#include "conditions/ConditionList.h"
#include "core/SaveSet.h"
#include "core/TextHelpers.h"
#include "planning/Quay.h"
#include "vessel/Ports.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSetKills = 300;
constexpr int kSingleKills = 200;

// The generation number a file carries after its tag, -1 when it has none.
long GenerationAfter(const std::string& bytes, const std::string& tag) {
  const size_t at = bytes.find(tag);
  if (at == std::string::npos) return -1;
  return std::strtol(bytes.c_str() + at + tag.size(), nullptr, 10);
}

bool EndsWithLine(const std::string& bytes, const std::string& lastChars) {
  return bytes.size() >= lastChars.size() + 2 &&
         bytes.compare(bytes.size() - lastChars.size() - 2, std::string::npos, lastChars + "\r\n") == 0;
}

std::filesystem::path FastFolder() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

class SaveKillTest : public ConditionTest {
 protected:
  SaveKillTest() {
    plan.VesselDir = folder.path().string();
    fs::create_directories(folder.path() / "COND");
    plan.DataDir = (folder.path() / "inst").string();
    fs::create_directories(plan.DataDir);
    AddOrUpdatePort(plan, "GOA", "GENOA", "IT", "GE", false);
    AddOrUpdatePort(plan, "HAM", "HAMBURG", "DE", "HA", false);
    Place("010082", Unit("GENU0000000", "GOA", "HAM"));
    PutToQuay(plan, Unit("QUAY0000000", "GOA", "HAM"));
    Generation(0);
  }

  // Marks the condition, the quay and the ports with generation g.
  void Generation(long g) {
    const std::string digits = Pad(std::to_string(g), 7, true, "0");
    plan.Cur()[Cell("010082")].CONTAINER = "GENU" + digits;
    plan.Dat[kQuayPlane][0].CONTAINER = "QUAY" + digits;
    plan.Ports[0].PORT = "GEN " + digits;
    plan.PortsChanged = 1;
  }

  // The import's save: the condition with its quay and ports, as one set.
  bool SaveSet() {
    const auto alongside = [this](::SaveSet& set) {
      return file.WriteCondition("", false, kQuayPlane, &set).written && WritePorts(plan, plan.DataDir, host, &set);
    };
    return list.SaveCondition({"GOA", "003W", "D"}, alongside).closed;
  }

  // The program's plain save of the working condition, one file.
  bool SaveAlone() { return file.WriteCondition("DGOA004W.TXT", false, kCurPlane).written; }

  // Saves generations from first on until killed. It says on ready once
  // the first save is done: the first one after the fork is slow, the pages
  // of the plan being copied as they change.
  [[noreturn]] void SaveForever(long first, bool asSet, int ready) {
    for (long g = first;; ++g) {
      Generation(g);
      if (!(asSet ? SaveSet() : SaveAlone())) _exit(2);
      if (g == first && ::write(ready, "!", 1) != 1) _exit(3);
    }
  }

  // Forks a child that saves from generation first on, kills it the delay
  // after it began and waits for it. False when it ended before the kill.
  bool KillWhileSaving(long first, bool asSet, std::chrono::microseconds delay) {
    int ready[2];
    if (::pipe(ready) != 0) return false;
    const pid_t child = fork();
    if (child == 0) SaveForever(first, asSet, ready[1]);
    char began = 0;
    const bool started = ::read(ready[0], &began, 1) == 1;
    ::close(ready[0]);
    ::close(ready[1]);
    if (started) std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return started && WIFSIGNALED(status);
  }

  // How long one save takes here, to spread the kills over it.
  std::chrono::microseconds SaveTime(bool asSet) {
    constexpr int kSaves = 10;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSaves; ++i) EXPECT_TRUE(asSet ? SaveSet() : SaveAlone());
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) / kSaves;
  }

  // The generation each file of the set holds, -1 for a file torn or gone.
  std::vector<long> SetGenerations() const {
    const std::string condition = ReadBytes(folder.path() / "COND" / "DGOA003W.TXT");
    const std::string quay = ReadBytes(folder.path() / "QUA.TXT");
    const std::string ports = ReadBytes(fs::path(plan.DataDir) / "por.txt");
    const bool conditionWhole = condition.rfind("A|", 0) == 0 && EndsWithLine(condition, "|") &&
                                std::count(condition.begin(), condition.end(), '\n') == 2;
    const bool quayWhole = EndsWithLine(quay, ",") && std::count(quay.begin(), quay.end(), '\n') == 1;
    const bool portsWhole = EndsWithLine(ports, ";") && std::count(ports.begin(), ports.end(), '\n') == 2;
    return {conditionWhole ? GenerationAfter(condition, "|GENU") : -1,
            quayWhole ? GenerationAfter(quay, ",QUAY") : -1, portsWhole ? GenerationAfter(ports, "GEN ") : -1};
  }

  // What a set left beside the files it saves, once the start has dealt
  // with it.
  std::vector<std::string> SetLitter() const {
    std::vector<std::string> found;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder.path())) {
      const std::string name = e.path().filename().string();
      if (name.ends_with(".set~") || name.starts_with(kSaveSetMarkName)) found.push_back(e.path().string());
    }
    return found;
  }

  TempDir folder{FastFolder()};
  ConditionList list{ctx, file};
  std::mt19937 random{26};
};

TEST_F(SaveKillTest, AnImportsSetIsAllOldOrAllNewAfterTheNextStart) {
  ASSERT_TRUE(SaveSet());
  const auto saveTime = SaveTime(true);
  std::uniform_int_distribution<long> delay(0, 2 * saveTime.count());
  int finished = 0, undone = 0, clean = 0;
  long last = 0;
  for (int kill = 0; kill < kSetKills; ++kill) {
    const long first = (kill + 1) * 1000000L;
    ASSERT_TRUE(KillWhileSaving(first, true, std::chrono::microseconds(delay(random))));
    // The next start.
    const CutSaveSet cut = FinishCutSaveSet(plan.DataDir);
    ASSERT_TRUE(cut.error.empty()) << cut.error;
    (cut.found ? (cut.finished ? finished : undone) : clean) += 1;
    const std::vector<long> g = SetGenerations();
    ASSERT_GE(g[0], 0) << "torn condition after kill " << kill;
    ASSERT_EQ(g[1], g[0]) << "quay of another save than the condition after kill " << kill;
    ASSERT_EQ(g[2], g[0]) << "ports of another save than the condition after kill " << kill;
    ASSERT_TRUE(g[0] == last || (g[0] >= first && g[0] < first + 1000000L)) << g[0];
    last = g[0];
    EXPECT_EQ(SetLitter(), std::vector<std::string>{});
  }
  std::printf("%d kills of a set save (one save %lld us): %d finished at the next start, %d undone, %d without a "
              "mark\n",
              kSetKills, static_cast<long long>(saveTime.count()), finished, undone, clean);
  RecordProperty("finished", finished);
  RecordProperty("undone", undone);
}

TEST_F(SaveKillTest, ASingleSaveIsTheOldFileOrTheNewOne) {
  ASSERT_TRUE(SaveAlone());
  const auto saveTime = SaveTime(false);
  std::uniform_int_distribution<long> delay(0, 2 * saveTime.count());
  const fs::path saved = folder.path() / "COND" / "DGOA004W.TXT";
  int cutInside = 0;
  for (int kill = 0; kill < kSingleKills; ++kill) {
    const long first = (kill + 1) * 1000000L;
    ASSERT_TRUE(KillWhileSaving(first, false, std::chrono::microseconds(delay(random))));
    const std::string bytes = ReadBytes(saved);
    ASSERT_TRUE(bytes.rfind("A|", 0) == 0 && EndsWithLine(bytes, "|") &&
                std::count(bytes.begin(), bytes.end(), '\n') == 2)
        << "torn after kill " << kill << ":\n"
        << bytes;
    const long g = GenerationAfter(bytes, "|GENU");
    ASSERT_TRUE(g >= first && g < first + 1000000L) << g;
    // A temporary left behind: the kill came while the file was written.
    std::error_code ec;
    if (fs::remove(saved.string() + ".tmp~", ec)) ++cutInside;
  }
  std::printf("%d kills of a single save (one save %lld us): %d inside the writing of the file, no file torn\n",
              kSingleKills, static_cast<long long>(saveTime.count()), cutInside);
}

}  // namespace
