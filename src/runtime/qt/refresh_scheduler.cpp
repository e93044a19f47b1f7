#include "runtime/qt/refresh_scheduler.h"

#include <algorithm>

namespace rt::qt {
namespace {

constexpr qint64 kFrameMilliseconds = 16;

}  // namespace

RefreshScheduler::RefreshScheduler(DisplayQueue& queue, std::function<void()> refresh)
    : queue_(queue), refresh_(std::move(refresh)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { fire(); });
}

void RefreshScheduler::request() {
  if (!pending_.exchange(true, std::memory_order_acq_rel)) queue_.post(wake_);
}

void RefreshScheduler::arm() {
  if (timer_.isActive()) return;
  const qint64 since = sinceLast_.isValid() ? sinceLast_.elapsed() : kFrameMilliseconds;
  timer_.start(static_cast<int>(std::max<qint64>(0, kFrameMilliseconds - since)));
}

void RefreshScheduler::fire() {
  // Cleared before the lists look at their sources: a change made from now
  // on brings another refresh. Reading the flag in the same step makes
  // everything done before the last request visible here.
  pending_.exchange(false, std::memory_order_acq_rel);
  sinceLast_.restart();
  refresh_();
}

}  // namespace rt::qt
