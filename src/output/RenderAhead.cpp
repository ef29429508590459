#include "output/RenderAhead.h"

#include <QThread>
#include <algorithm>
#include <stdexcept>

namespace output {

RenderAhead::RenderAhead(int count, Make make, int threads, int lookahead)
    : count_(count), make_(std::move(make)), slots_(static_cast<std::size_t>(std::max(1, lookahead))) {
    const int workers = std::clamp(threads, 0, std::max(0, count - 1));
    workers_.reserve(static_cast<std::size_t>(workers));
    for (int i = 0; i < workers; ++i) {
        workers_.emplace_back([this] { Work(); });
    }
}

RenderAhead::~RenderAhead() {
    Stop();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

int RenderAhead::DefaultThreads() {
    return std::max(1, QThread::idealThreadCount());
}

void RenderAhead::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

void RenderAhead::Work() {
    const int room = static_cast<int>(slots_.size());
    std::unique_lock lock(mutex_);
    for (;;) {
        // A job starts only when its slot is free: the job `room` places before it has been taken.
        changed_.wait(lock, [&] { return stopped_ || next_ >= count_ || next_ < taken_ + room; });
        if (stopped_ || next_ >= count_) {
            return;
        }
        const int index = next_++;
        lock.unlock();
        Slot made;
        made.index = index;
        try {
            made.bytes = make_(index);
        } catch (...) {
            made.error = std::current_exception();
        }
        lock.lock();
        slots_[static_cast<std::size_t>(index % room)] = std::move(made);
        changed_.notify_all();
    }
}

QByteArray RenderAhead::Take(int index) {
    if (index != taken_ || index >= count_) {
        throw std::logic_error("RenderAhead: jobs are taken in order, each once");
    }
    Slot& slot = slots_[static_cast<std::size_t>(index) % slots_.size()];
    std::unique_lock lock(mutex_);
    Slot made;
    for (;;) {
        if (slot.index == index) {
            made = std::move(slot);
            slot = Slot();
            break;
        }
        if (stopped_) {
            throw std::logic_error("RenderAhead: stopped");
        }
        if (next_ == index) {
            // No worker has started the job: the one who needs it makes it, rather than wait.
            ++next_;
            lock.unlock();
            made.index = index;
            try {
                made.bytes = make_(index);
            } catch (...) {
                made.error = std::current_exception();
            }
            lock.lock();
            break;
        }
        changed_.wait(lock);
    }
    ++taken_;
    lock.unlock();
    changed_.notify_all();
    if (made.error) {
        std::rethrow_exception(made.error);
    }
    return std::move(made.bytes);
}

}  // namespace output
