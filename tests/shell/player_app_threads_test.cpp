// The program as a person meets it: start-up with and without a file, Ctrl+O, the About
// dialog, "Check for update", the display-depth warning and full screen.
#include "Eventually.h"
#include "../view/PlayerTestDoubles.h"
#include "../view/PointerEvents.h"
#include "LeakCheckSupport.h"
#include "AboutDialog.h"
#include "CommandIds.h"
#include "MainFrame.h"
#include "MediaPlayerView.h"
#include "NavigationBar.h"
#include "PlayerApp.h"
#include "ProductLinks.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"
#include "SettingsStore.h"
#include "TestMedia.h"
#include "Transport.h"
#include "UpdateCheck.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Settings go to a private folder, never to the user's.
const bool settingsIsolated = [] {
    static QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    return true;
}();

std::string clip()
{
    testmedia::ClipRequest wanted;
    wanted.name = "app-320x240.avi";
    return testmedia::clip(wanted);
}

class PlayerAppTest : public ::testing::Test {
protected:
    void start(const QStringList& files = {}, int depth = 24)
    {
        app = std::make_unique<CPlayerApp>(QCoreApplication::applicationDirPath());
        app->setMessagePresenter(&messages);
        app->setFileChooser(&chooser);
        app->setDisplayDepth([this, depth] {
            frameVisibleAtDepthCheck = app->mainFrame() && app->mainFrame()->isVisible();
            return depth;
        });
        app->setUpdateDelay(std::chrono::milliseconds(100));
        ASSERT_TRUE(app->InitInstance(QStringList{"VelmoraPlayer"} + files));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame()));
        leakcheck::keepGlDriverLoaded();
        waitForOpen();
    }
    // A file opens on a worker while the window answers.
    void waitForOpen() const
    {
        EXPECT_TRUE(VELMORA_WAIT_FOR(!view()->transport().isOpening(), 30000))
            << "the open never finished";
    }
    void TearDown() override
    {
        if (app)
            app->ExitInstance(0);
    }

    CMainFrame* frame() const { return app->mainFrame(); }
    CBCGPMediaPlayerView* view() const { return frame()->activeView(); }
    CNavigationBar* bar() const { return view()->navigationBar(); }

    RecordingMessages messages;
    QueuedFileChooser chooser;
    std::unique_ptr<CPlayerApp> app;
    bool frameVisibleAtDepthCheck = false;
};

TEST_F(PlayerAppTest, AFileOnTheCommandLineIsOpenedAndPlayed)
{
    const std::string path = clip();
    start({QString::fromStdString(path)});
    EXPECT_EQ(frame()->windowTitle(), "app-320x240.avi - MediaVelmora Player");
    EXPECT_EQ(chooser.asked, 0);
    EXPECT_EQ(app->state().currentMediaPath, path);
    EXPECT_EVENTUALLY(app->state().mediaDurationMs == 2000);
    EXPECT_EQ(view()->transport().playState(), PlayState::Playing);
    EXPECT_TRUE(view()->renderer().videoReady());
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EVENTUALLY(bar()->isButtonEnabled(Command::Stop));
    EXPECT_EQ(bar()->playIcon(), 0);
    const std::string& dir = app->state().moduleDirectory;
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(QDir(QString::fromStdString(dir)), QDir(QCoreApplication::applicationDirPath()));
}

// What desktop launchers and file managers pass: a file:// URI, here with a blank and an
// accent percent-encoded, opens and plays like a path.
TEST_F(PlayerAppTest, AFileUriOnTheCommandLineIsOpenedAndPlayed)
{
    const QString path = QString::fromStdString(testmedia::mediaDir()) +
                         QString::fromUtf8("/app clip \u00e9t\u00e9.avi");
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(QString::fromStdString(clip()), path));
    start({QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded())});
    EXPECT_EQ(QString::fromStdString(app->state().currentMediaPath), path);
    EXPECT_TRUE(view()->renderer().videoReady());
    EXPECT_EQ(view()->transport().playState(), PlayState::Playing);
    EXPECT_TRUE(messages.boxes.empty());
}

