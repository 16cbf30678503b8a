// Media made at test time. Each clip is encoded once per test run by gst-launch-1.0 into the
// build's test-media folder and reused by later tests of the same run.
#pragma once

#include <string>

namespace testmedia {

// The clip a test asks for: its file name, picture, length, encoders and container.
struct ClipRequest {
    std::string name;        // file name inside the media folder, e.g. "mpeg4-mp3.avi"
    int width = 320;
    int height = 240;
    int frames = 50;         // video frames; 0 for an audio-only file
    int fps = 25;
    std::string pattern = "smpte";  // videotestsrc pattern
    // gst-launch fragments. videoEncoder may be empty for raw video in the container.
    std::string videoEncoder = "avenc_mpeg4";
    std::string audioEncoder;  // empty: no sound
    std::string muxer = "avimux";
};

// The former name, still used by the library's own tests until they change over.
using ClipSpec = ClipRequest;

// Folder the clips are written to (created on first use).
std::string mediaDir();

// Path of the clip, encoding it when it is not there yet. Throws std::runtime_error with the
// failing command when encoding fails.
std::string clip(const ClipRequest& wanted);

// Runs a gst-launch-1.0 pipeline description that writes `name` into mediaDir(); returns the
// path. For clips a ClipRequest cannot express.
std::string custom(const std::string& name, const std::string& pipeline);

// Runs ffmpeg with `arguments` (inputs and codecs) writing `name` into mediaDir(); returns the
// path. For containers GStreamer cannot write, such as RealMedia.
std::string byFfmpeg(const std::string& name, const std::string& arguments);

// The turn or mirror an MP4 track's display matrix asks for, named as GStreamer's
// image-orientation tag names it.
enum class Orientation { Rotate90, Rotate180, Rotate270, FlipRotate0, FlipRotate180, FlipRotate270 };

// A copy of the MP4 at `source`, named `name`, whose first track's display matrix says
// `orientation`: a phone's portrait clip, stored sideways. Throws std::runtime_error when the
// file has no track header.
std::string withOrientation(const std::string& source, const std::string& name,
                            Orientation orientation);

// Writes bytes to a file in mediaDir() and returns its path (text named .avi, empty files).
std::string writeFile(const std::string& name, const std::string& bytes);

}  // namespace testmedia
