// CBCGPMediaPlayerView: the player's view. Its client area is the OpenGL picture (a
// SceneWidget over the whole area, drawing with the view's SceneRenderer) with the transport
// bar as a child along the bottom 60 pixels. It drives drawing from timer 101 (41 ms), places
// the picture by size mode and proportion, switches full-screen mode, keeps the scene
// settings the control panel sends, and runs the transport: open, the position clock, Stop,
// play/pause, Back/Forward, seeking and the play rate.
//
// Threads: everything runs on the UI thread except the position clock and the full-screen
// bar watcher, which only read atomics and hand their changes to the UI thread through
// queued calls.
#pragma once

#include "CommandTarget.h"
#include "ViewLayout.h"

#include <QBasicTimer>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <memory>

struct AppState;
class BarWatcher;
class CNavigationBar;
class FileChooser;
class KeyStateSource;
class MessagePresenter;
class PositionClock;
class SceneRenderer;
class SceneWidget;
class UiCallQueue;

class CBCGPMediaPlayerView : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kRenderTimerId = 101;
    static constexpr int kRenderPeriodMs = 41;
    static const QString kDecoderMessage;

    // app, chooser and messages must outlive the view. keys may be null.
    CBCGPMediaPlayerView(AppState& app, FileChooser& chooser, MessagePresenter& messages,
                         KeyStateSource* keys, QWidget* parent = nullptr);
    ~CBCGPMediaPlayerView() override;

    // CommandTarget: 1042 to 1049.
    bool handleCommand(int id) override;
    bool updateCommand(int id, CommandState& state) override;

    // Open and play. OpenMedia asks for the file; OpenMediaPath opens the given one (the
    // command line's) and returns whether it plays.
    void OpenMedia();
    bool OpenMediaPath(const QString& path);
    void Stop();
    void TogglePlayPause();
    void Back();
    void Forward();
    void SeekToPercent(int percent);

    // Scene settings, forwarded by the main frame from the control panel.
    void SetSizeMode(int mode);
    void SetProportion(int value);
    void SetSurface(int mode, int depth, int p1, int p2, int p3, int p4, int p5, int p6,
                    int p7, int p8);
    void SetShape(int kind);
    void SetPlayRate(int value);
    void SetRotation(int enabled, int speed);

    // Full screen (double-click; Esc in full screen).
    void ToggleFullScreen();

    // State, for the frame and for tests.
    int playState() const { return playState_; }
    void setPlayState(int state) { playState_ = state; }
    bool isWindowed() const { return windowed_ != 0; }
    bool isBarRaised() const { return barRaised_.load(std::memory_order_relaxed) != 0; }
    bool isMediaActive() const { return mediaActive_.load() != 0; }
    int positionSeconds() const { return positionSeconds_.load(); }
    int videoWidth() const { return videoWidth_; }
    int videoHeight() const { return videoHeight_; }
    int sizeMode() const { return sizeMode_; }
    int proportion() const { return proportion_; }
    bool hasPositionClock() const { return clock_ != nullptr; }
    bool isPositionClockHeld() const;
    bool isBarWatcherHeld() const;
    view_layout::Viewport lastViewport() const { return lastViewport_; }

    CNavigationBar* navigationBar() const { return bar_; }
    SceneWidget* sceneWidget() const { return scene_; }
    SceneRenderer& renderer() const { return *renderer_; }

    // Length of one clock step: one second in the program; tests may shorten it.
    void setClockStep(std::chrono::milliseconds step) { clockStep_ = step; }

protected:
    void resizeEvent(QResizeEvent*) override;
    void timerEvent(QTimerEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void initialUpdate();
    void tick();
    void applyViewport(const view_layout::Viewport& v);
    void reapplySettings();
    void updateBarCommands();
    void showPosition(int seconds, bool moveSlider);
    void startClock();
    void endClock();
    bool clockStep(unsigned generation);   // on the clock's thread
    void barWatcherPass();                 // on the watcher's thread
    void placeBar(bool raised);
    int totalSeconds() const;

    AppState& app_;
    FileChooser& chooser_;
    MessagePresenter& messages_;
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<UiCallQueue> uiCalls_;  // how the clock and the watcher reach the UI
    SceneWidget* scene_ = nullptr;
    CNavigationBar* bar_ = nullptr;
    QBasicTimer renderTimer_;

    int windowed_ = 1;
    std::atomic<int> barRaised_{0};
    int playState_ = 0;
    std::unique_ptr<BarWatcher> barWatcher_;
    std::unique_ptr<PositionClock> clock_;
    std::chrono::milliseconds clockStep_{1000};
    unsigned clockGeneration_ = 0;         // UI thread: which clock's updates count

    // Shared with the clock and watcher threads.
    std::atomic<int> mediaActive_{1};
    std::atomic<int> positionSeconds_{0};
    std::atomic<int> clientBottom_{0};
    std::atomic<int> cursorY_{0};
    std::atomic<int> windowedFlag_{1};
    std::atomic<bool> barMoved_{true};     // the UI thread moved the bar itself
    int watcherBand_ = -1;                 // watcher thread only: the band it placed last

    int proportion_ = 400;
    int videoWidth_ = 0;
    int videoHeight_ = 0;
    int sizeMode_ = 1;
    QRect clientRect_;
    int surfaceMode_ = 0;
    int depth_ = 250;
    int shapeKind_ = 0;
    int p_[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    int spinEnabled_ = 1;
    int spinStep_ = 1;
    view_layout::Viewport lastViewport_;
};
