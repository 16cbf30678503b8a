// Nothing of a graph outlives its release: the pipeline and the texture filter are finalized
// when FreeVideo returns, and a client that loads and frees one file over and over keeps a
// flat memory footprint.
#include <gtest/gtest.h>

#include <gst/gst.h>
#include <malloc.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

#include "FrameliftClips.h"
#include "TestMedia.h"
#include "PlaybackGraph.h"
#include "VideoTexture.h"

using namespace framelift;

namespace {

void markFinalized(gpointer flag, GObject*)
{
    static_cast<std::atomic<bool>*>(flag)->store(true);
}

// The process's own anonymous memory, after the allocator has handed back what it can. The
// whole resident set would also count code pages of plug-ins and drivers that are first read
// in after the warm-up, which is no growth of the program's.
long anonymousKiB()
{
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("RssAnon:", 0) == 0)
            return std::stol(line.substr(8));
    }
    return -1;
}

void playBriefly(VideoTexture& h, const std::string& path)
{
    ASSERT_TRUE(loadVideo(h, path.c_str(), 1, false));
    play(h);
    ASSERT_NE(GetTexture(&h), nullptr);
    stop(h);
}

// After load, play, stop and free - and after a failed load - the pipeline and the texture
// filter are gone, with sound and without, and so after a second load replaced a first.
TEST(GraphRelease, PipelineAndFilterAreFinalized)
{
    for (const std::string& path : {clips::mpeg4Avi(), clips::timeRamp("ramp-2s.mkv", 2, false)}) {
        SCOPED_TRACE(path);
        VideoTexture h;
        std::atomic<bool> pipelineGone{false}, filterGone{false};
        playBriefly(h, path);
        g_object_weak_ref(G_OBJECT(h.graph->pipeline()), markFinalized, &pipelineGone);
        g_object_weak_ref(G_OBJECT(h.filter), markFinalized, &filterGone);
        playBriefly(h, path);  // the second load releases the first graph
        EXPECT_TRUE(pipelineGone.load());
        EXPECT_TRUE(filterGone.load());

        std::atomic<bool> secondGone{false};
        g_object_weak_ref(G_OBJECT(h.graph->pipeline()), markFinalized, &secondGone);
        freeVideo(h);
        EXPECT_TRUE(secondGone.load());

        std::atomic<bool> failedGone{false};
        const std::string text = testmedia::writeFile("release-text.avi", "not a video\n");
        EXPECT_FALSE(loadVideo(h, text.c_str(), 1, false));
        ASSERT_TRUE(h.graph);  // a failed load keeps its graph until the next load or free
        g_object_weak_ref(G_OBJECT(h.graph->pipeline()), markFinalized, &failedGone);
        freeVideo(h);
        EXPECT_TRUE(failedGone.load());
    }
}

// 200 load/play/free cycles of a 640 by 480 clip grow the anonymous memory by less than 8 MiB
// once the first cycles have filled GStreamer's and the allocator's caches. (The address
// sanitizer's quarantine keeps freed memory on purpose, so its builds skip the measure.)
TEST(GraphRelease, MemoryStaysFlatOverManyLoads)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "sanitizer allocators hold freed memory";
#endif
    const std::string path = clips::quadrants({"quad-640x480-video.avi", 640, 480, 25,
                                               "avenc_mpeg4", "", "avimux"});
    VideoTexture h;
    for (int cycle = 0; cycle < 20; ++cycle)
        playBriefly(h, path);
    freeVideo(h);
    const long warm = anonymousKiB();
    for (int cycle = 0; cycle < 200; ++cycle)
        playBriefly(h, path);
    freeVideo(h);
    const long grown = anonymousKiB() - warm;
    RecordProperty("rss_growth_kib", std::to_string(grown));
    EXPECT_LT(grown, 8 * 1024) << "KiB grown over 200 cycles";
}

}  // namespace
