// CMainFrame: the player's one top-level window. It hosts the view, carries the frame's
// commands ("Open..." with Ctrl+O), runs the open sequence (the view's open, the
// media-information reader, then playing), switches full-screen mode for the view and passes
// the control panel's scene settings on to the active view.
//
// Commands are routed view -> frame -> control panel -> application; a timer and every menu
// that opens ask the same chain to update each action's enabled and checked state.
#pragma once

#include "CommandTarget.h"
#include "FullScreenHost.h"
#include "MediaInfoReader.h"
#include "SceneSettingsSink.h"

#include <QByteArray>
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <map>
#include <memory>

struct AppState;
class CBCGPMediaPlayerDoc;
class CBCGPMediaPlayerView;
class CColorChooserBar;
class CEqualizerBar;
class CExplorerBar;
class DockWidthKeeper;
class FileChooser;
class KeyStateSource;
class MediaInfoRead;
class MessagePresenter;
class QAction;
class QKeyEvent;
class QMenu;
class OnScreenNote;
class ShortcutsDialog;
class QTimer;
class CVisualManager;
class SkinFrame;
class SkinStyle;

class CMainFrame : public QMainWindow,
                   public CommandTarget,
                   public FullScreenHost,
                   public SceneSettingsSink {
    Q_OBJECT
public:
    // appTarget is the application's command target (may be null); everything passed in
    // must outlive the frame.
    CMainFrame(AppState& app, FileChooser& chooser, MessagePresenter& messages,
               KeyStateSource* keys, CommandTarget* appTarget, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CBCGPMediaPlayerView* activeView() const { return view_; }
    CBCGPMediaPlayerDoc* document() const { return doc_; }
    const CommandRouter& router() const { return router_; }
    // The action of a command, null when the frame has none.
    QAction* action(Command id) const;
    // Runs a command through the chain, as a menu entry or accelerator would.
    bool dispatchCommand(Command id);
    // Asks the chain for every action's state now.
    void updateCommandUI();

    // The open sequence: "Open..." with the file dialog, or a given file (the command line).
    // The view opens the file without holding up the window; once it is over, the frame reads
    // the media information and sets the view playing.
    void OpenMediaFile();
    void OpenMediaFile(const QString& path);
    // Several files (the command line, a drop): they are the playlist; the first opens. One
    // file opens as OpenMediaFile(path) does, its folder the playlist.
    void OpenMediaFiles(const QStringList& paths);
    // Starts reading currentMediaPath's reports off the UI thread; until they arrive the
    // duration is unknown (0). The pages and mediaDurationMs take the report when it comes.
    void ReadMediaInfo();
    const mediainfo::MediaReport& lastMediaReport() const { return lastReport_; }
    MediaInfoRead* mediaInfoRead() const { return mediaInfoRead_; }

    // Language 0 to 5 (English, German, French, Spanish, Italian, Russian): panel names, the
    // explorer bar's menus and the control panel's captions; the index is stored in lang.dat
    // (beside the program, or in the user's data folder for an installed one). Any other index
    // changes nothing.
    void ApplyLanguage(int index);
    // The language applied last (0 until one is).
    int language() const { return language_; }

    // "Keyboard shortcuts": shows the list of keys in the current language, without blocking
    // the window. The dialog stays (hidden) once made; null until first shown.
    void ShowKeyboardShortcuts();
    ShortcutsDialog* shortcutsDialog() const { return shortcutsDialog_; }
    // "Reset layout": leaves full screen, docks both panels back as at the first start, shows
    // them and gives the window the first start's size.
    void ResetLayout();
    // Asks for a subtitle file and draws it over the video that plays; says so when it holds
    // none.
    void LoadSubtitleFile();
    static constexpr QSize kFirstStartSize{960, 680};
    // The note shown for a moment over the picture: the player's volume, where F12's file went.
    OnScreenNote* onScreenNote() const { return note_; }

    CExplorerBar* explorerBar() const { return explorerBar_; }
    // The skin: its pictures and colour, and the window's own frame drawn with them.
    CVisualManager* visualManager() const { return skin_; }
    SkinFrame* skinFrame() const { return skinFrame_; }
    CColorChooserBar* controlPanel() const { return controlPanel_; }
    CEqualizerBar* mediaInfoPanel() const { return mediaInfoPanel_; }

    // FullScreenHost
    void SetWindowState(WindowState state) override;
    bool isWindowedState() const { return windowState_ == WindowState::Windowed; }
    QRect fullScreenRect() const { return fullScreenRect_; }

    // SceneSettingsSink: each call goes unchanged to the active view.
    void SetSizeMode(SizeMode mode) override;
    void SetProportion(int value) override;
    void SetSurface(const SurfaceSettings& surface) override;
    void SetShape(ShapeKind kind) override;
    void SetPlayRate(int value) override;
    void SetRotation(int enabled, int speed) override;

    // CommandTarget: open, the panel toggles, the languages and the product site.
    bool handleCommand(Command id) override { return commands_.handleCommand(id); }
    bool updateCommand(Command id, CommandState& state) override
    {
        return commands_.updateCommand(id, state);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The player's keys (KeyboardShortcuts.h) that the focused widget left alone.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createSkin();
    void createView(KeyStateSource* keys);
    void createCommands();
    void createActions();
    void createBars();
    void createDocks();
    void readSettings();
    // The notes over the picture for what the view reports (volume, screenshots).
    void createNotes();
    // A first start (no stored placement): the window grows to show the whole control panel.
    void fitFirstStartSize();
    // The language stored in lang.dat, applied when the file holds a valid index.
    void restoreLanguage();
    // Hides or shows the explorer bar and both panels (full-screen mode).
    void showBars(bool show);
    // Shows a hidden panel, hides a shown one.
    static void togglePanel(QWidget* panel);
    void writeSettings();
    QAction* addCommandAction(Command id, const QString& text, const QKeySequence& shortcut = {});
    // Where the view would lie on the screen after the bars that remain are laid out.
    QRect viewScreenRect();
    // The end of the open sequence, when the view's open is over.
    void finishOpen();
    // After an open: the window's caption (the name of the file that plays, then the
    // program's), the open dialog's folder and the recent files.
    void followOpenedFile();
    // The recent files (MainFrameRecent.cpp).
    void createRecentFileCommands();
    void rememberRecentFile(const QString& path);
    void fillRecentFiles(QMenu* menu);
    void openRecentFile(int index);
    // Shows the reader's pages (the media-information panel shows them).
    void showMediaReport(const mediainfo::MediaReport& report);
    void takeMediaReport(const mediainfo::MediaReport& report);
    // Runs a key's action; false when it has none here.
    bool runKeyAction(QKeyEvent* event);

    AppState& app_;
    FileChooser& chooser_;
    MessagePresenter& messages_;
    CommandTable commands_;
    CommandRouter router_;
    CBCGPMediaPlayerDoc* doc_ = nullptr;
    CBCGPMediaPlayerView* view_ = nullptr;
    std::map<Command, QAction*> actions_;
    QTimer* updateTimer_ = nullptr;
    // The bars' and panels' placement before the stored one was restored.
    QByteArray defaultLayout_;
    mediainfo::MediaReport lastReport_;
    MediaInfoRead* mediaInfoRead_ = nullptr;

    CVisualManager* skin_ = nullptr;
    SkinFrame* skinFrame_ = nullptr;
    SkinStyle* skinStyle_ = nullptr;  // docked panels' captions and the splitters
    CExplorerBar* explorerBar_ = nullptr;
    CEqualizerBar* mediaInfoPanel_ = nullptr;
    CColorChooserBar* controlPanel_ = nullptr;
    DockWidthKeeper* dockWidth_ = nullptr;

    int language_ = 0;
    // Most recent first; read from the settings at start, written back with them.
    QStringList recentFiles_;
    ShortcutsDialog* shortcutsDialog_ = nullptr;
    OnScreenNote* note_ = nullptr;

    WindowState windowState_ = WindowState::Windowed;
    QRect savedGeometry_;                  // the placement before full-screen mode
    Qt::WindowStates savedState_;
    QRect fullScreenRect_;
};
