#include "SettingsStore.h"

#include <QFileInfo>

SettingsStore::SettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kOrganization),
                QString::fromLatin1(kApplication))
{
}

int SettingsStore::getInt(const QString& section, const QString& key, int fallback) const
{
    bool ok = false;
    const int value = settings_.value(section + QLatin1Char('/') + key).toInt(&ok);
    return ok ? value : fallback;
}

void SettingsStore::writeInt(const QString& section, const QString& key, int value)
{
    settings_.setValue(section + QLatin1Char('/') + key, value);
}

QByteArray SettingsStore::getBytes(const QString& section, const QString& key) const
{
    return settings_.value(section + QLatin1Char('/') + key).toByteArray();
}

void SettingsStore::writeBytes(const QString& section, const QString& key, const QByteArray& value)
{
    settings_.setValue(section + QLatin1Char('/') + key, value);
}

QStringList SettingsStore::recentFiles() const
{
    return settings_.value(QStringLiteral("Recent File List/files")).toStringList();
}

void SettingsStore::writeRecentFiles(QStringList files)
{
    while (files.size() > kRecentFileCount)
        files.removeLast();
    settings_.setValue(QStringLiteral("Recent File List/files"), files);
}

bool SettingsStore::sync()
{
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

QString SettingsStore::folder() const
{
    return QFileInfo(settings_.fileName()).absolutePath();
}
