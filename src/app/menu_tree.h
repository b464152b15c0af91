#pragma once
// The main window's menu bar as data: object names, captions, order and what each entry does.

#include <span>

enum class Command {
    Separator,
    OptionUeditor,
    OptionAutoFormat,
    OptionFormat,
    OptionConversionFile,
    OptionRedundantFile,
    StartCalculator,
    StartTextEditor,
    StartTerminal,
    OpenArticle,
    OpenDictionary,
    OpenHelp,
    OpenTools,
    OpenHome,
    ShowAbout,
};

struct MenuEntry {
    const char* name;
    const char* caption;  // UTF-8
    Command command;
};

struct MenuDef {
    const char* name;
    const char* title;  // UTF-8
    std::span<const MenuEntry> entries;
};

// The menus, left to right.
std::span<const MenuDef> menuBarMenus();
// The commands that stand directly on the menu bar, after the menus.
std::span<const MenuEntry> menuBarCommands();
