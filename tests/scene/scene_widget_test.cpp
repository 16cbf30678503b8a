// The widget that hosts the scene: which contexts can draw it, and what the user sees when
// none can be had.
#include "MediaSession.h"
#include "SceneRenderer.h"
#include "SceneTestSupport.h"
#include "SceneWidget.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QSurfaceFormat coreFormat()
{
    QSurfaceFormat format = SceneWidget::sceneFormat();
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setVersion(3, 3);
    return format;
}

// Closes each modal message box as it appears and keeps what it said.
struct MessageWatcher {
    QStringList seen;
    QTimer timer;
    MessageWatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() + "|" + box->text();
                box->close();
            }
        });
        timer.start(20);
    }
};

}  // namespace

// Only a desktop OpenGL context with the fixed-function pipeline and a depth buffer will do.
TEST(SceneWidget, SuitableFormats)
{
    QSurfaceFormat noDepth = SceneWidget::sceneFormat(), es = SceneWidget::sceneFormat();
    noDepth.setDepthBufferSize(0);
    es.setRenderableType(QSurfaceFormat::OpenGLES);
    QSurfaceFormat compat = coreFormat();
    compat.setProfile(QSurfaceFormat::CompatibilityProfile);
    EXPECT_TRUE(SceneWidget::isSuitableFormat(SceneWidget::sceneFormat()));
    EXPECT_TRUE(SceneWidget::isSuitableFormat(compat));
    for (const QSurfaceFormat& unsuitable : {coreFormat(), noDepth, es})
        EXPECT_FALSE(SceneWidget::isSuitableFormat(unsuitable));
}

// With the default format the widget makes its scene and draws a black first frame.
TEST(SceneWidget, DefaultFormatDrawsTheScene)
{
    SceneWidget widget;
    widget.resize(64, 48);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget, 10000));
    const QImage frame = widget.grabFramebuffer();
    scenetest::keepGlDriverLoaded();
    EXPECT_TRUE(widget.hasScene());
    EXPECT_NE(widget.renderer()->media().handle(), nullptr);
    EXPECT_EQ(frame.pixel(32, 24) & 0xffffff, 0u);
}

// A context that cannot draw the scene: the message is shown once per run, the program goes
// on and the widget draws nothing.
TEST(SceneWidget, UnsuitableContextSaysSoOnce)
{
    MessageWatcher watcher;
    for (int i = 0; i < 2; ++i) {
        MediaSession media;
        SceneRenderer renderer(media);
        SceneWidget widget(&renderer);
        widget.setFormat(coreFormat());
        QSignalSpy unavailable(&widget, &SceneWidget::sceneUnavailable);
        widget.resize(64, 48);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget, 10000));
        widget.grabFramebuffer();
        scenetest::keepGlDriverLoaded();
        QTest::qWait(200);
        EXPECT_EQ(unavailable.count(), 1);
        EXPECT_FALSE(widget.hasScene());
        EXPECT_EQ(media.handle(), nullptr);
    }
    ASSERT_EQ(watcher.seen.size(), 1);
    EXPECT_EQ(watcher.seen.front(), QStringLiteral("Error|没找到合适的显示模式"));
}
