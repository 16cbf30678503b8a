// Opens a video dropped on the main window, as "Open..." would: a local file (from a file
// manager's URL list, or a file:// URI dropped as text) whose type is video. Anything else
// dropped (a web address, plain text, a folder, a file of another kind) is refused and
// changes nothing.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

class FileDropOpener : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const QString& path)>;

    // Makes window accept drops and watches them; open is called with the dropped file.
    FileDropOpener(QWidget& window, Open open);

    // The video file a drop carries, or an empty string when it carries none.
    static QString droppedVideo(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    Open open_;
};
