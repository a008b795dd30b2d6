// The clock's periodic worker: a 50 ms QTimer on the GUI thread. It does what a clock thread
// would do, but runs between events, so it shares the clock fields without a data race.
#pragma once

#include <QTimer>
#include <functional>
#include <memory>

namespace zg {

class ClockWorker {
  public:
    static constexpr int kPeriodMs = 50;

    // Runs turn every 50 ms until it returns false. Starting again replaces the running
    // turn: there is never more than one worker.
    void start(std::function<bool()> turn);
    void stop();
    bool running() const { return timer_ && timer_->isActive(); }
    // One turn now, as the timer would run it (tests drive the worker with this).
    void fire();

  private:
    std::unique_ptr<QTimer> timer_;  // made on first start, once the application exists
    std::function<bool()> turn_;
};

}  // namespace zg
