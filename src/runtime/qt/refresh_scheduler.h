#pragma once
// Turns refresh requests from any thread, however many, into at most one
// refresh per displayed frame: an atomic flag coalesces the requests, one
// queued task wakes the display thread, and a frame timer runs the refresh.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>

#include "runtime/qt/display_queue.h"

namespace rt::qt {

class RefreshScheduler final : public QObject {
  Q_OBJECT

 public:
  // Made on the display thread; refresh runs there.
  RefreshScheduler(DisplayQueue& queue, std::function<void()> refresh);

  void request();  // any thread

 private:
  // Queued once per burst of requests: the flag stays set until the refresh
  // runs, so this task is never in the queue twice.
  class Wake final : public DisplayTask {
   public:
    explicit Wake(RefreshScheduler& owner) : owner_(owner) {}
    void run() override { owner_.arm(); }

   private:
    RefreshScheduler& owner_;
  };

  void arm();
  void fire();

  DisplayQueue& queue_;
  std::function<void()> refresh_;
  std::atomic<bool> pending_{false};
  Wake wake_{*this};
  QTimer timer_;
  QElapsedTimer sinceLast_;
};

}  // namespace rt::qt
