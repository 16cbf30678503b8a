// Asks the user for the media file to open. The view takes one by reference; tests replace it.
#pragma once

#include <QString>

class QWidget;

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's full path, or an empty string when the user cancels.
    virtual QString chooseMediaFile(QWidget* parent) = 0;
};

// The system's open-file dialog: "Open Video File..." with the video filter, an existing
// file only, opened read-only, centred on the player's window and inside the screen.
class DialogFileChooser : public FileChooser {
public:
    static const QString kTitle;
    static const QString kFilter;
    QString chooseMediaFile(QWidget* parent) override;
};
