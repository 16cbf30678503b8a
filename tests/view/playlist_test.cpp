// The playlist: natural order, which files of a folder it takes, a given list, and the
// neighbours at its ends.
#include "Playlist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void touch(const QDir& dir, const QString& name)
{
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
}

QStringList names(const QStringList& paths)
{
    QStringList list;
    for (const QString& path : paths)
        list << QFileInfo(path).fileName();
    return list;
}

}  // namespace

TEST(Playlist, NaturalOrderCountsNumbersByValueAndLettersWithoutCase)
{
    QStringList files = {"Clip10.mkv", "clip2.mkv", "clip1.mkv", "b.mkv", "A.mkv",
                         "clip02b.mkv", "clip 3.mkv", "Ep.9.mkv", "ep.10.mkv"};
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return Playlist::naturalCompare(a, b) < 0;
    });
    EXPECT_EQ(files, QStringList({"A.mkv", "b.mkv", "clip 3.mkv", "clip1.mkv", "clip2.mkv",
                                  "clip02b.mkv", "Clip10.mkv", "Ep.9.mkv", "ep.10.mkv"}));
    // Numbers longer than any integer still compare, and equal names order the same way
    // every time.
    EXPECT_LT(Playlist::naturalCompare("x99999999999999999999", "x100000000000000000000"), 0);
    EXPECT_EQ(Playlist::naturalCompare("same.avi", "same.avi"), 0);
    EXPECT_NE(Playlist::naturalCompare("a7.avi", "a07.avi"), 0);
    EXPECT_EQ(Playlist::naturalCompare("a7.avi", "a07.avi"),
              -Playlist::naturalCompare("a07.avi", "a7.avi"));
}

// The folder's media files by extension, in any case; the opened file whatever its name;
// neither folders nor other files.
TEST(Playlist, AFolderGivesItsMediaFilesAndTheOpenedOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir folder(dir.path());
    for (const char* name : {"part10.mp4", "part2.MKV", "song.mp3", "notes.txt", "cover.jpg",
                             "part1.srt", "odd.bin", "noextension"})
        touch(folder, name);
    ASSERT_TRUE(folder.mkdir("season2.mkv"));

    EXPECT_EQ(names(Playlist::folderFiles(folder.filePath("part2.MKV"))),
              QStringList({"part2.MKV", "part10.mp4", "song.mp3"}));
    EXPECT_EQ(names(Playlist::folderFiles(folder.filePath("odd.bin"))),
              QStringList({"odd.bin", "part2.MKV", "part10.mp4", "song.mp3"}));
    // A file gone meanwhile, in a folder gone too: the file alone.
    EXPECT_EQ(Playlist::folderFiles("/nonexistent-folder/a.avi"),
              QStringList({"/nonexistent-folder/a.avi"}));
}

TEST(Playlist, FollowsTheOpenedFileAndStopsAtTheEnds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir folder(dir.path());
    for (const char* name : {"a1.avi", "a2.avi", "a3.avi"})
        touch(folder, name);

    Playlist list;
    EXPECT_TRUE(list.next().isEmpty());
    EXPECT_TRUE(list.previous().isEmpty());

    list.follow(folder.filePath("a2.avi"));
    EXPECT_TRUE(list.isFolder());
    EXPECT_EQ(list.previous(), folder.filePath("a1.avi"));
    EXPECT_EQ(list.next(), folder.filePath("a3.avi"));
    // A file that came since is found at the next open.
    touch(folder, "a4.avi");
    list.follow(folder.filePath("a3.avi"));
    EXPECT_EQ(list.next(), folder.filePath("a4.avi"));
    list.follow(folder.filePath("a4.avi"));
    EXPECT_TRUE(list.next().isEmpty());

    // A given list keeps its order and its files only; a file outside it turns the playlist
    // into that file's folder.
    list.setFiles({folder.filePath("a3.avi"), folder.filePath("a1.avi"), folder.filePath("a3.avi")});
    EXPECT_FALSE(list.isFolder());
    EXPECT_EQ(names(list.files()), QStringList({"a3.avi", "a1.avi"}));
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(list.next(), folder.filePath("a1.avi"));
    list.follow(folder.filePath("a1.avi"));
    EXPECT_TRUE(list.next().isEmpty());
    EXPECT_EQ(list.previous(), folder.filePath("a3.avi"));
    list.follow(folder.filePath("a2.avi"));
    EXPECT_TRUE(list.isFolder());
    EXPECT_EQ(list.files().size(), 4);
}
