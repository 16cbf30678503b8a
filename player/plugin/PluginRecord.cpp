#include "PluginRecord.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pluginrecord {
namespace {

void put(std::array<char, kSize>& record, std::size_t offset, std::size_t size,
         const std::string& text)
{
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(record.data() + offset, text.data(), n);
    record[offset + n] = '\0';
}

// The text of a field up to its NUL; no value when the field has none.
std::optional<std::string> field(const std::string& bytes, std::size_t offset, std::size_t size)
{
    const char* begin = bytes.data() + offset;
    const char* end = std::find(begin, begin + size, '\0');
    if (end == begin + size)
        return std::nullopt;
    return std::string(begin, end);
}

bool startsWithNoCase(const std::string& text, const char* prefix)
{
    const std::size_t n = std::strlen(prefix);
    if (text.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

// Why url is not a web address to hand to a browser; empty when it is one.
std::string urlProblem(const std::string& url)
{
    std::size_t rest = 0;
    if (startsWithNoCase(url, "https://"))
        rest = 8;
    else if (startsWithNoCase(url, "http://"))
        rest = 7;
    else
        return "the URL \"" + url + "\" is not an http or https address";
    for (unsigned char c : url)
        if (c <= ' ' || c == 0x7f)
            return "the URL contains a blank or a control character";
    if (rest >= url.size() || url[rest] == '/')
        return "the URL \"" + url + "\" names no host";
    return {};
}

bool fail(std::string* problem, const std::string& why)
{
    if (problem)
        *problem = why;
    return false;
}

}  // namespace

std::array<char, kSize> encode(const Download& download)
{
    std::array<char, kSize> record{};
    put(record, kNameOffset, kNameSize, download.displayName);
    put(record, kFileOffset, kFileSize, download.fileName);
    put(record, kUrlOffset, kUrlSize, download.url);
    return record;
}

bool write(const std::string& path, const Download& download)
{
    // The record goes into a new file beside the old one, which replaces it only once it is
    // whole: a full disk or a failed write leaves the previous record as it was.
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const std::array<char, kSize> record = encode(download);
    std::size_t done = 0;
    while (done < record.size()) {
        const ssize_t n = ::write(fd, record.data() + done, record.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == record.size() && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<Download> parse(const std::string& bytes, std::string* problem)
{
    if (bytes.size() != kSize) {
        fail(problem, "the record is " + std::to_string(bytes.size()) + " bytes long, not " +
                          std::to_string(kSize));
        return std::nullopt;
    }
    const auto name = field(bytes, kNameOffset, kNameSize);
    const auto file = field(bytes, kFileOffset, kFileSize);
    const auto url = field(bytes, kUrlOffset, kUrlSize);
    if (!name || !file || !url) {
        fail(problem, std::string("the ") + (!name ? "display name" : !file ? "file name" : "URL") +
                          " field has no terminating NUL");
        return std::nullopt;
    }
    if (name->empty() || file->empty()) {
        fail(problem, std::string("the ") + (name->empty() ? "display name" : "file name") +
                          " is empty");
        return std::nullopt;
    }
    if (const std::string why = urlProblem(*url); !why.empty()) {
        fail(problem, why);
        return std::nullopt;
    }
    return Download{*name, *file, *url};
}

std::optional<Download> read(const std::string& path, std::string* problem)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(problem, "there is no readable record");
        return std::nullopt;
    }
    // One byte more than a record may hold shows a longer file without reading all of it.
    std::string bytes(kSize + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kSize) {
        fail(problem, "the record is longer than " + std::to_string(kSize) + " bytes");
        return std::nullopt;
    }
    return parse(bytes, problem);
}

}  // namespace pluginrecord
