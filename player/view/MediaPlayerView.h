// CBCGPMediaPlayerView: the player's view. Its client area is the OpenGL picture (a
// SceneWidget over the whole area, drawing with the view's SceneRenderer) with the transport
// bar as a child along the bottom 60 pixels. It drives drawing from its render timer, places
// the picture by size mode and proportion, switches full-screen mode, keeps the scene
// settings the control panel sends and answers the transport commands. What the video is
// doing (open, play and pause, the position clock, Stop, Back and Forward, seeking) is its
// Transport's; the view shows it on the bar and in the scene, and shows the busy cursor while
// a file opens. The Sound and Volume buttons and the F12 screenshot are handed to
// SpeakerCommands and ScreenshotTaker.
//
// Everything runs on the UI thread except the loads of the transport's opener.
#pragma once

#include "CommandTarget.h"
#include "FullScreenHost.h"
#include "Playlist.h"
#include "ResumePoints.h"
#include "SceneSettingsSink.h"
#include "ViewLayout.h"

#include <QBasicTimer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

struct AppState;
class BarWatcher;
class CNavigationBar;
class FileChooser;
class FrameWatch;
class KeyStateSource;
class MediaSession;
class MessagePresenter;
class PlaybackStats;
class SceneRenderer;
class SceneWidget;
class ScreenshotTaker;
class SpeakerCommands;
class Transport;
class QWheelEvent;

class CBCGPMediaPlayerView : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // The render loop's period: every step of the scene's animation is one tick.
    static constexpr int kRenderPeriodMs = 41;
    static const QString kDecoderMessage;
    static const QString kMessageTitle;

    // app, chooser and messages must outlive the view. keys may be null.
    CBCGPMediaPlayerView(AppState& app, FileChooser& chooser, MessagePresenter& messages,
                         KeyStateSource* keys, QWidget* parent = nullptr);
    ~CBCGPMediaPlayerView() override;

    // The message for a file that cannot be played, by its cause (a FRAMELIFT_LOAD_* value)
    // and the file's name, in the host's language; an empty text where the decoder message
    // fits. Without one the decoder message is shown for every failure.
    using FailureTexts = std::function<QString(int cause, const QString& fileName)>;
    // Subtitles: a file's drawn over the video that plays (false when it holds none or
    // nothing plays); shown or hidden, a choice kept for the files opened after.
    bool LoadSubtitleFile(const QString& path);
    void SetSubtitlesShown(bool shown);
    bool subtitlesShown() const { return subtitlesShown_; }
    void SetFailureTexts(FailureTexts texts) { failureTexts_ = std::move(texts); }

    // CommandTarget: the transport commands.
    bool handleCommand(Command id) override { return commands_.handleCommand(id); }
    bool updateCommand(Command id, CommandState& state) override
    {
        return commands_.updateCommand(id, state);
    }

    // Open and play. OpenMedia asks for the file; OpenMediaPath opens the given one (the
    // command line's). Both return before the file is open: openFinished() follows.
    void OpenMedia();
    void OpenMediaPath(const QString& path);
    // Several files at once (the command line, a drop) are the playlist; the first opens.
    // An empty list opens nothing.
    void OpenMediaPaths(const QStringList& paths);
    // The playlist's neighbours of the current file (N and P, and Back and Forward near the
    // media's ends). False, and nothing opens, at that end of the playlist or while an open
    // is under way.
    bool PlayNext();
    bool PlayPrevious();
    // At the end of a file the playlist's next one plays (the default), or the playback
    // stops there.
    void SetPlayNextAtEnd(bool on) { playNextAtEnd_ = on; }
    bool playsNextAtEnd() const { return playNextAtEnd_; }
    const Playlist& playlist() const { return playlist_; }
    // Back within the first this many seconds goes to the previous file, not to the start.
    static constexpr int kRestartSeconds = 3;

    // Resume: a file opened again goes on a little before where it was left (when the user
    // opened another file, pressed Stop or closed the window); one played to its end, or left
    // near its start, starts from the beginning. Play after Stop or at the end still plays
    // from the start. The list is kept in file (empty: in memory only), read now.
    void SetResumeFile(const QString& file);
    // Off: files open at their start and no new position is remembered.
    void SetResumeEnabled(bool on) { resumeEnabled_ = on; }
    bool resumesPlayback() const { return resumeEnabled_; }
    // Remembers where the current file stands (the frame calls it as the window closes).
    void RememberPosition();
    const ResumePoints& resumePoints() const { return resumePoints_; }
    // How far before the remembered position a file goes on, in seconds.
    static constexpr int kResumeLeadSeconds = 5;
    // A position this close to the start or the end of the media is not remembered.
    static constexpr int kResumeMarginSeconds = 10;

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
    // The video's own sound between its volume and silence (the Sound button switches the
    // system mixer's instead). The choice holds for every file opened and resumed after it.
    void ToggleVideoSound();
    bool isVideoSoundMuted() const { return videoSoundMuted_; }
    // The player's own volume, 0 to 100 percent (the Volume button sets the system mixer's
    // instead), for every file opened and resumed after it. Changing it turns the video's
    // sound on again. Values outside 0 to 100 are clamped; videoSoundChanged() follows.
    void SetVideoVolume(int percent);
    void StepVideoVolume(int deltaPercent);
    int videoVolume() const { return videoVolume_; }
    static constexpr int kVolumeStep = 5;
    // The amplitude factor the library gets for a volume: cubic, as loudness is heard, so
    // that 50 % sounds about half as loud.
    static double soundFactor(int percent);
    // Prints the statistics line every second from now on (the --stats option).
    void EnableStats();

    // State, for the frame and for tests.
    bool isWindowed() const { return windowState_ == WindowState::Windowed; }
    bool isBarRaised() const;
    bool isBarWatcherHeld() const;
    // The open video's size as it is seen (its width widened for pixels that are not square),
    // which "Original size" and the proportion lay out.
    int videoWidth() const { return videoWidth_; }
    int videoHeight() const { return videoHeight_; }
    SizeMode sizeMode() const { return sizeMode_; }
    int proportion() const { return proportion_; }
    view_layout::Viewport lastViewport() const { return lastViewport_; }

    Transport& transport() const { return *transport_; }
    CNavigationBar* navigationBar() const { return bar_; }
    SceneWidget* sceneWidget() const { return scene_; }
    SceneRenderer& renderer() const { return *renderer_; }
    MediaSession& media() const { return *media_; }
    SpeakerCommands& speakers() const { return *speakers_; }
    ScreenshotTaker& screenshots() const { return *screenshots_; }

