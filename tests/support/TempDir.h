#pragma once

// A fresh folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir();
  // The folder below base instead of the system's temporary folder.
  explicit TempDir(const std::filesystem::path& base);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes a fresh file below the folder (creating folders on the way, and
  // replacing a file of that name), returns its path.
  std::filesystem::path Write(const std::string& relative, const std::string& content) const;

 private:
  std::filesystem::path path_;
};
