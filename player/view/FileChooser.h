// Asks the user for the media file to open. The view takes one by reference; tests replace it.
#pragma once

#include <QString>

class QWidget;

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's full path, or an empty string when the user cancels.
    virtual QString chooseMediaFile(QWidget* parent) = 0;
    // A subtitle file to draw over the video that plays, in the same folder; title and the
    // name of the files shown come in the caller's language. Empty when cancelled.
    virtual QString chooseSubtitleFile(QWidget* parent, const QString& title,
                                       const QString& kind) = 0;

    // The folder the next choice starts in: the last chosen file's, kept in the settings
    // between runs. Empty for none.
    const QString& folder() const { return folder_; }
    void setFolder(const QString& folder) { folder_ = folder; }

protected:
    QString folder_;
};

// The system's open-file dialog: "Open Video File..." with the video filter, an existing
// file only, opened read-only, in the folder of the last choice (when it still exists),
// centred on the player's window and inside the screen.
class DialogFileChooser : public FileChooser {
public:
    static const QString kTitle;
    static const QString kFilter;
    QString chooseMediaFile(QWidget* parent) override;
    QString chooseSubtitleFile(QWidget* parent, const QString& title,
                               const QString& kind) override;
};
