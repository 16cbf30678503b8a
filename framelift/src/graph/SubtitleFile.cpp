#include "SubtitleFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace framelift {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEndings[] = {".srt", ".ass", ".ssa", ".vtt"};

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSubtitleEnding(const std::string& extension)
{
    const std::string lower = lowered(extension);
    return std::any_of(std::begin(kEndings), std::end(kEndings),
                       [&](const char* ending) { return lower == ending; });
}

}  // namespace

std::string subtitleBeside(const std::string& videoPath)
{
    std::error_code error;
    const fs::path video(videoPath);
    const fs::path folder = video.has_parent_path() ? video.parent_path() : fs::path(".");
    const std::string stem = video.stem().string();
    // The folder is read once; an exact ".srt" is preferred to other spellings.
    std::string found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path candidate = it->path();
        if (candidate.stem().string() != stem || !isSubtitleEnding(candidate.extension().string()))
            continue;
        if (!it->is_regular_file(error) || !subtitleFileLooksSane(candidate.string()))
            continue;
        if (found.empty() || candidate.extension() == ".srt")
            found = candidate.string();
    }
    return found;
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
