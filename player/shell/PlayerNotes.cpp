#include "PlayerNotes.h"

#include "LanguageTables.h"

namespace notes {

namespace {

using lang::Texts;

constexpr Texts kVolume = {"Volume: %1 %", "Lautstärke: %1 %", "Volume : %1 %",
                           "Volumen: %1 %", "Volume: %1 %",    "Громкость: %1 %"};
constexpr Texts kMuted = {"Volume: muted", "Lautstärke: stumm", "Volume : coupé",
                          "Volumen: silenciado", "Volume: muto", "Громкость: без звука"};
constexpr Texts kRate = {"Speed: %1×", "Geschwindigkeit: %1×", "Vitesse : %1×",
                         "Velocidad: %1×", "Velocità: %1×", "Скорость: %1×"};
constexpr Texts kSaved = {"Screenshot saved: %1", "Bildschirmfoto gespeichert: %1",
                          "Capture d'écran enregistrée : %1", "Captura guardada: %1",
                          "Istantanea salvata: %1", "Снимок экрана сохранён: %1"};
constexpr Texts kFailed = {
    "Screenshot not saved: %1 cannot be written",
    "Bildschirmfoto nicht gespeichert: %1 ist nicht beschreibbar",
    "Capture d'écran non enregistrée : impossible d'écrire dans %1",
    "Captura no guardada: no se puede escribir en %1",
    "Istantanea non salvata: impossibile scrivere in %1",
    "Снимок экрана не сохранён: нет доступа на запись в %1",
};

constexpr Texts kContinued = {
    "Resumed at %1 (Home: from the start)",
    "Fortgesetzt bei %1 (Pos1: von vorn)",
    "Reprise à %1 (Origine : depuis le début)",
    "Reanudado en %1 (Inicio: desde el principio)",
    "Ripreso da %1 (Home: dall'inizio)",
    "Продолжено с %1 (Home: с начала)",
};

constexpr Texts kSkipped = {
    "Skipped %1: it cannot be played",
    "%1 übersprungen: die Datei kann nicht abgespielt werden",
    "%1 ignoré : ce fichier ne peut pas être lu",
    "%1 omitido: no se puede reproducir",
    "%1 saltato: impossibile riprodurlo",
    "%1 пропущен: файл не воспроизводится",
};

constexpr Texts kSubtitlesOn = {"Subtitles: on",         "Untertitel: an",
                                "Sous-titres : activés", "Subtítulos: activados",
                                "Sottotitoli: attivi",   "Субтитры: вкл."};
constexpr Texts kSubtitlesOff = {"Subtitles: off",           "Untertitel: aus",
                                 "Sous-titres : désactivés", "Subtítulos: desactivados",
                                 "Sottotitoli: disattivati", "Субтитры: выкл."};

QString pick(const Texts& texts, int language)
{
    return QString::fromUtf8(lang::pick(texts, language));
}

}  // namespace

QString volume(int language, int percent, bool muted)
{
    return muted ? pick(kMuted, language) : pick(kVolume, language).arg(percent);
}

QString rate(int language, double rate)
{
    return pick(kRate, language).arg(rate, 0, 'f', 2);
}

QString continued(int language, int seconds)
{
    return pick(kContinued, language)
        .arg(QString::asprintf("%02d:%02d:%02d", seconds / 3600, (seconds / 60) % 60, seconds % 60));
}

QString subtitles(int language, bool shown)
{
    return pick(shown ? kSubtitlesOn : kSubtitlesOff, language);
}

QString skipped(int language, const QString& fileName)
{
    return pick(kSkipped, language).arg(fileName);
}

QString screenshotSaved(int language, const QString& path)
{
    return pick(kSaved, language).arg(path);
}

QString screenshotFailed(int language, const QString& folder)
{
    return pick(kFailed, language).arg(folder);
}

}  // namespace notes
