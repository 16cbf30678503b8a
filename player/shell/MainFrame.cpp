#include "MainFrame.h"

#include "AppState.h"
#include "CommandIds.h"
#include "ColorChooserBar.h"
#include "EqualizerBar.h"
#include "ExplorerBar.h"
#include "FileChooser.h"
#include "MediaInfoRead.h"
#include "MediaSession.h"
#include "MediaPlayerDoc.h"
#include "MediaPlayerView.h"
#include "OnScreenNote.h"
#include "PlayerNotes.h"
#include "ProductLinks.h"
#include "SettingsStore.h"
#include "SkinFrame.h"
#include "SkinStyle.h"
#include "Transport.h"
#include "VisualManager.h"
#include "ViewLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLayout>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

// How often the actions' enabled and checked states are asked for.
constexpr int kCommandUpdateMs = 200;
// The player's own volume, 0 to 100, in the workspace section.
constexpr const char* kVideoVolumeKey = "VideoVolume";
// Whether the playlist's next file plays at the end of one, 1 or 0, in the workspace section.
constexpr const char* kPlayNextKey = "PlayNextAtEnd";
// Whether a file opened again goes on where it was left, 1 or 0, in the workspace section.
constexpr const char* kResumeKey = "ResumePlayback";
// The open dialog's folder, UTF-8, in the workspace section.
constexpr const char* kOpenFolderKey = "OpenFolder";

// Full screen: the frame's border lies this far outside the screen on every side, and the
// view reaches below the bottom edge by the transport bar's height and the border twice,
// which hides the bar until the pointer lifts it.
constexpr int kFullScreenBorder = 3;
constexpr int kBelowScreen = view_layout::kBarHeight + 2 * kFullScreenBorder;
// The screen assumed when the window has none.
constexpr QRect kFallbackScreen(0, 0, 1024, 768);

}  // namespace

