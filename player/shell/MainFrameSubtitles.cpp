// CMainFrame's "Load subtitle file...": the dialog in the frame's language, and a message when
// the chosen file holds no subtitles.
#include "MainFrame.h"

#include "FileChooser.h"
#include "LoadFailureTexts.h"
#include "MediaPlayerView.h"
#include "MessagePresenter.h"

#include <QFileInfo>

void CMainFrame::LoadSubtitleFile()
{
    const QString path = chooser_.chooseSubtitleFile(view_, loadtexts::subtitleDialogTitle(language_),
                                                     loadtexts::subtitleFiles(language_));
    if (path.isEmpty() || view_->LoadSubtitleFile(path))
        return;
    messages_.information(view_, CBCGPMediaPlayerView::kMessageTitle,
                          loadtexts::noSubtitles(language_, QFileInfo(path).fileName()));
}
