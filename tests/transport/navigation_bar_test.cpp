// The transport bar: its entries, their layout over the control area, the pictures each
// state shows, clicks, tool tips and the seek notifications of its slider.
#include "Eventually.h"
#include "../view/PointerEvents.h"
#include "LeakCheckSupport.h"
#include "CommandIds.h"
#include "NavigationBar.h"
#include "ProgressSlider.h"
#include "TimeLabel.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class NavigationBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(800, 200);
        bar = new CNavigationBar(window.get());
        bar->loadButtons();
        bar->setGeometry(0, 140, 800, 60);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    std::unique_ptr<QWidget> window;
    CNavigationBar* bar = nullptr;
};

TEST_F(NavigationBarTest, StartsWithEightEntriesDisabledSliderAndZeroTime)
{
    const auto& b = bar->buttons();
    ASSERT_EQ(b.size(), 8u);
    const std::optional<Command> ids[] = {Command::Stop, std::nullopt, Command::Previous,
                                          Command::Play, Command::Next, std::nullopt,
                                          Command::Sound, Command::Volume};
    const QSize sizes[] = {{25, 25}, {8, 0},   {53, 27}, {40, 43},
                           {53, 27}, {8, 0},   {24, 25}, {15, 25}};
    for (size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i].command, ids[i]) << i;
        EXPECT_EQ(b[i].size(), sizes[i]) << i;
    }
    EXPECT_EQ(bar->button(Command::Play)->text, "Play");
    EXPECT_EQ(bar->button(Command::Volume)->text, "Volume");
    EXPECT_FALSE(bar->button(Command::Volume)->icon.isLoaded());
    EXPECT_TRUE(bar->button(Command::Sound)->face.isLoaded());
    EXPECT_EQ(bar->button(Command::Sound)->face.count(), 5);

    EXPECT_FALSE(bar->progressSlider()->isEnabled());
    EXPECT_EQ(bar->progressSlider()->range(), 100);
    EXPECT_EQ(bar->progressSlider()->thumbColor(), QColor(255, 0, 0));
    EXPECT_EQ(bar->timeText(), "00:00:00-00:00:00");
    EXPECT_EQ(bar->playIcon(), 1);
    EXPECT_EQ(bar->soundLevel(), 50);
    EXPECT_EQ(bar->cellsFor(Command::Sound).icon, 1);
}

TEST_F(NavigationBarTest, SliderAndLabelRunAlongTheTop)
{
    EXPECT_EQ(bar->progressSlider()->geometry(), QRect(0, 1, 800 - 87, 12));
    EXPECT_EQ(bar->timeLabel()->geometry(), QRect(800 - 87, 1, 120, 12));
}

TEST_F(NavigationBarTest, ButtonsAreCentredInTheirBandOverTheControlArea)
{
    // Wide style: moved by (800 - 422) / 2 + 101 = 290, each centred in 43 pixels from y 14.
    EXPECT_EQ(bar->buttonRect(Command::Stop), QRect(290, 23, 25, 25));
    EXPECT_EQ(bar->buttonRect(Command::Previous), QRect(290 + 25 + 8, 22, 53, 27));
    EXPECT_EQ(bar->buttonRect(Command::Play), QRect(290 + 86, 14, 40, 43));
    EXPECT_EQ(bar->buttonRect(Command::Volume).right() + 1, 290 + 226);
}

TEST(NavigationBarStyle, NarrowAndWideStylesKeepTheGroupInPlace)
{
    auto groupOffset = [](int width) {
        QWidget window;
        window.resize(width, 100);
        auto* bar = new CNavigationBar(&window);
        bar->loadButtons();
        bar->setGeometry(0, 40, width, 60);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return std::make_pair(bar->isWideStyle(),
                              bar->buttonRect(Command::Stop).left() - width / 2);
    };
    const auto narrow = groupOffset(479);
    const auto wide = groupOffset(480);
    EXPECT_FALSE(narrow.first);
    EXPECT_TRUE(wide.first);
    EXPECT_NEAR(narrow.second, wide.second, 1);
    EXPECT_NEAR(wide.second, -110, 1);
}

TEST_F(NavigationBarTest, SoundLevelsPickTheirIcons)
{
    EXPECT_EQ(CNavigationBar::soundIconIndex(100), 3);
    EXPECT_EQ(CNavigationBar::soundIconIndex(99), 2);
    EXPECT_EQ(CNavigationBar::soundIconIndex(34), 1);
    EXPECT_EQ(CNavigationBar::soundIconIndex(33), 0);
    EXPECT_EQ(CNavigationBar::soundIconIndex(1), 0);
    EXPECT_EQ(CNavigationBar::soundIconIndex(0), 0);
    EXPECT_EQ(CNavigationBar::soundIconIndex(-1), 4);
    bar->setSoundLevel(-1);
    EXPECT_EQ(bar->cellsFor(Command::Sound).icon, 4);
}

