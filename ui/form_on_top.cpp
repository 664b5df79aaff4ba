#include "ui/form_on_top.h"

void FormOnTop(Window& window) {
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void ShowOnTop(Window& window) {
    FormOnTop(window);
    DWORD owner = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &owner);
    ShowWindow(window.hwnd(), owner == GetCurrentProcessId() ? SW_SHOW : SW_SHOWNA);
}
