// Opens videos dropped on the main window, as "Open..." would: local files (from a file
// manager's URL list, or a file:// URI dropped as text) whose type is video. Several are the
// playlist, in the order dropped. Anything else dropped (a web address, plain text, a
// folder, a file of another kind) is passed over; a drop of nothing else is refused and
// changes nothing.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

class FileDropOpener : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const QStringList& paths)>;

    // Makes window accept drops and watches them; open is called with the dropped videos.
    FileDropOpener(QWidget& window, Open open);

    // The video files a drop carries, in its order; empty when it carries none.
    static QStringList droppedVideos(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    Open open_;
};
