// The ffdshow path: the encoder is found by its exact long name among the installed video
// encoders, and its absence is reported through the message receiver or on standard error.
#include <gtest/gtest.h>

#include <gst/base/gstbasetransform.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <string>
#include <vector>

#include "FrameliftClips.h"

namespace {

GstStaticPadTemplate kBgrSink = GST_STATIC_PAD_TEMPLATE(
    "sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGR")));
GstStaticPadTemplate kBgrSrc = GST_STATIC_PAD_TEMPLATE(
    "src", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGR")));

// Registers a stand-in video encoder named `longName` that passes BGR frames through.
void registerEncoder(const char* factoryName, const char* longName)
{
    gst_init(nullptr, nullptr);
    GTypeInfo info{};
    info.class_size = sizeof(GstBaseTransformClass);
    info.class_init = [](gpointer klass, gpointer longName) {
        auto* element = GST_ELEMENT_CLASS(klass);
        gst_element_class_set_metadata(element, static_cast<const char*>(longName),
                                       "Codec/Encoder/Video", "Test stand-in", "Tests");
        gst_element_class_add_static_pad_template(element, &kBgrSink);
        gst_element_class_add_static_pad_template(element, &kBgrSrc);
    };
    info.class_data = g_strdup(longName);  // lives as long as the type
    info.instance_size = sizeof(GstBaseTransform);
    info.instance_init = [](GTypeInstance* instance, gpointer) {
        gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(instance), TRUE);
    };
    const std::string typeName = std::string("TestEncoder_") + factoryName;
    const GType type = g_type_register_static(GST_TYPE_BASE_TRANSFORM, typeName.c_str(), &info,
                                              GTypeFlags(0));
    ASSERT_TRUE(gst_element_register(nullptr, factoryName, GST_RANK_NONE, type));
}

std::vector<std::string> received;

// Without an encoder of that exact name the load fails with one message (on standard error
// when no receiver is installed); a name that differs only in case does not count. With it,
// frames pass through it into the texture.
TEST(Ffdshow, FoundOnlyByItsExactName)
{
    const std::string clip = clips::mpeg4Avi();
    clips::Handle h;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadVideo(h, clip.c_str(), 1, 1));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("can not file ffdshow Video Codec filter\n"), std::string::npos) << err;

    SetMessageReceiver([](const char* text, void*) { received.push_back(text); }, nullptr);
    registerEncoder("testffdshowcase", "FFDShow Video Encoder");
    EXPECT_FALSE(LoadVideo(h, clip.c_str(), 1, 1));
    EXPECT_EQ(received, std::vector<std::string>{"can not file ffdshow Video Codec filter"});
    EXPECT_FALSE(UpdateEvent(h));

    registerEncoder("testffdshow", "ffdshow video encoder");
    received.clear();
    ASSERT_TRUE(LoadVideo(h, clip.c_str(), 1, 1));
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(GetVideoWidth(h), 320);
    Stop(h);
    Play(h);
    const uint8_t* t = GetTexture(h);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(clips::pixelNear(t, 512, 80, 60, clips::kRed));
    EXPECT_TRUE(clips::pixelNear(t, 512, 80, 180, clips::kBlue));
    SetMessageReceiver(nullptr, nullptr);
}

}  // namespace
