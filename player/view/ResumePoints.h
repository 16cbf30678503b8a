// ResumePoints: where the user left the files they watched, so that opening one again goes on
// from there. At most kCapacity files, the most recent first, each known by its absolute path
// and its size in bytes: a file replaced by another of the same name starts from the
// beginning. Kept in a small UTF-8 text file that is read once and written again after every
// change (through a temporary file, so a full disk or a killed program leaves the old list);
// a damaged line is passed over, a damaged file gives an empty list. Pure data, UI thread.
#pragma once

#include <QString>
#include <QVector>

#include <optional>

class ResumePoints {
public:
    static constexpr int kCapacity = 200;

    // file is where the list is kept; empty keeps it in memory only.
    explicit ResumePoints(QString file = {});

    // Reads the list from the file; a missing or unreadable file gives an empty list.
    void load();
    const QString& fileName() const { return file_; }

    // The position remembered for the file, in seconds.
    std::optional<int> find(const QString& path, qint64 size) const;
    // The file's position becomes the most recent; the oldest beyond kCapacity is dropped.
    // False when the list could not be written (it still holds the change).
    bool remember(const QString& path, qint64 size, int seconds);
    // Drops the file's position (it was played to its end, or from its start).
    bool forget(const QString& path, qint64 size);

    int count() const { return static_cast<int>(points_.size()); }

private:
    struct Point {
        QString path;
        qint64 size = 0;
        int seconds = 0;
    };
    int indexOf(const QString& path, qint64 size) const;
    bool save() const;

    QString file_;
    QVector<Point> points_;
};
