#include "latest_job.h"

LatestJob::LatestJob(QObject* parent) : QObject(parent), worker_([this] { work(); }) {}

LatestJob::~LatestJob()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        waiting_ = nullptr;
        if (runningReplaced_)
            *runningReplaced_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void LatestJob::Post(Job job)
{
    const quint64 ticket = ++latest_;
    busy_ = true;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_ = std::move(job);
        waitingTicket_ = ticket;
        if (runningReplaced_)
            *runningReplaced_ = true;
    }
    wake_.notify_one();
}

void LatestJob::Drop()
{
    ++latest_;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_ = nullptr;
        if (runningReplaced_)
            *runningReplaced_ = true;
    }
    if (busy_) {
        busy_ = false;
        emit idle();
    }
}

void LatestJob::work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (stopping_)
            return;
        const Job job = std::move(waiting_);
        waiting_ = nullptr;
        const quint64 ticket = waitingTicket_;
        const auto replaced = std::make_shared<std::atomic_bool>(false);
        runningReplaced_ = replaced;
        lock.unlock();
        Delivery delivery;
        try {
            delivery = job(*replaced);
        } catch (...) {
            delivery = nullptr;  // a job that fails delivers nothing
        }
        lock.lock();
        runningReplaced_.reset();
        if (!*replaced)
            QMetaObject::invokeMethod(
                this, [this, ticket, delivery] { delivered(ticket, delivery); }, Qt::QueuedConnection);
    }
}

void LatestJob::delivered(quint64 ticket, const Delivery& delivery)
{
    if (ticket != latest_)
        return;  // a newer job was posted, or the runner dropped this one
    busy_ = false;
    if (delivery)
        delivery();
    emit idle();
}
