#include "LoadFailureTexts.h"

#include "LanguageTables.h"

#include <framelift.h>

namespace loadtexts {

namespace {

using lang::Texts;

constexpr Texts kMissing = {
    "%1 cannot be opened: the file is not there or cannot be read.",
    "%1 kann nicht geöffnet werden: die Datei fehlt oder ist nicht lesbar.",
    "Impossible d'ouvrir %1 : le fichier est introuvable ou illisible.",
    "No se puede abrir %1: el archivo no existe o no se puede leer.",
    "Impossibile aprire %1: il file non esiste o non è leggibile.",
    "Не удаётся открыть %1: файл не найден или недоступен для чтения.",
};

constexpr Texts kEmpty = {
    "%1 is empty: the file holds no data.",
    "%1 ist leer: die Datei enthält keine Daten.",
    "%1 est vide : le fichier ne contient aucune donnée.",
    "%1 está vacío: el archivo no contiene datos.",
    "%1 è vuoto: il file non contiene dati.",
    "%1 пуст: в файле нет данных.",
};

constexpr Texts kNotMedia = {
    "%1 is not a video: no video or sound format was found in it.",
    "%1 ist kein Video: darin wurde kein Video- oder Tonformat gefunden.",
    "%1 n'est pas une vidéo : aucun format vidéo ou audio n'y a été trouvé.",
    "%1 no es un vídeo: no contiene ningún formato de vídeo ni de sonido.",
    "%1 non è un video: non contiene alcun formato video o audio.",
    "%1 не является видео: в нём не найден ни видео-, ни аудиоформат.",
};

constexpr Texts kDamaged = {
    "%1 is damaged: its format is known, but its streams cannot be read (the file may be "
    "incomplete).",
    "%1 ist beschädigt: das Format ist bekannt, aber die Datenströme lassen sich nicht lesen "
    "(die Datei ist vielleicht unvollständig).",
    "%1 est endommagé : son format est connu, mais ses flux sont illisibles (le fichier est "
    "peut-être incomplet).",
    "%1 está dañado: su formato es conocido, pero sus flujos no se pueden leer (puede que el "
    "archivo esté incompleto).",
    "%1 è danneggiato: il formato è noto, ma i suoi flussi non si possono leggere (il file "
    "potrebbe essere incompleto).",
    "%1 повреждён: формат известен, но его потоки не читаются (возможно, файл неполный).",
};

constexpr Texts kNoPicture = {
    "%1 has sound but no picture: only files with a video stream can be played.",
    "%1 enthält Ton, aber kein Bild: nur Dateien mit einem Videostrom können abgespielt werden.",
    "%1 contient du son mais pas d'image : seuls les fichiers avec un flux vidéo peuvent être "
    "lus.",
    "%1 tiene sonido pero no imagen: solo se pueden reproducir archivos con una pista de vídeo.",
    "%1 ha l'audio ma non l'immagine: si possono riprodurre solo file con un flusso video.",
    "%1 содержит звук, но не изображение: воспроизводятся только файлы с видеопотоком.",
};

constexpr Texts kSubtitleTitle = {
    "Load subtitle file",           "Untertiteldatei laden", "Charger un fichier de sous-titres",
    "Cargar archivo de subtítulos", "Carica file di sottotitoli", "Загрузить файл субтитров",
};

constexpr Texts kSubtitleFiles = {
    "Subtitle files",       "Untertiteldateien", "Fichiers de sous-titres",
    "Archivos de subtítulos", "File di sottotitoli", "Файлы субтитров",
};

constexpr Texts kNoSubtitles = {
    "%1 holds no subtitles that can be shown.",
    "%1 enthält keine Untertitel, die sich anzeigen lassen.",
    "%1 ne contient aucun sous-titre affichable.",
    "%1 no contiene subtítulos que se puedan mostrar.",
    "%1 non contiene sottotitoli visualizzabili.",
    "%1 не содержит субтитров, которые можно показать.",
};

QString text(const Texts& texts, int language)
{
    return QString::fromUtf8(lang::pick(texts, language));
}

const Texts* textsFor(int cause)
{
    switch (cause) {
    case FRAMELIFT_LOAD_MISSING:
        return &kMissing;
    case FRAMELIFT_LOAD_EMPTY:
        return &kEmpty;
    case FRAMELIFT_LOAD_NOT_MEDIA:
        return &kNotMedia;
    case FRAMELIFT_LOAD_DAMAGED:
        return &kDamaged;
    case FRAMELIFT_LOAD_NO_PICTURE:
        return &kNoPicture;
    default:
        return nullptr;
    }
}

}  // namespace

QString subtitleDialogTitle(int language)
{
    return text(kSubtitleTitle, language);
}

QString subtitleFiles(int language)
{
    return text(kSubtitleFiles, language);
}

QString noSubtitles(int language, const QString& fileName)
{
    return text(kNoSubtitles, language).arg(fileName);
}

QString failure(int language, int cause, const QString& fileName)
{
    const Texts* texts = textsFor(cause);
    return texts ? QString::fromUtf8(lang::pick(*texts, language)).arg(fileName) : QString();
}

}  // namespace loadtexts
