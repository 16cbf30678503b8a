// CMainFrame's notes over the picture: what the player's volume keys, the wheel, M and V did,
// that a file went on where it was left or was passed over, and where F12's screenshot went (or
// that it could not be written), in the frame's language. Also what the view's message box
// says when the file itself shows why it cannot be played.
#include "MainFrame.h"

#include "LoadFailureTexts.h"
#include "MediaPlayerView.h"
#include "OnScreenNote.h"
#include "PlayerNotes.h"

#include <QDir>
#include <QFileInfo>

void CMainFrame::createNotes()
{
    note_ = new OnScreenNote(view_);
    connect(view_, &CBCGPMediaPlayerView::videoSoundChanged, this, [this](int percent, bool muted) {
        note_->showNote(notes::volume(language_, percent, muted));
    });
    connect(view_, &CBCGPMediaPlayerView::continuedFrom, this,
            [this](int seconds) { note_->showNote(notes::continued(language_, seconds)); });
    connect(view_, &CBCGPMediaPlayerView::subtitlesShownChanged, this,
            [this](bool shown) { note_->showNote(notes::subtitles(language_, shown)); });
    connect(view_, &CBCGPMediaPlayerView::fileSkipped, this, [this](const QString& path) {
        note_->showNote(notes::skipped(language_, QFileInfo(path).fileName()));
    });
    view_->SetFailureTexts([this](int cause, const QString& fileName) {
        return loadtexts::failure(language_, cause, fileName);
    });
    connect(view_, &CBCGPMediaPlayerView::screenshotTaken, this,
            [this](const QString& path, const QString& folder) {
                note_->showNote(path.isEmpty()
                                    ? notes::screenshotFailed(language_, QDir::toNativeSeparators(folder))
                                    : notes::screenshotSaved(language_, QDir::toNativeSeparators(path)));
            });
}
