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
    room_.notify_all();
    ready_.notify_all();
}

RenderAhead::Slot RenderAhead::Made(int index) const {
    Slot made;
    made.index = index;
    try {
        made.bytes = make_(index);
    } catch (...) {
        made.error = std::current_exception();
    }
    return made;
}

void RenderAhead::Work() {
    const int room = static_cast<int>(slots_.size());
    std::unique_lock lock(mutex_);
    for (;;) {
        // A job starts only when its slot is free: the job `room` places before it has been taken.
        while (!stopped_ && next_ < count_ && next_ >= taken_ + room) {
            ++idleWorkers_;
            room_.wait(lock);
            --idleWorkers_;
        }
        if (stopped_ || next_ >= count_) {
            return;
        }
        const int index = next_++;
        lock.unlock();
        Slot made = Made(index);
        lock.lock();
        slots_[static_cast<std::size_t>(index % room)] = std::move(made);
        // Waking costs a system call: only the taker waiting for this very job is woken.
        if (awaited_ == index) {
            ready_.notify_one();
        }
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
            made = Made(index);
            lock.lock();
            break;
        }
        if (next_ < count_ && next_ < taken_ + static_cast<int>(slots_.size())) {
            // A worker makes this job: rather than wait for it, make a later one that has room.
            const int later = next_++;
            lock.unlock();
            Slot other = Made(later);
            lock.lock();
            slots_[static_cast<std::size_t>(later) % slots_.size()] = std::move(other);
            continue;
        }
        awaited_ = index;
        ready_.wait(lock);
        awaited_ = -1;
    }
    ++taken_;
    // The slot is free again: a worker waiting for room may start the next job.
    const bool wake = idleWorkers_ > 0;
    lock.unlock();
    if (wake) {
        room_.notify_one();
    }
    if (made.error) {
        std::rethrow_exception(made.error);
    }
    return std::move(made.bytes);
}

}  // namespace output
