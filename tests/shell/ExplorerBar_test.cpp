// The explorer bar: its start-up buttons, the four menus with their ids and captions in
// every language, the product-site button at the right edge, and commands and their states
// through real clicks.
#include "CommandIds.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "LanguageTables.h"
#include "LeakCheckSupport.h"
#include "MenuDriver.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// One line per entry: "id caption", "-" for a separator, "caption>" followed by the
// submenu's lines indented by two blanks.
QStringList describe(const QMenu* menu, const QString& indent = {})
{
    QStringList lines;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + "-";
        } else if (action->menu()) {
            lines << indent + action->text() + ">";
            lines << describe(action->menu(), indent + "  ");
        } else {
            lines << indent + QString::number(action->data().toInt()) + " " + action->text();
        }
    }
    return lines;
}

QStringList captions(const CExplorerBar& bar)
{
    QStringList list;
    for (const CExplorerToolbarMenuButton* button : bar.menuButtons())
        list << button->text();
    return list;
}

class ExplorerBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar = std::make_unique<CExplorerBar>();
        bar->setCommandUpdater([this](int id) {
            CommandState state;
            state.enabled = !disabled.count(id);
            state.checked = checked.count(id) > 0;
            return state;
        });
        QObject::connect(bar.get(), &CExplorerBar::commandTriggered, bar.get(),
                         [this](int id) { triggered.push_back(id); });
        bar->InsertInitialButtons();
        bar->resize(800, CExplorerBar::kRowHeight);
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
    }

    QStringList menuOf(int button) const
    {
        return describe(bar->menuButtons().at(static_cast<size_t>(button))->menu());
    }

    std::unique_ptr<CExplorerBar> bar;
    std::map<int, bool> disabled;
    std::map<int, bool> checked;
    std::vector<int> triggered;
};

const QStringList kEnglishFile = {"57601 &Open...", "-"};
const QStringList kEnglishView = {
    "32860 Color &Chooser", "32861 &Property Chooser", "Language>",
    "  32883 English", "  -", "  32882 German", "  -", "  32885 French", "  -",
    "  32886 Spanish", "  -", "  32887 Italina", "  -", "  32888 Russian", "  -"};
QStringList pluginMenu(const QString& others)
{
    return {"32873 Show Plugins", "-", "32875 Download Perfect decoder(The Best)", "-",
            "32868 K-Lite Mega Codec Pack(Recommend)", "-", others + ">",
            "  32866 FFDShow MPEG4 Video Decoder", "  -", "  32867 Divx Codec Pack", "  -",
            "  32871 Xvid Codec pack", "  -", "  32869 Apple Quick Time Full", "  -",
            "  32872 DVD Decoder ", "-"};
}
const QStringList kEnglishHelp = {"57664 About", "-", "32876 Home Page", "-",
                                  "32879 Check for update"};

}  // namespace

TEST_F(ExplorerBarTest, StartsWithTheInitialButtonsAndEnglishMenus)
{
    EXPECT_EQ(captions(*bar), (QStringList{"Open Media", "&View", "&Plugin", "&help"}));
    for (const CExplorerToolbarMenuButton* button : bar->menuButtons())
        EXPECT_EQ(button->width(), 100);
    ASSERT_NE(bar->homeLinkButton(), nullptr);
    EXPECT_EQ(bar->homeLinkButton()->commandId(), cmd::ProductSite);
    EXPECT_EQ(bar->homeLinkButton()->width(), 33);
    EXPECT_EQ(bar->backButton()->toolTip(), "Back");
    EXPECT_EQ(bar->forwardButton()->toolTip(), "Forward");
    EXPECT_EQ(bar->height(), 36);
    EXPECT_EQ(menuOf(0), kEnglishFile);
    EXPECT_EQ(menuOf(1), kEnglishView);
    EXPECT_EQ(menuOf(2), pluginMenu("Download Others"));
    EXPECT_EQ(menuOf(3), kEnglishHelp);
}

