#include "render/LumoRotateTimer.h"

#include <QMetaObject>
#include <chrono>

namespace render {

TLumoRotateTimer::TLumoRotateTimer(QObject* target, std::function<void()> tick, int intervalMs)
    : target_(target), tick_(std::move(tick)), interval_(intervalMs) {
    thread_ = std::thread([this] { Run(); });
}

TLumoRotateTimer::~TLumoRotateTimer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        terminated_ = true;
        suspended_ = false;
    }
    wake_.notify_all();
    thread_.join();
}

void TLumoRotateTimer::Resume() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        suspended_ = false;
    }
    wake_.notify_all();
}

void TLumoRotateTimer::Suspend() {
    std::lock_guard<std::mutex> lock(mutex_);
    suspended_ = true;
}

bool TLumoRotateTimer::Suspended() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return suspended_;
}

void TLumoRotateTimer::SetInterval(int intervalMs) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        interval_ = intervalMs;
    }
    wake_.notify_all();
}

int TLumoRotateTimer::Interval() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return interval_;
}

void TLumoRotateTimer::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return terminated_ || !suspended_; });
        if (terminated_) {
            return;
        }
        const int interval = interval_;
        // Sleep for the interval; ending the thread cuts the sleep short.
        if (wake_.wait_for(lock, std::chrono::milliseconds(interval), [this] { return terminated_; })) {
            return;
        }
        if (suspended_) {
            continue;
        }
        // Hand the tick to the button's thread and wait until it has been handled. The call belongs
        // to the button: if the button goes away first, the call is dropped with it.
        const unsigned long long expected = ticksHandled_ + 1;
        QObject* target = target_.data();
        if (target == nullptr) {
            return;
        }
        lock.unlock();
        QMetaObject::invokeMethod(
            target,
            [this] {
                tick_();
                {
                    std::lock_guard<std::mutex> handled(mutex_);
                    ++ticksHandled_;
                }
                wake_.notify_all();
            },
            Qt::QueuedConnection);
        lock.lock();
        wake_.wait(lock, [this, expected] { return terminated_ || ticksHandled_ >= expected; });
        if (terminated_) {
            return;
        }
    }
}

}  // namespace render
