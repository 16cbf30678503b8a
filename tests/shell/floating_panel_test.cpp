// A panel pulled out of the main window: frameless, with the skin's caption and borders read
// off its picture against the skin's own images, repainted by a recolour, docked back by a
// double click on its caption, hidden by its close button and brought back by its command.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "EqualizerBar.h"
#include "CommandIds.h"
#include "Eventually.h"
#include "SkinFloatCaption.h"
#include "SkinFloatFrame.h"
#include "VisualManager.h"

#include <QDockWidget>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QScreen>

using framefixture::FrameTest;

namespace {

// Collects what a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class FloatingPanelTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        createFrame();
    }
    CVisualManager& skin() const { return *frame->visualManager(); }
    QDockWidget* panel() const { return frame->controlPanel(); }
    SkinFloatFrame* floatFrame() const { return panel()->findChild<SkinFloatFrame*>(); }
    SkinFloatCaption* caption() const { return floatFrame()->caption(); }

    void floatPanel()
    {
        panel()->setFloating(true);
        ASSERT_EVENTUALLY(panel()->titleBarWidget() == caption());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel()));
        panel()->resize(300, 420);
        ASSERT_EVENTUALLY(panel()->size() == QSize(300, 420));
        QCoreApplication::processEvents();
    }
    QImage picture() const
    {
        return panel()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    // One pixel of the skin's working copy of an element's image, which must be opaque for a
    // comparison with the screen to mean anything.
    QRgb skinPixel(SkinElement element, int x, int y, int image = 0) const
    {
        const QRgb pixel =
            skin().image(element).pixel(image * skin().size(element).width() + x, y);
        EXPECT_EQ(qAlpha(pixel), 255) << "element " << static_cast<int>(element);
        return pixel;
    }
    // A caption point clear of the title and the close button, in panel co-ordinates.
    QPoint captionSample(int y) const
    {
        return QPoint(caption()->x() + caption()->closeButton()->x() - 2, y);
    }
    QRgb captionAt(const QImage& shot) const
    {
        return shot.pixel(captionSample(6));
    }
    void saveShot(const char* name, const QWidget* floating = nullptr) const
    {
        if (!floating)
            floating = panel();
        const QString dir = qEnvironmentVariable("VELMORA_SHOT_DIR");
        if (dir.isEmpty())
            return;
        const QRect both =
            frame->frameGeometry().united(floating->frameGeometry()).adjusted(-10, -10, 10, 10);
        QScreen* screen = frame->screen();
        screen->grabWindow(0, both.x(), both.y(), both.width(), both.height())
            .save(dir + QLatin1Char('/') + QLatin1String(name));
    }
};

}  // namespace

// Floating, the panel has no window-system frame; its caption is the skin's caption element
// reaching over the top and side borders with the line under it, white text, the line along
// the top, the side strips below the caption and the bottom strip across the full width.
TEST_F(FloatingPanelTest, FloatedPanelWearsTheSkinsCaptionAndBorders)
{
    ASSERT_NE(floatFrame(), nullptr);
    EXPECT_EQ(panel()->titleBarWidget(), nullptr);  // docked: the style's caption
    floatPanel();
    EXPECT_TRUE(panel()->windowFlags() & Qt::FramelessWindowHint);
    const int w = panel()->width(), h = panel()->height();
    const QRect cap = caption()->geometry();
    EXPECT_EQ(cap.topLeft(), QPoint(4, 4));
    EXPECT_EQ(cap.width(), w - 8);
    EXPECT_GE(cap.height(), 19);
    EXPECT_EQ(panel()->widget()->geometry(),
              QRect(4, cap.bottom() + 1, w - 8, h - cap.bottom() - 1 - 4));

    const QImage shot = picture();
    const QPoint sample = captionSample(6);
    EXPECT_EQ(shot.pixel(sample), skinPixel(SkinElement::FloatCaption, 5, 6));
    // The caption line's middle row and the top line's middle row.
    EXPECT_EQ(shot.pixel(sample.x(), cap.bottom() - 1),
              skinPixel(SkinElement::FloatCaptionLine, 2, 1, 0));
    EXPECT_EQ(shot.pixel(sample.x(), 1), skinPixel(SkinElement::FloatCaptionLine, 2, 1, 1));
    // Side strips (their outer columns) and the bottom strip's two lowest rows.
    const int middle = skin().size(SkinElement::BorderLeft).height() / 2;
    EXPECT_EQ(shot.pixel(1, h / 2), skinPixel(SkinElement::BorderLeft, 1, middle));
    EXPECT_EQ(shot.pixel(w - 1, h / 2), skinPixel(SkinElement::BorderRight, 7, middle));
    EXPECT_EQ(shot.pixel(w / 2, h - 1), skinPixel(SkinElement::FloatBottom, 3, 3));
    EXPECT_EQ(shot.pixel(w / 2, h - 2), skinPixel(SkinElement::FloatBottom, 3, 2));
    // The strips start below the caption: beside it the caption element shows.
    EXPECT_EQ(shot.pixel(1, 6), skinPixel(SkinElement::FloatCaption, 1, 6));

    // The title is written in white.
    int white = 0;
    const QRect text = caption()->textRect().translated(cap.topLeft());
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x < text.left() + 40; ++x)
            white += qGray(shot.pixel(x, y)) > 200;
    EXPECT_GT(white, 5);

    // The borders are resize grips, corners both ways; nothing else is.
    EXPECT_EQ(floatFrame()->edgesAt(QPoint(1, h / 2)), Qt::LeftEdge);
    EXPECT_EQ(floatFrame()->edgesAt(QPoint(w / 2, 0)), Qt::TopEdge);
    EXPECT_EQ(floatFrame()->edgesAt(QPoint(w - 1, h - 3)), Qt::RightEdge | Qt::BottomEdge);
    EXPECT_EQ(floatFrame()->edgesAt(QPoint(w / 2, 10)), Qt::Edges());  // the caption moves
}

