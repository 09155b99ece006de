#include "cli/Utf8Console.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/TextHelpers.h"

namespace {

struct ConsoleStream {
  int fd;
  // A multi-byte UTF-8 sequence may arrive split over two writes; its
  // start waits here for the rest.
  std::string pending;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// How many bytes at the end of text may be the start of a UTF-8 sequence
// that the next write completes.
size_t OpenSequenceTail(std::string_view text) {
  for (size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto c = static_cast<unsigned char>(text[text.size() - back]);
    if (c < 0x80) return 0;
    if (c >= 0xC2 && c <= 0xF4) {
      const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
      return length > back ? back : 0;
    }
    if (c > 0xBF) return 0;  // neither a lead nor a continuation byte
  }
  return 0;
}

ssize_t ConsoleWrite(void* cookie, const char* data, size_t size) {
  auto& stream = *static_cast<ConsoleStream*>(cookie);
  std::string text = std::move(stream.pending);
  stream.pending.clear();
  text.append(data, size);
  const size_t keep = OpenSequenceTail(text);
  stream.pending = text.substr(text.size() - keep);
  text.resize(text.size() - keep);
  return WriteAll(stream.fd, WindowsTextToUtf8(text)) ? static_cast<ssize_t>(size) : -1;
}

// What was kept back for a sequence that never came is a letter after all.
bool WritePending(ConsoleStream& stream) {
  const bool ok = stream.pending.empty() || WriteAll(stream.fd, WindowsTextToUtf8(stream.pending));
  stream.pending.clear();
  return ok;
}

int ConsoleClose(void* cookie) { return WritePending(*static_cast<ConsoleStream*>(cookie)) ? 0 : -1; }

ConsoleStream out{STDOUT_FILENO, {}};
ConsoleStream err{STDERR_FILENO, {}};

FILE* ConvertingStream(ConsoleStream& stream, const char* mode) {
  const cookie_io_functions_t functions{nullptr, ConsoleWrite, nullptr, ConsoleClose};
  return fopencookie(&stream, mode, functions);
}

}  // namespace

void UseUtf8Console() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (FILE* converted = ConvertingStream(out, "w")) {
    // Line by line on a terminal, as stdout was; a pipe gets blocks.
    setvbuf(converted, nullptr, ::isatty(STDOUT_FILENO) ? _IOLBF : _IOFBF, BUFSIZ);
    stdout = converted;
  }
  if (FILE* converted = ConvertingStream(err, "w")) {
    setvbuf(converted, nullptr, _IONBF, 0);
    stderr = converted;
  }
  // exit() flushes the streams but closes none of them: the bytes kept
  // back would be lost without this.
  std::atexit([] {
    std::fflush(stdout);
    std::fflush(stderr);
    WritePending(out);
    WritePending(err);
  });
}
