#include "KeyboardShortcuts.h"

namespace shortcuts {

namespace {

struct Binding {
    int key;
    Action action;
};

constexpr Binding kBindings[] = {
    {Qt::Key_Space, Action::PlayPause},
    {Qt::Key_Return, Action::ToggleFullScreen},
    {Qt::Key_Enter, Action::ToggleFullScreen},
    {Qt::Key_F, Action::ToggleFullScreen},
    {Qt::Key_Escape, Action::LeaveFullScreen},
    {Qt::Key_M, Action::MuteVideoSound},
    {Qt::Key_9, Action::VolumeDown},
    {Qt::Key_0, Action::VolumeUp},
    {Qt::Key_PageUp, Action::ForwardLong},
    {Qt::Key_PageDown, Action::BackLong},
    {Qt::Key_L, Action::ForwardShort},
    {Qt::Key_J, Action::BackShort},
    {Qt::Key_Period, Action::FrameForward},
    {Qt::Key_Comma, Action::FrameBack},
    {Qt::Key_BracketRight, Action::RateUp},
    {Qt::Key_BracketLeft, Action::RateDown},
    {Qt::Key_Backspace, Action::RateNormal},
    {Qt::Key_Home, Action::ToStart},
    {Qt::Key_N, Action::NextFile},
    {Qt::Key_P, Action::PreviousFile},
    {Qt::Key_V, Action::ToggleSubtitles},
};

constexpr Qt::KeyboardModifiers kCommandModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

constexpr const char* kTitle[lang::kLanguageCount] = {
    "Keyboard shortcuts", "Tastenkürzel",   "Raccourcis clavier",
    "Atajos de teclado",  "Scorciatoie da tastiera", "Сочетания клавиш",
};
constexpr const char* kKeyHeader[lang::kLanguageCount] = {
    "Key", "Taste", "Touche", "Tecla", "Tasto", "Клавиша",
};
constexpr const char* kActionHeader[lang::kLanguageCount] = {
    "Action", "Aktion", "Action", "Acción", "Azione", "Действие",
};
constexpr const char* kClose[lang::kLanguageCount] = {
    "Close", "Schließen", "Fermer", "Cerrar", "Chiudi", "Закрыть",
};

}  // namespace

std::optional<Action> actionFor(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & kCommandModifiers)
        return std::nullopt;
    for (const Binding& binding : kBindings)
        if (binding.key == key)
            return binding.action;
    return std::nullopt;
}

