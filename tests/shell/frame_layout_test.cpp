// The main frame's layout as a person meets it: every control of the control panel can be
// scrolled into sight in every language at the default and at a small window size, captions
// that differ look different, the panel gets its width back after the window was made tiny,
// the first start shows the whole panel, and the file dialog opens over the window.
#include "FrameFixture.h"

#include "CaptionLabel.h"
#include "ColorChooserBar.h"
#include "ColorChooserTemplate.h"
#include "DialogPlacement.h"
#include "EqualizerBar.h"
#include "Eventually.h"
#include "FileChooser.h"
#include "MediaPlayerView.h"
#include "PanelCaptions.h"

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>

#include <map>

using framefixture::FrameTest;

namespace {

constexpr QSize kDefaultSize(960, 680);
constexpr QSize kSmallSize(470, 400);

// The part of the panel's client area that the window really shows, in client co-ordinates.
QRect shownArea(QWidget* client)
{
    QRect area = client->rect();
    for (QWidget* w = client; !w->isWindow(); w = w->parentWidget()) {
        QWidget* parent = w->parentWidget();
        area &= QRect(client->mapFrom(parent, QPoint(0, 0)), parent->size());
    }
    return area;
}

// What of a control a person must see to use it: all of it, or a group box's title.
QRect neededPart(QWidget* control)
{
    QRect part = control->geometry();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        part.setHeight(group->fontMetrics().height());
    return part;
}

// Clicks the panel's scroll arrows, as a person would, until the control is in sight. False
// when it cannot be brought there (no arrow to click, or no position shows it whole).
bool scrollIntoView(CColorChooserBar* panel, QWidget* control)
{
    for (int click = 0; click < 400; ++click) {
        const QRect area = shownArea(panel->client());
        const QRect part = neededPart(control);
        if (area.contains(part))
            return true;
        int arrow = 0;
        if (part.top() < area.top())
            arrow = panel::ScrollDownButton;  // moves the content down
        else if (part.bottom() > area.bottom())
            arrow = panel::ScrollUpButton;
        else if (part.left() < area.left())
            arrow = panel::ScrollRightButton;
        else
            arrow = panel::ScrollLeftButton;
        QWidget* button = panel->control(arrow);
        if (!button->isVisible() || !area.contains(button->geometry()))
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return false;
}

// The caption as the panel draws it; group boxes and the link draw theirs whole, so they
// must fit.
QString visibleCaption(QWidget* control)
{
    if (auto* label = qobject_cast<CaptionLabel*>(control)) {
        EXPECT_LE(QFontMetrics(label->shownFont()).horizontalAdvance(label->shownText()),
                  label->width())
            << label->text().toStdString();
        EXPECT_EQ(label->toolTip(), label->fitted().elided ? label->text() : QString());
        return label->shownText();
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        EXPECT_LT(group->fontMetrics().horizontalAdvance(group->title()), group->width() - 16)
            << group->title().toStdString();
        return group->title();
    }
    auto* button = qobject_cast<QPushButton*>(control);
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width());
    return button->text();
}

// The frame's tab bar of the two panels.
QTabBar* panelTabs(const CMainFrame& frame)
{
    for (QTabBar* bar : frame.findChildren<QTabBar*>(Qt::FindDirectChildrenOnly))
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == frame.controlPanel()->windowTitle())
                return bar;
    return nullptr;
}

// Both tabs of the panels show their titles unshortened, beside the picture.
void expectTabsWhole(const CMainFrame& frame)
{
    QTabBar* tabs = panelTabs(frame);
    ASSERT_NE(tabs, nullptr);
    int tabsWidth = 0;
    for (int i = 0; i < tabs->count(); ++i)
        tabsWidth += tabs->tabRect(i).width();
    EXPECT_GE(tabsWidth, tabs->sizeHint().width());
    EXPECT_LE(tabs->mapTo(&frame, QPoint(tabsWidth, 0)).x(), frame.centralWidget()->x());
}

class FrameLayoutTest : public FrameTest {
protected:
    CColorChooserBar* panel() const { return frame->controlPanel(); }
    // Gives the window a size and lets it lay out its docks (and give the panel its width).
    void resizeFrame(QSize size)
    {
        frame->resize(size);
        EXPECT_EVENTUALLY(frame->size() == size);
        QTest::qWait(100);
    }
};

