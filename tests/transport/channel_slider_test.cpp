// The bitmap channel slider on its own: the position/pixel mapping, loading its pictures,
// clamping, the active part it draws, mouse and keys, and the two posted notifications.
#include "ChannelSlider.h"
#include "Eventually.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor kKey(255, 0, 255);       // see-through
const QColor kGroove(90, 90, 90);     // the channel
const QColor kLit(20, 200, 60);       // the active channel
const QColor kBackground(230, 140, 20);

// A channel picture: the key colour around a groove two pixels in from each side.
QImage channelPicture(QSize size, const QColor& groove)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(kKey);
    QPainter(&img).fillRect(QRect(QPoint(2, 2), size - QSize(4, 4)), groove);
    return img;
}

TEST(ChannelAxis, MapsPositionsOntoPixelsAndBack)
{
    const ChannelAxis plain{100, 0, 0, 0, 0, 100};
    EXPECT_EQ(plain.pixelFor(0), 0);
    EXPECT_EQ(plain.pixelFor(37), 37);
    EXPECT_EQ(plain.pixelFor(100), 100);
    EXPECT_EQ(plain.positionFor(0), 0);
    EXPECT_EQ(plain.positionFor(63), 63);

    // The mixer's range on a 100-pixel channel.
    const ChannelAxis volume{100, 0, 0, 0, 0, 65536};
    EXPECT_EQ(volume.pixelFor(32768), 50);
    EXPECT_EQ(volume.pixelFor(65535), 99);  // 99.998, truncated
    EXPECT_EQ(volume.positionFor(25), 16384);
    EXPECT_EQ(volume.positionFor(99), 64880);  // 64 880.64, truncated
    EXPECT_EQ(volume.positionFor(100), 65536);

    // Margins and a thumb shorten the run: 110 - 3 - 2 - 10 = 95 pixels from pixel 8.
    const ChannelAxis kept{110, 3, 2, 10, 0, 100};
    EXPECT_EQ(kept.pixelFor(0), 8);
    EXPECT_EQ(kept.pixelFor(50), 55);  // 8 + trunc(47.5)
    EXPECT_EQ(kept.pixelFor(100), 103);
    EXPECT_EQ(kept.positionFor(8), 0);
    EXPECT_EQ(kept.positionFor(103), 100);

    // A range that does not start at 0.
    const ChannelAxis offset{100, 0, 0, 0, -50, 150};
    EXPECT_EQ(offset.pixelFor(50), 50);
    EXPECT_EQ(offset.positionFor(25), 0);
}

class ChannelSliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        channelFile = dir.filePath(QStringLiteral("channel.png"));
        activeFile = dir.filePath(QStringLiteral("active.png"));
        ASSERT_TRUE(channelPicture(QSize(10, 100), kGroove).save(channelFile));
        ASSERT_TRUE(channelPicture(QSize(10, 100), kLit).save(activeFile));

        parent = std::make_unique<QWidget>();
        parent->resize(140, 140);
        QPalette palette = parent->palette();
        palette.setColor(QPalette::Window, kBackground);
        parent->setPalette(palette);
        parent->setAutoFillBackground(true);
        slider = new CChannelSlider(1084, parent.get());
        slider->move(20, 20);
        ASSERT_TRUE(slider->SetChannelBitmaps(channelFile, activeFile, true));
        slider->SetVertical(true);
        slider->SetRange(0, 100, false);
        parent->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
        dragged = std::make_unique<QSignalSpy>(slider, &CChannelSlider::dragged);
        released = std::make_unique<QSignalSpy>(slider, &CChannelSlider::released);
    }

    // The slider as it shows on its parent, row by row: how many of the groove's rows are lit.
    int litRows() const
    {
        const QImage shown = parent->grab(slider->geometry()).toImage();
        int lit = 0;
        for (int y = 2; y < 98; ++y) {
            const QColor c = shown.pixelColor(5, y);
            if (c == kLit)
                ++lit;
            else
                EXPECT_EQ(c, kGroove) << "row " << y;
        }
        // The key colour never shows: the parent shows through it.
        EXPECT_EQ(shown.pixelColor(0, 50), kBackground);
        EXPECT_EQ(shown.pixelColor(9, 0), kBackground);
        return lit;
    }

    int lastArg(const QSignalSpy& spy, int arg) const { return spy.last().at(arg).toInt(); }

    QTemporaryDir dir;
    QString channelFile, activeFile;
    std::unique_ptr<QWidget> parent;
    CChannelSlider* slider = nullptr;
    std::unique_ptr<QSignalSpy> dragged, released;
};

TEST_F(ChannelSliderTest, TakesItsChannelsSizeAndAFailedLoadKeepsOrDropsThePictures)
{
    EXPECT_EQ(slider->size(), QSize(10, 100));
    EXPECT_TRUE(slider->hasActiveChannel());
    // A missing channel changes nothing.
    EXPECT_FALSE(slider->SetChannelBitmaps(dir.filePath(QStringLiteral("none.png")), activeFile, true));
    EXPECT_TRUE(slider->hasChannel());
    EXPECT_EQ(slider->size(), QSize(10, 100));
    // A missing active channel drops the channel too.
    EXPECT_FALSE(slider->SetChannelBitmaps(channelFile, dir.filePath(QStringLiteral("none.png")), true));
    EXPECT_FALSE(slider->hasChannel());
    // A channel alone is drawn whole, whatever the position.
    ASSERT_TRUE(slider->SetChannelBitmaps(channelFile, QString(), true));
    EXPECT_FALSE(slider->hasActiveChannel());
    slider->SetPosition(100);
    EXPECT_EQ(litRows(), 0);
}

