#pragma once
// GreenLight: the semaphore the semaphore test hands from a window to the
// waiting thread. Count 0, maximum 1; created by the module initialisation
// and destroyed by the module termination.

#include <memory>

#include "runtime/semaphore.h"

namespace lumo {

class GreenLightSemaphore {
 public:
  void create() { semaphore_ = std::make_unique<rt::Semaphore>(0, 1); }
  void destroy() { semaphore_.reset(); }
  // False when the program shut down while it waited.
  bool wait() { return semaphore_->wait(); }
  void release() { semaphore_->release(); }
  int count() const { return semaphore_->count(); }

 private:
  std::unique_ptr<rt::Semaphore> semaphore_;
};

extern GreenLightSemaphore GreenLight;

}  // namespace lumo
