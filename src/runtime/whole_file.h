#pragma once
// Whole-file reads and atomic whole-file replacement for small text files such
// as profiles: a replaced file is never seen half-written, even after a crash.

#include <string>
#include <string_view>

namespace rt {

enum class ReadStatus { kRead, kMissing, kFailed };

struct FileText {
  ReadStatus status = ReadStatus::kFailed;
  std::string text;  // the whole file when status is kRead
};

// Reads a regular file whole. Anything else in its place (a directory, a
// device, a pipe) and any read error give kFailed; no file gives kMissing.
FileText readWholeFile(const std::string& path);

// Replaces the file at path with text: writes a temporary file in the same
// directory, syncs it to disk, renames it over path and syncs the directory.
// An existing file keeps its permission bits; a new one gets 0600. Returns
// false, with path untouched and no temporary file left, on any failure.
bool replaceFile(const std::string& path, std::string_view text);

// Creates directory and any missing parents with mode 0700. Returns whether it
// exists as a directory afterwards.
bool makeDirectories(const std::string& directory);

}  // namespace rt
