#pragma once
// Runs jobs one at a time on a thread of its own, the newest first: a job posted while another
// runs replaces any job still waiting, and a job that has been replaced delivers nothing. What a
// job hands back runs on the thread this object lives in, so a window can post a search at every
// keystroke and show only the answer to the last one, never waiting for any. The catalogue
// search uses it; title suggestions can use it the same way.
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class LatestJob : public QObject {
    Q_OBJECT
public:
    // Runs on the owner's thread once the job has ended, unless a newer job was posted meanwhile.
    using Delivery = std::function<void()>;
    // Runs on the job thread. `replaced` turns true once a newer job is posted or the runner
    // goes; a long job may look at it and end early.
    using Job = std::function<Delivery(const std::atomic_bool& replaced)>;

    explicit LatestJob(QObject* parent = nullptr);
    // Marks the running job replaced and waits for it to end.
    ~LatestJob() override;

    // Call on the owner's thread.
    void Post(Job job);
    // Forgets the waiting job and whatever the running one would deliver.
    void Drop();
    // A job runs or waits, or its delivery is still on its way.
    bool Busy() const { return busy_; }

signals:
    // A job's delivery has run (or it was dropped) and none waits: the runner is idle.
    void idle();

private:
    void work();
    void delivered(quint64 ticket, const Delivery& delivery);

    std::mutex mutex_;
    std::condition_variable wake_;
    Job waiting_;  // under mutex_
    quint64 waitingTicket_ = 0;  // under mutex_
    std::shared_ptr<std::atomic_bool> runningReplaced_;  // under mutex_
    bool stopping_ = false;  // under mutex_
    quint64 latest_ = 0;  // owner's thread only: the ticket whose delivery is wanted
    bool busy_ = false;  // owner's thread only
    std::thread worker_;
};
