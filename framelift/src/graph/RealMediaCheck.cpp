#include "RealMediaCheck.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace framelift {
namespace {

// Every header chunk: a four-character id, a 32-bit big-endian size that counts the whole
// chunk, and a 16-bit version.
constexpr size_t kChunkHead = 10;
// A stream header's fixed fields after its chunk head: stream number (2) and seven 32-bit
// values (bit rates, packet sizes, start time, preroll, duration).
constexpr size_t kStreamFixed = 2 + 7 * 4;
// The headers come before the data; no sane file has more of them than this.
constexpr size_t kHeadBytes = 256 * 1024;

uint32_t bigEndian32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Whether the stream header in body[0, size) holds its name, media type and type-specific
// data within itself.
bool streamHeaderFits(const uint8_t* body, size_t size)
{
    size_t at = kStreamFixed;
    for (int text = 0; text < 2; ++text) {  // the stream's name, then its media type
        if (at + 1 > size)
            return false;
        at += 1 + body[at];
        if (at > size)
            return false;
    }
    if (at + 4 > size)
        return false;
    const uint64_t specific = bigEndian32(body + at);
    return at + 4 + specific <= size;
}

}  // namespace

bool realMediaHeadersFit(const std::vector<uint8_t>& head)
{
    if (head.size() < 4 || std::memcmp(head.data(), ".RMF", 4) != 0)
        return true;
    size_t at = 0;
    while (at + kChunkHead <= head.size()) {
        const uint8_t* chunk = head.data() + at;
        const uint32_t size = bigEndian32(chunk + 4);
        if (std::memcmp(chunk, "DATA", 4) == 0 || size < kChunkHead)
            return true;  // the headers end; what follows is the demuxer's to judge
        if (std::memcmp(chunk, "MDPR", 4) == 0) {
            // A stream header cut by the end of what was read is judged on what is there:
            // the demuxer reads no further than the file either.
            const size_t available = std::min<size_t>(size, head.size() - at);
            if (!streamHeaderFits(chunk + kChunkHead, available - kChunkHead))
                return false;
        }
        at += size;
    }
    return true;
}

bool realMediaFileHeadersFit(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    std::vector<uint8_t> head(kHeadBytes);
    size_t filled = 0;
    while (filled < head.size()) {
        const ssize_t got = read(fd, head.data() + filled, head.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        filled += static_cast<size_t>(got);
    }
    close(fd);
    head.resize(filled);
    return realMediaHeadersFit(head);
}

}  // namespace framelift
