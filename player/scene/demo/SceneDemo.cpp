// velmora-scene-demo: a small window for trying the scene by hand.
//
//   velmora-scene-demo [video file]
//
// Keys: O open a file, Space pause or resume, 0-6 surface (0 flat, 1-4 curved, 5 none,
// 6 free form), [ and ] curvature depth, S next shape, R rotation on/off, + and - rotation
// speed, arrows turn and move the picture, Esc quits.
#include "ArrowKeyState.h"
#include "MediaSession.h"
#include "SceneRenderer.h"
#include "SceneWidget.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace {

const char* const kSurfaceNames[] = {"Normal", "Bethel 1", "Bethel 2", "Bethel 3",
                                     "Bethel 4", "None", "Freedom to adjust"};
const char* const kShapeNames[] = {"Flat", "Cube", "Sphere", "Cylinder", "Taper"};
constexpr int kShapeCount = 5;

class DemoWindow : public QWidget {
public:
    explicit DemoWindow(SceneRenderer* renderer) : renderer_(renderer)
    {
        scene_ = new SceneWidget(renderer, this);
        scene_->setFocusPolicy(Qt::NoFocus);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(scene_);
        setFocusPolicy(Qt::StrongFocus);
        resize(800, 600);

        // The render loop: one frame every 41 ms.
        auto* timer = new QTimer(this);
        // The demo draws on every tick, moving or not: the scene's cost at its most.
        connect(timer, &QTimer::timeout, scene_, [this] {
            scene_->renderer()->Step();
            scene_->requestDraw();
        });
        timer->start(41);
        updateTitle();
    }

    void open(const QString& path)
    {
        path_ = path;
        if (!renderer_->media().open(path.toStdString())) {
            paused_ = false;
            updateTitle();
            QMessageBox::warning(this, QStringLiteral("Error"),
                                 QStringLiteral("Cannot play %1").arg(path));
            return;
        }
        paused_ = false;
        applySettings();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        renderer_->SetViewport(0, 0, width(), height());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key >= Qt::Key_0 && key <= Qt::Key_6) {
            surface_ = static_cast<SurfaceMode>(key - Qt::Key_0);
            applySurface();
        } else if (key == Qt::Key_BracketLeft || key == Qt::Key_BracketRight) {
            depth_ = std::clamp(depth_ + (key == Qt::Key_BracketRight ? 50 : -50), 0, 1000);
            applySurface();
        } else if (key == Qt::Key_S) {
            shape_ = static_cast<ShapeKind>((static_cast<int>(shape_) + 1) % kShapeCount);
            renderer_->SetShapeKind(shape_);
        } else if (key == Qt::Key_R) {
            spinOn_ = !spinOn_;
            renderer_->SetSpin(spinOn_ && !paused_, spinSpeed_);
        } else if (key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus) {
            spinSpeed_ = std::clamp(spinSpeed_ + (key == Qt::Key_Minus ? -1 : 1), 1, 10);
            renderer_->SetSpin(spinOn_ && !paused_, spinSpeed_);
        } else if (key == Qt::Key_Space) {
            togglePause();
        } else if (key == Qt::Key_O) {
            const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"));
            if (!path.isEmpty())
                open(path);
        } else if (key == Qt::Key_Escape) {
            close();
        } else {
            QWidget::keyPressEvent(event);
            return;
        }
        updateTitle();
    }

private:
    void togglePause()
    {
        if (path_.isEmpty() || (!paused_ && !renderer_->videoReady()))
            return;
        if (!paused_) {
            renderer_->media().pause();
            renderer_->SetSpin(0, spinSpeed_);
            paused_ = true;
        } else {
            // Resuming opens the file again; playback continues where it was paused.
            open(path_);
        }
    }

    void applySurface()
    {
        if (surface_ == SurfaceMode::Freedom)
            renderer_->BuildSurface(
                {surface_, 0, {1000, 1000, 1000, 1000, 1000, 1400, 1000, 1000}});
        else
            renderer_->BuildSurface({surface_, depth_});
    }

    void applySettings()
    {
        renderer_->SetViewport(0, 0, width(), height());
        applySurface();
        renderer_->SetShapeKind(shape_);
        renderer_->SetSpin(spinOn_, spinSpeed_);
        updateTitle();
    }

    void updateTitle()
    {
        QString state = path_.isEmpty()          ? QStringLiteral("no video (press O)")
                        : paused_                ? QStringLiteral("paused")
                        : renderer_->videoReady() ? QStringLiteral("playing")
                                                  : QStringLiteral("cannot play");
        setWindowTitle(QStringLiteral("Velmora scene - %1 - %2, depth %3 - %4, rotation %5 x%6")
                           .arg(state, QString::fromLatin1(kSurfaceNames[int(surface_)]))
                           .arg(depth_)
                           .arg(QString::fromLatin1(kShapeNames[int(shape_)]),
                                spinOn_ ? QStringLiteral("on") : QStringLiteral("off"))
                           .arg(spinSpeed_));
    }

    SceneRenderer* renderer_;
    SceneWidget* scene_ = nullptr;
    QString path_;
    bool paused_ = false;
    SurfaceMode surface_ = SurfaceMode::Normal;
    int depth_ = 250;
    ShapeKind shape_ = ShapeKind::Flat;
    bool spinOn_ = true;
    int spinSpeed_ = 1;
};

}  // namespace

int main(int argc, char** argv)
{
    SceneWidget::installDefaultFormat();
    QApplication app(argc, argv);
    ArrowKeyState keys;
    MediaSession media;
    SceneRenderer renderer(media, &keys);
    int result = 0;
    {
        DemoWindow window(&renderer);
        window.show();
        const QStringList args = QApplication::arguments();
        if (args.size() > 1) {
            const QString path = args.at(1);
            QTimer::singleShot(0, &window, [&window, path] { window.open(path); });
        }
        result = app.exec();
    }
    return result;
}
