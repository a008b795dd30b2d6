#include "platform/qt/qt_clock_worker.h"

namespace zg {

void QtClockWorker::start(std::function<bool()> turn) {
    turn_ = std::move(turn);
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        timer_->setInterval(kPeriodMs);
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_.get(), &QTimer::timeout, [this] { fire(); });
    }
    timer_->start();
}

void QtClockWorker::stop() {
    if (timer_) timer_->stop();
}

void QtClockWorker::fire() {
    if (!running() || !turn_) return;
    if (!turn_()) stop();
}

}  // namespace zg
