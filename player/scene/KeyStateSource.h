// Where SceneRenderer reads the arrow keys from.
#pragma once

enum class ArrowKey { Right, Left, Up, Down };

class KeyStateSource {
public:
    virtual ~KeyStateSource() = default;
    // True while the key is down or when it was pressed since the previous read of that
    // key; the read clears the "pressed since" latch.
    virtual bool readKey(ArrowKey key) = 0;
};
