// lang.dat: four little-endian bytes; a missing, short, empty or out-of-range file reads as
// absent; writing replaces the file whole.
#include "LanguageFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class LanguageFileTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString path() const { return folder() + QStringLiteral("lang.dat"); }
    void store(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray stored() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(LanguageFileTest, WritesFourLittleEndianBytes)
{
    ASSERT_TRUE(langfile::write(folder(), 1));
    EXPECT_EQ(stored(), QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_EQ(langfile::read(folder()), 1);
    // A later write replaces the whole file.
    store(QByteArray("\x05\x00\x00\x00trailing", 12));
    ASSERT_TRUE(langfile::write(folder(), 3));
    EXPECT_EQ(stored(), QByteArray("\x03\x00\x00\x00", 4));
}

TEST_F(LanguageFileTest, MissingShortEmptyAndOutOfRangeFilesReadAsAbsent)
{
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray());
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray("\x01", 1));
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray("\x01\x00\x00", 3));
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray("\x06\x00\x00\x00", 4));
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray("\xff\xff\xff\xff", 4));  // -1
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray("\x00\x00\x00\x01", 4));  // 0x01000000: the bytes are little-endian
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
    store(QByteArray("\x05\x00\x00\x00", 4));
    EXPECT_EQ(langfile::read(folder()), 5);
    store(QByteArray("\x00\x00\x00\x00", 4));
    EXPECT_EQ(langfile::read(folder()), 0);
}

TEST_F(LanguageFileTest, UnwritablePlaceFailsQuietly)
{
    EXPECT_FALSE(langfile::write(folder() + QStringLiteral("missing/"), 2));
    // A folder where the file should be can be neither written nor read as a language.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("lang.dat")));
    EXPECT_FALSE(langfile::write(folder(), 2));
    EXPECT_EQ(langfile::read(folder()), std::nullopt);
}
