#pragma once
// A process-local lock: enter() blocks (handling no messages) while another
// thread is inside; leave() lets the next one in. A thread that has waited
// for a short grace period queues, and queued threads get the lock handed
// over in the order they queued, so busy threads take turns and none starves.

#include <atomic>
#include <cstdint>

namespace rt {

class CriticalSection {
 public:
  CriticalSection() = default;
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void enter();
  void leave();
  // The threads queued for their turn: a snapshot for tests.
  int queued() const;

 private:
  bool tryTake();
  void enterQueued();

  enum : std::uint32_t { kFree, kHeld, kHandedOver };
  // Until the grace period ends a waiter competes for a free lock; then it
  // takes a ticket, and each leave() hands the lock to the oldest ticket.
  alignas(64) std::atomic<std::uint32_t> state_{kFree};
  alignas(64) std::atomic<std::uint32_t> nextTicket_{0};
  std::atomic<std::uint32_t> headTicket_{0};
};

}  // namespace rt
