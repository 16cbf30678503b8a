#include "ExplorerMenus.h"

#include "CommandIds.h"

#include <QAction>
#include <QMenu>

#include <initializer_list>
#include <vector>

namespace explorer {

namespace {

// One entry of a menu description: a command (id and caption), a separator (neither) or a
// submenu (caption and entries).
struct Entry {
    int id = 0;
    const char* caption = nullptr;
    std::vector<Entry> submenu;
};

Entry item(int id, const char* caption) { return Entry{id, caption, {}}; }
Entry separator() { return Entry{}; }
Entry submenu(const char* caption, std::vector<Entry> entries)
{
    return Entry{0, caption, std::move(entries)};
}

std::vector<Entry> fileMenu()
{
    return {item(cmd::FileOpen, "&Open..."), separator()};
}

std::vector<Entry> viewMenu()
{
    return {item(cmd::ToggleControlPanel, "Color &Chooser"),
            item(cmd::TogglePropertyPanel, "&Property Chooser"),
            submenu("Language",
                    {item(cmd::LanguageEnglish, "English"), separator(),
                     item(cmd::LanguageGerman, "German"), separator(),
                     item(cmd::LanguageFrench, "French"), separator(),
                     item(cmd::LanguageSpanish, "Spanish"), separator(),
                     item(cmd::LanguageItalian, "Italina"), separator(),
                     item(cmd::LanguageRussian, "Russian"), separator()})};
}

std::vector<Entry> pluginMenu()
{
    return {item(cmd::ShowPlugins, "Show Plugins"),
            separator(),
            item(cmd::DownloadPerfectDecoder, "Download Perfect decoder(The Best)"),
            separator(),
            item(cmd::DownloadKLite, "K-Lite Mega Codec Pack(Recommend)"),
            separator(),
            submenu("Download Others",
                    {item(cmd::DownloadFfdshow, "FFDShow MPEG4 Video Decoder"), separator(),
                     item(cmd::DownloadDivx, "Divx Codec Pack"), separator(),
                     item(cmd::DownloadXvid, "Xvid Codec pack"), separator(),
                     item(cmd::DownloadQuickTime, "Apple Quick Time Full"), separator(),
                     item(cmd::DownloadDvdDecoder, "DVD Decoder ")}),
            separator()};
}

std::vector<Entry> helpMenu()
{
    return {item(cmd::AppAbout, "About"), separator(), item(cmd::HomePage, "Home Page"),
            separator(), item(cmd::CheckForUpdate, "Check for update")};
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
        if (caption.commandId == 0) {
            const auto position = static_cast<size_t>(caption.submenuPosition);
            if (position < entries.size() && !entries[position].submenu.empty())
                entries[position].caption = text;
            continue;
        }
        for (Entry& entry : entries)
            if (entry.id == caption.commandId)
                entry.caption = text;
    }
}

void fill(QMenu* menu, const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        if (!entry.submenu.empty()) {
            QMenu* sub = menu->addMenu(QString::fromUtf8(entry.caption));
            fill(sub, entry.submenu);
        } else if (entry.id == 0) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
            action->setData(entry.id);
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

int commandIdOf(const QAction* action)
{
    if (!action || action->menu() || action->isSeparator())
        return 0;
    return action->data().toInt();
}

}  // namespace explorer
