#include "Screenshot.h"

#include "AppState.h"
#include "BitmapFile.h"
#include "ScreenCapture.h"
#include "StorageFolders.h"
#include "ViewComposition.h"
#include "ViewLayout.h"

#include <QDir>
#include <QWidget>

ScreenshotTaker::ScreenshotTaker(const AppState& app)
    : app_(app), clock_([] { return QDateTime::currentDateTime(); }),
      screenCopy_(&CaptureScreenRect)
{
}

QString ScreenshotTaker::folder() const
{
    return folderFor(app_.moduleDirectory);
}

QRect ScreenshotTaker::pictureArea(const QRect& clientRect, bool windowed, bool barRaised)
{
    QRect r = clientRect;
    if (windowed)
        r.setBottom(r.bottom() - view_layout::kBarHeight);
    else if (barRaised)
        r.setBottom(r.bottom() - 2 * view_layout::kBarHeight);
    return r;
}

QString ScreenshotTaker::fileName(const QDateTime& localTime)
{
    return localTime.toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss")) + QStringLiteral(".bmp");
}

QString ScreenshotTaker::folderFor(const std::string& moduleDirectory)
{
    return storage::screenshotFolderFor(QString::fromStdString(moduleDirectory));
}

QString ScreenshotTaker::TakeScreenshot(QWidget& view, const QRect& clientRect,
                                        bool windowed, bool barRaised) const
{
    const QRect area = pictureArea(clientRect, windowed, barRaised);
    if (area.isEmpty())
        return {};
    const QRect onScreen(view.mapToGlobal(area.topLeft()), area.size());
    QImage picture = screenCopy_(onScreen);
    if (picture.isNull())
        picture = ComposeViewPicture(view, area);
    if (picture.isNull())
        return {};
    const QString dir = folder();
    if (!QDir().mkpath(dir))
        return {};
    const QString path = QDir(dir).filePath(fileName(clock_()));
    if (!SaveBitmapFile(picture, path, screenDepth()))
        return {};
    return path;
}
