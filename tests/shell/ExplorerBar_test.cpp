// The explorer bar: its start-up buttons, the four menus with their ids, the same in every
// language, the product-site button at the right edge, and commands and their states through
// real clicks.
#include "CommandIds.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "LeakCheckSupport.h"
#include "MenuDriver.h"

#include <QMenu>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include "Eventually.h"

#include <map>
#include <memory>

namespace {

// One line per entry: "id caption", "-" for a separator, "caption>" followed by the
// submenu's lines indented by two blanks.
QStringList describe(const QMenu* menu, const QString& indent = {})
{
    QStringList lines;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            lines << indent + "-";
        else if (action->menu())
            lines << indent + action->text() + ">" << describe(action->menu(), indent + "  ");
        else
            lines << indent + QString::number(action->data().toInt()) + " " + action->text();
    }
    return lines;
}

// The four English menus as describe() shows them.
std::vector<QStringList> englishMenus()
{
    return {{"57601 &Open...", "-", "32891 Play the next file at the end",
             "32892 Resume where I left off"},
            {"32860 Color &Chooser", "32861 &Property Chooser", "32893 Reset layout",
             "32894 Load subtitle file...", "32895 Show subtitles", "Language>",
             "  32883 English", "  -", "  32882 German", "  -", "  32885 French", "  -", "  32886 Spanish", "  -",
             "  32887 Italina", "  -", "  32888 Russian", "  -"},
            {"32873 Show Plugins", "-", "32875 Download Perfect decoder(The Best)", "-",
             "32868 K-Lite Mega Codec Pack(Recommend)", "-", "Download Others>",
             "  32866 FFDShow MPEG4 Video Decoder", "  -", "  32867 Divx Codec Pack", "  -",
             "  32871 Xvid Codec pack", "  -", "  32869 Apple Quick Time Full", "  -",
             "  32872 DVD Decoder ", "-"},
            {"32890 Keyboard shortcuts", "-", "57664 About", "-", "32876 Home Page", "-",
             "32879 Check for update"}};
}

// The menus without their captions: each command's number, separators and submenu marks in
// their places. (The captions of every language are checked at the frame.)
std::vector<QStringList> layoutOf(std::vector<QStringList> menus)
{
    static const QRegularExpression command("^(\\s*)(\\d+) .*$");
    static const QRegularExpression submenu("^(\\s*).*>$");
    for (QStringList& menu : menus)
        for (QString& line : menu)
            line = line.replace(command, "\\1\\2").replace(submenu, "\\1>");
    return menus;
}

class ExplorerBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar = std::make_unique<CExplorerBar>();
        bar->setCommandUpdater([this](Command id) {
            return CommandState{!disabled.count(id), false};
        });
        QObject::connect(bar.get(), &CExplorerBar::commandTriggered, bar.get(),
                         [this](Command id) { triggered.push_back(id); });
        bar->InsertInitialButtons();
        bar->resize(800, CExplorerBar::kRowHeight);
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
    }

    QToolButton* button(int index) const { return bar->menuButtons().at(size_t(index)); }
    QStringList captions() const
    {
        QStringList list;
        for (const CExplorerToolbarMenuButton* b : bar->menuButtons())
            list << b->text();
        return list;
    }
    std::vector<QStringList> menus() const
    {
        std::vector<QStringList> list;
        for (const CExplorerToolbarMenuButton* b : bar->menuButtons())
            list.push_back(describe(b->menu()));
        return list;
    }

    std::unique_ptr<CExplorerBar> bar;
    std::map<Command, bool> disabled;
    std::vector<Command> triggered;
};

}  // namespace

TEST_F(ExplorerBarTest, StartsWithTheInitialButtonsAndEnglishMenus)
{
    EXPECT_EQ(captions(), (QStringList{"Open Media", "&View", "&Plugin", "&help"}));
    for (const CExplorerToolbarMenuButton* b : bar->menuButtons())
        EXPECT_EQ(b->width(), 100);
    ASSERT_NE(bar->homeLinkButton(), nullptr);
    EXPECT_EQ(bar->homeLinkButton()->commandId(), Command::ProductSite);
    EXPECT_EQ(bar->homeLinkButton()->width(), 33);
    EXPECT_EQ(bar->height(), 36);
    EXPECT_EQ(menus(), englishMenus());
}

