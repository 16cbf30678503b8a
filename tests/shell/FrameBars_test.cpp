// The main frame's bars: the explorer bar on top, both panels tabbed at the left, the panel
// toggles with their check marks, full screen hiding and restoring the bars, the control
// panel's buttons coming back through the frame, and its settings reaching the view.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "EqualizerBar.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "MediaPlayerView.h"
#include "MenuDriver.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"
#include "TestMedia.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

using framefixture::FrameTest;

namespace {

class FrameBarsTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        createFrame();
    }
    CColorChooserBar* panel() const { return frame->controlPanel(); }
    QWidget* control(int id) const { return panel()->control(id); }
    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }
    void key(int id, Qt::Key k)
    {
        control(id)->setFocus();
        QTest::keyClick(control(id), k);
    }
    QToolButton* viewMenuButton() const { return frame->explorerBar()->menuButtons().at(1); }
};

}  // namespace

TEST_F(FrameBarsTest, BarsAreCreatedAndDockedAsTabsAtTheLeft)
{
    CExplorerBar* bar = frame->explorerBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(bar->objectName(), "ExplorerBar");
    ASSERT_NE(bar->homeLinkButton(), nullptr);  // no lang.dat: the start-up buttons

    EXPECT_EQ(frame->dockWidgetArea(frame->mediaInfoPanel()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame->dockWidgetArea(panel()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(frame->tabifiedDockWidgets(panel()).contains(frame->mediaInfoPanel()));
    EXPECT_EQ(panel()->objectName(), "ColorChooserBar");
    EXPECT_EQ(frame->mediaInfoPanel()->objectName(), "EqualizerBar");
    EXPECT_EQ(panel()->windowTitle(), "Meida Convert");
    EXPECT_EQ(frame->mediaInfoPanel()->windowTitle(), "Media File Messages");
    // The control panel's tab is the one shown.
    QTRY_VERIFY(panel()->isVisible());
    EXPECT_FALSE(frame->mediaInfoPanel()->isHidden());
    // The information pages show their placeholders until a file is read.
    EXPECT_EQ(frame->mediaInfoPanel()->page(0)->toPlainText(), "NO MESSAGES(BASE) NOW");
    EXPECT_EQ(frame->mediaInfoPanel()->page(3)->toPlainText(), "NO MESSAGES(OTHER) NOW");
    // Nothing is written at start.
    EXPECT_EQ(storedLang(), "<missing>");
}

// The view menu's two entries hide and show the panels; their check marks follow.
TEST_F(FrameBarsTest, PanelTogglesWithCheckMarks)
{
    EXPECT_TRUE(menudriver::showState(viewMenuButton(), cmd::ToggleControlPanel).checked);
    EXPECT_TRUE(menudriver::showState(viewMenuButton(), cmd::TogglePropertyPanel).checked);

    ASSERT_TRUE(menudriver::clickPath(viewMenuButton(), {"Color &Chooser"}));
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_FALSE(menudriver::showState(viewMenuButton(), cmd::ToggleControlPanel).checked);
    // The other panel now fills the dock.
    QTRY_VERIFY(frame->mediaInfoPanel()->isVisible());

    ASSERT_TRUE(menudriver::clickPath(viewMenuButton(), {"&Property Chooser"}));
    EXPECT_TRUE(frame->mediaInfoPanel()->isHidden());
    EXPECT_FALSE(menudriver::showState(viewMenuButton(), cmd::TogglePropertyPanel).checked);

    ASSERT_TRUE(menudriver::clickPath(viewMenuButton(), {"Color &Chooser"}));
    QTRY_VERIFY(panel()->isVisible());
    EXPECT_TRUE(menudriver::showState(viewMenuButton(), cmd::ToggleControlPanel).checked);
    EXPECT_FALSE(menudriver::showState(viewMenuButton(), cmd::TogglePropertyPanel).checked);
}

// Both panels hidden, then a double-click into full screen and back: every bar shows again.
TEST_F(FrameBarsTest, LeavingFullScreenShowsBothPanelsAgain)
{
    frame->dispatchCommand(cmd::ToggleControlPanel);
    frame->dispatchCommand(cmd::TogglePropertyPanel);
    ASSERT_TRUE(panel()->isHidden());
    ASSERT_TRUE(frame->mediaInfoPanel()->isHidden());

    QWidget* picture = frame->activeView()->sceneWidget();
    QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
    QTRY_VERIFY(!frame->isWindowedState());
    EXPECT_TRUE(frame->explorerBar()->isHidden());
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_TRUE(frame->mediaInfoPanel()->isHidden());

    QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
    QTRY_VERIFY(frame->isWindowedState());
    QTRY_VERIFY(frame->explorerBar()->isVisible());
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_FALSE(frame->mediaInfoPanel()->isHidden());
    EXPECT_TRUE(frame->tabifiedDockWidgets(panel()).contains(frame->mediaInfoPanel()));
    EXPECT_TRUE(menudriver::showState(viewMenuButton(), cmd::ToggleControlPanel).checked);
    EXPECT_TRUE(menudriver::showState(viewMenuButton(), cmd::TogglePropertyPanel).checked);
}

// The panel's push buttons reach the frame's command table, which calls the panel back.
TEST_F(FrameBarsTest, PanelButtonsComeBackThroughTheFrame)
{
    click(1054);
    click(1054);
    EXPECT_EQ(panel()->presetIndex(), 2);
    click(1055);
    EXPECT_EQ(panel()->presetIndex(), 1);
    click(1053);
    EXPECT_EQ(qobject_cast<QSlider*>(control(1051))->value(), 180);
    EXPECT_EQ(panel()->presetIndex(), 1);

    // A narrow dock shows the side arrows; each click moves the content 10 pixels.
    frame->resizeDocks({panel()}, {260}, Qt::Horizontal);
    QTRY_VERIFY(control(1085)->isVisible());
    const QPoint start = control(1051)->pos();
    click(1085);
    EXPECT_EQ(control(1051)->pos(), start + QPoint(10, 0));
    click(1084);
    click(1084);
    EXPECT_EQ(control(1051)->pos(), start + QPoint(-10, 0));
    frame->dispatchCommand(cmd::ScrollDown);
    frame->dispatchCommand(cmd::ScrollUp);
    frame->dispatchCommand(cmd::ScrollUp);
    EXPECT_EQ(control(1051)->pos(), start + QPoint(-10, -10));
}

// Each panel control reaches the view and the scene it draws with.
TEST_F(FrameBarsTest, PanelSettingsReachTheView)
{
    CBCGPMediaPlayerView* view = frame->activeView();
    SceneRenderer& scene = view->renderer();

    click(1087);
    EXPECT_EQ(view->sizeMode(), 0);
    key(1082, Qt::Key_Home);
    EXPECT_EQ(view->proportion(), 0);
    key(1082, Qt::Key_End);
    EXPECT_EQ(view->proportion(), 800);
    click(1091);
    EXPECT_EQ(view->sizeMode(), 1);

    for (int k = 0; k < 4; ++k) {
        click(1093 + k);
        EXPECT_EQ(scene.surfaceMode(), k + 1);
    }
    click(1102);
    EXPECT_EQ(scene.surfaceMode(), 5);
    click(1109);
    EXPECT_EQ(scene.surfaceMode(), 6);
    const auto middle = scene.controlGrid();
    key(1111, Qt::Key_End);
    EXPECT_EQ(scene.surfaceMode(), 6);
    EXPECT_NE(scene.controlGrid(), middle);
    click(1092);
    EXPECT_EQ(scene.surfaceMode(), 0);

    for (int kind = 1; kind <= 4; ++kind) {
        click(1097 + kind);
        EXPECT_EQ(scene.shapeKind(), kind);
    }
    click(1097);
    EXPECT_EQ(scene.shapeKind(), 0);

    click(1121);
    EXPECT_EQ(scene.spinEnabled(), 0);
    click(1121);
    key(1122, Qt::Key_End);
    EXPECT_EQ(scene.spinEnabled(), 1);
    EXPECT_EQ(scene.spinStep(), 10);
}

// With a clip playing, a surface or shape chosen on the panel changes the picture.
TEST_F(FrameBarsTest, PanelChoicesChangeThePicture)
{
    testmedia::ClipSpec spec;
    spec.name = "shell-panel.avi";
    spec.frames = 250;
    spec.pattern = "ball";
    frame->OpenMediaFile(QString::fromStdString(testmedia::clip(spec)));
    CBCGPMediaPlayerView* view = frame->activeView();
    QTRY_VERIFY_WITH_TIMEOUT(view->renderer().videoReady(), 10000);
    auto* picture = qobject_cast<SceneWidget*>(view->sceneWidget());
    ASSERT_NE(picture, nullptr);
    // Stop the picture moving so only the panel's choices change it.
    click(1121);
    frame->activeView()->TogglePlayPause();

    auto settled = [&] {
        QTest::qWait(300);
        return picture->grabFramebuffer();
    };
    const QImage flat = settled();
    click(1094);  // Bethel 2
    const QImage curved = settled();
    EXPECT_NE(curved, flat);
    click(1092);
    click(1098);  // Cube
    const QImage cube = settled();
    EXPECT_NE(cube, flat);
    EXPECT_NE(cube, curved);
}
