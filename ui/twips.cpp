#include "ui/twips.h"

#include <cmath>

namespace {

int ReadScreenDpi(int index) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int TwipsToPixels(double twips, int dpi) { return (int)std::lround(twips * dpi / 1440.0); }

double PixelsToTwips(int pixels, int dpi) { return pixels * 1440.0 / dpi; }

int ScreenDpiX() {
    static const int dpi = ReadScreenDpi(LOGPIXELSX);
    return dpi;
}

int ScreenDpiY() {
    static const int dpi = ReadScreenDpi(LOGPIXELSY);
    return dpi;
}

RECT TwipsRect::Pixels() const {
    int x = TwipsX(left), y = TwipsY(top);
    return RECT{x, y, x + TwipsX(width), y + TwipsY(height)};
}
