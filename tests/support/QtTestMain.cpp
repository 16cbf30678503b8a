// main() for test programs that need a QApplication: GUI, OpenGL and widget tests.
#include <QApplication>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
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
    return RUN_ALL_TESTS();
}
