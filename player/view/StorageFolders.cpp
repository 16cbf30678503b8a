#include "StorageFolders.h"

#include "AppState.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace storage {

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

}  // namespace

bool isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    // access() also knows read-only mounts, which the permission bits do not show.
    return info.isDir() && ::access(QFile::encodeName(info.absoluteFilePath()).constData(),
                                    W_OK | X_OK) == 0;
}

QString userDataFolderFor(const QString& programFolder)
{
    if (isWritableFolder(programFolder))
        return {};
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool makeDataFolder(const AppState& app)
{
    return app.dataDirectory.empty() ||
           QDir().mkpath(QString::fromStdString(app.dataDirectory));
}

QString screenshotFolderFor(const QString& programFolder)
{
    if (isWritableFolder(programFolder))
        return QDir(programFolder).filePath(QStringLiteral("screenshots"));
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
           QStringLiteral("/VelmoraPlayer");
}

}  // namespace storage
