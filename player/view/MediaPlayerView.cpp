#include "MediaPlayerView.h"

#include "AppState.h"
#include "BarWatcher.h"
#include "FileChooser.h"
#include "FrameWatch.h"
#include "MediaSession.h"
#include "MessagePresenter.h"
#include "NavigationBar.h"
#include "PlaybackStats.h"
#include "ProgressSlider.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"
#include "Screenshot.h"
#include "SpeakerCommands.h"
#include "Transport.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

using view_layout::kBarHeight;

const QString CBCGPMediaPlayerView::kDecoderMessage = QStringLiteral(
    "Not find a suitable decoder, Recommend that you use Perfect decoder"
    "(menu->plugin->Perfect decoder).");

const QString CBCGPMediaPlayerView::kMessageTitle = QStringLiteral("MediaVelmora Player");


CBCGPMediaPlayerView::CBCGPMediaPlayerView(AppState& app, FileChooser& chooser,
                                           MessagePresenter& messages, KeyStateSource* keys,
                                           QWidget* parent)
    : QWidget(parent), app_(app), chooser_(chooser), messages_(messages),
      media_(std::make_unique<MediaSession>()),
      renderer_(std::make_unique<SceneRenderer>(*media_, keys)),
      transport_(std::make_unique<Transport>(*media_, app)),
      speakers_(std::make_unique<SpeakerCommands>(this)),
      screenshots_(std::make_unique<ScreenshotTaker>(app))
{
    createCommands();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    scene_ = new SceneWidget(renderer_.get(), this);
    scene_->setMouseTracking(true);
    scene_->setFocusPolicy(Qt::ClickFocus);
    scene_->setFocusProxy(this);
    scene_->installEventFilter(this);
    // The pointer's height decides, in full screen, whether the bar is lifted into sight.
    qApp->installEventFilter(this);
    createBar();
    followTransport();
    frames_ = std::make_unique<FrameWatch>([this] {
        if (media_->hasNewerFrame())
            redraw();
    });
    renderTimer_.start(kRenderPeriodMs, this);
}

CBCGPMediaPlayerView::~CBCGPMediaPlayerView()
{
    renderTimer_.stop();
    frames_.reset();
    stats_.reset();
    showBusy(false);
    barWatcher_.reset();
    // The transport's signals reach the bar no more, and its clock stops.
    transport_.reset();
    // The scene widget releases its GL objects while the renderer still exists.
    delete scene_;
    scene_ = nullptr;
}

void CBCGPMediaPlayerView::createBar()
{
    bar_ = new CNavigationBar(this);
    bar_->setObjectName(QStringLiteral("navigationBar"));
    bar_->loadButtons();
    connect(bar_, &CNavigationBar::commandIssued, this, &CBCGPMediaPlayerView::commandIssued);
    connect(bar_, &CNavigationBar::seekRequested, transport_.get(), &Transport::seekToPercent);
    bar_->setGeometry(0, height() - kBarHeight, width(), kBarHeight);
    bar_->raise();
    updateBarCommands();
    barWatcher_ = std::make_unique<BarWatcher>(this, bar_);
}

// The bar and the scene follow what the transport does.
void CBCGPMediaPlayerView::followTransport()
{
    Transport* t = transport_.get();
    connect(t, &Transport::playSymbolChanged, bar_, &CNavigationBar::setPlayIcon);
    connect(t, &Transport::positionCleared, this, &CBCGPMediaPlayerView::clearPosition);
    connect(t, &Transport::positionChanged, this, &CBCGPMediaPlayerView::showPosition);
    connect(t, &Transport::stateChanged, this, &CBCGPMediaPlayerView::updateBarCommands);
    connect(t, &Transport::opened, this, &CBCGPMediaPlayerView::opened);
    connect(t, &Transport::openingChanged, this, &CBCGPMediaPlayerView::showBusy);
    // Queued: the clock that reached the end has finished its step before the next open.
    // The media played to its end is forgotten before the next file opens.
    connect(t, &Transport::ended, this, &CBCGPMediaPlayerView::forgetPosition);
    connect(t, &Transport::ended, this, &CBCGPMediaPlayerView::playNextAfterEnd,
            Qt::QueuedConnection);
    // A paused picture holds its shape still; a resumed one gets its settings back.
    connect(t, &Transport::paused, this, [this] { renderer_->SetSpin(0, spinStep_); });
    connect(t, &Transport::resumed, this, &CBCGPMediaPlayerView::reapplySettings);
    connect(t, &Transport::resumed, this, &CBCGPMediaPlayerView::reapplyVideoSound);
}

