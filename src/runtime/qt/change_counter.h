#pragma once
// Counts the changes a user could see on screen (a window opened, moved or
// closed, a box shown or answered, a list redrawn, a status text changed).
// The display thread bumps it; automation reads it and waits for it to move.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace rt::qt {

class ChangeCounter {
 public:
  void bump();
  std::uint64_t value() const;
  // True once the count has moved past seen; false when timeout passed first.
  bool waitPast(std::uint64_t seen, std::chrono::milliseconds timeout) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable moved_;
  std::uint64_t value_ = 0;
};

}  // namespace rt::qt