// Keys, then what they do: English, German, French, Spanish, Italian, Russian.
const std::array<Row, 18> kRows = {{
    {{"Space", "Leertaste", "Espace", "Espacio", "Spazio", "Пробел"},
     {"Play / pause", "Abspielen / Pause", "Lecture / pause", "Reproducir / pausa",
      "Riproduci / pausa", "Воспроизведение / пауза"}},
    {{"Enter, F", "Eingabe, F", "Entrée, F", "Intro, F", "Invio, F", "Enter, F"},
     {"Full screen on / off", "Vollbild ein / aus", "Plein écran oui / non",
      "Pantalla completa sí / no", "Schermo intero sì / no", "Полноэкранный режим вкл. / выкл."}},
    {{"Esc", "Esc", "Échap", "Esc", "Esc", "Esc"},
     {"Leave full screen", "Vollbild verlassen", "Quitter le plein écran",
      "Salir de la pantalla completa", "Esci dallo schermo intero",
      "Выйти из полноэкранного режима"}},
    {{"M", "M", "M", "M", "M", "M"},
     {"Mute the video's sound / sound on", "Ton des Videos aus / an",
      "Couper / rétablir le son de la vidéo", "Silenciar / activar el sonido del vídeo",
      "Disattiva / attiva l'audio del video", "Выключить / включить звук видео"}},
    {{"9 / 0", "9 / 0", "9 / 0", "9 / 0", "9 / 0", "9 / 0"},
     {"Player volume down / up", "Player-Lautstärke leiser / lauter",
      "Volume du lecteur moins / plus", "Volumen del reproductor menos / más",
      "Volume del lettore giù / su", "Громкость плеера тише / громче"}},
    {{"Wheel over the picture", "Mausrad über dem Bild", "Molette sur l'image",
      "Rueda sobre la imagen", "Rotella sull'immagine", "Колесо мыши над изображением"},
     {"Player volume", "Player-Lautstärke", "Volume du lecteur", "Volumen del reproductor",
      "Volume del lettore", "Громкость плеера"}},
    {{"Page Up / Page Down", "Bild auf / Bild ab", "Page préc. / Page suiv.", "Re Pág / Av Pág",
      "Pag su / Pag giù", "Page Up / Page Down"},
     {"60 seconds forward / back", "60 Sekunden vor / zurück", "60 secondes en avant / en arrière",
      "60 segundos adelante / atrás", "60 secondi avanti / indietro", "60 секунд вперёд / назад"}},
    {{"L / J", "L / J", "L / J", "L / J", "L / J", "L / J"},
     {"10 seconds forward / back", "10 Sekunden vor / zurück", "10 secondes en avant / en arrière",
      "10 segundos adelante / atrás", "10 secondi avanti / indietro", "10 секунд вперёд / назад"}},
    {{", / .", ", / .", ", / .", ", / .", ", / .", ", / ."},
     {"A frame back / forward (pauses first)", "Ein Bild zurück / vor (hält zuerst an)",
      "Une image en arrière / en avant (met d'abord en pause)",
      "Un fotograma atrás / adelante (primero pausa)",
      "Un fotogramma indietro / avanti (prima mette in pausa)",
      "Кадр назад / вперёд (сначала пауза)"}},
    {{"] / [", "] / [", "] / [", "] / [", "] / [", "] / ["},
     {"Play faster / slower", "Schneller / langsamer abspielen", "Lire plus vite / plus lentement",
      "Reproducir más rápido / más lento", "Riproduci più veloce / più lento",
      "Быстрее / медленнее"}},
    {{"Backspace", "Rücktaste", "Retour arrière", "Retroceso", "Backspace", "Backspace"},
     {"Normal speed", "Normale Geschwindigkeit", "Vitesse normale", "Velocidad normal",
      "Velocità normale", "Обычная скорость"}},
    {{"Home", "Pos1", "Début", "Inicio", "Home", "Home"},
     {"Back to the start", "Zum Anfang", "Retour au début", "Volver al principio",
      "Torna all'inizio", "В начало"}},
    {{"N / P", "N / P", "N / P", "N / P", "N / P", "N / P"},
     {"Next / previous file", "Nächste / vorige Datei", "Fichier suivant / précédent",
      "Archivo siguiente / anterior", "File successivo / precedente",
      "Следующий / предыдущий файл"}},
    {{"V", "V", "V", "V", "V", "V"},
     {"Hide / show the subtitles", "Untertitel aus / an", "Masquer / afficher les sous-titres",
      "Ocultar / mostrar los subtítulos", "Nascondi / mostra i sottotitoli",
      "Скрыть / показать субтитры"}},
    {{"Ctrl+O", "Strg+O", "Ctrl+O", "Ctrl+O", "Ctrl+O", "Ctrl+O"},
     {"Open a file", "Datei öffnen", "Ouvrir un fichier", "Abrir un archivo", "Apri un file",
      "Открыть файл"}},
    {{"F12", "F12", "F12", "F12", "F12", "F12"},
     {"Save a screenshot", "Bildschirmfoto speichern", "Enregistrer une capture d'écran",
      "Guardar una captura de pantalla", "Salva un'istantanea dello schermo",
      "Сохранить снимок экрана"}},
    {{"← / →", "← / →", "← / →", "← / →", "← / →", "← / →"},
     {"Turn the picture", "Bild drehen", "Tourner l'image", "Girar la imagen",
      "Ruota l'immagine", "Повернуть изображение"}},
    {{"↑ / ↓", "↑ / ↓", "↑ / ↓", "↑ / ↓", "↑ / ↓", "↑ / ↓"},
     {"Move the picture nearer / farther", "Bild näher / weiter weg",
      "Rapprocher / éloigner l'image", "Acercar / alejar la imagen",
      "Avvicina / allontana l'immagine", "Приблизить / отдалить изображение"}},
}};

const char* title(int language) { return lang::pick(kTitle, language); }
const char* keyHeader(int language) { return lang::pick(kKeyHeader, language); }
const char* actionHeader(int language) { return lang::pick(kActionHeader, language); }
const char* closeCaption(int language) { return lang::pick(kClose, language); }

}  // namespace shortcuts
