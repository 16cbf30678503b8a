#include "MediaInfoReader.h"

namespace mediainfo {

MediaReport readMediaReport(MediaInfo& info, const std::string& path)
{
    MediaReport report;
    info.open(path);
    std::string text = info.inform();
    report.pages[0] = text;
    const char* levels[] = {"", "1", "2"};
    for (int page = 1; page < 4; ++page) {
        info.option("Complete", levels[page - 1]);
        text += info.inform();
        report.pages[page] = text;
    }
    report.durationMs = leadingInteger(info.get(General, 0, "Duration", InfoText, InfoName));
    info.close();
    return report;
}

}  // namespace mediainfo