// ---- Commands --------------------------------------------------------------------------

void CBCGPMediaPlayerView::createCommands()
{
    const auto whileOpen = [this](CommandState& state) {
        state.enabled = transport_->playState() != PlayState::NoVideo;
    };
    Transport* t = transport_.get();
    commands_.add(Command::Back, [this] { stepBack(); }, whileOpen);
    commands_.add(Command::Previous, [this] { stepBack(); }, whileOpen);
    commands_.add(Command::Forward, [this] { stepForward(); }, whileOpen);
    commands_.add(Command::Next, [this] { stepForward(); }, whileOpen);
    commands_.add(
        Command::Stop,
        [this, t] {
            RememberPosition();
            t->stop();
        },
        whileOpen);
    commands_.add(Command::Play, [t] { t->togglePlayPause(); }, whileOpen);
    commands_.add(Command::Sound, [this] { speakers_->ToggleMute(bar_); });
    commands_.add(Command::Volume, [this] { speakers_->ToggleVolumePopup(QCursor::pos()); });
}

void CBCGPMediaPlayerView::updateBarCommands()
{
    for (const CNavigationToolbarButton& button : bar_->buttons()) {
        CommandState state;
        if (button.command && commands_.updateCommand(*button.command, state))
            bar_->setButtonEnabled(*button.command, state.enabled);
    }
}

// ---- Open and play ---------------------------------------------------------------------

void CBCGPMediaPlayerView::OpenMedia()
{
    const QString path = chooser_.chooseMediaFile(this);
    if (path.isEmpty()) {
        // Cancelled: nothing is opened; the settings go to the renderer again.
        reapplySettings();
        emit openFinished();
        return;
    }
    OpenMediaPath(path);
}

void CBCGPMediaPlayerView::OpenMediaPath(const QString& path)
{
    RememberPosition();
    advancing_ = false;
    playlist_.follow(path);
    continueNextOpen_ = true;
    transport_->open(path);
}

void CBCGPMediaPlayerView::opened(bool played)
{
    if (played) {
        videoWidth_ = media_->format().displayWidth();
        videoHeight_ = media_->format().videoHeight;
        bar_->progressSlider()->setEnabled(true);
        // The renderer starts a new video flat; the view gives it the panel's settings back.
        reapplySettings();
        reapplyVideoSound();
        if (!subtitlesShown_)
            media_->showSubtitles(false);
        // The first frame is drawn now, not at the next tick: a load that starts before that
        // would find no picture to keep.
        frames_->watch(media_->frameNotifier());
        redraw();
        if (std::exchange(continueNextOpen_, false))
            continueFromPoint();
        advancing_ = false;
    } else {
        continueNextOpen_ = false;
        if (!skipAfterFailure())
            messages_.information(this, kMessageTitle, failureMessage());
        // Passed over: the next file's open replaces this one, which never finishes. After the
        // last file the note says it all.
        else if (transport_->isOpening())
            return;
    }
    emit openFinished();
}

bool CBCGPMediaPlayerView::LoadSubtitleFile(const QString& path)
{
    if (!media_->loadSubtitleFile(path.toStdString()))
        return false;
    // A chosen file is meant to be seen.
    if (!std::exchange(subtitlesShown_, true))
        emit subtitlesShownChanged(true);
    redraw();
    return true;
}

void CBCGPMediaPlayerView::SetSubtitlesShown(bool shown)
{
    subtitlesShown_ = shown;
    media_->showSubtitles(shown);
    emit subtitlesShownChanged(shown);
}

