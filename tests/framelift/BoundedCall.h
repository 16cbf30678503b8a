// Library calls under a watchdog: a call that does not return in time fails the test with the
// name of the step that hung and the stacks of every thread (when gdb is installed), then
// ends the test program, since nothing more can be asked of a handle whose call never ends.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <mutex>
#include <string>
#include <utility>

#include <sys/prctl.h>
#include <unistd.h>

namespace bounded {

constexpr std::chrono::seconds kBound{10};

[[noreturn]] inline void hung(const std::string& step, std::chrono::seconds bound)
{
    // The first hung call reports; others (from other threads) wait here for the end.
    static std::mutex reporting;
    reporting.lock();
    std::fprintf(stderr, "\n[  HUNG    ] %s did not return within %lld s; the stacks follow\n",
                 step.c_str(), static_cast<long long>(bound.count()));
    std::fflush(stderr);
    prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY, 0, 0, 0);
    const std::string gdb = "command -v gdb >/dev/null && timeout -s KILL 90 gdb -p " +
                            std::to_string(::getpid()) +
                            " -batch -ex 'thread apply all bt' </dev/null 1>&2";
    if (std::system(gdb.c_str()) != 0)
        std::fprintf(stderr, "(no stacks: gdb is missing or could not attach)\n");
    std::fprintf(stderr, "[  FAILED  ] %s hung\n", step.c_str());
    std::fflush(stderr);
    // The hung thread still holds the handle: leave without running destructors or exit hooks.
    std::_Exit(1);
}

// Runs `call` on a thread of its own and returns its result, or ends the program when it has
// not returned within `bound`.
template <class Call>
auto call(const std::string& step, Call&& call, std::chrono::seconds bound = kBound)
{
    auto result = std::async(std::launch::async, std::forward<Call>(call));
    if (result.wait_for(bound) != std::future_status::ready)
        hung(step, bound);
    return result.get();
}

}  // namespace bounded
