#include "FileDropOpener.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMimeDatabase>
#include <QUrl>
#include <QWidget>

namespace {

// Types the player opens that do not say "video/".
bool isPlayableType(const QMimeType& type)
{
    if (type.name().startsWith(QLatin1String("video/")))
        return true;
    for (const char* name : {"application/vnd.rn-realmedia", "application/ogg"})
        if (type.inherits(QLatin1String(name)))
            return true;
    return false;
}

QString localVideo(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    const QFileInfo file(url.toLocalFile());
    if (!file.isFile())
        return {};
    if (!isPlayableType(QMimeDatabase().mimeTypeForFile(file)))
        return {};
    return file.absoluteFilePath();
}

}  // namespace

FileDropOpener::FileDropOpener(QWidget& window, Open open)
    : QObject(&window), window_(window), open_(std::move(open))
{
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
}

QStringList FileDropOpener::droppedVideos(const QMimeData* data)
{
    QStringList videos;
    if (!data)
        return videos;
    if (data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            const QString video = localVideo(url);
            if (!video.isEmpty())
                videos.append(video);
        }
        return videos;
    }
    if (data->hasText()) {
        const QString text = data->text().trimmed();
        if (text.startsWith(QLatin1String("file://"))) {
            const QString video = localVideo(QUrl(text));
            if (!video.isEmpty())
                videos.append(video);
        }
    }
    return videos;
}

bool FileDropOpener::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (droppedVideos(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = droppedVideos(drop->mimeData());
        if (paths.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        open_(paths);
        return true;
    }
    default:
        return false;
    }
}
