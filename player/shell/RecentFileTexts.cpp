#include "RecentFileTexts.h"

#include "LanguageTables.h"

#include <QFileInfo>

namespace recentfiles {

namespace {

constexpr lang::Texts kMissing = {
    "The file \"%1\" is no longer there. It was removed from the recent files.",
    "Die Datei „%1“ ist nicht mehr vorhanden. Sie wurde aus den zuletzt geöffneten Dateien "
    "entfernt.",
    "Le fichier « %1 » n'existe plus. Il a été retiré des fichiers récents.",
    "El archivo «%1» ya no existe. Se ha quitado de los archivos recientes.",
    "Il file «%1» non esiste più. È stato tolto dai file recenti.",
    "Файла «%1» больше нет. Он удалён из списка недавних файлов.",
};

}  // namespace

QString missingMessage(int language, const QString& path)
{
    return QString::fromUtf8(lang::pick(kMissing, language)).arg(path);
}

QString menuCaption(int index, const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    // Entries 1 to 9 get their digit as the accelerator, the tenth 0.
    return QStringLiteral("&%1 %2").arg((index + 1) % 10).arg(name);
}

}  // namespace recentfiles
