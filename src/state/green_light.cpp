#include "state/green_light.h"

namespace lumo {

GreenLightSemaphore GreenLight;

}  // namespace lumo
