// One MediaInfo object: the six calls the media-information reader makes. When the library
// cannot be loaded the object has no handle: every report, option and query gives the text
// "Unable to load libmediainfo.so.0", and opening and closing do nothing.
#pragma once

#include "MediaInfoLibrary.h"

#include <string>

namespace mediainfo {

enum StreamKind { General = 0 };
enum InfoKind { InfoName = 0, InfoText = 1 };

class MediaInfo {
public:
    MediaInfo() : MediaInfo(api()) {}
    explicit MediaInfo(const Api* api);  // null: behaves as if the library were missing
    ~MediaInfo();
    MediaInfo(const MediaInfo&) = delete;
    MediaInfo& operator=(const MediaInfo&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    // Paths and texts are UTF-8.
    void open(const std::string& path);
    std::string option(const std::string& name, const std::string& value);
    std::string inform();
    std::string get(int streamKind, int streamNumber, const std::string& parameter,
                    int infoKind = InfoText, int searchKind = InfoName);
    void close();

private:
    const Api* api_;
    void* handle_ = nullptr;
};

// The integer at the start of text, read as atoi does: optional blanks and sign, then
// decimal digits; 0 when there are none. Values beyond the int range saturate.
int leadingInteger(const std::string& text);

}  // namespace mediainfo