class EveryLanguage : public FrameLayoutTest, public ::testing::WithParamInterface<int> {};

}  // namespace

// In each language, at the default window size and at a small one, every control of the panel
// can be scrolled into sight with the panel's own arrows, and no two different captions show
// the same text. At the default size the panels' tabs show their titles whole.
TEST_P(EveryLanguage, EveryControlReachableAndEveryCaptionTellsItself)
{
    createFrame();
    frame->ApplyLanguage(GetParam());
    for (QSize size : {kDefaultSize, kSmallSize}) {
        SCOPED_TRACE(testing::Message() << "window " << size.width() << "x" << size.height());
        resizeFrame(size);
        for (const panel::ControlTemplate& t : panel::controlTemplate()) {
            if (t.id == 0 || panel::isScrollArrow(t.id))
                continue;
            EXPECT_TRUE(scrollIntoView(panel(), panel()->control(t.id))) << "control " << t.id;
        }

        std::map<QString, QString> fullOfVisible;
        for (const PanelCaption& caption : PanelCaptionTable) {
            QWidget* control = panel()->control(caption.controlId);
            const QString full = QString::fromUtf8(caption.text[size_t(GetParam())]);
            const auto [it, added] = fullOfVisible.emplace(visibleCaption(control), full);
            EXPECT_TRUE(added || it->second == full)
                << "\"" << full.toStdString() << "\" and \"" << it->second.toStdString()
                << "\" both show as \"" << it->first.toStdString() << "\"";
        }

        if (size == kDefaultSize)
            expectTabsWhole(*frame);
    }
}