// A preset step of the control panel and a colour set on the skin directly both repaint the
// floating panel, in the new colour.
TEST_F(FloatingPanelTest, RecolourRepaintsTheFloatingFrame)
{
    floatPanel();
    panel()->move(frame->frameGeometry().right() + 12, frame->y());
    QCoreApplication::processEvents();
    saveShot("floating-default.png");
    const QRgb before = captionAt(picture());
    const QRgb bottomBefore = picture().pixel(panel()->width() / 2, panel()->height() - 1);

    PaintRecorder paints(panel());
    QTest::mouseClick(frame->controlPanel()->control(1054), Qt::LeftButton);
    EXPECT_EQ(skin().hue(), -30.0);
    EXPECT_EVENTUALLY(paints.painted.contains(captionSample(6)));
    QImage shot = picture();
    EXPECT_NE(captionAt(shot), before);
    EXPECT_EQ(captionAt(shot), skinPixel(SkinElement::FloatCaption, 5, 6));
    EXPECT_NE(shot.pixel(panel()->width() / 2, panel()->height() - 1), bottomBefore);

    // Not through the panel: the skin's own change signal reaches the floating frame.
    paints.painted = QRegion();
    skin().SetHueSaturation(120.0, 0.2);
    EXPECT_EVENTUALLY(paints.painted.contains(captionSample(6)));
    shot = picture();
    EXPECT_EQ(captionAt(shot), skinPixel(SkinElement::FloatCaption, 5, 6));
    QTest::qWait(100);
    saveShot("floating-recoloured.png");
}

