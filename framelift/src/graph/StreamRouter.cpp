#include "StreamRouter.h"

#include <cstring>
#include <initializer_list>

#include "BgrPacker.h"
#include "SoundOutput.h"
#include "StreamHeaderCheck.h"
#include "ThreadHandOver.h"

namespace framelift {
namespace {

// The media kind of a decoded pad: "video", "audio" or something else.
bool padCarries(GstPad* pad, const char* kind)
{
    GstCaps* caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    bool match = false;
    if (caps && gst_caps_get_size(caps) > 0) {
        const char* name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
        match = g_str_has_prefix(name, kind);
    }
    if (caps)
        gst_caps_unref(caps);
    return match;
}

bool acceptsRawVideo(GstPad* input)
{
    GstCaps* raw = gst_caps_new_empty_simple("video/x-raw");
    GstCaps* accepted = gst_pad_query_caps(input, nullptr);
    const bool ok = accepted && gst_caps_can_intersect(raw, accepted);
    if (accepted)
        gst_caps_unref(accepted);
    gst_caps_unref(raw);
    return ok;
}

// Adds the chain to the bin (an element already in it stays), links it in order and brings it
// to the bin's state, last element first. On a failed link the chain is taken out again.
bool addChain(GstElement* bin, const std::vector<GstElement*>& chain)
{
    for (GstElement* e : chain) {
        if (!e) {
            for (GstElement* made : chain) {
                if (made)
                    gst_object_unref(made);
            }
            return false;
        }
    }
    for (GstElement* e : chain) {
        if (GST_OBJECT_PARENT(e) != GST_OBJECT(bin))
            gst_bin_add(GST_BIN(bin), e);
    }
    bool linked = true;
    for (size_t i = 1; i < chain.size() && linked; ++i)
        linked = gst_element_link(chain[i - 1], chain[i]);
    if (!linked) {
        for (GstElement* e : chain) {
            gst_element_set_state(e, GST_STATE_NULL);
            gst_bin_remove(GST_BIN(bin), e);
        }
        return false;
    }
    for (size_t i = chain.size(); i-- > 0;)
        gst_element_sync_state_with_parent(chain[i]);
    return true;
}

bool linkPads(GstPad* from, GstElement* to)
{
    GstPad* sink = gst_element_get_static_pad(to, "sink");
    const bool ok = sink && GST_PAD_LINK_SUCCESSFUL(gst_pad_link(from, sink));
    if (sink)
        gst_object_unref(sink);
    return ok;
}

// The overlay that draws subtitles, with a reference of its own; null without the element.
GstElement* makeSubtitleOverlay()
{
    GstElement* overlay = gst_element_factory_make("textoverlay", nullptr);
    if (!overlay)
        return nullptr;
    gst_object_ref_sink(overlay);
    // Text sits low in the picture, centred; the font is for a 640 pixel wide picture and the
    // overlay scales it with the picture.
    g_object_set(overlay, "shaded-background", FALSE, "font-desc", "Sans Bold 15", nullptr);
    gst_util_set_object_arg(G_OBJECT(overlay), "valignment", "bottom");
    gst_util_set_object_arg(G_OBJECT(overlay), "halignment", "center");
    return overlay;
}

// What a subtitle overlay's probe keeps: the cues, and the markup the overlay shows now.
struct CueProbe {
    GstElement* overlay;  // borrowed: the probe goes with the overlay's pad
    std::shared_ptr<const SubtitleStore> cues;
    std::mutex mutex;
    std::string shown;
};

// The stream time of a buffer arriving at `pad`, from the pad's segment.
GstClockTime streamTimeAt(GstPad* pad, GstBuffer* buffer)
{
    GstEvent* event = gst_pad_get_sticky_event(pad, GST_EVENT_SEGMENT, 0);
    GstClockTime streamTime = GST_CLOCK_TIME_NONE;
    if (event && buffer && GST_BUFFER_PTS_IS_VALID(buffer)) {
        const GstSegment* segment = nullptr;
        gst_event_parse_segment(event, &segment);
        streamTime = gst_segment_to_stream_time(segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer));
    }
    if (event)
        gst_event_unref(event);
    return streamTime;
}

// Before each frame enters the overlay: the cue of the frame's stream time becomes its text.
GstPadProbeReturn showCueOfFrame(GstPad* pad, GstPadProbeInfo* info, gpointer data)
{
    markReceived(data);
    auto* probe = static_cast<CueProbe*>(data);
    markReceived(probe->cues.get());
    const GstClockTime streamTime = streamTimeAt(pad, GST_PAD_PROBE_INFO_BUFFER(info));
    const std::string markup =
        streamTime == GST_CLOCK_TIME_NONE ? std::string() : probe->cues->at(streamTime);
    {
        std::lock_guard<std::mutex> lock(probe->mutex);
        if (markup != probe->shown) {
            probe->shown = markup;
            g_object_set(probe->overlay, "text", markup.c_str(), nullptr);
        }
    }
    markHandedOver(data);
    return GST_PAD_PROBE_OK;
}

// A text stream's buffer, handed off by the collector's sink: one more cue.
void collectCue(GstElement*, GstBuffer* buffer, GstPad* pad, gpointer data)
{
    markReceived(data);
    SubtitleStore* store = static_cast<std::shared_ptr<SubtitleStore>*>(data)->get();
    markHandedOver(data);
    const GstClockTime start = streamTimeAt(pad, buffer);
    if (start == GST_CLOCK_TIME_NONE || !GST_BUFFER_DURATION_IS_VALID(buffer))
        return;
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return;
    std::string text(reinterpret_cast<const char*>(map.data), map.size);
    gst_buffer_unmap(buffer, &map);
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return;
    GstCaps* caps = gst_pad_get_current_caps(pad);
    const char* format =
        caps ? gst_structure_get_string(gst_caps_get_structure(caps, 0), "format") : nullptr;
    const bool markup = format && g_strcmp0(format, "pango-markup") == 0;
    SubtitleCue cue;
    cue.start = start;
    cue.end = start + GST_BUFFER_DURATION(buffer);
    cue.markup = markup ? text : subtitleMarkup(text);
    if (caps)
        gst_caps_unref(caps);
    markReceived(store);
    store->addStreamCue(std::move(cue));
    markHandedOver(store);
}

void watchCues(GstElement* overlay, std::shared_ptr<const SubtitleStore> cues)
{
    auto* probe = new CueProbe{overlay, std::move(cues), {}, {}};
    GstPad* input = gst_element_get_static_pad(overlay, "video_sink");
    markHandedOver(probe);
    gst_pad_add_probe(input, GST_PAD_PROBE_TYPE_BUFFER, showCueOfFrame, probe, [](gpointer data) {
        markReceived(data);
        delete static_cast<CueProbe*>(data);
    });
    gst_object_unref(input);
}

}  // namespace

