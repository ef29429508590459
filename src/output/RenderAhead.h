#pragma once

#include <QByteArray>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace output {

// Makes the files of a batch on worker threads ahead of the one that writes them: job i (from 0) is
// made by `make(i)` on some worker, and Take(i) hands its bytes over in order, waiting for them when
// they are not ready yet: meanwhile it makes later jobs itself, and its own when no worker has started
// it (so with no workers everything is made by the caller of Take, one job after another). The workers run at
// most `lookahead` jobs beyond the last one taken, so memory stays bounded however long the batch is. What a
// job throws is rethrown by Take for that job.
class RenderAhead {
  public:
    using Make = std::function<QByteArray(int index)>;

    // `workers` threads (0 or more; no more than there are jobs after the first) start at once on jobs
    // 0 .. count - 1.
    RenderAhead(int count, Make make, int workers, int lookahead);
    // Stops the workers and waits for them: a job under way is finished and thrown away.
    ~RenderAhead();

    RenderAhead(const RenderAhead&) = delete;
    RenderAhead& operator=(const RenderAhead&) = delete;

    // The bytes of job `index`; jobs are taken in order, each once.
    QByteArray Take(int index);

    // Ends the workers after the jobs in hand; nothing more is made.
    void Stop();

    // The threads a batch uses on this machine, its writer included: one per core, at least one.
    static int DefaultThreads();

  private:
    struct Slot {
        int index = -1;  // the job the slot holds, -1 while it holds none
        QByteArray bytes;
        std::exception_ptr error;
    };

    void Work();
    // Job `index` made, or what it threw.
    Slot Made(int index) const;

    const int count_;
    const Make make_;
    std::mutex mutex_;
    std::condition_variable room_;   // a slot was freed (workers wait on it)
    std::condition_variable ready_;  // the job the taker waits for is made
    int idleWorkers_ = 0;            // workers waiting for room
    int awaited_ = -1;               // the job the taker waits for, -1 while it waits for none
    std::vector<Slot> slots_;        // job i goes into slot i % lookahead
    int next_ = 0;                   // the next job a worker starts
    int taken_ = 0;                  // jobs handed over so far
    bool stopped_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace output
