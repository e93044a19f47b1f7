#pragma once
// The process-wide pseudo-random sequence. Every draw, from whichever thread,
// takes the next number of the one sequence; draws never take a lock.

#include <cstdint>

namespace rt {

void seedRandom(std::uint32_t seed);
// Seeds from the local date and time to the second, so runs differ.
void seedRandomFromClock();
// A whole number in lo..hi inclusive (lo == hi gives lo; lo > hi draws in hi..lo).
int random(int lo, int hi);

}  // namespace rt
