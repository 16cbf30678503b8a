#include "BitmapFile.h"

#include <QImage>
#include <QSaveFile>

#include <array>
#include <cstdint>
#include <cstring>

namespace bmp {
namespace {

// The 16 colours of the standard VGA palette, used for 4-bit files.
constexpr std::array<QRgb, 16> kVga16 = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
    0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
    0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

void put16(QByteArray& out, std::uint16_t v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
}

// The picture in the form its rows are copied from: BGR bytes for 24 bits, one colour index
// per byte for 4 and 8 bits, packed bits (most significant first) for 1 bit.
QImage sourceFor(const QImage& image, int bits)
{
    switch (bits) {
    case 24:
        return image.convertToFormat(QImage::Format_BGR888);
    case 8:
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    case 4:
        return image.convertToFormat(QImage::Format_Indexed8,
                                     QList<QRgb>(kVga16.begin(), kVga16.end()),
                                     Qt::ThresholdDither);
    default:
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    }
}

// One stored row from source row y.
void appendRow(QByteArray& out, const QImage& source, int bits, int y, int stride)
{
    const uchar* line = source.constScanLine(y);
    const int w = source.width();
    QByteArray row(stride, '\0');
    char* dst = row.data();
    if (bits == 4) {
        for (int x = 0; x < w; ++x) {
            const int nibble = line[x] & 0x0F;
            dst[x / 2] = static_cast<char>(dst[x / 2] | (x % 2 ? nibble : nibble << 4));
        }
    } else {
        const int used = (bits * w + 7) / 8;
        std::memcpy(dst, line, static_cast<size_t>(used));
    }
    out.append(row);
}

}  // namespace

int fileDepthFor(int displayDepth)
{
    if (displayDepth <= 1)
        return 1;
    if (displayDepth <= 4)
        return 4;
    if (displayDepth <= 8)
        return 8;
    return 24;
}

int rowBytes(int bitsPerPixel, int width)
{
    return ((bitsPerPixel * width + 31) / 32) * 4;
}

QByteArray encode(const QImage& image, int bits)
{
    if (image.isNull() || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return {};
    const QImage source = sourceFor(image, bits);
    const int w = source.width(), h = source.height();
    const int colours = bits <= 8 ? 1 << bits : 0;
    const std::uint32_t tableBytes = static_cast<std::uint32_t>(colours) * 4;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
    const int stride = rowBytes(bits, w);
    const std::uint32_t size = offset + static_cast<std::uint32_t>(stride) * static_cast<std::uint32_t>(h);

    QByteArray out;
    out.reserve(static_cast<qsizetype>(size));
    out.append("BM", 2);
    put32(out, size);
    put16(out, 0);
    put16(out, 0);
    put32(out, offset);

    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h));  // positive: the rows are stored bottom-up
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(bits));
    for (int field = 0; field < 6; ++field)     // compression, image size, resolutions, colours
        put32(out, 0);

    const QList<QRgb> table = source.colorTable();
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < table.size() ? table[i] : 0;
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    for (int y = h - 1; y >= 0; --y)
        appendRow(out, source, bits, y, stride);
    return out;
}

}  // namespace bmp

bool SaveBitmapFile(const QImage& bitmap, const QString& path, int displayDepth)
{
    const QByteArray bytes = bmp::encode(bitmap, bmp::fileDepthFor(displayDepth));
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
