#include "platform/linux/BackgroundThread.h"

namespace vorbix {

BackgroundThread::BackgroundThread() : thread_([this] { run(); }) {}

BackgroundThread::~BackgroundThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundThread::post(std::function<void()> job) {
    if (!job) return;
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void BackgroundThread::run() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

}  // namespace vorbix
