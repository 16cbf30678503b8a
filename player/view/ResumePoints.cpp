#include "ResumePoints.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// First line of the file; the lines after it are "seconds<TAB>size<TAB>path".
constexpr char kHeader[] = "VelmoraPlayer resume points 1";
// A list longer than this is not one of ours.
constexpr qint64 kMostBytes = 4 * 1024 * 1024;

}  // namespace

ResumePoints::ResumePoints(QString file) : file_(std::move(file)) {}

void ResumePoints::load()
{
    points_.clear();
    QFile in(file_);
    if (file_.isEmpty() || in.size() > kMostBytes || !in.open(QIODevice::ReadOnly))
        return;
    if (in.readLine().trimmed() != kHeader)
        return;
    while (!in.atEnd() && points_.size() < kCapacity) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        const qsizetype first = line.indexOf(QLatin1Char('\t'));
        const qsizetype second = line.indexOf(QLatin1Char('\t'), first + 1);
        if (first <= 0 || second <= first + 1 || second + 1 >= line.size())
            continue;
        bool secondsOk = false, sizeOk = false;
        Point p;
        p.seconds = line.left(first).toInt(&secondsOk);
        p.size = line.mid(first + 1, second - first - 1).toLongLong(&sizeOk);
        p.path = line.mid(second + 1);
        if (secondsOk && sizeOk && p.seconds > 0 && p.size >= 0 && indexOf(p.path, p.size) < 0)
            points_.push_back(p);
    }
}

int ResumePoints::indexOf(const QString& path, qint64 size) const
{
    for (int i = 0; i < points_.size(); ++i)
        if (points_[i].size == size && points_[i].path == path)
            return i;
    return -1;
}

std::optional<int> ResumePoints::find(const QString& path, qint64 size) const
{
    const int i = indexOf(path, size);
    if (i < 0)
        return std::nullopt;
    return points_[i].seconds;
}

bool ResumePoints::remember(const QString& path, qint64 size, int seconds)
{
    // A name that a line cannot hold is not remembered.
    if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')) ||
        path.trimmed() != path || seconds <= 0)
        return forget(path, size);
    const int i = indexOf(path, size);
    if (i >= 0)
        points_.removeAt(i);
    points_.prepend(Point{path, size, seconds});
    while (points_.size() > kCapacity)
        points_.removeLast();
    return save();
}

bool ResumePoints::forget(const QString& path, qint64 size)
{
    const int i = indexOf(path, size);
    if (i < 0)
        return true;
    points_.removeAt(i);
    return save();
}

bool ResumePoints::save() const
{
    if (file_.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile out(file_);
    // Written whole or not at all: no direct write when the temporary file cannot be made.
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = QByteArray(kHeader) + '\n';
    for (const Point& p : points_)
        text += QByteArray::number(p.seconds) + '\t' + QByteArray::number(p.size) + '\t' +
                p.path.toUtf8() + '\n';
    return out.write(text) == text.size() && out.flush() && out.commit();
}
