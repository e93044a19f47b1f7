#pragma once
// QueueLock: the critical section that safe writers hold around each
// read/write-back pair of GlobalQueue. Nothing else takes it.

#include "runtime/critical_section.h"

namespace lumo {

extern rt::CriticalSection QueueLock;

}  // namespace lumo