TEST_F(ChannelSliderTest, PositionIsClampedButTheRangeNeverMovesIt)
{
    slider->SetPosition(150);
    EXPECT_EQ(slider->position(), 100);
    slider->SetPosition(-5);
    EXPECT_EQ(slider->position(), 0);
    slider->SetRange(10, 20, true);
    EXPECT_EQ(slider->position(), 0);
    slider->SetPosition(5);
    EXPECT_EQ(slider->position(), 10);
    // Setting the position tells the parent nothing.
    QCoreApplication::processEvents();
    EXPECT_TRUE(dragged->isEmpty());
    EXPECT_TRUE(released->isEmpty());
}

TEST_F(ChannelSliderTest, TheActivePartRunsFromTheTopDownToThePosition)
{
    slider->SetPosition(0);
    EXPECT_EQ(litRows(), 0);
    slider->SetPosition(50);
    EXPECT_EQ(litRows(), 48);  // rows 2 to 49 of the groove
    EXPECT_EQ(parent->grab(slider->geometry()).toImage().pixelColor(5, 49), kLit);
    EXPECT_EQ(parent->grab(slider->geometry()).toImage().pixelColor(5, 50), kGroove);
    slider->SetPosition(100);
    EXPECT_EQ(litRows(), 96);
    // Disabled, the channel is drawn whole without its active part.
    slider->setEnabled(false);
    EXPECT_EQ(litRows(), 0);
}

TEST_F(ChannelSliderTest, AHorizontalSliderHasItsMinimumAtTheLeft)
{
    const QString wide = dir.filePath(QStringLiteral("wide.png"));
    const QString wideLit = dir.filePath(QStringLiteral("wide-lit.png"));
    ASSERT_TRUE(channelPicture(QSize(100, 10), kGroove).save(wide));
    ASSERT_TRUE(channelPicture(QSize(100, 10), kLit).save(wideLit));
    ASSERT_TRUE(slider->SetChannelBitmaps(wide, wideLit, true));
    slider->SetVertical(false);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(70, 5));
    EXPECT_EQ(slider->position(), 70);
    const QImage shown = parent->grab(slider->geometry()).toImage();
    EXPECT_EQ(shown.pixelColor(69, 5), kLit);
    EXPECT_EQ(shown.pixelColor(70, 5), kGroove);
}

TEST_F(ChannelSliderTest, AClickJumpsThereAndADragFollowsWithPostedNotifications)
{
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(5, 30));
    EXPECT_EQ(slider->position(), 30);
    EXPECT_TRUE(slider->isDragging());
    EXPECT_EQ(parent->focusWidget(), slider);  // focus within its window
    // Posted, not sent: the parent hears of it once the event loop runs.
    EXPECT_TRUE(dragged->isEmpty());
    ASSERT_EVENTUALLY(dragged->count() == 1);
    EXPECT_EQ(lastArg(*dragged, 0), 1084);
    EXPECT_EQ(lastArg(*dragged, 1), 30);

    // Each move that changes the position is told, with the position of that moment.
    QTest::mouseMove(slider, QPoint(5, 45));
    QTest::mouseMove(slider, QPoint(5, 45));  // no change, nothing told
    QTest::mouseMove(slider, QPoint(5, 160)); // past the end: held at the maximum
    QCoreApplication::processEvents();
    ASSERT_EQ(dragged->count(), 3);
    EXPECT_EQ(dragged->at(1).at(1).toInt(), 45);
    EXPECT_EQ(dragged->at(2).at(1).toInt(), 100);
    EXPECT_TRUE(released->isEmpty());

    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(5, 160));
    EXPECT_FALSE(slider->isDragging());
    ASSERT_EVENTUALLY(released->count() == 1);
    EXPECT_EQ(lastArg(*released, 0), 1084);
    EXPECT_EQ(lastArg(*released, 1), 100);
    EXPECT_EQ(dragged->count(), 3);
}

TEST_F(ChannelSliderTest, KeysStepAndStopAtTheEndsTellingEachOnRelease)
{
    slider->SetPosition(50);
    slider->setFocus();
    const struct {
        Qt::Key key;
        int expected;
    } steps[] = {
        {Qt::Key_Up, 49},       {Qt::Key_Down, 50},     {Qt::Key_Left, 49},
        {Qt::Key_Right, 50},    {Qt::Key_PageUp, 30},   {Qt::Key_PageDown, 50},
        {Qt::Key_Home, 0},      {Qt::Key_Up, 0},        {Qt::Key_PageUp, 0},
        {Qt::Key_End, 100},     {Qt::Key_Down, 100},    {Qt::Key_PageDown, 100},
    };
    int told = 0;
    for (const auto& step : steps) {
        QTest::keyClick(slider, step.key);
        EXPECT_EQ(slider->position(), step.expected) << step.key;
        ++told;
        ASSERT_EVENTUALLY(released->count() == told);
        EXPECT_EQ(lastArg(*released, 1), step.expected) << step.key;
    }
    // Other keys are not the slider's.
    QTest::keyClick(slider, Qt::Key_A);
    QCoreApplication::processEvents();
    EXPECT_EQ(released->count(), told);
    EXPECT_TRUE(dragged->isEmpty());
}

TEST_F(ChannelSliderTest, DisabledItTakesNoInput)
{
    slider->SetPosition(50);
    slider->setEnabled(false);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::keyClick(slider, Qt::Key_Home);
    QCoreApplication::processEvents();
    EXPECT_EQ(slider->position(), 50);
    EXPECT_TRUE(dragged->isEmpty());
    EXPECT_TRUE(released->isEmpty());
}

}  // namespace
