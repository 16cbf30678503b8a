// The player's keys through the main frame, as a person presses them with the picture or the
// frame focused: the rate keys move the control panel's slider, Enter and Esc take the view
// into full screen and back, M mutes the video's sound, and keys with Ctrl do nothing here.
// The shortcuts dialog lists every key in each of the six languages.
#include "FrameFixture.h"

#include "ColorChooserBar.h"
#include "ColorChooserTemplate.h"
#include "KeyboardShortcuts.h"
#include "MediaPlayerView.h"
#include "ShortcutsDialog.h"

#include <QSlider>
#include <QTableWidget>

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
