#include "windows/semaphore_test.h"

#include "runtime/event_loop.h"
#include "runtime/message.h"
#include "skeleton/procedure_window.h"
#include "state/green_light.h"

namespace lumo {
namespace {

class SemaforoWindow final : public ProcedureWindow {
 public:
  explicit SemaforoWindow(rt::Window& window) : ProcedureWindow("TestSemaforo", window) {}

  Level takeAccepted() override {
    const Level level = ProcedureWindow::takeAccepted();
    if (rt::acceptedControl() == 2) {
      update();
      GreenLight.release();
    }
    return level;
  }
};

}  // namespace

rt::ui::WindowDefinition testSemaforoDefinition() {
  rt::ui::WindowDefinition d;
  d.kind = rt::ui::WindowKind::Child;
  d.caption = "Semaforo";
  d.width = 186;
  d.height = 50;
  d.font = {"MS Sans Serif", 8, 400};
  d.attributes.systemMenu = true;
  d.attributes.resizable = true;
  d.attributes.grayBackground = true;
  d.controls = {
      {.kind = rt::ui::ControlKind::Image,
       .label = "?IMAGE1",
       .text = "Semaforo.ico",
       .x = 8,
       .y = 13},
      {.kind = rt::ui::ControlKind::Button,
       .label = "?BUTTON1",
       .text = "Poner en Verde!",
       .x = 48,
       .y = 13,
       .width = 112,
       .height = 19},
  };
  return d;
}

rt::ui::MessageBoxRequest greenLightQuestion() {
  rt::ui::MessageBoxRequest request;
  request.text = "Semaforo en Verde! |Continuar Esperando?";
  request.caption = "Mensaje";
  request.icon = rt::ui::Icon::File;
  request.iconFile = "Semaforo.ico";
  request.buttons = rt::ui::kYes | rt::ui::kNo;
  request.defaultButton = rt::ui::kNo;
  request.style = 1;
  return request;
}

void TestSemaforo() {
  runProcedure<SemaforoWindow>(testSemaforoDefinition());
}

void EsperaSemaforo() {
  // The program's shutdown interrupts both waits; the thread then ends.
  while (GreenLight.wait())
    if (rt::messageBox(greenLightQuestion()) == rt::ui::kNo) return;
}

}  // namespace lumo
