#include "Snapshot.h"

#include <cstddef>
#include <cstring>

namespace framelift {
namespace {

void putLe32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

void putLe16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

int32_t dibRowBytes(int32_t width)
{
    return (width * 3 + 3) & ~3;
}

std::vector<uint8_t> encodeBottomUpDib(const uint8_t* top, int32_t stride, int32_t width,
                                       int32_t height)
{
    if (!top || width <= 0 || height <= 0)
        return {};
    const int32_t rowBytes = dibRowBytes(width);
    const size_t imageBytes = static_cast<size_t>(rowBytes) * height;
    std::vector<uint8_t> dib(kDibHeaderBytes + imageBytes, 0);
    uint8_t* h = dib.data();
    putLe32(h + 0, kDibHeaderBytes);                       // biSize
    putLe32(h + 4, static_cast<uint32_t>(width));          // biWidth
    putLe32(h + 8, static_cast<uint32_t>(height));         // biHeight > 0: bottom-up
    putLe16(h + 12, 1);                                    // biPlanes
    putLe16(h + 14, 24);                                   // biBitCount
    putLe32(h + 16, 0);                                    // biCompression: BI_RGB
    putLe32(h + 20, static_cast<uint32_t>(imageBytes));    // biSizeImage
    uint8_t* rows = h + kDibHeaderBytes;
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* src = top + static_cast<ptrdiff_t>(height - 1 - r) * stride;
        std::memcpy(rows + static_cast<size_t>(r) * rowBytes, src, static_cast<size_t>(width) * 3);
    }
    return dib;
}

}  // namespace framelift
