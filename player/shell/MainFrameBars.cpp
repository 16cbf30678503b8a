// CMainFrame's bars: the explorer toolbar, the two panels tabbed in one dock at the left, the
// language that captions them (kept in lang.dat), the panel toggles and the commands of the
// control panel's push buttons, which come back to the panel through the frame.
#include "MainFrame.h"

#include "AppState.h"
#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "EqualizerBar.h"
#include "ExplorerBar.h"
#include "LanguageFile.h"
#include "LanguageTables.h"
#include "ProductLinks.h"
#include "SkinColor.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// The language commands and the index each applies.
int languageOfCommand(Command id)
{
    switch (id) {
    case Command::LanguageEnglish: return 0;
    case Command::LanguageGerman: return 1;
    case Command::LanguageFrench: return 2;
    case Command::LanguageSpanish: return 3;
    case Command::LanguageItalian: return 4;
    case Command::LanguageRussian: return 5;
    default: return -1;
    }
}

}  // namespace

void CMainFrame::createBars()
{
    explorerBar_ = new CExplorerBar(this);
    addToolBar(Qt::TopToolBarArea, explorerBar_);
    explorerBar_->setCommandUpdater([this](Command id) { return router_.update(id); });
    connect(explorerBar_, &CExplorerBar::commandTriggered, this, &CMainFrame::dispatchCommand);
    explorerBar_->InsertInitialButtons();
}

void CMainFrame::createDocks()
{
    // The skin colour lives in the settings until the skin itself recolours with it.
    skinColor_ = std::make_unique<SkinColorSettings>();

    mediaInfoPanel_ = new CEqualizerBar(QString::fromUtf8(lang::mediaInfoPanelName(0)), this);
    controlPanel_ = new CColorChooserBar(QString::fromUtf8(lang::controlPanelName(0)), this,
                                         skinColor_.get(), this);
    connect(controlPanel_, &CColorChooserBar::commandIssued, this, &CMainFrame::dispatchCommand);

    setDockNestingEnabled(false);
    for (QDockWidget* panel : {static_cast<QDockWidget*>(mediaInfoPanel_),
                               static_cast<QDockWidget*>(controlPanel_)})
        panel->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::LeftDockWidgetArea, mediaInfoPanel_);
    tabifyDockWidget(mediaInfoPanel_, controlPanel_);
    mediaInfoPanel_->show();
    controlPanel_->show();
    controlPanel_->raise();  // the control panel's tab is the active one
    resizeDocks({mediaInfoPanel_}, {controlPanel_->client()->sizeHint().width()}, Qt::Horizontal);
}

void CMainFrame::restoreLanguage()
{
    if (const std::optional<int> language =
            langfile::read(QString::fromStdString(app_.moduleDirectory)))
        ApplyLanguage(*language);
}

void CMainFrame::ApplyLanguage(int index)
{
    if (!lang::isValid(index))
        return;
    controlPanel_->setWindowTitle(QString::fromUtf8(lang::controlPanelName(index)));
    mediaInfoPanel_->setWindowTitle(QString::fromUtf8(lang::mediaInfoPanelName(index)));
    explorerBar_->RebuildMenus(index);
    controlPanel_->SetLanguage(index);
    // A folder that cannot be written keeps the language for this run only.
    langfile::write(QString::fromStdString(app_.moduleDirectory), index);
}

void CMainFrame::showBars(bool show)
{
    for (QWidget* bar : {static_cast<QWidget*>(explorerBar_), static_cast<QWidget*>(controlPanel_),
                         static_cast<QWidget*>(mediaInfoPanel_)})
        if (bar)
            bar->setVisible(show);
}

bool CMainFrame::handleBarCommand(Command id)
{
    switch (id) {
    case Command::ToggleControlPanel:
        controlPanel_->setVisible(controlPanel_->isHidden());
        return true;
    case Command::TogglePropertyPanel:
        mediaInfoPanel_->setVisible(mediaInfoPanel_->isHidden());
        return true;
    case Command::ResetSkinColor: controlPanel_->ResetSkinColor(); return true;
    case Command::ColorPresetBackward: controlPanel_->StepColorPreset(false); return true;
    case Command::ColorPresetForward: controlPanel_->StepColorPreset(true); return true;
    case Command::ScrollRight: controlPanel_->ScrollContent(10, 0); return true;
    case Command::ScrollLeft: controlPanel_->ScrollContent(-10, 0); return true;
    case Command::ScrollUp: controlPanel_->ScrollContent(0, -10); return true;
    case Command::ScrollDown: controlPanel_->ScrollContent(0, 10); return true;
    case Command::ProductSite:
        QDesktopServices::openUrl(QUrl(product::kHomePage));
        return true;
    default: break;
    }
    if (const int language = languageOfCommand(id); language >= 0) {
        ApplyLanguage(language);
        return true;
    }
    return false;
}

bool CMainFrame::updateBarCommand(Command id, CommandState& state)
{
    switch (id) {
    case Command::ToggleControlPanel:
        state.enabled = true;
        state.checked = !controlPanel_->isHidden();
        return true;
    case Command::TogglePropertyPanel:
        state.enabled = true;
        state.checked = !mediaInfoPanel_->isHidden();
        return true;
    case Command::ResetSkinColor:
    case Command::ColorPresetBackward:
    case Command::ColorPresetForward:
    case Command::ScrollRight:
    case Command::ScrollLeft:
    case Command::ScrollUp:
    case Command::ScrollDown:
    case Command::ProductSite:
        state.enabled = true;
        return true;
    default: break;
    }
    if (languageOfCommand(id) >= 0) {
        state.enabled = true;
        return true;
    }
    return false;
}
