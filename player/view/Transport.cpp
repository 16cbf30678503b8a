#include "Transport.h"

#include "AppState.h"
#include "MediaSession.h"
#include "ViewLayout.h"

#include <algorithm>
#include <utility>

Transport::Transport(MediaSession& media, AppState& app, QObject* parent)
    : QObject(parent), media_(media), app_(app), opener_(media),
      clock_([this] { return clockStep(); })
{
}

void Transport::startOpening(const std::string& path, MediaOpener::Done done)
{
    const bool wasOpening = opener_.isOpening();
    opener_.open(path, std::move(done));
    if (!wasOpening)
        emit openingChanged(true);
}

void Transport::open(const QString& path)
{
    app_.currentMediaPath = path.toStdString();
    // The library lets go of the video that plays as soon as the load begins: its clock ends
    // with it.
    stopOnFailure_ = stopOnFailure_ || clock_.isRunning();
    clock_.end();
    startOpening(app_.currentMediaPath, [this](bool played) { finishOpen(played); });
}

void Transport::finishOpen(bool played)
{
    emit openingChanged(false);
    const bool stopFirst = std::exchange(stopOnFailure_, false);
    if (!played) {
        // Nothing may pretend to play: the bar is reset when a video had been counting.
        if (stopFirst)
            stop();
        emit opened(false);
        return;
    }
    positionSeconds_ = 0;
    clockCarry_ = 0.0;
    mediaActive_ = true;
    reapplyRate();
    clock_.start(clockStep_);
    emit playSymbolChanged(0);
    emit positionCleared();
    emit stateChanged();
    emit opened(true);
}

void Transport::stop()
{
    if (opener_.isOpening()) {
        opener_.cancel();
        stopOnFailure_ = false;
        emit openingChanged(false);
    }
    mediaActive_ = false;
    clock_.end();
    media_.close();
    emit positionCleared();
    emit playSymbolChanged(1);
    emit stateChanged();
}

void Transport::togglePlayPause()
{
    if (opener_.isOpening())
        return;
    if (!mediaActive_) {
        // Stopped, or played to its end: the current file plays again from its start (the
        // library's Stop put its resume position back to the start).
        if (playState_ != PlayState::NoVideo && !app_.currentMediaPath.empty()) {
            playState_ = PlayState::Playing;
            open(QString::fromStdString(app_.currentMediaPath));
            emit stateChanged();
        }
        return;
    }
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
        startOpening(app_.currentMediaPath, [this](bool) { finishResume(); });
        clock_.release();
        emit stateChanged();
    }
}

void Transport::finishResume()
{
    emit openingChanged(false);
    reapplyRate();
    emit resumed();
}

void Transport::setPlayState(PlayState state)
{
    playState_ = state;
    emit stateChanged();
}

bool Transport::back()
{
    if (!mediaActive_ || opener_.isOpening() || positionSeconds_ < kStepSeconds)
        return false;
    positionSeconds_ -= kStepSeconds;
    media_.seek(positionSeconds_);
    showPosition(positionSeconds_, true);
    return true;
}

bool Transport::forward()
{
    if (!mediaActive_ || opener_.isOpening() ||
        positionSeconds_ > totalSeconds() - kStepSeconds)
        return false;
    positionSeconds_ += kStepSeconds;
    media_.seek(positionSeconds_);
    showPosition(positionSeconds_, true);
    return true;
}

void Transport::seekToPercent(int percent)
{
    if (opener_.isOpening())
        return;
    positionSeconds_ = view_layout::secondsForPercent(app_.mediaDurationMs, percent);
    media_.seek(positionSeconds_);
    // The slider is where the user put it; only the time follows at once.
    if (mediaActive_)
        showPosition(positionSeconds_, false);
}

void Transport::seekBy(int seconds)
{
    if (!mediaActive_ || opener_.isOpening())
        return;
    const int total = totalSeconds();
    int target = positionSeconds_ + seconds;
    // Past the end the clock stops the playback at its next step, as at the end of the media.
    if (total > 0 && target > total)
        target = total;
    seekTo(target < 0 ? 0 : target);
}

void Transport::seekToStart()
{
    if (!mediaActive_ || opener_.isOpening())
        return;
    seekTo(0);
}

bool Transport::stepFrame(int frames)
{
    if (!mediaActive_ || opener_.isOpening() || playState_ != PlayState::Paused)
        return false;
    double seconds = 0.0;
    if (!media_.stepFrame(frames, seconds))
        return false;
    // The held clock goes on from the frame's second when the video is resumed.
    positionSeconds_ = static_cast<int>(seconds);
    showPosition(positionSeconds_, true);
    return true;
}

void Transport::seekTo(int seconds)
{
    positionSeconds_ = seconds;
    media_.seek(positionSeconds_);
    showPosition(positionSeconds_, true);
}

double Transport::rateFor(int value)
{
    return std::max(value, 1) * 0.01;
}

void Transport::setRate(int value)
{
    rateValue_ = value;
    media_.setRate(rateFor(value));
}

void Transport::reapplyRate()
{
    if (rateValue_ != 100)
        media_.setRate(rateFor(rateValue_));
}

bool Transport::clockStep()
{
    const int total = totalSeconds();
    // Each step is a second of the window's time: the video moves on by the rate.
    clockCarry_ += media_.rate();
    const int whole = static_cast<int>(clockCarry_);
    clockCarry_ -= whole;
    if (whole == 0)
        return true;
    positionSeconds_ += whole;
    // A duration of 0 is unknown: the clock counts on and never stops the playback.
    if (total > 0 && positionSeconds_ >= total) {
        stop();
        emit ended();
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