// The product-site button sits at the right edge and shows only while it clears the help
// button.
TEST_F(ExplorerBarTest, HomeLinkKeepsToTheRightEdgeWhileItFits)
{
    CExplorerToolbarButton* home = bar->homeLinkButton();
    QTRY_COMPARE(home->geometry().right(), bar->rect().right());
    EXPECT_TRUE(home->isVisible());

    const int helpRight = bar->menuButtons().back()->geometry().right();
    // Widest bar on which the button would touch the help button: right edge 33 px further.
    bar->resize(helpRight + 33, CExplorerBar::kRowHeight);
    QTRY_COMPARE(home->geometry().right(), bar->rect().right());
    EXPECT_FALSE(home->isVisible());
    bar->resize(helpRight + 34, CExplorerBar::kRowHeight);
    QTRY_COMPARE(home->geometry().right(), bar->rect().right());
    EXPECT_TRUE(home->isVisible());
    bar->resize(300, CExplorerBar::kRowHeight);
    QTRY_VERIFY(!home->isVisible());
}

TEST_F(ExplorerBarTest, EnglishRebuildHasNoHomeLink)
{
    bar->RebuildMenus(0);
    EXPECT_EQ(captions(*bar), (QStringList{"Open Media", "View", "Plugins", "help"}));
    EXPECT_EQ(bar->homeLinkButton(), nullptr);
    EXPECT_EQ(menuOf(0), kEnglishFile);
    EXPECT_EQ(menuOf(1), kEnglishView);
    EXPECT_EQ(menuOf(2), pluginMenu("Download Others"));
    EXPECT_EQ(menuOf(3), kEnglishHelp);
    // Old buttons go once control is back in the event loop.
    QTRY_COMPARE(bar->findChildren<CExplorerToolbarMenuButton*>().size(), 4);
}

// Every caption of the menu tables appears in its place; the language submenu and the codec
// entries stay English.
TEST_F(ExplorerBarTest, EveryMenuCaptionInEveryLanguage)
{
    for (int language = 1; language < lang::kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        bar->RebuildMenus(language);
        QStringList expectedButtons;
        for (int b = 0; b < lang::MenuButtonCount; ++b)
            expectedButtons << QString::fromUtf8(
                lang::menuButtonCaption(language, static_cast<lang::MenuButton>(b)));
        EXPECT_EQ(captions(*bar), expectedButtons);

        auto text = [language](int id) {
            for (const lang::ItemCaption& c : lang::ItemCaptionTable)
                if (c.commandId == id)
                    return QString::fromUtf8(c.text[static_cast<size_t>(language)]);
            return QString();
        };
        EXPECT_EQ(menuOf(0), (QStringList{"57601 " + text(cmd::FileOpen), "-"}));
        QStringList view = kEnglishView;
        view[0] = "32860 " + text(cmd::ToggleControlPanel);
        view[1] = "32861 " + text(cmd::TogglePropertyPanel);
        EXPECT_EQ(menuOf(1), view);
        EXPECT_EQ(menuOf(2), pluginMenu(text(0)));
        EXPECT_EQ(menuOf(3), (QStringList{"57664 " + text(cmd::AppAbout), "-",
                                          "32876 " + text(cmd::HomePage), "-",
                                          "32879 " + text(cmd::CheckForUpdate)}));
    }
    EXPECT_EQ(captions(*bar), (QStringList{"файл", "мнение", "Плагин", "помощь"}));
    EXPECT_EQ(menuOf(3).at(4), "32879 Обновления");
}

TEST_F(ExplorerBarTest, InvalidLanguageLeavesNoMenuButtonsUntilAValidOne)
{
    bar->RebuildMenus(6);
    EXPECT_TRUE(bar->menuButtons().empty());
    EXPECT_EQ(bar->homeLinkButton(), nullptr);
    bar->RebuildMenus(-1);
    EXPECT_TRUE(bar->menuButtons().empty());
    bar->RebuildMenus(2);
    EXPECT_EQ(captions(*bar), (QStringList{"Fichier", "Vue", "Plugins", "Aider"}));
}

