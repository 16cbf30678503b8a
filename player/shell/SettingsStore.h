// The program's settings: QSettings of organisation "MediaVelmora", application "settings".
// Group "Settings" holds the workspace (window and bar state, skin colour); group
// "ListCtrls" the list column widths.
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

class SettingsStore {
public:
    static constexpr const char* kOrganization = "MediaVelmora";
    static constexpr const char* kApplication = "settings";
    static constexpr const char* kWorkspaceSection = "Settings";
    static constexpr const char* kListSection = "ListCtrls";
    static constexpr int kRecentFileCount = 10;

    SettingsStore();

    int getInt(const QString& section, const QString& key, int fallback) const;
    void writeInt(const QString& section, const QString& key, int value);
    QByteArray getBytes(const QString& section, const QString& key) const;
    void writeBytes(const QString& section, const QString& key, const QByteArray& value);

    // Most recent first, at most kRecentFileCount entries.
    QStringList recentFiles() const;
    // Keeps the first kRecentFileCount of files.
    void writeRecentFiles(QStringList files);

    // The folder of the settings file, where the player keeps its other lists.
    QString folder() const;

    // Writes pending changes; false when the store cannot be written.
    bool sync();

private:
    mutable QSettings settings_;
};
