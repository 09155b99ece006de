#include "core/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

std::string Failure(const std::filesystem::path& file, const std::string& reason) {
  return file.string() + ": " + reason;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    size_t stop = end;
    if (stop > start && bytes[stop - 1] == '\r') --stop;
    lines.emplace_back(bytes.substr(start, stop - start));
    start = next;
  }
  return lines;
}

bool ReadTextLines(const std::filesystem::path& file, std::vector<std::string>& lines, std::string& error) {
  lines.clear();
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) {
    error = Failure(file, "is a folder, not a file");
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = Failure(file, std::strerror(errno ? errno : ENOENT));
    return false;
  }
  std::string bytes;
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception& e) {
    // Some read errors surface as exceptions from the stream buffer.
    error = Failure(file, e.what());
    return false;
  }
  if (in.bad()) {
    error = Failure(file, "read error");
    return false;
  }
  lines = SplitTextLines(bytes);
  return true;
}

bool SyncToDisk(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
  ::close(fd);
  return synced;
}

bool WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes, std::string& error) {
  const std::filesystem::path temp = file.string() + ".tmp~";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = Failure(file, std::strerror(errno));
    return false;
  }
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeErrno = errno;
  if (::close(fd) != 0 || !written) {
    error = Failure(file, std::strerror(written ? errno : writeErrno));
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, file, ec);
  if (ec) {
    error = Failure(file, ec.message());
    std::filesystem::remove(temp, ec);
    return false;
  }
  // The new name is only safe once the folder's list of names is on disk.
  const std::filesystem::path folder =
      file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
  if (!SyncToDisk(folder)) {
    error = Failure(file, "written, but its folder could not be flushed to disk");
    return false;
  }
  return true;
}

bool WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                    std::string& error) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return WriteFileAtomically(file, bytes, error);
}
