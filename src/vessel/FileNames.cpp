#include "vessel/FileNames.h"

#include <cctype>
#include <system_error>

namespace {
bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}
}  // namespace

std::filesystem::path FindFileNoCase(const std::filesystem::path& dir, std::string_view name) {
  std::error_code ec;
  const auto exact = dir / std::string(name);
  if (std::filesystem::exists(exact, ec)) return exact;
  std::filesystem::directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec))
    if (EqualNoCase(it->path().filename().string(), name)) return it->path();
  return {};
}
