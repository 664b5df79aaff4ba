#pragma once

#include "ui/window.h"

// Places one of the program's windows above every window that is not topmost,
// for good: topmost is set, never cleared. Creates the window if need be but
// neither shows, moves nor sizes it.
void FormOnTop(Window& window);
