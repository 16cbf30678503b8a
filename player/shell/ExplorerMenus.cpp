#include "ExplorerMenus.h"

#include <QAction>
#include <QMenu>

#include <initializer_list>
#include <vector>

namespace explorer {

namespace {

// One entry of a menu description: a command (and its caption), a separator (neither) or a
// submenu (caption and entries).
struct Entry {
    std::optional<Command> command;
    const char* caption = nullptr;
    std::vector<Entry> submenu;
};

Entry item(Command command, const char* caption) { return Entry{command, caption, {}}; }
Entry separator() { return Entry{}; }
Entry submenu(const char* caption, std::vector<Entry> entries)
{
    return Entry{std::nullopt, caption, std::move(entries)};
}

std::vector<Entry> fileMenu()
{
    return {item(Command::FileOpen, "&Open..."), separator(),
            item(Command::PlayNextAtEnd, "Play the next file at the end"),
            item(Command::ResumePlayback, "Resume where I left off")};
}

std::vector<Entry> viewMenu()
{
    return {item(Command::ToggleControlPanel, "Color &Chooser"),
            item(Command::TogglePropertyPanel, "&Property Chooser"),
            item(Command::ResetLayout, "Reset layout"),
            item(Command::LoadSubtitleFile, "Load subtitle file..."),
            item(Command::ShowSubtitles, "Show subtitles"),
            submenu("Language",
                    {item(Command::LanguageEnglish, "English"), separator(),
                     item(Command::LanguageGerman, "German"), separator(),
                     item(Command::LanguageFrench, "French"), separator(),
                     item(Command::LanguageSpanish, "Spanish"), separator(),
                     item(Command::LanguageItalian, "Italina"), separator(),
                     item(Command::LanguageRussian, "Russian"), separator()})};
}

std::vector<Entry> pluginMenu()
{
    return {item(Command::ShowPlugins, "Show Plugins"),
            separator(),
            item(Command::DownloadPerfectDecoder, "Download Perfect decoder(The Best)"),
            separator(),
            item(Command::DownloadKLite, "K-Lite Mega Codec Pack(Recommend)"),
            separator(),
            submenu("Download Others",
                    {item(Command::DownloadFfdshow, "FFDShow MPEG4 Video Decoder"), separator(),
                     item(Command::DownloadDivx, "Divx Codec Pack"), separator(),
                     item(Command::DownloadXvid, "Xvid Codec pack"), separator(),
                     item(Command::DownloadQuickTime, "Apple Quick Time Full"), separator(),
                     item(Command::DownloadDvdDecoder, "DVD Decoder ")}),
            separator()};
}

std::vector<Entry> helpMenu()
{
    return {item(Command::KeyboardShortcuts, "Keyboard shortcuts"), separator(),
            item(Command::AppAbout, "About"), separator(), item(Command::HomePage, "Home Page"),
            separator(), item(Command::CheckForUpdate, "Check for update")};
}

std::vector<Entry> description(lang::MenuButton button)
{
    switch (button) {
    case lang::FileMenu: return fileMenu();
    case lang::ViewMenu: return viewMenu();
    case lang::PluginMenu: return pluginMenu();
    case lang::HelpMenu: return helpMenu();
    default: return {};
    }
}

// Replaces the captions the language translates: items by command id, the submenu by its
// position in the top level.
void translate(std::vector<Entry>& entries, lang::MenuButton button, int language)
{
    for (const lang::ItemCaption& caption : lang::ItemCaptionTable) {
        if (caption.menu != button || !caption.text[static_cast<size_t>(language)])
            continue;
        const char* text = caption.text[static_cast<size_t>(language)];
        if (!caption.command) {
            const auto position = static_cast<size_t>(caption.submenuPosition);
            if (position < entries.size() && !entries[position].submenu.empty())
                entries[position].caption = text;
            continue;
        }
        for (Entry& entry : entries)
            if (entry.command == caption.command)
                entry.caption = text;
    }
}

void fill(QMenu* menu, const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        if (!entry.submenu.empty()) {
            QMenu* sub = menu->addMenu(QString::fromUtf8(entry.caption));
            fill(sub, entry.submenu);
        } else if (!entry.command) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
            action->setData(toInt(*entry.command));
        }
    }
}

}  // namespace

QMenu* buildMenu(lang::MenuButton button, int language, QWidget* parent)
{
    std::vector<Entry> entries = description(button);
    if (lang::isValid(language))
        translate(entries, button, language);
    auto* menu = new QMenu(parent);
    fill(menu, entries);
    return menu;
}

std::optional<Command> commandIdOf(const QAction* action)
{
    if (!action || action->menu() || action->isSeparator())
        return std::nullopt;
    return static_cast<Command>(action->data().toInt());
}

}  // namespace explorer
