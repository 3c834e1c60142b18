#pragma once

#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

namespace qm::counter {

// The walk's pool of jobs: any thread may push a job, and every thread of the walk takes
// jobs in work() until none is queued and none is being done (a job being done may push
// more). The last job pushed is taken first, so the walk goes deep before it goes wide and
// keeps few folders open. How many threads there are is the caller's: those that could be
// started (threads::onThreads) each call work(); a single one does all the jobs.
template <class Job>
class JobPool {
public:
    void push(Job job)
    {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
            if (idle_ == 0)
                return;
        }
        wake_.notify_one();
    }

    // Does jobs with `take(job)` until there are no more.
    template <class Take>
    void work(Take&& take)
    {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                ++idle_;
                wake_.wait(lock, [this] { return !jobs_.empty() || busy_ == 0; });
                --idle_;
                if (jobs_.empty())
                    break; // nothing queued and nobody left to queue more
                job = std::move(jobs_.back());
                jobs_.pop_back();
                ++busy_;
            }
            take(job);
            job = Job{}; // let go of what it holds (its folder) before saying the work is done
            {
                std::lock_guard lock(mutex_);
                --busy_;
                if (busy_ == 0 && jobs_.empty())
                    wake_.notify_all();
            }
        }
        wake_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Job> jobs_;
    int busy_ = 0;
    int idle_ = 0;
};

} // namespace qm::counter
