#pragma once

// Files that live beside the checkout rather than in it (the real-world
// corpus) and the references a test may rewrite on request.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

// The shared folder of real-world files: <source>/../shared/corpus/<sub>.
inline std::filesystem::path CorpusPath(const std::filesystem::path& sourceDir, const std::string& sub) {
  return sourceDir / ".." / "shared" / "corpus" / sub;
}

// Under CI the corpus is always there, so its absence is a fault of the run.
inline bool RunningUnderCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && *ci != '\0';
}

// Stops a test that needs `path`: skipped, with the reason, on a developer's
// machine; failed under CI.
#define ZUM4_REQUIRE_CORPUS(path)                                                   \
  do {                                                                              \
    std::error_code corpusError_;                                                   \
    if (!std::filesystem::exists((path), corpusError_)) {                           \
      if (RunningUnderCi()) FAIL() << "the corpus is missing under CI: " << (path); \
      GTEST_SKIP() << "no corpus at " << (path);                                    \
    }                                                                               \
  } while (false)

// Set when a change of format is meant: golden tests then rewrite their
// reference and report skipped, since comparing with what was just written
// proves nothing.
inline bool UpdatingGoldenFiles() { return std::getenv("ZUM4_UPDATE_GOLDEN") != nullptr; }
