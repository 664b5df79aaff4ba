#include "app/program.h"

#include "idler/form_on_top.h"

Program::Program(std::function<void()> endProgram)
    : main_(settings_, std::move(endProgram), Elsewhere()),
      about_([this] { main_.Open(); }),
      roomBuster_(settings_, [this] { BackToMain(); }),
      player_(settings_, media_, [this] { BackToMain(); }, [this] { PickFolder(); }),
      picker_([this](const std::string& folder) { FolderChosen(folder); },
              [this] { BackToPlayer(); }) {}

MenuActions Program::Elsewhere() {
    MenuActions a;
    a.roomBuster = [this] { SwitchTo(roomBuster_); };
    a.mp3Player = [this] { SwitchTo(player_); };
    return a;
}

void Program::SwitchTo(Window& window) {
    ShowWindow(main_.hwnd(), SW_HIDE);
    ShowWindow(window.Handle(), SW_SHOW);
    FormOnTop(window);
}

void Program::BackToMain() {
    ShowWindow(main_.Handle(), SW_SHOW);
    FormOnTop(main_);
}

void Program::PickFolder() {
    FormOnTop(picker_);
    ShowWindow(player_.hwnd(), SW_HIDE);
    ShowWindow(picker_.hwnd(), SW_SHOW);
}

// Playback goes on whatever the picker does.
void Program::FolderChosen(const std::string& folder) {
    player_.ShowFolder(folder);
    FormOnTop(player_);
    ShowWindow(picker_.hwnd(), SW_HIDE);
    ShowWindow(player_.hwnd(), SW_SHOW);
}

void Program::BackToPlayer() {
    ShowWindow(picker_.hwnd(), SW_HIDE);
    ShowWindow(player_.hwnd(), SW_SHOW);
    FormOnTop(player_);
}
