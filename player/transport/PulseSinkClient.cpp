#include "PulseSinkClient.h"

#include "PulseLoopMarks.h"

#include <pulse/rtclock.h>

using pulsemarks::LoopThreadSection;
using pulsemarks::markLockLeft;
using pulsemarks::markLockTaken;

namespace {

// The server resolves this name to its default sink at each request, so a request always
// reaches the sink that is the default at that moment.
constexpr const char* kDefaultSink = "@DEFAULT_SINK@";
constexpr const char* kClientName = "VelmoraPlayer";

pa_usec_t microseconds(std::chrono::milliseconds ms)
{
    return static_cast<pa_usec_t>(ms.count()) * PA_USEC_PER_MSEC;
}

SinkState stateOf(const pa_sink_info& info)
{
    SinkState state;
    state.name = info.name ? info.name : "";
    state.channelMap = info.channel_map;
    state.volume = info.volume;
    state.muted = info.mute != 0;
    return state;
}

}  // namespace

class PulseSinkClient::LoopLock {
public:
    explicit LoopLock(const PulseSinkClient* client) : client_(client)
    {
        pa_threaded_mainloop_lock(client_->loop_);
        markLockTaken();
    }
    ~LoopLock()
    {
        markLockLeft();
        pa_threaded_mainloop_unlock(client_->loop_);
    }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    const PulseSinkClient* client_;
};

PulseSinkClient::PulseSinkClient()
{
    loop_ = pa_threaded_mainloop_new();
    if (!loop_)
        return;
    pa_threaded_mainloop_set_name(loop_, "pulse-sink");
    markLockLeft();
    if (pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
        return;
    }
    LoopLock lock(this);
    connect();
    waitUntil([this] { return attemptsSettled_ > 0; }, kReplyTimeout);
}

PulseSinkClient::~PulseSinkClient()
{
    if (!loop_)
        return;
    {
        LoopLock lock(this);
        if (retry_) {
            pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
            api->time_free(retry_);
            retry_ = nullptr;
        }
        dropContext();
    }
    pa_threaded_mainloop_stop(loop_);
    markLockTaken();  // the event thread has ended
    pa_threaded_mainloop_free(loop_);
}

bool PulseSinkClient::isConnected() const
{
    if (!loop_)
        return false;
    LoopLock lock(this);
    return ready_;
}

// ---- Connection ------------------------------------------------------------------------

void PulseSinkClient::connect()
{
    dropContext();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), kClientName);
    if (!context_) {
        ++attemptsSettled_;
        scheduleRetry();
        return;
    }
    pa_context_set_state_callback(context_, &PulseSinkClient::onContextState, this);
    // Never start a server of our own: with none running the player simply has no mixer.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        ++attemptsSettled_;
        scheduleRetry();
    }
}

void PulseSinkClient::dropContext()
{
    ready_ = false;
    known_.reset();
    if (!context_)
        return;
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_set_subscribe_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

void PulseSinkClient::scheduleRetry()
{
    if (!retry_)
        retry_ = startTimer(kRetryInterval, &PulseSinkClient::onRetry, this);
}

void PulseSinkClient::onRetry(pa_mainloop_api* api, pa_time_event* event, const struct timeval*,
                              void* self)
{
    auto* client = static_cast<PulseSinkClient*>(self);
    const LoopThreadSection section;
    api->time_free(event);
    client->retry_ = nullptr;
    client->connect();
}

void PulseSinkClient::onContextState(pa_context* context, void* self)
{
    auto* client = static_cast<PulseSinkClient*>(self);
    const LoopThreadSection section;
    if (context != client->context_)
        return;
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
        client->ready_ = true;
        ++client->attemptsSettled_;
        pa_context_set_subscribe_callback(context, &PulseSinkClient::onServerEvent, client);
        const auto mask = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK |
                                                              PA_SUBSCRIPTION_MASK_SERVER);
        if (pa_operation* op = pa_context_subscribe(context, mask, nullptr, nullptr))
            pa_operation_unref(op);
        client->refreshKnownSink();
        break;
    }
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        // The context is dropped, and a new one made, when the retry comes due.
        client->ready_ = false;
        client->known_.reset();
        ++client->attemptsSettled_;
        client->scheduleRetry();
        break;
    default:
        break;
    }
    client->signal();
}

// ---- The default sink ------------------------------------------------------------------

void PulseSinkClient::onServerEvent(pa_context*, pa_subscription_event_type_t, uint32_t,
                                    void* self)
{
    // A sink changed, came or went, or the default moved: ask again which sink is the
    // default and how it stands.
    const LoopThreadSection section;
    static_cast<PulseSinkClient*>(self)->refreshKnownSink();
}

