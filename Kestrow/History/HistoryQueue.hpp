#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Kestrow {

// The history's file work: jobs run one after another, in the order queued, on one thread
// of their own. flush() waits until everything queued before it has run; the destructor
// runs what is still queued before it returns, so no accepted write is dropped.
class HistoryQueue {
public:
    HistoryQueue();
    ~HistoryQueue();
    HistoryQueue(const HistoryQueue&) = delete;
    HistoryQueue& operator=(const HistoryQueue&) = delete;

    void post(std::function<void()> job);
    void flush();

private:
    void run(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> jobs_;
    bool busy_ = false;
    std::jthread thread_;
};

}  // namespace Kestrow
