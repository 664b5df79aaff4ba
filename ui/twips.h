// Layouts are written in twips (1/1440 inch) and placed in pixels at the
// screen's resolution: 15 twips to the pixel at 96 dpi.
#pragma once

#include <windows.h>

int TwipsToPixels(double twips, int dpi);
double PixelsToTwips(int pixels, int dpi);

// The screen's resolution, read once.
int ScreenDpiX();
int ScreenDpiY();

inline int TwipsX(double twips) { return TwipsToPixels(twips, ScreenDpiX()); }
inline int TwipsY(double twips) { return TwipsToPixels(twips, ScreenDpiY()); }

// Left, top, width and height in twips, as the layout tables give them.
struct TwipsRect {
    int left, top, width, height;
    RECT Pixels() const;
};
