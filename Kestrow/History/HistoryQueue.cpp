#include "Kestrow/History/HistoryQueue.hpp"

namespace Kestrow {

HistoryQueue::HistoryQueue() : thread_([this](std::stop_token stop) { run(stop); }) {}

HistoryQueue::~HistoryQueue()
{
    flush();
    thread_.request_stop();
    thread_.join();
}

void HistoryQueue::post(std::function<void()> job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void HistoryQueue::flush()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void HistoryQueue::run(std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, stop, [this] { return !jobs_.empty(); });
        if (jobs_.empty())
            return;  // stop requested with nothing left to do
        auto job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        job();
        lock.lock();
        busy_ = false;
        if (jobs_.empty())
            idle_.notify_all();
    }
}

}  // namespace Kestrow
