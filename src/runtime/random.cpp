#include "runtime/random.h"

#include <atomic>
#include <ctime>

namespace rt {

namespace {

// SplitMix64: the state walks in fixed steps, and each draw mixes the state
// it claimed. Claiming a state is one atomic add, so concurrent draws neither
// lose nor repeat a number of the sequence.
constexpr std::uint64_t kStep = 0x9E3779B97F4A7C15ull;

std::atomic<std::uint64_t> state{0};

std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void seedRandom(std::uint32_t seed) {
  state.store(mix(seed), std::memory_order_relaxed);
}

void seedRandomFromClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const auto seconds = static_cast<std::uint32_t>(now + local.tm_gmtoff);
  seedRandom(seconds);
}

int random(int lo, int hi) {
  if (lo > hi) return random(hi, lo);
  const std::uint64_t drawn = mix(state.fetch_add(kStep, std::memory_order_relaxed) + kStep) >> 32;
  const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
  // Scales the 32 random bits onto the span (at most 2^32 values).
  return static_cast<int>(static_cast<std::int64_t>(lo) +
                          static_cast<std::int64_t>((drawn * span) >> 32));
}

}  // namespace rt
