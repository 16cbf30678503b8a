// CMainFrame's bars and commands: the explorer toolbar, the two panels tabbed in one dock at
// the left, the language that captions them (kept in lang.dat), and the frame's command table.
#include "MainFrame.h"

#include "AppState.h"
#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "DockWidthKeeper.h"
#include "EqualizerBar.h"
#include "ExplorerBar.h"
#include "LanguageFile.h"
#include "LanguageTables.h"
#include "MediaPlayerView.h"
#include "MediaSession.h"
#include "ProductLinks.h"
#include "ShortcutsDialog.h"
#include "SkinFloatFrame.h"
#include "SkinStyle.h"
#include "StorageFolders.h"
#include "VisualManager.h"

#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

namespace {

// The language commands and the language each applies.
struct LanguageCommand {
    Command command;
    int language;
};
constexpr LanguageCommand kLanguageCommands[] = {
    {Command::LanguageEnglish, 0}, {Command::LanguageGerman, 1},  {Command::LanguageFrench, 2},
    {Command::LanguageSpanish, 3}, {Command::LanguageItalian, 4}, {Command::LanguageRussian, 5},
};

}  // namespace

void CMainFrame::createCommands()
{
    commands_.add(Command::FileOpen, [this] { OpenMediaFile(); });
    commands_.add(
        Command::ToggleControlPanel, [this] { togglePanel(controlPanel_); },
        [this](CommandState& state) { state.checked = !controlPanel_->isHidden(); });
    commands_.add(
        Command::TogglePropertyPanel, [this] { togglePanel(mediaInfoPanel_); },
        [this](CommandState& state) { state.checked = !mediaInfoPanel_->isHidden(); });
    commands_.add(Command::KeyboardShortcuts, [this] { ShowKeyboardShortcuts(); });
    commands_.add(Command::ResetLayout, [this] { ResetLayout(); });
    commands_.add(
        Command::LoadSubtitleFile, [this] { LoadSubtitleFile(); },
        [this](CommandState& state) { state.enabled = view_->media().isOpen(); });
    commands_.add(
        Command::ShowSubtitles, [this] { view_->SetSubtitlesShown(!view_->subtitlesShown()); },
        [this](CommandState& state) { state.checked = view_->subtitlesShown(); });
    createRecentFileCommands();
    commands_.add(
        Command::PlayNextAtEnd, [this] { view_->SetPlayNextAtEnd(!view_->playsNextAtEnd()); },
        [this](CommandState& state) { state.checked = view_->playsNextAtEnd(); });
    commands_.add(
        Command::ResumePlayback, [this] { view_->SetResumeEnabled(!view_->resumesPlayback()); },
        [this](CommandState& state) { state.checked = view_->resumesPlayback(); });
    commands_.add(Command::ProductSite,
                  [] { QDesktopServices::openUrl(QUrl(product::kHomePage)); });
    for (const LanguageCommand& entry : kLanguageCommands)
        commands_.add(entry.command,
                      [this, language = entry.language] { ApplyLanguage(language); });
}

void CMainFrame::togglePanel(QWidget* panel)
{
    panel->setVisible(panel->isHidden());
}

void CMainFrame::createBars()
{
    explorerBar_ = new CExplorerBar(this);
    addToolBar(Qt::TopToolBarArea, explorerBar_);
    explorerBar_->setCommandUpdater([this](Command id) { return router_.update(id); });
    connect(explorerBar_, &CExplorerBar::commandTriggered, this, &CMainFrame::dispatchCommand);
    connect(explorerBar_, &CExplorerBar::fileMenuAboutToShow, this, &CMainFrame::fillRecentFiles);
    explorerBar_->InsertInitialButtons();
}

void CMainFrame::createDocks()
{
    mediaInfoPanel_ = new CEqualizerBar(QString::fromUtf8(lang::mediaInfoPanelName(0)), this);
    controlPanel_ = new CColorChooserBar(QString::fromUtf8(lang::controlPanelName(0)), this,
                                         skin_, this);

    setDockNestingEnabled(false);
    for (QDockWidget* panel : {static_cast<QDockWidget*>(mediaInfoPanel_),
                               static_cast<QDockWidget*>(controlPanel_)}) {
        panel->setAllowedAreas(Qt::AllDockWidgetAreas);
        panel->setStyle(skinStyle_);
        new SkinFloatFrame(*skin_, panel);  // the skin's caption and borders while floating
    }
    addDockWidget(Qt::LeftDockWidgetArea, mediaInfoPanel_);
    tabifyDockWidget(mediaInfoPanel_, controlPanel_);
    mediaInfoPanel_->show();
    controlPanel_->show();
    controlPanel_->raise();  // the control panel's tab is the active one
    const int panelWidth = controlPanel_->sizeHint().width();
    resizeDocks({mediaInfoPanel_}, {panelWidth}, Qt::Horizontal);
    dockWidth_ = new DockWidthKeeper(this, {controlPanel_, mediaInfoPanel_}, panelWidth);
    // The tab bar exists once the frame has laid the docks out.
    QTimer::singleShot(0, dockWidth_, &DockWidthKeeper::fitTabs);
    defaultLayout_ = saveState();
}

void CMainFrame::ResetLayout()
{
    if (!isWindowedState())
        view_->ToggleFullScreen();
    // Both panels docked on the left as tabs, the control panel's in front, at their width,
    // in a window of the first start's size.
    restoreState(defaultLayout_);
    for (QDockWidget* panel : {static_cast<QDockWidget*>(mediaInfoPanel_),
                               static_cast<QDockWidget*>(controlPanel_)}) {
        panel->setFloating(false);
        panel->show();
    }
    controlPanel_->raise();
    if (isMaximized())
        showNormal();
    resize(kFirstStartSize);
    fitFirstStartSize();
    // Once the frame has laid out the docks it got back.
    QTimer::singleShot(0, dockWidth_, [this] {
        dockWidth_->resetWidth(controlPanel_->sizeHint().width());
    });
}

void CMainFrame::restoreLanguage()
{
    if (const std::optional<int> language =
            langfile::read(QString::fromStdString(app_.dataFolder())))
        ApplyLanguage(*language);
}

void CMainFrame::ApplyLanguage(int index)
{
    if (!lang::isValid(index))
        return;
    language_ = index;
    // Subtitle files that are not Unicode are most often in the code page of the language:
    // Windows-1251 for Russian (index 5), Windows-1252 for the others.
    constexpr int kRussian = 5;
    MediaSession::setSubtitleEncoding(index == kRussian ? "WINDOWS-1251" : "");
    if (shortcutsDialog_)
        shortcutsDialog_->setLanguage(index);
    controlPanel_->setWindowTitle(QString::fromUtf8(lang::controlPanelName(index)));
    mediaInfoPanel_->setWindowTitle(QString::fromUtf8(lang::mediaInfoPanelName(index)));
    explorerBar_->RebuildMenus(index);
    controlPanel_->SetLanguage(index);
    // The tabs take their new titles when the frame next lays out its docks.
    QTimer::singleShot(0, dockWidth_, &DockWidthKeeper::fitTabs);
    // A folder that cannot be written keeps the language for this run only.
    if (storage::makeDataFolder(app_))
        langfile::write(QString::fromStdString(app_.dataFolder()), index);
}

void CMainFrame::showBars(bool show)
{
    for (QWidget* bar : {static_cast<QWidget*>(explorerBar_), static_cast<QWidget*>(controlPanel_),
                         static_cast<QWidget*>(mediaInfoPanel_)})
        if (bar)
            bar->setVisible(show);
}
