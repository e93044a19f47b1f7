#include "app/program.h"

#include "app/module.h"
#include "app/program_main.h"

namespace lumo {

rt::Program program() {
  return {moduleInit, programMain, moduleTerm};
}

}  // namespace lumo
