#include "runtime/message.h"

#include <memory>
#include <mutex>

#include "runtime/event_loop.h"
#include "runtime/program.h"
#include "runtime/window.h"

namespace rt {

int messageBox(const ui::MessageBoxRequest& request) {
  struct Answer {
    std::mutex mutex;
    bool given = false;
    int button = 0;
  };
  auto answer = std::make_shared<Answer>();
  EventLoop& loop = EventLoop::current();
  // Wakes the loop under the answer's lock: the waiting thread cannot see
  // the answer, return and end its loop before the wake is done.
  const auto answered = [answer, &loop](int button) {
    std::lock_guard lock(answer->mutex);
    answer->given = true;
    answer->button = button;
    loop.wake();
  };
  const auto given = [answer] {
    std::lock_guard lock(answer->mutex);
    return answer->given;
  };
  auto& layer = windowLayer();
  const ui::BoxId box = layer.showMessageBox(request, Window::modalParentForThisThread(), answered);
  if (!loop.waitUntil(given, true)) {
    layer.cancelMessageBox(box);
    loop.waitUntil(given, false);
  }
  std::lock_guard lock(answer->mutex);
  return answer->button;
}

int message(const std::string& text) {
  ui::MessageBoxRequest request;
  request.text = text;
  return messageBox(request);
}

void halt(const std::string& text) {
  ui::MessageBoxRequest request;
  request.text = text;
  request.caption = "Halt";
  request.icon = ui::Icon::Stop;
  messageBox(request);
  throw HaltRequest{};
}

}  // namespace rt
