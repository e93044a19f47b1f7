#include "runtime/thread_values.h"

namespace rt {
namespace {

// Kept on the heap so that the thread's small stack is not spent on it.
thread_local ThreadValues* current = nullptr;

}  // namespace

ThreadValues& threadValues() {
  // A thread the runtime did not make (a test's own thread) gets values that
  // live as long as the thread.
  if (current == nullptr) {
    thread_local ThreadValues fallback;
    return fallback;
  }
  return *current;
}

ThreadValuesScope::ThreadValuesScope() : previous_(current) {
  current = new ThreadValues;
}

ThreadValuesScope::~ThreadValuesScope() {
  delete current;
  current = previous_;
}

}  // namespace rt
