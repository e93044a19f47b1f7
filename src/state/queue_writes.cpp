#include "state/queue_writes.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

#include "runtime/random.h"
#include "state/global_queue.h"
#include "state/queue_lock.h"

namespace lumo {

namespace {

// prefix followed by n in decimal, in text (large enough for any int).
std::string_view numbered(std::string_view prefix, int n, std::span<char, 24> text) {
  std::copy(prefix.begin(), prefix.end(), text.data());
  const auto result = std::to_chars(text.data() + prefix.size(), text.data() + text.size(), n);
  return {text.data(), static_cast<std::size_t>(result.ptr - text.data())};
}

void rewriteRandomRow() {
  GlobalQueue.read(rt::random(1, kQueueRows));
  GlobalQueue.writeBack();
}

}  // namespace

void refillGlobalQueue() {
  GlobalQueue.clear();
  char text[24];
  for (int i = 1; i <= kQueueRows; ++i) {
    setC0(GlobalQueue, i);
    setC1(GlobalQueue, numbered("Test ", i, text));
    setC2(GlobalQueue, numbered("TEST ", i, text));
    GlobalQueue.append();
  }
}

void safePass(int pairs) {
  for (int i = 0; i < pairs; ++i) {
    QueueLock.enter();
    rewriteRandomRow();
    QueueLock.leave();
  }
}

void unsafePass(int pairs) {
  for (int i = 0; i < pairs; ++i) rewriteRandomRow();
}

}  // namespace lumo
