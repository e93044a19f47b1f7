#pragma once
// VERQ: a window of its own, owned by the frame, listing GlobalQueue live in
// three columns.

#include "runtime/ui/window_definition.h"

namespace lumo {

inline constexpr const char* kQueueListFormat =
    "70D(2)|M~C 0~L@n-20.0@86L(2)|M~C 1~@s200@50L(2)|M~C 2~@s200@";

rt::ui::WindowDefinition verqDefinition();
void VERQ();

}  // namespace lumo
