#pragma once
// The shape every procedure with a window follows: init opens the window and
// restores its placement, the event loop hands each event to the window-event
// hook or the accepted-control hook, kill stores the placement. Procedures
// override init and kill and, where they have work, the two hooks; each
// override runs the base version first.

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/thread_values.h"
#include "runtime/window.h"

namespace lumo {

// What a hook returns: go on, the event is consumed, or end the event loop.
using Level = std::uint8_t;
inline constexpr Level kLevelGoOn = 0;
inline constexpr Level kLevelConsumed = 5;
inline constexpr Level kLevelEnd = 3;

class ProcedureWindow {
 public:
  ProcedureWindow(std::string name, rt::Window& window);
  virtual ~ProcedureWindow() = default;
  ProcedureWindow(const ProcedureWindow&) = delete;
  ProcedureWindow& operator=(const ProcedureWindow&) = delete;

  // init, the event loop when init gave 0, kill; the response, else 2.
  std::uint8_t run();

  virtual Level init();
  virtual Level kill();
  virtual Level takeWindowEvent();
  virtual Level takeAccepted();

  void update();
  void reset(bool force);
  void setAlerts();

  std::uint8_t request = 0;
  std::uint8_t response = 0;
  std::int32_t firstField = 0;
  bool opened = false;
  bool dead = false;
  rt::AppErrors* errors = nullptr;
  std::int32_t* navigationRequest = nullptr;

 protected:
  rt::Window& window() { return window_; }
  const std::string& name() const { return name_; }

 private:
  void eventLoop();

  const std::string name_;
  rt::Window& window_;
  bool sizedNoted_ = false;
};

// A procedure's entry: makes the window from its definition (prepare may
// bind list sources), runs a Manager over it, stores the result in the
// thread's response, then destroys the manager and closes the window.
template <class Manager>
void runProcedure(rt::ui::WindowDefinition definition, void (*prepare)(rt::Window&) = nullptr) {
  auto window = std::make_unique<rt::Window>(std::move(definition));
  if (prepare != nullptr) prepare(*window);
  auto manager = std::make_unique<Manager>(*window);
  rt::threadValues().response = manager->run();
  manager.reset();
  window.reset();
}

}  // namespace lumo
