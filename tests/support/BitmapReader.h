// Reads back the fields and pixels of a BMP file that the tests made, straight from its bytes.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QString>

#include <cstdint>

struct BitmapBytes {
    QByteArray bytes;

    static BitmapBytes read(const QString& path)
    {
        QFile file(path);
        BitmapBytes b;
        if (file.open(QIODevice::ReadOnly))
            b.bytes = file.readAll();
        return b;
    }

    std::uint32_t u32(int at) const
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i]);
        return v;
    }
    std::uint16_t u16(int at) const
    {
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                          static_cast<std::uint8_t>(bytes[at + 1]) << 8);
    }
    std::uint8_t byte(int at) const { return static_cast<std::uint8_t>(bytes[at]); }

    // File header.
    std::uint32_t fileSize() const { return u32(2); }
    std::uint32_t pixelOffset() const { return u32(10); }
    // Information header.
    int width() const { return static_cast<std::int32_t>(u32(18)); }
    int height() const { return static_cast<std::int32_t>(u32(22)); }
    int bits() const { return u16(28); }
    int stride() const { return ((bits() * width() + 31) / 32) * 4; }

    // Offset of pixel (x, y) of a 24-bit file, y counted from the picture's top.
    int offsetOf(int x, int y) const
    {
        return static_cast<int>(pixelOffset()) + (height() - 1 - y) * stride() + x * 3;
    }
    QColor pixel(int x, int y) const
    {
        const int at = offsetOf(x, y);
        return QColor(byte(at + 2), byte(at + 1), byte(at));
    }
};
