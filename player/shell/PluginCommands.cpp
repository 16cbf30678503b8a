#include "PluginCommands.h"

#include "AppState.h"
#include "CodecDownloads.h"
#include "CommandIds.h"
#include "FilterListDialog.h"
#include "MessagePresenter.h"
#include "PluginRecord.h"
#include "ProductLinks.h"
#include "SettingsStore.h"
#include "StorageFolders.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

PluginCommands::PluginCommands(AppState& app, MessagePresenter& messages, QWidget* owner)
    : app_(app), messages_(messages), owner_(owner)
{
    add(Command::ShowPlugins, [this] { ShowPlugins(); });
    add(Command::HomePage, [this] { OpenHomePage(); });
    for (const codecdownloads::CodecDownload& download : codecdownloads::all())
        add(download.command, [this, &download] { Download(download); });
}

void PluginCommands::ShowPlugins()
{
    FilterListDialog dialog(owner_, [](const QString& section, const QString& key) {
        return SettingsStore().getBytes(section, key);
    });
    dialog.exec();
}

bool PluginCommands::Download(const codecdownloads::CodecDownload& download)
{
    const std::string record = app_.dataFolder() + pluginrecord::kFileName;
    if (!storage::makeDataFolder(app_) || !pluginrecord::write(record, {download.displayName, download.fileName, download.url})) {
        messages_.information(owner_, product::kAppTitle, QStringLiteral("ERROR"));
        return false;
    }
    // The downloader reads the record beside itself, or the one it is given when the record
    // lives in the user's data folder. Whether it starts is not reported: a missing downloader
    // is silent.
    QStringList arguments;
    if (!app_.dataDirectory.empty())
        arguments << QString::fromStdString(record);
    QProcess::startDetached(QString::fromStdString(app_.moduleDirectory) + QStringLiteral("plugin"),
                            arguments);
    return true;
}

void PluginCommands::OpenHomePage()
{
    QDesktopServices::openUrl(QUrl(product::kHomePage));
}