StreamRouter::StreamRouter(GstElement* pipeline) : pipeline_(pipeline) {}

StreamRouter::~StreamRouter()
{
    for (auto& [decoder, id] : handlers_) {
        g_signal_handler_disconnect(decoder, id);
        gst_object_unref(decoder);
    }
}

void StreamRouter::addRenderer(GstElement* renderer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    renderers_.push_back(renderer);
}

bool StreamRouter::attach(GstPad* output)
{
    // The text collector and the overlay's probe use the subtitles on streaming threads.
    markHandedOver(subtitles_.get());
    GstElement* decoder = gst_element_factory_make("decodebin", nullptr);
    if (!decoder)
        return false;
    gst_bin_add(GST_BIN(pipeline_), decoder);
    if (!linkPads(output, decoder)) {
        gst_bin_remove(GST_BIN(pipeline_), decoder);
        return false;
    }
    for (auto [signal, callback] :
         {std::pair{"pad-added", G_CALLBACK(onPadAdded)},
          std::pair{"no-more-pads", G_CALLBACK(onNoMorePads)},
          std::pair{"autoplug-continue", G_CALLBACK(onAutoplugContinue)},
          std::pair{"unknown-type", G_CALLBACK(onUnknownType)}}) {
        gulong id = g_signal_connect(decoder, signal, callback, this);
        handlers_.emplace_back(GST_ELEMENT(gst_object_ref(decoder)), id);
    }
    return true;
}

StreamFacts StreamRouter::facts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return facts_;
}

GstElement* StreamRouter::seekEntry() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return renderers_.empty() ? nullptr : renderers_.front();
}

GstElement* StreamRouter::volumeElement() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return volume_;
}

void StreamRouter::onPadAdded(GstElement*, GstPad* pad, gpointer self)
{
    markReceived(self);
    static_cast<StreamRouter*>(self)->route(pad);
    markHandedOver(self);
}

