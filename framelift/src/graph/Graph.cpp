#include "Graph.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "ControlThread.h"
#include "GraphCore.h"
#include "RealMediaCheck.h"
#include "SoundOutput.h"
#include "StallCheck.h"
#include "StreamRouter.h"
#include "SubtitleFile.h"
#include "ThreadHandOver.h"

namespace framelift {
namespace {

constexpr gint64 kNanosecondsPerMediaUnit = 100;

// While prerolling: how often the graph is looked at, and how long a demuxer must have stood
// still without a stream before the load is refused.
constexpr std::chrono::milliseconds kStallPoll{50};
constexpr std::chrono::milliseconds kGaveUpGrace{300};

// The bus keeps only what the graph's users react to; everything else is dropped as it is
// posted, so a caller that drains events rarely holds no growing queue. A dropped message is
// the handler's to release: each holds its source element, so one kept would keep the whole
// graph alive. An end of stream is stamped with the time it was posted, so that one posted
// before a later seek can be told apart.
GstBusSyncReply keepGraphEvents(GstBus*, GstMessage* message, gpointer core)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        static_cast<Graph::Core*>(core)->notePosted(message);
        return GST_BUS_PASS;
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_ASYNC_DONE:
    case GST_MESSAGE_APPLICATION:
    case GST_MESSAGE_CLOCK_LOST:
    case GST_MESSAGE_LATENCY:
        return GST_BUS_PASS;
    default:
        gst_message_unref(message);
        return GST_BUS_DROP;
    }
}

LoadFailure failureOfPostedError(GstMessage* message, const StreamFacts& facts)
{
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const LoadFailure cause = failureOfError(error, facts);
    if (error)
        g_error_free(error);
    return cause;
}

bool isUnfedNotice(GstMessage* message)
{
    const GstStructure* s = gst_message_get_structure(message);
    return s && gst_structure_has_name(s, StreamRouter::kRendererUnfed);
}

GstClockTime nanosecondsOf(std::chrono::milliseconds bound)
{
    return static_cast<GstClockTime>(bound.count()) * GST_MSECOND;
}

}  // namespace

Graph::Core::Core()
{
    pipeline = gst_pipeline_new(nullptr);
    if (!pipeline)
        return;
    gst_object_ref_sink(pipeline);
    // The graph runs on the system clock, and the sound output follows it. The sound device's
    // own clock stood still or leapt after a flush at a new rate on a busy sound server, and
    // every frame then waited, or counted as too late to show.
    GstClock* clock = gst_system_clock_obtain();
    gst_pipeline_use_clock(GST_PIPELINE(pipeline), clock);
    gst_object_unref(clock);
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, keepGraphEvents, this, nullptr);
    gst_object_unref(bus);
    router = std::make_unique<StreamRouter>(pipeline);
}

Graph::Core::~Core()
{
    release();
    // Streaming threads wrote these under the lock; GLib's own joins are invisible to
    // the thread checker, so the last word on them is taken under the same lock.
    std::lock_guard<std::mutex> lock(eventMutex);
    endsPostedAt.clear();
}

void Graph::Core::release()
{
    if (!pipeline)
        return;
    gst_element_set_state(pipeline, GST_STATE_NULL);
    markReceived(router.get());
    router.reset();
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_flushing(bus, TRUE);  // queued messages hold elements of the graph
    gst_object_unref(bus);
    gst_object_unref(pipeline);
    pipeline = nullptr;
}

void Graph::Core::notePosted(GstMessage* eos)
{
    std::lock_guard<std::mutex> lock(eventMutex);
    if (endsPostedAt.size() > 64)
        endsPostedAt.clear();  // ends never drained: only the newest matter
    endsPostedAt[gst_message_get_seqnum(eos)] = gst_util_get_timestamp();
}

bool Graph::Core::isStaleEnd(GstMessage* eos)
{
    std::lock_guard<std::mutex> lock(eventMutex);
    if (lastSeekSeqnum == GST_SEQNUM_INVALID)
        return false;
    const auto posted = endsPostedAt.find(gst_message_get_seqnum(eos));
    if (posted != endsPostedAt.end()) {
        const GstClockTime at = posted->second;
        endsPostedAt.erase(posted);
        if (at < lastSeekIssued)
            return true;
    }
    const guint32 seqnum = gst_message_get_seqnum(eos);
    for (guint32 earlier : earlierSeekSeqnums) {
        if (earlier != GST_SEQNUM_INVALID && earlier == seqnum)
            return true;
    }
    return false;
}

