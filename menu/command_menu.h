// The command menu ("opts"): every command that is no
// button of the program's own windows. Its tree is data; each entry's action
// runs after the menu has closed.
#pragma once

#include <windows.h>

#include <functional>

#include "menu/launcher.h"

// What the menu asks of the program's windows; the host shortcuts and the web
// links the menu does itself.
struct MenuActions {
    std::function<void()> about, advertise;
    std::function<void()> idleOn, idleOff;
    std::function<void()> leftAscii, rightAscii, reason, user;  // open a settings dialog
    std::function<void()> autoIdle;                             // so does this
    std::function<void()> roomBuster, mp3Player;
    std::function<void()> minimize, unload;
};

class CommandMenu {
public:
    CommandMenu(MenuActions actions, Launcher& launcher);
    ~CommandMenu();
    CommandMenu(const CommandMenu&) = delete;
    CommandMenu& operator=(const CommandMenu&) = delete;

    // Pops opts up at `at` on the screen, owned by owner, and runs the chosen
    // entry's action once the menu has closed. idling sets which of "idler
    // on" and "idler off" can be chosen.
    void Popup(HWND owner, bool idling, POINT at);

    // The opts menu itself, for reading back its tree.
    HMENU menu() const { return menu_; }
    // The command id of an entry by its control name ("idleron"), 0 if none.
    static UINT CommandOf(const char* name);
    // Runs an entry chosen: what it sends to the host joins the host's queue,
    // the program's own windows act at once.
    void Run(UINT command);

private:
    MenuActions actions_;
    Launcher& launcher_;
    HMENU menu_;
};
