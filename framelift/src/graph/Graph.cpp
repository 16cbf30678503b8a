#include "Graph.h"

#include <cmath>

#include "SoundOutput.h"
#include "StreamRouter.h"
#include "ThreadHandOver.h"

namespace framelift {
namespace {

constexpr gint64 kNanosecondsPerMediaUnit = 100;

// The bus keeps only what the graph's users react to; everything else is dropped as it is
// posted, so a caller that drains events rarely holds no growing queue. A dropped message is
// the handler's to release: each holds its source element, so one kept would keep the whole
// graph alive.
GstBusSyncReply keepGraphEvents(GstBus*, GstMessage* message, gpointer)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
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

bool isUnfedNotice(GstMessage* message)
{
    const GstStructure* s = gst_message_get_structure(message);
    return s && gst_structure_has_name(s, StreamRouter::kRendererUnfed);
}

}  // namespace

Graph::Graph()
{
    pipeline_ = gst_pipeline_new(nullptr);
    if (!pipeline_)
        return;
    gst_object_ref_sink(pipeline_);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, keepGraphEvents, nullptr, nullptr);
    gst_object_unref(bus);
    router_ = std::make_unique<StreamRouter>(pipeline_);
}

Graph::~Graph()
{
    if (!pipeline_)
        return;
    // NULL joins every streaming thread; only then may the router's callbacks go away.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    markReceived(router_.get());
    router_.reset();
    gst_object_unref(pipeline_);
}

bool Graph::addFilter(GstElement* filter, const char* name)
{
    if (!pipeline_ || !filter)
        return false;
    gst_object_ref_sink(filter);
    bool added = gst_object_set_name(GST_OBJECT(filter), name) &&
                 gst_bin_add(GST_BIN(pipeline_), filter);
    if (added)
        router_->addRenderer(filter);
    gst_object_unref(filter);
    return added;
}

GstElement* Graph::addSourceFilter(const std::string& path, const char* name)
{
    if (!pipeline_)
        return nullptr;
    GstElement* source = gst_element_factory_make("filesrc", name);
    if (!source)
        return nullptr;
    g_object_set(source, "location", path.c_str(), nullptr);
    if (!gst_bin_add(GST_BIN(pipeline_), source))
        return nullptr;
    return source;
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

bool Graph::render(GstPad* output, std::chrono::milliseconds bound)
{
    if (!pipeline_ || !output || !router_->attach(output))
        return false;
    markHandedOver(router_.get());  // the decoder calls it back on streaming threads
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
    bool prerolled = false;
    const GstStateChangeReturn change = gst_element_set_state(pipeline_, GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL) {
        prerolled = true;
    } else if (change == GST_STATE_CHANGE_ASYNC) {
        GstBus* bus = gst_element_get_bus(pipeline_);
        const gint64 deadline = g_get_monotonic_time() + bound.count() * 1000;
        for (;;) {
            const gint64 left = deadline - g_get_monotonic_time();
            if (left <= 0)
                break;
            GstMessage* message = gst_bus_timed_pop_filtered(
                bus, static_cast<GstClockTime>(left) * 1000,
                static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE |
                                            GST_MESSAGE_APPLICATION));
            if (!message)
                break;
            const GstMessageType type = GST_MESSAGE_TYPE(message);
            const bool done = type == GST_MESSAGE_ASYNC_DONE &&
                              GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline_);
            const bool failed = type == GST_MESSAGE_ERROR ||
                                (type == GST_MESSAGE_APPLICATION && isUnfedNotice(message));
            gst_message_unref(message);
            if (done)
                prerolled = true;
            if (done || failed)
                break;
        }
        gst_object_unref(bus);
    }
    if (!prerolled)
        gst_element_set_state(pipeline_, GST_STATE_NULL);  // no thread keeps running
    atStart_ = prerolled;
    return prerolled;
}

void Graph::run()
{
    atStart_ = false;
    if (pipeline_)
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
}

void Graph::pause()
{
    if (pipeline_)
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
}

void Graph::stop()
{
    // The stopped graph is the prerolled, paused one: sizes stay known and Play is quick.
    pause();
}