Graph::Graph() : core_(std::make_shared<Core>()), control_(std::make_unique<ControlThread>()) {}

Graph::~Graph()
{
    // The teardown joins the streaming threads; it runs after every operation already given,
    // on the control thread. If it does not end in time, the task keeps the core alive and the
    // thread finishes it alone.
    std::shared_ptr<Core> core = std::move(core_);
    const bool released = control_->call([core] { core->release(); }, kControlBound);
    control_->finish(released ? kControlBound : std::chrono::milliseconds(0));
}

bool Graph::valid() const
{
    return core_->pipeline != nullptr;
}

GstElement* Graph::pipeline() const
{
    return core_->pipeline;
}

bool Graph::control(bool (*operation)(Core&, double), double argument) const
{
    if (!core_->pipeline)
        return false;
    // The result outlives a wait that ends before the operation does.
    auto result = std::make_shared<std::atomic<bool>>(false);
    const bool done = control_->call(
        [core = core_, operation, argument, result] {
            result->store(operation(*core, argument));
        },
        kControlBound);
    return done && result->load();
}

bool Graph::addFilter(GstElement* filter, const char* name)
{
    if (!core_->pipeline || !filter)
        return false;
    gst_object_ref_sink(filter);
    bool added = gst_object_set_name(GST_OBJECT(filter), name) &&
                 gst_bin_add(GST_BIN(core_->pipeline), filter);
    if (added)
        core_->router->addRenderer(filter);
    gst_object_unref(filter);
    return added;
}

GstElement* Graph::addSourceFilter(const std::string& path, const char* name)
{
    // Only a regular file can be read to its end: opening a FIFO with no writer, or a device,
    // would block on the spot.
    if (!core_->pipeline)
        return nullptr;
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        noteFailure(LoadFailure::Missing);
        return nullptr;
    }
    if (status.st_size == 0) {
        noteFailure(LoadFailure::Empty);
        return nullptr;
    }
    if (!realMediaFileHeadersFit(path)) {
        noteFailure(LoadFailure::Damaged);
        return nullptr;
    }
    GstElement* source = gst_element_factory_make("filesrc", name);
    if (!source)
        return nullptr;
    g_object_set(source, "location", path.c_str(), nullptr);
    if (!gst_bin_add(GST_BIN(core_->pipeline), source))
        return nullptr;
    return source;
}

void Graph::showSubtitles(bool shown)
{
    core_->router->subtitles().show(shown);
}

bool Graph::useSubtitleFile(const std::string& path)
{
    SubtitleCues cues = SubtitleCues::read(path, subtitleEncoding());
    if (!core_->pipeline || cues.empty())
        return false;
    core_->router->subtitles().useFile(std::move(cues));
    return true;
}

GstPad* Graph::findPin(GstElement* filter, const char* id)
{
    if (!filter || !id)
        return nullptr;
    // GStreamer names a source's output "src" and a sink's input "sink".
    if (g_strcmp0(id, "Output") == 0)
        return gst_element_get_static_pad(filter, "src");
    if (g_strcmp0(id, "In") == 0)
        return gst_element_get_static_pad(filter, "sink");
    return gst_element_get_static_pad(filter, id);
}

GstPad* Graph::findPinByDirection(GstElement* filter, GstPadDirection direction)
{
    if (!filter)
        return nullptr;
    GstIterator* it = direction == GST_PAD_SRC ? gst_element_iterate_src_pads(filter)
                                               : gst_element_iterate_sink_pads(filter);
    GValue item = G_VALUE_INIT;
    GstPad* found = nullptr;
    if (gst_iterator_next(it, &item) == GST_ITERATOR_OK)
        found = GST_PAD(gst_object_ref(g_value_get_object(&item)));
    g_value_unset(&item);
    gst_iterator_free(it);
    return found;
}

