#include "MainFrame.h"

#include "AppState.h"
#include "CommandIds.h"
#include "EqualizerBar.h"
#include "MediaInfoRead.h"
#include "MediaPlayerDoc.h"
#include "MediaPlayerView.h"
#include "ProductLinks.h"
#include "SettingsStore.h"
#include "SkinColor.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QScreen>
#include <QTimer>

CMainFrame::CMainFrame(AppState& app, FileChooser& chooser, MessagePresenter& messages,
                       KeyStateSource* keys, CommandTarget* appTarget, QWidget* parent)
    : QMainWindow(parent), app_(app), chooser_(chooser), messages_(messages)
{
    setWindowTitle(product::kAppTitle);
    setObjectName(QStringLiteral("mainFrame"));
    resize(960, 680);
    createView(keys);
    router_.setChain({view_, this, appTarget});
    createActions();
    createBars();
    createDocks();
    mediaInfoRead_ = new MediaInfoRead(this);
    connect(mediaInfoRead_, &MediaInfoRead::finished, this, &CMainFrame::takeMediaReport);
    readSettings();
    restoreLanguage();
    updateTimer_ = new QTimer(this);
    connect(updateTimer_, &QTimer::timeout, this, &CMainFrame::updateCommandUI);
    updateTimer_->start(200);
    updateCommandUI();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::createView(KeyStateSource* keys)
{
    doc_ = new CBCGPMediaPlayerDoc(this);
    view_ = new CBCGPMediaPlayerView(app_, chooser_, messages_, keys, this);
    view_->setObjectName(QStringLiteral("view"));
    setCentralWidget(view_);
}

QAction* CMainFrame::addCommandAction(int id, const QString& text, const QKeySequence& shortcut)
{
    auto* act = new QAction(text, this);
    act->setData(id);
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
    addCommandAction(cmd::FileOpen, tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommandAction(cmd::FileNew, tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommandAction(cmd::AppAbout, tr("About"));
    addCommandAction(cmd::CheckForUpdate, tr("Check for update"));
    addCommandAction(cmd::Back, tr("Back"));
    addCommandAction(cmd::Forward, tr("Forward"));
}

void CMainFrame::readSettings()
{
    SettingsStore store;
    const QByteArray geometry =
        store.getBytes(QLatin1String(SettingsStore::kWorkspaceSection), QStringLiteral("Geometry"));
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const QByteArray state =
        store.getBytes(QLatin1String(SettingsStore::kWorkspaceSection), QStringLiteral("BarState"));
    if (!state.isEmpty())
        restoreState(state);
}

void CMainFrame::writeSettings()
{
    SettingsStore store;
    // Full screen is not a state to come back to.
    if (windowed_)
        store.writeBytes(QLatin1String(SettingsStore::kWorkspaceSection),
                         QStringLiteral("Geometry"), saveGeometry());
    store.writeBytes(QLatin1String(SettingsStore::kWorkspaceSection), QStringLiteral("BarState"),
                     saveState());
    store.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!windowed_ && view_)
        view_->ToggleFullScreen();
    writeSettings();
    QMainWindow::closeEvent(event);
}

QAction* CMainFrame::action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::dispatchCommand(int id)
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

bool CMainFrame::handleCommand(int id)
{
    if (handleBarCommand(id))
        return true;
    if (id == cmd::FileOpen) {
        OpenMediaFile();
        return true;
    }
    return false;
}

bool CMainFrame::updateCommand(int id, CommandState& state)
{
    if (updateBarCommand(id, state))
        return true;
    if (id == cmd::FileOpen) {
        state.enabled = true;
        return true;
    }
    return false;
}

// ---- Open sequence ---------------------------------------------------------------------

void CMainFrame::OpenMediaFile()
{
    if (!view_)
        return;
    view_->OpenMedia();
    // Whether or not a file was chosen: read the (possibly unchanged) file, then play.
    ReadMediaInfo();
    view_->setPlayState(1);
    updateCommandUI();
}

void CMainFrame::OpenMediaFile(const QString& path)
{
    if (!view_)
        return;
    view_->OpenMediaPath(path);
    ReadMediaInfo();
    view_->setPlayState(1);
    updateCommandUI();
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

void CMainFrame::SetFullScreen(int on)
{
    if (on == 1) {
        savedGeometry_ = geometry();
        savedState_ = windowState();
        windowed_ = 0;
        // The bars that the view does not own are hidden; the view hides its transport bar.
        showBars(false);
        const QRect window = geometry();
        const QRect view = viewScreenRect();
        const QRect screenArea = screen() ? screen()->geometry() : QRect(0, 0, 1024, 768);
        // The view covers the screen; the frame's border and remaining bars lie outside it,
        // and the view reaches 66 pixels below the bottom edge, where its transport bar hides.
        const int left = window.left() - view.left() - 3;
        const int top = window.top() - view.top() - 3;
        const int right = (window.right() + 1) - (view.right() + 1) + screenArea.width() + 6;
        const int bottom = (window.bottom() + 1) - (view.bottom() + 1) + screenArea.height() + 66;
        fullScreenRect_ = QRect(QPoint(left, top) + screenArea.topLeft(),
                                QPoint(right - 1, bottom - 1) + screenArea.topLeft());
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setWindowState(Qt::WindowNoState);
        setGeometry(fullScreenRect_);
    } else {
        windowed_ = 1;
        // Both panels come back even if they were hidden before.
        showBars(true);
        hide();
        setGeometry(savedGeometry_);
        setWindowState(savedState_);
        show();
    }
}

// ---- Scene settings forwarders ---------------------------------------------------------

void CMainFrame::SetSizeMode(int mode)
{
    if (auto* view = activeView())
        view->SetSizeMode(mode);
}

void CMainFrame::SetProportion(int value)
{
    if (auto* view = activeView())
        view->SetProportion(value);
}

void CMainFrame::SetSurface(int mode, int depth, int p1, int p2, int p3, int p4, int p5, int p6,
                            int p7, int p8)
{
    if (auto* view = activeView())
        view->SetSurface(mode, depth, p1, p2, p3, p4, p5, p6, p7, p8);
}

void CMainFrame::SetShape(int kind)
{
    if (auto* view = activeView())
        view->SetShape(kind);
}

void CMainFrame::SetPlayRate(int value)
{
    if (auto* view = activeView())
        view->SetPlayRate(value);
}

void CMainFrame::SetRotation(int enabled, int speed)
{
    if (auto* view = activeView())
        view->SetRotation(enabled, speed);
}
