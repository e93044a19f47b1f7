#pragma once
// Runs the program: starts the program main thread, which runs the module
// initialisation, the program's main, waits for every thread started with
// the start service, then runs the module termination. A halt ends main at
// once and goes straight to the termination. The exit code is always 0.

#include <chrono>
#include <functional>
#include <memory>

namespace rt::ui {
class WindowLayer;
}

namespace rt {

struct Program {
  std::function<void()> moduleInit;
  std::function<void()> main;
  std::function<void()> moduleTerm;
};

class ProgramRun {
 public:
  // Starts the program against layer. onEnded runs on the program main
  // thread once everything has ended (the Qt entry quits the display there).
  ProgramRun(ui::WindowLayer& layer, Program program, std::function<void()> onEnded = {});
  ~ProgramRun();  // waits for the program main thread
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool waitEnded(std::chrono::milliseconds timeout);
  bool ended() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

// The layer the running program uses.
ui::WindowLayer& windowLayer();

}  // namespace rt
