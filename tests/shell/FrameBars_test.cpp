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

#include <tuple>

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

// Each panel control reaches the view and the scene it draws with.
TEST_F(FrameBarsTest, PanelSettingsReachTheView)
{
    CBCGPMediaPlayerView* view = frame->activeView();
    SceneRenderer& scene = view->renderer();
    // Size mode, proportion, surface, shape, rotation on, rotation speed.
    auto state = [&] {
        return QStringLiteral("%1 %2 %3 %4 %5 %6")
            .arg(int(view->sizeMode())).arg(view->proportion())
            .arg(int(scene.surfaceMode())).arg(int(scene.shapeKind())).arg(scene.spinEnabled())
            .arg(scene.spinStep());
    };
    const Qt::Key kClick = Qt::Key_unknown;
    const std::tuple<int, Qt::Key, const char*> steps[] = {
        {1087, kClick, "0 400 0 0 1 1"}, {1082, Qt::Key_Home, "0 0 0 0 1 1"},
        {1082, Qt::Key_End, "0 800 0 0 1 1"}, {1091, kClick, "1 800 0 0 1 1"},
        {1093, kClick, "1 800 1 0 1 1"}, {1094, kClick, "1 800 2 0 1 1"},
        {1095, kClick, "1 800 3 0 1 1"}, {1096, kClick, "1 800 4 0 1 1"},
        {1102, kClick, "1 800 5 0 1 1"}, {1109, kClick, "1 800 6 0 1 1"},
        {1111, Qt::Key_End, "1 800 6 0 1 1"}, {1092, kClick, "1 800 0 0 1 1"},
        {1098, kClick, "1 800 0 1 1 1"}, {1099, kClick, "1 800 0 2 1 1"},
        {1100, kClick, "1 800 0 3 1 1"}, {1101, kClick, "1 800 0 4 1 1"},
        {1097, kClick, "1 800 0 0 1 1"}, {1121, kClick, "1 800 0 0 0 1"},
        {1121, kClick, "1 800 0 0 1 1"}, {1122, Qt::Key_End, "1 800 0 0 1 10"}};
    for (const auto& [id, key, expected] : steps) {
        const auto grid = scene.controlGrid();
        if (key == kClick) {
            click(id);
        } else {
            control(id)->setFocus();
            QTest::keyClick(control(id), key);
        }
        EXPECT_EQ(state(), expected) << id;
        if (id == 1111) {  // a "Freedom to adjust" slider moves the grid off its middle
            EXPECT_NE(scene.controlGrid(), grid);
        }
    }
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
