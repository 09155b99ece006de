#include "TempDir.h"

#include <fstream>
#include <random>
#include <stdexcept>

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path()) {}

TempDir::TempDir(const std::filesystem::path& base) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("zum4-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::Write(const std::string& relative, const std::string& content) const {
  const auto file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  // A fresh file: one left without read permission by a test stays so when
  // written over.
  std::error_code ec;
  std::filesystem::remove(file, ec);
  std::ofstream(file, std::ios::binary) << content;
  return file;
}
