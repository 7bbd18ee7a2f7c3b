// The background thread of slow calls: jobs run one after another, in order, away from the
// posting thread; going away waits for the job that runs and drops those not started.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/linux/BackgroundThread.h"

namespace vorbix {
namespace {

TEST(BackgroundThread, RunsJobsInOrderAwayFromThePoster) {
    std::mutex mutex;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::promise<void> last;
    {
        BackgroundThread jobs;
        for (int i = 0; i < 20; ++i) {
            jobs.post([&, i] {
                std::lock_guard lock(mutex);
                order.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
        }
        jobs.post([&] { last.set_value(); });
        jobs.post({});  // an empty job is no job
        ASSERT_EQ(last.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    }
    std::vector<int> expected(20);
    for (int i = 0; i < 20; ++i) expected[size_t(i)] = i;
    EXPECT_EQ(order, expected);
    for (const auto& id : threads) {
        EXPECT_NE(id, std::this_thread::get_id());
        EXPECT_EQ(id, threads.front()) << "one thread, so the jobs never overlap";
    }
}

TEST(BackgroundThread, GoingAwayWaitsForTheRunningJobAndDropsTheRest) {
    std::atomic<bool> finished{false};
    std::atomic<int> laterRuns{0};
    std::promise<void> started;
    {
        BackgroundThread jobs;
        jobs.post([&] {
            started.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            finished = true;
        });
        for (int i = 0; i < 5; ++i) jobs.post([&] { ++laterRuns; });
        started.get_future().wait();
    }
    EXPECT_TRUE(finished);
    EXPECT_EQ(laterRuns, 0);
}

}  // namespace
}  // namespace vorbix
