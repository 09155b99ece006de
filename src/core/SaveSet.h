#pragma once

// Files that belong together (an import's condition, the quay it filled and
// the ports it added) are saved as a set: a crash between two of them must
// not leave a new condition beside an old quay, where the units the import
// sent to the quay would be in neither file.
//
// Every file of the set is first written whole to a temporary beside it and
// flushed; then the renames replace the old files. A mark file in the mark
// folder (the installation's folder, which every start reads) tells the
// next start what a cut-off set was doing:
//   "writing"   the temporaries were being written: the set is rolled back
//               (the temporaries removed, the old files stand);
//   "renaming"  every temporary was complete: the set is finished (the
//               temporaries still there are renamed over their files).
// A set of one file needs no mark: its rename alone is atomic.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kSaveSetMarkName = "saveset.mrk";

class SaveSet {
 public:
  explicit SaveSet(std::filesystem::path markFolder);
  // A set never committed leaves no temporary behind.
  ~SaveSet();
  SaveSet(const SaveSet&) = delete;
  SaveSet& operator=(const SaveSet&) = delete;

  // Adds a file and its new bytes (nothing is written yet). A file added
  // twice keeps the last bytes.
  void Add(const std::filesystem::path& file, std::string bytes);
  void AddLines(const std::filesystem::path& file, const std::vector<std::string>& lines);
  // Runs after a successful commit (clearing a "modified" flag, say).
  void OnCommitted(std::function<void()> step);
  bool Empty() const { return members_.empty(); }

  // Writes every temporary, then renames them all. False with error
  // "<file>: <reason>" when a file could not be written; before the renames
  // that leaves every old file as it was.
  bool Commit(std::string& error);

 private:
  struct Member {
    std::filesystem::path file;
    std::string bytes;
  };
  bool WriteMark(std::string_view state, std::string& error) const;
  void RollBack();

  std::filesystem::path markFolder_;
  std::vector<Member> members_;
  std::vector<std::function<void()>> committed_;
  bool staged_ = false;
};

// The temporary a set writes for file.
std::filesystem::path SaveSetTemporary(const std::filesystem::path& file);

// What the start found of a set that a crash cut off.
struct CutSaveSet {
  bool found = false;     // a mark was there
  bool finished = false;  // true: renamed to the new files; false: rolled back
  std::vector<std::string> files;  // the files of the set
  std::string error;      // why the mark could not be dealt with (it stays)
  // "A save cut off by a crash was finished: <files>" and the like.
  std::string Text() const;
};

// Finishes or rolls back the set whose mark stands in markFolder, then
// removes the mark. Nothing to do when there is none.
CutSaveSet FinishCutSaveSet(const std::filesystem::path& markFolder);
