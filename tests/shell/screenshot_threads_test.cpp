// F12 screenshots as files: header fields and size, row padding, orientation and colours
// against what the view showed, two within one second, an unwritable folder, full screen
// with the bar lowered and raised, and a window (the volume pop-up) lying over the picture.
// The screen is copied, so this program has an X display of its own.
#include "BitmapReader.h"
#include "Eventually.h"
#include "PrivateDisplay.h"
#include "PrivatePulseServer.h"
#include "../view/PointerEvents.h"
#include "../view/ViewHarness.h"
#include "ChannelSlider.h"
#include "CommandIds.h"
#include "MainFrame.h"
#include "MediaSession.h"
#include "PlayerApp.h"
#include "Screenshot.h"
#include "SpeakerCommands.h"
#include "VolumeDialog.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace viewtest;

namespace {

PrivateDisplay display(1280, 800);

// Settings go to a private folder, never to the user's.
const bool settingsIsolated = [] {
    static QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    return true;
}();

const QDateTime kShotTime(QDate(2024, 1, 31), QTime(9, 5, 7));
const QString kShotName = QStringLiteral("2024-01-31-09-05-07.bmp");

// Ten seconds of colour bars (whose corner of snow changes with every frame).
std::string barsClip()
{
    testmedia::ClipSpec wanted;
    wanted.name = "still-smpte-320x240.avi";
    wanted.frames = 250;
    return testmedia::clip(wanted);
}

// Ten seconds of a still picture of four bands, top to bottom black, white, red and blue:
// what the view shows stays the same while the screen and the view are read.
std::string bandsClip()
{
    testmedia::ClipSpec wanted;
    wanted.name = "still-bands-320x240.avi";
    wanted.frames = 250;
    wanted.pattern = "gamut";
    return testmedia::clip(wanted);
}

// The bands met going down column x of the file, each named once.
QString bandsDown(const BitmapBytes& file, int x)
{
    QString seen;
    for (int y = 0; y < file.height(); ++y) {
        const QColor c = file.pixel(x, y);
        QChar band;
        if (c.red() > 200 && c.green() > 200 && c.blue() > 200)
            band = QLatin1Char('W');
        else if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
            band = QLatin1Char('R');
        else if (c.blue() > 150 && c.red() < 80 && c.green() < 80)
            band = QLatin1Char('B');
        if (!band.isNull() && !seen.endsWith(band))
            seen += band;
    }
    return seen;
}

// Pixels of `area` in which the file and the picture shown differ by more than a rounding
// step in any channel.
int differingPixels(const BitmapBytes& file, const QImage& shown, QRect area)
{
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor f = file.pixel(x - area.left(), y - area.top());
            const QColor s = shown.pixelColor(x, y);
            if (std::abs(f.red() - s.red()) > 4 || std::abs(f.green() - s.green()) > 4 ||
                std::abs(f.blue() - s.blue()) > 4)
                ++differing;
        }
    return differing;
}

// A view of a given client size playing the still clip, its screenshots going to a folder
// of the test's own at a fixed time.
class WindowedScreenshot : public ::testing::Test {
protected:
    void start(QSize client)
    {
        h = std::make_unique<ViewHarness>(client);
        ASSERT_TRUE(h->exposed);
        h->app.moduleDirectory = programDir.path().toStdString() + "/";
        h->view->screenshots().setClock([] { return kShotTime; });
        h->open(bandsClip());
        ASSERT_EVENTUALLY(h->bar()->isButtonEnabled(Command::Play));
        // Paused, the picture stays as it is while the screen and the view are read.
        h->click(Command::Play);
        ASSERT_EQ(h->view->transport().playState(), PlayState::Paused);
        // The view draws a frame when it comes: wait until the last one before the pause is
        // on the screen, so that the screen and a later draw show the same frame.
        ASSERT_EVENTUALLY(!h->renderer().media().hasNewerFrame());
        QTest::qWait(200);
    }

    QString shotsDir() const { return programDir.filePath(QStringLiteral("screenshots")); }
    QString shotPath() const { return shotsDir() + QLatin1Char('/') + kShotName; }
    void pressF12() const { QTest::keyClick(h->view.get(), Qt::Key_F12); }

    QTemporaryDir programDir;
    std::unique_ptr<ViewHarness> h;
};

}  // namespace

TEST_F(WindowedScreenshot, A640By400PictureAreaGivesA768054ByteFileOfWhatTheViewShowed)
{
    start(QSize(640, 460));
    EXPECT_FALSE(QFileInfo::exists(shotsDir()));  // made by the first screenshot
    pressF12();
    ASSERT_TRUE(QFileInfo::exists(shotPath()));
    const BitmapBytes file = BitmapBytes::read(shotPath());
    // The header's every field is checked with the writer; here what the view decides.
    ASSERT_EQ(file.bytes.size(), 768054);
    EXPECT_EQ(file.fileSize(), 768054u);
    EXPECT_EQ(file.width(), 640);
    EXPECT_EQ(file.height(), 400);  // the bar's 60 rows are left out
    EXPECT_EQ(file.bits(), 24);     // a 24-bit display

    // Upright and in its colours: white above red above blue down the middle.
    EXPECT_EQ(bandsDown(file, 320), QStringLiteral("WRB"));
    // Row for row and colour for colour what the view drew.
    const QImage shown = h->view->sceneWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(differingPixels(file, shown, QRect(0, 0, 640, 400)), 0);
}

