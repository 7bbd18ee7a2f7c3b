// One thread that runs the posted jobs one after another, in the order posted, away from the
// interface thread (drive trays that take seconds to move). Destroying it waits for the job
// that runs and drops those not started, so nothing a job uses may go before it.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "core/Ports.h"

namespace vorbix {

class BackgroundThread : public BackgroundJobs {
public:
    BackgroundThread();
    ~BackgroundThread() override;
    BackgroundThread(const BackgroundThread&) = delete;
    BackgroundThread& operator=(const BackgroundThread&) = delete;

    void post(std::function<void()> job) override;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_;  // last: starts once the rest exists
};

}  // namespace vorbix