// In German the plug-in menu's seventh entry reads "Andere" and still opens the codec list.
TEST_F(ExplorerBarTest, GermanOthersSubmenuStillOpens)
{
    bar->RebuildMenus(1);
    ASSERT_TRUE(menudriver::clickPath(bar->menuButtons().at(2),
                                      {"Andere", "Xvid Codec pack"}));
    EXPECT_EQ(triggered, std::vector<int>{cmd::DownloadXvid});
}

TEST_F(ExplorerBarTest, MenuItemsAndButtonsSendTheirCommands)
{
    ASSERT_TRUE(menudriver::clickPath(bar->menuButtons().at(0), {"&Open..."}));
    ASSERT_TRUE(menudriver::clickPath(bar->menuButtons().at(3), {"Check for update"}));
    QTest::mouseClick(bar->backButton(), Qt::LeftButton);
    QTest::mouseClick(bar->forwardButton(), Qt::LeftButton);
    QTRY_VERIFY(bar->homeLinkButton()->isVisible());
    QTest::mouseClick(bar->homeLinkButton(), Qt::LeftButton);
    EXPECT_EQ(triggered, (std::vector<int>{cmd::FileOpen, cmd::CheckForUpdate, cmd::Back,
                                           cmd::Forward, cmd::ProductSite}));
}

// Update handlers decide what a menu shows checked and enabled, and which bar buttons work.
TEST_F(ExplorerBarTest, UpdateHandlersSetCheckMarksAndEnabledStates)
{
    checked[cmd::ToggleControlPanel] = true;
    disabled[cmd::TogglePropertyPanel] = true;
    menudriver::Shown shown = menudriver::showState(bar->menuButtons().at(1), cmd::ToggleControlPanel);
    ASSERT_TRUE(shown.found);
    EXPECT_TRUE(shown.checked);
    EXPECT_TRUE(shown.enabled);
    shown = menudriver::showState(bar->menuButtons().at(1), cmd::TogglePropertyPanel);
    EXPECT_FALSE(shown.checked);
    EXPECT_FALSE(shown.enabled);

    checked.clear();
    shown = menudriver::showState(bar->menuButtons().at(1), cmd::ToggleControlPanel);
    EXPECT_FALSE(shown.checked);

    disabled[cmd::Back] = true;
    QTRY_VERIFY(!bar->backButton()->isEnabled());
    EXPECT_TRUE(bar->forwardButton()->isEnabled());
    QTest::mouseClick(bar->backButton(), Qt::LeftButton);
    EXPECT_TRUE(triggered.empty());
    disabled.clear();
    QTRY_VERIFY(bar->backButton()->isEnabled());
}

// Choosing a language from the bar's own menu rebuilds the bar while that menu is closing.
TEST_F(ExplorerBarTest, RebuildFromItsOwnMenuIsSafe)
{
    QObject::connect(bar.get(), &CExplorerBar::commandTriggered, bar.get(), [this](int id) {
        if (id == cmd::LanguageRussian)
            bar->RebuildMenus(5);
        if (id == cmd::LanguageEnglish)
            bar->RebuildMenus(0);
    });
    ASSERT_TRUE(menudriver::clickPath(bar->menuButtons().at(1), {"Language", "Russian"}));
    EXPECT_EQ(captions(*bar).at(1), QString::fromUtf8("мнение"));
    ASSERT_TRUE(menudriver::clickPath(bar->menuButtons().at(1), {"Language", "English"}));
    EXPECT_EQ(captions(*bar).at(1), "View");
    QTRY_COMPARE(bar->findChildren<CExplorerToolbarMenuButton*>().size(), 4);
}
