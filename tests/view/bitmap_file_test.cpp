// The bitmap writer byte by byte: header fields and sizes, row padding, bottom-up rows in
// blue-green-red order, the depth taken from the display with its colour tables, and writes
// that fail without touching anything.
#include "BitmapFile.h"
#include "BitmapReader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage filled(int w, int h, QColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

TEST(BitmapFile, A640By400PictureOnA32BitDisplayIs768054Bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shot.bmp"));
    ASSERT_TRUE(SaveBitmapFile(filled(640, 400, QColor(10, 20, 30)), path, 32));
    const BitmapBytes file = BitmapBytes::read(path);
    ASSERT_EQ(file.bytes.size(), 768054);
    const unsigned char header[54] = {
        'B', 'M', 0x36, 0xB8, 0x0B, 0x00,  // size 768 054
        0, 0, 0, 0,                        // reserved
        54, 0, 0, 0,                       // pixels at 54
        40, 0, 0, 0,                       // information header size
        0x80, 0x02, 0, 0,                  // width 640
        0x90, 0x01, 0, 0,                  // height 400, bottom-up
        1, 0, 24, 0,                       // planes, bits per pixel
        0, 0, 0, 0, 0, 0, 0, 0,            // no compression, image size 0
        0, 0, 0, 0, 0, 0, 0, 0,            // resolutions
        0, 0, 0, 0, 0, 0, 0, 0};           // colours used, important
    for (int i = 0; i < 54; ++i)
        EXPECT_EQ(file.byte(i), header[i]) << "byte " << i;
    EXPECT_EQ(file.byte(54), 30);  // blue, green, red
    EXPECT_EQ(file.byte(55), 20);
    EXPECT_EQ(file.byte(56), 10);
}

TEST(BitmapFile, RowsArePaddedToFourBytesAndRunBottomUpInBlueGreenRedOrder)
{
    EXPECT_EQ(bmp::rowBytes(24, 641), 1924);
    EXPECT_EQ(bmp::rowBytes(24, 640), 1920);
    EXPECT_EQ(bmp::rowBytes(24, 1), 4);

    // Top row red then green, bottom row blue then white; 2 pixels = 6 bytes + 2 padding.
    QImage img(2, 2, QImage::Format_RGB32);
    img.setPixelColor(0, 0, Qt::red);
    img.setPixelColor(1, 0, Qt::green);
    img.setPixelColor(0, 1, Qt::blue);
    img.setPixelColor(1, 1, Qt::white);
    const QByteArray bytes = bmp::encode(img, 24);
    ASSERT_EQ(bytes.size(), 54 + 2 * 8);
    const QByteArray pixels = bytes.mid(54);
    EXPECT_EQ(pixels, QByteArray::fromHex("ff0000ffffff0000"   // bottom: blue, white
                                          "0000ff00ff000000")); // top: red, green

}

TEST(BitmapFile, TheDepthFollowsTheDisplayWithAColourTableUpTo8Bits)
{
    const std::pair<int, int> depths[] = {{1, 1}, {2, 4}, {4, 4},   {5, 8},
                                          {8, 8}, {15, 24}, {16, 24}, {24, 24}, {32, 24}};
    for (const auto& [display, file] : depths)
        EXPECT_EQ(bmp::fileDepthFor(display), file) << display;

    // Left half black, right half white: every depth keeps the two apart.
    QImage img(33, 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    for (int y = 0; y < 2; ++y)
        for (int x = 17; x < 33; ++x)
            img.setPixelColor(x, y, Qt::white);
    struct Expected {
        int bits, tableBytes, stride;
    };
    for (const Expected e : {Expected{8, 1024, 36}, Expected{4, 64, 20}, Expected{1, 8, 8}}) {
        const BitmapBytes file{bmp::encode(img, e.bits)};
        const int offset = 54 + e.tableBytes;
        ASSERT_EQ(file.bytes.size(), offset + 2 * e.stride) << e.bits;
        EXPECT_EQ(file.fileSize(), static_cast<unsigned>(offset + 2 * e.stride));
        EXPECT_EQ(file.pixelOffset(), static_cast<unsigned>(offset));
        EXPECT_EQ(file.bits(), e.bits);
        // The colour of pixel x of the bottom row, through the colour table.
        auto colourAt = [&](int x) {
            const int bit = x * e.bits;
            const int value = (file.byte(offset + bit / 8) >> (8 - e.bits - bit % 8)) & ((1 << e.bits) - 1);
            const int entry = 54 + value * 4;
            return QColor(file.byte(entry + 2), file.byte(entry + 1), file.byte(entry));
        };
        EXPECT_EQ(colourAt(0), QColor(Qt::black)) << e.bits;
        EXPECT_EQ(colourAt(16), QColor(Qt::black)) << e.bits;
        EXPECT_EQ(colourAt(17), QColor(Qt::white)) << e.bits;
        EXPECT_EQ(colourAt(32), QColor(Qt::white)) << e.bits;
    }
    EXPECT_TRUE(bmp::encode(QImage(), 24).isEmpty());
    EXPECT_TRUE(bmp::encode(img, 16).isEmpty());
}

TEST(BitmapFile, AFailedWriteTouchesNothing)
{
    QTemporaryDir dir;
    const QImage img = filled(4, 4, Qt::gray);
    // No such folder.
    EXPECT_FALSE(SaveBitmapFile(img, dir.filePath(QStringLiteral("missing/shot.bmp")), 24));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    // A folder by the file's name, with something in it.
    const QString taken = dir.filePath(QStringLiteral("shot.bmp"));
    ASSERT_TRUE(QDir().mkpath(taken));
    QFile inside(taken + QStringLiteral("/keep.txt"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("keep");
    inside.close();
    EXPECT_FALSE(SaveBitmapFile(img, taken, 24));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("shot.bmp")});
    ASSERT_TRUE(inside.open(QIODevice::ReadOnly));
    EXPECT_EQ(inside.readAll(), "keep");
    // Nothing to write.
    EXPECT_FALSE(SaveBitmapFile(QImage(), dir.filePath(QStringLiteral("empty.bmp")), 24));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.bmp"))));

    // An existing file is replaced whole.
    const QString path = dir.filePath(QStringLiteral("again.bmp"));
    ASSERT_TRUE(SaveBitmapFile(filled(64, 64, Qt::red), path, 24));
    ASSERT_TRUE(SaveBitmapFile(img, path, 24));
    EXPECT_EQ(QFileInfo(path).size(), 54 + 4 * 12);
}

}  // namespace
