#include "SubtitleFile.h"

#include <glib.h>

#include <algorithm>
#include <mutex>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace framelift {
namespace {

namespace fs = std::filesystem;

// The endings looked for, in the order preferred, each as written in small letters, in
// capitals and capitalised. The names are tried one by one rather than the folder read: a
// folder may hold thousands of files.
constexpr const char* kEndings[] = {"srt", "ass", "ssa", "vtt"};

constexpr const char* kDefaultEncoding = "WINDOWS-1252";

std::vector<std::string> spellings(const std::string& ending)
{
    std::string upper = ending, capital = ending;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    capital[0] = upper[0];
    return {ending, upper, capital};
}

}  // namespace

std::string subtitleBeside(const std::string& videoPath)
{
    const fs::path video(videoPath);
    fs::path base = video;
    base.replace_extension();
    for (const char* ending : kEndings) {
        for (const std::string& spelling : spellings(ending)) {
            const std::string candidate = base.string() + "." + spelling;
            std::error_code error;
            if (candidate != videoPath && fs::is_regular_file(candidate, error) &&
                subtitleFileLooksSane(candidate))
                return candidate;
        }
    }
    return std::string();
}

namespace {

std::mutex encodingMutex;
std::string encodingInUse = kDefaultEncoding;  // guarded by encodingMutex

}  // namespace

bool setSubtitleEncoding(const std::string& encoding)
{
    const std::string wanted = encoding.empty() ? std::string(kDefaultEncoding) : encoding;
    GIConv converter = g_iconv_open("UTF-8", wanted.c_str());
    if (converter == reinterpret_cast<GIConv>(-1))
        return false;
    g_iconv_close(converter);
    std::lock_guard<std::mutex> lock(encodingMutex);
    encodingInUse = wanted;
    return true;
}

std::string subtitleEncoding()
{
    std::lock_guard<std::mutex> lock(encodingMutex);
    return encodingInUse;
}

bool subtitleFileLooksSane(const std::string& path)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error || size == 0 || static_cast<long long>(size) > kMaxSubtitleBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    std::string head(static_cast<size_t>(std::min<decltype(size)>(size, 4096)), '\0');
    if (!in.read(head.data(), static_cast<std::streamsize>(head.size())))
        return false;
    // Text has no zero bytes (UTF-16 files aside, which the parser reads from their mark).
    const bool utf16 = head.size() >= 2 && ((head[0] == '\xff' && head[1] == '\xfe') ||
                                            (head[0] == '\xfe' && head[1] == '\xff'));
    if (!utf16 && head.find('\0') != std::string::npos)
        return false;
    // Whether it holds cues at all is for the reader to find.
    return true;
}

}  // namespace framelift
