#include "windows/critical_section_test.h"

#include "runtime/event_loop.h"
#include "runtime/start.h"
#include "runtime/ui/events.h"
#include "skeleton/procedure_window.h"
#include "state/queue_writes.h"
#include "windows/main_frame.h"
#include "windows/queue_viewer.h"

namespace lumo {
namespace {

rt::ui::WindowDefinition testWindow(std::string caption, int width, int height) {
  rt::ui::WindowDefinition d;
  d.kind = rt::ui::WindowKind::Child;
  d.caption = std::move(caption);
  d.width = width;
  d.height = height;
  d.font = {"MS Sans Serif", 8, 400};
  d.attributes.systemMenu = true;
  d.attributes.dialogFrame = true;
  d.attributes.grayBackground = true;
  return d;
}

rt::ui::Control button(std::string label, std::string text, int x) {
  return {.kind = rt::ui::ControlKind::Button,
          .label = std::move(label),
          .text = std::move(text),
          .x = x,
          .y = 4,
          .width = 75,
          .height = 18};
}

class LauncherWindow final : public ProcedureWindow {
 public:
  explicit LauncherWindow(rt::Window& window) : ProcedureWindow("TestCriticalSection", window) {}

  Level init() override {
    const Level level = ProcedureWindow::init();
    if (level != kLevelGoOn) return level;
    refillGlobalQueue();
    return kLevelGoOn;
  }

  Level takeAccepted() override {
    const Level level = ProcedureWindow::takeAccepted();
    rt::Procedure procedure;
    switch (rt::acceptedControl()) {
      case 1: procedure = AccesoSeguro; break;
      case 2: procedure = AccesoInseguro; break;
      case 3: procedure = VERQ; break;
      default: return level;
    }
    update();
    rt::start(procedure, kProcedureStack);
    reset(false);
    return level;
  }
};

// A writer: on every timer tick, kPairsPerTick read/write-back pairs on
// random rows, with or without QueueLock around each pair.
template <bool kLocked>
class WriterWindow final : public ProcedureWindow {
 public:
  explicit WriterWindow(rt::Window& window)
      : ProcedureWindow(kLocked ? "AccesoSeguro" : "AccesoInseguro", window) {}

  Level takeWindowEvent() override {
    const Level level = ProcedureWindow::takeWindowEvent();
    if (rt::currentEvent() == rt::ui::kEventTimer) {
      if (kLocked)
        safePass(kPairsPerTick);
      else
        unsafePass(kPairsPerTick);
    }
    return level;
  }
};

}  // namespace

rt::ui::WindowDefinition testCriticalSectionDefinition() {
  rt::ui::WindowDefinition d = testWindow("Caption", 279, 28);
  d.controls = {button("?BUTTON1", "Acceso Seguro", 8),
                button("?BUTTON1:3", "Acceso Inseguro", 104),
                button("?BUTTON1:2", "Ver Queue", 196)};
  return d;
}

rt::ui::WindowDefinition accesoSeguroDefinition() {
  rt::ui::WindowDefinition d = testWindow("Modificando Global Queue", 194, 30);
  d.attributes.timer = 1;
  return d;
}

rt::ui::WindowDefinition accesoInseguroDefinition() {
  rt::ui::WindowDefinition d = testWindow("Modificando Global Queue", 144, 8);
  d.attributes.timer = 1;
  return d;
}

void TestCriticalSection() {
  runProcedure<LauncherWindow>(testCriticalSectionDefinition());
}
void AccesoSeguro() {
  runProcedure<WriterWindow<true>>(accesoSeguroDefinition());
}
void AccesoInseguro() {
  runProcedure<WriterWindow<false>>(accesoInseguroDefinition());
}

}  // namespace lumo
