#pragma once
// The values every program thread has of its own: request, response and
// record-navigation request, and the error manager's stack of procedure
// names. They are created when the thread starts, before its procedure
// runs, and destroyed when the procedure returns.

#include <cstdint>
#include <string>
#include <vector>

namespace rt {

// The error manager of a thread: the names of the procedures running on it,
// innermost last, for naming the procedure in error texts.
class AppErrors {
 public:
  void pushName(std::string name) { names_.push_back(std::move(name)); }
  void popName() {
    if (!names_.empty()) names_.pop_back();
  }
  const std::vector<std::string>& names() const { return names_; }
  std::string procedureName() const { return names_.empty() ? std::string() : names_.back(); }

 private:
  std::vector<std::string> names_;
};

struct ThreadValues {
  std::uint8_t request = 0;
  std::uint8_t response = 0;
  std::int32_t navigationRequest = 0;
  AppErrors errors;
};

// The calling thread's values. Every thread made by the runtime has them.
ThreadValues& threadValues();

// Gives the calling thread its values for the lifetime of this object.
class ThreadValuesScope {
 public:
  ThreadValuesScope();
  ~ThreadValuesScope();
  ThreadValuesScope(const ThreadValuesScope&) = delete;
  ThreadValuesScope& operator=(const ThreadValuesScope&) = delete;

 private:
  ThreadValues* previous_;
};

}  // namespace rt
