#include "state/queue_lock.h"

namespace lumo {

rt::CriticalSection QueueLock;

}  // namespace lumo
