// The resume points' list: what is remembered is found again after a restart, most recent
// first and at most 200; another file of the same name starts over; a damaged list or line is
// passed over; a list that cannot be written keeps its changes in memory.
#include "ResumePoints.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString write(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = QDir(dir.path()).filePath("points.txt");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
    return path;
}

}  // namespace

TEST(ResumePoints, RememberedPointsSurviveARestartAndTheSameNameWithAnotherSizeStartsOver)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = QDir(dir.path()).filePath("sub/points.txt");
    {
        ResumePoints points(file);
        points.load();
        EXPECT_EQ(points.count(), 0) << "no file yet";
        EXPECT_TRUE(points.remember("/films/a b\tc.mkv", 1000, 754));
        EXPECT_TRUE(points.remember(QString::fromUtf8("/films/Überfahrt.mp4"), 2000, 61));
        EXPECT_TRUE(points.remember("/films/a b\tc.mkv", 1000, 800)) << "updated, not added";
    }
    ResumePoints again(file);
    again.load();
    EXPECT_EQ(again.count(), 2);
    EXPECT_EQ(again.find("/films/a b\tc.mkv", 1000), 800);
    EXPECT_EQ(again.find(QString::fromUtf8("/films/Überfahrt.mp4"), 2000), 61);
    EXPECT_EQ(again.find("/films/a b\tc.mkv", 1001), std::nullopt) << "another file, same name";

    EXPECT_TRUE(again.forget("/films/a b\tc.mkv", 1000));
    EXPECT_TRUE(again.forget("/films/never.mkv", 5)) << "forgetting nothing is no failure";
    ResumePoints third(file);
    third.load();
    EXPECT_EQ(third.count(), 1);
    EXPECT_EQ(third.find("/films/a b\tc.mkv", 1000), std::nullopt);
}

TEST(ResumePoints, KeepsTheMostRecent200)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath("points.txt");
    ResumePoints points(file);
    for (int i = 0; i < ResumePoints::kCapacity + 5; ++i)
        points.remember(QStringLiteral("/v/%1.avi").arg(i), i, 100 + i);
    EXPECT_EQ(points.count(), ResumePoints::kCapacity);
    // Touching an old one makes it the most recent: the next addition drops another.
    points.remember("/v/5.avi", 5, 42);
    points.remember("/v/new.avi", 1, 10);
    ResumePoints again(file);
    again.load();
    EXPECT_EQ(again.count(), ResumePoints::kCapacity);
    EXPECT_EQ(again.find("/v/4.avi", 4), std::nullopt);
    EXPECT_EQ(again.find("/v/6.avi", 6), std::nullopt);
    EXPECT_EQ(again.find("/v/5.avi", 5), 42);
    EXPECT_EQ(again.find("/v/7.avi", 7), 107);
    EXPECT_EQ(again.find("/v/new.avi", 1), 10);
}

TEST(ResumePoints, DamagedListsAndLinesArePassedOver)
{
    QTemporaryDir dir;
    for (const QByteArray& text :
         {QByteArray(), QByteArray("\0\0\0\xff", 4), QByteArray("12\t100\t/v/a.avi\n"),
          QByteArray("VelmoraPlayer resume points 2\n12\t100\t/v/a.avi\n")}) {
        ResumePoints points(write(dir, text));
        points.load();
        EXPECT_EQ(points.count(), 0) << text.toStdString();
    }
    ResumePoints points(write(dir, "VelmoraPlayer resume points 1\n"
                                   "12\t100\t/v/good.avi\n"
                                   "x\t100\t/v/bad-seconds.avi\n"
                                   "12\tlots\t/v/bad-size.avi\n"
                                   "-4\t100\t/v/negative.avi\n"
                                   "12\t100\n"
                                   "\n"
                                   "12\t100\t/v/good.avi\n"
                                   "30\t7\t/v/last.avi"));
    points.load();
    EXPECT_EQ(points.count(), 2);
    EXPECT_EQ(points.find("/v/good.avi", 100), 12);
    EXPECT_EQ(points.find("/v/last.avi", 7), 30) << "a last line without its newline";
}

TEST(ResumePoints, NamesALineCannotHoldAreNotRemembered)
{
    ResumePoints points;  // in memory only
    EXPECT_TRUE(points.remember("/v/two\nlines.avi", 1, 50));
    EXPECT_TRUE(points.remember("/v/trailing.avi ", 1, 50));
    EXPECT_TRUE(points.remember("", 1, 50));
    EXPECT_EQ(points.count(), 0);
    EXPECT_TRUE(points.remember("/v/zero.avi", 1, 0));
    EXPECT_EQ(points.count(), 0) << "the start is no point to resume from";
}

TEST(ResumePoints, AListThatCannotBeWrittenKeepsItsChangesInMemory)
{
    QTemporaryDir dir;
    // A folder where the file should be: nothing can be written there.
    const QString file = QDir(dir.path()).filePath("points.txt");
    ASSERT_TRUE(QDir().mkpath(file));
    ResumePoints points(file);
    points.load();
    EXPECT_FALSE(points.remember("/v/a.avi", 1, 50));
    EXPECT_EQ(points.find("/v/a.avi", 1), 50);
    EXPECT_TRUE(QFileInfo(file).isDir()) << "the folder is left as it was";
}
