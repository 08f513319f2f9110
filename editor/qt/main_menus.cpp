#include "editor/qt/main_menus.h"

#include <QMenu>

#include "editor/core/control_texts.h"
#include "editor/qt/ui_text.h"

namespace quorle {
namespace {

// Items that carry a check mark: insert mode and reverse.
bool IsCheckable(std::string_view name) {
    return name == "mnuInsert" || name == "mnuReverse";
}

}  // namespace

MenuActions BuildMainMenus(QMenuBar& bar, const std::function<void(std::string_view)>& onItem) {
    MenuActions actions;
    for (const MenuText& menuText : kMainMenus) {
        QMenu* menu = bar.addMenu(ToQString(menuText.caption));
        menu->setObjectName(ToQString(menuText.name));
        for (int i = 0; i < menuText.itemCount; ++i) {
            const MenuItemText& item = menuText.items[i];
            if (item.caption == "-") {
                menu->addSeparator()->setObjectName(ToQString(item.name));
                continue;
            }
            QAction* action = menu->addAction(ToQString(item.caption));
            action->setObjectName(ToQString(item.name));
            QList<QKeySequence> keys{QKeySequence(ToQString(item.shortcut))};
            if (!item.otherShortcut.empty())
                keys.append(QKeySequence(ToQString(item.otherShortcut)));
            action->setShortcuts(keys);
            action->setCheckable(IsCheckable(item.name));
            const std::string name(item.name);
            QObject::connect(action, &QAction::triggered, &bar, [onItem, name] { onItem(name); });
            actions.emplace(name, action);
        }
    }
    return actions;
}

QList<QKeySequence> MenuShortcuts(const MenuActions& actions) {
    QList<QKeySequence> shortcuts;
    for (const auto& [name, action] : actions)
        shortcuts.append(action->shortcuts());
    return shortcuts;
}

}  // namespace quorle
