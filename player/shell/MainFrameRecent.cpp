// CMainFrame's recent files: every file that plays goes to the top of the list (ten at
// most, kept in the settings with the rest of the workspace when the window closes), the Open
// Media menu lists them under its own entries, and choosing one opens it, or, when it is no
// longer there, says so and takes it off the list.
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
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > SettingsStore::kRecentFileCount)
        recentFiles_.removeLast();
}

void CMainFrame::fillRecentFiles(QMenu* menu)
{
    for (QAction* action : menu->actions())
        if (action->property(kRecentMark).toBool())
            delete action;
    const QStringList& files = recentFiles_;
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
    if (index < 0 || index >= recentFiles_.size())
        return;
    const QString path = recentFiles_.at(index);
    if (!QFileInfo(path).isFile()) {
        recentFiles_.removeAll(path);
        messages_.information(this, product::kAppTitle,
                              recentfiles::missingMessage(language_, path));
        return;
    }
    OpenMediaFile(path);
}
