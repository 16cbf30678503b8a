// ScreenshotTaker: F12 in the view saves its picture area, as the screen shows it at that
// moment, as a bitmap file named after the local date and time ("2024-01-31-09-05-07.bmp").
// Two screenshots within one second get the same name; the later one replaces the earlier.
//
// The files go to "screenshots" in the program's folder when that folder is writable, and to
// "VelmoraPlayer" in the user's pictures folder otherwise. The folder is made when missing.
// A file that cannot be written is dropped without a message; nothing else is touched.
//
// The picture is a copy of the screen, so a window over the picture (the volume pop-up) is
// in it. Where the platform gives no screen copy (Wayland), the picture is composed from
// what the view itself drew: the scene drawn once more and read back, with the bar painted
// over it at its place.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <string>

struct AppState;
class QWidget;

class ScreenshotTaker {
public:
    using Clock = std::function<QDateTime()>;
    // Copies a rectangle in screen co-ordinates; a null image when the screen cannot be read.
    using ScreenCopy = std::function<QImage(const QRect& screenRect)>;

    // The folder is looked up in app (its moduleDirectory) at each screenshot; app must
    // outlive the taker.
    explicit ScreenshotTaker(const AppState& app);

    // The local time the file names are made from; tests may fix it.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // How the screen is copied (CaptureScreenRect); tests may stand in a platform without one.
    void setScreenCopy(ScreenCopy copy) { screenCopy_ = std::move(copy); }

    // Saves the picture area of `view`, whose client rectangle is clientRect: without the
    // transport bar in windowed mode, and without the raised bar and the band under it in
    // full-screen mode. Returns the path written, or an empty string when nothing was saved
    // (an empty picture area, nothing of it on the screen or in the window, an unwritable
    // folder).
    QString TakeScreenshot(QWidget& view, const QRect& clientRect, bool windowed,
                           bool barRaised) const;

    // Where the files go now.
    QString folder() const;

    static QRect pictureArea(const QRect& clientRect, bool windowed, bool barRaised);
    static QString fileName(const QDateTime& localTime);
    // moduleDirectory: the program's folder with its trailing "/".
    static QString folderFor(const std::string& moduleDirectory);

private:
    const AppState& app_;
    Clock clock_;
    ScreenCopy screenCopy_;
};
