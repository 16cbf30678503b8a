#include "LanguageTables.h"

#include <cstddef>

namespace lang {

namespace {

constexpr const char* kMenuButtons[kLanguageCount][MenuButtonCount] = {
    {"Open Media", "View", "Plugins", "help"},
    {"Datei", "Blick", "Plugins", "Hilfe"},
    {"Fichier", "Vue", "Plugins", "Aider"},
    {"Expediente", "vista", "Plugins", "Ayuda"},
    {"File", "vista", "Plugins", "Aiuto"},
    {"файл", "мнение", "Плагин", "помощь"},
};

constexpr const char* kPanelNames[kLanguageCount][2] = {
    {"Meida Convert", "Media File Messages"},
    {"Meida konvertieren", "Media-Datei Meldungen"},
    {"Convertir Meida", "Messages fichier Media"},
    {"Meida Convertir", "Mensaje de Medios Archivo"},
    {"Conversione Meida", "Media File Messaggi"},
    {"Сообщения Преобразование", "Сообщения СМИ файла"},
};

}  // namespace

const std::array<ItemCaption, 13> ItemCaptionTable = {{
    {FileMenu, Command::FileOpen, 0,
     {nullptr, "Bezeichnung Datei", "Ouvrir Fichier", "Abierto", "Nuovo", "открытый"}},
    {FileMenu, Command::PlayNextAtEnd, 0,
     {nullptr, "Am Ende die nächste Datei abspielen", "Lire le fichier suivant à la fin",
      "Reproducir el siguiente archivo al final", "Riproduci il file successivo alla fine",
      "В конце воспроизводить следующий файл"}},
    {FileMenu, Command::ResumePlayback, 0,
     {nullptr, "Dort fortsetzen, wo ich aufgehört habe", "Reprendre là où je m'étais arrêté",
      "Continuar donde lo dejé", "Riprendi da dove avevo interrotto",
      "Продолжать с места остановки"}},
    {ViewMenu, Command::ToggleControlPanel, 0,
     {nullptr, "Farbe Fenster", "D'exploitation Fenêtre", "Ajuste Ventana", "Adattamento Finestra",
      "изменять окно"}},
    {ViewMenu, Command::TogglePropertyPanel, 0,
     {nullptr, "Ausgleich Fenster", "Propriété Fenêtre", "Propiedad Ventana", "Proprietà Finestra",
      "Имущество окно"}},
    {ViewMenu, Command::ResetLayout, 0,
     {nullptr, "Anordnung zurücksetzen", "Réinitialiser la disposition",
      "Restablecer la disposición", "Ripristina la disposizione", "Сбросить расположение"}},
    {ViewMenu, Command::LoadSubtitleFile, 0,
     {nullptr, "Untertiteldatei laden...", "Charger un fichier de sous-titres...",
      "Cargar archivo de subtítulos...", "Carica file di sottotitoli...",
      "Загрузить файл субтитров..."}},
    {ViewMenu, Command::ShowSubtitles, 0,
     {nullptr, "Untertitel anzeigen", "Afficher les sous-titres", "Mostrar subtítulos",
      "Mostra sottotitoli", "Показывать субтитры"}},
    {PluginMenu, std::nullopt, 6, {nullptr, "Andere", "Autres", "Otro", "Altro", "другой"}},
    {HelpMenu, Command::AppAbout, 0, {nullptr, "Auf", "Sur", "Sobre", "Circa", "о"}},
    {HelpMenu, Command::HomePage, 0,
     {nullptr, "Nach Hause", "Maison", "Página Principal", "Sito Web", "домашняя страница"}},
    {HelpMenu, Command::CheckForUpdate, 0,
     {nullptr, "Inspektion Aktualisierung", "Vérifier les mises à jour", "Buscar Actualizaciones",
      "Controlla Aggiornamenti", "Обновления"}},
    {HelpMenu, Command::KeyboardShortcuts, 0,
     {nullptr, "Tastenkürzel", "Raccourcis clavier", "Atajos de teclado",
      "Scorciatoie da tastiera", "Сочетания клавиш"}},
}};

const char* menuButtonCaption(int language, MenuButton button)
{
    if (!isValid(language) || button < 0 || button >= MenuButtonCount)
        return nullptr;
    return kMenuButtons[language][button];
}

const char* controlPanelName(int language)
{
    return isValid(language) ? kPanelNames[language][0] : nullptr;
}

const char* mediaInfoPanelName(int language)
{
    return isValid(language) ? kPanelNames[language][1] : nullptr;
}

}  // namespace lang
