// Watches GLib's log for criticals and warnings (a failed g_return_if_fail, an invalid cast):
// they mean some code broke a GLib or GStreamer contract, which a test should see. Every
// message still reaches GLib's own writer afterwards, so nothing disappears from the log.
#pragma once

#include <functional>
#include <string>

namespace glibwatch {

struct Problem {
    bool critical = false;  // a CRITICAL (or ERROR); false: a WARNING
    std::string domain;     // e.g. "GStreamer", "GLib-GObject"
    std::string text;
};

// Hands every critical and warning to `seen`, on the thread that logged it, before GLib
// writes it. Call once, before GStreamer starts; later calls do nothing.
void watch(std::function<void(const Problem&)> seen);

}  // namespace glibwatch