std::string languageName(const ::testing::TestParamInfo<int>& info)
{
    const char* const names[] = {"English", "German", "French", "Spanish", "Italian", "Russian"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryLanguage, ::testing::Range(0, 6), languageName);

// A window made tiny squeezes the panel; made large again, it gives the panel its width back
// before the picture gets any room.
TEST_F(FrameLayoutTest, PanelGetsItsWidthBackAfterTheWindowWasTiny)
{
    createFrame();
    resizeFrame(kDefaultSize);
    const int width = panel()->width();
    EXPECT_GE(panel()->client()->width(), panel()->contentRect().width());
    frame->resize(200, 150);
    ASSERT_EVENTUALLY(panel()->width() < width);
    resizeFrame(kDefaultSize);
    EXPECT_EVENTUALLY(panel()->width() == width);
    EXPECT_GE(panel()->client()->width(), panel()->contentRect().width());
}

// A width the user drags the panel to is the width it comes back to.
TEST_F(FrameLayoutTest, PanelComesBackToTheWidthTheUserDraggedItTo)
{
    createFrame();
    resizeFrame(kDefaultSize);
    const int width = panel()->width();
    // The separator between the dock and the picture.
    const int x = (panel()->geometry().right() + frame->centralWidget()->x()) / 2;
    const QPoint grip(x, frame->centralWidget()->geometry().center().y());
    QTest::mousePress(frame.get(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(frame.get(), grip + QPoint(60, 0));
    QTest::qWait(100);  // the frame moves its separator on a timer
    QTest::mouseRelease(frame.get(), Qt::LeftButton, {}, grip + QPoint(60, 0));
    ASSERT_EVENTUALLY(panel()->width() > width + 40);
    const int dragged = panel()->width();
    frame->resize(200, 150);
    ASSERT_EVENTUALLY(panel()->width() < width);
    resizeFrame(kDefaultSize);
    EXPECT_EVENTUALLY(panel()->width() == dragged);
}

// With no stored placement the window, caption and borders included, opens tall enough for
// the whole panel (no arrows), within the screen's free area and about as high as a 1366 x 768
// screen; a stored Russian, with the widest tab titles, shows them whole from the start.
TEST_F(FrameLayoutTest, FirstStartShowsTheWholePanel)
{
    storeLang(QByteArray("\x05\x00\x00\x00", 4));
    frame = std::make_unique<CMainFrame>(app, chooser, messages, nullptr, nullptr);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    leakcheck::keepGlDriverLoaded();
    QTest::qWait(100);
    const QRect screen = frame->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(frame->geometry()));
    EXPECT_EQ(frame->width(), kDefaultSize.width());
    EXPECT_GE(frame->height(), kDefaultSize.height());
    EXPECT_LE(frame->height(), 768 + 8);
    EXPECT_TRUE(panel()->client()->rect().contains(panel()->contentRect()));
    for (int arrow : panel::kScrollArrows)
        EXPECT_FALSE(panel()->control(arrow)->isVisible()) << arrow;
    EXPECT_EQ(panel()->windowTitle(), QString::fromUtf8("Сообщения Преобразование"));
    expectTabsWhole(*frame);
}

// "Reset layout" undoes what a person can do to the layout: a panel floated, one hidden, one
// moved to the right and squeezed, the window made small; and it holds after a restart.
TEST_F(FrameLayoutTest, ResetLayoutBringsBackTheFirstStartsLayout)
{
    createFrame();
    frame->dispatchCommand(Command::ResetLayout);
    QTest::qWait(100);
    const QSize firstSize = frame->size();
    const int firstWidth = panel()->width();
    CEqualizerBar* info = frame->mediaInfoPanel();

    info->setFloating(true);
    frame->removeDockWidget(panel());
    frame->addDockWidget(Qt::RightDockWidgetArea, panel());
    panel()->show();
    frame->resizeDocks({panel()}, {120}, Qt::Horizontal);
    frame->resize(420, 320);
    info->hide();
    QTest::qWait(100);
    ASSERT_EQ(frame->dockWidgetArea(panel()), Qt::RightDockWidgetArea);

    frame->dispatchCommand(Command::ResetLayout);
    QTest::qWait(100);
    const auto expectFirstLayout = [&] {
        EXPECT_EQ(frame->size(), firstSize);
        for (QDockWidget* dock : {static_cast<QDockWidget*>(panel()), static_cast<QDockWidget*>(info)}) {
            EXPECT_FALSE(dock->isFloating());
            EXPECT_FALSE(dock->isHidden());
            EXPECT_EQ(frame->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        }
        EXPECT_EQ(frame->tabifiedDockWidgets(panel()), QList<QDockWidget*>{info});
        EXPECT_TRUE(panel()->isVisible()) << "the control panel's tab in front";
        EXPECT_EVENTUALLY(panel()->width() == firstWidth);
        expectTabsWhole(*frame);
    };
    expectFirstLayout();

    frame->close();
    createFrame();
    QTest::qWait(100);
    EXPECT_EQ(frame->dockWidgetArea(panel()), Qt::LeftDockWidgetArea);
    EXPECT_FALSE(frame->mediaInfoPanel()->isHidden());
}

// A dialog is centred on the part of its owner the screen shows and kept on the screen,
// shrunk when the screen is smaller than the dialog.
TEST(DialogPlacement, CentredOnTheShownOwnerAndInsideTheScreen)
{
    const QRect screen(0, 0, 1366, 768);
    using dialogplacement::centred;
    EXPECT_EQ(centred({400, 300}, {100, 100, 960, 680}, screen), QRect(380, 284, 400, 300));
    // An owner hanging past the right edge: as near the centre of what shows as fits.
    EXPECT_EQ(centred({400, 300}, {1000, 100, 960, 680}, screen), QRect(966, 284, 400, 300));
    // A full-screen owner larger than the screen: the screen's centre.
    EXPECT_EQ(centred({400, 300}, {-3, -3, 1375, 837}, screen), QRect(483, 234, 400, 300));
    // A dialog larger than the screen fills it.
    EXPECT_EQ(centred({1600, 900}, {100, 100, 960, 680}, screen), screen);
}

// "Open Video File..." opens over the player's window, centred on it, inside the screen.
TEST_F(FrameLayoutTest, FileDialogOpensCentredOnTheWindow)
{
    createFrame();
    resizeFrame(kDefaultSize);
    frame->move(frame->screen()->availableGeometry().topLeft() + QPoint(40, 30));
    EXPECT_EVENTUALLY(frame->pos() == frame->screen()->availableGeometry().topLeft() + QPoint(40, 30));
    QRect opened;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            opened = dialog->frameGeometry();
            dialog->reject();
        }
    });
    watch.start(20);
    DialogFileChooser chooser;
    EXPECT_TRUE(chooser.chooseMediaFile(frame->activeView()).isEmpty());
    ASSERT_FALSE(opened.isEmpty());
    EXPECT_TRUE(frame->screen()->availableGeometry().contains(opened));
    const QPoint offset = opened.center() - frame->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}