// Where the platform gives no copy of the screen (Wayland), the file is composed from what
// the view drew, and shows the same picture as the copy.
TEST_F(WindowedScreenshot, WithoutAScreenCopyTheViewsOwnDrawingGivesTheSamePicture)
{
    start(QSize(640, 460));
    pressF12();
    const BitmapBytes copied = BitmapBytes::read(shotPath());
    ASSERT_EQ(copied.width(), 640);
    h->view->screenshots().setScreenCopy([](const QRect&) { return QImage(); });
    h->view->screenshots().setClock([] { return kShotTime.addSecs(1); });
    pressF12();
    const QString composedPath = shotsDir() + QStringLiteral("/2024-01-31-09-05-08.bmp");
    ASSERT_TRUE(QFileInfo::exists(composedPath));
    const BitmapBytes composed = BitmapBytes::read(composedPath);
    ASSERT_EQ(composed.bytes.size(), copied.bytes.size());
    EXPECT_EQ(composed.width(), 640);
    EXPECT_EQ(composed.height(), 400);
    EXPECT_EQ(bandsDown(composed, 320), QStringLiteral("WRB"));
    QImage copy(640, 400, QImage::Format_RGB32);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x)
            copy.setPixelColor(x, y, copied.pixel(x, y));
    EXPECT_EQ(differingPixels(composed, copy, QRect(0, 0, 640, 400)), 0);
}

TEST_F(WindowedScreenshot, RowsOfA641PixelAreaArePaddedTo1924Bytes)
{
    start(QSize(641, 460));
    pressF12();
    const BitmapBytes file = BitmapBytes::read(shotPath());
    ASSERT_EQ(file.bytes.size(), 54 + 1924 * 400);
    EXPECT_EQ(file.width(), 641);
    EXPECT_EQ(file.stride(), 1924);
    for (int row = 0; row < 400; ++row)
        ASSERT_EQ(file.byte(54 + row * 1924 + 1923), 0) << "padding of row " << row;
    const QImage shown = h->view->sceneWidget()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(differingPixels(file, shown, QRect(0, 0, 641, 400)), 0);
}

