// CBCGPMediaPlayerView's playlist: several files opened at once, the neighbours of the
// current file, Back and Forward at the media's ends and the next file at the end, passing
// over the files that cannot be played.
#include "MediaPlayerView.h"

#include "AppState.h"
#include "Transport.h"

#include <utility>

void CBCGPMediaPlayerView::OpenMediaPaths(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    playlist_.setFiles(paths);
    OpenMediaPath(playlist_.files().constFirst());
}

bool CBCGPMediaPlayerView::PlayNext() { return playNeighbour(playlist_.next()); }

bool CBCGPMediaPlayerView::PlayPrevious() { return playNeighbour(playlist_.previous()); }

bool CBCGPMediaPlayerView::playNeighbour(const QString& path)
{
    if (path.isEmpty() || transport_->isOpening())
        return false;
    OpenMediaPath(path);
    return true;
}

void CBCGPMediaPlayerView::stepBack()
{
    Transport& t = *transport_;
    if (t.isOpening() || t.back())
        return;
    // Within the first step: the start, or from the start the previous file.
    if (t.isMediaActive() && t.positionSeconds() > kRestartSeconds)
        t.seekToStart();
    else if (!PlayPrevious())
        t.seekToStart();
}

void CBCGPMediaPlayerView::stepForward()
{
    Transport& t = *transport_;
    if (t.isOpening() || t.forward() || PlayNext())
        return;
    // The last file, within a step of its end: to the end, which the clock then closes as at
    // the end of the media. An unknown duration has no end to go to.
    if (app_.mediaDurationMs >= 1000)
        t.seekBy(app_.mediaDurationMs / 1000);
}

void CBCGPMediaPlayerView::playNextAfterEnd()
{
    if (playNextAtEnd_ && !transport_->isMediaActive() && PlayNext())
        advancing_ = true;
}

bool CBCGPMediaPlayerView::skipAfterFailure()
{
    if (!std::exchange(advancing_, false))
        return false;
    // Going through the playlist by itself, the player passes over a file it cannot play, as
    // other players do, and says so over the picture instead of stopping at a message box.
    emit fileSkipped(QString::fromStdString(app_.currentMediaPath));
    if (PlayNext())
        advancing_ = true;
    return true;
}
