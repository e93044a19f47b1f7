#pragma once
// The program module's initialisation and termination: the process-wide
// objects every thread shares, created before the program main runs and
// destroyed after it, in reverse order.

namespace lumo {

void moduleInit();
void moduleTerm();

}  // namespace lumo