CMainFrame::CMainFrame(AppState& app, FileChooser& chooser, MessagePresenter& messages,
                       KeyStateSource* keys, CommandTarget* appTarget, QWidget* parent)
    : QMainWindow(parent), app_(app), chooser_(chooser), messages_(messages)
{
    setWindowTitle(product::kAppTitle);
    setObjectName(QStringLiteral("mainFrame"));
    resize(kFirstStartSize);
    createSkin();
    createView(keys);
    createCommands();
    createActions();
    createBars();
    createDocks();
    router_.setChain({view_, this, controlPanel_, appTarget});
    explorerBar_->refreshCommandStates();
    mediaInfoRead_ = new MediaInfoRead(this);
    connect(mediaInfoRead_, &MediaInfoRead::finished, this, &CMainFrame::takeMediaReport);
    readSettings();
    restoreLanguage();
    createNotes();
    updateTimer_ = new QTimer(this);
    connect(updateTimer_, &QTimer::timeout, this, &CMainFrame::updateCommandUI);
    updateTimer_->start(kCommandUpdateMs);
    updateCommandUI();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::createSkin()
{
    // The default manager before any bar exists: the bars paint with its pictures.
    skin_ = new CVisualManager(QString(), this);
    CVisualManager::setDefaultManager(skin_);
    skinFrame_ = new SkinFrame(*skin_, this);
    skinStyle_ = new SkinStyle(*skin_);
    skinStyle_->setParent(this);
    setStyle(skinStyle_);
    connect(skin_, &CVisualManager::skinChanged, this, [this] { update(); });
}

void CMainFrame::createView(KeyStateSource* keys)
{
    doc_ = new CBCGPMediaPlayerDoc(this);
    view_ = new CBCGPMediaPlayerView(app_, chooser_, messages_, keys, this);
    view_->setObjectName(QStringLiteral("view"));
    setCentralWidget(view_);
    // The transport bar's buttons are dispatched like every other command.
    connect(view_, &CBCGPMediaPlayerView::commandIssued, this, &CMainFrame::dispatchCommand);
    connect(view_, &CBCGPMediaPlayerView::openFinished, this, &CMainFrame::finishOpen);
}

QAction* CMainFrame::addCommandAction(Command id, const QString& text, const QKeySequence& shortcut)
{
    auto* act = new QAction(text, this);
    act->setData(toInt(id));
    if (!shortcut.isEmpty()) {
        act->setShortcut(shortcut);
        act->setShortcutContext(Qt::WindowShortcut);
    }
    connect(act, &QAction::triggered, this, [this, id] { dispatchCommand(id); });
    addAction(act);  // accelerators work without a menu
    actions_[id] = act;
    return act;
}

void CMainFrame::createActions()
{
    addCommandAction(Command::FileOpen, tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommandAction(Command::FileNew, tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommandAction(Command::AppAbout, tr("About"));
    addCommandAction(Command::CheckForUpdate, tr("Check for update"));
    addCommandAction(Command::Back, tr("Back"));
    addCommandAction(Command::Forward, tr("Forward"));
}

void CMainFrame::readSettings()
{
    SettingsStore store;
    const QByteArray geometry =
        store.getBytes(QLatin1String(SettingsStore::kWorkspaceSection), QStringLiteral("Geometry"));
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    else
        fitFirstStartSize();
    const QByteArray state =
        store.getBytes(QLatin1String(SettingsStore::kWorkspaceSection), QStringLiteral("BarState"));
    if (!state.isEmpty())
        restoreState(state);
    view_->SetVideoVolume(store.getInt(QLatin1String(SettingsStore::kWorkspaceSection),
                                       QLatin1String(kVideoVolumeKey), 100));
    view_->SetPlayNextAtEnd(store.getInt(QLatin1String(SettingsStore::kWorkspaceSection),
                                         QLatin1String(kPlayNextKey), 1) != 0);
    view_->SetResumeEnabled(store.getInt(QLatin1String(SettingsStore::kWorkspaceSection),
                                         QLatin1String(kResumeKey), 1) != 0);
    view_->SetResumeFile(store.folder() + QStringLiteral("/resume-points.txt"));
    recentFiles_ = store.recentFiles();
    chooser_.setFolder(QString::fromUtf8(
        store.getBytes(QLatin1String(SettingsStore::kWorkspaceSection), QLatin1String(kOpenFolderKey))));
}

void CMainFrame::fitFirstStartSize()
{
    // Tall enough for the whole control panel, as far as the screen's free area allows.
    if (layout())
        layout()->activate();
    const int missing = std::max(0, controlPanel_->sizeHint().height() - controlPanel_->height());
    const QRect free = screen() ? screen()->availableGeometry() : kFallbackScreen;
    // The window draws its own caption: the window manager adds no title bar to allow for.
    resize(std::min(width(), free.width()), std::min(height() + missing, free.height()));
}

void CMainFrame::writeSettings()
{
    view_->RememberPosition();
    SettingsStore store;
    // Full screen is not a state to come back to.
    if (isWindowedState())
        store.writeBytes(QLatin1String(SettingsStore::kWorkspaceSection),
                         QStringLiteral("Geometry"), saveGeometry());
    store.writeBytes(QLatin1String(SettingsStore::kWorkspaceSection), QStringLiteral("BarState"),
                     saveState());
    store.writeInt(QLatin1String(SettingsStore::kWorkspaceSection),
                   QLatin1String(kVideoVolumeKey), view_->videoVolume());
    store.writeInt(QLatin1String(SettingsStore::kWorkspaceSection), QLatin1String(kPlayNextKey),
                   view_->playsNextAtEnd() ? 1 : 0);
    store.writeInt(QLatin1String(SettingsStore::kWorkspaceSection), QLatin1String(kResumeKey),
                   view_->resumesPlayback() ? 1 : 0);
    store.writeBytes(QLatin1String(SettingsStore::kWorkspaceSection), QLatin1String(kOpenFolderKey),
                     chooser_.folder().toUtf8());
    store.writeRecentFiles(recentFiles_);
    store.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!isWindowedState() && view_)
        view_->ToggleFullScreen();
    writeSettings();
    QMainWindow::closeEvent(event);
}

QAction* CMainFrame::action(Command id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::dispatchCommand(Command id)
{
    const bool handled = router_.dispatch(id);
    updateCommandUI();
    return handled;
}

void CMainFrame::updateCommandUI()
{
    for (const auto& [id, act] : actions_) {
        const CommandState state = router_.update(id);
        act->setEnabled(state.enabled);
        if (act->isCheckable())
            act->setChecked(state.checked);
    }
}

// ---- Open sequence ---------------------------------------------------------------------

void CMainFrame::OpenMediaFile()
{
    if (view_)
        view_->OpenMedia();
}

void CMainFrame::OpenMediaFile(const QString& path)
{
    if (view_)
        view_->OpenMediaPath(path);
}

void CMainFrame::OpenMediaFiles(const QStringList& paths)
{
    if (!view_ || paths.isEmpty())
        return;
    if (paths.size() == 1)
        view_->OpenMediaPath(paths.constFirst());
    else
        view_->OpenMediaPaths(paths);
}

void CMainFrame::finishOpen()
{
    // Whether or not a file was chosen or played: read the (possibly unchanged) file, then
    // play.
    ReadMediaInfo();
    view_->transport().setPlayState(PlayState::Playing);
    followOpenedFile();
    updateCommandUI();
}

void CMainFrame::followOpenedFile()
{
    // The file that plays names the window, as players show it, and its folder is where the
    // open dialog starts next; the program's name alone without one.
    const QString path = QString::fromStdString(app_.currentMediaPath);
    if (!view_->media().isOpen() || path.isEmpty()) {
        setWindowTitle(product::kAppTitle);
        return;
    }
    const QFileInfo file(path);
    setWindowTitle(file.fileName() + QStringLiteral(" - ") + product::kAppTitle);
    chooser_.setFolder(file.absolutePath());
    rememberRecentFile(file.absoluteFilePath());
}

void CMainFrame::ReadMediaInfo()
{
    app_.mediaDurationMs = 0;
    mediaInfoRead_->start(app_.currentMediaPath);
}

void CMainFrame::takeMediaReport(const mediainfo::MediaReport& report)
{
    lastReport_ = report;
    app_.mediaDurationMs = report.durationMs;
    showMediaReport(report);
}

void CMainFrame::showMediaReport(const mediainfo::MediaReport& report)
{
    if (!mediaInfoPanel_)
        return;
    for (int page = 0; page < CEqualizerBar::kPageCount; ++page)
        mediaInfoPanel_->setPageText(page, QString::fromStdString(report.pages[static_cast<size_t>(page)]));
}

// ---- Full screen -----------------------------------------------------------------------

QRect CMainFrame::viewScreenRect()
{
    if (layout())
        layout()->activate();
    const QPoint topLeft = view_->mapToGlobal(QPoint(0, 0));
    return QRect(topLeft, view_->size());
}

void CMainFrame::SetWindowState(WindowState state)
{
    if (state == WindowState::FullScreen) {
        savedGeometry_ = geometry();
        savedState_ = windowState();
        windowState_ = WindowState::FullScreen;
        // The bars that the view does not own are hidden; the view hides its transport bar.
        showBars(false);
        const QRect window = geometry();
        const QRect view = viewScreenRect();
        const QRect screenArea = screen() ? screen()->geometry() : kFallbackScreen;
        // The view covers the screen; the frame's border and remaining bars lie outside it.
        const int left = window.left() - view.left() - kFullScreenBorder;
        const int top = window.top() - view.top() - kFullScreenBorder;
        const int right = (window.right() + 1) - (view.right() + 1) + screenArea.width() +
                          2 * kFullScreenBorder;
        const int bottom =
            (window.bottom() + 1) - (view.bottom() + 1) + screenArea.height() + kBelowScreen;
        fullScreenRect_ = QRect(QPoint(left, top) + screenArea.topLeft(),
                                QPoint(right - 1, bottom - 1) + screenArea.topLeft());
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setWindowState(Qt::WindowNoState);
        setGeometry(fullScreenRect_);
    } else {
        windowState_ = WindowState::Windowed;
        // Both panels come back even if they were hidden before.
        showBars(true);
        hide();
        setGeometry(savedGeometry_);
        setWindowState(savedState_);
        show();
    }
}

// ---- Scene settings forwarders ---------------------------------------------------------

void CMainFrame::SetSizeMode(SizeMode mode)
{
    if (auto* view = activeView())
        view->SetSizeMode(mode);
}

void CMainFrame::SetProportion(int value)
{
    if (auto* view = activeView())
        view->SetProportion(value);
}

void CMainFrame::SetSurface(const SurfaceSettings& surface)
{
    if (auto* view = activeView())
        view->SetSurface(surface);
}

void CMainFrame::SetShape(ShapeKind kind)
{
    if (auto* view = activeView())
        view->SetShape(kind);
}

void CMainFrame::SetPlayRate(int value)
{
    auto* view = activeView();
    if (!view)
        return;
    view->SetPlayRate(value);
    if (note_)
        note_->showNote(notes::rate(language_, Transport::rateFor(value)));
}

void CMainFrame::SetRotation(int enabled, int speed)
{
    if (auto* view = activeView())
        view->SetRotation(enabled, speed);
}
