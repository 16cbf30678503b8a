// Languages through the main frame: chosen from the bar's menu, applied to panel names,
// menus and panel captions, kept in lang.dat and restored at the next start; bad lang.dat
// contents leave the English start-up bar, whose menus still work.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "EqualizerBar.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "LanguageTables.h"
#include "MenuDriver.h"
#include "PanelCaptions.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>

using framefixture::FrameTest;

namespace {

QStringList buttonCaptions(const CMainFrame& frame)
{
    QStringList list;
    for (const CExplorerToolbarMenuButton* button : frame.explorerBar()->menuButtons())
        list << button->text();
    return list;
}

QString captionOf(const CColorChooserBar& panel, int id)
{
    QWidget* w = panel.control(id);
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return qobject_cast<QAbstractButton*>(w)->text();
}

// Everything that follows the language shows language's texts.
void expectLanguage(const CMainFrame& frame, int language)
{
    SCOPED_TRACE(language);
    EXPECT_EQ(frame.controlPanel()->windowTitle(), QString::fromUtf8(lang::controlPanelName(language)));
    EXPECT_EQ(frame.mediaInfoPanel()->windowTitle(),
              QString::fromUtf8(lang::mediaInfoPanelName(language)));
    QStringList buttons;
    for (int b = 0; b < lang::MenuButtonCount; ++b)
        buttons << QString::fromUtf8(lang::menuButtonCaption(language, static_cast<lang::MenuButton>(b)));
    EXPECT_EQ(buttonCaptions(frame), buttons);
    EXPECT_EQ(frame.explorerBar()->homeLinkButton(), nullptr);
    for (const PanelCaption& caption : PanelCaptionTable)
        EXPECT_EQ(captionOf(*frame.controlPanel(), caption.controlId),
                  QString::fromUtf8(caption.text[static_cast<size_t>(language)]))
            << caption.controlId;
}

void expectEnglishStartUp(const CMainFrame& frame)
{
    EXPECT_EQ(buttonCaptions(frame), (QStringList{"Open Media", "&View", "&Plugin", "&help"}));
    EXPECT_NE(frame.explorerBar()->homeLinkButton(), nullptr);
    EXPECT_EQ(frame.controlPanel()->windowTitle(), "Meida Convert");
    EXPECT_EQ(frame.mediaInfoPanel()->windowTitle(), "Media File Messages");
    EXPECT_EQ(captionOf(*frame.controlPanel(), 1134), "Original size");
}

const int kLanguageCommands[lang::kLanguageCount] = {
    cmd::LanguageEnglish, cmd::LanguageGerman, cmd::LanguageFrench,
    cmd::LanguageSpanish, cmd::LanguageItalian, cmd::LanguageRussian};

}  // namespace

// German chosen from the menu survives a restart through lang.dat.
TEST_F(FrameTest, GermanSurvivesARestart)
{
    createFrame();
    ASSERT_TRUE(menudriver::clickPath(frame->explorerBar()->menuButtons().at(1),
                                      {"Language", "German"}));
    expectLanguage(*frame, 1);
    EXPECT_EQ(storedLang(), QByteArray("\x01\x00\x00\x00", 4));

    createFrame();
    EXPECT_EQ(frame->controlPanel()->windowTitle(), "Meida konvertieren");
    EXPECT_EQ(frame->mediaInfoPanel()->windowTitle(), "Media-Datei Meldungen");
    expectLanguage(*frame, 1);
    EXPECT_EQ(storedLang(), QByteArray("\x01\x00\x00\x00", 4));
}

// Each language command re-captions everything and rewrites lang.dat; back to English
// restores the template texts, without the start-up product-site button.
TEST_F(FrameTest, EveryLanguageCommandAppliesAndStores)
{
    createFrame();
    for (int language : {5, 4, 3, 2, 1, 0}) {
        ASSERT_TRUE(frame->dispatchCommand(kLanguageCommands[language]));
        expectLanguage(*frame, language);
        EXPECT_EQ(storedLang(), QByteArray(1, static_cast<char>(language)) + QByteArray(3, '\0'));
    }
    EXPECT_EQ(buttonCaptions(*frame), (QStringList{"Open Media", "View", "Plugins", "help"}));
    // The rebuilt menus still carry the language submenu.
    ASSERT_TRUE(menudriver::clickPath(frame->explorerBar()->menuButtons().at(1),
                                      {"Language", "Russian"}));
    expectLanguage(*frame, 5);
}

// Short, empty and out-of-range files are treated as absent: English start-up bar, the file
// left as it was, and the menus still choose a language.
TEST_F(FrameTest, BadLangFilesAreIgnoredAndMenusStayUsable)
{
    const QByteArray bad[] = {QByteArray(), QByteArray("\x01", 1), QByteArray("\x01\x00\x00", 3),
                              QByteArray("\x06\x00\x00\x00", 4), QByteArray("\xff\xff\xff\xff", 4)};
    for (const QByteArray& bytes : bad) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        storeLang(bytes);
        createFrame();
        expectEnglishStartUp(*frame);
        EXPECT_EQ(storedLang(), bytes);
    }
    ASSERT_TRUE(menudriver::clickPath(frame->explorerBar()->menuButtons().at(1),
                                      {"Language", "Italina"}));
    expectLanguage(*frame, 4);
    EXPECT_EQ(storedLang(), QByteArray("\x04\x00\x00\x00", 4));
}

// A lang.dat that cannot be written still changes the language for this run.
TEST_F(FrameTest, UnwritableLangFileStillChangesTheLanguage)
{
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("lang.dat")));
    createFrame();
    expectEnglishStartUp(*frame);
    ASSERT_TRUE(frame->dispatchCommand(cmd::LanguageFrench));
    expectLanguage(*frame, 2);
}
