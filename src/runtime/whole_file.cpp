// Whole-file reads and atomic whole-file replacement, on POSIX calls.

#include "runtime/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace rt {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded.
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool syncFile(int fd) {
  int result;
  do {
    result = ::fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

std::string directoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool isDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Makes the temporary file's contents and permission bits final.
bool fillTemporary(int fd, const std::string& path, std::string_view text) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) return false;
  return writeAll(fd, text) && syncFile(fd);
}

}  // namespace

FileText readWholeFile(const std::string& path) {
  FileText result;
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.valid()) {
    if (errno == ENOENT) result.status = ReadStatus::kMissing;
    return result;
  }
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return result;
  constexpr std::size_t kChunk = 65536;
  std::size_t size = 0;
  for (;;) {
    result.text.resize(size + kChunk);
    ssize_t got = ::read(file.get(), result.text.data() + size, kChunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.text.clear();
      return result;
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  result.text.resize(size);
  result.status = ReadStatus::kRead;
  return result;
}

bool replaceFile(const std::string& path, std::string_view text) {
  std::string directory = directoryOf(path);
  std::string temporary = directory + "/.lumo-write-XXXXXX";
  Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (!file.valid()) return false;
  bool filled = fillTemporary(file.get(), path, text);
  if (!file.close() || !filled || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk only with its directory.
  Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) syncFile(dir.get());
  return true;
}

bool makeDirectories(const std::string& directory) {
  for (std::size_t slash = directory.find('/', 1); slash != std::string::npos;
       slash = directory.find('/', slash + 1)) {
    ::mkdir(directory.substr(0, slash).c_str(), 0700);
  }
  ::mkdir(directory.c_str(), 0700);
  return isDirectory(directory);
}

}  // namespace rt
