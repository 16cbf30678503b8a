#include "BgrPacker.h"

#include <gst/video/gstvideofilter.h>
#include <gst/video/video.h>

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define FRAMELIFT_PACK_SSSE3 1
#endif

namespace framelift {
namespace {

// Four pixels at a time through 32-bit words: B, G, R, x in memory is B | G << 8 | R << 16
// on a little-endian machine.
void packWords(const uint8_t* bgrx, uint8_t* bgr, int width)
{
    int i = 0;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (; i + 4 <= width; i += 4, bgrx += 16, bgr += 12) {
        uint32_t p[4];
        std::memcpy(p, bgrx, sizeof p);
        const uint32_t out[3] = {(p[0] & 0xFFFFFFu) | (p[1] << 24),
                                 ((p[1] >> 8) & 0xFFFFu) | (p[2] << 16),
                                 ((p[2] >> 16) & 0xFFu) | (p[3] << 8)};
        std::memcpy(bgr, out, sizeof out);
    }
#endif
    for (; i < width; ++i, bgrx += 4, bgr += 3) {
        bgr[0] = bgrx[0];
        bgr[1] = bgrx[1];
        bgr[2] = bgrx[2];
    }
}

#ifdef FRAMELIFT_PACK_SSSE3
// Sixteen pixels at a time: each 16-byte load of four pixels gives 12 bytes through one
// shuffle, and four of them make three full stores.
__attribute__((target("ssse3"))) void packShuffled(const uint8_t* bgrx, uint8_t* bgr, int width)
{
    const __m128i drop = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int i = 0;
    for (; i + 16 <= width; i += 16, bgrx += 64, bgr += 48) {
        const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgrx)), drop);
        const __m128i b =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgrx + 16)), drop);
        const __m128i c =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgrx + 32)), drop);
        const __m128i d =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgrx + 48)), drop);
        // a holds 12 bytes, then 4 of b; b's other 8 and 8 of c; c's last 4 and d's 12.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr), _mm_or_si128(a, _mm_slli_si128(b, 12)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 16),
                         _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 32),
                         _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
    }
    packWords(bgrx, bgr, width - i);
}

bool hasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#endif

}  // namespace

void packBgrxRow(const uint8_t* bgrx, uint8_t* bgr, int width)
{
#ifdef FRAMELIFT_PACK_SSSE3
    if (hasSsse3()) {
        packShuffled(bgrx, bgr, width);
        return;
    }
#endif
    packWords(bgrx, bgr, width);
}

}  // namespace framelift

struct FrameliftBgrPacker {
    GstVideoFilter parent;
};

struct FrameliftBgrPackerClass {
    GstVideoFilterClass parent_class;
};

G_DEFINE_TYPE(FrameliftBgrPacker, framelift_bgr_packer, GST_TYPE_VIDEO_FILTER)

namespace {

// The same caps with the other format: BGRx on the input side, BGR on the output side.
GstCaps* packerTransformCaps(GstBaseTransform*, GstPadDirection direction, GstCaps* caps,
                             GstCaps* filter)
{
    const char* format = direction == GST_PAD_SINK ? "BGR" : "BGRx";
    GstCaps* other = gst_caps_new_empty();
    for (guint i = 0, n = gst_caps_get_size(caps); i < n; ++i) {
        GstStructure* s = gst_structure_copy(gst_caps_get_structure(caps, i));
        gst_structure_set(s, "format", G_TYPE_STRING, format, nullptr);
        gst_structure_remove_fields(s, "colorimetry", "chroma-site", nullptr);
        other = gst_caps_merge_structure_full(
            other, s, gst_caps_features_copy(gst_caps_get_features(caps, i)));
    }
    if (filter) {
        GstCaps* both = gst_caps_intersect_full(filter, other, GST_CAPS_INTERSECT_FIRST);
        gst_caps_unref(other);
        other = both;
    }
    return other;
}

GstFlowReturn packerTransformFrame(GstVideoFilter*, GstVideoFrame* in, GstVideoFrame* out)
{
    const auto* source = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(in, 0));
    auto* target = static_cast<uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(out, 0));
    const int sourceStride = GST_VIDEO_FRAME_PLANE_STRIDE(in, 0);
    const int targetStride = GST_VIDEO_FRAME_PLANE_STRIDE(out, 0);
    const int width = GST_VIDEO_FRAME_WIDTH(out);
    for (int row = 0, rows = GST_VIDEO_FRAME_HEIGHT(out); row < rows; ++row)
        framelift::packBgrxRow(source + static_cast<ptrdiff_t>(row) * sourceStride,
                               target + static_cast<ptrdiff_t>(row) * targetStride, width);
    return GST_FLOW_OK;
}

}  // namespace

static void framelift_bgr_packer_class_init(FrameliftBgrPackerClass* klass)
{
    GstElementClass* elementClass = GST_ELEMENT_CLASS(klass);
    gst_element_class_set_static_metadata(elementClass, "FrameliftBgrPacker",
                                          "Filter/Converter/Video",
                                          "Packs 32-bit BGRx frames into 24-bit BGR",
                                          "Framelift");
    static GstStaticPadTemplate sinkTemplate = GST_STATIC_PAD_TEMPLATE(
        "sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGRx")));
    static GstStaticPadTemplate srcTemplate = GST_STATIC_PAD_TEMPLATE(
        "src", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGR")));
    gst_element_class_add_static_pad_template(elementClass, &sinkTemplate);
    gst_element_class_add_static_pad_template(elementClass, &srcTemplate);
    GST_BASE_TRANSFORM_CLASS(klass)->transform_caps = packerTransformCaps;
    GST_BASE_TRANSFORM_CLASS(klass)->passthrough_on_same_caps = FALSE;
    GST_VIDEO_FILTER_CLASS(klass)->transform_frame = packerTransformFrame;
}

static void framelift_bgr_packer_init(FrameliftBgrPacker*) {}

namespace framelift {

GstElement* createBgrPacker()
{
    return GST_ELEMENT(g_object_new(framelift_bgr_packer_get_type(), nullptr));
}

}  // namespace framelift
