#include "ui/drag.h"

#include <windowsx.h>

#include "ui/twips.h"

namespace {

float TwipsOfX(int pixels) { return (float)PixelsToTwips(pixels, ScreenDpiX()); }
float TwipsOfY(int pixels) { return (float)PixelsToTwips(pixels, ScreenDpiY()); }

RECT Frame(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

}  // namespace

bool Dragger::Handle(HWND window, UINT message, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // Moves keep coming while the button is held, also off the window.
        SetCapture(window);
        state_.Press(TwipsOfX(GET_X_LPARAM(lParam)), TwipsOfY(GET_Y_LPARAM(lParam)));
        return true;
    case WM_MOUSEMOVE:
        if (state_.dragging) Follow(window, lParam);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        // A release that ends no press of ours (the button went down over
        // another window) leaves the window where it is.
        if (!state_.dragging) return true;
        Follow(window, lParam);
        state_.dragging = false;
        ReleaseCapture();
        return true;
    case WM_CAPTURECHANGED:
        state_.dragging = false;
        return true;
    }
    return false;
}

void Dragger::Follow(HWND window, LPARAM lParam) {
    const float x = TwipsOfX(GET_X_LPARAM(lParam)), y = TwipsOfY(GET_Y_LPARAM(lParam));
    RECT r = Frame(window);
    SetWindowPos(window, nullptr, TwipsX(DragState::Follow(x, state_.grabX, TwipsOfX(r.left))),
                 r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    r = Frame(window);
    SetWindowPos(window, nullptr, r.left, TwipsY(DragState::Follow(y, state_.grabY, TwipsOfY(r.top))),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
