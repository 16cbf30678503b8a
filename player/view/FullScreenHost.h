// The window that can switch the view in and out of full-screen mode (the main frame).
#pragma once

class FullScreenHost {
public:
    virtual ~FullScreenHost() = default;
    // 1 enters full-screen mode; any other value leaves it.
    virtual void SetFullScreen(int on) = 0;
};