bool Graph::seekTo(GstClockTime position)
{
    if (atStart_ && position == 0 && rate_ == 1.0)
        return pipeline_ != nullptr;
    atStart_ = false;
    return pipeline_ &&
           gst_element_seek(pipeline_, rate_, GST_FORMAT_TIME,
                            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                            GST_SEEK_TYPE_SET, static_cast<gint64>(position),
                            GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE);
}

bool Graph::setCurrentSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return false;
    return seekTo(seconds > 0 ? static_cast<GstClockTime>(seconds * GST_SECOND) : 0);
}

bool Graph::setCurrentPosition(int64_t mediaTime)
{
    return seekTo(mediaTime > 0 ? static_cast<GstClockTime>(mediaTime) * kNanosecondsPerMediaUnit
                                : 0);
}

bool Graph::currentPosition(int64_t& mediaTime) const
{
    gint64 position = 0;
    if (!pipeline_ || !gst_element_query_position(pipeline_, GST_FORMAT_TIME, &position) ||
        position < 0)
        return false;
    mediaTime = position / kNanosecondsPerMediaUnit;
    return true;
}

bool Graph::setRate(double rate)
{
    if (!pipeline_ || !std::isfinite(rate) || rate <= 0)
        return false;
    if (rate == rate_)
        return true;
    GstState state = GST_STATE_NULL;
    gst_element_get_state(pipeline_, &state, nullptr, 0);
    // Without sound a running graph can change its rate in place, with no flush and no gap.
    // The sound branch needs a new segment to stretch its samples and keep their pitch.
    if (!hasSound() && state == GST_STATE_PLAYING &&
        gst_element_seek(pipeline_, rate, GST_FORMAT_TIME, GST_SEEK_FLAG_INSTANT_RATE_CHANGE,
                         GST_SEEK_TYPE_NONE, 0, GST_SEEK_TYPE_NONE, 0)) {
        rate_ = rate;
        return true;
    }
    gint64 position = 0;
    if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &position) || position < 0)
        position = 0;
    rate_ = rate;
    return seekTo(static_cast<GstClockTime>(position));
}

bool Graph::nextEvent(int32_t& code, std::chrono::milliseconds timeout)
{
    if (!pipeline_)
        return false;
    GstBus* bus = gst_element_get_bus(pipeline_);
    GstMessage* message =
        gst_bus_timed_pop(bus, static_cast<GstClockTime>(timeout.count()) * GST_MSECOND);
    gst_object_unref(bus);
    if (!message)
        return false;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        code = EventComplete;
        break;
    case GST_MESSAGE_ERROR:
        code = EventErrorAbort;
        break;
    case GST_MESSAGE_CLOCK_LOST: {
        // The sound device went away: running again picks a new clock.
        code = EventOther;
        GstState state;
        gst_element_get_state(pipeline_, &state, nullptr, 0);
        if (state == GST_STATE_PLAYING) {
            gst_element_set_state(pipeline_, GST_STATE_PAUSED);
            gst_element_set_state(pipeline_, GST_STATE_PLAYING);
        }
        break;
    }
    case GST_MESSAGE_LATENCY:
        code = EventOther;
        gst_bin_recalculate_latency(GST_BIN(pipeline_));
        break;
    default:
        code = EventOther;
        break;
    }
    gst_message_unref(message);
    return true;
}

bool Graph::hasSound() const
{
    return router_ && router_->volumeElement() != nullptr;
}

bool Graph::volume(int32_t& hundredthsDb) const
{
    GstElement* volume = router_ ? router_->volumeElement() : nullptr;
    if (!volume)
        return false;
    gdouble linear = 1.0;
    g_object_get(volume, "volume", &linear, nullptr);
    hundredthsDb = hundredthsDbFromLinear(linear);
    return true;
}

bool Graph::setVolume(int32_t hundredthsDb)
{
    GstElement* volume = router_ ? router_->volumeElement() : nullptr;
    if (!volume)
        return false;
    g_object_set(volume, "volume", linearFromHundredthsDb(hundredthsDb), nullptr);
    return true;
}

}  // namespace framelift