// A video file dropped on the window (a file manager's URL list) opens and plays as "Open..."
// would, with the busy pointer while it opens. A web address, plain text, a file of another
// kind and an empty list are refused at the door and change nothing.
TEST_F(PlayerAppTest, ADroppedVideoOpensAndPlaysAnythingElseIsRefused)
{
    start();
    const QPoint at = view()->mapTo(frame(), view()->rect().center());
    auto drop = [&](const std::function<void(QMimeData&)>& fill) {
        QMimeData data;
        fill(data);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame(), &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame(), &dropped);
        EXPECT_EQ(enter.isAccepted(), dropped.isAccepted());
        return dropped.isAccepted();
    };
    const QString text = QString::fromStdString(testmedia::writeFile("app-notes.txt", "notes\n"));
    EXPECT_FALSE(drop([](QMimeData& d) { d.setUrls({QUrl("https://example.org/a.avi")}); }));
    EXPECT_FALSE(drop([](QMimeData& d) { d.setText("just words"); }));
    EXPECT_FALSE(drop([&](QMimeData& d) { d.setUrls({QUrl::fromLocalFile(text)}); }));
    EXPECT_FALSE(drop([](QMimeData& d) { d.setUrls({}); }));
    EXPECT_FALSE(drop([](QMimeData& d) { d.setUrls({QUrl::fromLocalFile(QDir::tempPath())}); }));
    EXPECT_TRUE(app->state().currentMediaPath.empty());
    EXPECT_EQ(view()->transport().playState(), PlayState::NoVideo);
    EXPECT_TRUE(messages.boxes.empty());

    const QString video = QString::fromStdString(clip());
    EXPECT_TRUE(drop([&](QMimeData& d) { d.setUrls({QUrl::fromLocalFile(video)}); }));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    waitForOpen();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->state().currentMediaPath), video);
    EXPECT_TRUE(view()->renderer().videoReady());
    EXPECT_EQ(view()->transport().playState(), PlayState::Playing);
    EXPECT_EQ(chooser.asked, 0);

    // A file:// URI dropped as text opens too.
    view()->transport().stop();
    EXPECT_TRUE(drop([&](QMimeData& d) {
        d.setText(QString::fromLatin1(QUrl::fromLocalFile(video).toEncoded()));
    }));
    waitForOpen();
    EXPECT_EQ(view()->transport().playState(), PlayState::Playing);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(PlayerAppTest, AnUnplayableCommandLineFileShowsTheMessageAndTheProgramRuns)
{
    start({QString::fromStdString(testmedia::writeFile("app-text.avi", "hello"))});
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text,
              "app-text.avi is not a video: no video or sound format was found in it.");
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_FALSE(view()->renderer().videoReady());
    // Still usable: Ctrl+O opens a good file.
    chooser.answers.push_back(QString::fromStdString(clip()));
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame(), 20000));
    QTest::keyClick(frame(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(chooser.asked, 1);
    waitForOpen();
    EXPECT_TRUE(view()->renderer().videoReady());
}

TEST_F(PlayerAppTest, CtrlOShowsTheDialogOpensAndPlays)
{
    start();
    EXPECT_EQ(view()->transport().playState(), PlayState::NoVideo);
    EXPECT_FALSE(bar()->isButtonEnabled(Command::Play));
    EXPECT_FALSE(frame()->action(Command::Back)->isEnabled());
    EXPECT_TRUE(frame()->action(Command::FileOpen)->isEnabled());
    EXPECT_EQ(frame()->action(Command::FileOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    chooser.answers.push_back(QString::fromStdString(clip()));
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame(), 20000));
    QTest::keyClick(frame(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(chooser.asked, 1);
    waitForOpen();
    EXPECT_TRUE(view()->renderer().videoReady());
    EXPECT_EQ(view()->transport().playState(), PlayState::Playing);
    EXPECT_TRUE(frame()->action(Command::Back)->isEnabled());
    EXPECT_EVENTUALLY(bar()->isButtonEnabled(Command::Play));
    // The media information is read off the UI thread and arrives a little later.
    EXPECT_EVENTUALLY(app->state().mediaDurationMs == 2000);
    EXPECT_NE(frame()->lastMediaReport().pages[0].find("AVI"), std::string::npos);
}

TEST_F(PlayerAppTest, ACancelledOpenStillReadsTheFileAndSetsPlaying)
{
    start();
    chooser.answers.push_back(QString());
    frame()->dispatchCommand(Command::FileOpen);
    EXPECT_EQ(chooser.asked, 1);
    EXPECT_TRUE(app->state().currentMediaPath.empty());
    EXPECT_EQ(app->state().mediaDurationMs, 0);
    EXPECT_FALSE(view()->renderer().videoReady());
    // The frame sets "playing" whatever the dialog gave, which enables the transport.
    EXPECT_EQ(view()->transport().playState(), PlayState::Playing);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(PlayerAppTest, ALowColourDisplayIsWarnedAboutOnceTheWindowIsUp)
{
    start({}, 8);
    EXPECT_TRUE(frameVisibleAtDepthCheck);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, CPlayerApp::kDepthWarning);
    EXPECT_TRUE(messages.boxes[0].text.contains("'Highest (32 bit)'"));
    EXPECT_TRUE(frame()->isVisible());
}

TEST_F(PlayerAppTest, ASixteenBitDisplayPassesSilently)
{
    start({}, 16);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(PlayerAppTest, AboutShowsTheProductTheLinksAndClosesWithOk)
{
    start();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(VELMORA_WAIT_FOR(qobject_cast<AboutDialog*>(QApplication::activeModalWidget()), 5000));
        auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        EXPECT_EQ(dialog->windowTitle(), "About VelmoraPlayer");
        EXPECT_EQ(dialog->parentWidget(), frame());
        auto* version = dialog->findChild<QLabel*>("versionText");
        ASSERT_TRUE(version);
        EXPECT_EQ(version->text(), "VelmoraPlayer    3.6.0.0");
        EXPECT_EQ(dialog->webLink()->url(), QUrl(product::kHomePage));
        EXPECT_EQ(dialog->webLink()->toolTip(), "Go to VelmoraPlayer homepage");
        EXPECT_EQ(dialog->mailLink()->url().scheme(), "mailto");
        EXPECT_EQ(dialog->mailLink()->toolTip(), "Send email");
        EXPECT_GE(dialog->webLink()->width(),
                  dialog->webLink()->fontMetrics().horizontalAdvance(dialog->webLink()->text()));
        seen = true;
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    frame()->dispatchCommand(Command::AppAbout);
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PlayerAppTest, EachUpdateCheckShowsItsOwnMessageLater)
{
    start();
    frame()->dispatchCommand(Command::CheckForUpdate);
    frame()->dispatchCommand(Command::CheckForUpdate);
    EXPECT_TRUE(messages.notices.empty());  // the check answers after a while, not at once
    ASSERT_EVENTUALLY(messages.notices.size() == 2u);
    for (const auto& notice : messages.notices) {
        EXPECT_EQ(notice.title, "No Update Messages");
        EXPECT_EQ(notice.text, "The current version is the latest version, do not need update");
    }
}

TEST_F(PlayerAppTest, DoubleClickGoesFullScreenWithAHidingBarAndEscComesBack)
{
    start({QString::fromStdString(clip())});
    const QRect windowed = frame()->geometry();
    const QRect screen = frame()->screen()->geometry();
    SceneWidget* scene = view()->sceneWidget();
    QTest::mouseDClick(scene, Qt::LeftButton, {}, scene->rect().center());
    ASSERT_FALSE(view()->isWindowed());
    EXPECT_FALSE(frame()->isWindowedState());
    EXPECT_FALSE(view()->isBarWatcherHeld());
    // The view covers the screen and reaches 66 pixels below it.
    ASSERT_EVENTUALLY(view()->mapToGlobal(QPoint(0, 0)) == QPoint(-3, -3));
    EXPECT_EVENTUALLY(view()->height() == screen.height() + 69);
    EXPECT_EQ(frame()->geometry(), frame()->fullScreenRect());

    auto barOnScreen = [&] {
        const QRect r(bar()->mapToGlobal(QPoint(0, 0)), bar()->size());
        return screen.intersected(r).height();
    };
    // Pointer in the middle: the bar is out of sight.
    auto pointerAt = [&](QPoint global) { movePointer(scene, scene->mapFromGlobal(global)); };
    pointerAt(screen.center());
    EXPECT_EVENTUALLY(barOnScreen() <= 3);
    EXPECT_FALSE(view()->isBarRaised());
    // Near the bottom edge: it comes up to the screen's edge (its last 6 pixels, below the
    // buttons, stay under the edge).
    pointerAt(QPoint(screen.center().x(), screen.bottom() - 20));
    EXPECT_EVENTUALLY(view()->isBarRaised());
    EXPECT_EVENTUALLY(barOnScreen() == 54);
    const QRect play(bar()->mapToGlobal(bar()->buttonRect(Command::Play).topLeft()),
                     bar()->buttonRect(Command::Play).size());
    EXPECT_LT(play.top(), screen.bottom() - 30);
    // And goes again when the pointer leaves.
    pointerAt(screen.center());
    EXPECT_EVENTUALLY(!view()->isBarRaised() && barOnScreen() <= 3);

    // Esc comes back to the window with the bar at the bottom.
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_TRUE(view()->isWindowed());
    EXPECT_TRUE(frame()->isWindowedState());
    EXPECT_TRUE(view()->isBarWatcherHeld());
    EXPECT_EVENTUALLY(frame()->geometry() == windowed);
    EXPECT_EVENTUALLY(bar()->geometry() ==
                      QRect(0, view()->height() - 60, view()->width(), 60));
    EXPECT_TRUE(bar()->isVisible());
    // Esc in the window does nothing.
    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_TRUE(view()->isWindowed());
    EXPECT_EQ(frame()->geometry(), windowed);
}

TEST_F(PlayerAppTest, DoubleClickingTwiceReturnsToTheWindow)
{
    start();
    SceneWidget* scene = view()->sceneWidget();
    QTest::mouseDClick(scene, Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_FALSE(view()->isWindowed());
    QTest::mouseDClick(scene, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(view()->isWindowed());
    EXPECT_EVENTUALLY(bar()->geometry() ==
                      QRect(0, view()->height() - 60, view()->width(), 60));
}

TEST(PlayerAppSettings, ModuleDirectoryAndSettingsStore)
{
    EXPECT_EQ(CPlayerApp::moduleDirectoryOf("/opt/velmora"), "/opt/velmora/");
    EXPECT_EQ(CPlayerApp::moduleDirectoryOf("/"), "/");
    {
        SettingsStore store;
        store.writeInt("Settings", "ColorChooserH", 123000);
        EXPECT_TRUE(store.sync());
    }
    SettingsStore again;
    EXPECT_EQ(again.getInt("Settings", "ColorChooserH", -1), 123000);
    EXPECT_EQ(again.getInt("ListCtrls", "1123", -1), -1);
    const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, "MediaVelmora",
                                   "settings").fileName();
    EXPECT_TRUE(file.contains("MediaVelmora/settings"));
    EXPECT_TRUE(file.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
}

}  // namespace