signals:
    // A transport bar button was clicked. The host dispatches it like any other command.
    void commandIssued(Command id);
    // An open asked for by OpenMedia or OpenMediaPath is over: the file plays, its message
    // was shown, or the dialog was cancelled. An open that another one replaced, or that Stop
    // dropped, never finishes.
    void openFinished();
    // The player's volume or the video's mute changed (SetVideoVolume, the wheel over the
    // picture, ToggleVideoSound).
    void videoSoundChanged(int percent, bool muted);
    // The end of a file went on to the next one, which could not be played and was passed
    // over.
    void fileSkipped(const QString& path);
    // A file opened again went on at seconds, where it had been left (less the lead).
    void continuedFrom(int seconds);
    // The subtitles were hidden or shown (SetSubtitlesShown, a chosen subtitle file).
    void subtitlesShownChanged(bool shown);
    // F12 was answered: the file written, or an empty path when none could be (folder is
    // where it would have gone).
    void screenshotTaken(const QString& path, const QString& folder);

protected:
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void timerEvent(QTimerEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createCommands();
    // Back and Forward: a step within the media, else its start or end, else the playlist's
    // neighbour.
    void stepBack();
    void stepForward();
    bool playNeighbour(const QString& path);
    void playNextAfterEnd();
    // An open the end of a file started failed: true when the file was passed over (the next
    // one, if any, opens).
    bool skipAfterFailure();
    // Seeks to the current file's resume point after its open, when it has one.
    void continueFromPoint();
    void forgetPosition();
    void createBar();
    void followTransport();
    void tick();
    // Asks the scene widget for a draw, when its viewport shows anything.
    void redraw();
    void applyViewport(const view_layout::Viewport& v);
    void reapplySettings();
    // A new load plays at full volume: the player's volume and mute go to it again.
    void reapplyVideoSound();
    void wheelOverPicture(const QWheelEvent& wheel);
    void updateBarCommands();
    void opened(bool played);
    void showPosition(int seconds, int totalSeconds, bool moveSlider);
    void clearPosition();
    void showBusy(bool busy);
    // What the box says about the open that just failed.
    QString failureMessage() const;

    AppState& app_;
    FileChooser& chooser_;
    MessagePresenter& messages_;
    CommandTable commands_;
    std::unique_ptr<MediaSession> media_;
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<SpeakerCommands> speakers_;
    std::unique_ptr<ScreenshotTaker> screenshots_;
    SceneWidget* scene_ = nullptr;
    CNavigationBar* bar_ = nullptr;
    std::unique_ptr<BarWatcher> barWatcher_;
    // Asks for a draw when a new video frame came; the tick asks when the scene moved.
    std::unique_ptr<FrameWatch> frames_;
    std::unique_ptr<PlaybackStats> stats_;
    QBasicTimer renderTimer_;

    WindowState windowState_ = WindowState::Windowed;
    bool busyCursor_ = false;
    FailureTexts failureTexts_;  // empty: the decoder message only
    bool subtitlesShown_ = true;
    bool videoSoundMuted_ = false;
    bool playNextAtEnd_ = true;
    Playlist playlist_;
    ResumePoints resumePoints_;
    bool resumeEnabled_ = true;
    // The open under way was asked for by OpenMediaPath: it may go on from a resume point.
    bool continueNextOpen_ = false;
    // The open under way was started by the end of a file, not by the user.
    bool advancing_ = false;
    int videoVolume_ = 100;
    // Wheel turns smaller than a notch (touchpads), added up until they make one.
    int wheelRemainder_ = 0;
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
