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

// Each swap shows the new window before it hides the old one: hiding the
// active window first would hand the keyboard to another program.
void Program::SwitchTo(Window& window) {
    ShowOnTop(window);
    ShowWindow(main_.hwnd(), SW_HIDE);
}

void Program::BackToMain() { ShowOnTop(main_); }

void Program::PickFolder() {
    ShowOnTop(picker_);
    ShowWindow(player_.hwnd(), SW_HIDE);
}

// Playback goes on whatever the picker does.
void Program::FolderChosen(const std::string& folder) {
    player_.ShowFolder(folder);
    BackToPlayer();
}

void Program::BackToPlayer() {
    ShowOnTop(player_);
    ShowWindow(picker_.hwnd(), SW_HIDE);
}
