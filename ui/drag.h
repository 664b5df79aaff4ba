// Moving a borderless window with the mouse: a press on its bare surface
// with any button, a move, a release. Labels keep their own clicks, as they
// take the mouse before the window sees it.
#pragma once

#include <windows.h>

#include "ui/drag_math.h"

class Dragger {
public:
    // True when the message was a drag's; the window handles the rest.
    bool Handle(HWND window, UINT message, LPARAM lParam);

private:
    // Moves the window so that the grab point is under the pointer again:
    // the left edge first, then the top, as two moves.
    void Follow(HWND window, LPARAM lParam);
    DragState state_;
};
