#pragma once
// A fixed set of worker threads that run jobs in the order they come. Stop lets every job still
// waiting run at once with `stopping` set, so it can answer quickly, and joins the threads.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class WorkQueue {
public:
    using Job = std::function<void(bool stopping)>;

    explicit WorkQueue(int threads);
    ~WorkQueue();
    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    void Submit(Job job);
    void Stop();

private:
    void Work();

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