QString CBCGPMediaPlayerView::failureMessage() const
{
    const QString name = QFileInfo(QString::fromStdString(app_.currentMediaPath)).fileName();
    const QString text = failureTexts_ ? failureTexts_(media_->loadFailure(), name) : QString();
    return text.isEmpty() ? kDecoderMessage : text;
}

void CBCGPMediaPlayerView::showBusy(bool busy)
{
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CBCGPMediaPlayerView::clearPosition()
{
    bar_->progressSlider()->setPos(0, true);
    bar_->setTimeText(CNavigationBar::kZeroTime);
}

void CBCGPMediaPlayerView::showPosition(int seconds, int totalSeconds, bool moveSlider)
{
    if (moveSlider)
        bar_->progressSlider()->setPos(view_layout::progressPercent(seconds, totalSeconds), true);
    bar_->setTimeText(view_layout::timeText(seconds, totalSeconds));
}

// ---- Scene settings --------------------------------------------------------------------

void CBCGPMediaPlayerView::applyViewport(const view_layout::Viewport& v)
{
    lastViewport_ = v;
    renderer_->SetViewport(v.x, v.y, v.w, v.h);
}

void CBCGPMediaPlayerView::reapplySettings()
{
    SetSizeMode(sizeMode_);
    SetProportion(proportion_);
    SetRotation(spinEnabled_, spinStep_);
}

void CBCGPMediaPlayerView::SetSizeMode(SizeMode mode)
{
    sizeMode_ = mode;
    const int cw = clientRect_.width(), ch = clientRect_.height();
    if (mode == SizeMode::OriginalSize)
        applyViewport(view_layout::originalSize(cw, ch, videoWidth_, videoHeight_));
    else
        applyViewport(view_layout::fullView(cw, ch));
    renderer_->BuildSurface(surface_);
    renderer_->SetShapeKind(shape_);
}

void CBCGPMediaPlayerView::SetProportion(int value)
{
    proportion_ = value;
    applyViewport(view_layout::proportional(clientRect_.width(), clientRect_.height(), videoWidth_,
                                            videoHeight_, value));
}

void CBCGPMediaPlayerView::SetSurface(const SurfaceSettings& surface)
{
    renderer_->BuildSurface(surface);
    surface_ = surface;
}

void CBCGPMediaPlayerView::SetShape(ShapeKind kind)
{
    renderer_->SetShapeKind(kind);
    shape_ = kind;
}

void CBCGPMediaPlayerView::SetPlayRate(int value)
{
    transport_->setRate(value);
}

void CBCGPMediaPlayerView::SetRotation(int enabled, int speed)
{
    spinEnabled_ = enabled;
    spinStep_ = speed;
    renderer_->SetSpin(enabled, speed);
}

// ---- Window events ---------------------------------------------------------------------

void CBCGPMediaPlayerView::resizeEvent(QResizeEvent* event)
{
    clientRect_ = rect();
    scene_->setGeometry(clientRect_);
    bar_->setGeometry(0, clientRect_.height() - kBarHeight, clientRect_.width(), kBarHeight);
    // In full screen the watcher places the bar again on its next look.
    barWatcher_->barMoved();
    if (sizeMode_ == SizeMode::OriginalSize)
        SetProportion(proportion_);
    else
        applyViewport(view_layout::fullView(clientRect_.width(), clientRect_.height()));
    QWidget::resizeEvent(event);
}

void CBCGPMediaPlayerView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The scene draws in a native window of its own, made when the scene was first shown just
    // now: the bar needs a native window too, made after it, to stand above it.
    bar_->setAttribute(Qt::WA_NativeWindow);
    bar_->raise();
}

void CBCGPMediaPlayerView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != renderTimer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    tick();
}

void CBCGPMediaPlayerView::tick()
{
    // The loop at the video's end is noticed here: a still picture asks for no draw.
    media_->pollEvents();
    // A load may bring another handle, and with it another frame descriptor.
    frames_->watch(media_->frameNotifier());
    if (sizeMode_ == SizeMode::FullView)
        applyViewport(view_layout::fullView(clientRect_.width(), clientRect_.height()));
    // The picture is drawn again only when it moved or changed; new frames ask on their own.
    if (renderer_->Step())
        redraw();
    updateBarCommands();
}

