#include "app/program.h"

#include "ui/form_on_top.h"

Program::Program(std::function<void()> endProgram)
    : main_(settings_, std::move(endProgram), Elsewhere()),
      about_([this] { main_.Open(); }),
      roomBuster_(settings_, [this] { BackToMain(); }),
      player_(settings_, media_, [this] { BackToMain(); }, [this] { PickFolder(); }),
      picker_([this](const std::string& folder) { FolderChosen(folder); },
              [this] { BackToPlayer(); }) {}

MenuActions Program::Elsewhere() {
    MenuActions a;
    a.roomBuster = [this] { Swap(main_, roomBuster_); };
    a.mp3Player = [this] { Swap(main_, player_); };
    return a;
}

// The new window shows before the old one hides: hiding the active window
// first would hand the keyboard to another program.
void Program::Swap(Window& from, Window& to) {
    ShowOnTop(to);
    ShowWindow(from.hwnd(), SW_HIDE);
}

void Program::BackToMain() { ShowOnTop(main_); }

void Program::PickFolder() { Swap(player_, picker_); }

// Playback goes on whatever the picker does.
void Program::FolderChosen(const std::string& folder) {
    player_.ShowFolder(folder);
    BackToPlayer();
}

void Program::BackToPlayer() { Swap(picker_, player_); }
