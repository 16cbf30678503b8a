#include "ClipMaker.h"

#include <cstdlib>
#include <stdexcept>

#include "TestMedia.h"

namespace campaign {
namespace {

struct Recipe {
    const char* name;
    const char* size;    // "WxH"
    const char* codecs;  // ffmpeg output options; "-an" for a silent clip
};

// Three seconds each. ffmpeg picks the container from the name's ending, apart from the
// MPEG program streams, which are written as DVD-style VOB (-f vob) as users meet them.
const Recipe kRecipes[] = {
    {"avi-mpeg4-mp3.avi", "320x240", "-c:v mpeg4 -q:v 4 -c:a libmp3lame -b:a 64k"},
    {"avi-mpeg4.avi", "160x120", "-an -c:v mpeg4 -q:v 4"},
    {"mp4-h264-aac.mp4", "320x240", "-c:v libx264 -preset veryfast -c:a aac -b:a 64k"},
    {"mp4-h264.mp4", "160x120", "-an -c:v libx264 -preset veryfast"},
    {"mov-mjpeg.mov", "160x120", "-an -c:v mjpeg -q:v 6"},
    {"mov-mjpeg-pcm.mov", "160x120", "-c:v mjpeg -q:v 6 -c:a pcm_s16le"},
    {"mpg-mpeg2-mp2.mpg", "320x240", "-c:v mpeg2video -c:a mp2 -f vob"},
    {"mpg-mpeg2.mpg", "320x240", "-an -c:v mpeg2video -f vob"},
    {"ts-h264-aac.ts", "160x120", "-c:v libx264 -preset veryfast -c:a aac -b:a 64k"},
    {"mkv-vp8-vorbis.mkv", "160x120", "-c:v libvpx -deadline realtime -c:a libvorbis"},
    {"mkv-ffv1.mkv", "160x120", "-an -c:v ffv1"},
    {"webm-vp9-opus.webm", "160x120",
     "-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -c:a libopus"},
    {"ogv-theora-vorbis.ogv", "160x120", "-c:v libtheora -c:a libvorbis"},
    {"ogv-theora.ogv", "160x120", "-an -c:v libtheora"},
    {"flv-flv1-mp3.flv", "160x120", "-c:v flv -c:a libmp3lame -ar 44100"},
    {"flv-flv1.flv", "160x120", "-an -c:v flv"},
    {"rm-rv20-ac3.rm", "160x120", "-c:v rv20 -c:a ac3"},
    {"wmv-wmv2-wma.wmv", "160x120", "-c:v wmv2 -c:a wmav2"},
};

}  // namespace

std::vector<Clip> makeClips(const std::string& folder, std::string& problems)
{
    // The test-media helpers write into the folder this variable names.
    setenv("VELMORA_TEST_MEDIA_DIR", folder.c_str(), 1);
    std::vector<Clip> clips;
    for (const Recipe& r : kRecipes) {
        const std::string source = "-f lavfi -i testsrc2=size=" + std::string(r.size) +
                                   ":rate=25:duration=3 -f lavfi -i sine=frequency=440:duration=3 "
                                   "-threads 1 ";
        try {
            clips.push_back({r.name, testmedia::byFfmpeg(r.name, source + r.codecs)});
        } catch (const std::exception& e) {
            problems += std::string(r.name) + ": " + e.what() + "\n";
        }
    }
    return clips;
}

}  // namespace campaign
