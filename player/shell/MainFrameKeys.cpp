// CMainFrame's keys: the player's keys that reach the frame, whether the picture, the frame
// itself or a widget that leaves the key alone has the focus (a text field or a slider that
// takes a key keeps it; a dialog is a window of its own), and the dialog that lists them.
#include "MainFrame.h"

#include "ColorChooserBar.h"
#include "KeyboardShortcuts.h"
#include "MediaPlayerView.h"
#include "ShortcutsDialog.h"
#include "Transport.h"

#include <QKeyEvent>

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (runKeyAction(event)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool CMainFrame::runKeyAction(QKeyEvent* event)
{
    using shortcuts::Action;
    const std::optional<Action> action = shortcuts::actionFor(event->key(), event->modifiers());
    if (!action || !view_)
        return false;
    Transport& transport = view_->transport();
    switch (*action) {
    case Action::PlayPause:
        // As the Play button: nothing before the first open.
        if (router_.update(Command::Play).enabled)
            dispatchCommand(Command::Play);
        break;
    case Action::ToggleFullScreen: view_->ToggleFullScreen(); break;
    case Action::LeaveFullScreen:
        if (!view_->isWindowed())
            view_->ToggleFullScreen();
        break;
    case Action::MuteVideoSound: view_->ToggleVideoSound(); break;
    case Action::VolumeDown: view_->StepVideoVolume(-CBCGPMediaPlayerView::kVolumeStep); break;
    case Action::VolumeUp: view_->StepVideoVolume(CBCGPMediaPlayerView::kVolumeStep); break;
    case Action::ForwardLong: transport.seekBy(shortcuts::kLongSeekSeconds); break;
    case Action::BackLong: transport.seekBy(-shortcuts::kLongSeekSeconds); break;
    case Action::ForwardShort: transport.seekBy(shortcuts::kShortSeekSeconds); break;
    case Action::BackShort: transport.seekBy(-shortcuts::kShortSeekSeconds); break;
    case Action::FrameForward:
    case Action::FrameBack:
        // As in mpv: a playing video is paused first, then stepped.
        if (transport.playState() == PlayState::Playing && transport.isMediaActive())
            transport.togglePlayPause();
        transport.stepFrame(*action == Action::FrameForward ? 1 : -1);
        break;
    // The rate goes through the panel's slider, so slider and playback agree.
    case Action::RateUp: controlPanel_->StepPlayRate(true); break;
    case Action::RateDown: controlPanel_->StepPlayRate(false); break;
    case Action::RateNormal: controlPanel_->ResetPlayRate(); break;
    case Action::ToStart: transport.seekToStart(); break;
    case Action::NextFile: view_->PlayNext(); break;
    case Action::ToggleSubtitles: view_->SetSubtitlesShown(!view_->subtitlesShown()); break;
    case Action::PreviousFile: view_->PlayPrevious(); break;
    }
    return true;
}

void CMainFrame::ShowKeyboardShortcuts()
{
    if (!shortcutsDialog_)
        shortcutsDialog_ = new ShortcutsDialog(this);
    shortcutsDialog_->setLanguage(language_);
    shortcutsDialog_->show();
    shortcutsDialog_->raise();
    shortcutsDialog_->activateWindow();
}
