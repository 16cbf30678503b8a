#include "Transport.h"

#include "AppState.h"
#include "MediaSession.h"
#include "ViewLayout.h"

Transport::Transport(MediaSession& media, AppState& app, QObject* parent)
    : QObject(parent), media_(media), app_(app), clock_([this] { return clockStep(); })
{
}

void Transport::open(const QString& path)
{
    app_.currentMediaPath = path.toStdString();
    const bool wasCounting = clock_.isRunning();
    if (!media_.open(app_.currentMediaPath)) {
        // The library has already let go of any earlier video: stop its clock and reset the
        // bar so that nothing pretends to play.
        if (wasCounting)
            stop();
        emit opened(false);
        return;
    }
    positionSeconds_ = 0;
    mediaActive_ = true;
    clock_.start(clockStep_);
    emit playSymbolChanged(0);
    emit positionCleared();
    emit stateChanged();
    emit opened(true);
}

void Transport::stop()
{
    mediaActive_ = false;
    clock_.end();
    media_.close();
    emit positionCleared();
    emit playSymbolChanged(1);
    emit stateChanged();
}

void Transport::togglePlayPause()
{
    if (!mediaActive_)
        return;
    if (playState_ == PlayState::Playing) {
        emit playSymbolChanged(1);
        playState_ = PlayState::Paused;
        media_.pause();
        clock_.hold();
        emit stateChanged();
        emit paused();
    } else if (playState_ == PlayState::Paused) {
        emit playSymbolChanged(0);
        playState_ = PlayState::Playing;
        // Opening the paused file again goes on from where it was paused.
        media_.open(app_.currentMediaPath);
        clock_.release();
        emit stateChanged();
        emit resumed();
    }
}

void Transport::setPlayState(PlayState state)
{
    playState_ = state;
    emit stateChanged();
}

void Transport::back()
{
    if (!mediaActive_ || positionSeconds_ < kStepSeconds)
        return;
    positionSeconds_ -= kStepSeconds;
    media_.seek(positionSeconds_);
    showPosition(positionSeconds_, true);
}

void Transport::forward()
{
    if (!mediaActive_ || positionSeconds_ > totalSeconds() - kStepSeconds)
        return;
    positionSeconds_ += kStepSeconds;
    media_.seek(positionSeconds_);
    showPosition(positionSeconds_, true);
}

void Transport::seekToPercent(int percent)
{
    positionSeconds_ = view_layout::secondsForPercent(app_.mediaDurationMs, percent);
    media_.seek(positionSeconds_);
    // The slider is where the user put it; only the time follows at once.
    if (mediaActive_)
        showPosition(positionSeconds_, false);
}

void Transport::setRate(int value)
{
    media_.setRate(value * 0.01);
}

bool Transport::clockStep()
{
    const int total = totalSeconds();
    ++positionSeconds_;
    // A duration of 0 is unknown: the clock counts on and never stops the playback.
    if (total > 0 && positionSeconds_ >= total) {
        stop();
        return false;
    }
    showPosition(positionSeconds_, true);
    return true;
}

int Transport::totalSeconds() const
{
    return app_.mediaDurationMs / 1000;
}

void Transport::showPosition(int seconds, bool moveSlider)
{
    emit positionChanged(seconds, totalSeconds(), moveSlider);
}
