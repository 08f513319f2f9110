#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenuBar>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quorle {

// The items of the main window's menus by their names ("mnuNew",
// "mnuMap(4)", ...); separators have none.
using MenuActions = std::map<std::string, QAction*, std::less<>>;

// Fills the menu bar with the editor's menus, items, separators and
// shortcuts; choosing an item reports its name.
MenuActions BuildMainMenus(QMenuBar& bar, const std::function<void(std::string_view)>& onItem);

// Every shortcut key of the menus.
QList<QKeySequence> MenuShortcuts(const MenuActions& actions);

}  // namespace quorle
