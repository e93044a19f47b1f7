#include "runtime/critical_section.h"

#include <chrono>
#include <thread>

namespace rt {

namespace {

// How long a thread competes for the lock before it queues for a handed-over
// turn: long enough that a busy holder keeps its cache warm for many turns,
// short enough that turns change hands thousands of times per second.
constexpr auto kGrace = std::chrono::microseconds(50);
constexpr int kSpins = 64;  // before the waiter starts yielding the processor

void relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

}  // namespace

bool CriticalSection::tryTake() {
  std::uint32_t expected = kFree;
  return state_.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                        std::memory_order_relaxed);
}

void CriticalSection::enter() {
  if (tryTake()) return;
  const auto deadline = std::chrono::steady_clock::now() + kGrace;
  for (int i = 0;; ++i) {
    if (state_.load(std::memory_order_relaxed) == kFree && tryTake()) return;
    if (i < kSpins) {
      relax();
    } else if (std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    } else {
      break;
    }
  }
  enterQueued();
}

// Taking a ticket and the leaver's look at the tickets after freeing the lock
// are ordered (seq_cst) against each other: either the queued thread sees the
// lock free, or the leaver sees its ticket and wakes it.
void CriticalSection::enterQueued() {
  const std::uint32_t ticket = nextTicket_.fetch_add(1);
  for (std::uint32_t head = headTicket_.load(); head != ticket; head = headTicket_.load()) {
    headTicket_.wait(head);
  }
  for (;;) {
    std::uint32_t state = state_.load();
    if (state == kHandedOver) {
      state_.store(kHeld, std::memory_order_relaxed);
      break;
    }
    if (state != kFree) {
      state_.wait(state);
    } else if (state_.compare_exchange_strong(state, kHeld)) {
      break;
    }
  }
  headTicket_.fetch_add(1);
  headTicket_.notify_all();
}

void CriticalSection::leave() {
  const std::uint32_t head = headTicket_.load(std::memory_order_relaxed);
  if (nextTicket_.load() != head) {
    state_.store(kHandedOver);
    state_.notify_all();
    return;
  }
  state_.store(kFree);
  if (nextTicket_.load() != head) state_.notify_all();
}

int CriticalSection::queued() const {
  const std::uint32_t head = headTicket_.load();
  return static_cast<int>(nextTicket_.load() - head);
}

}  // namespace rt
