#include "MediaPlayerView.h"

#include "AppState.h"
#include "BarWatcher.h"
#include "CommandIds.h"
#include "FileChooser.h"
#include "MessagePresenter.h"
#include "NavigationBar.h"
#include "PositionClock.h"
#include "ProgressSlider.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"
#include "Screenshot.h"
#include "SpeakerCommands.h"
#include "UiCallQueue.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

using view_layout::kBarHeight;

const QString CBCGPMediaPlayerView::kDecoderMessage = QStringLiteral(
    "Not find a suitable decoder, Recommend that you use Perfect decoder"
    "(menu->plugin->Perfect decoder).");

namespace {

const QString kMessageTitle = QStringLiteral("MediaVelmora Player");
// How often the full-screen bar watcher looks at the pointer.
constexpr std::chrono::milliseconds kWatchInterval{25};

}  // namespace

CBCGPMediaPlayerView::CBCGPMediaPlayerView(AppState& app, FileChooser& chooser,
                                           MessagePresenter& messages, KeyStateSource* keys,
                                           QWidget* parent)
    : QWidget(parent), app_(app), chooser_(chooser), messages_(messages),
      renderer_(std::make_unique<SceneRenderer>(keys)),
      uiCalls_(std::make_unique<UiCallQueue>(this)),
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
    renderTimer_.start(kRenderPeriodMs, this);
    initialUpdate();
}

CBCGPMediaPlayerView::~CBCGPMediaPlayerView()
{
    renderTimer_.stop();
    endClock();
    barWatcher_.reset();
    // The scene widget releases its GL objects while the renderer still exists.
    delete scene_;
    scene_ = nullptr;
}

void CBCGPMediaPlayerView::initialUpdate()
{
    bar_ = new CNavigationBar(this);
    bar_->setObjectName(QStringLiteral("navigationBar"));
    bar_->loadButtons();
    connect(bar_, &CNavigationBar::commandIssued, this, &CBCGPMediaPlayerView::commandIssued);
    connect(bar_, &CNavigationBar::seekRequested, this, &CBCGPMediaPlayerView::SeekToPercent);
    bar_->setGeometry(0, height() - kBarHeight, width(), kBarHeight);
    bar_->raise();
    updateBarCommands();
    // Held at once: it runs only in full-screen mode.
    barWatcher_ = std::make_unique<BarWatcher>(kWatchInterval, [this] { barWatcherPass(); });
}

// ---- Commands --------------------------------------------------------------------------

void CBCGPMediaPlayerView::createCommands()
{
    const auto whileOpen = [this](CommandState& state) {
        state.enabled = playState_ != PlayState::NoVideo;
    };
    commands_.add(Command::Back, [this] { Back(); }, whileOpen);
    commands_.add(Command::Previous, [this] { Back(); }, whileOpen);
    commands_.add(Command::Forward, [this] { Forward(); }, whileOpen);
    commands_.add(Command::Next, [this] { Forward(); }, whileOpen);
    commands_.add(Command::Stop, [this] { Stop(); }, whileOpen);
    commands_.add(Command::Play, [this] { TogglePlayPause(); }, whileOpen);
    commands_.add(Command::Sound, [this] { speakers_->ToggleMute(bar_); });
    commands_.add(Command::Volume, [this] { speakers_->ToggleVolumePopup(QCursor::pos()); });
}

void CBCGPMediaPlayerView::updateBarCommands()
{
    if (!bar_)
        return;
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
        return;
    }
    OpenMediaPath(path);
}

bool CBCGPMediaPlayerView::OpenMediaPath(const QString& path)
{
    app_.currentMediaPath = path.toStdString();
    if (!renderer_->OpenVideo(app_.currentMediaPath)) {
        // The library has already let go of any earlier video: stop its clock and reset
        // the bar so that nothing pretends to play.
        if (clock_)
            Stop();
        messages_.information(this, kMessageTitle, kDecoderMessage);
        return false;
    }
    videoWidth_ = renderer_->QueryVideoWidth();
    videoHeight_ = renderer_->QueryVideoHeight();
    if (bar_)
        bar_->progressSlider()->setEnabled(true);
    positionSeconds_ = 0;
    mediaActive_ = 1;
    endClock();
    startClock();
    if (bar_) {
        bar_->setPlayIcon(0);
        bar_->progressSlider()->setPos(0, true);
        bar_->setTimeText(CNavigationBar::kZeroTime);
    }
    reapplySettings();
    return true;
}

void CBCGPMediaPlayerView::Stop()
{
    mediaActive_ = 0;
    endClock();
    renderer_->CloseVideo();
    if (bar_) {
        bar_->progressSlider()->setPos(0, true);
        bar_->setTimeText(CNavigationBar::kZeroTime);
        bar_->setPlayIcon(1);
    }
}

void CBCGPMediaPlayerView::TogglePlayPause()
{
    if (!mediaActive_)
        return;
    if (playState_ == PlayState::Playing) {
        if (bar_)
            bar_->setPlayIcon(1);
        playState_ = PlayState::Paused;
        renderer_->PauseVideo();
        if (clock_)
            clock_->hold();
        renderer_->SetSpin(0, spinStep_);
    } else if (playState_ == PlayState::Paused) {
        if (bar_)
            bar_->setPlayIcon(0);
        playState_ = PlayState::Playing;
        // Reopening the paused file continues from where it was paused.
        renderer_->OpenVideo(app_.currentMediaPath);
        if (clock_)
            clock_->release();
        reapplySettings();
    }
    updateBarCommands();
}

void CBCGPMediaPlayerView::Back()
{
    if (!mediaActive_ || positionSeconds_ < 100)
        return;
    const int target = positionSeconds_ -= 100;
    renderer_->SeekTo(target);
    showPosition(target, true);
}

