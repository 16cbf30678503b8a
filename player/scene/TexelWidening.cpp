#include "TexelWidening.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VELMORA_WIDEN_SSSE3 1
#endif

namespace scene {
namespace {

void widenPixels(const uint8_t* bgr, uint8_t* bgra, int width)
{
    for (int i = 0; i < width; ++i, bgr += 3, bgra += 4) {
        bgra[0] = bgr[0];
        bgra[1] = bgr[1];
        bgra[2] = bgr[2];
        bgra[3] = 0xFF;
    }
}

#ifdef VELMORA_WIDEN_SSSE3
// Four pixels a step: a 16-byte load holds them in its first 12 bytes, one shuffle spreads
// them to four texels and the alpha goes in. The load reaches 4 bytes past the fourth pixel,
// so the last pixels of a row (at least two, at most five) go one by one.
__attribute__((target("ssse3"))) void widenShuffled(const uint8_t* bgr, uint8_t* bgra, int width)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 6 <= width; i += 4, bgr += 12, bgra += 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgra),
                         _mm_or_si128(_mm_shuffle_epi8(in, spread), opaque));
    }
    widenPixels(bgr, bgra, width - i);
}

bool hasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#endif

}  // namespace

void widenBgrToBgra(const uint8_t* src, long srcRowBytes, uint8_t* dst, int width, int height)
{
    const long dstRowBytes = 4L * width;
    for (int row = 0; row < height; ++row, src += srcRowBytes, dst += dstRowBytes) {
#ifdef VELMORA_WIDEN_SSSE3
        if (hasSsse3()) {
            widenShuffled(src, dst, width);
            continue;
        }
#endif
        widenPixels(src, dst, width);
    }
}

}  // namespace scene
