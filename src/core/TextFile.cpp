#include "core/TextFile.h"

#include "core/InputCheck.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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
  std::string bytes;
  if (!ReadFileBytes(file, bytes, error)) return false;
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

namespace {

// Writes and flushes file in place; false with the system's reason.
bool WriteFlushed(const std::filesystem::path& file, const std::string& bytes, std::string& reason) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    reason = std::strerror(errno);
    return false;
  }
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeErrno = errno;
  if (::close(fd) != 0 || !written) {
    reason = std::strerror(written ? errno : writeErrno);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return false;
  }
  return true;
}

}  // namespace

bool WriteFlushedFile(const std::filesystem::path& file, const std::string& bytes, std::string& error) {
  std::string reason;
  if (WriteFlushed(file, bytes, reason)) return true;
  error = Failure(file, reason);
  return false;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

bool WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes, std::string& error) {
  // A folder given where a file belongs: said so before anything is written
  // beside it (the system's word for the failed rename would be obscure).
  std::error_code isFolder;
  if (file.filename().empty() || std::filesystem::is_directory(file, isFolder)) {
    error = Failure(file, "is a folder, not a file");
    return false;
  }
  const std::filesystem::path temp = file.string() + ".tmp~";
  std::string reason;
  if (!WriteFlushed(temp, bytes, reason)) {
    error = Failure(file, reason);
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
  if (!SyncToDisk(FolderOf(file))) {
    error = Failure(file, "written, but its folder could not be flushed to disk");
    return false;
  }
  return true;
}

std::string TextLinesBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

bool WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                    std::string& error) {
  return WriteFileAtomically(file, TextLinesBytes(lines), error);
}
