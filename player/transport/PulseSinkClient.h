// PulseSinkClient: one connection to the sound server (PulseAudio, or PipeWire's PulseAudio
// service), aimed at whatever sink is the server's default at each moment.
//
// Lifecycle: the constructor starts the client's own event thread and the first connection
// and waits a bounded time for it to succeed or fail. A connection that fails, or a server
// that goes away, is tried again every kRetryInterval until the client is destroyed, so a
// server that comes back is used again. The client never starts a server itself.
//
// Threads: all public functions are for one thread at a time (the UI thread); the client's
// event thread runs the callbacks. Everything they share is guarded by the event loop's lock.
// No call waits longer than kReplyTimeout for the server: a server that hangs costs at most
// that, a server that is gone costs nothing.
#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// One sink as the server last reported it.
struct SinkState {
    std::string name;
    pa_channel_map channelMap{};
    pa_cvolume volume{};
    bool muted = false;
};

class PulseSinkClient {
public:
    static constexpr std::chrono::milliseconds kReplyTimeout{1000};
    static constexpr std::chrono::milliseconds kRetryInterval{1000};

    PulseSinkClient();
    ~PulseSinkClient();
    PulseSinkClient(const PulseSinkClient&) = delete;
    PulseSinkClient& operator=(const PulseSinkClient&) = delete;

    // Connected to a server now.
    bool isConnected() const;

    // The default sink as the server reports it now; nothing when no server answers in time
    // or it has no sink.
    std::optional<SinkState> readDefaultSink();
    // The default sink as last reported (kept current from the server's change events),
    // without asking.
    std::optional<SinkState> knownDefaultSink() const;

    // Sets the default sink's mute switch. True when the server took the request (or has it
    // queued when it did not answer in time); false when no server is connected, the
    // connection broke, or the server refused it.
    bool setDefaultSinkMute(bool muted);
    // Sends the sink's channel volumes without waiting for the answer. False when no server
    // is connected.
    bool setSinkVolume(const std::string& sink, const pa_cvolume& volume);

private:
    enum class Outcome { Done, Cancelled, TimedOut };
    class LoopLock;

    // Event thread, or any thread holding the loop's lock.
    void connect();
    void dropContext();
    void scheduleRetry();
    void refreshKnownSink();
    pa_time_event* startTimer(std::chrono::milliseconds after, pa_time_event_cb_t callback,
                              void* userdata);
    // Waits with the lock held (the wait lets the event thread run) until done() holds or the
    // timeout passes; returns done().
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Waits for op, cancels it when it does not finish in time, and releases it.
    Outcome finish(pa_operation* op);
    void signal();

    static void onContextState(pa_context* context, void* self);
    static void onServerEvent(pa_context* context, pa_subscription_event_type_t type,
                              uint32_t index, void* self);
    static void onRetry(pa_mainloop_api* api, pa_time_event* event, const struct timeval*,
                        void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    // Guarded by the loop's lock.
    pa_context* context_ = nullptr;
    pa_time_event* retry_ = nullptr;
    bool ready_ = false;
    unsigned attemptsSettled_ = 0;  // connection attempts that succeeded or failed
    std::optional<SinkState> known_;
};
