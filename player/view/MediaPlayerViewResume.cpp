// CBCGPMediaPlayerView's resume points: the position of the file that plays is remembered when
// it is left, and an open of that file goes on from there.
#include "MediaPlayerView.h"

#include "AppState.h"
#include "Transport.h"

#include <QFileInfo>

#include <algorithm>

namespace {

struct FileKey {
    QString path;
    qint64 size = -1;
};

FileKey keyFor(const std::string& path)
{
    if (path.empty())
        return {};
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile())
        return {};
    return {file.absoluteFilePath(), file.size()};
}

}  // namespace

void CBCGPMediaPlayerView::SetResumeFile(const QString& file)
{
    resumePoints_ = ResumePoints(file);
    resumePoints_.load();
}

void CBCGPMediaPlayerView::RememberPosition()
{
    const Transport& t = *transport_;
    // While an open is under way the current path may already name the next file.
    if (!resumeEnabled_ || !t.isMediaActive() || t.isOpening() ||
        t.playState() == PlayState::NoVideo)
        return;
    const FileKey key = keyFor(app_.currentMediaPath);
    if (key.path.isEmpty())
        return;
    const int seconds = t.positionSeconds();
    const int total = app_.mediaDurationMs / 1000;
    const bool nearStart = seconds < kResumeMarginSeconds;
    const bool nearEnd = total > 0 && seconds > total - kResumeMarginSeconds;
    if (nearStart || nearEnd)
        resumePoints_.forget(key.path, key.size);
    else
        resumePoints_.remember(key.path, key.size, seconds);
}

void CBCGPMediaPlayerView::forgetPosition()
{
    const FileKey key = keyFor(app_.currentMediaPath);
    if (!key.path.isEmpty())
        resumePoints_.forget(key.path, key.size);
}

void CBCGPMediaPlayerView::continueFromPoint()
{
    if (!resumeEnabled_)
        return;
    const FileKey key = keyFor(app_.currentMediaPath);
    const std::optional<int> point =
        key.path.isEmpty() ? std::nullopt : resumePoints_.find(key.path, key.size);
    if (!point)
        return;
    const int seconds = std::max(0, *point - kResumeLeadSeconds);
    if (seconds == 0)
        return;
    transport_->seekBy(seconds);
    emit continuedFrom(seconds);
}
