// The main frame's bars: the explorer bar on top, both panels tabbed at the left, the panel
// toggles with their check marks, full screen hiding and restoring the bars, the control
// panel's buttons also reached through the frame's dispatch, and its settings reaching the view.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "CommandIds.h"
#include "EqualizerBar.h"
#include "Eventually.h"
#include "ExplorerBar.h"
#include "ExplorerButtons.h"
#include "MediaPlayerView.h"
#include "MenuDriver.h"
#include "NavigationBar.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"
#include "TestMedia.h"
#include "Transport.h"

#include <QPlainTextEdit>
#include <QSlider>


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
    CEqualizerBar* infoPanel() const { return frame->mediaInfoPanel(); }
    QWidget* control(int id) const { return panel()->control(id); }
    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }
    bool shownChecked(Command id)
    {
        return menudriver::showState(frame->explorerBar()->menuButtons().at(1), id).checked;
    }
};

}  // namespace

// The explorer bar on top, both panels tabbed at the left. The view menu's two entries hide
// and show the panels; their check marks follow. With both hidden, a double-click into full
// screen and back shows every bar again.
TEST_F(FrameBarsTest, BarsDockAndTheirTogglesAndFullScreenShowThemAgain)
{
    CExplorerBar* bar = frame->explorerBar();
    EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_NE(bar->homeLinkButton(), nullptr);  // no lang.dat: the start-up buttons
    // The names under which the window layout is saved.
    EXPECT_EQ(bar->objectName(), "ExplorerBar");
    EXPECT_EQ(panel()->objectName(), "ColorChooserBar");
    EXPECT_EQ(infoPanel()->objectName(), "EqualizerBar");
    EXPECT_EQ(frame->dockWidgetArea(infoPanel()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame->dockWidgetArea(panel()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(frame->tabifiedDockWidgets(panel()).contains(infoPanel()));
    // The control panel's tab is the one shown; the information pages show placeholders.
    EXPECT_EVENTUALLY(panel()->isVisible());
    EXPECT_FALSE(infoPanel()->isHidden());
    EXPECT_EQ(infoPanel()->page(0)->toPlainText(), "NO MESSAGES(BASE) NOW");
    EXPECT_EQ(infoPanel()->page(3)->toPlainText(), "NO MESSAGES(OTHER) NOW");
    EXPECT_EQ(storedLang(), "<missing>");  // nothing is written at start

    EXPECT_TRUE(shownChecked(Command::ToggleControlPanel));
    EXPECT_TRUE(shownChecked(Command::TogglePropertyPanel));
    QToolButton* viewMenu = frame->explorerBar()->menuButtons().at(1);
    ASSERT_TRUE(menudriver::clickPath(viewMenu, {"Color &Chooser"}));
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_FALSE(shownChecked(Command::ToggleControlPanel));
    EXPECT_EVENTUALLY(infoPanel()->isVisible());  // the other panel now fills the dock
    ASSERT_TRUE(menudriver::clickPath(viewMenu, {"&Property Chooser"}));
    EXPECT_TRUE(infoPanel()->isHidden());
    EXPECT_FALSE(shownChecked(Command::TogglePropertyPanel));

    QWidget* picture = frame->activeView()->sceneWidget();
    QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
    EXPECT_EVENTUALLY(!frame->isWindowedState());
    EXPECT_TRUE(frame->explorerBar()->isHidden());
    QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
    EXPECT_EVENTUALLY(frame->isWindowedState());
    EXPECT_EVENTUALLY(frame->explorerBar()->isVisible());
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_FALSE(infoPanel()->isHidden());
    EXPECT_TRUE(frame->tabifiedDockWidgets(panel()).contains(infoPanel()));
    EXPECT_TRUE(shownChecked(Command::ToggleControlPanel));
    EXPECT_TRUE(shownChecked(Command::TogglePropertyPanel));

    ASSERT_TRUE(menudriver::clickPath(viewMenu, {"&Property Chooser"}));
    EXPECT_TRUE(infoPanel()->isHidden());
    EXPECT_FALSE(panel()->isHidden());
}

// The panel's push buttons work inside the frame, and the frame's dispatch reaches the same
// commands.
TEST_F(FrameBarsTest, PanelButtonsWorkAndTheFrameDispatchesTheirCommands)
{
    click(1054);
    click(1054);
    click(1055);
    EXPECT_EQ(panel()->presetIndex(), 1);
    click(1053);
    EXPECT_EQ(qobject_cast<QSlider*>(control(1051))->value(), 180);

    // A narrow dock shows the side arrows; each click moves the content 10 pixels.
    frame->resizeDocks({panel()}, {260}, Qt::Horizontal);
    EXPECT_EVENTUALLY(control(1085)->isVisible());
    const QPoint start = control(1051)->pos();
    click(1085);
    EXPECT_EQ(control(1051)->pos(), start + QPoint(10, 0));
    click(1084);
    click(1084);
    frame->dispatchCommand(Command::ScrollDown);
    frame->dispatchCommand(Command::ScrollUp);
    frame->dispatchCommand(Command::ScrollUp);
    EXPECT_EQ(control(1051)->pos(), start + QPoint(-10, -10));
}

// Each kind of setting the panel sends reaches the view and the scene it draws with. (The
// panel's own tests walk every control and what it sends.)
TEST_F(FrameBarsTest, PanelSettingsReachTheView)
{
    CBCGPMediaPlayerView* view = frame->activeView();
    SceneRenderer& scene = view->renderer();
    auto key = [&](int id, Qt::Key k) {
        control(id)->setFocus();
        QTest::keyClick(control(id), k);
    };
    click(1087);  // Original size
    EXPECT_EQ(view->sizeMode(), SizeMode::OriginalSize);
    key(1082, Qt::Key_End);
    EXPECT_EQ(view->proportion(), 800);
    click(1091);
    EXPECT_EQ(view->sizeMode(), SizeMode::FullView);

    click(1094);  // Bethel 2
    EXPECT_EQ(scene.surfaceMode(), SurfaceMode::Bethel2);
    click(1109);  // Freedom to adjust, then one of its sliders moves the grid off its middle
    const auto grid = scene.controlGrid();
    key(1111, Qt::Key_End);
    EXPECT_EQ(scene.surfaceMode(), SurfaceMode::Freedom);
    EXPECT_NE(scene.controlGrid(), grid);

    click(1099);  // Sphere
    EXPECT_EQ(scene.shapeKind(), ShapeKind::Sphere);
    click(1121);  // rotation off and on, then its speed
    EXPECT_EQ(scene.spinEnabled(), 0);
    click(1121);
    key(1122, Qt::Key_End);
    EXPECT_EQ(scene.spinEnabled(), 1);
    EXPECT_EQ(scene.spinStep(), 10);
}

// With a clip playing, a surface or shape chosen on the panel changes the picture.
TEST_F(FrameBarsTest, PanelChoicesChangeThePicture)
{
    testmedia::ClipRequest clip;
    clip.name = "shell-panel.avi";
    clip.frames = 250;
    clip.pattern = "ball";
    frame->OpenMediaFile(QString::fromStdString(testmedia::clip(clip)));
    CBCGPMediaPlayerView* view = frame->activeView();
    ASSERT_EVENTUALLY_WITHIN(view->renderer().videoReady(), 10000);
    auto* picture = qobject_cast<SceneWidget*>(view->sceneWidget());
    ASSERT_NE(picture, nullptr);
    // Stop the picture moving so only the panel's choices change it. The transport bar's
    // Play button pauses through the frame's dispatch.
    click(1121);
    CNavigationBar* bar = view->navigationBar();
    ASSERT_EVENTUALLY(bar->isButtonEnabled(Command::Play));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->buttonRect(Command::Play).center());
    ASSERT_EQ(view->transport().playState(), PlayState::Paused);

    auto settled = [&] {
        QTest::qWait(300);
        return picture->grabFramebuffer();
    };
    const QImage flat = settled();
    click(1094);  // Bethel 2
    const QImage curved = settled();
    click(1092);
    click(1098);  // Cube
    const QImage cube = settled();
    EXPECT_NE(curved, flat);
    EXPECT_NE(cube, flat);
    EXPECT_NE(cube, curved);
}
