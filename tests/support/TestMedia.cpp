#include "TestMedia.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>

#include <unistd.h>

namespace fs = std::filesystem;

namespace testmedia {
namespace {

std::mutex& encodeMutex()
{
    static std::mutex m;
    return m;
}

std::string quote(const std::string& s)
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

}  // namespace

std::string mediaDir()
{
    const char* env = std::getenv("VELMORA_TEST_MEDIA_DIR");
    fs::path dir = env && *env ? fs::path(env) : fs::temp_directory_path() / "velmora-test-media";
    fs::create_directories(dir);
    return dir.string();
}

namespace {

// Runs `command` with @OUT@ standing for a temporary name, then gives the file its `name`, so
// that a parallel test process never sees half a file. The name is given by a hard link, which
// fails when another process made the same file first: that process's file stays, so a test
// that reads the file twice (its dates included) never sees it replaced in between.
// `extension` keeps the temporary name's ending for tools that pick the container from it.
std::string make(const std::string& name, const std::string& command,
                 const std::string& extension = "")
{
    std::lock_guard<std::mutex> lock(encodeMutex());
    const fs::path target = fs::path(mediaDir()) / name;
    if (fs::exists(target) && fs::file_size(target) > 0)
        return target.string();
    const fs::path partial = target.string() + ".part" + std::to_string(::getpid()) + extension;
    std::string line = command;
    const std::string marker = "@OUT@";
    for (size_t at; (at = line.find(marker)) != std::string::npos;)
        line.replace(at, marker.size(), quote(partial.string()));
    line += " >/dev/null 2>&1";
    if (std::system(line.c_str()) != 0 || !fs::exists(partial)) {
        fs::remove(partial);
        throw std::runtime_error("could not make test media: " + line);
    }
    std::error_code linkError;
    fs::create_hard_link(partial, target, linkError);
    if (linkError && linkError != std::errc::file_exists)
        fs::rename(partial, target);  // a file system without hard links
    else
        fs::remove(partial);
    return target.string();
}

}  // namespace

std::string custom(const std::string& name, const std::string& pipeline)
{
    return make(name, "gst-launch-1.0 -q " + pipeline);
}

std::string byFfmpeg(const std::string& name, const std::string& arguments)
{
    return make(name, "ffmpeg -hide_banner -loglevel error -y " + arguments + " @OUT@",
                fs::path(name).extension().string());
}

std::string clip(const ClipRequest& wanted)
{
    std::string p;
    if (wanted.frames > 0) {
        p += "videotestsrc num-buffers=" + std::to_string(wanted.frames) + " pattern=" +
             wanted.pattern + " ! video/x-raw,width=" + std::to_string(wanted.width) +
             ",height=" + std::to_string(wanted.height) + ",framerate=" + std::to_string(wanted.fps) +
             "/1 ! videoconvert ! ";
        if (!wanted.videoEncoder.empty())
            p += wanted.videoEncoder + " ! ";
        p += "mux. ";
    }
    if (!wanted.audioEncoder.empty()) {
        const int seconds100 = wanted.frames > 0 ? wanted.frames * 100 / wanted.fps : 200;
        // 1024 samples a buffer at 44100 Hz: enough buffers to cover the video.
        const int buffers = seconds100 * 441 / 1024 + 1;
        p += "audiotestsrc num-buffers=" + std::to_string(buffers) +
             " samplesperbuffer=1024 ! audio/x-raw,rate=44100,channels=2 ! audioconvert ! "
             "audioresample ! " + wanted.audioEncoder + " ! mux. ";
    }
    p += wanted.muxer + " name=mux ! filesink location=@OUT@";
    return custom(wanted.name, p);
}

std::string writeFile(const std::string& name, const std::string& bytes)
{
    // Written aside and then renamed: another test process reading the same name meanwhile
    // keeps reading a whole file, never one cut short by the truncation.
    const fs::path target = fs::path(mediaDir()) / name;
    const fs::path partial = target.string() + ".part" + std::to_string(::getpid());
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    fs::rename(partial, target);
    return target.string();
}

std::string withOrientation(const std::string& source, const std::string& name,
                            Orientation orientation)
{
    std::ifstream in(source, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A version-0 track header: after its size and name come version and flags, times, track
    // number, a reserved word, the duration, 8 reserved bytes, layer, group, volume and 2
    // reserved bytes (40 bytes in all), then the 3 by 3 matrix of 32-bit big-endian values.
    const size_t at = bytes.find("tkhd");
    if (at == std::string::npos || at + 4 + 40 + 36 > bytes.size() || bytes[at + 4] != 0)
        throw std::runtime_error("no version-0 track header in " + source);
    // a, b, c, d of the matrix in 16.16 units (-1, 0 or 1), as qtdemux reads them.
    int m[4] = {1, 0, 0, 1};
    switch (orientation) {
    case Orientation::Rotate90: m[0] = 0, m[1] = 1, m[2] = -1, m[3] = 0; break;
    case Orientation::Rotate180: m[0] = -1, m[3] = -1; break;
    case Orientation::Rotate270: m[0] = 0, m[1] = -1, m[2] = 1, m[3] = 0; break;
    case Orientation::FlipRotate0: m[0] = -1; break;
    case Orientation::FlipRotate180: m[3] = -1; break;
    case Orientation::FlipRotate270: m[0] = 0, m[1] = 1, m[2] = 1, m[3] = 0; break;
    }
    auto put = [&](size_t offset, int32_t value) {
        const auto u = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            bytes[offset + static_cast<size_t>(i)] = static_cast<char>(u >> (24 - 8 * i));
    };
    const size_t matrix = at + 4 + 40;
    put(matrix, m[0] * 0x10000);
    put(matrix + 4, m[1] * 0x10000);
    put(matrix + 12, m[2] * 0x10000);
    put(matrix + 16, m[3] * 0x10000);
    return writeFile(name, bytes);
}

}  // namespace testmedia
