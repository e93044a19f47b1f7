#include "windows/queue_viewer.h"

#include "skeleton/procedure_window.h"
#include "state/global_queue.h"

namespace lumo {
namespace {

class ViewerWindow final : public ProcedureWindow {
 public:
  explicit ViewerWindow(rt::Window& window) : ProcedureWindow("VERQ", window) {}
};

// The list reads GlobalQueue through its view buffer only.
const QueueListSource globalQueueSource(GlobalQueue);

void bindQueue(rt::Window& window) {
  window.bindList(1, &globalQueueSource);
}

}  // namespace

rt::ui::WindowDefinition verqDefinition() {
  rt::ui::WindowDefinition d;
  d.kind = rt::ui::WindowKind::Owned;
  d.caption = "Global Queue";
  d.width = 279;
  d.height = 278;
  d.font = {"MS Sans Serif", 8, 400};
  d.attributes.systemMenu = true;
  d.attributes.dialogFrame = true;
  d.attributes.grayBackground = true;
  d.controls = {{.kind = rt::ui::ControlKind::List,
                 .label = "?QLIST",
                 .x = 0,
                 .y = 0,
                 .format = kQueueListFormat}};
  return d;
}

void VERQ() {
  runProcedure<ViewerWindow>(verqDefinition(), bindQueue);
}

}  // namespace lumo
