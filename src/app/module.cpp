#include "app/module.h"

#include "app/program_main.h"
#include "positions/position_store_instance.h"
#include "runtime/random.h"
#include "state/global_queue.h"
#include "state/green_light.h"
#include "state/queue_lock.h"

namespace lumo {

void moduleInit() {
  rt::seedRandomFromClock();
  clearBuffer(GlobalQueue);
  // QueueLock is a process-local lock with nothing to create: it is ready
  // from the start of the process and holds no resources.
  GreenLight.create();
  TextMatcher = rt::TextMatcher();
  createPositionStore();
}

void moduleTerm() {
  destroyPositionStore();
  GreenLight.destroy();
  GlobalQueue.freeEntries();
  // A halt leaves the mutex for the end of the process to close.
  delete InstanceMutex;
  InstanceMutex = nullptr;
}

}  // namespace lumo
