#pragma once

#include "ui/window.h"

// Places one of the program's windows above every window that is not topmost,
// for good: topmost is set, never cleared. Creates the window if need be but
// neither shows, moves, sizes nor activates it: the keyboard stays where the
// user is typing.
void FormOnTop(Window& window);

// Shows a window of the program, on top. It takes the keyboard only from
// another window of the program, where the user's click or menu choice asked
// for it; never from another program.
void ShowOnTop(Window& window);
