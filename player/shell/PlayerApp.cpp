#include "PlayerApp.h"

#include "AboutDialog.h"
#include "ArrowKeyState.h"
#include "CommandIds.h"
#include "CommandLine.h"
#include "FileDropOpener.h"
#include "MainFrame.h"
#include "MediaPlayerView.h"
#include "PluginCommands.h"
#include "ProductLinks.h"
#include "Resources.h"
#include "SettingsStore.h"
#include "StorageFolders.h"
#include "UpdateCheck.h"

#include <QGuiApplication>
#include <QScreen>

const QString CPlayerApp::kDepthWarning = QStringLiteral(
    "The current display settings will not allow this application to display itself "
    "properly.\r\nPlease change the display color setting to 'Highest (32 bit)' and run this "
    "application again");

std::string CPlayerApp::moduleDirectoryOf(const QString& programDirectory)
{
    QString dir = programDirectory;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir.toStdString();
}

CPlayerApp::CPlayerApp(const QString& programDirectory, QObject* parent) : QObject(parent)
{
    state_.moduleDirectory = moduleDirectoryOf(programDirectory);
    state_.dataDirectory = storage::userDataFolderFor(programDirectory).toStdString();
    commands_.add(Command::AppAbout, [this] { ShowAbout(); });
    commands_.add(Command::CheckForUpdate, [this] { CheckForUpdate(); });
    // The document holds nothing: a new document changes nothing.
    commands_.add(Command::FileNew, [] {});
    displayDepth_ = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->depth() : 32;
    };
}

CPlayerApp::~CPlayerApp()
{
    // The frame (and its view's threads) go first, then the waiting update workers.
    frame_.reset();
    updateCheck_.reset();
}

bool CPlayerApp::InitInstance(const QStringList& args)
{
    velmora::initResources();
    QGuiApplication::setApplicationDisplayName(product::kAppTitle);
    // The settings store: organisation "MediaVelmora", application "settings".
    SettingsStore settings;
    Q_UNUSED(settings);

    keys_ = std::make_unique<ArrowKeyState>();
    updateCheck_ = std::make_unique<UpdateCheck>(*messages_, updateDelay_);
    frame_ = std::make_unique<CMainFrame>(state_, *chooser_, *messages_, keys_.get(), this);
    pluginCommands_ = std::make_unique<PluginCommands>(state_, *messages_, frame_.get());
    // Videos dropped on the window open as "Open..." would; the frame owns the watcher.
    new FileDropOpener(*frame_, [frame = frame_.get()](const QStringList& paths) {
        frame->OpenMediaFiles(paths);
    });

    frame_->show();
    frame_->raise();

    if (displayDepth_() < 16)
        messages_->information(frame_.get(), product::kAppTitle, kDepthWarning);

    // Files named on the command line (paths or file:// URIs) are the playlist; the first
    // is opened and played as "Open..." would.
    const cmdline::Request request = cmdline::parse(args);
    if (request.stats && frame_->activeView())
        frame_->activeView()->EnableStats();
    if (!request.files.isEmpty())
        frame_->OpenMediaFiles(request.files);
    return true;
}

int CPlayerApp::ExitInstance(int loopResult)
{
    frame_.reset();
    updateCheck_.reset();
    return loopResult;
}

bool CPlayerApp::handleCommand(Command id)
{
    return (pluginCommands_ && pluginCommands_->handleCommand(id)) || commands_.handleCommand(id);
}

bool CPlayerApp::updateCommand(Command id, CommandState& state)
{
    return (pluginCommands_ && pluginCommands_->updateCommand(id, state)) ||
           commands_.updateCommand(id, state);
}

void CPlayerApp::ShowAbout()
{
    AboutDialog dialog(frame_.get());
    dialog.exec();
}

void CPlayerApp::CheckForUpdate()
{
    if (updateCheck_)
        updateCheck_->start();
}
