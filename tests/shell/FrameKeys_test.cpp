// The player's keys through the main frame, as a person presses them with the picture or the
// frame focused: the rate keys move the control panel's slider, Enter and Esc take the view
// into full screen and back, M mutes the video's sound, 9, 0 and the wheel over the picture
// set the player's volume (kept for the next start), and keys with Ctrl do nothing here. What
// the volume keys and F12 did shows in a note over the picture, in the frame's language. The
// shortcuts dialog lists every key in each of the six languages.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "ColorChooserTemplate.h"
#include "KeyboardShortcuts.h"
#include "MediaPlayerView.h"
#include "OnScreenNote.h"
#include "SceneWidget.h"
#include "ShortcutsDialog.h"

#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTableWidget>
#include <QWheelEvent>

using framefixture::FrameTest;

namespace {

class FrameKeys : public FrameTest {
protected:
    int rate() const
    {
        return qobject_cast<QSlider*>(frame->controlPanel()->control(panel::PlayRateSlider))->value();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(frame->activeView(), static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();
    }
    void turnWheel(int angle)
    {
        SceneWidget* scene = frame->activeView()->sceneWidget();
        const QPointF at(scene->width() / 2.0, scene->height() / 2.0);
        QWheelEvent wheel(at, scene->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(scene, &wheel);
    }
    QString note() const
    {
        const OnScreenNote* shown = frame->onScreenNote();
        return shown && shown->isVisible() ? shown->text() : QString();
    }
};

TEST_F(FrameKeys, RateKeysStepTheSliderAndBackspaceBringsItBackToNormal)
{
    createFrame();
    ASSERT_EQ(rate(), 100);
    press(Qt::Key_BracketRight);
    const int faster = rate();
    EXPECT_GT(faster, 100);
    press(Qt::Key_BracketRight);
    EXPECT_GT(rate(), faster);
    for (int i = 0; i < 20; ++i)
        press(Qt::Key_BracketRight);
    EXPECT_EQ(rate(), 200) << "the slider stops at its end";
    press(Qt::Key_Backspace);
    EXPECT_EQ(rate(), 100);
    press(Qt::Key_BracketLeft);
    EXPECT_LT(rate(), 100);
    press(Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_LT(rate(), 100) << "with Ctrl the key is not the player's";
    EXPECT_EQ(note(), QStringLiteral("Speed: %1×").arg(rate() / 100.0, 0, 'f', 2));

    // A double-click on the slider brings the normal rate back too.
    auto* slider = qobject_cast<QSlider*>(frame->controlPanel()->control(panel::PlayRateSlider));
    QTest::mouseDClick(slider, Qt::LeftButton, Qt::NoModifier, slider->rect().center());
    EXPECT_EQ(rate(), 100);
    EXPECT_EQ(note(), QStringLiteral("Speed: 1.00×"));
}

TEST_F(FrameKeys, EnterGoesFullScreenEscComesBackAndMMutes)
{
    createFrame();
    CBCGPMediaPlayerView* view = frame->activeView();
    ASSERT_TRUE(view->isWindowed());
    press(Qt::Key_Return);
    EXPECT_FALSE(view->isWindowed());
    press(Qt::Key_Escape);
    EXPECT_TRUE(view->isWindowed());
    press(Qt::Key_F);
    EXPECT_FALSE(view->isWindowed());
    press(Qt::Key_F);
    EXPECT_TRUE(view->isWindowed());

    EXPECT_FALSE(view->isVideoSoundMuted());
    press(Qt::Key_M);
    EXPECT_TRUE(view->isVideoSoundMuted());
    press(Qt::Key_M);
    EXPECT_FALSE(view->isVideoSoundMuted());
}

TEST_F(FrameKeys, NineZeroAndTheWheelSetThePlayersVolumeWhichTheNextStartKeeps)
{
    createFrame();
    CBCGPMediaPlayerView* view = frame->activeView();
    ASSERT_EQ(view->videoVolume(), 100) << "a first start plays at full volume";
    EXPECT_TRUE(note().isEmpty());
    press(Qt::Key_9);
    EXPECT_EQ(view->videoVolume(), 100 - CBCGPMediaPlayerView::kVolumeStep);
    EXPECT_EQ(note(), QStringLiteral("Volume: 95 %"));
    press(Qt::Key_0);
    press(Qt::Key_0);
    EXPECT_EQ(view->videoVolume(), 100) << "no louder than the file's own level";

    // A notch down, then two half notches (a touchpad) make one more.
    turnWheel(-120);
    EXPECT_EQ(view->videoVolume(), 95);
    turnWheel(-60);
    EXPECT_EQ(view->videoVolume(), 95);
    turnWheel(-60);
    EXPECT_EQ(view->videoVolume(), 90);
    for (int i = 0; i < 30; ++i)
        press(Qt::Key_9);
    EXPECT_EQ(view->videoVolume(), 0);

    // M silences whatever the volume; a volume key turns the sound on again.
    press(Qt::Key_0);
    press(Qt::Key_0);
    press(Qt::Key_M);
    EXPECT_TRUE(view->isVideoSoundMuted());
    frame->ApplyLanguage(1);
    press(Qt::Key_M);
    EXPECT_EQ(note(), QStringLiteral("Lautstärke: 10 %"));
    press(Qt::Key_M);
    EXPECT_EQ(note(), QStringLiteral("Lautstärke: stumm"));
    press(Qt::Key_0);
    EXPECT_FALSE(view->isVideoSoundMuted());
    EXPECT_EQ(view->videoVolume(), 15);

    frame->close();
    createFrame();
    EXPECT_EQ(frame->activeView()->videoVolume(), 15) << "the volume is kept";
    EXPECT_FALSE(frame->activeView()->isVideoSoundMuted());
}

// Loudness follows the cube of the amplitude: the volume's steps sound even.
TEST(VideoVolume, TheFactorIsTheCubeOfTheFraction)
{
    EXPECT_DOUBLE_EQ(CBCGPMediaPlayerView::soundFactor(100), 1.0);
    EXPECT_DOUBLE_EQ(CBCGPMediaPlayerView::soundFactor(50), 0.125);
    EXPECT_DOUBLE_EQ(CBCGPMediaPlayerView::soundFactor(0), 0.0);
    EXPECT_DOUBLE_EQ(CBCGPMediaPlayerView::soundFactor(150), 1.0);
    EXPECT_DOUBLE_EQ(CBCGPMediaPlayerView::soundFactor(-5), 0.0);
}

TEST_F(FrameKeys, F12SaysWhereTheScreenshotWentOrThatItCouldNotBeWritten)
{
    createFrame();
    QTest::keyClick(frame->activeView(), Qt::Key_F12);
    const QString shots = QDir(programDir.path()).filePath(QStringLiteral("screenshots"));
    const QStringList files = QDir(shots).entryList({QStringLiteral("*.bmp")});
    ASSERT_EQ(files.size(), 1);
    // A path wider than the picture is cut in its middle; its start and the name stay.
    EXPECT_TRUE(note().startsWith(QStringLiteral("Screenshot saved: /"))) << note().toStdString();
    EXPECT_TRUE(note().endsWith(QStringLiteral("/screenshots/") + files.front()))
        << note().toStdString();

    // A file in the folder's place: nothing can be written there.
    ASSERT_TRUE(QDir(shots).removeRecursively());
    QFile blocker(shots);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    frame->ApplyLanguage(2);
    QTest::keyClick(frame->activeView(), Qt::Key_F12);
    EXPECT_TRUE(note().startsWith(QStringLiteral("Capture d'écran non enregistrée"))) << note().toStdString();
}

TEST_F(FrameKeys, TheDialogListsEveryKeyInEachLanguage)
{
    createFrame();
    frame->ShowKeyboardShortcuts();
    ShortcutsDialog* dialog = frame->shortcutsDialog();
    ASSERT_NE(dialog, nullptr);
    QTableWidget* table = dialog->table();
    ASSERT_EQ(table->rowCount(), static_cast<int>(shortcuts::kRows.size()));
    QStringList titles;
    for (int language = 0; language < lang::kLanguageCount; ++language) {
        dialog->setLanguage(language);
        titles << dialog->windowTitle();
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column) {
                const QTableWidgetItem* item = table->item(row, column);
                ASSERT_NE(item, nullptr);
                EXPECT_FALSE(item->text().isEmpty()) << language << " " << row << " " << column;
            }
    }
    EXPECT_EQ(titles.front(), QStringLiteral("Keyboard shortcuts"));
    EXPECT_EQ(titles.removeDuplicates(), 0) << "each language has its own title";
    dialog->close();
}

}  // namespace