void PulseSinkClient::refreshKnownSink()
{
    if (!ready_)
        return;
    pa_operation* op = pa_context_get_sink_info_by_name(
        context_, kDefaultSink,
        [](pa_context*, const pa_sink_info* info, int eol, void* self) {
            auto* client = static_cast<PulseSinkClient*>(self);
            const LoopThreadSection section;
            if (info)
                client->known_ = stateOf(*info);
            else if (eol < 0)
                client->known_.reset();  // no default sink
        },
        this);
    if (op)
        pa_operation_unref(op);
}

std::optional<SinkState> PulseSinkClient::knownDefaultSink() const
{
    if (!loop_)
        return std::nullopt;
    LoopLock lock(this);
    return known_;
}

std::optional<SinkState> PulseSinkClient::readDefaultSink()
{
    if (!loop_)
        return std::nullopt;
    LoopLock lock(this);
    if (!ready_)
        return std::nullopt;
    struct Reply {
        PulseSinkClient* client;
        std::optional<SinkState> sink;
    } reply{this, std::nullopt};
    pa_operation* op = pa_context_get_sink_info_by_name(
        context_, kDefaultSink,
        [](pa_context*, const pa_sink_info* info, int, void* data) {
            auto* r = static_cast<Reply*>(data);
            const LoopThreadSection section;
            if (info) {
                r->sink = stateOf(*info);
                r->client->known_ = r->sink;
            }
        },
        &reply);
    if (!op || finish(op) != Outcome::Done)
        return std::nullopt;
    return reply.sink;
}

// ---- Writing ---------------------------------------------------------------------------

bool PulseSinkClient::setDefaultSinkMute(bool muted)
{
    if (!loop_)
        return false;
    LoopLock lock(this);
    if (!ready_)
        return false;
    int success = 0;
    pa_operation* op = pa_context_set_sink_mute_by_name(
        context_, kDefaultSink, muted ? 1 : 0,
        [](pa_context*, int ok, void* data) {
            const LoopThreadSection section;
            *static_cast<int*>(data) = ok;
        },
        &success);
    if (!op)
        return false;
    switch (finish(op)) {
    case Outcome::Done:
        return success != 0;
    case Outcome::TimedOut:
        return true;  // sent: a slow server still carries it out, in order
    case Outcome::Cancelled:
        break;
    }
    return false;
}

bool PulseSinkClient::setSinkVolume(const std::string& sink, const pa_cvolume& volume)
{
    if (!loop_)
        return false;
    LoopLock lock(this);
    if (!ready_)
        return false;
    pa_operation* op =
        pa_context_set_sink_volume_by_name(context_, sink.c_str(), &volume, nullptr, nullptr);
    if (!op)
        return false;
    pa_operation_unref(op);
    return true;
}

// ---- Waiting ---------------------------------------------------------------------------

void PulseSinkClient::signal()
{
    pa_threaded_mainloop_signal(loop_, 0);
}

pa_time_event* PulseSinkClient::startTimer(std::chrono::milliseconds after,
                                           pa_time_event_cb_t callback, void* userdata)
{
    if (context_)
        return pa_context_rttime_new(context_, pa_rtclock_now() + microseconds(after), callback,
                                     userdata);
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    struct timeval when;
    pa_gettimeofday(&when);
    pa_timeval_add(&when, microseconds(after));
    return api->time_new(api, &when, callback, userdata);
}

bool PulseSinkClient::waitUntil(const std::function<bool()>& done,
                                std::chrono::milliseconds timeout)
{
    struct Deadline {
        PulseSinkClient* client;
        bool passed = false;
    } deadline{this};
    pa_time_event* timer = startTimer(
        timeout,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
            auto* d = static_cast<Deadline*>(data);
            const LoopThreadSection section;
            d->passed = true;
            d->client->signal();
        },
        &deadline);
    if (!timer)
        return done();
    while (!done() && !deadline.passed) {
        markLockLeft();
        pa_threaded_mainloop_wait(loop_);
        markLockTaken();
    }
    pa_threaded_mainloop_get_api(loop_)->time_free(timer);
    return done();
}

PulseSinkClient::Outcome PulseSinkClient::finish(pa_operation* op)
{
    pa_operation_set_state_callback(
        op,
        [](pa_operation*, void* self) {
            const LoopThreadSection section;
            static_cast<PulseSinkClient*>(self)->signal();
        },
        this);
    waitUntil([op] { return pa_operation_get_state(op) != PA_OPERATION_RUNNING; },
              kReplyTimeout);
    Outcome outcome = Outcome::Done;
    switch (pa_operation_get_state(op)) {
    case PA_OPERATION_RUNNING:
        // The reply callback must not run once the caller's reply record is gone.
        pa_operation_cancel(op);
        outcome = Outcome::TimedOut;
        break;
    case PA_OPERATION_CANCELLED:
        outcome = Outcome::Cancelled;
        break;
    case PA_OPERATION_DONE:
        break;
    }
    pa_operation_set_state_callback(op, nullptr, nullptr);
    pa_operation_unref(op);
    return outcome;
}
