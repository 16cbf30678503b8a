// The arrow keys' state for the whole application: an event filter on the application sees
// every key event of every window of the player, so the keys count whichever of its windows
// has the keyboard focus. Keys of other programs are never seen.
#pragma once

#include "KeyStateSource.h"

#include <QObject>

#include <array>

class ArrowKeyState : public QObject, public KeyStateSource {
    Q_OBJECT
public:
    // Installs itself on the running application; removes itself when destroyed.
    explicit ArrowKeyState(QObject* parent = nullptr);
    ~ArrowKeyState() override;

    bool readKey(ArrowKey key) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct KeyFlags {
        bool down = false;
        bool pressedSinceRead = false;
    };
    void press(ArrowKey key);
    void release(ArrowKey key);
    void releaseAll();

    std::array<KeyFlags, 4> keys_{};
};
