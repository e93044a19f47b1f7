// Writer passes over GlobalQueue, with and without QueueLock, beside bare
// passes doing the same 228-byte copies on a plain array (under a plain
// std::mutex, or on each thread's own array). Items are read/write-back pairs.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>

#include "runtime/random.h"
#include "state/global_queue.h"
#include "state/queue_writes.h"

namespace {

constexpr int kPairs = 10000;  // one timer tick of a writer window

// A queue's rows and buffer as a plain array.
struct BareTable {
  std::array<std::array<unsigned char, lumo::kRecordBytes>, lumo::kQueueRows> rows{};
  std::array<unsigned char, lumo::kRecordBytes> buffer{};
  int current = 0;

  void pair() {
    const int n = rt::random(1, lumo::kQueueRows);
    std::memcpy(buffer.data(), rows[n - 1].data(), buffer.size());
    current = n;
    benchmark::ClobberMemory();
    std::memcpy(rows[current - 1].data(), buffer.data(), buffer.size());
  }
};

BareTable sharedTable;
std::mutex sharedTableMutex;

void bareLockedPass(int pairs) {
  for (int i = 0; i < pairs; ++i) {
    std::lock_guard lock(sharedTableMutex);
    sharedTable.pair();
  }
}

// The share of pairs the slower of two threads had done when the faster one
// finished its last pass.
class ShareProbe {
 public:
  void reset() {
    for (auto& passes : passes_) passes.store(0);
    finished_.store(false);
  }
  void passDone(const benchmark::State& state, std::int64_t done) {
    passes_[state.thread_index()].fetch_add(1, std::memory_order_relaxed);
    if (done == state.max_iterations && !finished_.exchange(true)) {
      for (int t = 0; t < 2; ++t) snapshot_[t] = passes_[t].load(std::memory_order_relaxed);
    }
  }
  // After every thread has left the measuring loop.
  double shareMin() const {
    const auto total = static_cast<double>(snapshot_[0] + snapshot_[1]);
    return total == 0 ? 0 : static_cast<double>(std::min(snapshot_[0], snapshot_[1])) / total;
  }

 private:
  std::array<std::atomic<std::int64_t>, 2> passes_{};
  std::atomic<bool> finished_{false};
  std::array<std::int64_t, 2> snapshot_{};
};

ShareProbe probe;

template <typename Pass>
void measurePasses(benchmark::State& state, Pass pass, bool probeShare) {
  probeShare = probeShare && state.threads() == 2;
  if (state.thread_index() == 0) {
    lumo::refillGlobalQueue();
    probe.reset();
  }
  std::int64_t done = 0;
  for (auto _ : state) {
    pass(kPairs);
    if (probeShare) probe.passDone(state, ++done);
  }
  state.SetItemsProcessed(state.iterations() * kPairs);
  if (probeShare && state.thread_index() == 0) state.counters["share_min"] = probe.shareMin();
}

void writerPassLocked(benchmark::State& state) {
  measurePasses(state, lumo::safePass, true);
}

void writerPassUnlocked(benchmark::State& state) {
  measurePasses(state, lumo::unsafePass, false);
}

void barePassLocked(benchmark::State& state) {
  measurePasses(state, bareLockedPass, true);
}

void barePassUnlocked(benchmark::State& state) {
  // Each thread its own array: racing plain copies would be a data race.
  const auto own = std::make_unique<BareTable>();
  measurePasses(
      state,
      [&](int pairs) {
        for (int i = 0; i < pairs; ++i) own->pair();
      },
      false);
}

BENCHMARK(writerPassLocked)->Name("WriterPass/locked")->UseRealTime();
BENCHMARK(writerPassLocked)->Name("WriterPass/locked")->UseRealTime()->Threads(2);
BENCHMARK(writerPassUnlocked)->Name("WriterPass/unlocked")->UseRealTime();
BENCHMARK(writerPassUnlocked)->Name("WriterPass/unlocked")->UseRealTime()->Threads(2);
BENCHMARK(barePassLocked)->Name("BarePass/locked")->UseRealTime();
BENCHMARK(barePassLocked)->Name("BarePass/locked")->UseRealTime()->Threads(2);
BENCHMARK(barePassUnlocked)->Name("BarePass/unlocked")->UseRealTime();
BENCHMARK(barePassUnlocked)->Name("BarePass/unlocked")->UseRealTime()->Threads(2);

}  // namespace
