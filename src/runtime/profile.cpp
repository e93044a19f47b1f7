// The private-profile service: names are cleaned, the file is found, read
// whole, edited in memory and replaced atomically, all under one lock.

#include "runtime/profile.h"

#include <cstdlib>
#include <mutex>

#include "runtime/ini_text.h"
#include "runtime/whole_file.h"

namespace rt {
namespace {

// Serialises every read and every read-edit-replace of any profile file in
// the process, so that no write is lost to another thread's.
std::mutex profileLock;

// Cuts text to limit bytes, then drops its trailing blanks.
std::string_view clean(std::string_view text, std::size_t limit) {
  text = text.substr(0, limit);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

struct Location {
  std::string path;       // empty when fileName names no file
  std::string directory;  // the profile directory, when fileName has no directory of its own
};

Location locate(std::string_view fileName) {
  fileName = clean(fileName, kProfileFileNameLimit);
  if (fileName.empty() || fileName.find('\0') != std::string_view::npos) return {};
  if (fileName.find('/') != std::string_view::npos) return {std::string(fileName), {}};
  std::string directory = profileDirectory();
  if (directory.empty()) return {};
  return {directory + "/" + std::string(fileName), directory};
}

}  // namespace

std::string profileDirectory() {
  std::string base = environment("XDG_CONFIG_HOME");
  if (!base.starts_with('/')) {
    std::string home = environment("HOME");
    if (home.empty()) return {};
    base = home + "/.config";
  }
  return base + "/lumo";
}

std::string readProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::string_view fileName) {
  std::string fallback(clean(defaultValue, kProfileValueLimit));
  Location location = locate(fileName);
  if (location.path.empty()) return fallback;
  std::lock_guard lock(profileLock);
  FileText file = readWholeFile(location.path);
  if (file.status != ReadStatus::kRead) return fallback;
  std::optional<std::string_view> value =
      ini::lookup(file.text, clean(section, kProfileNameLimit), clean(key, kProfileNameLimit));
  return value ? std::string(clean(*value, kProfileValueLimit)) : fallback;
}

void writeProfileString(std::string_view section, std::string_view key,
                        std::optional<std::string_view> value, std::string_view fileName) {
  Location location = locate(fileName);
  if (location.path.empty()) return;
  if (value) value = clean(*value, kProfileValueLimit);
  std::lock_guard lock(profileLock);
  FileText file = readWholeFile(location.path);
  if (file.status == ReadStatus::kFailed) return;  // never replace what could not be read
  std::string text = file.text;
  if (!ini::edit(text, clean(section, kProfileNameLimit), clean(key, kProfileNameLimit), value))
    return;
  if (text == file.text) return;  // nothing changed, or a removal from a missing file
  if (file.status == ReadStatus::kMissing && !location.directory.empty() &&
      !makeDirectories(location.directory))
    return;
  replaceFile(location.path, text);
}

}  // namespace rt
