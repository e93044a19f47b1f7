#include "runtime/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "runtime/event_loop.h"

namespace rt {
namespace {

std::atomic<NamedMutex::Fault> fault{NamedMutex::Fault::None};
std::atomic<std::int32_t> faultError{0};

// How often a timed wait looks at the lock again.
constexpr auto kRetry = std::chrono::milliseconds(5);

}  // namespace

void NamedMutex::injectFault(Fault f, std::int32_t error) {
  fault.store(f);
  faultError.store(error);
}

std::string NamedMutex::directory() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != 0)
    return runtime;
  const char* tmp = std::getenv("TMPDIR");
  std::string dir =
      std::string(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + "/lumo-" + std::to_string(getuid());
  mkdir(dir.c_str(), 0700);
  return dir;
}

std::unique_ptr<NamedMutex> NamedMutex::create(const std::string& name, std::int32_t& error) {
  error = 0;
  switch (fault.load()) {
    case Fault::CreateFails: error = faultError.load(); return nullptr;
    case Fault::NoHandle: return std::unique_ptr<NamedMutex>(new NamedMutex(-1));
    default: break;
  }
  const std::string path = directory() + "/" + name;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  return std::unique_ptr<NamedMutex>(new NamedMutex(fd));
}

NamedMutex::~NamedMutex() {
  if (fd_ >= 0) ::close(fd_);
}

int NamedMutex::tryLock() {
  if (fault.load() == Fault::WaitFails) return kFailed;
  if (held_ > 0) {
    ++held_;
    return kAcquired;
  }
  if (flock(fd_, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK ? kTimeout : kFailed;
  // A pid left in the file: its owner ended without releasing.
  char previous[32];
  const ssize_t length = pread(fd_, previous, sizeof previous, 0);
  const std::string pid = std::to_string(getpid());
  if (ftruncate(fd_, 0) != 0 || pwrite(fd_, pid.data(), pid.size(), 0) < 0) {
    flock(fd_, LOCK_UN);
    return kFailed;
  }
  held_ = 1;
  return length > 0 ? kAbandoned : kAcquired;
}

int NamedMutex::tryWait(int milliseconds) {
  if (fd_ < 0) return kNoHandle;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const int result = tryLock();
    if (result != kTimeout) return result;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return kTimeout;
    EventLoop::current().waitUntil([] { return false; }, false, std::min(now + kRetry, deadline));
  }
}

void NamedMutex::wait() {
  while (tryWait(1000) == kTimeout) {
  }
}

void NamedMutex::release() {
  if (fd_ < 0 || held_ == 0) return;
  if (--held_ > 0) return;
  if (ftruncate(fd_, 0) != 0) {
    // The pid stays; the next owner will take the mutex as abandoned.
  }
  flock(fd_, LOCK_UN);
}

void NamedMutex::release(int count) {
  for (int i = 0; i < count; ++i) release();
}

}  // namespace rt
