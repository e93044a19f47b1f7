#pragma once
// lumo as the runtime runs it: module initialisation, the program main and
// module termination.

#include "runtime/program.h"

namespace lumo {

rt::Program program();

}  // namespace lumo