bool Graph::connect(GstPad* output, GstPad* input)
{
    return output && input && GST_PAD_LINK_SUCCESSFUL(gst_pad_link(output, input));
}

void Graph::noteFailure(LoadFailure cause)
{
    // The first cause found is the one that stopped the load.
    if (failure_ == LoadFailure::None)
        failure_ = cause;
}

StreamFacts Graph::streamFacts() const
{
    return core_->router ? core_->router->facts() : StreamFacts{};
}

bool Graph::render(GstPad* output, std::chrono::milliseconds bound)
{
    if (!core_->pipeline || !output || !core_->router->attach(output)) {
        noteFailure(LoadFailure::Unknown);
        return false;
    }
    markHandedOver(core_->router.get());  // the decoder calls it back on streaming threads
    return waitForPreroll(bound);
}

bool Graph::renderFile(const std::string& path, std::chrono::milliseconds bound)
{
    GstElement* source = addSourceFilter(path, nullptr);
    GstPad* output = findPin(source, "Output");
    const bool ok = render(output, bound);
    if (output)
        gst_object_unref(output);
    return ok;
}

bool Graph::waitForPreroll(std::chrono::milliseconds bound)
{
    const gint64 deadline = g_get_monotonic_time() + bound.count() * 1000;
    // Opening the source and starting the demuxer happen in the state change, on the control
    // thread: the wait below holds whatever they do to the bound.
    auto change = std::make_shared<std::atomic<int>>(GST_STATE_CHANGE_ASYNC);
    control_->call(
        [core = core_, change] {
            change->store(gst_element_set_state(core->pipeline, GST_STATE_PAUSED));
        },
        bound);
    bool prerolled = false;
    const int result = change->load();
    if (result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL) {
        prerolled = true;
    } else if (result == GST_STATE_CHANGE_ASYNC) {
        GstBus* bus = gst_element_get_bus(core_->pipeline);
        gint64 gaveUpSince = -1;
        for (;;) {
            const gint64 now = g_get_monotonic_time();
            const gint64 left = deadline - now;
            if (left <= 0)
                break;
            // A demuxer that stopped without a stream is a refusal, once it has stayed so for
            // a moment (the next element of a chain may be starting just then).
            if (!demuxerGaveUp(core_->pipeline)) {
                gaveUpSince = -1;
            } else if (gaveUpSince < 0) {
                gaveUpSince = now;
            } else if (now - gaveUpSince >= kGaveUpGrace.count() * 1000) {
                noteFailure(LoadFailure::Damaged);
                break;
            }
            GstMessage* message = gst_bus_timed_pop_filtered(
                bus, static_cast<GstClockTime>(std::min(left, kStallPoll.count() * 1000)) * 1000,
                static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE |
                                            GST_MESSAGE_APPLICATION));
            if (!message)
                continue;
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            const bool done = type == GST_MESSAGE_ASYNC_DONE &&
                              GST_MESSAGE_SRC(message) == GST_OBJECT(core_->pipeline);
            const bool unfed = type == GST_MESSAGE_APPLICATION && isUnfedNotice(message);
            const bool failed = type == GST_MESSAGE_ERROR || unfed;
            if (type == GST_MESSAGE_ERROR)
                noteFailure(failureOfPostedError(message, streamFacts()));
            else if (unfed)
                noteFailure(failureOfStreams(streamFacts()));
            gst_message_unref(message);
            if (done)
                prerolled = true;
            if (done || failed)
                break;
        }
        gst_object_unref(bus);
    } else if (result == GST_STATE_CHANGE_FAILURE) {
        // The element that refused posted why before the change returned.
        GstBus* bus = gst_element_get_bus(core_->pipeline);
        if (GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR)) {
            noteFailure(failureOfPostedError(message, streamFacts()));
            gst_message_unref(message);
        }
        gst_object_unref(bus);
    }
    if (!prerolled)
        noteFailure(LoadFailure::Unknown);
    control_->call(
        [core = core_, prerolled] {
            if (prerolled)
                core->atStart = true;
            else
                gst_element_set_state(core->pipeline, GST_STATE_NULL);  // no thread keeps running
        },
        kControlBound);
    return prerolled;
}

