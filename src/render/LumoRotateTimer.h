#pragma once

#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace render {

// The rotation thread of a button: while resumed it sleeps for its interval, then hands a rotation
// tick to the button's thread and waits until the tick has been handled, until it is told to end.
// It never touches the button itself.
class TLumoRotateTimer {
  public:
    // `tick` runs on the thread of `target` (the button) for every tick.
    TLumoRotateTimer(QObject* target, std::function<void()> tick, int intervalMs);
    // Tells the thread to end (resuming it if suspended) and waits for it.
    ~TLumoRotateTimer();

    TLumoRotateTimer(const TLumoRotateTimer&) = delete;
    TLumoRotateTimer& operator=(const TLumoRotateTimer&) = delete;

    void Resume();
    void Suspend();
    bool Suspended() const;
    void SetInterval(int intervalMs);
    int Interval() const;

  private:
    void Run();

    QPointer<QObject> target_;
    std::function<void()> tick_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    int interval_;
    bool suspended_ = true;
    bool terminated_ = false;
    unsigned long long ticksHandled_ = 0;
    std::thread thread_;
};

}  // namespace render