gboolean StreamRouter::onAutoplugContinue(GstElement*, GstPad*, GstCaps* caps, gpointer self)
{
    // False stops decoding the stream: it comes out still coded and is discarded.
    if (streamHeaderIsSane(caps))
        return TRUE;
    markReceived(self);
    auto* router = static_cast<StreamRouter*>(self);
    {
        std::lock_guard<std::mutex> lock(router->mutex_);
        router->facts_.badHeader = true;
    }
    markHandedOver(self);
    return FALSE;
}

void StreamRouter::onUnknownType(GstElement*, GstPad*, GstCaps* caps, gpointer self)
{
    markReceived(self);
    auto* router = static_cast<StreamRouter*>(self);
    {
        std::lock_guard<std::mutex> lock(router->mutex_);
        noteUnknownType(caps, router->facts_);
    }
    markHandedOver(self);
}

void StreamRouter::onNoMorePads(GstElement*, gpointer self)
{
    markReceived(self);
    static_cast<StreamRouter*>(self)->checkRenderersFed();
    markHandedOver(self);
}

void StreamRouter::route(GstPad* pad)
{
    // Only decoded streams reach a renderer; one left coded (no decoder, or a header no
    // decoder should see) is discarded.
    if (padCarries(pad, "video/x-raw")) {
        GstPad* input;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            facts_.picture = true;
            input = takeFreeVideoInput();
        }
        if (input) {
            const bool linked = linkVideo(pad, input);
            gst_object_unref(input);
            if (linked)
                return;
        }
    } else if (padCarries(pad, "audio/x-raw")) {
        bool first;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            first = !soundTaken_;
            soundTaken_ = true;
            facts_.sound = true;
        }
        if (first && linkSound(pad))
            return;
    } else if (padCarries(pad, "text/x-raw")) {
        bool first;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            first = !std::exchange(textTaken_, true);
        }
        if (first) {
            linkTextCollector(pad);
            return;
        }
    } else if (padCarries(pad, "video/")) {
        // A picture left coded: no decoder took it.
        std::lock_guard<std::mutex> lock(mutex_);
        facts_.undecodedPicture = true;
    }
    linkDiscard(pad);
}

GstPad* StreamRouter::takeFreeVideoInput()
{
    for (GstElement* renderer : renderers_) {
        GstIterator* it = gst_element_iterate_sink_pads(renderer);
        GValue item = G_VALUE_INIT;
        GstPad* found = nullptr;
        while (!found && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
            auto* input = GST_PAD(g_value_get_object(&item));
            if (!gst_pad_is_linked(input) && acceptsRawVideo(input))
                found = GST_PAD(gst_object_ref(input));
            g_value_reset(&item);
        }
        g_value_unset(&item);
        gst_iterator_free(it);
        if (found)
            return found;
    }
    return nullptr;
}

bool StreamRouter::linkVideo(GstPad* pad, GstPad* input)
{
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    // Turns the picture upright as the stream's orientation tag says (a phone's 90 degrees, a
    // mirrored camera); passes frames through untouched while there is none. Without the
    // element (a system lacking it) pictures keep their stored orientation.
    GstElement* flip = gst_element_factory_make("videoflip", nullptr);
    // A short queue gives the renderer a thread of its own, so its work on a frame overlaps
    // the conversion of the next one instead of adding to it.
    GstElement* queue = gst_element_factory_make("queue", nullptr);
    // videoconvert makes BGRx in one pass; the packer, on the renderer's thread, makes it BGR.
    GstElement* packer = createBgrPacker();
    if (!convert || !queue || !packer) {
        for (GstElement* made : {convert, flip, queue, packer}) {
            if (made)
                gst_object_unref(made);
        }
        return false;
    }
    g_object_set(queue, "max-size-buffers", 2u, "max-size-bytes", 0u, "max-size-time",
                 guint64(0), nullptr);
    // The conversion is split into bands over the machine's cores: decoders leave cores idle
    // between frames, and a single-threaded conversion of a large picture would otherwise
    // hold up the next frame.
    g_object_set(convert, "n-threads", static_cast<guint>(g_get_num_processors()), nullptr);
    std::vector<GstElement*> chain{convert};
    if (flip) {
        gst_util_set_object_arg(G_OBJECT(flip), "video-direction", "auto");
        chain.push_back(flip);
    }
    // Subtitles are drawn into the upright picture; only the first video stream has them.
    GstElement* overlay = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!std::exchange(overlayMade_, true))
            overlay = makeSubtitleOverlay();
    }
    if (overlay) {
        watchCues(overlay, subtitles_);
        chain.push_back(overlay);
    }
    chain.push_back(queue);
    chain.push_back(packer);
    const bool added = addChain(pipeline_, chain);
    if (overlay)
        gst_object_unref(overlay);  // the bin holds it now, or has let it go
    if (!added)
        return false;
    GstPad* packerOut = gst_element_get_static_pad(packer, "src");
    bool ok = GST_PAD_LINK_SUCCESSFUL(gst_pad_link(packerOut, input));
    gst_object_unref(packerOut);
    ok = ok && linkPads(pad, convert);
    if (!ok) {
        for (GstElement* e : chain) {
            gst_element_set_state(e, GST_STATE_NULL);
            gst_bin_remove(GST_BIN(pipeline_), e);
        }
    }
    return ok;
}

