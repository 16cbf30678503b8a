// Transport: what the view's video is doing. It opens a file and plays it, pauses and
// resumes, stops, steps back and forward, steps a paused video frame by frame, seeks and sets
// the rate, and counts the playing time with its position clock, which stops the playback
// when the media's duration is reached. It touches no widget: the view and the transport bar
// follow it through its signals.
//
// Opening (and resuming, which opens the paused file again) runs on a worker of its
// MediaOpener, so the window goes on answering however long the library takes; the other
// transport commands wait for no open and do nothing while one is under way, except Stop,
// which drops it. Everything else runs on the UI thread.
#pragma once

#include "MediaOpener.h"
#include "PlayState.h"
#include "PositionClock.h"

#include <QObject>
#include <QString>

#include <chrono>

struct AppState;
class MediaSession;

class Transport : public QObject {
    Q_OBJECT
public:
    // How far Back and Forward move, in seconds.
    static constexpr int kStepSeconds = 100;

    // media and app must outlive the transport.
    Transport(MediaSession& media, AppState& app, QObject* parent = nullptr);

    // Opens path, which becomes the current media path, and plays it; opened() tells how it
    // went, unless another open or Stop came first.
    void open(const QString& path);
    // Closes the video (or drops the open under way) and resets the bar. The file stays the
    // current one: Play opens it again from its start.
    void stop();
    // Pauses, or resumes a paused video where it was paused; after Stop or the end of the
    // media, plays the current file again from its start.
    void togglePlayPause();
    // Back and Forward by kStepSeconds; false, and nothing moves, while an open is under way,
    // while nothing plays or within a step of that end of the media.
    bool back();
    bool forward();
    // Seeks to a percentage of the media's duration.
    void seekToPercent(int percent);
    // Seeks by seconds from where the clock stands, within the media (from its start to its
    // end, when the duration is known). Nothing while nothing plays.
    void seekBy(int seconds);
    // Seeks to the start. Nothing while nothing plays.
    void seekToStart();
    // Steps the paused video by frames (back when negative): the picture shows the frame
    // stepped to and the time moves to its second. False, and nothing moves, unless a video
    // is paused with no open under way.
    bool stepFrame(int frames);
    // The play rate: value x 0.01 (0 gives the slowest rate, 0.01). It holds for every file
    // opened and resumed after it, and the position clock counts at it.
    void setRate(int value);
    int rateValue() const { return rateValue_; }
    static double rateFor(int value);

    PlayState playState() const { return playState_; }
    void setPlayState(PlayState state);
    bool isMediaActive() const { return mediaActive_; }
    // An open or a resume is under way.
    bool isOpening() const { return opener_.isOpening(); }
    // Loads under way, those that no longer count included.
    int loadsUnderWay() const { return opener_.loadsUnderWay(); }
    int positionSeconds() const { return positionSeconds_; }
    bool hasClock() const { return clock_.isRunning(); }
    bool isClockHeld() const { return clock_.isRunning() && clock_.isHeld(); }
    // Length of one clock step for the opens that follow: one second in the program; tests
    // may shorten it.
    void setClockStep(std::chrono::milliseconds step) { clockStep_ = step; }

signals:
    // An open or a resume started (true) or ended (false).
    void openingChanged(bool opening);
    // An open finished; played is false when the file could not be played.
    void opened(bool played);
    void paused();
    // A paused video was opened again and goes on where it was paused.
    void resumed();
    // The play state or whether anything plays changed.
    void stateChanged();
    // The clock reached the media's duration and closed the video.
    void ended();

    // What the transport bar shows.
    void playSymbolChanged(int icon);  // 1 the play symbol, 0 the pause symbol
    void positionCleared();            // slider at the start, zero time
    void positionChanged(int seconds, int totalSeconds, bool moveSlider);

private:
    void startOpening(const std::string& path, MediaOpener::Done done);
    void seekTo(int seconds);
    void finishOpen(bool played);
    void finishResume();
    // A new load plays at 1x: the rate set goes to it again.
    void reapplyRate();
    bool clockStep();
    int totalSeconds() const;
    void showPosition(int seconds, bool moveSlider);

    MediaSession& media_;
    AppState& app_;
    MediaOpener opener_;
    // The open under way replaces a video that was counting: a failure stops it for good.
    bool stopOnFailure_ = false;
    PlayState playState_ = PlayState::NoVideo;
    bool mediaActive_ = true;
    int positionSeconds_ = 0;
    int rateValue_ = 100;
    // The part of a second the clock has counted beyond positionSeconds_ at rates below 1.
    double clockCarry_ = 0.0;
    PositionClock clock_;
    std::chrono::milliseconds clockStep_{1000};
};
