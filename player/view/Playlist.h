// Playlist: the files Next and Previous go through, and the one that plays after the current
// one ends. Several files given together (the command line, a drop) are the playlist as
// given. Any other file that opens makes the media files of its folder the playlist, in
// natural order: "clip2" before "clip10", letters compared without case. Pure data: no
// widget, no playback; the view opens what it hands out.
#pragma once

#include <QString>
#include <QStringList>

class Playlist {
public:
    // The files as given (absolute paths, duplicates dropped); the first is current.
    void setFiles(const QStringList& paths);
    // path was opened: it becomes current. A path outside a given list, or any path while the
    // playlist is a folder's, reads that folder again (files come and go there).
    void follow(const QString& path);

    // The neighbour of the current file; empty at either end and for an empty playlist.
    QString next() const;
    QString previous() const;

    const QStringList& files() const { return files_; }
    int currentIndex() const { return current_; }
    bool isFolder() const { return fromFolder_; }

    // Whether the folder playlist takes a file of this name: by its extension, known video,
    // audio and container types.
    static bool isMediaName(const QString& fileName);
    // The natural order of two file names: negative, zero or positive.
    static int naturalCompare(const QString& a, const QString& b);
    // The media files in path's folder, path itself among them whatever its name, in natural
    // order. Only path when the folder cannot be read.
    static QStringList folderFiles(const QString& path);

private:
    QStringList files_;
    int current_ = -1;
    bool fromFolder_ = false;
};
