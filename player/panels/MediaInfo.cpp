#include "MediaInfo.h"

#include <cctype>
#include <climits>

namespace mediainfo {

MediaInfo::MediaInfo(const Api* api) : api_(api)
{
    if (api_) {
        handle_ = api_->New();
        // Paths and reports pass as UTF-8 whatever the process's locale.
        if (handle_)
            api_->Option(handle_, "CharSet", "UTF-8");
    }
}

MediaInfo::~MediaInfo()
{
    if (handle_)
        api_->Delete(handle_);
}

void MediaInfo::open(const std::string& path)
{
    if (handle_)
        api_->Open(handle_, path.c_str());
}

std::string MediaInfo::option(const std::string& name, const std::string& value)
{
    if (!handle_)
        return kUnableText;
    const char* r = api_->Option(handle_, name.c_str(), value.c_str());
    return r ? r : "";
}

std::string MediaInfo::inform()
{
    if (!handle_)
        return kUnableText;
    const char* r = api_->Inform(handle_, 0);
    return r ? r : "";
}

std::string MediaInfo::get(int streamKind, int streamNumber, const std::string& parameter,
                           int infoKind, int searchKind)
{
    if (!handle_)
        return kUnableText;
    const char* r = api_->Get(handle_, streamKind, static_cast<size_t>(streamNumber),
                              parameter.c_str(), infoKind, searchKind);
    return r ? r : "";
}

void MediaInfo::close()
{
    if (handle_)
        api_->Close(handle_);
}

int leadingInteger(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace mediainfo