TEST_F(WindowedScreenshot, TheSecondOfTwoWithinOneSecondReplacesTheFirst)
{
    start(QSize(640, 460));
    pressF12();
    ASSERT_EQ(QFileInfo(shotPath()).size(), 768054);
    h->view->resize(641, 460);
    QTest::qWait(200);
    pressF12();
    EXPECT_EQ(QDir(shotsDir()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList{kShotName});
    EXPECT_EQ(QFileInfo(shotPath()).size(), 54 + 1924 * 400);
}

TEST_F(WindowedScreenshot, AnUnwritableFolderLosesNothingAndTheViewGoesOn)
{
    start(QSize(640, 460));
    // A file where the folder should be: no folder can be made, no screenshot written.
    QFile blocker(shotsDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep me");
    blocker.close();
    pressF12();
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("screenshots")});
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), "keep me");
    blocker.close();

    // A folder, with something in it, where this second's file should be.
    ASSERT_TRUE(blocker.remove());
    ASSERT_TRUE(QDir().mkpath(shotPath()));
    QFile inside(shotPath() + QStringLiteral("/inside.txt"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("keep me too");
    inside.close();
    pressF12();
    EXPECT_TRUE(QFileInfo(shotPath()).isDir());
    EXPECT_EQ(QDir(shotsDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{kShotName});  // no half-written file beside it
    ASSERT_TRUE(inside.open(QIODevice::ReadOnly));
    EXPECT_EQ(inside.readAll(), "keep me too");

    // The program goes on: it plays, and the next screenshot with room for it is written.
    h->click(Command::Play);
    EXPECT_EQ(h->view->transport().playState(), PlayState::Playing);
    h->view->screenshots().setClock([] { return kShotTime.addSecs(1); });
    pressF12();
    EXPECT_EQ(QFileInfo(shotsDir() + QStringLiteral("/2024-01-31-09-05-08.bmp")).size(), 768054);
}

TEST(ScreenshotPlaces, ProgramFolderWhenWritableElseThePicturesFolder)
{
    QTemporaryDir dir;
    EXPECT_EQ(ScreenshotTaker::folderFor(dir.path().toStdString() + "/"),
              dir.path() + QStringLiteral("/screenshots"));
    EXPECT_EQ(ScreenshotTaker::folderFor("/no/such/folder/"),
              QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
                  QStringLiteral("/VelmoraPlayer"));
    EXPECT_EQ(ScreenshotTaker::fileName(QDateTime(QDate(2024, 12, 3), QTime(23, 0, 59))),
              QStringLiteral("2024-12-03-23-00-59.bmp"));
    // A window no taller than the bar has no picture area.
    EXPECT_TRUE(ScreenshotTaker::pictureArea(QRect(0, 0, 300, 60), true, false).isEmpty());
}

// The whole program in full screen: the view reaches past the screen's edges, and the part
// outside the screen is cut off; a raised bar and the band under it are left out.
TEST(FullScreenScreenshot, CoversTheScreenWithoutTheRaisedBar)
{
    QTemporaryDir programDir;
    RecordingMessages messages;
    QueuedFileChooser chooser;
    auto app = std::make_unique<CPlayerApp>(programDir.path());
    app->setMessagePresenter(&messages);
    app->setFileChooser(&chooser);
    ASSERT_TRUE(app->InitInstance(
        {QStringLiteral("VelmoraPlayer"), QString::fromStdString(bandsClip())}));
    CMainFrame* frame = app->mainFrame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    leakcheck::keepGlDriverLoaded();
    CBCGPMediaPlayerView* view = frame->activeView();
    view->screenshots().setClock([] { return kShotTime; });
    const QString shot = programDir.filePath(QStringLiteral("screenshots/") + kShotName);
    const QRect screen = frame->screen()->geometry();

    SceneWidget* scene = view->sceneWidget();
    QTest::mouseDClick(scene, Qt::LeftButton, {}, scene->rect().center());
    ASSERT_FALSE(view->isWindowed());
    ASSERT_EVENTUALLY(view->mapToGlobal(QPoint(0, 0)) == QPoint(-3, -3));
    ASSERT_EVENTUALLY(view->height() == screen.height() + 69);
    movePointer(scene, scene->mapFromGlobal(screen.center()));
    ASSERT_EVENTUALLY(!view->isBarRaised());
    QTest::keyClick(view, Qt::Key_F12);
    BitmapBytes file = BitmapBytes::read(shot);
    EXPECT_EQ(file.width(), screen.width());
    EXPECT_EQ(file.height(), screen.height());

    movePointer(scene, scene->mapFromGlobal(QPoint(screen.center().x(), screen.bottom() - 20)));
    ASSERT_EVENTUALLY(view->isBarRaised());
    QTest::keyClick(view, Qt::Key_F12);
    file = BitmapBytes::read(shot);
    EXPECT_EQ(file.width(), screen.width());
    // The view's top 3 rows lie above the screen; the picture area ends 120 rows above the
    // view's bottom, which lies 66 rows below the screen.
    EXPECT_EQ(file.height(), screen.height() - 54);
    EXPECT_EQ(file.fileSize(), 54u + static_cast<unsigned>(file.stride() * file.height()));
    app->ExitInstance(0);
}

// Another window over the picture is part of the screenshot: here the volume pop-up, open
// over the playing view (it needs a sound server to open).
TEST(PopupScreenshot, TheVolumePopupOverThePictureIsInTheFile)
{
    PrivatePulseServer pulse;
    ASSERT_TRUE(pulse.start());
    pulse.useForThisProcess();
    QTemporaryDir programDir;
    ViewHarness h(QSize(640, 460));
    ASSERT_TRUE(h.exposed);
    h.app.moduleDirectory = programDir.path().toStdString() + "/";
    h.view->screenshots().setClock([] { return kShotTime; });
    h.open(barsClip());
    ASSERT_EVENTUALLY(h.bar()->isButtonEnabled(Command::Play));

    pulse.setVolumes({QStringLiteral("39321"), QStringLiteral("22938")});  // 60 % and 35 %
    const QPoint pointer = h.view->mapToGlobal(QPoint(300, 300));
    h.view->speakers().ToggleVolumePopup(pointer);
    CVolumeDialog* popup = h.view->speakers().volumePopup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->leftSlider()->position(), 39321);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    QTest::qWait(300);
    QTest::keyClick(h.view.get(), Qt::Key_F12);
    const BitmapBytes file =
        BitmapBytes::read(programDir.filePath(QStringLiteral("screenshots/") + kShotName));
    ASSERT_EQ(file.bytes.size(), 768054);

    // Where the pop-up lies, the file shows the pop-up as it draws itself.
    const QImage drawn = popup->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = h.view->mapFromGlobal(popup->geometry().topLeft());
    EXPECT_EQ(at, QPoint(300, 170));
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (file.pixel(at.x() + x, at.y() + y) != drawn.pixelColor(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);

    // For a person to look at: the whole screen with the pop-up open over the playing view.
    const QByteArray keep = qgetenv("VELMORA_KEEP_SCREENS");
    if (!keep.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(keep));
        h.view->screen()->grabWindow(0).save(QString::fromLocal8Bit(keep) +
                                             QStringLiteral("/volume-popup-over-view.png"));
        QFile::copy(programDir.filePath(QStringLiteral("screenshots/") + kShotName),
                    QString::fromLocal8Bit(keep) + QStringLiteral("/f12-with-popup.bmp"));
    }
}
