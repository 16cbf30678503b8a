// The plug-in menu's commands and "Home Page", a command target of the application:
//   "Show Plugins"   the modal "Filters" dialog;
//   the seven codec downloads: the download's record is written to plugin.mp in the program
//                    folder and the downloader `plugin` beside the program is started. When
//                    the record cannot be written the message "ERROR" is shown and nothing
//                    is started; a missing downloader is silent;
//   "Home Page"      the product's home page in the browser.
#pragma once

#include "CommandTarget.h"

#include <QPointer>
#include <QWidget>

struct AppState;
class MessagePresenter;

namespace codecdownloads {
struct CodecDownload;
}

class PluginCommands : public CommandTable {
public:
    // Dialogs and messages are owned by `owner` (the main frame, which may go first).
    PluginCommands(AppState& app, MessagePresenter& messages, QWidget* owner);

    void ShowPlugins();
    // Writes the record and starts the downloader; false when the record could not be written.
    bool Download(const codecdownloads::CodecDownload& download);
    void OpenHomePage();

private:
    AppState& app_;
    MessagePresenter& messages_;
    QPointer<QWidget> owner_;
};
