// CPlayerApp: the application object. It brings the program up in a fixed order (settings
// store, document/frame/view, the command line, the main window, the display-depth check),
// holds the application-wide state (program folder, open media path and duration) and
// handles the application's commands: About and "Check for update" (the language, plug-in
// and web commands join them in the explorer bar's menus).
#pragma once

#include "AppState.h"
#include "CommandTarget.h"
#include "FileChooser.h"
#include "MessagePresenter.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

class ArrowKeyState;
class CMainFrame;
class PluginCommands;
class UpdateCheck;

class CPlayerApp : public QObject, public CommandTarget {
    Q_OBJECT
public:
    static const QString kDepthWarning;

    // programDirectory: the folder of the running program (QCoreApplication::
    // applicationDirPath()); a trailing "/" is added.
    explicit CPlayerApp(const QString& programDirectory, QObject* parent = nullptr);
    ~CPlayerApp() override;

    // Brings the program up; args as QCoreApplication::arguments() (program first). A file
    // named on the command line is opened and played. False when start-up must end.
    bool InitInstance(const QStringList& args);
    // Called after the message loop ends; returns the program's exit code.
    int ExitInstance(int loopResult);

    AppState& state() { return state_; }
    CMainFrame* mainFrame() const { return frame_.get(); }

    // Replaceable services (tests), to be set before InitInstance.
    void setMessagePresenter(MessagePresenter* messages) { messages_ = messages; }
    void setFileChooser(FileChooser* chooser) { chooser_ = chooser; }
    void setDisplayDepth(std::function<int()> depth) { displayDepth_ = std::move(depth); }
    void setUpdateDelay(std::chrono::milliseconds delay) { updateDelay_ = delay; }

    // The application's commands: About, "Check for update" and New.
    // The plug-in and web commands answer first, then the application's own.
    bool handleCommand(Command id) override;
    bool updateCommand(Command id, CommandState& state) override;
    void ShowAbout();
    void CheckForUpdate();

    static std::string moduleDirectoryOf(const QString& programDirectory);

private:
    AppState state_;
    CommandTable commands_;
    BoxMessagePresenter boxMessages_;
    DialogFileChooser dialogChooser_;
    MessagePresenter* messages_ = &boxMessages_;
    FileChooser* chooser_ = &dialogChooser_;
    std::function<int()> displayDepth_;
    std::chrono::milliseconds updateDelay_{6000};
    std::unique_ptr<ArrowKeyState> keys_;
    std::unique_ptr<UpdateCheck> updateCheck_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<PluginCommands> pluginCommands_;
};
