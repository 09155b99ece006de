#pragma once

// Whole text files as lists of lines. Lines are read with CR LF or LF and
// written with CR LF. Writing goes to a temporary file in the same folder
// that is then renamed over the old one, so a crash or a full disk never
// leaves half a file where a good one stood.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Reads every line (without its line end). A last line without a line end
// counts; an empty file gives no lines. On failure returns false and sets
// error to "<file>: <reason>".
bool ReadTextLines(const std::filesystem::path& file, std::vector<std::string>& lines, std::string& error);

// The lines of a text's bytes, as ReadTextLines splits a file.
std::vector<std::string> SplitTextLines(std::string_view bytes);

// Writes the lines, each followed by CR LF, atomically (see above).
bool WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                    std::string& error);

// Writes bytes as they are, atomically.
bool WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes, std::string& error);
// The bytes WriteTextLines writes.
std::string TextLinesBytes(const std::vector<std::string>& lines);
// Writes bytes to file (created or emptied) and flushes it to the disk, in
// place, without a temporary: for temporaries themselves. A file that could
// not be written whole is removed.
bool WriteFlushedFile(const std::filesystem::path& file, const std::string& bytes, std::string& error);
// The folder a file is in ("." for a bare name).
std::filesystem::path FolderOf(const std::filesystem::path& file);
// Asks the system to put a file, or a folder's list of names, on the disk:
// a file renamed into a folder is only there after a power loss once the
// folder is flushed. False when the disk reported a failure; a file system
// that cannot flush folders is not one.
bool SyncToDisk(const std::filesystem::path& path);
