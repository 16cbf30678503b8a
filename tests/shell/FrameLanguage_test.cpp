// Languages through the main frame: chosen from the bar's menu, applied to panel names,
// menus and panel captions, kept in lang.dat (four little-endian bytes) and restored at the
// next start; bad lang.dat contents leave the English start-up bar, whose menus still work.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "EqualizerBar.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "LanguageFile.h"
#include "MenuDriver.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

using framefixture::FrameTest;

namespace {

QStringList buttonCaptions(const CMainFrame& frame)
{
    QStringList list;
    for (const CExplorerToolbarMenuButton* button : frame.explorerBar()->menuButtons())
        list << button->text();
    return list;
}

// The control panel's caption of a control.
QString panelCaption(const CMainFrame& frame, int controlId)
{
    QWidget* control = frame.controlPanel()->control(controlId);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title();
    return qobject_cast<QAbstractButton*>(control)->text();
}

// The caption of the first command of the file menu and of the last of the help menu.
QString firstMenuEntry(const CMainFrame& frame)
{
    return frame.explorerBar()->menuButtons().front()->menu()->actions().front()->text();
}
QString lastMenuEntry(const CMainFrame& frame)
{
    return frame.explorerBar()->menuButtons().back()->menu()->actions().back()->text();
}

// What a person sees of each language, written out: the view menu's button, the first and
// the last menu entry, both panels' names, the "Original size" caption and one more caption
// with letters outside ASCII where the language has them.
struct Shown {
    const char* viewButton;
    const char* firstEntry;
    const char* lastEntry;
    const char* controlPanel;
    const char* infoPanel;
    const char* originalSize;
    int otherControl;
    const char* otherCaption;
};
const Shown kShown[] = {
    {"View", "&Open...", "Check for update", "Meida Convert", "Media File Messages",
     "Original size", 1053, "Reset"},
    {"Blick", "Bezeichnung Datei", "Inspektion Aktualisierung", "Meida konvertieren",
     "Media-Datei Meldungen", "Original Ort", 1053, "Rücksetzen"},
    {"Vue", "Ouvrir Fichier", "Vérifier les mises à jour", "Convertir Meida",
     "Messages fichier Media", "Format de l'original", 1133, "Base de contrôle des médias"},
    {"vista", "Abierto", "Buscar Actualizaciones", "Meida Convertir",
     "Mensaje de Medios Archivo", "Tamaño original", 1137, "Porcentaje de reproducción:"},
    {"vista", "Nuovo", "Controlla Aggiornamenti", "Conversione Meida", "Media File Messaggi",
     "Dimensioni originali", 1145, "La libertà di regolare"},
    {"мнение", "открытый", "Обновления", "Сообщения Преобразование", "Сообщения СМИ файла",
     "Размер", 1152, "Вращения"},
};

// Everything that follows the language shows its texts.
void expectLanguage(const CMainFrame& frame, int language)
{
    SCOPED_TRACE(language);
    const Shown& shown = kShown[language];
    EXPECT_EQ(buttonCaptions(frame).at(1), QString::fromUtf8(shown.viewButton));
    EXPECT_EQ(firstMenuEntry(frame), QString::fromUtf8(shown.firstEntry));
    EXPECT_EQ(lastMenuEntry(frame), QString::fromUtf8(shown.lastEntry));
    EXPECT_EQ(frame.controlPanel()->windowTitle(), QString::fromUtf8(shown.controlPanel));
    EXPECT_EQ(frame.mediaInfoPanel()->windowTitle(), QString::fromUtf8(shown.infoPanel));
    EXPECT_EQ(panelCaption(frame, 1134), QString::fromUtf8(shown.originalSize));
    EXPECT_EQ(panelCaption(frame, shown.otherControl), QString::fromUtf8(shown.otherCaption));
    EXPECT_EQ(frame.explorerBar()->homeLinkButton(), nullptr);
}

void expectEnglishStartUp(const CMainFrame& frame)
{
    EXPECT_EQ(buttonCaptions(frame), (QStringList{"Open Media", "&View", "&Plugin", "&help"}));
    EXPECT_NE(frame.explorerBar()->homeLinkButton(), nullptr);
    EXPECT_EQ(frame.controlPanel()->windowTitle(), "Meida Convert");
    EXPECT_EQ(frame.mediaInfoPanel()->windowTitle(), "Media File Messages");
    EXPECT_EQ(panelCaption(frame, 1134), "Original size");
}

QByteArray stored(int language)
{
    return QByteArray(1, char(language)) + QByteArray(3, '\0');
}

}  // namespace

