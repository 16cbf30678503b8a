// The BGRx to BGR packer: every width, also those that leave a tail after the wide steps, and
// every byte of the three colours kept, through the row function and through the element.
#include <gtest/gtest.h>

#include <gst/gst.h>
#include <gst/video/video.h>

#include <cstdint>
#include <mutex>
#include <random>
#include <vector>

#include "BgrPacker.h"

namespace {

TEST(BgrPacker, RowsOfEveryWidthKeepBlueGreenRedAndDropTheFourthByte)
{
    std::mt19937 random(7);
    for (int width : {0, 1, 2, 3, 4, 5, 15, 16, 17, 31, 32, 33, 63, 641, 1920}) {
        SCOPED_TRACE(width);
        std::vector<uint8_t> bgrx(static_cast<size_t>(width) * 4);
        for (uint8_t& b : bgrx)
            b = static_cast<uint8_t>(random());
        // One guard byte past the row: the packer writes exactly width * 3 bytes.
        std::vector<uint8_t> bgr(static_cast<size_t>(width) * 3 + 1, 0xA5);
        framelift::packBgrxRow(bgrx.data(), bgr.data(), width);
        for (int i = 0; i < width; ++i) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(bgr[i * 3 + c], bgrx[i * 4 + c]) << "pixel " << i << " byte " << c;
        }
        EXPECT_EQ(bgr.back(), 0xA5);
    }
}

// Frames of an odd width through the element: the output rows (padded to 4 bytes) hold the
// input's pixels without their fourth byte.
struct Seen {
    std::mutex mutex;  // written on the streaming thread, read by the test
    std::vector<uint8_t> bgrx, bgr;
    int bgrxStride = 0, bgrStride = 0;
};

GstPadProbeReturn keepFrame(GstPad* pad, GstPadProbeInfo* info, gpointer target)
{
    GstCaps* caps = gst_pad_get_current_caps(pad);
    GstVideoInfo video;
    const bool known = caps && gst_video_info_from_caps(&video, caps);
    if (caps)
        gst_caps_unref(caps);
    GstVideoFrame frame;
    if (known && gst_video_frame_map(&frame, &video, GST_PAD_PROBE_INFO_BUFFER(info), GST_MAP_READ)) {
        auto* seen = static_cast<Seen*>(target);
        std::lock_guard<std::mutex> lock(seen->mutex);
        const bool packed = GST_VIDEO_FRAME_FORMAT(&frame) == GST_VIDEO_FORMAT_BGR;
        const auto* data = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0));
        const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
        (packed ? seen->bgr : seen->bgrx)
            .assign(data, data + static_cast<size_t>(stride) * GST_VIDEO_FRAME_HEIGHT(&frame));
        (packed ? seen->bgrStride : seen->bgrxStride) = stride;
        gst_video_frame_unmap(&frame);
    }
    return GST_PAD_PROBE_OK;
}

TEST(BgrPacker, ElementPacksEachRowOfAFrame)
{
    gst_init(nullptr, nullptr);
    constexpr int kWidth = 37, kHeight = 9;
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* source = gst_element_factory_make("videotestsrc", nullptr);
    GstElement* caps = gst_element_factory_make("capsfilter", nullptr);
    GstElement* packer = framelift::createBgrPacker();
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    ASSERT_TRUE(source && caps && packer && sink);
    g_object_set(source, "num-buffers", 1, "pattern", 1 /* random */, nullptr);
    GstCaps* bgrx = gst_caps_from_string("video/x-raw,format=BGRx,width=37,height=9");
    g_object_set(caps, "caps", bgrx, nullptr);
    gst_caps_unref(bgrx);
    gst_bin_add_many(GST_BIN(pipeline), source, caps, packer, sink, nullptr);
    ASSERT_TRUE(gst_element_link_many(source, caps, packer, sink, nullptr));

    Seen seen;
    for (const char* name : {"sink", "src"}) {
        GstPad* pad = gst_element_get_static_pad(packer, name);
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, keepFrame, &seen, nullptr);
        gst_object_unref(pad);
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* end = gst_bus_timed_pop_filtered(
        bus, 10 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(GST_MESSAGE_TYPE(end), GST_MESSAGE_EOS);
    gst_message_unref(end);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);

    std::lock_guard<std::mutex> lock(seen.mutex);
    ASSERT_EQ(seen.bgrStride, 112);  // 111 bytes of pixels, padded to 4
    ASSERT_EQ(seen.bgr.size(), size_t{112} * kHeight);
    ASSERT_EQ(seen.bgrx.size(), static_cast<size_t>(seen.bgrxStride) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(seen.bgr[y * seen.bgrStride + x * 3 + c],
                          seen.bgrx[y * seen.bgrxStride + x * 4 + c])
                    << "row " << y << " pixel " << x << " byte " << c;
        }
    }
}

}  // namespace
