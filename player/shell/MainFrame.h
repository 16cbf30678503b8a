// CMainFrame: the player's one top-level window. It hosts the view, carries the frame's
// commands ("Open..." 57601 with Ctrl+O), runs the open sequence (the view's open, the
// media-information reader, then playing), switches full-screen mode for the view and passes
// the control panel's scene settings on to the active view.
//
// Commands are routed view -> frame -> application; a timer and every menu that opens ask the
// same chain to update each action's enabled and checked state.
#pragma once

#include "CommandTarget.h"
#include "FullScreenHost.h"
#include "MediaInfoReader.h"
#include "SceneSettingsSink.h"

#include <QByteArray>
#include <QMainWindow>
#include <QRect>

#include <map>
#include <memory>

struct AppState;
class CBCGPMediaPlayerDoc;
class CBCGPMediaPlayerView;
class CColorChooserBar;
class CEqualizerBar;
class CExplorerBar;
class FileChooser;
class KeyStateSource;
class MediaInfoRead;
class MessagePresenter;
class QAction;
class QTimer;
class SkinColorSettings;

class CMainFrame : public QMainWindow,
                   public CommandTarget,
                   public FullScreenHost,
                   public SceneSettingsSink {
    Q_OBJECT
public:
    static constexpr int kViewPaneId = 59648;

    // appTarget is the application's command target (may be null); everything passed in
    // must outlive the frame.
    CMainFrame(AppState& app, FileChooser& chooser, MessagePresenter& messages,
               KeyStateSource* keys, CommandTarget* appTarget, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CBCGPMediaPlayerView* activeView() const { return view_; }
    CBCGPMediaPlayerDoc* document() const { return doc_; }
    const CommandRouter& router() const { return router_; }
    // The action of a command id, null when the frame has none.
    QAction* action(int id) const;
    // Runs a command through the chain, as a menu entry or accelerator would.
    bool dispatchCommand(int id);
    // Asks the chain for every action's state now.
    void updateCommandUI();

    // The open sequence: 57601 with the file dialog, or a given file (the command line).
    void OpenMediaFile();
    void OpenMediaFile(const QString& path);
    // Starts reading currentMediaPath's reports off the UI thread; until they arrive the
    // duration is unknown (0). The pages and mediaDurationMs take the report when it comes.
    void ReadMediaInfo();
    const mediainfo::MediaReport& lastMediaReport() const { return lastReport_; }
    MediaInfoRead* mediaInfoRead() const { return mediaInfoRead_; }

    // Language 0 to 5 (English, German, French, Spanish, Italian, Russian): panel names, the
    // explorer bar's menus and the control panel's captions; the index is stored in lang.dat
    // beside the program. Any other index changes nothing.
    void ApplyLanguage(int index);

    CExplorerBar* explorerBar() const { return explorerBar_; }
    CColorChooserBar* controlPanel() const { return controlPanel_; }
    CEqualizerBar* mediaInfoPanel() const { return mediaInfoPanel_; }

    // FullScreenHost
    void SetFullScreen(int on) override;
    bool isWindowedState() const { return windowed_ != 0; }
    QRect fullScreenRect() const { return fullScreenRect_; }

    // SceneSettingsSink: each call goes unchanged to the active view.
    void SetSizeMode(int mode) override;
    void SetProportion(int value) override;
    void SetSurface(int mode, int depth, int p1, int p2, int p3, int p4, int p5, int p6, int p7,
                    int p8) override;
    void SetShape(int kind) override;
    void SetPlayRate(int value) override;
    void SetRotation(int enabled, int speed) override;

    // CommandTarget
    bool handleCommand(int id) override;
    bool updateCommand(int id, CommandState& state) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createView(KeyStateSource* keys);
    void createActions();
    void createBars();
    void createDocks();
    void readSettings();
    // The language stored in lang.dat, applied when the file holds a valid index.
    void restoreLanguage();
    // Hides or shows the explorer bar and both panels (full-screen mode).
    void showBars(bool show);
    // Commands of the bars: panel toggles, the control panel's buttons, languages, product site.
    bool handleBarCommand(int id);
    bool updateBarCommand(int id, CommandState& state);
    void writeSettings();
    QAction* addCommandAction(int id, const QString& text, const QKeySequence& shortcut = {});
    // Where the view would lie on the screen after the bars that remain are laid out.
    QRect viewScreenRect();
    // Shows the reader's pages (the media-information panel shows them).
    void showMediaReport(const mediainfo::MediaReport& report);
    void takeMediaReport(const mediainfo::MediaReport& report);

    AppState& app_;
    FileChooser& chooser_;
    MessagePresenter& messages_;
    CommandRouter router_;
    CBCGPMediaPlayerDoc* doc_ = nullptr;
    CBCGPMediaPlayerView* view_ = nullptr;
    std::map<int, QAction*> actions_;
    QTimer* updateTimer_ = nullptr;
    mediainfo::MediaReport lastReport_;
    MediaInfoRead* mediaInfoRead_ = nullptr;

    std::unique_ptr<SkinColorSettings> skinColor_;
    CExplorerBar* explorerBar_ = nullptr;
    CEqualizerBar* mediaInfoPanel_ = nullptr;
    CColorChooserBar* controlPanel_ = nullptr;

    int windowed_ = 1;
    QRect savedGeometry_;                  // the placement before full-screen mode
    Qt::WindowStates savedState_;
    QRect fullScreenRect_;
};
