// VelmoraPlayer: a video player that shows the picture inside a 3D scene.
#include "CommandLine.h"
#include "PlayerApp.h"
#include "SceneWidget.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

QStringList rawArguments(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// Prints what the request asks for; the exit status, or -1 when the program should run.
int answer(const cmdline::Request& request)
{
    using Action = cmdline::Request::Action;
    switch (request.action) {
    case Action::Help:
        std::fputs(cmdline::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Version:
        std::fputs(cmdline::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case Action::Refuse:
        std::fprintf(stderr, "VelmoraPlayer: %s\nTry 'VelmoraPlayer --help' for more information.\n",
                     request.problem.toLocal8Bit().constData());
        return cmdline::kUsageError;
    case Action::Run:
        break;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    // --help, --version and a refusal answer without a display; Qt's own options (-platform
    // ...) are passed over here and taken away by QApplication below.
    if (const int status = answer(cmdline::parse(rawArguments(argc, argv),
                                                 cmdline::ToolkitOptions::Present));
        status >= 0)
        return status;

    // The fixed-function scene needs its surface format before the first widget exists.
    SceneWidget::installDefaultFormat();
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VelmoraPlayer"));
    // The desktop entry and the icon an installed program has in the desktop's theme.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.mediavelmora.VelmoraPlayer"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.mediavelmora.VelmoraPlayer")));
    const cmdline::Request request = cmdline::parse(QCoreApplication::arguments());
    if (const int status = answer(request); status >= 0)
        return status;

    // Without a context that can draw the scene the player has nothing to show: it says so
    // and ends before any window of its own exists.
    if (!SceneWidget::canMakeScene()) {
        SceneWidget::showUnavailableMessage();
        return SceneWidget::kNoSceneExitStatus;
    }

    CPlayerApp app(QCoreApplication::applicationDirPath());
    if (!app.InitInstance(QCoreApplication::arguments()))
        return 1;
    const int result = QApplication::exec();
    return app.ExitInstance(result);
}
