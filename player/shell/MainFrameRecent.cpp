// CMainFrame's recent files: every file that plays goes to the top of the list the settings
// keep (ten at most), the Open Media menu lists them under its own entries, and choosing one
// opens it, or, when it is no longer there, says so and takes it off the list.
#include "MainFrame.h"

#include "CommandIds.h"
#include "MessagePresenter.h"
#include "ProductLinks.h"
#include "RecentFileTexts.h"
#include "SettingsStore.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {

// Marks the actions fillRecentFiles added, so that the next fill replaces them.
constexpr const char* kRecentMark = "velmoraRecentFile";

}  // namespace

void CMainFrame::createRecentFileCommands()
{
    for (int i = 0; i < kRecentFileCommands; ++i)
        commands_.add(recentFileCommand(i), [this, i] { openRecentFile(i); });
}

void CMainFrame::rememberRecentFile(const QString& path)
{
    SettingsStore store;
    store.addRecentFile(path);
    store.sync();
}

void CMainFrame::fillRecentFiles(QMenu* menu)
{
    for (QAction* action : menu->actions())
        if (action->property(kRecentMark).toBool())
            delete action;
    const QStringList files = SettingsStore().recentFiles();
    if (files.isEmpty())
        return;
    menu->addSeparator()->setProperty(kRecentMark, true);
    for (int i = 0; i < files.size() && i < kRecentFileCommands; ++i) {
        QAction* action = menu->addAction(recentfiles::menuCaption(i, files.at(i)));
        action->setData(toInt(recentFileCommand(i)));
        action->setToolTip(files.at(i));
        action->setProperty(kRecentMark, true);
    }
    menu->setToolTipsVisible(true);
}

void CMainFrame::openRecentFile(int index)
{
    SettingsStore store;
    const QStringList files = store.recentFiles();
    if (index < 0 || index >= files.size())
        return;
    const QString path = files.at(index);
    if (!QFileInfo(path).isFile()) {
        store.removeRecentFile(path);
        store.sync();
        messages_.information(this, product::kAppTitle,
                              recentfiles::missingMessage(language_, path));
        return;
    }
    OpenMediaFile(path);
}