TEST_F(NavigationBarTest, ClickSendsTheCommandOnlyWhenEnabled)
{
    QSignalSpy spy(bar, &CNavigationBar::commandIssued);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Play).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).value<Command>(), Command::Play);

    bar->setButtonEnabled(Command::Stop, false);
    EXPECT_EQ(bar->cellsFor(Command::Stop).face, 0);
    EXPECT_EQ(bar->cellsFor(Command::Stop).icon, 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Stop).center());
    EXPECT_EQ(spy.count(), 1);

    // Pressed on one button and released elsewhere: nothing.
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Next).center());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, 40));
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(NavigationBarTest, HoverAndPressPickFaceCells)
{
    movePointer(bar, bar->buttonRect(Command::Play).center());
    EXPECT_EQ(bar->cellsFor(Command::Play).face, 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Play).center());
    EXPECT_EQ(bar->cellsFor(Command::Play).face, 3);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Play).center());
    bar->setPlayIcon(0);
    EXPECT_EQ(bar->cellsFor(Command::Play).icon, 2);  // pause symbol

    // The split button: hovering Volume lights Sound in cell 2 and itself in cell 3.
    movePointer(bar, bar->buttonRect(Command::Volume).center());
    EXPECT_EQ(bar->cellsFor(Command::Volume).face, 3);
    EXPECT_EQ(bar->cellsFor(Command::Sound).face, 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Volume).center());
    EXPECT_EQ(bar->cellsFor(Command::Volume).face, 4);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Volume).center());
    leavePointer(bar);
    EXPECT_EQ(bar->cellsFor(Command::Sound).face, 1);
    EXPECT_EQ(bar->cellsFor(Command::Volume).face, 1);
}

TEST_F(NavigationBarTest, PlayButtonShowsPlayOrPauseSymbol)
{
    auto brightCentre = [&]() {
        const QImage shot = bar->grab().toImage();
        const QRect r = bar->buttonRect(Command::Play);
        // The play triangle covers the centre; the pause symbol leaves a gap there.
        return shot.pixelColor(r.left() + 21, r.top() + 21).lightness() > 180;
    };
    bar->setPlayIcon(1);
    EXPECT_TRUE(brightCentre());
    bar->setPlayIcon(0);
    EXPECT_FALSE(brightCentre());
}

TEST_F(NavigationBarTest, EverySliderNotificationAsksForASeek)
{
    QSignalSpy seeks(bar, &CNavigationBar::seekRequested);
    auto* slider = bar->progressSlider();
    slider->setEnabled(true);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, 6));
    QTest::mouseMove(slider, QPoint(slider->width() / 2 + 60, 6));
    QTest::mouseMove(slider, QPoint(slider->width() / 2 + 120, 6));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2 + 120, 6));
    ASSERT_GE(seeks.count(), 3);
    EXPECT_EQ(seeks.last().at(0).toInt(), slider->pos());
    EXPECT_GT(seeks.last().at(0).toInt(), seeks.first().at(0).toInt());
}

TEST_F(NavigationBarTest, TimeTextShowsWhiteOnBlackAndFitsTheVisiblePart)
{
    bar->setTimeText("00:00:07-01:35:00");
    EXPECT_EQ(bar->timeText(), "00:00:07-01:35:00");
    CTimeLabel* label = bar->timeLabel();
    const QFontMetrics metrics(label->textFont());
    EXPECT_LE(metrics.horizontalAdvance(label->text()), 87);
    const QImage shot = label->grab().toImage();
    int white = 0;
    for (int x = 0; x < 87; ++x)
        for (int y = 0; y < shot.height(); ++y)
            if (shot.pixelColor(x, y).lightness() > 200)
                ++white;
    EXPECT_GT(white, 20);
    EXPECT_EQ(shot.pixelColor(86, 0), QColor(Qt::black));
}

// A bar that reaches past the screen's right edge (as in full screen) keeps the whole time
// text on the screen.
TEST_F(NavigationBarTest, TimeTextStaysOnTheScreen)
{
    bar->setTimeText("00:03:06-02:01:46");
    const QRect screen = window->screen()->geometry();
    window->move(screen.right() + 1 - window->width() + 6, screen.top() + 100);
    ASSERT_EVENTUALLY(window->frameGeometry().right() == screen.right() + 6);
    CTimeLabel* label = bar->timeLabel();
    const int onScreen = screen.right() + 1 - label->mapToGlobal(QPoint(0, 0)).x();
    EXPECT_LT(onScreen, 87);
    EXPECT_LT(QFontMetrics(label->textFont()).horizontalAdvance(label->text()), onScreen);
}

}  // namespace
