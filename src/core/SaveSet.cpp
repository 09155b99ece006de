#include "core/SaveSet.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "core/InputCheck.h"
#include "core/TextFile.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarkTitle = "Zum4 save set";
constexpr std::string_view kWriting = "writing";
constexpr std::string_view kRenaming = "renaming";

fs::path MarkFile(const fs::path& folder) { return folder / std::string(kSaveSetMarkName); }

void SyncFolders(const std::vector<fs::path>& files) {
  std::set<fs::path> folders;
  for (const fs::path& file : files) folders.insert(FolderOf(file));
  for (const fs::path& folder : folders) SyncToDisk(folder);
}

}  // namespace

fs::path SaveSetTemporary(const fs::path& file) { return file.string() + ".set~"; }

SaveSet::SaveSet(fs::path markFolder) : markFolder_(std::move(markFolder)) {}

SaveSet::~SaveSet() {
  if (staged_) RollBack();
}

void SaveSet::Add(const fs::path& file, std::string bytes) {
  for (Member& m : members_) {
    if (m.file == file) {
      m.bytes = std::move(bytes);
      return;
    }
  }
  members_.push_back({file, std::move(bytes)});
}

void SaveSet::AddLines(const fs::path& file, const std::vector<std::string>& lines) {
  Add(file, TextLinesBytes(lines));
}

void SaveSet::OnCommitted(std::function<void()> step) { committed_.push_back(std::move(step)); }

void SaveSet::RollBack() {
  std::error_code ec;
  for (const Member& m : members_) fs::remove(SaveSetTemporary(m.file), ec);
  fs::remove(MarkFile(markFolder_), ec);
  staged_ = false;
}

bool SaveSet::WriteMark(std::string_view state, std::string& error) const {
  std::vector<std::string> lines{std::string(kMarkTitle), std::string(state)};
  for (const Member& m : members_) lines.push_back(m.file.string());
  return WriteTextLines(MarkFile(markFolder_), lines, error);
}

bool SaveSet::Commit(std::string& error) {
  if (members_.size() == 1) {
    if (!WriteFileAtomically(members_.front().file, members_.front().bytes, error)) return false;
  } else if (!members_.empty()) {
    // The mark goes first, so that temporaries cut off half-written are
    // known to the next start and removed.
    if (!WriteMark(kWriting, error)) return false;
    staged_ = true;
    for (const Member& m : members_) {
      if (!WriteFlushedFile(SaveSetTemporary(m.file), m.bytes, error)) {
        RollBack();
        return false;
      }
    }
    // From here the new set is complete on the disk: a crash finishes it.
    if (!WriteMark(kRenaming, error)) {
      RollBack();
      return false;
    }
    staged_ = false;
    std::vector<fs::path> files;
    for (const Member& m : members_) {
      std::error_code ec;
      fs::rename(SaveSetTemporary(m.file), m.file, ec);
      if (ec && error.empty()) error = m.file.string() + ": " + ec.message();
      files.push_back(m.file);
    }
    SyncFolders(files);
    // A rename that failed is tried again at the next start.
    if (!error.empty()) return false;
    std::error_code ec;
    fs::remove(MarkFile(markFolder_), ec);
    SyncToDisk(markFolder_);
  }
  for (const auto& step : committed_) step();
  return true;
}

std::string CutSaveSet::Text() const {
  if (!found) return {};
  if (!error.empty()) return "A save cut off by a crash could not be dealt with: " + error;
  std::string text = finished ? "A save cut off by a crash was finished: "
                              : "A save cut off by a crash was undone, the files before it stand: ";
  for (size_t i = 0; i < files.size(); ++i) text += (i ? ", " : "") + files[i];
  return text;
}

CutSaveSet FinishCutSaveSet(const fs::path& markFolder) {
  CutSaveSet cut;
  std::error_code ec;
  // A mark cut off while it was written marks nothing yet.
  fs::remove(MarkFile(markFolder).string() + ".tmp~", ec);
  const fs::path mark = MarkFile(markFolder);
  if (!fs::exists(mark, ec)) return cut;
  cut.found = true;
  std::vector<std::string> lines;
  if (!ReadTextLines(mark, lines, cut.error)) return cut;
  if (lines.size() < 2 || lines[0] != kMarkTitle || (lines[1] != kWriting && lines[1] != kRenaming)) {
    cut.error = mark.string() + ": not a save set mark";
    return cut;
  }
  cut.finished = lines[1] == kRenaming;
  std::vector<fs::path> files;
  for (size_t i = 2; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const fs::path file(lines[i]);
    const fs::path temp = SaveSetTemporary(file);
    files.push_back(file);
    cut.files.push_back(lines[i]);
    if (!fs::exists(temp, ec)) continue;  // renamed before the crash, or never written
    if (cut.finished) fs::rename(temp, file, ec);
    else fs::remove(temp, ec);
    if (ec && cut.error.empty()) cut.error = file.string() + ": " + ec.message();
  }
  SyncFolders(files);
  if (!cut.error.empty()) return cut;
  fs::remove(mark, ec);
  SyncToDisk(markFolder);
  return cut;
}
