#include "app/program.h"

#include "idler/form_on_top.h"

Program::Program(std::function<void()> endProgram)
    : main_(settings_, std::move(endProgram), Elsewhere()),
      about_([this] { main_.Open(); }),
      roomBuster_(settings_, [this] { BackToMain(); }) {}

MenuActions Program::Elsewhere() {
    MenuActions a;
    a.roomBuster = [this] { SwitchTo(roomBuster_); };
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