// A double click on the caption docks the panel back into its tab beside the other panel,
// where it has the docked caption again; floated once more it is skinned again.
TEST_F(FloatingPanelTest, DoubleClickOnCaptionDocksBack)
{
    const QSize dockedSize = panel()->size();
    floatPanel();
    QTest::mouseDClick(caption(), Qt::LeftButton, {}, QPoint(30, caption()->height() / 2));
    ASSERT_EVENTUALLY(!panel()->isFloating());
    EXPECT_EVENTUALLY(panel()->titleBarWidget() == nullptr);
    EXPECT_FALSE(caption()->isVisible());
    EXPECT_EQ(frame->dockWidgetArea(panel()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(frame->tabifiedDockWidgets(panel()).contains(static_cast<QDockWidget*>(frame->mediaInfoPanel())));
    // Raised, it takes the dock's place at the width the dock had before.
    panel()->raise();
    EXPECT_EVENTUALLY(panel()->isVisible() && panel()->size() == dockedSize);

    floatPanel();
    EXPECT_TRUE(panel()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(captionAt(picture()), skinPixel(SkinElement::FloatCaption, 5, 6));
}

// The caption's close button hides the floating panel; the command that shows the panel
// brings it back, still floating and skinned.
TEST_F(FloatingPanelTest, CloseButtonHidesAndCommandBringsBack)
{
    floatPanel();
    QTest::mouseClick(caption()->closeButton(), Qt::LeftButton);
    EXPECT_EVENTUALLY(panel()->isHidden());
    EXPECT_FALSE(frame->mediaInfoPanel()->isHidden());

    EXPECT_TRUE(frame->dispatchCommand(Command::ToggleControlPanel));
    ASSERT_EVENTUALLY(panel()->isVisible());
    EXPECT_TRUE(panel()->isFloating());
    EXPECT_EQ(panel()->titleBarWidget(), caption());
    EXPECT_TRUE(panel()->windowFlags() & Qt::FramelessWindowHint);
}

// Dragged by its caption, the floating panel follows the pointer; dropped onto the dock area
// of the main window it docks there and takes the docked caption again.
TEST_F(FloatingPanelTest, DragOntoTheMainWindowDocks)
{
    floatPanel();
    panel()->move(frame->frameGeometry().right() + 12, frame->y() + 40);
    ASSERT_EVENTUALLY(panel()->pos() == QPoint(frame->frameGeometry().right() + 12, frame->y() + 40));
    const QPoint grip = caption()->mapToGlobal(QPoint(40, caption()->height() / 2));
    const QPoint start = panel()->pos();
    QTest::mousePress(caption(), Qt::LeftButton, {}, caption()->mapFromGlobal(grip));
    // Moves are sent to the panel's window, which holds the pointer while it is dragged.
    auto moveTo = [&](const QPoint& global) {
        QTest::mouseMove(panel(), panel()->mapFromGlobal(global));
        QTest::qWait(20);
    };
    moveTo(grip + QPoint(10, 10));
    moveTo(grip + QPoint(40, 30));
    EXPECT_EVENTUALLY(panel()->pos() != start);
    EXPECT_EQ(panel()->titleBarWidget(), caption());

    // Over the middle of the docked panel at the left of the main window.
    QWidget* docked = frame->mediaInfoPanel();
    const QPoint target = docked->mapToGlobal(QPoint(docked->width() / 2, docked->height() / 2));
    for (int i = 1; i <= 10; ++i)
        moveTo(grip + (target - grip) * i / 10);
    QTest::qWait(300);
    QTest::mouseRelease(panel(), Qt::LeftButton, {}, panel()->mapFromGlobal(target));
    ASSERT_EVENTUALLY(!panel()->isFloating());
    EXPECT_EVENTUALLY(panel()->titleBarWidget() == nullptr);
    EXPECT_EQ(frame->dockWidgetArea(panel()), Qt::LeftDockWidgetArea);
}

// Pulled out of the dock by its docked caption, a panel keeps the docked look while the drag
// runs and wears the skin's floating caption once it is dropped away from the dock areas.
TEST_F(FloatingPanelTest, DragOutOfTheDockFloats)
{
    floatPanel();  // the other panel now stands alone in the dock, with its own caption
    QDockWidget* other = frame->mediaInfoPanel();
    auto* otherFrame = other->findChild<SkinFloatFrame*>();
    ASSERT_NE(otherFrame, nullptr);
    ASSERT_EVENTUALLY(other->isVisible() && !other->isFloating());
    const QPoint grip = other->mapToGlobal(QPoint(40, 8));
    QWidget* view = frame->centralWidget();
    const QPoint target = view->mapToGlobal(QPoint(view->width() / 2, view->height() / 2));
    QTest::mousePress(other, Qt::LeftButton, {}, other->mapFromGlobal(grip));
    for (int i = 1; i <= 10; ++i) {
        QTest::mouseMove(other, other->mapFromGlobal(grip + (target - grip) * i / 10));
        QTest::qWait(20);
    }
    ASSERT_EVENTUALLY(other->isFloating());
    EXPECT_EQ(other->titleBarWidget(), nullptr);
    QTest::qWait(50);
    saveShot("pulling-out.png", other);
    // It still follows the pointer.
    const QPoint at = other->pos();
    QTest::mouseMove(other, other->mapFromGlobal(target + QPoint(30, 20)));
    EXPECT_EVENTUALLY(other->pos() == at + QPoint(30, 20));
    QTest::mouseRelease(other, Qt::LeftButton, {}, other->mapFromGlobal(target + QPoint(30, 20)));
    EXPECT_EVENTUALLY(other->titleBarWidget() == otherFrame->caption());
    EXPECT_TRUE(other->isFloating());
    EXPECT_TRUE(other->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(other->windowFlags() & Qt::X11BypassWindowManagerHint);
}

// A panel that floated when the program closed floats again at the next start, in the skin's
// frame.
TEST_F(FloatingPanelTest, FloatingPanelComesBackSkinnedAfterRestart)
{
    floatPanel();
    frame->close();
    createFrame();
    ASSERT_EVENTUALLY(panel()->isFloating() && panel()->isVisible());
    EXPECT_EVENTUALLY(panel()->titleBarWidget() == caption());
    EXPECT_TRUE(panel()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(captionAt(picture()), skinPixel(SkinElement::FloatCaption, 5, 6));
}
