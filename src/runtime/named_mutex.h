#pragma once
// A mutex shared by every process of the user, known by its name: an
// exclusive lock on a file of that name in $XDG_RUNTIME_DIR (else in a
// per-user directory under the system's temporary directory). The system
// frees the lock when its owner dies; the owner writes its pid into the file
// and clears it on release, so a later owner can tell that the previous one
// ended without releasing (an abandoned mutex).

#include <cstdint>
#include <memory>
#include <string>

namespace rt {

class NamedMutex {
 public:
  // Try-wait results.
  static constexpr int kAcquired = 0;
  static constexpr int kAbandoned = -1;
  static constexpr int kTimeout = 1;
  static constexpr int kNoHandle = 2;
  static constexpr int kFailed = 3;

  // Creates the mutex, or opens it when it exists. Null on failure; error
  // receives the system's error code (0 on success).
  static std::unique_ptr<NamedMutex> create(const std::string& name, std::int32_t& error);
  ~NamedMutex();  // kill: closes the handle and frees the object

  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Waits without a time limit; the thread keeps running calls sent to it.
  void wait();
  // Waits at most milliseconds: one of the results above.
  int tryWait(int milliseconds);
  void release();
  void release(int count);
  int handle() const { return fd_; }

  // Tests make the layer below fail on purpose.
  enum class Fault { None, CreateFails, NoHandle, WaitFails };
  static void injectFault(Fault fault, std::int32_t error = 0);

  // Where the lock files live.
  static std::string directory();

 private:
  explicit NamedMutex(int fd) : fd_(fd) {}
  int tryLock();  // kAcquired, kAbandoned, kTimeout (held elsewhere) or kFailed

  int fd_ = -1;
  int held_ = 0;
};

}  // namespace rt