void CBCGPMediaPlayerView::redraw()
{
    // An empty viewport invalidates nothing, so no frame is drawn.
    if (!renderer_->viewportRect().isEmpty())
        scene_->requestDraw();
}

void CBCGPMediaPlayerView::EnableStats()
{
    stats_ = std::make_unique<PlaybackStats>(*media_, *renderer_);
    connect(scene_, &SceneWidget::drawn, stats_.get(), &PlaybackStats::drawn);
}

void CBCGPMediaPlayerView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !isWindowed()) {
        ToggleFullScreen();
        return;
    }
    if (event->key() == Qt::Key_F12)
        TakeScreenshot();
    // The keyboard's media keys play and pause, as the bar's Play button does.
    const int key = event->key();
    if ((key == Qt::Key_MediaPlay || key == Qt::Key_MediaPause ||
         key == Qt::Key_MediaTogglePlayPause) &&
        transport_->playState() != PlayState::NoVideo) {
        transport_->togglePlayPause();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CBCGPMediaPlayerView::ToggleVideoSound()
{
    videoSoundMuted_ = !videoSoundMuted_;
    reapplyVideoSound();
    emit videoSoundChanged(videoVolume_, videoSoundMuted_);
}

double CBCGPMediaPlayerView::soundFactor(int percent)
{
    const double fraction = std::clamp(percent, 0, 100) / 100.0;
    return fraction * fraction * fraction;
}

void CBCGPMediaPlayerView::SetVideoVolume(int percent)
{
    videoVolume_ = std::clamp(percent, 0, 100);
    videoSoundMuted_ = false;
    reapplyVideoSound();
    emit videoSoundChanged(videoVolume_, false);
}

void CBCGPMediaPlayerView::StepVideoVolume(int deltaPercent)
{
    SetVideoVolume(videoVolume_ + deltaPercent);
}

void CBCGPMediaPlayerView::reapplyVideoSound()
{
    media_->setSoundVolume(videoSoundMuted_ ? 0.0 : soundFactor(videoVolume_));
}

void CBCGPMediaPlayerView::wheelOverPicture(const QWheelEvent& wheel)
{
    // One notch (120 eighths of a degree) is one volume step; up is louder.
    constexpr int kNotch = 120;
    wheelRemainder_ += wheel.angleDelta().y();
    const int notches = wheelRemainder_ / kNotch;
    wheelRemainder_ -= notches * kNotch;
    if (notches != 0)
        StepVideoVolume(notches * kVolumeStep);
}

void CBCGPMediaPlayerView::TakeScreenshot()
{
    const QString path =
        screenshots_->TakeScreenshot(*this, clientRect_, isWindowed(), isBarRaised());
    emit screenshotTaken(path, screenshots_->folder());
}

void CBCGPMediaPlayerView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ToggleFullScreen();
}

bool CBCGPMediaPlayerView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        barWatcher_->setPointerY(mapFromGlobal(move->globalPosition().toPoint()).y());
    } else if (watched == scene_ && event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            ToggleFullScreen();
            return true;
        }
    } else if (watched == scene_ && event->type() == QEvent::Wheel) {
        wheelOverPicture(*static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Full screen -----------------------------------------------------------------------

void CBCGPMediaPlayerView::ToggleFullScreen()
{
    auto* frame = dynamic_cast<FullScreenHost*>(window());
    if (!frame)
        return;
    if (isWindowed()) {
        frame->SetWindowState(WindowState::FullScreen);
        windowState_ = WindowState::FullScreen;
        // Out of sight at the bottom edge until the watcher lifts it.
        barWatcher_->start();
    } else {
        barWatcher_->stop();
        frame->SetWindowState(WindowState::Windowed);
        windowState_ = WindowState::Windowed;
        bar_->show();
        bar_->setGeometry(0, height() - kBarHeight, width(), kBarHeight);
    }
}

bool CBCGPMediaPlayerView::isBarRaised() const
{
    return barWatcher_->isBarRaised();
}

bool CBCGPMediaPlayerView::isBarWatcherHeld() const
{
    return !barWatcher_->isWatching();
}
