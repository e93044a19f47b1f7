#pragma once
// The value the profile writer gives the key "Step" at each step: the step
// number, a colon and a filler that differs from one step to the next, long
// enough that a half-written file could not pass for a whole one.

#include <string>

inline std::string stepValue(long step) {
  return std::to_string(step) + ":" + std::string(900, static_cast<char>('a' + step % 26));
}
