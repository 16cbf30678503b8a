// Hands calls from worker threads to the UI thread: a queued call, like invokeMethod with
// Qt::QueuedConnection. Each call travels in an event that is built completely before it is
// posted; the hand-over is also declared to ThreadSanitizer, which cannot see Qt's own locks.
// Calls still queued when the owner is destroyed are dropped.
#pragma once

#include <functional>

class QObject;
class UiCallReceiver;

class UiCallQueue {
public:
    // Create on the UI thread, before any worker that posts to it starts.
    explicit UiCallQueue(QObject* owner);
    // Any thread: runs call on the owner's thread later.
    void post(std::function<void()> call) const;

private:
    UiCallReceiver* receiver_;  // a child of the owner
};
