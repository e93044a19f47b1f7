#pragma once
// The semaphore test: TestSemaforo's button releases GreenLight; the
// windowless EsperaSemaforo waits on it and, each time it gets through, asks
// the user whether to keep waiting.

#include "runtime/ui/message_box.h"
#include "runtime/ui/window_definition.h"

namespace lumo {

rt::ui::WindowDefinition testSemaforoDefinition();
rt::ui::MessageBoxRequest greenLightQuestion();

void TestSemaforo();
void EsperaSemaforo();

}  // namespace lumo
