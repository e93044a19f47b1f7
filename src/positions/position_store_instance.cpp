#include "positions/position_store_instance.h"

#include <memory>

namespace lumo {
namespace {

std::unique_ptr<PositionStore> instance;

}  // namespace

void createPositionStore() {
  instance = std::make_unique<PositionStore>();
}

void destroyPositionStore() {
  instance.reset();
}

PositionStore& positionStore() {
  return *instance;
}

}  // namespace lumo