bool StreamRouter::linkSound(GstPad* pad)
{
    GstElement* output = makeSoundOutput();
    if (!output)
        return false;
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    // Keeps the pitch when the rate changes.
    GstElement* tempo = gst_element_factory_make("scaletempo", nullptr);
    GstElement* volume = gst_element_factory_make("volume", nullptr);
    if (!convert || !resample || !volume) {
        for (GstElement* made : {convert, resample, tempo, volume, output}) {
            if (made)
                gst_object_unref(made);
        }
        return false;
    }
    bool ok = tempo ? addChain(pipeline_, {convert, resample, tempo, volume, output})
                    : addChain(pipeline_, {convert, resample, volume, output});
    gst_object_unref(output);  // the bin holds its own reference while it has it
    if (ok && !linkPads(pad, convert)) {
        // A sink left in the graph without a stream would hold its preroll for good.
        for (GstElement* e : {convert, resample, tempo, volume, output}) {
            if (e && GST_OBJECT_PARENT(e) == GST_OBJECT(pipeline_)) {
                gst_element_set_state(e, GST_STATE_NULL);
                gst_bin_remove(GST_BIN(pipeline_), e);
            }
        }
        return false;
    }
    if (ok) {
        std::lock_guard<std::mutex> lock(mutex_);
        volume_ = volume;
    }
    return ok;
}

void StreamRouter::linkTextCollector(GstPad* pad)
{
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (!sink)
        return;
    // Takes each cue as the demuxer brings it, without waiting for the clock; the picture
    // looks its cue up when its time comes.
    g_object_set(sink, "async", FALSE, "sync", FALSE, "signal-handoffs", TRUE, nullptr);
    // The sink keeps the store alive for as long as it may call back.
    auto* keep = new std::shared_ptr<SubtitleStore>(subtitles_);
    markHandedOver(keep);
    g_signal_connect_data(
        sink, "handoff", G_CALLBACK(collectCue), keep,
        [](gpointer data, GClosure*) {
            markReceived(data);
            delete static_cast<std::shared_ptr<SubtitleStore>*>(data);
        },
        GConnectFlags(0));
    if (addChain(pipeline_, {sink}))
        linkPads(pad, sink);
}

void StreamRouter::linkDiscard(GstPad* pad)
{
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (!sink)
        return;
    // Neither waits for preroll nor for the clock: it only keeps the stream flowing.
    g_object_set(sink, "async", FALSE, "sync", FALSE, nullptr);
    if (addChain(pipeline_, {sink}))
        linkPads(pad, sink);
}

void StreamRouter::checkRenderersFed()
{
    bool unfed = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (GstElement* renderer : renderers_) {
            GstIterator* it = gst_element_iterate_sink_pads(renderer);
            GValue item = G_VALUE_INIT;
            while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
                if (!gst_pad_is_linked(GST_PAD(g_value_get_object(&item))))
                    unfed = true;
                g_value_reset(&item);
            }
            g_value_unset(&item);
            gst_iterator_free(it);
        }
    }
    if (unfed) {
        gst_element_post_message(
            pipeline_, gst_message_new_application(GST_OBJECT(pipeline_),
                                                   gst_structure_new_empty(kRendererUnfed)));
    }
}

}  // namespace framelift
