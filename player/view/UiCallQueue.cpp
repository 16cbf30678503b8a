#include "UiCallQueue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define VELMORA_HANDOFF_RELEASE(p) __tsan_release(p)
#define VELMORA_HANDOFF_ACQUIRE(p) __tsan_acquire(p)
#else
#define VELMORA_HANDOFF_RELEASE(p) ((void)(p))
#define VELMORA_HANDOFF_ACQUIRE(p) ((void)(p))
#endif

namespace {

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class CallEvent : public QEvent {
public:
    explicit CallEvent(std::function<void()> call) : QEvent(kCallEvent), call_(std::move(call)) {}
    void run() { call_(); }

private:
    std::function<void()> call_;
};

}  // namespace

class UiCallReceiver : public QObject {
public:
    using QObject::QObject;

protected:
    bool event(QEvent* event) override
    {
        // Acquired before anything of the event is read, its type included; for an event of
        // another kind nothing was released under its address, and this does nothing.
        VELMORA_HANDOFF_ACQUIRE(event);
        if (event->type() != kCallEvent)
            return QObject::event(event);
        static_cast<CallEvent*>(event)->run();
        return true;
    }
};

UiCallQueue::UiCallQueue(QObject* owner) : receiver_(new UiCallReceiver(owner)) {}

void UiCallQueue::post(std::function<void()> call) const
{
    auto* event = new CallEvent(std::move(call));
    VELMORA_HANDOFF_RELEASE(event);
    QCoreApplication::postEvent(receiver_, event);
}
