#include "BarWatcher.h"

BarWatcher::BarWatcher(std::chrono::milliseconds interval, std::function<void()> pass)
    : interval_(interval), pass_(std::move(pass))
{
    thread_ = std::thread([this] {
        while (gate_.sleep(interval_))
            pass_();
    });
}

BarWatcher::~BarWatcher()
{
    gate_.end();
    if (thread_.joinable())
        thread_.join();
}
