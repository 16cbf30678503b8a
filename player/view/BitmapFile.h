// SaveBitmapFile: writes a picture as an uncompressed Windows bitmap (.bmp) file.
//
// Layout: a 14-byte file header ("BM", file size, two zero reserved words, offset of the
// pixels), a 40-byte information header (size 40, width, positive height, 1 plane, the bits
// per pixel, no compression, zero image size, resolutions and colour counts), for 8 bits per
// pixel or fewer a colour table of 2^bits entries (blue, green, red, 0), then the rows from the
// picture's bottom to its top, each padded with zeros to a multiple of 4 bytes. All numbers
// are little-endian.
#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace bmp {

inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;

// Bits per pixel of the file for a display of `displayDepth` bits (bits per pixel times
// planes): 1, 4 and 8 for displays of at most that many bits, 24 for anything deeper (a
// 32-bit display gives 24-bit files).
int fileDepthFor(int displayDepth);

// Bytes in one stored row: ((bits * width + 31) / 32) * 4.
int rowBytes(int bitsPerPixel, int width);

// The whole file for `image` at `bitsPerPixel` (1, 4, 8 or 24). Pictures of 8 bits or fewer
// are reduced to their colour table first. Empty for a null image or another depth.
QByteArray encode(const QImage& image, int bitsPerPixel);

}  // namespace bmp

// Writes `bitmap` to `path` at the depth that fileDepthFor(displayDepth) gives. The file is
// written beside its final name and put in place whole, so an existing file of that name is
// replaced only by a complete new one. False when nothing could be written (a missing or
// read-only folder, a folder of that name, a full disk); nothing else is touched then.
bool SaveBitmapFile(const QImage& bitmap, const QString& path, int displayDepth);
