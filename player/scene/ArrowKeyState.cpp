#include "ArrowKeyState.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <optional>

namespace {

std::optional<ArrowKey> arrowOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Right: return ArrowKey::Right;
    case Qt::Key_Left: return ArrowKey::Left;
    case Qt::Key_Up: return ArrowKey::Up;
    case Qt::Key_Down: return ArrowKey::Down;
    default: return std::nullopt;
    }
}

std::size_t indexOf(ArrowKey key) { return static_cast<std::size_t>(key); }

}  // namespace

ArrowKeyState::ArrowKeyState(QObject* parent) : QObject(parent)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

ArrowKeyState::~ArrowKeyState()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool ArrowKeyState::readKey(ArrowKey key)
{
    KeyFlags& flags = keys_[indexOf(key)];
    const bool counts = flags.down || flags.pressedSinceRead;
    flags.pressedSinceRead = false;
    return counts;
}

void ArrowKeyState::press(ArrowKey key)
{
    keys_[indexOf(key)].down = true;
    keys_[indexOf(key)].pressedSinceRead = true;
}

void ArrowKeyState::release(ArrowKey key) { keys_[indexOf(key)].down = false; }

void ArrowKeyState::releaseAll()
{
    for (KeyFlags& flags : keys_)
        flags.down = false;
}

bool ArrowKeyState::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A key event that no widget takes is offered to its parents too; seeing it more
        // than once changes nothing here.
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (const std::optional<ArrowKey> key = arrowOf(keyEvent->key())) {
            if (event->type() == QEvent::KeyPress)
                press(*key);
            else if (!keyEvent->isAutoRepeat())
                release(*key);
        }
        break;
    }
    case QEvent::ApplicationDeactivate:
        // The release of a key held while the focus leaves the player never arrives here.
        releaseAll();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
