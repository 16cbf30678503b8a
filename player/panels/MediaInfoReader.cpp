#include "MediaInfoReader.h"

#include <mutex>

namespace mediainfo {
namespace {

// Guards the library-wide "Complete" setting between setting it and the report it shapes.
std::mutex& reportTurn()
{
    static std::mutex turn;
    return turn;
}

}  // namespace

MediaReport readMediaReport(MediaInfo& info, const std::string& path)
{
    MediaReport report;
    info.open(path);
    {
        std::lock_guard<std::mutex> lock(reportTurn());
        // The previous read left "Complete" at "2": the Base report would be the full one.
        info.option("Complete", "");
        std::string text = info.inform();
        report.pages[0] = text;
        const char* levels[] = {"", "1", "2"};
        for (int page = 1; page < 4; ++page) {
            info.option("Complete", levels[page - 1]);
            text += info.inform();
            report.pages[static_cast<size_t>(page)] = text;
        }
        report.durationMs =
            leadingInteger(info.get(General, 0, "Duration", InfoText, InfoName));
    }
    info.close();
    return report;
}

}  // namespace mediainfo