// The product-site button sits at the right edge and shows only while it clears the help
// button.
TEST_F(ExplorerBarTest, HomeLinkKeepsToTheRightEdgeWhileItFits)
{
    CExplorerToolbarButton* home = bar->homeLinkButton();
    const int helpRight = button(3)->geometry().right();
    // At helpRight + 33 the button would touch the help button.
    for (auto [width, shown] : {std::pair{800, true}, {helpRight + 33, false},
                                {helpRight + 34, true}, {300, false}}) {
        bar->resize(width, CExplorerBar::kRowHeight);
        EXPECT_EVENTUALLY((home->isVisible()) == (shown));
        if (width > helpRight) {
            EXPECT_EVENTUALLY((home->geometry().right()) == (bar->rect().right()));
        }
    }
}

// A rebuilt bar has the same entries in every language, without the product-site button; an
// invalid language leaves no menu buttons until a valid one.
TEST_F(ExplorerBarTest, RebuiltMenusKeepTheirEntriesInEveryLanguage)
{
    for (int language : {1, 2, 3, 4, 5, 0}) {
        SCOPED_TRACE(language);
        bar->RebuildMenus(language);
        EXPECT_EQ(bar->menuButtons().size(), 4u);
        EXPECT_EQ(layoutOf(menus()), layoutOf(englishMenus()));
        EXPECT_EQ(bar->homeLinkButton(), nullptr);
    }
    // Language 0 shows the menus' own English captions, on buttons named a little apart from
    // the start-up ones.
    EXPECT_EQ(menus(), englishMenus());
    EXPECT_EQ(captions(), (QStringList{"Open Media", "View", "Plugins", "help"}));
    // Old buttons go once control is back in the event loop.
    EXPECT_EVENTUALLY((bar->findChildren<CExplorerToolbarMenuButton*>().size()) == (4));

    bar->RebuildMenus(6);
    EXPECT_TRUE(bar->menuButtons().empty());
    bar->RebuildMenus(-1);
    EXPECT_TRUE(bar->menuButtons().empty());
    bar->RebuildMenus(2);
    EXPECT_EQ(bar->menuButtons().size(), 4u);
}

// Menu items and buttons send their commands; in German the plug-in menu's seventh entry
// reads "Andere" and still opens the codec list.
TEST_F(ExplorerBarTest, MenuItemsAndButtonsSendTheirCommands)
{
    ASSERT_TRUE(menudriver::clickPath(button(0), {"&Open..."}));
    ASSERT_TRUE(menudriver::clickPath(button(3), {"Check for update"}));
    QTest::mouseClick(bar->backButton(), Qt::LeftButton);
    QTest::mouseClick(bar->forwardButton(), Qt::LeftButton);
    EXPECT_EVENTUALLY(bar->homeLinkButton()->isVisible());
    QTest::mouseClick(bar->homeLinkButton(), Qt::LeftButton);
    bar->RebuildMenus(1);
    ASSERT_TRUE(menudriver::clickPath(button(2), {"Andere", "Xvid Codec pack"}));
    EXPECT_EQ(triggered, (std::vector<Command>{Command::FileOpen, Command::CheckForUpdate,
                                               Command::Back, Command::Forward,
                                               Command::ProductSite, Command::DownloadXvid}));
}

// Update handlers decide what a menu shows enabled and which bar buttons work (the frame's
// tests show the check marks).
TEST_F(ExplorerBarTest, UpdateHandlersDisableMenuItemsAndButtons)
{
    disabled[Command::TogglePropertyPanel] = true;
    disabled[Command::Back] = true;
    const menudriver::Shown shown = menudriver::showState(button(1), Command::TogglePropertyPanel);
    EXPECT_TRUE(shown.found && !shown.enabled);
    EXPECT_TRUE(menudriver::showState(button(1), Command::ToggleControlPanel).enabled);
    EXPECT_EVENTUALLY(!bar->backButton()->isEnabled());
    EXPECT_TRUE(bar->forwardButton()->isEnabled());
    QTest::mouseClick(bar->backButton(), Qt::LeftButton);
    EXPECT_TRUE(triggered.empty());
    disabled.clear();
    EXPECT_EVENTUALLY(bar->backButton()->isEnabled());
}
