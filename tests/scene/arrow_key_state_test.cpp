// The application-wide arrow-key state, driven by real key events.
#include "ArrowKeyState.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

void sendKey(QWidget* to, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(to, &event);
}

}  // namespace

// A tap between two reads counts once; a held key counts on every read until released.
TEST(ArrowKeyState, TapLatchesOnceHeldKeyCountsUntilReleased)
{
    ArrowKeyState keys;
    QWidget window;
    EXPECT_FALSE(keys.readKey(ArrowKey::Left));

    QTest::keyClick(&window, Qt::Key_Left);
    EXPECT_TRUE(keys.readKey(ArrowKey::Left));
    EXPECT_FALSE(keys.readKey(ArrowKey::Left));
    EXPECT_FALSE(keys.readKey(ArrowKey::Right));

    QTest::keyPress(&window, Qt::Key_Up);
    EXPECT_TRUE(keys.readKey(ArrowKey::Up));
    EXPECT_TRUE(keys.readKey(ArrowKey::Up));
    // Auto-repeat sends releases while the key stays down.
    sendKey(&window, QEvent::KeyRelease, Qt::Key_Up, true);
    sendKey(&window, QEvent::KeyPress, Qt::Key_Up, true);
    EXPECT_TRUE(keys.readKey(ArrowKey::Up));
    QTest::keyRelease(&window, Qt::Key_Up);
    EXPECT_FALSE(keys.readKey(ArrowKey::Up));
}

// Keys reach it whichever window of the program has them, also when a child widget takes
// the key; other keys are not arrows. When the program loses the focus a held key no longer
// counts (its release goes elsewhere).
TEST(ArrowKeyState, AnyWindowAnyWidgetUntilDeactivated)
{
    ArrowKeyState keys;
    QWidget first;
    QWidget second;
    auto* edit = new QLineEdit(&second);
    QTest::keyClick(&first, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Right);  // the line edit uses the key itself
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_TRUE(keys.readKey(ArrowKey::Down));
    EXPECT_TRUE(keys.readKey(ArrowKey::Right));
    EXPECT_FALSE(keys.readKey(ArrowKey::Left));
    EXPECT_FALSE(keys.readKey(ArrowKey::Up));

    QTest::keyPress(&first, Qt::Key_Right);
    EXPECT_TRUE(keys.readKey(ArrowKey::Right));
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    EXPECT_FALSE(keys.readKey(ArrowKey::Right));
}
