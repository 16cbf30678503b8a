// The four menus of the explorer bar (file, view, plug-in, help), built from their
// descriptions with the captions of one language. Each command item is a QAction whose
// data() is its command id; separators and submenus are kept as described.
#pragma once

#include "LanguageTables.h"

class QAction;
class QMenu;
class QWidget;

namespace explorer {

// The menu of button in language 0 to 5, with its translated items. Language 0 (and the
// start-up bar) shows the menus' own English captions. The menu is owned by parent.
QMenu* buildMenu(lang::MenuButton button, int language, QWidget* parent);

// The command id an action of these menus carries, 0 for separators and submenus.
int commandIdOf(const QAction* action);

}  // namespace explorer
