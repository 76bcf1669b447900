#include "work_queue.h"

WorkQueue::WorkQueue(int threads)
{
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { Work(); });
}

WorkQueue::~WorkQueue() { Stop(); }

void WorkQueue::Submit(Job job)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!stopping_) {
            jobs_.push_back(std::move(job));
            ready_.notify_one();
            return;
        }
    }
    job(true);
}

void WorkQueue::Stop()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
}

void WorkQueue::Work()
{
    for (;;) {
        Job job;
        bool stopping = false;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            stopping = stopping_;
        }
        job(stopping);
    }
}
