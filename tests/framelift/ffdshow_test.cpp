// The ffdshow path: the encoder is found by its exact long name among the installed video
// encoders, and its absence is reported through the message receiver.
#include <gtest/gtest.h>

#include <gst/base/gstbasetransform.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <string>
#include <vector>

#include "FrameliftClips.h"
#include "Playback.h"

using playback::Handle;

namespace {

// A stand-in video encoder: passes BGR frames through unchanged.
struct FakeEncoder {
    GstBaseTransform parent;
};
struct FakeEncoderClass {
    GstBaseTransformClass parent_class;
};

GstStaticPadTemplate kBgrSink = GST_STATIC_PAD_TEMPLATE(
    "sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGR")));
GstStaticPadTemplate kBgrSrc = GST_STATIC_PAD_TEMPLATE(
    "src", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS(GST_VIDEO_CAPS_MAKE("BGR")));

void fakeEncoderInit(GTypeInstance* instance, gpointer)
{
    gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(instance), TRUE);
}

// Registers a pass-through "encoder" whose long name is `longName`.
void registerEncoder(const char* factoryName, const char* longName)
{
    gst_init(nullptr, nullptr);
    struct Names {
        std::string longName;
    };
    auto* names = new Names{longName};  // lives as long as the type
    GTypeInfo info{};
    info.class_size = sizeof(FakeEncoderClass);
    info.class_init = [](gpointer klass, gpointer data) {
        auto* element = GST_ELEMENT_CLASS(klass);
        gst_element_class_set_metadata(element, static_cast<Names*>(data)->longName.c_str(),
                                       "Codec/Encoder/Video", "Test stand-in", "Tests");
        gst_element_class_add_static_pad_template(element, &kBgrSink);
        gst_element_class_add_static_pad_template(element, &kBgrSrc);
    };
    info.class_data = names;
    info.instance_size = sizeof(FakeEncoder);
    info.instance_init = fakeEncoderInit;
    const std::string typeName = std::string("TestEncoder_") + factoryName;
    GType type = g_type_register_static(GST_TYPE_BASE_TRANSFORM, typeName.c_str(), &info,
                                        GTypeFlags(0));
    ASSERT_TRUE(gst_element_register(nullptr, factoryName, GST_RANK_NONE, type));
}

std::vector<std::string>& received()
{
    static std::vector<std::string> texts;
    return texts;
}

void collect(const char* text, void*)
{
    received().push_back(text);
}

std::string clip()
{
    return clips::quadrants({"quad-mpeg4-mp3.avi", 320, 240, 50, "avenc_mpeg4", "lamemp3enc", "avimux"});
}

// Without an encoder of that exact name the load fails with one message; a name that differs
// only in case does not count. With it, frames pass through it into the texture.
TEST(Ffdshow, FoundOnlyByItsExactName)
{
    received().clear();
    SetMessageReceiver(collect, nullptr);
    registerEncoder("testffdshowcase", "FFDShow Video Encoder");
    {
        Handle h;
        EXPECT_FALSE(LoadVideo(h, clip().c_str(), 1, 1));
        ASSERT_EQ(received().size(), 1u);
        EXPECT_EQ(received()[0], "can not file ffdshow Video Codec filter");
        EXPECT_FALSE(UpdateEvent(h));
    }

    registerEncoder("testffdshow", "ffdshow video encoder");
    received().clear();
    {
        Handle h;
        ASSERT_TRUE(LoadVideo(h, clip().c_str(), 1, 1));
        EXPECT_TRUE(received().empty());
        EXPECT_EQ(GetVideoWidth(h), 320);
        Stop(h);
        Play(h);
        const uint8_t* t = GetTexture(h);
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(clips::pixelNear(t, 512, 80, 60, clips::kRed));
        EXPECT_TRUE(clips::pixelNear(t, 512, 80, 180, clips::kBlue));
    }
    SetMessageReceiver(nullptr, nullptr);
}

// With no receiver installed the message goes to standard error.
TEST(Ffdshow, MessageGoesToStandardErrorWithoutReceiver)
{
    SetMessageReceiver(nullptr, nullptr);
    Handle h;
    testing::internal::CaptureStderr();
    const bool loaded = LoadVideo(h, clip().c_str(), 1, 1);
    const std::string err = testing::internal::GetCapturedStderr();
    if (loaded)
        GTEST_SKIP() << "an encoder named \"ffdshow video encoder\" is installed here";
    EXPECT_NE(err.find("can not file ffdshow Video Codec filter\n"), std::string::npos) << err;
}

}  // namespace