bool Graph::run()
{
    return control(runGraph, 0);
}

bool Graph::pause()
{
    return control(pauseGraph, 0);
}

bool Graph::stop()
{
    // The stopped graph is the prerolled, paused one: sizes stay known and Play is quick.
    return pause();
}

bool Graph::setCurrentSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return false;
    return control(seekGraph, seconds > 0 ? std::floor(seconds * GST_SECOND) : 0.0);
}

bool Graph::setCurrentPosition(int64_t mediaTime)
{
    return control(seekGraph, mediaTime > 0 ? static_cast<double>(mediaTime) *
                                                  static_cast<double>(kNanosecondsPerMediaUnit)
                                            : 0.0);
}

bool Graph::currentPosition(int64_t& mediaTime) const
{
    GstElement* pipeline = core_->pipeline;
    if (!pipeline)
        return false;
    gint64 position = core_->seekTarget.load();
    if (position >= 0) {
        // While the last seek is under way the graph reports where it came from.
        GstState state;
        if (gst_element_get_state(pipeline, &state, nullptr, 0) == GST_STATE_CHANGE_ASYNC) {
            mediaTime = position / kNanosecondsPerMediaUnit;
            return true;
        }
    }
    if (!gst_element_query_position(pipeline, GST_FORMAT_TIME, &position) || position < 0)
        return false;
    mediaTime = position / kNanosecondsPerMediaUnit;
    return true;
}

bool Graph::stepFrames(int32_t frames, int64_t& frameStart)
{
    if (!core_->pipeline)
        return false;
    // The outcome outlives a wait that ends before the step does.
    struct Outcome {
        std::atomic<bool> stepped{false};
        std::atomic<gint64> frameStart{0};
    };
    auto outcome = std::make_shared<Outcome>();
    const bool done = control_->call(
        [core = core_, frames, outcome] {
            gint64 start = 0;
            const bool stepped = stepGraph(*core, frames, start);
            outcome->frameStart.store(start);
            outcome->stepped.store(stepped);
        },
        kControlBound);
    if (!done || !outcome->stepped.load())
        return false;
    frameStart = outcome->frameStart.load() / kNanosecondsPerMediaUnit;
    return true;
}

bool Graph::setRate(double rate)
{
    if (!std::isfinite(rate) || rate < kMinRate || rate > kMaxRate)
        return false;
    return control(rateGraph, rate);
}

double Graph::rate() const
{
    return core_->rate.load();
}

bool Graph::nextEvent(int32_t& code, std::chrono::milliseconds timeout)
{
    if (!core_->pipeline)
        return false;
    GstBus* bus = gst_element_get_bus(core_->pipeline);
    GstMessage* message = gst_bus_timed_pop(bus, nanosecondsOf(timeout));
    gst_object_unref(bus);
    if (!message)
        return false;
    code = EventOther;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        if (!core_->isStaleEnd(message))
            code = EventComplete;
        break;
    case GST_MESSAGE_ERROR:
        code = EventErrorAbort;
        break;
    case GST_MESSAGE_CLOCK_LOST:
        control(replayGraph, 0);
        break;
    case GST_MESSAGE_LATENCY:
        control(recalculateLatency, 0);
        break;
    default:
        break;
    }
    gst_message_unref(message);
    return true;
}

bool Graph::hasSound() const
{
    return core_->router && core_->router->volumeElement() != nullptr;
}

bool Graph::volume(int32_t& hundredthsDb) const
{
    GstElement* volume = core_->router ? core_->router->volumeElement() : nullptr;
    if (!volume)
        return false;
    gdouble linear = 1.0;
    g_object_get(volume, "volume", &linear, nullptr);
    hundredthsDb = hundredthsDbFromLinear(linear);
    return true;
}

bool Graph::setVolume(int32_t hundredthsDb)
{
    return setVolumeFactor(linearFromHundredthsDb(hundredthsDb));
}

bool Graph::setVolumeFactor(double linear)
{
    GstElement* volume = core_->router ? core_->router->volumeElement() : nullptr;
    if (!volume)
        return false;
    g_object_set(volume, "volume", linear, nullptr);
    return true;
}

}  // namespace framelift
