// A seek or a rate change reaches the demuxer once, however many streams the file has. Sent
// to every sink, a demuxer takes it once per stream, and the flushes of the copies race each
// other through the same queues; behind flvdemux that deadlocked a queue's thread.
#include <gtest/gtest.h>

#include <gst/gst.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "FrameliftClips.h"
#include "PlaybackGraph.h"
#include "VideoTexture.h"

using namespace framelift;

namespace {

// Counts the seeks that arrive at an element's outputs, by their number.
class SeekCounter {
public:
    explicit SeekCounter(GstElement* element)
    {
        GstIterator* pads = gst_element_iterate_src_pads(element);
        GValue item = G_VALUE_INIT;
        while (gst_iterator_next(pads, &item) == GST_ITERATOR_OK) {
            GstPad* pad = GST_PAD(g_value_get_object(&item));
            probes_.push_back({GST_PAD(gst_object_ref(pad)),
                               gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_UPSTREAM, onEvent,
                                                 this, nullptr)});
            g_value_reset(&item);
        }
        g_value_unset(&item);
        gst_iterator_free(pads);
    }

    ~SeekCounter()
    {
        for (auto& [pad, id] : probes_) {
            gst_pad_remove_probe(pad, id);
            gst_object_unref(pad);
        }
    }

    size_t outputs() const { return probes_.size(); }

    std::map<guint32, int> seen() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    static GstPadProbeReturn onEvent(GstPad*, GstPadProbeInfo* info, gpointer self)
    {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEEK) {
            auto* counter = static_cast<SeekCounter*>(self);
            std::lock_guard<std::mutex> lock(counter->mutex_);
            ++counter->seen_[gst_event_get_seqnum(event)];
        }
        return GST_PAD_PROBE_OK;
    }

    std::vector<std::pair<GstPad*, gulong>> probes_;
    mutable std::mutex mutex_;
    std::map<guint32, int> seen_;
};

// The graph's demuxer (found inside the decoder), or null. A new reference.
GstElement* findDemuxer(GstElement* pipeline)
{
    GstElement* found = nullptr;
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(pipeline));
    GValue item = G_VALUE_INIT;
    while (!found && gst_iterator_next(elements, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        GstElementFactory* factory = gst_element_get_factory(element);
        const char* klass =
            factory ? gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS) : "";
        if (klass && std::strstr(klass, "Demux"))
            found = GST_ELEMENT(gst_object_ref(element));
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
    return found;
}

std::string flvWithSound()
{
    return clips::quadrants(
        {"quad-flv1-mp3.flv", 320, 240, 100, "avenc_flv", "lamemp3enc ! mpegaudioparse",
         "flvmux"});
}

TEST(SeekEntry, EachSeekAndRateChangeReachesTheDemuxerOnce)
{
    for (const std::string& path : {flvWithSound(), clips::mpeg4Avi(), clips::h264Mp4()}) {
        SCOPED_TRACE(path);
        VideoTexture h;
        ASSERT_TRUE(loadVideo(h, path.c_str(), 1, false));
        play(h);
        GstElement* demuxer = findDemuxer(h.graph->pipeline());
        ASSERT_NE(demuxer, nullptr);
        {
            SeekCounter counter(demuxer);
            ASSERT_GE(counter.outputs(), 2u) << "the clip has a picture and sound";
            EXPECT_TRUE(GotoTime(&h, 1.0));
            EXPECT_TRUE(SetRate(&h, 2.0));
            EXPECT_TRUE(GotoTime(&h, 0.5));
            EXPECT_TRUE(SetRate(&h, 1.0));
            const std::map<guint32, int> seen = counter.seen();
            EXPECT_EQ(seen.size(), 4u);
            for (const auto& [seqnum, copies] : seen)
                EXPECT_EQ(copies, 1) << "seek " << seqnum;
        }
        gst_object_unref(demuxer);
        stop(h);
    }
}

}  // namespace
