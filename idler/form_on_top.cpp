#include "idler/form_on_top.h"

void FormOnTop(Window& window) {
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}
