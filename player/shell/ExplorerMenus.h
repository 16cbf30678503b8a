// The four menus of the explorer bar (file, view, plug-in, help), built from their
// descriptions with the captions of one language. Each command item is a QAction whose
// data() is its command id; separators and submenus are kept as described.
#pragma once

#include "CommandIds.h"
#include "LanguageTables.h"

#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace explorer {

// The menu of button in language 0 to 5, with its translated items. Language 0 (and the
// start-up bar) shows the menus' own English captions. The menu is owned by parent.
QMenu* buildMenu(lang::MenuButton button, int language, QWidget* parent);

// The command an action of these menus carries; none for separators and submenus.
std::optional<Command> commandIdOf(const QAction* action);

}  // namespace explorer