// Each language command re-captions everything with the texts a person reads and rewrites
// lang.dat; German chosen from the menu survives a restart.
TEST_F(FrameTest, EveryLanguageAppliesAndGermanSurvivesARestart)
{
    const Command commands[] = {Command::LanguageEnglish, Command::LanguageGerman,
                                Command::LanguageFrench,  Command::LanguageSpanish,
                                Command::LanguageItalian, Command::LanguageRussian};
    createFrame();
    for (int language : {5, 4, 3, 2, 0}) {
        ASSERT_TRUE(frame->dispatchCommand(commands[language]));
        expectLanguage(*frame, language);
        EXPECT_EQ(storedLang(), stored(language));
    }
    ASSERT_TRUE(menudriver::clickPath(frame->explorerBar()->menuButtons().at(1),
                                      {"Language", "German"}));
    expectLanguage(*frame, 1);
    EXPECT_EQ(storedLang(), QByteArray("\x01\x00\x00\x00", 4));

    createFrame();
    EXPECT_EQ(frame->controlPanel()->windowTitle(), "Meida konvertieren");
    expectLanguage(*frame, 1);
    EXPECT_EQ(storedLang(), stored(1));
}

// Short, empty and out-of-range files, and a folder in the file's place, are treated as
// absent: English start-up bar, the file left as it was, and the menus still choose a
// language (for this run only when the file cannot be written).
TEST_F(FrameTest, BadLangFilesAreIgnoredAndMenusStayUsable)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\x01\x00\x00", 3), stored(6)}) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        storeLang(bytes);
        createFrame();
        expectEnglishStartUp(*frame);
        EXPECT_EQ(storedLang(), bytes);
    }
    ASSERT_TRUE(menudriver::clickPath(frame->explorerBar()->menuButtons().at(1),
                                      {"Language", "Italina"}));
    expectLanguage(*frame, 4);
    EXPECT_EQ(storedLang(), stored(4));

    ASSERT_TRUE(QFile::remove(langPath()));
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("lang.dat")));
    createFrame();
    expectEnglishStartUp(*frame);
    ASSERT_TRUE(frame->dispatchCommand(Command::LanguageFrench));
    expectLanguage(*frame, 2);
}

// The file on its own: only four little-endian bytes holding 0 to 5 are a language; a write
// replaces the whole file and fails, without a crash, where no file can be written.
TEST_F(FrameTest, LangFileReadsOnlyFourBytesInRange)
{
    const QString folder = programDir.path() + QLatin1Char('/');
    EXPECT_EQ(langfile::read(folder), std::nullopt);  // missing
    const std::pair<QByteArray, std::optional<int>> files[] = {
        {QByteArray(), std::nullopt}, {QByteArray("\x01", 1), std::nullopt},
        {QByteArray("\x01\x00\x00", 3), std::nullopt}, {stored(6), std::nullopt},
        {QByteArray("\xff\xff\xff\xff", 4), std::nullopt},
        {QByteArray("\x00\x00\x00\x01", 4), std::nullopt},  // 0x01000000
        {stored(5), 5}, {stored(0), 0}};
    for (const auto& [bytes, language] : files) {
        storeLang(bytes);
        EXPECT_EQ(langfile::read(folder), language) << bytes.toHex().toStdString();
    }
    storeLang(QByteArray("\x05\x00\x00\x00trailing", 12));
    ASSERT_TRUE(langfile::write(folder, 3));
    EXPECT_EQ(storedLang(), QByteArray("\x03\x00\x00\x00", 4));

    EXPECT_FALSE(langfile::write(folder + QStringLiteral("missing/"), 2));
    ASSERT_TRUE(QFile::remove(langPath()));
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("lang.dat")));
    EXPECT_FALSE(langfile::write(folder, 2));
    EXPECT_EQ(langfile::read(folder), std::nullopt);
}