void CBCGPMediaPlayerView::Forward()
{
    if (!mediaActive_ || positionSeconds_ > app_.mediaDurationMs / 1000 - 100)
        return;
    const int target = positionSeconds_ += 100;
    renderer_->SeekTo(target);
    showPosition(target, true);
}

void CBCGPMediaPlayerView::SeekToPercent(int percent)
{
    const int target = view_layout::secondsForPercent(app_.mediaDurationMs, percent);
    positionSeconds_ = target;
    renderer_->SeekTo(target);
    // The slider is where the user put it; only the time follows at once.
    if (mediaActive_)
        showPosition(target, false);
}

int CBCGPMediaPlayerView::totalSeconds() const
{
    return app_.mediaDurationMs / 1000;
}

void CBCGPMediaPlayerView::showPosition(int seconds, bool moveSlider)
{
    if (!bar_)
        return;
    const int total = totalSeconds();
    if (moveSlider)
        bar_->progressSlider()->setPos(view_layout::progressPercent(seconds, total), true);
    bar_->setTimeText(view_layout::timeText(seconds, total));
}

// ---- Position clock --------------------------------------------------------------------

void CBCGPMediaPlayerView::startClock()
{
    const unsigned generation = ++clockGeneration_;
    clock_ = std::make_unique<PositionClock>(
        clockStep_, [this] { return mediaActive_.load() != 0; },
        [this, generation] { return clockStep(generation); });
}

void CBCGPMediaPlayerView::endClock()
{
    // Updates that an ended clock has already queued are dropped by their generation.
    ++clockGeneration_;
    clock_.reset();
}

bool CBCGPMediaPlayerView::isPositionClockHeld() const
{
    return clock_ && clock_->isHeld();
}

bool CBCGPMediaPlayerView::clockStep(unsigned generation)
{
    const int total = app_.mediaDurationMs.load() / 1000;
    const int position = ++positionSeconds_;
    // A duration of 0 is unknown: the clock counts on and never stops the playback.
    if (total > 0 && position >= total) {
        uiCalls_->post([this, generation] {
            if (generation == clockGeneration_ && mediaActive_)
                Stop();
        });
        return false;
    }
    uiCalls_->post([this, generation] {
        if (generation == clockGeneration_ && mediaActive_)
            showPosition(positionSeconds_.load(), true);
    });
    return true;
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
    renderer_->ChangeRate(value * 0.01);
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
    clientBottom_ = clientRect_.height();
    scene_->setGeometry(clientRect_);
    if (bar_)
        bar_->setGeometry(0, clientRect_.height() - kBarHeight, clientRect_.width(), kBarHeight);
    // In full screen the watcher places the bar again on its next pass.
    barRaised_ = 0;
    barMoved_ = true;
    if (sizeMode_ == SizeMode::OriginalSize)
        SetProportion(proportion_);
    else
        applyViewport(view_layout::fullView(clientRect_.width(), clientRect_.height()));
    QWidget::resizeEvent(event);
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
    if (sizeMode_ == SizeMode::FullView)
        applyViewport(view_layout::fullView(clientRect_.width(), clientRect_.height()));
    // An empty viewport invalidates nothing, so no frame is drawn.
    if (!renderer_->viewportRect().isEmpty())
        scene_->update();
    updateBarCommands();
}

void CBCGPMediaPlayerView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !isWindowed()) {
        ToggleFullScreen();
        return;
    }
    if (event->key() == Qt::Key_F12)
        TakeScreenshot();
    QWidget::keyPressEvent(event);
}

void CBCGPMediaPlayerView::TakeScreenshot()
{
    screenshots_->TakeScreenshot(*this, clientRect_, isWindowed(), isBarRaised());
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
        cursorY_ = mapFromGlobal(move->globalPosition().toPoint()).y();
    } else if (watched == scene_ && event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            ToggleFullScreen();
            return true;
        }
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
        windowedFlag_ = 0;
        // Out of sight at the bottom edge until the watcher lifts it.
        if (bar_) {
            bar_->setGeometry(0, height(), width(), 0);
            barRaised_ = 0;
            barMoved_ = true;
            barWatcher_->release();
        }
    } else {
        if (bar_)
            barWatcher_->hold();
        frame->SetWindowState(WindowState::Windowed);
        windowState_ = WindowState::Windowed;
        windowedFlag_ = 1;
        if (bar_) {
            bar_->show();
            bar_->setGeometry(0, height() - kBarHeight, width(), kBarHeight);
            barRaised_ = 0;
        }
    }
}

bool CBCGPMediaPlayerView::isBarWatcherHeld() const
{
    return barWatcher_ && barWatcher_->isHeld();
}

void CBCGPMediaPlayerView::barWatcherPass()
{
    if (windowedFlag_.load())
        return;
    const int band = view_layout::barRaisedFor(clientBottom_.load(), cursorY_.load()) ? 1 : 0;
    if (barMoved_.exchange(false))
        watcherBand_ = -1;
    // Move the bar only when its band changes; the move itself is the UI thread's.
    if (band == watcherBand_)
        return;
    watcherBand_ = band;
    barRaised_ = band;
    uiCalls_->post([this, band] { placeBar(band != 0); });
}

void CBCGPMediaPlayerView::placeBar(bool raised)
{
    if (isWindowed() || !bar_)
        return;
    const int w = clientRect_.width(), h = clientRect_.height();
    const QRect band = raised ? QRect(0, h - 2 * kBarHeight, w, kBarHeight)
                              : QRect(0, h - kBarHeight, w, kBarHeight);
    if (bar_->geometry() != band)
        bar_->setGeometry(band);
}
