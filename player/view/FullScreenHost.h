// The window that can switch the view in and out of full-screen mode (the main frame).
#pragma once

enum class WindowState { Windowed, FullScreen };

class FullScreenHost {
public:
    virtual ~FullScreenHost() = default;
    virtual void SetWindowState(WindowState state) = 0;
};
