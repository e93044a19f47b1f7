#pragma once
// The program main: claims the single-instance mutex and tells the user what
// it found, configures the shared class-library objects, switches full-window
// drag off while the program runs, runs the frame until it closes, then
// undoes all of it in reverse order.

#include <cstdint>

#include "runtime/named_mutex.h"
#include "runtime/text_matcher.h"

namespace lumo {

extern rt::NamedMutex* InstanceMutex;  // null when creation failed
extern std::int32_t MutexError;
extern std::int32_t MutexWaitResult;
extern std::uint32_t DragSetting;
extern std::uint32_t DragScratch;
extern rt::TextMatcher TextMatcher;

inline constexpr const char* kMutexName = "MyApplicationLimiterMutex";

void programMain();

}  // namespace lumo
