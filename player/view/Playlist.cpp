#include "Playlist.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

const QSet<QString>& mediaSuffixes()
{
    static const QSet<QString> suffixes = {
        // video and containers
        QStringLiteral("3g2"), QStringLiteral("3gp"), QStringLiteral("asf"),
        QStringLiteral("avi"), QStringLiteral("divx"), QStringLiteral("dv"),
        QStringLiteral("flv"), QStringLiteral("m2ts"), QStringLiteral("m2v"),
        QStringLiteral("m4v"), QStringLiteral("mkv"), QStringLiteral("mov"),
        QStringLiteral("mp4"), QStringLiteral("mpe"), QStringLiteral("mpeg"),
        QStringLiteral("mpg"), QStringLiteral("mts"), QStringLiteral("mxf"),
        QStringLiteral("nut"), QStringLiteral("ogm"), QStringLiteral("ogv"),
        QStringLiteral("qt"), QStringLiteral("rm"), QStringLiteral("rmvb"),
        QStringLiteral("ts"), QStringLiteral("vob"), QStringLiteral("webm"),
        QStringLiteral("wmv"), QStringLiteral("y4m"),
        // sound
        QStringLiteral("aac"), QStringLiteral("ac3"), QStringLiteral("flac"),
        QStringLiteral("m4a"), QStringLiteral("mka"), QStringLiteral("mp3"),
        QStringLiteral("oga"), QStringLiteral("ogg"), QStringLiteral("opus"),
        QStringLiteral("wav"), QStringLiteral("wma"),
    };
    return suffixes;
}

// The run of digits that starts at i.
QStringView digitsAt(const QString& s, qsizetype i)
{
    qsizetype end = i;
    while (end < s.size() && s.at(end).isDigit())
        ++end;
    return QStringView(s).mid(i, end - i);
}

// Two runs of digits by their value: leading zeros do not count, then the longer is larger.
int compareNumbers(QStringView a, QStringView b)
{
    const auto strip = [](QStringView v) {
        qsizetype zeros = 0;
        while (zeros + 1 < v.size() && v.at(zeros) == u'0')
            ++zeros;
        return v.mid(zeros);
    };
    const QStringView x = strip(a);
    const QStringView y = strip(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

}  // namespace

bool Playlist::isMediaName(const QString& fileName)
{
    return mediaSuffixes().contains(QFileInfo(fileName).suffix().toLower());
}

int Playlist::naturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            const QStringView x = digitsAt(a, i);
            const QStringView y = digitsAt(b, j);
            if (const int order = compareNumbers(x, y))
                return order;
            i += x.size();
            j += y.size();
            continue;
        }
        const QChar x = a.at(i).toCaseFolded();
        const QChar y = b.at(j).toCaseFolded();
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal but for case or leading zeros: a fixed order all the same.
    return a.compare(b);
}

QStringList Playlist::folderFiles(const QString& path)
{
    const QFileInfo opened(path);
    const QDir folder = opened.absoluteDir();
    QStringList names = folder.entryList(QDir::Files | QDir::Readable);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const QString& name) {
                                   return name != opened.fileName() && !isMediaName(name);
                               }),
                names.end());
    if (!names.contains(opened.fileName()))
        names.append(opened.fileName());
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return naturalCompare(a, b) < 0; });
    QStringList files;
    files.reserve(names.size());
    for (const QString& name : names)
        files.append(folder.absoluteFilePath(name));
    return files;
}

void Playlist::setFiles(const QStringList& paths)
{
    files_.clear();
    for (const QString& path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!files_.contains(absolute))
            files_.append(absolute);
    }
    fromFolder_ = false;
    current_ = files_.isEmpty() ? -1 : 0;
}

void Playlist::follow(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!fromFolder_) {
        const qsizetype index = files_.indexOf(absolute);
        if (index >= 0) {
            current_ = static_cast<int>(index);
            return;
        }
    }
    files_ = folderFiles(absolute);
    fromFolder_ = true;
    current_ = static_cast<int>(files_.indexOf(absolute));
}

QString Playlist::next() const
{
    if (current_ < 0 || current_ + 1 >= files_.size())
        return {};
    return files_.at(current_ + 1);
}

QString Playlist::previous() const
{
    if (current_ <= 0)
        return {};
    return files_.at(current_ - 1);
}
