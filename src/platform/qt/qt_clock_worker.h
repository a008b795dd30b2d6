// The clock's periodic worker: a 50 ms QTimer on the GUI thread.
#pragma once

#include <QTimer>
#include <functional>
#include <memory>

#include "platform/services.h"

namespace zg {

class QtClockWorker : public PeriodicWorker {
  public:
    void start(std::function<bool()> turn) override;
    void stop() override;
    bool running() const override { return timer_ && timer_->isActive(); }
    void fire() override;

  private:
    std::unique_ptr<QTimer> timer_;  // made on first start, once the application exists
    std::function<bool()> turn_;
};

}  // namespace zg
