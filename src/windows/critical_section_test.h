#pragma once
// The critical-section test: the launcher refills GlobalQueue with 100 known
// rows and starts writers with and without QueueLock and viewers of the
// queue, each on a thread of its own.

#include "runtime/ui/window_definition.h"

namespace lumo {

rt::ui::WindowDefinition testCriticalSectionDefinition();
rt::ui::WindowDefinition accesoSeguroDefinition();
rt::ui::WindowDefinition accesoInseguroDefinition();

void TestCriticalSection();
void AccesoSeguro();
void AccesoInseguro();

// Read/write-back pairs a writer runs on each timer tick.
inline constexpr int kPairsPerTick = 10000;

}  // namespace lumo
