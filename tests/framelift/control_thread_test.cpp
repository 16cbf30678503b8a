// The graph's control thread: tasks run in the order given, a caller's wait has a bound, and a
// thread left busy at the end finishes alone with what its task holds.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <vector>

#include "graph/ControlThread.h"

using framelift::ControlThread;
using namespace std::chrono_literals;

namespace {

// A task that blocks keeps the caller waiting only up to the bound; the tasks given after it
// still run, in order, once it ends.
TEST(ControlThread, BoundedWaitAndOrder)
{
    ControlThread control;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::vector<int> order;
    EXPECT_FALSE(control.call([released, &order] { released.wait(); order.push_back(1); }, 50ms));
    EXPECT_FALSE(control.call([&order] { order.push_back(2); }, 50ms)) << "queued behind the block";
    release.set_value();
    EXPECT_TRUE(control.call([&order] { order.push_back(3); }, 10s));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(control.finish(10s));
}

// A task that calls back into its own thread runs that part at once instead of waiting on
// itself.
TEST(ControlThread, NestedCallRunsInPlace)
{
    ControlThread control;
    bool inner = false;
    EXPECT_TRUE(control.call([&] { inner = control.call([] {}, 10ms) && control.isCurrent(); }, 10s));
    EXPECT_TRUE(inner);
}

// finish() on a busy thread returns after its bound; the thread goes on alone, keeping what
// its task captured alive until the task is done, and later calls are refused.
TEST(ControlThread, BusyThreadFinishesAlone)
{
    auto held = std::make_shared<std::atomic<bool>>(false);
    std::weak_ptr<std::atomic<bool>> watch = held;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        ControlThread control;
        control.call([held, released] { released.wait(); held->store(true); }, 0ms);
        held.reset();
        EXPECT_FALSE(control.finish(50ms));
        EXPECT_FALSE(control.call([] {}, 10ms)) << "the thread is ending";
        EXPECT_FALSE(watch.expired()) << "the busy task still holds its capture";
    }
    release.set_value();
    for (int i = 0; i < 1000 && !watch.expired(); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(watch.expired()) << "the thread released the capture once the task ended";
}

}  // namespace
