// main() for test programs that need a QApplication: GUI, OpenGL and widget tests.
#include <QApplication>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

#include "PrivateDisplay.h"
#include "StreamingThreads.h"

// Third-party memory the leak checker cannot name, kept for the whole process: GLib's one-time
// tables from its library constructor (reached through GStreamer; built without frame
// pointers, so the stacks stop inside GLib) and the D-Bus buffers of Qt's desktop integration.
// Nothing of the player is suppressed.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:_dl_init\n"
           "leak:libglib-2.0.so\n"
           "leak:libdbus-1.so\n";
}

int main(int argc, char** argv)
{
    // Every GUI test program on a display of its own, the size the test script's display has,
    // unless the test file started one of another size already. Declared before the
    // application so the server outlives its last window.
    const PrivateDisplay display(1600, 1000);

    // Fixed-function drawing needs a compatibility-profile context; set it before any widget.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    streamingthreads::stopAll();
    return result;
}
