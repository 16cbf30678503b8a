#include "CommandLine.h"

#include "ProductLinks.h"

#include <QFileInfo>
#include <QUrl>

namespace cmdline {

namespace {

// A path or URI as the path of a local file; empty with problem set when it is no file URI.
QString localPath(const QString& arg, QString& problem)
{
    // "C:" style prefixes do not occur here: anything with a scheme is a URI.
    const QUrl url(arg, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty() && arg.contains(QLatin1String("://"))) {
        // file:///path and file://localhost/path name this machine's files.
        const QString host = url.host();
        if (!url.isLocalFile() ||
            (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)) {
            problem = QStringLiteral("cannot open '%1': only local files are played").arg(arg);
            return {};
        }
        return QFileInfo(url.path(QUrl::FullyDecoded)).absoluteFilePath();
    }
    return QFileInfo(arg).absoluteFilePath();
}

// QGuiApplication's and QApplication's options, with one dash or two.
bool isToolkitOption(QString arg)
{
    static const QStringList names = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "reverse", "session", "display", "geometry", "title",
        "name", "style", "stylesheet", "widgetcount", "qmljsdebugger", "nograb", "dograb",
        "visual", "sync"};
    arg = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    return names.contains(arg);
}

}  // namespace

Request parse(const QStringList& args, ToolkitOptions toolkit)
{
    Request request;
    bool options = true;
    for (const QString& arg : args.mid(1)) {
        if (options && arg == QLatin1String("--")) {
            options = false;
        } else if (options && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            request.action = Request::Action::Help;
            return request;
        } else if (options && arg == QLatin1String("--version")) {
            request.action = Request::Action::Version;
            return request;
        } else if (options && arg == QLatin1String("--stats")) {
            request.stats = true;
        } else if (options && toolkit == ToolkitOptions::Present && isToolkitOption(arg)) {
            continue;
        } else if (options && arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            request.action = Request::Action::Refuse;
            request.problem = QStringLiteral("unknown option '%1'").arg(arg);
            return request;
        } else {
            QString problem;
            const QString path = localPath(arg, problem);
            if (!problem.isEmpty()) {
                request.action = Request::Action::Refuse;
                request.problem = problem;
                request.file.clear();
                request.files.clear();
                return request;
            }
            request.files.append(path);
            if (request.file.isEmpty())
                request.file = path;
        }
    }
    return request;
}

QString helpText()
{
    return QStringLiteral(
               "Usage: %1 [OPTION] [FILE]...\n"
               "Plays a video inside a 3D scene.\n"
               "\n"
               "FILE is a path or a file:// URI; the video is opened and played at once.\n"
               "Several files are the playlist; with one, its folder is.\n"
               "\n"
               "  -h, --help     show this help and exit\n"
               "      --version  show the version and exit\n"
               "      --stats    print playback statistics on standard error every second\n")
        .arg(product::kName);
}

QString versionText()
{
    return product::kName + QLatin1Char(' ') + product::kVersion + QLatin1Char('\n');
}

}  // namespace cmdline
