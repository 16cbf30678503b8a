// VelmoraPlayer: a video player that shows the picture inside a 3D scene.
#include "PlayerApp.h"
#include "SceneWidget.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The fixed-function scene needs its surface format before the first widget exists.
    SceneWidget::installDefaultFormat();
    QApplication application(argc, argv);
    CPlayerApp app(QCoreApplication::applicationDirPath());
    if (!app.InitInstance(QCoreApplication::arguments()))
        return 1;
    const int result = QApplication::exec();
    return app.ExitInstance(result);
}
