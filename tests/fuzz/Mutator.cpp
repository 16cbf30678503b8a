#include "Mutator.h"

#include <algorithm>
#include <iterator>

namespace campaign {
namespace {

// Containers keep their headers and stream tables in the first few kilobytes and many keep
// an index at the end (AVI's idx1, MP4's moov when not moved to the front, Matroska's cues).
constexpr size_t kHead = 4096;
constexpr size_t kTail = 2048;

size_t anywhere(Rng& rng, size_t size)
{
    return static_cast<size_t>(rng.below(size));
}

// An offset biased toward the header (half the time) and the trailing index (a tenth).
size_t biased(Rng& rng, size_t size)
{
    const uint64_t pick = rng.below(10);
    if (pick < 5)
        return static_cast<size_t>(rng.below(std::min(size, kHead)));
    if (pick == 5 && size > kTail)
        return size - 1 - static_cast<size_t>(rng.below(kTail));
    return anywhere(rng, size);
}

// A length of 1 to 2^14 bytes, small lengths as likely as large ones.
size_t rangeLength(Rng& rng)
{
    return 1 + static_cast<size_t>(rng.below(size_t{1} << rng.below(15)));
}

std::string flipBits(Bytes& b, Rng& rng)
{
    const int count = 1 + static_cast<int>(rng.below(16));
    const bool head = rng.chance(60);
    for (int i = 0; i < count; ++i) {
        const size_t at = head ? static_cast<size_t>(rng.below(std::min(b.size(), kHead)))
                               : anywhere(rng, b.size());
        b[at] ^= static_cast<uint8_t>(1u << rng.below(8));
    }
    return "flip" + std::to_string(count) + (head ? "@head" : "@any");
}

std::string truncate(Bytes& b, Rng& rng)
{
    const size_t size = rng.chance(40) ? static_cast<size_t>(rng.below(std::min(b.size(), kHead)))
                                       : anywhere(rng, b.size());
    b.resize(size);
    return "trunc@" + std::to_string(size);
}

std::string zeroRange(Bytes& b, Rng& rng)
{
    const size_t at = biased(rng, b.size());
    const size_t length = std::min(rangeLength(rng), b.size() - at);
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), length, uint8_t{0});
    return "zero" + std::to_string(length) + "@" + std::to_string(at);
}

std::string splice(Bytes& b, const Bytes& donor, Rng& rng)
{
    if (donor.empty())
        return zeroRange(b, rng);
    const size_t from = anywhere(rng, donor.size());
    const size_t at = biased(rng, b.size());
    const size_t length = std::min({16 + rangeLength(rng), donor.size() - from, b.size() - at});
    std::copy_n(donor.begin() + static_cast<std::ptrdiff_t>(from), length,
                b.begin() + static_cast<std::ptrdiff_t>(at));
    return "splice" + std::to_string(length) + "@" + std::to_string(at);
}

std::string insertRandom(Bytes& b, Rng& rng)
{
    const size_t at = biased(rng, b.size() + 1);
    const size_t length = 1 + static_cast<size_t>(rng.below(512));
    Bytes noise(length);
    for (uint8_t& v : noise)
        v = static_cast<uint8_t>(rng.next());
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), noise.begin(), noise.end());
    return "insert" + std::to_string(length) + "@" + std::to_string(at);
}

// Sizes, counts, offsets and time scales read from a header: the values that overflow,
// wrap, divide by zero or ask for huge allocations.
std::string extremeIntegers(Bytes& b, Rng& rng)
{
    static const uint64_t kValues[] = {0,
                                       1,
                                       0x7f,
                                       0x80,
                                       0xff,
                                       0x7fff,
                                       0x8000,
                                       0xffff,
                                       0x7fffffff,
                                       0x80000000,
                                       0xffffffff,
                                       0x7fffffffffffffff,
                                       0x8000000000000000,
                                       0xffffffffffffffff};
    static const size_t kWidths[] = {1, 2, 4, 8};
    const int count = 1 + static_cast<int>(rng.below(4));
    for (int i = 0; i < count; ++i) {
        const uint64_t value = kValues[rng.below(std::size(kValues))];
        const size_t width = kWidths[rng.below(std::size(kWidths))];
        const bool bigEndian = rng.chance(50);
        const size_t head = std::min(b.size(), rng.chance(70) ? size_t{512} : kHead);
        size_t at = rng.chance(85) || b.size() <= kTail
                        ? static_cast<size_t>(rng.below(head))
                        : b.size() - 1 - static_cast<size_t>(rng.below(kTail));
        at -= at % width;  // fields sit on their natural alignment more often than not
        for (size_t k = 0; k < width && at + k < b.size(); ++k) {
            const size_t shift = 8 * (bigEndian ? width - 1 - k : k);
            b[at + k] = static_cast<uint8_t>(value >> shift);
        }
    }
    return "ints" + std::to_string(count);
}

}  // namespace

uint64_t Rng::next()
{
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

Mutant mutate(const Bytes& original, const Bytes& donor, uint64_t seed, bool pristine)
{
    Mutant m{original, pristine ? "pristine" : ""};
    Rng rng(seed);
    const int steps = pristine ? 0 : 1 + static_cast<int>(rng.below(3));
    for (int i = 0; i < steps && !m.bytes.empty(); ++i) {
        std::string done;
        switch (rng.below(10)) {
        case 0:
        case 1:
            done = flipBits(m.bytes, rng);
            break;
        case 2:
            done = truncate(m.bytes, rng);
            break;
        case 3:
            done = zeroRange(m.bytes, rng);
            break;
        case 4:
        case 5:
            done = splice(m.bytes, donor, rng);
            break;
        case 6:
            done = insertRandom(m.bytes, rng);
            break;
        default:
            done = extremeIntegers(m.bytes, rng);
            break;
        }
        m.summary += (m.summary.empty() ? "" : " ") + done;
    }
    if (m.summary.empty())
        m.summary = "empty";
    return m;
}

}  // namespace campaign
