#include "runtime/program.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "runtime/desktop_settings.h"
#include "runtime/event_loop.h"
#include "runtime/message.h"
#include "runtime/start.h"
#include "runtime/ui/window_layer.h"

namespace rt {
namespace {

std::atomic<ui::WindowLayer*> currentLayer{nullptr};

// The program main thread has room for the frame's work.
constexpr std::size_t kProgramMainStack = 256 * 1024;

}  // namespace

struct ProgramRun::State {
  std::mutex mutex;
  std::condition_variable changed;
  bool ended = false;
};

ui::WindowLayer& windowLayer() {
  return *currentLayer.load();
}

ProgramRun::ProgramRun(ui::WindowLayer& layer, Program program, std::function<void()> onEnded)
    : state_(std::make_shared<State>()) {
  currentLayer.store(&layer);
  EventLoop::clearInterrupt();
  const auto state = state_;
  const auto body = [program = std::move(program)] {
    applyDesktopSettings();
    if (program.moduleInit) program.moduleInit();
    bool halted = false;
    try {
      if (program.main) program.main();
    } catch (const HaltRequest&) {
      halted = true;
    }
    if (!halted) {
      // Threads without a window are never told to stop: interrupt their
      // waits so that they return, then wait for every started thread.
      EventLoop::interruptAll();
      waitForStartedThreads();
    }
    if (program.moduleTerm) program.moduleTerm();
  };
  // Ended only once the thread's own loop and values are gone too.
  const auto ended = [state, onEnded = std::move(onEnded)] {
    if (onEnded) onEnded();
    std::lock_guard lock(state->mutex);
    state->ended = true;
    state->changed.notify_all();
  };
  if (!spawnProgramThread(body, kProgramMainStack, ended)) {
    std::lock_guard lock(state_->mutex);
    state_->ended = true;
  }
}

ProgramRun::~ProgramRun() {
  std::unique_lock lock(state_->mutex);
  state_->changed.wait(lock, [&] { return state_->ended; });
}

bool ProgramRun::waitEnded(std::chrono::milliseconds timeout) {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout, [&] { return state_->ended; });
}

bool ProgramRun::ended() const {
  std::lock_guard lock(state_->mutex);
  return state_->ended;
}

}  // namespace rt
