// CBCGPMediaPlayerView: the player's view. Its client area is the OpenGL picture (a
// SceneWidget over the whole area, drawing with the view's SceneRenderer) with the transport
// bar as a child along the bottom 60 pixels. It drives drawing from its render timer, places
// the picture by size mode and proportion, switches full-screen mode, keeps the scene
// settings the control panel sends, and runs the transport: open, the position clock, Stop,
// play/pause, Back/Forward, seeking and the play rate. The Sound and Volume buttons and the
// F12 screenshot are handed to SpeakerCommands and ScreenshotTaker.
//
// Threads: everything runs on the UI thread except the position clock and the full-screen
// bar watcher, which only read atomics and hand their changes to the UI thread through
// queued calls.
#pragma once

#include "CommandTarget.h"
#include "FullScreenHost.h"
#include "PlayState.h"
#include "SceneSettingsSink.h"
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
class ScreenshotTaker;
class SpeakerCommands;
class UiCallQueue;

class CBCGPMediaPlayerView : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // The render loop's period: every step of the scene's animation is one tick.
    static constexpr int kRenderPeriodMs = 41;
    static const QString kDecoderMessage;

    // app, chooser and messages must outlive the view. keys may be null.
    CBCGPMediaPlayerView(AppState& app, FileChooser& chooser, MessagePresenter& messages,
                         KeyStateSource* keys, QWidget* parent = nullptr);
    ~CBCGPMediaPlayerView() override;

    // CommandTarget: the transport commands.
    bool handleCommand(Command id) override { return commands_.handleCommand(id); }
    bool updateCommand(Command id, CommandState& state) override
    {
        return commands_.updateCommand(id, state);
    }

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
    void SetSizeMode(SizeMode mode);
    void SetProportion(int value);
    void SetSurface(const SurfaceSettings& surface);
    void SetShape(ShapeKind kind);
    void SetPlayRate(int value);
    void SetRotation(int enabled, int speed);

    // Full screen (double-click; Esc in full screen).
    void ToggleFullScreen();
    // F12: saves the picture area as a bitmap file.
    void TakeScreenshot();

    // State, for the frame and for tests.
    PlayState playState() const { return playState_; }
    void setPlayState(PlayState state) { playState_ = state; }
    bool isWindowed() const { return windowState_ == WindowState::Windowed; }
    bool isBarRaised() const { return barRaised_.load(std::memory_order_relaxed) != 0; }
    bool isMediaActive() const { return mediaActive_.load() != 0; }
    int positionSeconds() const { return positionSeconds_.load(); }
    int videoWidth() const { return videoWidth_; }
    int videoHeight() const { return videoHeight_; }
    SizeMode sizeMode() const { return sizeMode_; }
    int proportion() const { return proportion_; }
    bool hasPositionClock() const { return clock_ != nullptr; }
    bool isPositionClockHeld() const;
    bool isBarWatcherHeld() const;
    view_layout::Viewport lastViewport() const { return lastViewport_; }

    CNavigationBar* navigationBar() const { return bar_; }
    SceneWidget* sceneWidget() const { return scene_; }
    SceneRenderer& renderer() const { return *renderer_; }
    SpeakerCommands& speakers() const { return *speakers_; }
    ScreenshotTaker& screenshots() const { return *screenshots_; }

    // Length of one clock step: one second in the program; tests may shorten it.
    void setClockStep(std::chrono::milliseconds step) { clockStep_ = step; }

signals:
    // A transport bar button was clicked. The host dispatches it like any other command.
    void commandIssued(Command id);

protected:
    void resizeEvent(QResizeEvent*) override;
    void timerEvent(QTimerEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createCommands();
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
    CommandTable commands_;
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<UiCallQueue> uiCalls_;  // how the clock and the watcher reach the UI
    std::unique_ptr<SpeakerCommands> speakers_;
    std::unique_ptr<ScreenshotTaker> screenshots_;
    SceneWidget* scene_ = nullptr;
    CNavigationBar* bar_ = nullptr;
    QBasicTimer renderTimer_;

    WindowState windowState_ = WindowState::Windowed;
    std::atomic<int> barRaised_{0};
    PlayState playState_ = PlayState::NoVideo;
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
    SizeMode sizeMode_ = SizeMode::FullView;
    QRect clientRect_;
    SurfaceSettings surface_;
    ShapeKind shape_ = ShapeKind::Flat;
    int spinEnabled_ = 1;
    int spinStep_ = 1;
    view_layout::Viewport lastViewport_;
};
