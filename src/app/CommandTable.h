#pragma once

// The frame's menus and toolbars as data. Every item names the handler that carries it out; a
// menu item, a toolbar button, a shortcut and a test all reach a command by that name.
namespace CommandTable {

enum Flags : unsigned {
    None = 0,
    Submenu = 1u << 0,   // opens the entries of the next level that follow it
    Separator = 1u << 1,
    Hidden = 1u << 2,
    Disabled = 1u << 3,  // disabled whatever its handler
    Checkable = 1u << 4,
    Checked = 1u << 5,
    Toggle = 1u << 6,    // toolbar button that latches
};

struct MenuEntry {
    int level;           // 0 for the menus of the bar, 1 for their items, 2 and 3 inside submenus
    const char *name;    // objectName of the action or menu; the handler's name unless given apart
    const char *handler; // empty for menus and separators
    const char *caption;
    const char *shortcut;
    const char *hint;
    unsigned flags;
};

struct ButtonEntry {
    const char *bar;     // objectName of the toolbar
    const char *name;    // objectName of the button's action
    const char *handler;
    const char *caption;
    const char *hint;
    const char *icon;    // standard icon name, or empty for a text button
    unsigned flags;
};

struct BarEntry {
    const char *name;
    const char *title;
    const char *hint;
    bool left;           // docked at the left edge, else at the top
};

extern const MenuEntry menus[];
extern const int menuCount;
extern const ButtonEntry buttons[];
extern const int buttonCount;
extern const BarEntry bars[];
extern const int barCount;

} // namespace CommandTable
