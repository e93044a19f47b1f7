#pragma once
// The one PositionStore of the process: constructed by the module
// initialisation, destroyed by the module termination.

#include "positions/position_store.h"

namespace lumo {

void createPositionStore();
void destroyPositionStore();
PositionStore& positionStore();

}  // namespace lumo
