#include "skeleton/procedure_window.h"

#include "positions/position_store_instance.h"
#include "runtime/event_loop.h"
#include "runtime/ui/events.h"

namespace lumo {

ProcedureWindow::ProcedureWindow(std::string name, rt::Window& window)
    : name_(std::move(name)), window_(window) {}

std::uint8_t ProcedureWindow::run() {
  if (init() == kLevelGoOn) eventLoop();
  kill();
  return response != 0 ? response : 2;
}

Level ProcedureWindow::init() {
  rt::ThreadValues& thread = rt::threadValues();
  thread.errors.pushName(name_);
  request = thread.request;
  // The base initialisation has nothing to refuse here.
  firstField = 1;
  navigationRequest = &thread.navigationRequest;
  errors = &thread.errors;
  thread.request = 0;
  thread.response = 0;
  // A child window on the frame's own thread, or without a frame, is
  // refused: the procedure then ends without an event loop.
  if (!window_.open()) return kLevelEnd;
  opened = true;
  positionStore().fetch(name_, window_);
  setAlerts();
  return kLevelGoOn;
}

Level ProcedureWindow::kill() {
  if (dead) return kLevelConsumed;
  dead = true;
  if (opened) positionStore().update(name_, window_);
  rt::threadValues().errors.popName();
  return kLevelGoOn;
}

void ProcedureWindow::eventLoop() {
  while (const auto event = window_.nextEvent()) {
    Level level = kLevelGoOn;
    if (event->control == 0)
      level = takeWindowEvent();
    else if (event->code == rt::ui::kEventAccepted)
      level = takeAccepted();
    window_.handled(*event, level);
    if (level == kLevelEnd) break;
  }
}

Level ProcedureWindow::takeWindowEvent() {
  switch (rt::currentEvent()) {
    case rt::ui::kEventOpenWindow:
      window_.redisplay();
      window_.select(firstField);
      break;
    case rt::ui::kEventGainFocus: window_.redisplay(); break;
    case rt::ui::kEventSized:
      if (sizedNoted_) window_.redisplay();
      sizedNoted_ = true;
      break;
    default: break;  // close-window and close-down go ahead
  }
  return kLevelGoOn;
}

Level ProcedureWindow::takeAccepted() {
  return kLevelGoOn;
}

void ProcedureWindow::update() {
  // No control is bound to a record: nothing to copy back.
}

void ProcedureWindow::reset(bool /*force*/) {
  // Nothing is bound to a record, so a forced reset redisplays just the same.
  window_.redisplay();
}

void ProcedureWindow::setAlerts() {
  // The program defines no alert keys.
}

}  // namespace lumo
