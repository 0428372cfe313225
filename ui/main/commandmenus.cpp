#include "ui/main/commandmenus.h"

#include "ui/toolbar/speedbar.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// A popup item shows its own caption and runs its command, enabled while the command is.
QAction* popupItem(QMenu* menu, const CommandRow& row, QAction* command) {
    QAction* item = menu->addAction(QLatin1String(row.popupCaption));
    item->setObjectName(QLatin1String(row.popupItem));
    item->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, item,
                     [item, command] { item->setEnabled(command->isEnabled()); });
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

} // namespace

CommandMenus buildCommandMenus(QMainWindow& window, SpeedBar& bar) {
    CommandMenus built;
    for (const CommandRow& row : commandRows()) {
        auto* command = new QAction(QLatin1String(row.caption), &window);
        command->setObjectName(QLatin1String(row.menuItem ? row.menuItem : row.toolbarItem));
        if (row.shortcut)
            command->setShortcut(QKeySequence(QLatin1String(row.shortcut)));
        built.commands[static_cast<std::size_t>(row.id)] = command;
        if (row.toolbarItem)
            bar.setItemAction(QLatin1String(row.toolbarItem), command);
    }
    for (const MenuLayout& layout : mainMenuLayout()) {
        QMenu* menu = window.menuBar()->addMenu(QLatin1String(layout.caption));
        menu->setObjectName(QLatin1String(layout.name));
        menu->menuAction()->setObjectName(QLatin1String(layout.name));
        for (const MenuEntry& entry : layout.entries) {
            if (entry.kind == MenuEntry::Kind::Separator) {
                menu->addSeparator();
            } else if (entry.kind == MenuEntry::Kind::Reopen) {
                QMenu* reopen = menu->addMenu(QStringLiteral("&Reopen"));
                reopen->setObjectName(QStringLiteral("miFileReopen"));
                built.reopen = reopen->menuAction();
                built.reopen->setObjectName(QStringLiteral("miFileReopen"));
                built.reopen->setEnabled(false);
            } else {
                menu->addAction(built.action(entry.id));
            }
        }
    }
    std::size_t popupIndex = 0;
    for (const MenuLayout& layout : popupMenuLayout()) {
        auto* menu = new QMenu(&window);
        menu->setObjectName(QLatin1String(layout.name));
        built.popups[popupIndex++] = menu;
        for (const MenuEntry& entry : layout.entries) {
            if (entry.kind == MenuEntry::Kind::Separator)
                menu->addSeparator();
            else
                popupItem(menu, commandRow(entry.id), built.action(entry.id));
        }
    }
    built.action(CommandId::ViewToolbar)->setCheckable(true);
    built.action(CommandId::ShowPlaylist)->setCheckable(true);
    built.action(CommandId::ShowPlaylist)->setChecked(true);
    bar.setItemDown(QStringLiteral("sbShowPlaylist"), true);
    return built;
}
