#pragma once

// The bad files every reader of outside files must tell from a good one:
// what a planner gets from a terminal, an agent or a careless copy. A test
// walks the kinds with its own reader and its own expectations.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

enum class BadFile { Empty, Binary, CutOff, WrongKind, Folder, NoReadPermission };

inline const std::vector<BadFile>& AllBadFiles() {
  static const std::vector<BadFile> kinds = {BadFile::Empty,     BadFile::Binary, BadFile::CutOff,
                                             BadFile::WrongKind, BadFile::Folder, BadFile::NoReadPermission};
  return kinds;
}

inline const char* BadFileName(BadFile kind) {
  switch (kind) {
    case BadFile::Empty: return "empty";
    case BadFile::Binary: return "binary";
    case BadFile::CutOff: return "cut off inside a line";
    case BadFile::WrongKind: return "wrong kind of file";
    case BadFile::Folder: return "a folder";
    case BadFile::NoReadPermission: return "no read permission";
  }
  return "";
}

// Bytes of no text at all, the same for every run.
inline std::string RandomBytes(size_t count, unsigned seed = 26) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xff);
  return bytes;
}

// A good file cut off in the middle of its last line.
inline std::string CutOffInsideLastLine(const std::string& good) {
  size_t end = good.size();
  while (end > 0 && (good[end - 1] == '\n' || good[end - 1] == '\r')) --end;
  const size_t lineStart = good.find_last_of("\r\n", end - 1) == std::string::npos
                               ? 0
                               : good.find_last_of("\r\n", end - 1) + 1;
  return good.substr(0, lineStart + (end - lineStart) / 2);
}

// Puts the bad file of that kind at path, where a good file stood or would
// stand: good is a good file's bytes, otherKind a file of another kind.
inline void PlaceBadFile(BadFile kind, const std::filesystem::path& path, const std::string& good,
                         const std::string& otherKind) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  std::filesystem::create_directories(path.parent_path());
  auto write = [&path](const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; };
  switch (kind) {
    case BadFile::Empty: write(""); break;
    case BadFile::Binary: write(RandomBytes(3000)); break;
    case BadFile::CutOff: write(CutOffInsideLastLine(good)); break;
    case BadFile::WrongKind: write(otherKind); break;
    case BadFile::Folder: std::filesystem::create_directory(path); break;
    case BadFile::NoReadPermission:
      write(good);
      ::chmod(path.c_str(), 0);
      break;
  }
}

// For the case of a file without read permission: while it lives, such a
// file cannot be read by this process. The superuser (as tests run in CI)
// reads it anyway, so it reads as nobody for the time, and the case is
// tried rather than skipped. Nothing happens for the other cases.
class ReadAsNobody {
 public:
  explicit ReadAsNobody(BadFile kind) : root_(kind == BadFile::NoReadPermission && ::geteuid() == 0) {
    if (root_ && ::seteuid(kNobody) != 0) root_ = false;
  }
  ~ReadAsNobody() {
    if (root_ && ::seteuid(0) != 0) std::abort();
  }
  ReadAsNobody(const ReadAsNobody&) = delete;
  ReadAsNobody& operator=(const ReadAsNobody&) = delete;

 private:
  static constexpr uid_t kNobody = 65534;
  bool root_;
};

// What the refusal of that kind of bad file says besides the file's name:
// the system's word for a folder or a file that may not be read, the
// reader's own for an empty file and one of the wrong kind.
inline std::string RefusalSays(BadFile kind, const std::string& empty = "is empty",
                               const std::string& wrongKind = "", const std::string& binary = "holds binary data") {
  switch (kind) {
    case BadFile::Empty: return empty;
    case BadFile::Binary: return binary;
    case BadFile::WrongKind: return wrongKind;
    case BadFile::Folder: return "is a folder, not a file";
    case BadFile::NoReadPermission: return "Permission denied";
    case BadFile::CutOff: return "the file ends inside this line";
  }
  return "";
}

// A refusal as the readers report it: one message, beginning with the
// file's name, that says why.
inline void ExpectRefused(const std::vector<std::string>& errors, const std::filesystem::path& file,
                          const std::string& says) {
  ASSERT_EQ(errors.size(), 1u) << (errors.empty() ? std::string("nothing reported") : errors.back());
  EXPECT_EQ(errors[0].find(file.string() + ": "), 0u) << errors[0];
  EXPECT_NE(errors[0].find(says), std::string::npos) << errors[0];
}
