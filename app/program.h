// The program's composition: its windows made here, each knowing none of the
// others; the command menu and what each of its entries does; the start-up
// and the exit; and one window taking another's place.
#pragma once

#include <functional>
#include <memory>

#include "idler/about_window.h"
#include "idler/idle_clock.h"
#include "idler/main_window.h"
#include "lines/settings.h"
#include "menu/command_menu.h"
#include "player/directshow_media.h"
#include "player/folder_picker.h"
#include "player/player_window.h"
#include "roombust/room_buster.h"
#include "settings/settings_dialog.h"
#include "settings/store.h"

class Program {
public:
    // endProgram ends the process once the farewell is said; the menu's web
    // links open through launcher.
    explicit Program(std::function<void()> endProgram, Launcher& launcher = SystemLauncher());

    // The start: the about window, then the start-up and the main window.
    void Start() { about_.Run(); }
    // The about window's end, or a click on it: the start-up the first time,
    // then the main window.
    void OpenMain();
    // The main window's "x" (kWindow) or the menu's "unload" (kMenu): the
    // settings saved, the farewell said, the program ended.
    void Exit(ExitKind kind);

    Settings& settings() { return settings_; }
    IdleClock& clock() { return clock_; }
    MainWindow& main() { return main_; }
    AboutWindow& about() { return about_; }
    CommandMenu& menu() { return menu_; }
    SettingsDialog& dialog(DialogKind kind) { return *dialogs_[(int)kind]; }
    RoomBuster& roomBuster() { return roomBuster_; }
    PlayerWindow& player() { return player_; }
    FolderPicker& picker() { return picker_; }
    Media& media() { return media_; }

private:
    MenuActions Commands();
    void StartUp();
    // One window gives way to another, placed on top.
    void Swap(Window& from, Window& to);
    // Another window has hidden itself: the main window comes back on top.
    void BackToMain();
    void FolderChosen(const std::string& folder);

    std::function<void()> endProgram_;
    bool started_ = false;
    Settings settings_;
    IdleClock clock_;
    MainWindow main_;
    AboutWindow about_;
    std::unique_ptr<SettingsDialog> dialogs_[kDialogKinds];  // by DialogKind
    CommandMenu menu_;
    RoomBuster roomBuster_;
    DirectShowMedia media_;
    PlayerWindow player_;
    FolderPicker picker_;
};
