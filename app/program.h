// The program's windows and how they meet: made here, wired to the command
// menu, and swapped for one another when one takes the main window's place.
// No window knows another; a window that hands back to the main window gets a
// callback.
#pragma once

#include <functional>

#include "idler/about_window.h"
#include "idler/main_window.h"
#include "lines/settings.h"
#include "player/directshow_media.h"
#include "player/folder_picker.h"
#include "player/player_window.h"
#include "roombust/room_buster.h"

class Program {
public:
    // endProgram ends the process once the farewell is said.
    explicit Program(std::function<void()> endProgram);

    // The start: the about window, then the main window.
    void Start() { about_.Run(); }

    MainWindow& main() { return main_; }
    RoomBuster& roomBuster() { return roomBuster_; }
    PlayerWindow& player() { return player_; }
    FolderPicker& picker() { return picker_; }
    Media& media() { return media_; }

private:
    MenuActions Elsewhere();
    // One window gives way to another, placed on top.
    void Swap(Window& from, Window& to);
    // Another window has hidden itself: the main window comes back on top.
    void BackToMain();
    // The player and its folder picker take each other's place.
    void PickFolder();
    void FolderChosen(const std::string& folder);
    void BackToPlayer();

    Settings settings_;
    MainWindow main_;
    AboutWindow about_;
    RoomBuster roomBuster_;
    DirectShowMedia media_;
    PlayerWindow player_;
    FolderPicker picker_;
};
